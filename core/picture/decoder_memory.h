// The memory the stb decoders may take while they decode one picture. Their
// allocations go through these functions; once the memory held at one time
// would pass DecoderMemoryBudget they get none, and the decoder gives up.
// A part holds at most 76800 pixels, so legitimate pictures need a small
// fraction of the budget; damaged ones can claim gigabytes in a few bytes.
#pragma once

#include <cstddef>
#include <string>

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Fuzzing takes the same paths with less, so that every input is quick.
inline constexpr std::size_t DecoderMemoryBudget = 2 * 1024 * 1024;
#else
inline constexpr std::size_t DecoderMemoryBudget = 32 * 1024 * 1024;
#endif

// The error of a picture that would need more than the budget to be
// decoded (or scaled: the verb says which).
std::string OverBudgetReason(const std::string &verb);

void *DecoderAllocate(std::size_t size);
void *DecoderReallocate(void *block, std::size_t size);
void DecoderFree(void *block);

// Counts one decoding run of this thread: the memory it holds, and whether
// it was refused memory.
class DecoderMemoryScope {
  public:
    DecoderMemoryScope();
    DecoderMemoryScope(const DecoderMemoryScope &) = delete;
    DecoderMemoryScope &operator=(const DecoderMemoryScope &) = delete;
    ~DecoderMemoryScope();

    bool BudgetExceeded() const;
};
