#include "image/adjust.h"

#include <array>

Adjustment adjustmentForButton(int button)
{
    switch (button) {
    case 12:
        return Adjustment::BrightnessUp;
    case 13:
        return Adjustment::BrightnessDown;
    case 14:
        return Adjustment::RedDown;
    case 15:
        return Adjustment::RedUp;
    case 16:
        return Adjustment::GreenDown;
    case 17:
        return Adjustment::GreenUp;
    case 18:
        return Adjustment::BlueDown;
    case 19:
        return Adjustment::BlueUp;
    case 20:
        return Adjustment::ContrastDown;
    default:
        return Adjustment::ContrastUp;
    }
}

namespace {
int held(int v)
{
    if (v > 255)
        v = 255;
    if (v < 0)
        v = 0;
    return v;
}

int contrast(int c, int direction)
{
    return held(c > kContrastPivot ? c + direction * kAdjustStep : c - direction * kAdjustStep);
}

// Which components a step names (red, green, blue) and how it changes one of them.
struct Step {
    bool r, g, b;
    int (*change)(int);
};

Step stepOf(Adjustment a)
{
    const auto up = [](int c) { return held(c + kAdjustStep); };
    const auto down = [](int c) { return held(c - kAdjustStep); };
    const auto more = [](int c) { return contrast(c, 1); };
    const auto less = [](int c) { return contrast(c, -1); };
    switch (a) {
    case Adjustment::BrightnessUp:
        return { true, true, true, up };
    case Adjustment::BrightnessDown:
        return { true, true, true, down };
    case Adjustment::RedUp:
        return { true, false, false, up };
    case Adjustment::RedDown:
        return { true, false, false, down };
    case Adjustment::GreenUp:
        return { false, true, false, up };
    case Adjustment::GreenDown:
        return { false, true, false, down };
    case Adjustment::BlueUp:
        return { false, false, true, up };
    case Adjustment::BlueDown:
        return { false, false, true, down };
    case Adjustment::ContrastUp:
        return { true, true, true, more };
    case Adjustment::ContrastDown:
        break;
    }
    return { true, true, true, less };
}
} // namespace

Components adjustComponents(Components c, Adjustment a)
{
    const Step s = stepOf(a);
    if (s.r)
        c.r = s.change(c.r);
    if (s.g)
        c.g = s.change(c.g);
    if (s.b)
        c.b = s.change(c.b);
    return c;
}

void adjustPicture(Surface& picture, Adjustment a)
{
    // each component's new value looked up once, not worked out again for every pixel
    const Step s = stepOf(a);
    std::array<int, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[std::size_t(c)] = s.change(c);
    const auto apply = [&](bool named, int c) { return named ? table[std::size_t(c)] : c; };
    const int W = picture.pixelWidth();
    const int H = picture.pixelHeight();
    for (int y = 0; y < H; ++y) {
        QRgb* row = picture.scanLine(y);
        for (int x = 0; x < W; ++x) {
            const Components c = split(colourFromRgb(row[x]));
            row[x] = rgbFromColour(RGB(apply(s.r, c.r), apply(s.g, c.g), apply(s.b, c.b)));
        }
    }
}
