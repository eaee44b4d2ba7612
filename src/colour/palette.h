#pragma once
// The second stage of the colour reduction: every paso_gama neighbouring colours of a sorted hue
// group make one bucket represented by its first (brightest) colour; the groups are thinned to
// those colours, which are the palette, and drawn as six strips of swatches.
#include "colour/work_state.h"
#include "surface/surface.h"

#include <array>
#include <functional>

using Strips = std::array<Surface, 6>;

// Works out paso_gama from the group sizes and num_colores (lowered to the number of colours
// there are, calling `countLowered` then) and moves every stitch of puntos to its bucket's first
// colour. Progress 90..95. False after "Error en colores" or a pattern one stitch high; the
// pointer and listo then stay busy.
bool gama(WorkState& st, const Progress& progress, const std::function<void()>& countLowered);

// Thins each group to every paso_gama-th colour, draws the strips and sets num_colores to the
// palette size; `showCount` gets the longest group's count while listo is still false.
void gama1(WorkState& st, Strips& strips, const Progress& progress, const std::function<void(int)>& showCount);

// Redraws the strips from the palette as it is, without thinning.
void gama2(WorkState& st, Strips& strips, const Progress& progress);

// Swatch k of a strip: a filled box from (10k, 0) to (10k + 10, 10) in the colour, outlined in white.
void drawSwatch(Surface& strip, int k, Long colour);
