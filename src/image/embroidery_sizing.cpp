#include "image/embroidery_sizing.h"

#include "surface/basic.h"

namespace {
// The shorter side at 300 pixels for the longer one, cut down to a multiple of 3, plus the border.
int followingOuterSide(int shorter, int longer)
{
    const int q = int(Fix(Single(shorter) * Single(300) / Single(longer)));
    return q + 4 - (q % 3);
}

int centredAcross(int outerSize) { return CInt(Single(kFrameSide - outerSize) / 2 - 2); }
} // namespace

EmbroideryLayout embroideryLayoutFor(int W, int H)
{
    EmbroideryLayout l;
    if (W <= 0 || H <= 0)
        return l;
    if (W > H) {
        l.width = kFrameSide;
        l.height = followingOuterSide(H, W);
        l.top = centredAcross(l.height);
        l.left = -2;
        l.text4 = QStringLiteral("100");
        l.text5 = CStr((l.height - 4) / 3);
        l.vscroll4 = 300;
        l.vscroll5 = int(Val(l.text5)) * 3;
    } else {
        l.height = kFrameSide;
        l.width = followingOuterSide(W, H);
        l.top = -2;
        l.left = centredAcross(l.width);
        l.text4 = CStr((l.width - 4) / 3);
        l.text5 = QStringLiteral("100");
        l.vscroll4 = int(Val(l.text4)) * 3;
        l.vscroll5 = 300;
    }
    return l;
}

int centredInFrame(int outerSize) { return CInt(kFrameCentre - Single(outerSize) / 2); }

std::optional<int> spinnerPixelsForStitches(qint64 stitches, int spinnerMaximum)
{
    // any side past the spinner is refused before it is multiplied
    if (stitches < 1 || stitches > spinnerMaximum / 3)
        return std::nullopt;
    return int(stitches * 3);
}
