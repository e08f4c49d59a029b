#include "decoder_guards.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {
constexpr std::uint8_t MarkerByte = 0xFF;
constexpr std::uint8_t StartOfImage = 0xD8;
constexpr std::uint8_t HuffmanTableMarker = 0xC4;
constexpr int CodeLengths = 16;
constexpr int LargestTable = 256;

constexpr std::array<std::uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t ChunkFrame = 12; // length, type, and the check value after the data
constexpr std::array<std::uint8_t, 4> ImageDataType = {'I', 'D', 'A', 'T'};

// The decoders read zeros past the end of the file.
std::uint8_t ByteAt(std::span<const std::uint8_t> file, std::size_t at)
{
    return at < file.size() ? file[at] : 0;
}

// The tables of one segment, as the decoder walks them: a 16-bit length,
// then tables of a class byte, sixteen counts and that many symbols, for as
// long as the length leaves bytes.
bool SegmentTablesFit(std::span<const std::uint8_t> file, std::size_t at)
{
    long remaining = (ByteAt(file, at) << 8 | ByteAt(file, at + 1)) - 2;
    at += 2;
    while (remaining > 0) {
        ++at; // class and table number
        int codes = 0;
        for (int i = 0; i < CodeLengths; ++i) {
            codes += ByteAt(file, at++);
        }
        if (codes > LargestTable) {
            return false;
        }
        at += static_cast<std::size_t>(codes);
        remaining -= 1 + CodeLengths + codes;
    }
    return true;
}

bool HuffmanTablesFit(std::span<const std::uint8_t> file)
{
    for (std::size_t at = 0; at + 1 < file.size(); ++at) {
        if (file[at] == MarkerByte && file[at + 1] == HuffmanTableMarker && !SegmentTablesFit(file, at + 2)) {
            return false;
        }
    }
    return true;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> file, std::size_t at)
{
    return static_cast<std::uint32_t>(ByteAt(file, at)) << 24 |
           static_cast<std::uint32_t>(ByteAt(file, at + 1)) << 16 |
           static_cast<std::uint32_t>(ByteAt(file, at + 2)) << 8 | ByteAt(file, at + 3);
}

// Walks the chunks as the decoder does, to the first image data chunk.
bool FirstImageDataIsEmpty(std::span<const std::uint8_t> file)
{
    std::size_t at = PngSignature.size();
    while (at + ChunkFrame <= file.size()) {
        const std::uint32_t length = BigEndian32(file, at);
        if (std::equal(ImageDataType.begin(), ImageDataType.end(), file.begin() + at + 4)) {
            return length == 0;
        }
        at += ChunkFrame + length;
    }
    return false;
}

// The decoder takes a file for a JPEG file when its start-of-image marker
// follows any number of fill bytes 0xFF.
bool IsJpegFile(std::span<const std::uint8_t> file)
{
    if (file.empty() || file[0] != MarkerByte) {
        return false;
    }
    const auto marker =
        std::find_if(file.begin(), file.end(), [](std::uint8_t b) { return b != MarkerByte; });
    return marker != file.end() && *marker == StartOfImage;
}

bool StartsWith(std::span<const std::uint8_t> file, std::span<const std::uint8_t> signature)
{
    return file.size() >= signature.size() && std::equal(signature.begin(), signature.end(), file.begin());
}
} // namespace

std::optional<std::string> DecoderRefusal(std::span<const std::uint8_t> file)
{
    if (IsJpegFile(file) && !HuffmanTablesFit(file)) {
        return "the JPEG file has a Huffman table of more than 256 codes";
    }
    if (StartsWith(file, PngSignature) && FirstImageDataIsEmpty(file)) {
        return "the PNG file's first image data chunk is empty";
    }
    return std::nullopt;
}
