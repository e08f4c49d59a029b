#include "quantiser.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace {

constexpr std::uint32_t RgbMask = 0x00FFFFFF;
constexpr int ChannelCount = 3;
constexpr int RefinementRounds = 4;

struct ColourCount {
    std::array<int, ChannelCount> rgb;
    std::uint32_t count;
};

std::array<int, ChannelCount> Channels(std::uint32_t colour)
{
    return {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
            static_cast<int>(colour & 0xFF)};
}

std::uint32_t Pack(const std::array<int, ChannelCount> &rgb)
{
    return static_cast<std::uint32_t>(rgb[0]) << 16 | static_cast<std::uint32_t>(rgb[1]) << 8 |
           static_cast<std::uint32_t>(rgb[2]);
}

// The distinct colours in the order they first appear; empty when there are
// more than the palette holds.
std::vector<std::uint32_t> DistinctColours(const std::vector<std::uint32_t> &pixels)
{
    std::vector<std::uint32_t> colours;
    std::unordered_map<std::uint32_t, std::size_t> seen;
    for (const std::uint32_t pixel : pixels) {
        if (seen.emplace(pixel & RgbMask, colours.size()).second) {
            colours.push_back(pixel & RgbMask);
            if (colours.size() > PaletteCapacity) {
                return {};
            }
        }
    }
    return colours;
}

std::vector<ColourCount> Histogram(const std::vector<std::uint32_t> &pixels)
{
    std::vector<std::uint32_t> sorted(pixels.size());
    std::transform(pixels.begin(), pixels.end(), sorted.begin(), [](std::uint32_t p) { return p & RgbMask; });
    std::sort(sorted.begin(), sorted.end());
    std::vector<ColourCount> histogram;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j < sorted.size() && sorted[j] == sorted[i]) {
            ++j;
        }
        histogram.push_back({Channels(sorted[i]), static_cast<std::uint32_t>(j - i)});
        i = j;
    }
    return histogram;
}

// A box of the colour cube: a run of histogram entries.
struct Box {
    std::size_t begin;
    std::size_t end;
    double error = 0; // weighted squared distance from the box's mean
    int widestChannel = 0;
};

std::array<double, ChannelCount> MeanOf(const std::vector<ColourCount> &colours, std::size_t begin,
                                        std::size_t end)
{
    std::array<double, ChannelCount> sum{};
    double weight = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int c = 0; c < ChannelCount; ++c) {
            sum[c] += static_cast<double>(colours[i].rgb[c]) * colours[i].count;
        }
        weight += colours[i].count;
    }
    for (double &channel : sum) {
        channel /= weight;
    }
    return sum;
}

Box MakeBox(const std::vector<ColourCount> &colours, std::size_t begin, std::size_t end)
{
    Box box{begin, end};
    const std::array<double, ChannelCount> mean = MeanOf(colours, begin, end);
    std::array<double, ChannelCount> spread{};
    for (std::size_t i = begin; i < end; ++i) {
        for (int c = 0; c < ChannelCount; ++c) {
            const double d = colours[i].rgb[c] - mean[c];
            spread[c] += d * d * colours[i].count;
        }
    }
    box.widestChannel = static_cast<int>(std::max_element(spread.begin(), spread.end()) - spread.begin());
    box.error = spread[0] + spread[1] + spread[2];
    return box;
}

// Splits the box at the weighted median of its widest channel. Colours
// equal in that channel are ordered by their whole value, so that the split,
// and the palette, do not depend on how the standard library's sort orders
// ties (the browser edition's libc++ and libstdc++ order them differently).
std::pair<Box, Box> SplitBox(std::vector<ColourCount> &colours, const Box &box)
{
    const int channel = box.widestChannel;
    std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
              colours.begin() + static_cast<std::ptrdiff_t>(box.end),
              [channel](const ColourCount &a, const ColourCount &b) {
                  return a.rgb[channel] != b.rgb[channel] ? a.rgb[channel] < b.rgb[channel] : a.rgb < b.rgb;
              });
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        total += colours[i].count;
    }
    std::uint64_t running = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        running += colours[i].count;
        cut = i + 1;
        if (running * 2 >= total) {
            break;
        }
    }
    return {MakeBox(colours, box.begin, cut), MakeBox(colours, cut, box.end)};
}

std::vector<std::uint32_t> MedianCut(std::vector<ColourCount> &colours)
{
    std::vector<Box> boxes = {MakeBox(colours, 0, colours.size())};
    while (boxes.size() < PaletteCapacity) {
        const auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return (a.end - a.begin > 1 ? a.error : -1) < (b.end - b.begin > 1 ? b.error : -1);
        });
        if (widest->end - widest->begin < 2) {
            break;
        }
        const auto [left, right] = SplitBox(colours, *widest);
        *widest = left;
        boxes.push_back(right);
    }
    std::vector<std::uint32_t> palette;
    for (const Box &box : boxes) {
        const std::array<double, ChannelCount> mean = MeanOf(colours, box.begin, box.end);
        palette.push_back(Pack({static_cast<int>(mean[0] + 0.5), static_cast<int>(mean[1] + 0.5),
                                static_cast<int>(mean[2] + 0.5)}));
    }
    return palette;
}

