#pragma once
// Where things sit on the six palette strips: the pixel a click reads its swatch from, the page
// that shows a swatch with the marker over it, and how far a dragged strip may go.
#include "surface/basic.h"

// Swatches are 10 pixels wide; the strips' window shows 20 of them from x = 4.
constexpr int kSwatchWidth = 10;
constexpr int kSwatchesPerPage = 20;
// The marker is parked out of sight at this Left.
constexpr int kMarkerHidden = -15;

// The x a click at X reads its swatch colour at (on row 1): X itself, or X + 1 when X rounded
// (halves to even) falls on a swatch's white left edge, a multiple of 10.
double swatchReadX(double X);
// The swatch position a click at X names: Int(X / 10).
int swatchPosition(double X);

// A strip scrolled to the page of swatch k, and the marker placed over that swatch.
struct StripPage {
    int stripLeft = 4; // 4 - 200 p, p = Fix(k / 20)
    int markerLeft = 0; // 10 k + 2 - 200 p: two pixels left of the swatch
    int markerTop = 0; // 2 + 10 g
};
StripPage stripPageFor(int group0, int k);

// The Left a strip of n swatches takes when dragged by X - x0 from `left`: held between
// 204 - 10 n (its last swatch at the window's right edge) and 4. False when the strip fits in
// its window (n <= 20) and does not move.
bool draggedStripLeft(int left, double X, double x0, int n, int& newLeft);
// The Left of every strip for a scroll bar value: one step per swatch.
inline int scrolledStripLeft(int value) { return 4 - kSwatchWidth * value; }
