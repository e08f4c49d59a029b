#include "decoder_memory.h"

#include <cstdlib>
#include <cstring>

namespace {
// Each block starts with its size, in a header that keeps the block's
// alignment. Blocks are handed out zeroed, grown parts too: the JPEG decoder
// reads the Huffman tables a scan names even when the file never defined
// them, and zeroed tables decode to nothing where left-over memory would
// send its lookups far past the tables.
constexpr std::size_t HeaderSize = alignof(std::max_align_t);

thread_local std::size_t HeldBytes = 0;
thread_local bool Refused = false;

bool Fits(std::size_t held, std::size_t size)
{
    return size <= DecoderMemoryBudget - HeaderSize && held + size <= DecoderMemoryBudget;
}

std::size_t &SizeOf(void *block)
{
    return *reinterpret_cast<std::size_t *>(static_cast<char *>(block) - HeaderSize);
}
} // namespace

std::string OverBudgetReason(const std::string &verb)
{
    return "cannot " + verb + " the image: it would take more than " +
           std::to_string(DecoderMemoryBudget >> 20) + " MiB of memory";
}

void *DecoderAllocate(std::size_t size)
{
    if (!Fits(HeldBytes, size)) {
        Refused = true;
        return nullptr;
    }
    char *raw = static_cast<char *>(std::calloc(1, HeaderSize + size));
    if (raw == nullptr) {
        return nullptr;
    }
    void *block = raw + HeaderSize;
    SizeOf(block) = size;
    HeldBytes += size;
    return block;
}

void *DecoderReallocate(void *block, std::size_t size)
{
    if (block == nullptr) {
        return DecoderAllocate(size);
    }
    const std::size_t old = SizeOf(block);
    if (!Fits(HeldBytes - old, size)) {
        Refused = true;
        return nullptr;
    }
    char *raw = static_cast<char *>(std::realloc(static_cast<char *>(block) - HeaderSize, HeaderSize + size));
    if (raw == nullptr) {
        return nullptr;
    }
    void *moved = raw + HeaderSize;
    if (size > old) {
        std::memset(static_cast<char *>(moved) + old, 0, size - old);
    }
    SizeOf(moved) = size;
    HeldBytes = HeldBytes - old + size;
    return moved;
}

void DecoderFree(void *block)
{
    if (block == nullptr) {
        return;
    }
    HeldBytes -= SizeOf(block);
    std::free(static_cast<char *>(block) - HeaderSize);
}

DecoderMemoryScope::DecoderMemoryScope()
{
    Refused = false;
}

DecoderMemoryScope::~DecoderMemoryScope()
{
    Refused = false;
}

bool DecoderMemoryScope::BudgetExceeded() const
{
    return Refused;
}
