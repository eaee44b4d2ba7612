#pragma once
// The palette as the chart and the strips number it: entries of group 1 first, then group 2,
// and so on; each index has a symbol.
#include "colour/work_state.h"

#include <QChar>
#include <vector>

// Index of entry k of group `group0` + 1: k plus the counts of the groups before it.
int paletteIndex(const WorkState& st, int group0, int k);
// The symbol code of a palette index: 33 + index, or 255 past 255.
int symbolCode(int index);
// The symbol character of a palette index, read in the symbol fonts' Windows-1252 code page.
QChar symbolChar(int index);
// First entry equal to the colour, searching groups 1..6 and each from entry 0; false when none.
bool findInPalette(const WorkState& st, Long colour, int& group0, int& k);
// A two-colour palette of white then black, both in group 6.
bool isBlackAndWhite(const WorkState& st);
// Gives palette index n the symbol number n, forgetting earlier numbers (a pattern is made).
void assignThreadSymbols(WorkState& st);
// The symbol number of every palette index: the one its colour was given, unless an earlier
// index holds it already; a colour that has none takes the lowest number no other index holds.
std::vector<int> threadSymbolIndexes(const WorkState& st);
