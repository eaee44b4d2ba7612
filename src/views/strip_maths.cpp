#include "views/strip_maths.h"

double swatchReadX(double X)
{
    // column 10k is the white outline of swatch k; its colour starts one pixel to the right
    return CInt(X) % kSwatchWidth == 0 ? X + 1 : X;
}

int swatchPosition(double X) { return int(Int(X / kSwatchWidth)); }

StripPage stripPageFor(int group0, int k)
{
    const int p = int(Fix(double(k) / kSwatchesPerPage));
    const int shift = kSwatchesPerPage * kSwatchWidth * p;
    StripPage page;
    page.stripLeft = 4 - shift;
    page.markerLeft = kSwatchWidth * k + 2 - shift;
    page.markerTop = 2 + kSwatchWidth * group0;
    return page;
}

bool draggedStripLeft(int left, double X, double x0, int n, int& newLeft)
{
    if (n < kSwatchesPerPage + 1)
        return false;
    const Single L = Single(left + X - x0);
    const int lowest = 4 + kSwatchesPerPage * kSwatchWidth - kSwatchWidth * n;
    if (L < lowest)
        newLeft = lowest;
    else if (L > 4)
        newLeft = 4;
    else
        newLeft = CInt(L);
    return true;
}
