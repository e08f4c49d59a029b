// A small 8-bit drawing surface for the procedurally drawn sample rooms.
// Colours are palette indices made of sixteen ramps of sixteen shades each,
// so that a picture can be lit and shaded by moving along a ramp. Every pixel
// also records whether something was drawn on it: what stays undrawn is cut
// out by the part's mask.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

enum Ramp : std::uint8_t {
    Grey,
    Sky,
    Wall,
    Floor,
    Wood,
    Accent,
    Fabric,
    Gold,
    Water,
    Leaf,
    Hill,
    Night,
    Paper,
    Red,
    Tile,
    Special,
};
inline constexpr int RampCount = 16;
inline constexpr int RampLevels = 16;
inline constexpr int DarkestLevel = 0;
inline constexpr int LightestLevel = RampLevels - 1;

// Base colours (0x00RRGGBB) of the sixteen ramps, indexed by Ramp.
using RampColours = std::array<std::uint32_t, RampCount>;

// The 256-colour palette: each ramp runs from near black through its base
// colour (at level 9) to near white. The Grey ramp runs from black to white.
std::vector<std::uint32_t> BuildRampPalette(const RampColours &colours);

std::uint8_t Shade(Ramp ramp, int level);
// A fractional level, spread over neighbouring shades with an ordered
// dither so that gradients look smooth in 256 colours.
std::uint8_t DitheredShade(Ramp ramp, double level, int x, int y);

class Canvas {
  public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Points outside the canvas are ignored.
    void Plot(int x, int y, std::uint8_t colour);
    void Erase(int x, int y);
    // Half-open rectangle [x0, x1) x [y0, y1).
    void FillRect(int x0, int y0, int x1, int y1, std::uint8_t colour);
    void FillEllipse(double cx, double cy, double rx, double ry, std::uint8_t colour);
    void Line(int x0, int y0, int x1, int y1, std::uint8_t colour);
    // Calls shade(x, y) for every pixel of the rectangle and plots its
    // result; a negative result leaves the pixel as it is.
    template <class ShadeFunction> void Paint(int x0, int y0, int x1, int y1, ShadeFunction shade)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (const int colour = shade(x, y); colour >= 0)
                    Plot(x, y, static_cast<std::uint8_t>(colour));
    }
    // Darkens every drawn pixel that touches an undrawn one or the edge.
    void Outline();

    // Undrawn pixels are black in the picture.
    std::vector<std::uint8_t> PictureBmp(const std::vector<std::uint32_t> &palette) const;
    // Black where drawn, white where cut out, on a grey-scale palette.
    std::vector<std::uint8_t> MaskBmp() const;

  private:
    std::size_t IndexOf(int x, int y) const;
    bool IsDrawn(int x, int y) const;

    int width_;
    int height_;
    std::vector<std::uint8_t> colours_;
    std::vector<std::uint8_t> drawn_;
};
