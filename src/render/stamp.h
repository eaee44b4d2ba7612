#pragma once
// The stamp at the foot of every chart page: the program's name beside a small heart worked in
// cross stitches, 100 x 30 pixels.
#include "surface/surface.h"

constexpr int kStampWidth = 100;
constexpr int kStampHeight = 30;

// Draws the stamp into the top-left 100 x 30 pixels of a surface (the hidden Picture15).
void drawStamp(Surface& s);
