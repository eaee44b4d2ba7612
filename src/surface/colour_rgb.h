#pragma once
// Colour values: red + 256 * green + 65536 * blue, as RGB makes them and Point returns them.
#include "surface/basic.h"

#include <QRgb>

inline Long RGB(int r, int g, int b) { return Long(r) + 256 * Long(g) + 65536 * Long(b); }
// The two fixed colours the program names by number: 8 dark grey, 15 white (others black).
inline Long QBColor(int n) { return n == 8 ? RGB(128, 128, 128) : n == 15 ? RGB(255, 255, 255) : 0; }

// Colour value of a pixel and back.
inline Long colourFromRgb(QRgb p) { return Long(qRed(p)) | (Long(qGreen(p)) << 8) | (Long(qBlue(p)) << 16); }
inline QRgb rgbFromColour(Long c)
{
    return 0xff000000u | (quint32(c & 0xff) << 16) | (quint32(c & 0xff00)) | (quint32(c >> 16) & 0xff);
}
