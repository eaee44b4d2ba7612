#pragma once
// The ten-stitch grid over the embroidery picture, drawn in the inverting mode so that drawing
// it a second time takes it away again.
#include "surface/surface.h"

// Inverts a line every ten stitches (30 pixels, or 90 for double stitch) across and down while
// it lies within the picture's scale, then the outline; the draw mode is left at copy.
void drawTenStitchGrid(Surface& embroidery, bool doubleStitch);
