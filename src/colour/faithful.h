#pragma once
// Colours true to the picture: each stitch's colour is the picture averaged over the area the
// stitch covers, and the threads are chosen for the picture, as few as asked, to keep the sum over
// every stitch of ΔE2000 between its colour and its thread small.
#include "colour/stitch_reading.h"
#include "colour/work_state.h"
#include "surface/surface.h"

#include <vector>

// The mean of the picture's pixels over the area each stitch of a box of `s` pixels per stitch
// covers, in sRGB values, each pixel weighted by the share of it inside the stitch; row by row,
// as stitchPixels lays them out. A stitch that covers no pixel reads as white.
StitchPixels stitchAreaMeans(const Surface& picture, const Surface& box, int s);

// Colours of this CIELAB chroma or less count as neutral: they take only threads of chroma below
// kNeutralThreadChroma when the catalogue has any.
constexpr double kNeutralChroma = 3.0;
constexpr double kNeutralThreadChroma = 8.0;

// At most `count` thread colours of catalogue positions 1..num, chosen so that the sum over
// `colours` of ΔE2000 from each colour to its nearest chosen thread is small: every colour's
// nearest thread, then the thread whose colours cost least to move dropped until `count` are
// left, then swaps of a chosen thread for another while they lower the sum (a bounded number of
// rounds). The colours are counted first, binned by their leading bits when there are very many
// (a colour equal to a thread's stays exact). In catalogue order.
std::vector<Long> faithfulThreads(
    const std::vector<Long>& colours, const std::vector<color_dmc>& catalogue, int num, int count);

// Each colour's nearest of `threads` by ΔE2000 (the earlier thread on a tie), each distinct
// colour worked out once.
std::vector<Long> nearestThreads(const std::vector<Long>& colours, const std::vector<Long>& threads);
