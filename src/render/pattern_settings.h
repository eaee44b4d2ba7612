#pragma once
// The rules that hold the pattern settings: the colour count and the size in stitches as typed,
// and how the embroidery frame follows one side to keep the picture's proportions. The frame is
// sized at 3 pixels per stitch and centred on (150, 150) of its 304-pixel frame.
#include "colour/work_state.h"
#include "surface/basic.h"

#include <QString>

// The widest and highest pattern the stitch grid holds, 1201 by 769 stitches, as inside pixels
// of the frame at 3 pixels per stitch: the size spinners stop there.
constexpr int kMaxFrameWidth = 3 * kMaxColumns;
constexpr int kMaxFrameHeight = 3 * kMaxRows;

// The colour count as typed, held to 7..999: below 7 becomes "7", above 999 "999", any other
// text stays as typed ("12.6" included); text that is not a number counts as 0.
QString heldColourText(const QString& typed);
// A size in stitches as typed, held to 4..100 and cut to its whole part ("12.7" -> "12").
QString heldStitchText(const QString& typed);
// The size in stitches of an inside size in pixels: Fix(pixels / 3), without a leading space.
QString stitchText(int pixels);
// The inside size of the side that follows when the other side is set to `v` pixels: q =
// Fix(v * followSide / setSide) in single precision, where setSide and followSide are the
// picture's sides in the same directions; q is kept within `cap` and rounded down to a multiple
// of 3. A picture without size (none loaded yet) counts as square, so the side follows 1:1.
int followingSide(int v, Single setSide, Single followSide, int cap);
// The inside size the side being set may take when asked for `v` pixels: `v` itself while the
// following side (as followingSide works it out, before its cap) stays within `cap` and the
// pattern within the grid's kMaxStitches stitches in all; otherwise the largest size below `v`
// at which both hold, so the pattern keeps the picture's proportions and can still be made.
int heldSetSide(int v, Single setSide, Single followSide, int cap);
// Left (or Top) of a box of outer size `outer` centred on 150: 150 - outer / 2, a half going to
// the even neighbour.
int centredPosition(int outer);
