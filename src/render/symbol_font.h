#pragma once
// The font of the chart's symbols: which of the installed fonts start-up chooses.
#include <QStringList>
#include <functional>

// The first entry that is exactly "Small Fonts" or "Arial" (both names are tested on each entry
// before the next; case counts); entry 0 when none is; -1 for an empty list (no fonts installed).
int chooseSymbolFont(const QStringList& fonts);

// "Símbolos claros" (when DejaVu Sans is installed), then the installed font names in the order
// the screen lists them. Tests may put another list in their place; an empty function brings
// back the screen's.
QStringList installedFontNames();
void setInstalledFontNames(std::function<QStringList()> lister);
