#include "sample_furniture.h"

#include <cmath>

namespace {

// A raised panel: light upper and left edges, dark lower and right edges.
void DrawPanel(Canvas &c, int x0, int y0, int x1, int y1, Ramp ramp, int level)
{
    c.FillRect(x0, y0, x1, y1, Shade(ramp, level - 3));
    c.FillRect(x0, y0, x1 - 1, y1 - 1, Shade(ramp, level + 3));
    c.FillRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, Shade(ramp, level));
}

void DrawWoodGrain(Canvas &c, int x0, int y0, int x1, int y1, int level)
{
    c.Paint(x0, y0, x1, y1, [=](int x, int y) {
        const double grain = std::sin(x * 0.9 + 2.0 * std::sin(y / 9.0));
        return static_cast<int>(DitheredShade(Wood, level + 0.8 * grain, x, y));
    });
}

void DrawArchedFrame(Canvas &c)
{
    c.FillRect(0, 16, 64, 96, Shade(Wood, 4));
    c.FillEllipse(32, 18, 32, 18, Shade(Wood, 4));
    c.FillRect(0, 92, 64, 96, Shade(Tile, 8));
}

void DrawDoorLeaf(Canvas &c, int x0, int x1)
{
    const int width = x1 - x0;
    DrawWoodGrain(c, x0, 20, x1, 92, 9);
    c.Paint(x0, 4, x1, 20, [=](int x, int y) {
        const double dx = (x + 0.5 - 32) / 28.0, dy = (y + 0.5 - 20) / 16.0;
        return dx * dx + dy * dy <= 1.0 ? static_cast<int>(DitheredShade(Wood, 9.0, x, y)) : -1;
    });
    if (width < 30)
        return;
    const int inset = width / 8;
    DrawPanel(c, x0 + inset, 22, x1 - inset, 52, Wood, 8);
    DrawPanel(c, x0 + inset, 58, x1 - inset, 88, Wood, 8);
    c.FillEllipse(x1 - inset - 2, 56, 3, 3, Shade(Gold, 12));
    c.Plot(x1 - inset - 3, 55, Shade(Gold, 15));
}

void CutOutDoorway(Canvas &c, int x0, int x1)
{
    for (int y = 0; y < 92; ++y)
        for (int x = x0; x < x1; ++x) {
            const double dx = (x + 0.5 - 32) / 28.0, dy = (y + 0.5 - 20) / 16.0;
            if (y >= 20 || dx * dx + dy * dy <= 1.0)
                c.Erase(x, y);
        }
}

void DrawBedFrame(Canvas &c)
{
    DrawWoodGrain(c, 2, 6, 14, 60, 8);
    c.FillEllipse(8, 8, 6, 6, Shade(Wood, 10));
    DrawWoodGrain(c, 84, 26, 94, 60, 8);
    c.FillEllipse(89, 27, 5, 4, Shade(Wood, 10));
    c.FillRect(14, 44, 84, 52, Shade(Wood, 6));
    c.FillRect(4, 60, 10, 64, Shade(Wood, 4));
    c.FillRect(86, 60, 92, 64, Shade(Wood, 4));
}

int BlanketPattern(const Theme &theme, int x, int y)
{
    switch (theme.scenery) {
    case Scenery::Blossom: return (x / 6 + y / 6) % 2 == 0 ? 11 : 9;
    case Scenery::Sea: return std::sin(x / 3.0 + (y % 8) / 2.0) > 0.6 ? 12 : 9;
    case Scenery::Forest: return (x % 8 < 2 || y % 8 < 2) ? 7 : 10;
    }
    return 9;
}

void DrawChestBody(Canvas &c)
{
    DrawWoodGrain(c, 2, 16, 46, 38, 8);
    for (const int x : {6, 40})
        c.FillRect(x, 16, x + 3, 38, Shade(Gold, 10));
    c.FillRect(2, 16, 46, 18, Shade(Gold, 11));
    c.FillRect(2, 36, 46, 38, Shade(Gold, 8));
    c.FillRect(4, 38, 8, 40, Shade(Wood, 4));
    c.FillRect(40, 38, 44, 40, Shade(Wood, 4));
}

