#pragma once
// The colour swap on the palette and the stitch grid, and its undo: one palette entry goes,
// its stitches take the colour that stays, and the record of what changed puts it all back.
#include "colour/work_state.h"

#include <vector>

struct StitchPos {
    int column = 0;
    int row = 0;
    bool operator==(const StitchPos& o) const { return column == o.column && row == o.row; }
};

// What a swap changed: the strip (group - 1) and position of the removed entry, and the
// stitches recoloured, row by row and within a row by column.
struct SwapRecord {
    int group0 = 0;
    int position = 0;
    std::vector<StitchPos> stitches;
};

// True when swatch k of strip group0, whose colour was read as c, is an entry of the palette:
// k within the group's count and the entry holding c. Clicks beyond the last swatch are not.
bool isPaletteSwatch(const WorkState& st, int group0, int k, Long c);
// The stitches of the pattern that have colour c, row by row.
std::vector<StitchPos> stitchesOfColour(const WorkState& st, Long c);
// The record a swap that removes entry k of strip group0 will leave; changes nothing.
SwapRecord planSwap(const WorkState& st, int group0, int k);
// Carries a planned swap out: removes the entry (the later ones move down one place) and
// gives every listed stitch the colour nuevo.
void applySwap(WorkState& st, const SwapRecord& record, Long nuevo);
// Undoes a swap: puts viejo back at its place in its group (the later entries move up one
// place) and gives every listed stitch the colour viejo. A record that does not fit the
// pattern (strip, position or a stitch out of range, or a full group) changes nothing and
// gives false.
bool undoSwap(WorkState& st, const SwapRecord& record, Long viejo);
