#include "buffered_file_source.h"

#include <algorithm>
#include <cstring>

BufferedFileSource::BufferedFileSource(FileHandle file, std::size_t capacity)
    : file_(std::move(file)), capacity_(capacity)
{
}

std::size_t BufferedFileSource::Read(void *buffer, std::size_t count)
{
    auto *out = static_cast<std::uint8_t *>(buffer);
    std::size_t delivered = 0;
    while (delivered < count && (position_ < filled_ || Refill())) {
        const std::size_t piece = std::min(count - delivered, filled_ - position_);
        std::memcpy(out + delivered, buffer_.get() + position_, piece);
        position_ += piece;
        delivered += piece;
    }
    return delivered;
}

bool BufferedFileSource::Skip(std::uint64_t count)
{
    const std::size_t buffered = filled_ - position_;
    if (count <= buffered) {
        position_ += static_cast<std::size_t>(count);
        return true;
    }
    position_ = filled_ = 0;
    return fileEnded_ || file_.Skip(count - buffered);
}

// The file's Read delivers less than asked only at its end (or when it
// fails), so a short fill ends the reading without asking the file again.
bool BufferedFileSource::Refill()
{
    if (fileEnded_ || !file_.IsOpen()) {
        return false;
    }
    // Zeroed once: LLVM 14's libc++, which the browser build compiles
    // with, has no make_unique_for_overwrite.
    if (!buffer_) {
        buffer_ = std::make_unique<std::uint8_t[]>(capacity_);
    }
    filled_ = file_.Read(buffer_.get(), capacity_);
    position_ = 0;
    fileEnded_ = filled_ < capacity_;
    return filled_ > 0;
}