void DrawClosedLid(Canvas &c)
{
    c.Paint(2, 2, 46, 17, [](int x, int y) {
        const double dx = (x + 0.5 - 24) / 22.0, dy = (y + 0.5 - 17) / 14.0;
        return dx * dx + dy * dy <= 1.0 ? static_cast<int>(DitheredShade(Wood, 10.0 - (17 - y) / 8.0, x, y))
                                        : -1;
    });
    for (const int x : {6, 40})
        c.FillRect(x, 5, x + 3, 17, Shade(Gold, 11));
    c.FillRect(20, 14, 28, 22, Shade(Gold, 12));
    c.FillRect(23, 17, 25, 20, Shade(Grey, 1));
}

void DrawOpenLid(Canvas &c)
{
    c.FillRect(4, 0, 44, 10, Shade(Wood, 5));
    c.FillRect(6, 2, 42, 9, Shade(Wood, 3));
    c.FillRect(4, 10, 44, 17, Shade(Wood, 2));
    for (int i = 0; i < 7; ++i)
        c.FillEllipse(10 + i * 5, 15 - (i % 2), 3, 2, Shade(Gold, 11 + i % 3));
    c.FillEllipse(24, 12, 3, 3, Shade(Red, 12));
    c.Plot(23, 11, Shade(Grey, 15));
}

} // namespace

Canvas DrawDoor(DoorState state)
{
    Canvas c(64, 96);
    DrawArchedFrame(c);
    switch (state) {
    case DoorState::Closed: DrawDoorLeaf(c, 4, 60); break;
    case DoorState::Ajar:
        CutOutDoorway(c, 4, 60);
        DrawDoorLeaf(c, 4, 40);
        break;
    case DoorState::Open:
        CutOutDoorway(c, 4, 60);
        DrawDoorLeaf(c, 4, 12);
        break;
    }
    c.Outline();
    return c;
}

Canvas DrawBed(const Theme &theme, bool turnedDown)
{
    Canvas c(96, 64);
    DrawBedFrame(c);
    c.FillRect(14, 30, 86, 46, Shade(Fabric, 14));
    c.FillEllipse(26, 28, 11, 6, Shade(Grey, 15));
    c.FillEllipse(27, 30, 9, 3, Shade(Grey, 13));
    const int blanketStart = turnedDown ? 56 : 36;
    c.Paint(blanketStart, 24, 86, 48, [&](int x, int y) {
        const int fold = y < 28 ? 4 : 0;
        return static_cast<int>(Shade(Accent, BlanketPattern(theme, x, y) + fold));
    });
    c.FillRect(blanketStart, 24, blanketStart + 3, 48, Shade(Fabric, 15));
    c.Outline();
    return c;
}

Canvas DrawChest(bool open)
{
    Canvas c(48, 40);
    DrawChestBody(c);
    if (open)
        DrawOpenLid(c);
    else
        DrawClosedLid(c);
    c.Outline();
    return c;
}

Canvas DrawTable()
{
    Canvas c(80, 56);
    c.FillRect(36, 20, 44, 50, Shade(Wood, 6));
    c.FillEllipse(40, 52, 16, 4, Shade(Wood, 5));
    c.FillEllipse(40, 20, 38, 10, Shade(Wood, 6));
    c.FillEllipse(40, 17, 38, 10, Shade(Accent, 12));
    c.FillEllipse(40, 17, 30, 7, Shade(Paper, 14));
    c.FillEllipse(30, 12, 7, 6, Shade(Grey, 14));
    c.FillRect(36, 8, 40, 10, Shade(Grey, 12));
    c.FillEllipse(30, 7, 2, 2, Shade(Accent, 9));
    c.FillEllipse(52, 14, 5, 3, Shade(Grey, 15));
    c.FillEllipse(52, 13, 3, 1.5, Shade(Wood, 5));
    c.Outline();
    return c;
}

