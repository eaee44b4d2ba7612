#pragma once
// The magnifier and the colour finder of the embroidery picture: which pixels they read under
// the pointer, the enlarged 3 x 3 stitches, and the swatch that holds a colour.
#include "surface/surface.h"

#include <array>

// The x (or y) of magnifier sample i (0, 9 or 18) around the pointer at X on a single-stitch
// picture: X - (X Mod 3) - 2 + i / 3, X rounded (halves to even) for the Mod. The three
// samples are pixel 1 of the stitch before, under and after the pointer.
double magnifierSample(double X, int i);
// Clears the magnifier and paints the 3 x 3 stitches around (X, Y) of the embroidery into it
// as double-stitch cells 9 pixels apart; a sample outside the embroidery shows white.
void drawMagnifier(const Surface& embroidery, Surface& lupa, double X, double Y);

// The x (or y) of pixel 1 inside the stitch of size s under X: X - (X Mod s) + 1.
double finderSample(double X, int s);
// The first swatch, by strip and then by position, whose pixel (10k + 2, 2) has colour c,
// looking at the first counts[g] swatches of strip g; false when none has it.
bool findSwatchOnStrips(
    const std::array<Surface, 6>& strips, const std::array<Integer, 6>& counts, Long c, int& group0, int& k);
