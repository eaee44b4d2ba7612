#pragma once
// Shrinking a loaded picture by a whole factor: the question asked about large pictures, the
// factor read from its answer and the nearest-neighbour reduction done in place.
#include "surface/surface.h"

#include <QString>

// Title of the reduction question.
QString reductionTitle();
// The question for a picture of W x H pixels: sizes after a space each, and the three lines
// that explain the factor.
QString reductionPrompt(int W, int H);
// True when a picture whose outer box (inside + border) is wider or taller than 200 is asked
// about, that is, a picture larger than 196 pixels along either side.
bool reductionAsked(int outerWidth, int outerHeight);
// The factor an answer gives: the whole part, rounded down, of its leading number; below 1
// (ask again) for an empty answer, text, zero or a negative number.
Single reductionFactor(const QString& answer);

struct ReducedSize {
    int columns = 0;
    int rows = 0;
};
// Size after a reduction by f: W / f and H / f, each rounded up (at least 1 for a non-empty side).
ReducedSize reducedSize(int W, int H, double f);

// Reduces the picture in place by f > 1: result pixel (k, j) is the source pixel at
// (k * sx, j * sy) with sx = W / nx and sy = H / ny in single precision, cut to a whole
// pixel; then the surface shrinks to nx x ny. A factor of 1 or less leaves it as it is.
void reducePicture(Surface& picture, double f);
