// Where the package and part readers take their bytes from: an open file or
// bytes already in memory. Both deliver what they hold and no more; a read
// at the end delivers nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Returns the number of bytes delivered (0 at the end).
    virtual std::size_t Read(void *buffer, std::size_t count) = 0;
    // Moves the position count bytes on; false when that fails.
    virtual bool Skip(std::uint64_t count) = 0;
};

// Bytes the caller keeps alive for the source's lifetime.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Read(void *buffer, std::size_t count) override;
    bool Skip(std::uint64_t count) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};
