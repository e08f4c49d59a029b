#include "sample_scenes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Horizon = 140;
constexpr int NightDimming = -5;

int Dimming(Daylight sky)
{
    return sky == Daylight::Night ? NightDimming : 0;
}

void DrawSkyGradient(Canvas &c, Daylight sky)
{
    c.Paint(0, 0, SceneWidth, Horizon + 40, [sky](int x, int y) {
        const double t = static_cast<double>(y) / Horizon;
        if (sky == Daylight::Night)
            return static_cast<int>(DitheredShade(Night, 2.0 + 4.0 * t, x, y));
        const double dx = x - 250.0, dy = y - 48.0;
        const double glow = 3.0 * std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy) / 70.0);
        return static_cast<int>(DitheredShade(Sky, 8.0 + 5.0 * t + glow, x, y));
    });
}

void DrawCloud(Canvas &c, double cx, double cy, double size, int dim)
{
    const Ramp ramp = dim < 0 ? Night : Grey;
    const int base = dim < 0 ? 5 : 13;
    for (const auto &[ox, oy, r] :
         {std::array{-1.2, 0.2, 0.7}, {0.0, -0.3, 1.0}, {1.1, 0.1, 0.8}, {0.4, 0.3, 0.8}})
        c.FillEllipse(cx + ox * size, cy + oy * size + 2, r * size * 1.3, r * size * 0.8, Shade(ramp, base));
    for (const auto &[ox, oy, r] : {std::array{-1.2, 0.1, 0.6}, {0.0, -0.4, 0.9}, {1.1, 0.0, 0.7}})
        c.FillEllipse(cx + ox * size, cy + oy * size, r * size * 1.2, r * size * 0.7, Shade(ramp, base + 2));
}

void DrawSunMoonAndStars(Canvas &c, Daylight sky)
{
    if (sky != Daylight::Night) {
        c.FillEllipse(250, 48, 17, 17, Shade(Gold, 14));
        c.FillEllipse(247, 45, 12, 12, Shade(Gold, 15));
        return;
    }
    c.Paint(0, 0, SceneWidth, Horizon, [](int x, int y) {
        const double n = HashNoise(x, y, 7);
        return n > 0.9975 ? Shade(Gold, 15) : n > 0.995 ? Shade(Grey, 12) : -1;
    });
    c.FillEllipse(240, 46, 16, 16, Shade(Gold, 14));
    c.FillEllipse(247, 41, 14, 14, Shade(Night, 2));
}

void DrawRainbow(Canvas &c)
{
    const std::array<std::uint8_t, 6> bands = {Shade(Red, 10),  Shade(Red, 13),   Shade(Gold, 12),
                                               Shade(Leaf, 11), Shade(Water, 11), Shade(Accent, 10)};
    c.Paint(0, 0, SceneWidth, Horizon, [&](int x, int y) {
        const double d = std::hypot(x - 160.0, (y - 190.0) * 1.2);
        const int band = static_cast<int>((184.0 - d) / 5.0);
        return d <= 184.0 && band < static_cast<int>(bands.size()) ? bands[band] : -1;
    });
}

void DrawFarHills(Canvas &c, int dim)
{
    c.Paint(0, 100, SceneWidth, SceneHeight, [dim](int x, int y) {
        const double ridge = Horizon - 8 + 10 * std::sin(x / 40.0) + 5 * std::sin(x / 17.0 + 1.0);
        return y >= ridge ? static_cast<int>(DitheredShade(Hill, 11.0 + dim - (y - ridge) / 20.0, x, y)) : -1;
    });
}

void DrawCherryTree(Canvas &c, int x, int baseY, int dim)
{
    c.FillRect(x - 3, baseY - 42, x + 3, baseY + 4, Shade(Wood, 5 + dim));
    c.Line(x, baseY - 30, x - 14, baseY - 50, Shade(Wood, 5 + dim));
    c.Line(x + 1, baseY - 34, x + 14, baseY - 52, Shade(Wood, 5 + dim));
    for (int i = 0; i < 9; ++i) {
        const double a = i * 0.7;
        const double r = 11 + 6 * HashNoise(x, i, 3);
        c.FillEllipse(x + 19 * std::cos(a), baseY - 54 + 11 * std::sin(a), r, r * 0.85,
                      Shade(Special, 9 + dim + i % 3));
    }
    c.FillEllipse(x - 4, baseY - 60, 12, 9, Shade(Special, 13 + dim));
}

