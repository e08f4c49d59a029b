#include "image_codec.h"

#include <climits>
#include <cstdlib>
#include <memory>

#include "core/bmp_reader.h"
#include "decoder_guards.h"
#include "decoder_memory.h"
#include "picture_error.h"
#include "stb_implementation.h"

namespace {

constexpr int RgbaChannels = 4;
constexpr int RgbChannels = 3;

struct StbFree {
    void operator()(unsigned char *pixels) const { stbi_image_free(pixels); }
};

int ByteCount(std::span<const std::uint8_t> file)
{
    if (file.size() > static_cast<std::size_t>(INT_MAX)) {
        throw PictureTooLargeError("the image file is too large");
    }
    return static_cast<int>(file.size());
}

void AppendBytes(void *context, void *data, int size)
{
    auto *bytes = static_cast<std::vector<std::uint8_t> *>(context);
    const auto *start = static_cast<const std::uint8_t *>(data);
    bytes->insert(bytes->end(), start, start + size);
}

void RefuseWhatDecodersMishandle(std::span<const std::uint8_t> file)
{
    if (const std::optional<std::string> refusal = DecoderRefusal(file)) {
        throw PictureError("cannot read the image: " + *refusal);
    }
}

BmpLayout ReadableBmpLayout(std::span<const std::uint8_t> file)
{
    const std::variant<BmpLayout, BmpFault> read = ReadBmpLayout(file);
    if (const BmpFault *fault = std::get_if<BmpFault>(&read)) {
        throw PictureError("cannot read the image: " + BmpFaultReason(*fault));
    }
    return std::get<BmpLayout>(read);
}

// The decoded pixels and their indices must fit the decoding budget.
RgbaImage DecodeBmp(std::span<const std::uint8_t> file)
{
    const BmpLayout layout = ReadableBmpLayout(file);
    constexpr std::uint64_t BytesPerPixel = sizeof(std::uint32_t) + 1;
    if (static_cast<std::uint64_t>(layout.width) * layout.rows > DecoderMemoryBudget / BytesPerPixel) {
        throw PictureTooLargeError(OverBudgetReason("read"));
    }
    std::optional<std::vector<std::uint32_t>> pixels = BmpColours(file, layout);
    if (!pixels) {
        throw PictureError("cannot read the image: " + BmpFaultReason(BmpFault::DamagedRuns));
    }
    return {layout.width, static_cast<int>(layout.rows), std::move(*pixels)};
}

std::vector<std::uint8_t> EncodePngChannels(int width, int height, int channels,
                                            const std::vector<std::uint8_t> &bytes)
{
    std::vector<std::uint8_t> png;
    if (!stbi_write_png_to_func(AppendBytes, &png, width, height, channels, bytes.data(), width * channels)) {
        throw PictureError("cannot encode the PNG image");
    }
    return png;
}

} // namespace

std::vector<std::uint8_t> RgbaBytes(const std::vector<std::uint32_t> &pixels)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels.size() * RgbaChannels);
    for (const std::uint32_t pixel : pixels) {
        for (const int shift : {16, 8, 0, 24}) {
            bytes.push_back(static_cast<std::uint8_t>(pixel >> shift));
        }
    }
    return bytes;
}

std::vector<std::uint32_t> PixelsOfRgbaBytes(const std::uint8_t *bytes, std::size_t count)
{
    std::vector<std::uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t *p = bytes + i * RgbaChannels;
        pixels[i] = static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
                    static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
    return pixels;
}

int AbsoluteSide(int side)
{
    return side == INT_MIN ? INT_MAX : std::abs(side);
}

std::optional<ImageSize> ProbeImageSize(std::span<const std::uint8_t> file)
{
    if (IsBmpFile(file)) {
        const BmpLayout layout = ReadableBmpLayout(file);
        return ImageSize{layout.width, static_cast<int>(layout.rows)};
    }
    RefuseWhatDecodersMishandle(file);
    ImageSize size;
    int channels = 0;
    if (!stbi_info_from_memory(file.data(), ByteCount(file), &size.width, &size.height, &channels)) {
        return std::nullopt;
    }
    // A BMP file with rows stored top-down announces a negative height.
    size.height = AbsoluteSide(size.height);
    return size;
}

RgbaImage DecodeImage(std::span<const std::uint8_t> file)
{
    if (IsBmpFile(file)) {
        return DecodeBmp(file);
    }
    RefuseWhatDecodersMishandle(file);
    RgbaImage image;
    int channels = 0;
    const DecoderMemoryScope memory;
    const std::unique_ptr<unsigned char, StbFree> pixels(stbi_load_from_memory(
        file.data(), ByteCount(file), &image.width, &image.height, &channels, RgbaChannels));
    if (!pixels && memory.BudgetExceeded()) {
        throw PictureTooLargeError(OverBudgetReason("read"));
    }
    if (!pixels) {
        throw PictureError(std::string("cannot read the image: ") + stbi_failure_reason());
    }
    image.pixels = PixelsOfRgbaBytes(pixels.get(), static_cast<std::size_t>(image.width) * image.height);
    return image;
}

std::vector<std::uint8_t> EncodePng(const RgbImage &picture)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * RgbChannels);
    for (const std::uint32_t pixel : picture.pixels) {
        for (const int shift : {16, 8, 0}) {
            rgb.push_back(static_cast<std::uint8_t>(pixel >> shift));
        }
    }
    return EncodePngChannels(picture.width, picture.height, RgbChannels, rgb);
}

std::vector<std::uint8_t> EncodePng(const RgbaImage &picture)
{
    return EncodePngChannels(picture.width, picture.height, RgbaChannels, RgbaBytes(picture.pixels));
}
