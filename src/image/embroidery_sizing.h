#pragma once
// Where a newly loaded picture and its empty embroidery go in their 304 x 304 frames, and
// the pattern size the settings start from: 100 stitches of 3 pixels on the longer side.
#include <QString>
#include <optional>

constexpr int kFrameSide = 304;
constexpr int kFrameCentre = 152;

// The embroidery picture's box (outer sizes, position in its frame) and the values of the
// size controls after a load: Text4/Text5 in stitches, VScroll4/VScroll5 in pixels.
struct EmbroideryLayout {
    int width = 0, height = 0, left = 0, top = 0;
    QString text4, text5;
    int vscroll4 = 0, vscroll5 = 0;
};

// For a W x H picture (inside sizes): 300 pixels along the longer side (a square takes the
// portrait branch), Fix(shorter x 300 / longer) in single precision cut down to a multiple of 3
// along the other, the border just outside the frame along the longer side, centred across.
EmbroideryLayout embroideryLayoutFor(int W, int H);

// Position that centres a box of this outer size on the frame's centre 152 (negative for a
// box larger than the frame); halves go to the even neighbour.
int centredInFrame(int outerSize);

// The size spinner's value (3 pixels a stitch) for a pattern side of `stitches`, worked out
// without overflow; nothing when it lies outside 1..spinnerMaximum.
std::optional<int> spinnerPixelsForStitches(qint64 stitches, int spinnerMaximum);
