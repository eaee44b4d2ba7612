// A pattern file's content checked whole and made into a pattern: the palette's threads found in
// the full catalogue (or replaced by the nearest), the stitches and extras placed, and the notice
// of what changed on the way.
#include "colour/matching.h"
#include "colour/stitch_reading.h"
#include "colour/thread_names.h"
#include "output/oxs_content.h"

#include <QSet>
#include <algorithm>

using namespace oxs;

namespace {
// the replacements named one by one before "y N más"
constexpr int kListedReplacements = 20;
constexpr int kAbsent = -2; // a palette index no item has

// RRGGBB, six hexadecimal digits (a leading # is allowed), as a colour value.
bool readColour(QStringView text, Long& colour)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('#')))
        text = text.mid(1);
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return false;
    colour = RGB(int(rgb >> 16) & 0xff, int(rgb >> 8) & 0xff, int(rgb & 0xff));
    return true;
}

QString plural(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

// The thread number that a number's last word names ("310", "Blanc" 0, "Ecru" 1) when the words
// before it are the DMC brand or nothing; -1 for other brands and words that are no number.
Long dmcNumberOf(const QString& number)
{
    const QStringList words = number.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || (words.size() > 1 && words.first().compare(QLatin1String("dmc"), Qt::CaseInsensitive) != 0)
        || words.size() > 2)
        return -1;
    const QString last = words.last().toLower();
    if (last == QLatin1String("blanc") || last == QLatin1String("blanco") || last == QLatin1String("white"))
        return 0;
    if (last == QLatin1String("ecru"))
        return 1;
    bool ok = false;
    const int n = last.toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

int catalogueCount(const std::vector<color_dmc>& catalogue)
{
    return std::min(kFullCatalogue, int(catalogue.size()) - 1);
}

// Position of a thread number in the catalogue, 0 when it is not there.
int cataloguePosition(const std::vector<color_dmc>& catalogue, Long numero)
{
    for (int i = 1; i <= catalogueCount(catalogue); ++i)
        if (catalogue[std::size_t(i)].numero == numero)
            return i;
    return 0;
}

// The pattern's palette from the items: each item's thread of the catalogue, by number or else
// by colour, every thread listed once; itemSlots[index] is the palette index of an item's index
// (kNoStitch for the cloth, kAbsent where no item has that index); replacedItems[i] is the
// item index of out.replaced[i].
QString buildPalette(const OxsContent& p, const std::vector<color_dmc>& catalogue, OxsRead& out,
    std::vector<int>& itemSlots, std::vector<int>& replacedItems)
{
    if (catalogueCount(catalogue) < 1)
        return QStringLiteral("no se ha leído el catálogo completo \"dmc.txt\".");
    int top = -1;
    for (const Item& item : p.items)
        top = std::max(top, item.index);
    itemSlots.assign(std::size_t(top + 1), kAbsent);
    std::unordered_map<int, int> paletteOf; // catalogue position -> palette index
    QSet<QString> seen;
    for (const Item& item : p.items) {
        int& slot = itemSlots[std::size_t(item.index)];
        if (slot != kAbsent)
            return QStringLiteral("el índice %1 de la paleta está repetido.").arg(item.index);
        if (item.cloth) {
            slot = Pattern::kNoStitch;
            // a cloth whose colour cannot be read stays white
            if (Long cloth = 0; readColour(item.colour, cloth))
                out.details.cloth = cloth;
            continue;
        }
        const Long numero = dmcNumberOf(item.number);
        int position = numero >= 0 ? cataloguePosition(catalogue, numero) : 0;
        bool replaced = false;
        if (position == 0) {
            Long colour = 0;
            if (!readColour(item.colour, colour))
                return QStringLiteral("el color \"%1\" de la paleta no tiene un color RRGGBB válido (\"%2\").")
                    .arg(item.number, item.colour);
            position = nearestThread(catalogue, catalogueCount(catalogue), colour);
            const QString from = item.number.isEmpty() ? QStringLiteral("#") + item.colour.trimmed() : item.number;
            const QString change = from + QStringLiteral(" por ") + threadCode(catalogue[std::size_t(position)].numero);
            replaced = !seen.contains(change);
            if (replaced) {
                seen.insert(change);
                out.replaced << change;
            }
        }
        const auto [it, fresh] = paletteOf.emplace(position, int(out.pattern.palette.size()));
        if (replaced)
            replacedItems.push_back(item.index);
        if (fresh) {
            const color_dmc& t = catalogue[std::size_t(position)];
            out.pattern.palette.push_back({ t.numero, RGB(t.rojo, t.verde, t.azul), item.symbol });
        }
        slot = it->second;
    }
    return {};
}

// The extras' threads are the whole palette read; an element in no thread (the cloth or an item
// the palette lacks) or off the chart is left out and counted in `dropped`.
// Keeps the elements `keep` takes, in their order, and counts the others in `dropped`.
template <class T, class Keep> void keepOnly(std::vector<T>& elements, Keep keep, int& dropped)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!keep(elements[i]))
            continue;
        if (kept != i)
            elements[kept] = std::move(elements[i]);
        ++kept;
    }
    dropped += int(elements.size() - kept);
    elements.erase(elements.begin() + std::ptrdiff_t(kept), elements.end());
}

