#pragma once
// "Símbolos claros": a set of symbols drawn from DejaVu Sans, one per thread of the full
// catalogue, no two alike. It is offered as the first entry of the symbol-font list.
#include <QString>

// The name the set has in the symbol-font list, and whether a chosen name is it.
QString clearSymbolsName();
bool isClearSymbols(const QString& fontName);
// Symbols in the set (at least one per thread of the full catalogue).
int clearSymbolCount();
// Symbol number index of the set, simplest first; empty outside the set.
QString clearSymbol(int index);
// The font every symbol of the set is drawn in.
QString clearSymbolsFamily();
