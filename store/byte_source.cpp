#include "byte_source.h"

#include <algorithm>
#include <cstring>

std::size_t MemorySource::Read(void *buffer, std::size_t count)
{
    const std::size_t delivered = std::min(count, bytes_.size() - position_);
    if (delivered > 0) {
        std::memcpy(buffer, bytes_.data() + position_, delivered);
    }
    position_ += delivered;
    return delivered;
}

bool MemorySource::Skip(std::uint64_t count)
{
    position_ += static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - position_));
    return true;
}
