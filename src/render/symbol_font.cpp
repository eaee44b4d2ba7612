#include "render/symbol_font.h"

#include "render/clear_symbols.h"

#include <QFontDatabase>

namespace {
std::function<QStringList()>& fontLister()
{
    static std::function<QStringList()> lister;
    return lister;
}
} // namespace

int chooseSymbolFont(const QStringList& fonts)
{
    if (fonts.isEmpty())
        return -1;
    for (int i = 0; i < fonts.size(); ++i) {
        if (fonts[i] == QLatin1String("Small Fonts") || fonts[i] == QLatin1String("Arial"))
            return i;
    }
    return 0;
}

QStringList installedFontNames()
{
    if (fontLister())
        return fontLister()();
    // the clear symbols come first, so start-up takes them where neither named font is installed
    QStringList names = QFontDatabase::families();
    if (QFontDatabase::families().contains(clearSymbolsFamily()))
        names.prepend(clearSymbolsName());
    return names;
}

void setInstalledFontNames(std::function<QStringList()> lister) { fontLister() = std::move(lister); }