void buildExtras(OxsContent& p, const std::vector<int>& itemSlots, OxsRead& out, std::vector<bool>& used)
{
    StitchExtras& x = out.pattern.extras;
    const double w = out.pattern.width, h = out.pattern.height;
    auto thread = [&](int palindex) {
        const bool known = palindex >= 0 && std::size_t(palindex) < itemSlots.size();
        const int slot = known ? itemSlots[std::size_t(palindex)] : kAbsent;
        if (slot >= 0)
            used[std::size_t(palindex)] = true;
        return slot;
    };
    auto onChart = [&](double px, double py) { return px >= 0 && py >= 0 && px <= w && py <= h; };
    x.parts = std::move(p.parts);
    keepOnly(
        x.parts,
        [&](PartStitch& part) {
            part.thread1 = std::max(-1, thread(part.thread1));
            part.thread2 = std::max(-1, thread(part.thread2));
            const bool anyThread = part.thread1 >= 0 || part.thread2 >= 0;
            return anyThread && part.x >= 0 && part.y >= 0 && part.x < w && part.y < h;
        },
        out.dropped);
    x.backs = std::move(p.backs);
    keepOnly(
        x.backs,
        [&](BackStitch& b) {
            b.thread = thread(b.thread);
            return b.thread >= 0 && onChart(b.x1, b.y1) && onChart(b.x2, b.y2);
        },
        out.dropped);
    x.objects = std::move(p.objects);
    keepOnly(
        x.objects,
        [&](StitchObject& o) {
            o.thread = thread(o.thread);
            const bool kept = o.thread >= 0 && onChart(o.x, o.y);
            if (kept && objectKind(o.kind) == ObjectKind::Other)
                ++out.otherObjects;
            return kept;
        },
        out.dropped);
    if (!x.empty())
        x.threads = out.pattern.palette;
}
} // namespace

namespace oxs {
QString buildPattern(OxsContent& p, const std::vector<color_dmc>& catalogue, OxsRead& out)
{
    if (!p.hasProperties)
        return QStringLiteral("falta la sección «properties».");
    if (!p.hasPalette)
        return QStringLiteral("falta la sección «palette».");
    if (!p.hasStitches)
        return QStringLiteral("falta la sección «fullstitches».");
    const int w = p.width, h = p.height;
    if (!patternSizeAllowed(w, h))
        return QStringLiteral("el patrón mide %1 x %2 puntos. ").arg(w).arg(h) + patternSizeMessage();
    if (w < 2 || h < 2)
        return QStringLiteral("el patrón mide %1 x %2 puntos y debe tener al menos 2 de ancho y 2 de alto.")
            .arg(w)
            .arg(h);
    std::vector<int> itemSlots, replacedItems;
    const QString failure = buildPalette(p, catalogue, out, itemSlots, replacedItems);
    if (!failure.isEmpty())
        return failure;
    Pattern& pattern = out.pattern;
    pattern.width = w;
    pattern.height = h;
    pattern.cells.assign(std::size_t(w) * std::size_t(h), Pattern::kNoStitch);
    for (const RawStitch& s : p.stitches) {
        if (s.x < 0 || s.x >= w || s.y < 0 || s.y >= h)
            return QStringLiteral("el punto x = %1, y = %2 está fuera del patrón, que mide %3 x %4 puntos.")
                .arg(s.x)
                .arg(s.y)
                .arg(w)
                .arg(h);
        if (s.palindex < 0 || std::size_t(s.palindex) >= itemSlots.size()
            || itemSlots[std::size_t(s.palindex)] == kAbsent)
            return QStringLiteral("el punto x = %1, y = %2 usa el color %3, que no está en la paleta.")
                .arg(s.x)
                .arg(s.y)
                .arg(s.palindex);
        pattern.at(s.x, s.y) = itemSlots[std::size_t(s.palindex)];
        if (s.marked && pattern.at(s.x, s.y) != Pattern::kNoStitch) {
            pattern.marked.resize(pattern.cells.size(), 0);
            pattern.marked[std::size_t(s.y) * std::size_t(w) + std::size_t(s.x)] = 1;
        }
    }
    // only the threads that reach the chart are told as replaced: an item some stitch uses
    std::vector<bool> used(itemSlots.size(), false);
    for (const RawStitch& s : p.stitches)
        used[std::size_t(s.palindex)] = true;
    buildExtras(p, itemSlots, out, used);
    QStringList reaching;
    for (std::size_t i = 0; i < replacedItems.size(); ++i)
        if (used[std::size_t(replacedItems[i])])
            reaching << out.replaced[int(i)];
    out.replaced = reaching;
    return {};
}
} // namespace oxs

QString OxsRead::notice(const QString& displayName) const
{
    if (replaced.isEmpty() && otherObjects == 0 && dropped == 0)
        return {};
    QString text = QStringLiteral("El patrón \"%1\" se ha abierto con cambios.").arg(displayName);
    if (!replaced.isEmpty()) {
        text += QStringLiteral("\nHilos que no están en el catálogo completo, cambiados por el más parecido: ")
            + replaced.mid(0, kListedReplacements).join(QStringLiteral(", "));
        if (replaced.size() > kListedReplacements)
            text += QStringLiteral(" y %1 más").arg(replaced.size() - kListedReplacements);
        text += QLatin1Char('.');
    }
    if (otherObjects)
        text += QStringLiteral("\nNo se dibujan ") + plural(otherObjects, "adorno", "adornos")
            + QStringLiteral(", que el patrón guarda igualmente.");
    if (dropped)
        text += QStringLiteral("\nSe han dejado fuera ")
            + plural(dropped, "elemento fuera del patrón o sin hilo", "elementos fuera del patrón o sin hilo")
            + QLatin1Char('.');
    return text;
}