Canvas DrawMailbox()
{
    Canvas c(40, 64);
    DrawWoodGrain(c, 17, 34, 23, 62, 7);
    c.FillRect(12, 60, 28, 64, Shade(Tile, 8));
    c.FillRect(4, 14, 36, 36, Shade(Red, 9));
    c.FillEllipse(20, 14, 16, 10, Shade(Red, 11));
    c.FillRect(4, 14, 36, 16, Shade(Red, 11));
    c.FillRect(10, 22, 30, 25, Shade(Grey, 1));
    c.FillRect(13, 18, 24, 23, Shade(Paper, 14));
    c.FillRect(36, 8, 38, 26, Shade(Grey, 8));
    c.FillRect(36, 8, 40, 14, Shade(Gold, 12));
    c.Outline();
    return c;
}

Canvas DrawBath()
{
    Canvas c(112, 64);
    c.FillRect(4, 2, 8, 22, Shade(Grey, 10));
    c.FillRect(4, 2, 16, 6, Shade(Grey, 12));
    c.Paint(2, 20, 110, 56, [](int x, int y) {
        const double dx = (x + 0.5 - 56) / 54.0, dy = (y + 0.5 - 20) / 36.0;
        if (dx * dx + dy * dy > 1.0 && y > 24)
            return -1;
        return static_cast<int>(DitheredShade(Grey, 14.5 - (y - 20) / 14.0 - std::abs(dx) * 2, x, y));
    });
    c.FillEllipse(56, 22, 52, 7, Shade(Grey, 15));
    c.FillEllipse(56, 23, 48, 5, Shade(Water, 11));
    for (int i = 0; i < 9; ++i)
        c.FillEllipse(22 + i * 8 + (i % 2) * 3, 20 - (i % 3), 3 + i % 2, 2.5, Shade(Grey, 15));
    for (const int x : {20, 92}) {
        c.FillRect(x - 3, 52, x + 3, 60, Shade(Gold, 10));
        c.FillEllipse(x, 61, 5, 3, Shade(Gold, 12));
    }
    c.Outline();
    return c;
}

Canvas DrawLetter(Ramp seal)
{
    Canvas c(32, 24);
    c.FillRect(2, 4, 30, 21, Shade(Paper, 14));
    c.Line(2, 4, 16, 13, Shade(Paper, 9));
    c.Line(29, 4, 16, 13, Shade(Paper, 9));
    c.Line(2, 20, 12, 12, Shade(Paper, 11));
    c.Line(29, 20, 20, 12, Shade(Paper, 11));
    c.FillEllipse(16, 13, 3.5, 3.5, Shade(seal, 9));
    c.Plot(15, 12, Shade(seal, 13));
    c.Outline();
    return c;
}

Canvas DrawPlant()
{
    Canvas c(32, 32);
    for (int i = 0; i < 9; ++i) {
        const double a = -3.0 + i * 0.38;
        c.FillEllipse(16 + 10 * std::cos(a), 15 + 10 * std::sin(a), 5, 3.5, Shade(Leaf, 7 + i % 3));
    }
    c.FillEllipse(16, 11, 6, 5, Shade(Leaf, 10));
    c.FillEllipse(14, 6, 2.5, 2.5, Shade(Special, 12));
    c.Paint(8, 18, 24, 31, [](int x, int y) {
        const int half = 8 - (y - 18) / 4;
        return std::abs(x - 16) < half ? static_cast<int>(Shade(Red, 7 + (x < 16 ? 2 : 0))) : -1;
    });
    c.FillRect(7, 18, 25, 20, Shade(Red, 10));
    c.Outline();
    return c;
}
