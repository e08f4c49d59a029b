#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/picture/bmp_builder.h"

namespace {

constexpr int BaseLevel = 9;
constexpr double DarkestFactor = 0.12;
constexpr double WhiteMix = 0.85;
constexpr std::uint8_t MaskOpaque = 0;
constexpr std::uint8_t MaskCutOut = 255;
constexpr int OutlineDarkening = 6;

constexpr std::array<std::array<int, 4>, 4> Bayer = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

std::uint32_t Channel(std::uint32_t rgb, int shift)
{
    return rgb >> shift & 0xFF;
}

std::uint32_t MixChannel(double from, double to, double t)
{
    return static_cast<std::uint32_t>(std::lround(std::clamp(from + (to - from) * t, 0.0, 255.0)));
}

std::uint32_t RampColour(std::uint32_t base, int level)
{
    std::uint32_t rgb = 0;
    for (const int shift : {16, 8, 0}) {
        const double c = Channel(base, shift);
        const std::uint32_t value =
            level <= BaseLevel
                ? MixChannel(c * DarkestFactor, c, static_cast<double>(level) / BaseLevel)
                : MixChannel(c, 255.0, WhiteMix * (level - BaseLevel) / (LightestLevel - BaseLevel));
        rgb |= value << shift;
    }
    return rgb;
}

std::uint32_t GreyColour(int level)
{
    const std::uint32_t v = static_cast<std::uint32_t>(level * 255 / LightestLevel);
    return v << 16 | v << 8 | v;
}

// The same colour, lighter (positive) or darker (negative) by some levels.
std::uint8_t Lighter(std::uint8_t colour, int levels)
{
    return Shade(static_cast<Ramp>(colour / RampLevels), colour % RampLevels + levels);
}

} // namespace

std::vector<std::uint32_t> BuildRampPalette(const RampColours &colours)
{
    std::vector<std::uint32_t> palette;
    for (int ramp = 0; ramp < RampCount; ++ramp)
        for (int level = 0; level < RampLevels; ++level)
            palette.push_back(ramp == Grey ? GreyColour(level) : RampColour(colours[ramp], level));
    return palette;
}

std::uint8_t Shade(Ramp ramp, int level)
{
    return static_cast<std::uint8_t>(ramp * RampLevels + std::clamp(level, DarkestLevel, LightestLevel));
}

std::uint8_t DitheredShade(Ramp ramp, double level, int x, int y)
{
    const double threshold = (Bayer[y & 3][x & 3] + 0.5) / 16.0;
    return Shade(ramp, static_cast<int>(std::floor(level + threshold)));
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), colours_(static_cast<std::size_t>(width) * height),
      drawn_(colours_.size())
{
}

std::size_t Canvas::IndexOf(int x, int y) const
{
    return static_cast<std::size_t>(y) * width_ + x;
}

bool Canvas::IsDrawn(int x, int y) const
{
    return x >= 0 && y >= 0 && x < width_ && y < height_ && drawn_[IndexOf(x, y)];
}

void Canvas::Plot(int x, int y, std::uint8_t colour)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    colours_[IndexOf(x, y)] = colour;
    drawn_[IndexOf(x, y)] = 1;
}

void Canvas::Erase(int x, int y)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    colours_[IndexOf(x, y)] = 0;
    drawn_[IndexOf(x, y)] = 0;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, std::uint8_t colour)
{
    Paint(x0, y0, x1, y1, [colour](int, int) { return colour; });
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, std::uint8_t colour)
{
    const int x0 = static_cast<int>(std::floor(cx - rx));
    const int y0 = static_cast<int>(std::floor(cy - ry));
    const int x1 = static_cast<int>(std::ceil(cx + rx)) + 1;
    const int y1 = static_cast<int>(std::ceil(cy + ry)) + 1;
    Paint(x0, y0, x1, y1, [&](int x, int y) {
        const double dx = (x + 0.5 - cx) / rx;
        const double dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0 ? colour : -1;
    });
}

void Canvas::Line(int x0, int y0, int x1, int y1, std::uint8_t colour)
{
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        Plot(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
             static_cast<int>(std::lround(y0 + (y1 - y0) * t)), colour);
    }
}

void Canvas::Outline()
{
    std::vector<std::uint8_t> edge(colours_.size());
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            edge[IndexOf(x, y)] = IsDrawn(x, y) && (!IsDrawn(x - 1, y) || !IsDrawn(x + 1, y) ||
                                                    !IsDrawn(x, y - 1) || !IsDrawn(x, y + 1));
    for (std::size_t i = 0; i < edge.size(); ++i)
        if (edge[i])
            colours_[i] = Lighter(colours_[i], -OutlineDarkening);
}

std::vector<std::uint8_t> Canvas::PictureBmp(const std::vector<std::uint32_t> &palette) const
{
    return BuildBmp8(width_, height_, palette, colours_);
}

std::vector<std::uint8_t> Canvas::MaskBmp() const
{
    std::vector<std::uint32_t> greys;
    for (std::uint32_t v = 0; v < 256; ++v)
        greys.push_back(v << 16 | v << 8 | v);
    std::vector<std::uint8_t> mask(drawn_.size());
    for (std::size_t i = 0; i < mask.size(); ++i)
        mask[i] = drawn_[i] ? MaskOpaque : MaskCutOut;
    return BuildBmp8(width_, height_, greys, mask);
}
