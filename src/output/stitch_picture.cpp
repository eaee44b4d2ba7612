#include "output/stitch_picture.h"

#include "surface/colour_rgb.h"

#include <algorithm>

QImage stitchPicture(const WorkState& st)
{
    const int w = std::min<int>(st.ancho_puntos, kMaxColumns);
    const int h = std::min<int>(st.alto_puntos, kMaxRows);
    if (w < 1 || h < 1)
        return {};
    QImage im(w, h, QImage::Format_RGB32);
    if (im.isNull())
        return im;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = rgbFromColour(st.puntos(x, y));
    }
    return im;
}
