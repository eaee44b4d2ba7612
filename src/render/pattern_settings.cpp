#include "render/pattern_settings.h"

#include <algorithm>
#include <cmath>

QString heldColourText(const QString& typed)
{
    QString t = typed;
    if (Val(t) < 7)
        t = QStringLiteral("7");
    if (Val(t) > 999)
        t = QStringLiteral("999");
    return t;
}

QString heldStitchText(const QString& typed)
{
    QString t = typed;
    if (Val(t) < 4)
        t = QStringLiteral("4");
    if (Val(t) > 100)
        t = QStringLiteral("100");
    return CStr(Fix(Val(t)));
}

QString stitchText(int pixels) { return CStr(Fix(pixels / 3.0)); }

namespace {
// The following side before it is held to its cap or rounded to a multiple of 3.
double unheldFollowingSide(int v, Single setSide, Single followSide)
{
    if (setSide > 0 && followSide > 0)
        return Fix(Single(v) * followSide / setSide);
    return v;
}
} // namespace

int followingSide(int v, Single setSide, Single followSide, int cap)
{
    const int side = int(std::clamp(unheldFollowingSide(v, setSide, followSide), 0.0, double(cap)));
    return side - side % 3;
}

namespace {
// True when a frame whose set side is `v` pixels keeps the following side within `cap` and the
// pattern within the stitches the grid holds in all.
bool frameFits(int v, Single setSide, Single followSide, int cap)
{
    if (unheldFollowingSide(v, setSide, followSide) > cap)
        return false;
    return qint64(v / 3) * (followingSide(v, setSide, followSide, cap) / 3) <= kMaxStitches;
}
} // namespace

int heldSetSide(int v, Single setSide, Single followSide, int cap)
{
    if (frameFits(v, setSide, followSide, cap))
        return v;
    // start at the exact proportion, then settle on the largest size that fits
    int side = std::min(v, cap);
    if (setSide > 0 && followSide > 0)
        side = int(std::clamp(std::floor(double(cap) * setSide / followSide), 0.0, double(v)));
    while (side > 0 && !frameFits(side, setSide, followSide, cap))
        --side;
    while (side < v && frameFits(side + 1, setSide, followSide, cap))
        ++side;
    return side;
}

int centredPosition(int outer) { return CInt(150 - outer / 2.0); }
