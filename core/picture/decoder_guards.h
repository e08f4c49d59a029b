// Guards in front of the stb decoders: files of the kinds that fuzzing found
// to make them misbehave are refused before a decoder sees them.
//   JPEG (also after fill bytes 0xFF): a Huffman table that counts more than
//   256 codes makes the decoder write past its tables. Every place in the
//   file where such a table could begin (the byte pair 0xFF 0xC4) is read as
//   the decoder would read it.
//   PNG: an empty first image data chunk makes the decoder copy to a null
//   pointer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Why the file must not be decoded, or nothing when it may.
std::optional<std::string> DecoderRefusal(std::span<const std::uint8_t> file);
