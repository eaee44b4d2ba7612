#pragma once
// Clean-up of a pattern after the palette step, on puntos and the palette groups together, so the
// strips and the chart stay consistent: rarely used colours join their nearest palette colour, and
// small patches of a thread (lone stitches, "confetti") take a neighbouring colour. A palette
// colour left without stitches leaves its group.
#include "colour/colour_options.h"
#include "colour/work_state.h"

// Every palette colour with fewer than `minimum` stitches moves, rarest first (the lower palette
// index on equal counts), to the remaining palette colour nearest by ΔE2000 (the lower index on a
// tie), until none is left under `minimum` or only one colour remains.
void mergeRareColours(WorkState& st, int minimum);

// One pass top to bottom, left to right: the patch of same-colour stitches (eight-neighbour
// connection) found at each stitch, when it holds at most `size` cells, takes the colour of its
// neighbouring stitches nearest to its own by ΔE2000; among neighbour colours within 1.0 of that
// one, the colour of most neighbouring cells, then the lowest palette index. A patch without
// neighbours (the whole pattern) stays.
void removeLoneStitches(WorkState& st, int size);

// The options that act after the palette step, in their order: merging, then the clean-up.
// Nothing changes when both are off. True when the palette or any stitch changed.
bool applyPaletteOptions(WorkState& st, const ColourOptions& options);
