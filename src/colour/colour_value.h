#pragma once
// Colour values taken apart the one way the program does it: through the six-digit
// hexadecimal text made by hox, blue first.
#include "surface/colour_rgb.h"

// The colour in upper-case hexadecimal, padded on the left with "0" to six characters.
QString hox(Long colour);

struct Components {
    int r = 0, g = 0, b = 0;
    int sum() const { return r + g + b; }
};
// Red from the last two digits of hox, green from the middle two, blue from the first two;
// -1 (a point outside a surface) reads as white.
Components split(Long colour);
// A colour is light when its components add up to more than 500.
inline bool isLight(Long colour) { return split(colour).sum() > 500; }
