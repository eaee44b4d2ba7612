#pragma once
// How far apart two colours look: sRGB colour values to CIELAB (D65 white) and the CIEDE2000
// difference (ΔE2000) between two CIELAB colours.
#include "surface/colour_rgb.h"

struct Lab {
    double L = 0, a = 0, b = 0;
};

// CIELAB of a colour value (sRGB, D65 white); -1 reads as white, like every colour taken apart.
Lab labFromColour(Long colour);
// The sRGB colour value nearest to a CIELAB colour, each component rounded and held to 0..255.
Long colourFromLab(const Lab& lab);
// CIEDE2000 difference with the weights kL = kC = kH = 1.
double deltaE2000(const Lab& x, const Lab& y);
// The hue factor T of ΔE2000 at a mean hue given by its cosine and sine.
double hueFactor(double cosHue, double sinHue);
// The lightness weight S_L of ΔE2000 at a mean lightness.
double lightnessWeight(double meanL);
// Linear light of an 8-bit sRGB component (0..255).
double linearLight(int component);
inline double deltaE2000(Long x, Long y) { return deltaE2000(labFromColour(x), labFromColour(y)); }