void DrawBlossomHills(Canvas &c, int dim)
{
    auto ridge = [](int x) { return 180 + 14 * std::sin(x / 55.0 + 2.0); };
    c.Paint(0, 150, SceneWidth, SceneHeight, [&](int x, int y) {
        return y >= ridge(x) ? static_cast<int>(DitheredShade(Leaf, 10.0 + dim - (y - ridge(x)) / 25.0, x, y))
                             : -1;
    });
    for (const int x : {40, 125, 210, 292})
        DrawCherryTree(c, x, static_cast<int>(ridge(x)) + 6, dim);
    c.Paint(0, 0, SceneWidth, SceneHeight,
            [dim](int x, int y) { return HashNoise(x, y, 11) > 0.997 ? Shade(Special, 14 + dim) : -1; });
}

void DrawSailboat(Canvas &c, int x, int y, int dim)
{
    c.Paint(x - 14, y - 26, x + 14, y, [=](int px, int py) {
        const int h = y - py;
        return px >= x && px - x < 26 - h ? static_cast<int>(Shade(Grey, 15 + dim)) : -1;
    });
    c.FillRect(x - 1, y - 28, x, y + 2, Shade(Wood, 4 + dim));
    c.Paint(x - 16, y, x + 18, y + 5, [=](int px, int py) {
        return std::abs(px - x - 1) < 17 - (py - y) * 2 ? static_cast<int>(Shade(Red, 8 + dim)) : -1;
    });
}

void DrawSea(Canvas &c, int dim)
{
    c.FillEllipse(70, Horizon, 60, 12, Shade(Hill, 9 + dim));
    auto beach = [](int x) { return 205 + 5 * std::sin(x / 30.0); };
    c.Paint(0, Horizon, SceneWidth, SceneHeight, [&](int x, int y) {
        if (y >= beach(x))
            return static_cast<int>(DitheredShade(Paper, 11.0 + dim + HashNoise(x, y, 5), x, y));
        const bool wave = y % 5 == 0 && HashNoise(x / 9, y, 4) > 0.6;
        const bool glint = dim == 0 && std::abs(x - 250) < 10 + (y - Horizon) / 3 && y % 3 == 0 &&
                           HashNoise(x / 3, y, 6) > 0.4;
        if (glint)
            return static_cast<int>(Shade(Gold, 13));
        const double level = 11.0 + dim - 4.0 * (y - Horizon) / 70.0 + (wave ? 3.0 : 0.0);
        return static_cast<int>(DitheredShade(Water, level, x, y));
    });
    DrawSailboat(c, 130, 160, dim);
}

void DrawPine(Canvas &c, int x, int baseY, int height, int level)
{
    c.FillRect(x - 2, baseY - 8, x + 2, baseY + 2, Shade(Wood, level - 3));
    for (int tier = 0; tier < 3; ++tier) {
        const int top = baseY - height + tier * height / 4;
        const int bottom = top + height / 2;
        c.Paint(x - height / 3, top, x + height / 3 + 1, bottom, [=](int px, int py) {
            const double half = (py - top) * (height / 3.0) / (bottom - top);
            if (std::abs(px - x) > half)
                return -1;
            return static_cast<int>(Shade(Leaf, level + (px < x ? 1 : 0) - tier % 2));
        });
    }
}

void DrawForest(Canvas &c, int dim)
{
    for (int i = 0; i < 12; ++i)
        DrawPine(c, i * 29 + 8, 158 + static_cast<int>(6 * HashNoise(i, 1, 2)), 46, 6 + dim);
    c.Paint(0, 170, SceneWidth, SceneHeight, [dim](int x, int y) {
        const double ridge = 188 + 6 * std::sin(x / 45.0);
        if (y < ridge)
            return -1;
        if (HashNoise(x, y, 9) > 0.985)
            return static_cast<int>(Shade(Special, 13 + dim));
        return static_cast<int>(DitheredShade(Leaf, 10.0 + dim - (y - ridge) / 30.0, x, y));
    });
    for (int i = 0; i < 5; ++i)
        DrawPine(c, i * 72 + 30, 214, 84, 8 + dim);
}

