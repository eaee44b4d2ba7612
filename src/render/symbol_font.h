#pragma once
// The font of the chart's symbols: which of the installed fonts start-up chooses.
#include <QStringList>
#include <functional>

// The first entry that is exactly "Small Fonts" or "Arial" (both names are tested on each entry
// before the next; case counts); entry 0 when none is; -1 for an empty list (no fonts installed).
int chooseSymbolFont(const QStringList& fonts);

// Each family once, by its plain name (Qt names a family that two foundries make "C059 [urw]"
// and "C059 [UKWN]"), sorted without regard to case.
QStringList plainFontFamilies(const QStringList& families);

// "Símbolos claros" (when DejaVu Sans is installed), then the installed families as
// plainFontFamilies gives them. Tests may put another list in their place; an empty function
// brings back the screen's.
QStringList installedFontNames();
void setInstalledFontNames(std::function<QStringList()> lister);