// The first entry nearest to the colour. A sum of squares only grows, so an
// entry is left as soon as part of its distance reaches the best so far.
std::uint8_t Nearest(const std::vector<std::array<int, ChannelCount>> &palette,
                     const std::array<int, ChannelCount> &rgb)
{
    int best = std::numeric_limits<int>::max();
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < palette.size() && best > 0; ++i) {
        int d = 0;
        int c = 0;
        for (; c < ChannelCount && d < best; ++c) {
            const int difference = palette[i][c] - rgb[c];
            d += difference * difference;
        }
        if (c == ChannelCount && d < best) {
            best = d;
            bestIndex = i;
        }
    }
    return static_cast<std::uint8_t>(bestIndex);
}

std::vector<std::array<int, ChannelCount>> Unpacked(const std::vector<std::uint32_t> &palette)
{
    std::vector<std::array<int, ChannelCount>> unpacked;
    std::transform(palette.begin(), palette.end(), std::back_inserter(unpacked), Channels);
    return unpacked;
}

// Rounds of k-means: each colour goes to its nearest palette entry, each
// entry moves to the weighted mean of its colours.
void Refine(const std::vector<ColourCount> &colours, std::vector<std::uint32_t> &palette)
{
    for (int round = 0; round < RefinementRounds; ++round) {
        const std::vector<std::array<int, ChannelCount>> entries = Unpacked(palette);
        std::vector<std::array<double, ChannelCount + 1>> sums(palette.size());
        for (const ColourCount &colour : colours) {
            auto &sum = sums[Nearest(entries, colour.rgb)];
            for (int c = 0; c < ChannelCount; ++c) {
                sum[c] += static_cast<double>(colour.rgb[c]) * colour.count;
            }
            sum[ChannelCount] += colour.count;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const double weight = sums[i][ChannelCount];
            if (weight > 0) {
                palette[i] = Pack({static_cast<int>(sums[i][0] / weight + 0.5),
                                   static_cast<int>(sums[i][1] / weight + 0.5),
                                   static_cast<int>(sums[i][2] / weight + 0.5)});
            }
        }
    }
}

std::vector<std::uint8_t> MapNearest(const std::vector<std::uint32_t> &pixels,
                                     const std::vector<std::uint32_t> &palette)
{
    const std::vector<std::array<int, ChannelCount>> entries = Unpacked(palette);
    std::unordered_map<std::uint32_t, std::uint8_t> chosen;
    std::vector<std::uint8_t> indices;
    indices.reserve(pixels.size());
    for (const std::uint32_t pixel : pixels) {
        const std::uint32_t rgb = pixel & RgbMask;
        const auto found = chosen.find(rgb);
        const std::uint8_t index =
            found != chosen.end() ? found->second : chosen[rgb] = Nearest(entries, Channels(rgb));
        indices.push_back(index);
    }
    return indices;
}

// Floyd-Steinberg: each pixel's error goes 7/16 right, 3/16 down-left, 5/16
// down and 1/16 down-right.
std::vector<std::uint8_t> MapDithered(int width, int height, const std::vector<std::uint32_t> &pixels,
                                      const std::vector<std::uint32_t> &palette)
{
    const std::vector<std::array<int, ChannelCount>> entries = Unpacked(palette);
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::array<int, ChannelCount>> errorRow(w + 2), nextErrorRow(w + 2);
    std::vector<std::uint8_t> indices(pixels.size());
    for (int y = 0; y < height; ++y) {
        std::fill(nextErrorRow.begin(), nextErrorRow.end(), std::array<int, ChannelCount>{});
        for (std::size_t x = 0; x < w; ++x) {
            const std::array<int, ChannelCount> original = Channels(pixels[y * w + x]);
            std::array<int, ChannelCount> wanted{};
            for (int c = 0; c < ChannelCount; ++c) {
                wanted[c] = std::clamp(original[c] + errorRow[x + 1][c] / 16, 0, 255);
            }
            const std::uint8_t index = Nearest(entries, wanted);
            indices[y * w + x] = index;
            for (int c = 0; c < ChannelCount; ++c) {
                const int error = wanted[c] - entries[index][c];
                errorRow[x + 2][c] += error * 7;
                nextErrorRow[x][c] += error * 3;
                nextErrorRow[x + 1][c] += error * 5;
                nextErrorRow[x + 2][c] += error;
            }
        }
        std::swap(errorRow, nextErrorRow);
    }
    return indices;
}

} // namespace

IndexedPicture QuantisePicture(int width, int height, const std::vector<std::uint32_t> &pixels, bool dither)
{
    IndexedPicture picture{width, height, DistinctColours(pixels), {}};
    if (!picture.palette.empty() || pixels.empty()) {
        picture.indices = MapNearest(pixels, picture.palette);
        return picture;
    }
    std::vector<ColourCount> colours = Histogram(pixels);
    picture.palette = MedianCut(colours);
    Refine(colours, picture.palette);
    picture.indices =
        dither ? MapDithered(width, height, pixels, picture.palette) : MapNearest(pixels, picture.palette);
    return picture;
}
