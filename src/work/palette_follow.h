#pragma once
// The palette following the stitches as they are edited: a thread the edits bring in joins its hue
// group, a thread no stitch uses any more leaves it, and each keeps its "Símbolos claros" number.
#include "colour/work_state.h"
#include "work/edit_tools.h"

#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The palette as the hue groups hold it, with the symbol numbers its threads were given.
struct PaletteState {
    std::array<std::vector<Long>, 6> tono, brillo; // the entries in use only
    std::unordered_map<Long, int> threadSymbols;
};
PaletteState paletteOf(const WorkState& st);
// Puts a palette back, num_colores with it.
void putPalette(WorkState& st, const PaletteState& p);
// The colours of the palette.
std::unordered_set<Long> paletteColours(const WorkState& st);
// The palette after the cells of `edits` changed (the grid holds them already): threads the
// edits brought in join the end of their hue group with the lowest symbol number free, threads
// no stitch uses any more leave it. True when it changed.
bool followThreads(WorkState& st, const std::vector<CellEdit>& edits);
