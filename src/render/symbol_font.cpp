#include "render/symbol_font.h"

#include "render/clear_symbols.h"

#include <QFontDatabase>
#include <QRegularExpression>
#include <algorithm>

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

QStringList plainFontFamilies(const QStringList& families)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    QStringList plain;
    for (const QString& f : families) {
        const QString name = QString(f).remove(foundry).trimmed();
        if (!name.isEmpty())
            plain << name;
    }
    std::sort(plain.begin(), plain.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    plain.erase(std::unique(plain.begin(), plain.end()), plain.end());
    return plain;
}

QStringList installedFontNames()
{
    if (fontLister())
        return fontLister()();
    // the clear symbols come first, so start-up takes them where neither named font is installed
    QStringList names = plainFontFamilies(QFontDatabase::families());
    if (names.contains(clearSymbolsFamily()))
        names.prepend(clearSymbolsName());
    return names;
}

void setInstalledFontNames(std::function<QStringList()> lister) { fontLister() = std::move(lister); }
