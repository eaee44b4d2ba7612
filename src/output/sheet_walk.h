#pragma once
// The order in which printing and saving walk the chart: every sheet row from the top, each
// row from its rightmost sheet to its leftmost, then the colour key; a colour pass before a
// black-and-white one.
#include <vector>

// One page of a pass: sheet (H, V), or the colour key (key true, H = sheets across + 1).
struct SheetPage {
    int H = 1;
    int V = 1;
    bool key = false;
    bool colour = true;
    bool operator==(const SheetPage& o) const { return H == o.H && V == o.V && key == o.key && colour == o.colour; }
};

// The pages of one pass over a chart of `across` x `down` sheets: for V = 1..down,
// H = across down to 1, then the key at H = across + 1 (V stays at `down`).
std::vector<SheetPage> passPages(int across, int down, bool colour);

// Every page of a command: the colour pass when `colour`, then the black-and-white pass
// when `blackWhite`.
std::vector<SheetPage> commandPages(int across, int down, bool colour, bool blackWhite);

// Sheets across and down from the selectors' maxima (the last HScroll2 position is the key).
inline int sheetsAcrossSelector(int hScrollMax) { return hScrollMax - 1; }
inline int sheetsDownSelector(int vScrollMax) { return vScrollMax; }