void DrawLandscape(Canvas &c, const Theme &theme, Daylight sky)
{
    const int dim = Dimming(sky);
    c.FillRect(0, 0, SceneWidth, SceneHeight, Shade(Hill, 9 + dim));
    DrawSkyGradient(c, sky);
    DrawSunMoonAndStars(c, sky);
    if (sky == Daylight::Rainbow)
        DrawRainbow(c);
    DrawCloud(c, 70, 46, 16, dim);
    DrawCloud(c, 175, 80, 11, dim);
    if (theme.scenery != Scenery::Sea)
        DrawFarHills(c, dim);
    switch (theme.scenery) {
    case Scenery::Blossom: DrawBlossomHills(c, dim); break;
    case Scenery::Sea: DrawSea(c, dim); break;
    case Scenery::Forest: DrawForest(c, dim); break;
    }
}

void DrawSparkles(Canvas &c)
{
    for (int i = 0; i < 14; ++i) {
        const int x = static_cast<int>(HashNoise(i, 0, 21) * SceneWidth);
        const int y = static_cast<int>(HashNoise(i, 1, 21) * 120);
        const int r = 2 + i % 3;
        c.Line(x - r, y, x + r, y, Shade(Gold, 15));
        c.Line(x, y - r, x, y + r, Shade(Gold, 15));
        c.Plot(x, y, Shade(Grey, 15));
    }
}

void DrawGardenPath(Canvas &c, int dim)
{
    constexpr int Top = 150;
    c.Paint(0, Top, SceneWidth, SceneHeight, [dim](int x, int y) {
        const double t = static_cast<double>(y - Top) / (SceneHeight - Top);
        const double half = 10 + 80 * t;
        if (std::abs(x - 160) > half)
            return static_cast<int>(DitheredShade(Leaf, 8.0 + dim + 2.0 * t + HashNoise(x, y, 8), x, y));
        const int row = static_cast<int>(std::sqrt(t) * 12);
        const int column = static_cast<int>((x - 160 + half) / (2 * half) * 4 + (row % 2) * 0.5);
        const double stone = HashNoise(column, row, 12);
        const bool joint = std::fmod(std::sqrt(t) * 12, 1.0) < 0.12;
        return static_cast<int>(DitheredShade(Tile, (joint ? 5.0 : 10.0 + 2 * stone) + dim, x, y));
    });
    for (const int side : {-1, 1})
        for (int i = 0; i < 6; ++i) {
            const double t = i / 5.0;
            const double x = 160 + side * (24 + 96 * t);
            const double y = Top + 6 + 84 * t * t;
            c.FillEllipse(x + side * 18, y, 8 + 14 * t, 5 + 9 * t, Shade(Leaf, 7 + dim));
            c.FillEllipse(x + side * 16, y - 2 - 2 * t, 3 + 4 * t, 3 + 3 * t, Shade(Special, 12 + dim));
        }
}

void DrawWallpaper(Canvas &c)
{
    c.Paint(0, 0, SceneWidth, 146, [](int x, int y) {
        const bool stripe = (x / 20) % 2 == 0;
        const bool dot = (x + (y / 20) * 10) % 20 == 10 && y % 20 == 10;
        if (dot)
            return static_cast<int>(Shade(Accent, 11));
        return static_cast<int>(DitheredShade(Wall, (stripe ? 11.5 : 12.0) - (146 - y) / 120.0, x, y));
    });
    c.FillRect(0, 0, SceneWidth, 8, Shade(Wood, 7));
    c.FillRect(0, 8, SceneWidth, 10, Shade(Wood, 4));
    c.FillRect(0, 140, SceneWidth, 150, Shade(Wood, 7));
    c.FillRect(0, 140, SceneWidth, 141, Shade(Wood, 10));
}

void DrawFloor(Canvas &c)
{
    c.Paint(0, 150, SceneWidth, SceneHeight, [](int x, int y) {
        const double depth = (y - 150) / 90.0;
        const int board = static_cast<int>(std::sqrt(depth) * 9);
        const double seamSpacing = 60 + 40 * depth;
        const double seamX = std::fmod(x + board * 37.0, seamSpacing);
        const bool seam = std::fmod(std::sqrt(depth) * 9, 1.0) < 0.08 || seamX < 1.0;
        const double grain = 0.8 * std::sin(x / 7.0 + board * 3.0 + 3 * HashNoise(board, 0, 4));
        return static_cast<int>(DitheredShade(Floor, (seam ? 6.0 : 9.5 + grain) + depth, x, y));
    });
}

