#include "views/embroidery_grid.h"

void drawTenStitchGrid(Surface& embroidery, bool doubleStitch)
{
    const int g = doubleStitch ? 90 : 30;
    const double w = embroidery.ScaleWidth();
    const double h = embroidery.ScaleHeight();
    embroidery.DrawMode = DrawModeKind::Invert;
    for (int x = g; x <= w; x += g)
        embroidery.Line(x, 0, x, h, 0);
    for (int y = g; y <= h; y += g)
        embroidery.Line(0, y, w, y, 0);
    embroidery.Line(0, 0, w, h, 0, LineKind::Box);
    embroidery.DrawMode = DrawModeKind::Copy;
}
