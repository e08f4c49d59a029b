// An open file read through one buffer: each read of the file fills the
// whole buffer at once, and the reader's many small reads are served from
// memory. The bytes delivered, and where a read at the end stops, are those
// of the file itself, as with a FileHandle; a skip past the buffer moves the
// file's own position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "file_system.h"

class BufferedFileSource : public ByteSource {
  public:
    BufferedFileSource(FileHandle file, std::size_t capacity);

    bool IsOpen() const { return file_.IsOpen(); }
    std::size_t Read(void *buffer, std::size_t count) override;
    bool Skip(std::uint64_t count) override;

  private:
    // False when the file delivers nothing more.
    bool Refill();

    FileHandle file_;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_; // made at the first read
    std::size_t filled_ = 0;
    std::size_t position_ = 0;
    bool fileEnded_ = false;
};