void DrawRug(Canvas &c)
{
    c.FillEllipse(160, 206, 96, 26, Shade(Accent, 6));
    c.FillEllipse(160, 206, 92, 24, Shade(Accent, 10));
    c.FillEllipse(160, 206, 80, 19, Shade(Accent, 12));
    c.FillEllipse(160, 206, 64, 14, Shade(Accent, 9));
}

constexpr int WindowLeft = 104, WindowTop = 30, WindowRight = 216, WindowBottom = 116;

void DrawWindow(Canvas &c)
{
    c.FillRect(WindowLeft - 6, WindowTop - 6, WindowRight + 6, WindowBottom + 6, Shade(Grey, 14));
    c.FillRect(WindowLeft - 6, WindowBottom + 6, WindowRight + 6, WindowBottom + 8, Shade(Grey, 9));
    c.FillRect(WindowLeft - 12, WindowBottom + 2, WindowRight + 12, WindowBottom + 8, Shade(Wood, 9));
    for (int y = WindowTop; y < WindowBottom; ++y)
        for (int x = WindowLeft; x < WindowRight; ++x)
            c.Erase(x, y);
    const int midX = (WindowLeft + WindowRight) / 2, midY = (WindowTop + WindowBottom) / 2;
    c.FillRect(midX - 2, WindowTop, midX + 2, WindowBottom, Shade(Grey, 14));
    c.FillRect(WindowLeft, midY - 2, WindowRight, midY + 2, Shade(Grey, 14));
}

void DrawCurtain(Canvas &c, int x0, int x1)
{
    c.Paint(x0, WindowTop - 14, x1, WindowBottom + 20, [x0](int x, int y) {
        const double fold = std::sin((x - x0) / 3.0);
        return static_cast<int>(DitheredShade(Accent, 9.5 + 2.0 * fold, x, y));
    });
    c.FillRect(WindowLeft - 28, WindowTop - 16, WindowRight + 28, WindowTop - 12, Shade(Wood, 5));
}

void DrawPicture(Canvas &c, const Theme &theme)
{
    const Ramp land = theme.scenery == Scenery::Sea ? Water : Leaf;
    c.FillRect(26, 44, 80, 90, Shade(Wood, 5));
    c.FillRect(26, 44, 80, 45, Shade(Wood, 9));
    c.Paint(30, 48, 76, 86, [land](int x, int y) {
        const double hill = 74 + 6 * std::sin(x / 9.0);
        const double dx = x - 64.0, dy = y - 58.0;
        if (dx * dx + dy * dy <= 25.0)
            return static_cast<int>(Shade(Gold, 14));
        return static_cast<int>(y >= hill ? Shade(land, 9)
                                          : DitheredShade(Sky, 11.0 + (y - 48) / 12.0, x, y));
    });
}

void DrawClock(Canvas &c)
{
    c.FillEllipse(268, 62, 17, 17, Shade(Wood, 5));
    c.FillEllipse(268, 62, 14, 14, Shade(Paper, 14));
    c.Line(268, 62, 268, 52, Shade(Grey, 2));
    c.Line(268, 62, 275, 65, Shade(Grey, 2));
    for (int h = 0; h < 12; ++h)
        c.Plot(static_cast<int>(268 + 11 * std::cos(h * 0.5236)),
               static_cast<int>(62 + 11 * std::sin(h * 0.5236)), Shade(Grey, 4));
}

} // namespace

Canvas DrawWindowView(const Theme &theme, Daylight sky)
{
    Canvas c(SceneWidth, SceneHeight);
    DrawLandscape(c, theme, sky);
    if (sky == Daylight::Rainbow)
        DrawSparkles(c);
    return c;
}

Canvas DrawDoorView(const Theme &theme, Daylight sky)
{
    Canvas c(SceneWidth, SceneHeight);
    DrawLandscape(c, theme, sky);
    DrawGardenPath(c, Dimming(sky));
    return c;
}

Canvas DrawRoom(const Theme &theme)
{
    Canvas c(SceneWidth, SceneHeight);
    DrawWallpaper(c);
    DrawFloor(c);
    DrawRug(c);
    DrawWindow(c);
    DrawCurtain(c, WindowLeft - 26, WindowLeft - 2);
    DrawCurtain(c, WindowRight + 2, WindowRight + 26);
    DrawPicture(c, theme);
    DrawClock(c);
    return c;
}
