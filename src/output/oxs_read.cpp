#include "colour/matching.h"
#include "colour/stitch_reading.h"
#include "colour/thread_names.h"
#include "output/oxs_file.h"
#include "output/quick_xml.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
// a thousand items is far more than any pattern holds; their indexes may still be spread out
constexpr int kMaxPaletteItems = 1000;
constexpr int kMaxPaletteIndex = 100000;
// the replacements named one by one before "y N más"
constexpr int kListedReplacements = 20;
// a stitch element per cell of the largest chart, with room for some cells given twice
constexpr std::size_t kMaxStitchElements = 2 * std::size_t(kMaxStitches);
constexpr int kAbsent = -2; // a palette index no item has

// (letters that differ in case are as many UTF-16 units: a name of another length is another name)
bool named(QStringView name, QLatin1String want)
{
    return name.size() == want.size() && name.compare(want, Qt::CaseInsensitive) == 0;
}

// An attribute by name in any letter case; empty when it is missing.
template <class Attributes> QStringView attribute(const Attributes& attributes, QLatin1String name)
{
    for (const auto& a : attributes)
        if (named(a.name(), name))
            return a.value();
    return {};
}

// Plain digits, as files write their numbers, are read here directly; anything else as QString
// reads it.
bool readInt(QStringView text, int& v)
{
    if (!text.isEmpty() && text.size() <= 9
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        v = 0;
        for (const QChar c : text)
            v = 10 * v + (c.unicode() - u'0');
        return true;
    }
    bool ok = false;
    v = text.trimmed().toInt(&ok);
    return ok;
}

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

struct Item {
    int index = 0;
    QString number; // as written, spaces made single
    QString colour;
    QString symbol;
    bool cloth = false;
};

struct RawStitch {
    int x, y, palindex;
    bool marked; // the stitcher marked it as done
};

// the most extras of each kind a file may hold: far more than any design
constexpr std::size_t kMaxExtraElements = 2 * std::size_t(kMaxStitches);

// Up to fifteen plain digits with a point between them, or none: their value, the quotient of
// two exact doubles rounded once, is the double nearest the decimal, as a full reading gives.
bool readPlainDecimal(QStringView text, double& v)
{
    static constexpr double kTens[]
        = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    qint64 n = 0;
    int digits = 0, decimals = -1;
    for (const QChar c : text) {
        if (c == u'.' && decimals < 0 && digits > 0) {
            decimals = 0;
        } else if (c >= u'0' && c <= u'9' && digits < 15) {
            n = 10 * n + (c.unicode() - u'0');
            ++digits;
            decimals += decimals >= 0 ? 1 : 0;
        } else {
            return false;
        }
    }
    if (digits == 0 || decimals == 0)
        return false;
    v = double(n) / kTens[std::max(decimals, 0)];
    return true;
}

// A coordinate: a decimal number written with a point or, as some programs write it, a comma.
bool readNumber(QStringView text, double& v)
{
    if (readPlainDecimal(text, v))
        return true;
    bool ok = false;
    if (text.contains(QLatin1Char(','))) {
        QString t = text.trimmed().toString();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        v = t.toDouble(&ok);
    } else {
        v = text.trimmed().toDouble(&ok);
    }
    return ok && std::isfinite(v);
}

// Every attribute but the ones named, to be written back as it came.
template <class Attributes>
ExtraAttributes otherAttributes(const Attributes& attributes, std::initializer_list<QLatin1String> known)
{
    ExtraAttributes more;
    for (const auto& a : attributes) {
        bool isKnown = false;
        for (const QLatin1String& k : known)
            isKnown = isKnown || named(a.qualifiedName(), k);
        if (!isKnown)
            more.emplace_back(a.qualifiedName().toString(), a.value().toString());
    }
    return more;
}

QString plural(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

// What the document's sections hold; the checks that need the whole file come afterwards.
struct OxsContent {
    bool hasProperties = false, hasPalette = false, hasStitches = false;
    int width = 0, height = 0;
    std::vector<Item> items;
    std::vector<RawStitch> stitches;
    // extras as read: their thread fields hold palette item indexes until the palette is built
    std::vector<PartStitch> parts;
    std::vector<BackStitch> backs;
    std::vector<StitchObject> objects;
};

// QXmlStreamReader as the parser reads a document, with the words for every fault of XML.
class FullXml {
public:
    explicit FullXml(QIODevice& device)
        : m_reader(&device)
    {
        // pattern files use no namespaces: each name is taken as written, which is faster
        m_reader.setNamespaceProcessing(false);
    }
    // Moves to the first element; the reason the document is refused before it, or empty.
    QString toRoot();
    bool readNextStartElement() { return m_reader.readNextStartElement(); }
    void skipCurrentElement() { m_reader.skipCurrentElement(); }
    QStringView name() const { return m_reader.name(); }
    QXmlStreamAttributes attributes() const { return m_reader.attributes(); }
    qint64 lineNumber() const { return m_reader.lineNumber(); }
    bool hasError() const { return m_reader.hasError(); }
    QString failure() const;

private:
    QXmlStreamReader m_reader;
};

// The plain reader as the parser reads a document; its faults are never shown, since a document
// it stops on is read again with FullXml.
class PlainXml {
public:
    explicit PlainXml(QIODevice& device)
        : m_reader(device)
    {
    }
    QString toRoot() { return m_reader.readRootElement() ? QString() : failure(); }
    bool readNextStartElement() { return m_reader.readNextStartElement(); }
    void skipCurrentElement() { m_reader.skipCurrentElement(); }
    QStringView name() const { return m_reader.name(); }
    const std::vector<QuickXmlAttribute>& attributes() const { return m_reader.attributes(); }
    qint64 lineNumber() const { return 0; }
    bool hasError() const { return m_reader.stopped(); }
    QString failure() const { return QStringLiteral("stopped"); }

private:
    QuickXml m_reader;
};

// Reads the document's sections through one of the readers above.
template <class Xml> class OxsParser : public OxsContent {
public:
    template <class... Source>
    explicit OxsParser(Source&&... source)
        : m_reader(std::forward<Source>(source)...)
    {
    }
    // The reason the document is refused; empty when it was read to the end of its chart.
    QString parse(OxsRead& out);

private:
    QString readChart(OxsRead& out);
    QString readProperties(OxsRead& out);
    QString readPalette();
    QString readFullStitches();
    QString readPartStitches();
    QString readBackStitches();
    QString readObjects();
    QString tooMany() const;
    QString kindOf(QStringView kind);

    Xml m_reader;
    QString m_kind; // the last element kind read
};

QString FullXml::failure() const
{
    if (m_reader.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return QStringLiteral("el archivo está cortado (termina en la línea %1).").arg(m_reader.lineNumber());
    return QStringLiteral("el archivo está dañado: no es un documento XML válido (línea %1, columna %2).")
        .arg(m_reader.lineNumber())
        .arg(m_reader.columnNumber());
}

QString FullXml::toRoot()
{
    while (!m_reader.atEnd()) {
        const QXmlStreamReader::TokenType token = m_reader.readNext();
        // entities declared in the document could expand without end: no declarations at all
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference)
            return QStringLiteral("el archivo declara entidades (DTD), que un patrón no puede llevar.");
        if (token == QXmlStreamReader::StartElement)
            return {};
    }
    return m_reader.hasError() ? failure() : QStringLiteral("no es un patrón OXS: falta el elemento «chart».");
}

template <class Xml> QString OxsParser<Xml>::parse(OxsRead& out)
{
    if (const QString failure = m_reader.toRoot(); !failure.isEmpty())
        return failure;
    if (!named(m_reader.name(), QLatin1String("chart")))
        return QStringLiteral("no es un patrón OXS: falta el elemento «chart».");
    return readChart(out);
}

template <class Xml> QString OxsParser<Xml>::readChart(OxsRead& out)
{
    while (m_reader.readNextStartElement()) {
        const QStringView name = m_reader.name();
        QString failure;
        if (named(name, QLatin1String("properties")))
            failure = readProperties(out);
        else if (named(name, QLatin1String("palette")))
            failure = readPalette();
        else if (named(name, QLatin1String("fullstitches")))
            failure = readFullStitches();
        else if (named(name, QLatin1String("partstitches")))
            failure = readPartStitches();
        else if (named(name, QLatin1String("backstitches")))
            failure = readBackStitches();
        else if (named(name, QLatin1String("ornaments_inc_knots_and_beads")))
            failure = readObjects();
        else
            m_reader.skipCurrentElement();
        if (!failure.isEmpty())
            return failure;
    }
    return m_reader.hasError() ? m_reader.failure() : QString();
}

template <class Xml> QString OxsParser<Xml>::readProperties(OxsRead& out)
{
    if (hasProperties)
        return QStringLiteral("la sección «properties» está repetida.");
    hasProperties = true;
    const auto& a = m_reader.attributes();
    if (!readInt(attribute(a, QLatin1String("chartwidth")), width)
        || !readInt(attribute(a, QLatin1String("chartheight")), height))
        return QStringLiteral("el tamaño del patrón (chartwidth, chartheight) falta o no es un número.");
    out.details.title = patternTitle(attribute(a, QLatin1String("charttitle")));
    bool ok = false;
    const double count = attribute(a, QLatin1String("stitchesperinch")).trimmed().toDouble(&ok);
    if (ok && count >= 1 && count <= 100)
        out.details.stitchesPerInch = int(count + 0.5);
    m_reader.skipCurrentElement();
    return {};
}

template <class Xml> QString OxsParser<Xml>::readPalette()
{
    if (hasPalette)
        return QStringLiteral("la sección «palette» está repetida.");
    hasPalette = true;
    while (m_reader.readNextStartElement()) {
        const QStringView name = m_reader.name();
        if (named(name, QLatin1String("palette_item")) || named(name, QLatin1String("color"))) {
            if (items.size() >= std::size_t(kMaxPaletteItems))
                return QStringLiteral("la paleta tiene más de %1 colores.").arg(kMaxPaletteItems);
            const auto& a = m_reader.attributes();
            Item item;
            const QStringView index = attribute(a, QLatin1String("index"));
            if (index.isEmpty())
                item.index = int(items.size());
            else if (!readInt(index, item.index) || item.index < 0 || item.index >= kMaxPaletteIndex)
                return QStringLiteral("el color %1 de la paleta tiene un índice no válido (\"%2\").")
                    .arg(items.size() + 1)
                    .arg(index.toString());
            item.number = attribute(a, QLatin1String("number")).toString().simplified();
            item.colour = attribute(a, QLatin1String("color")).toString();
            item.symbol = attribute(a, QLatin1String("symbol")).toString();
            item.cloth = item.number.compare(QLatin1String("cloth"), Qt::CaseInsensitive) == 0;
            items.push_back(item);
        }
        m_reader.skipCurrentElement();
    }
    return {};
}

template <class Xml> QString OxsParser<Xml>::readFullStitches()
{
    hasStitches = true;
    while (m_reader.readNextStartElement()) {
        if (named(m_reader.name(), QLatin1String("stitch"))) {
            // a stitch a cell, as most files hold, without growing the list on the way
            if (stitches.empty() && hasProperties && patternSizeAllowed(width, height))
                stitches.reserve(std::size_t(width) * std::size_t(height));
            if (stitches.size() >= kMaxStitchElements)
                return QStringLiteral("el archivo tiene más puntos de los que caben en un patrón.");
            RawStitch s {};
            const auto& a = m_reader.attributes();
            if (!readInt(attribute(a, QLatin1String("x")), s.x) || !readInt(attribute(a, QLatin1String("y")), s.y)
                || !readInt(attribute(a, QLatin1String("palindex")), s.palindex))
                return QStringLiteral("el punto de la línea %1 no tiene x, y o palindex válidos.")
                    .arg(m_reader.lineNumber());
            const QStringView marked = attribute(a, QLatin1String("marked")).trimmed();
            s.marked = marked.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
                || marked.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 || marked == QLatin1String("1");
            stitches.push_back(s);
        }
        m_reader.skipCurrentElement();
    }
    return {};
}

template <class Xml> QString OxsParser<Xml>::tooMany() const
{
    return QStringLiteral("el archivo tiene más puntos de los que caben en un patrón (línea %1).")
        .arg(m_reader.lineNumber());
}

// A part stitch, backstitch or object whose numbers cannot be read is no stitch at all: it is
// passed over, as programs that read the format do.
template <class Xml> QString OxsParser<Xml>::readPartStitches()
{
    while (m_reader.readNextStartElement()) {
        if (named(m_reader.name(), QLatin1String("partstitch"))) {
            if (parts.size() >= kMaxExtraElements)
                return tooMany();
            const auto& a = m_reader.attributes();
            PartStitch r {};
            const QStringView second = attribute(a, QLatin1String("palindex2"));
            r.thread2 = 0;
            if (readInt(attribute(a, QLatin1String("x")), r.x) && readInt(attribute(a, QLatin1String("y")), r.y)
                && readInt(attribute(a, QLatin1String("palindex1")), r.thread1)
                && (second.isEmpty() || readInt(second, r.thread2))
                && readInt(attribute(a, QLatin1String("direction")), r.direction) && r.direction >= 1
                && r.direction <= 4) {
                r.more = otherAttributes(a,
                    { QLatin1String("x"), QLatin1String("y"), QLatin1String("palindex1"), QLatin1String("palindex2"),
                        QLatin1String("direction") });
                parts.push_back(std::move(r));
            }
        }
        m_reader.skipCurrentElement();
    }
    return {};
}

template <class Xml> QString OxsParser<Xml>::readBackStitches()
{
    while (m_reader.readNextStartElement()) {
        if (named(m_reader.name(), QLatin1String("backstitch"))) {
            if (backs.size() >= kMaxExtraElements)
                return tooMany();
            const auto& a = m_reader.attributes();
            BackStitch b;
            if (readNumber(attribute(a, QLatin1String("x1")), b.x1)
                && readNumber(attribute(a, QLatin1String("y1")), b.y1)
                && readNumber(attribute(a, QLatin1String("x2")), b.x2)
                && readNumber(attribute(a, QLatin1String("y2")), b.y2)
                && readInt(attribute(a, QLatin1String("palindex")), b.thread)) {
                const QStringView kind = attribute(a, QLatin1String("objecttype"));
                if (!kind.isEmpty())
                    b.kind = kindOf(kind);
                if (!readInt(attribute(a, QLatin1String("sequence")), b.sequence))
                    b.sequence = 0;
                b.more = otherAttributes(a,
                    { QLatin1String("x1"), QLatin1String("y1"), QLatin1String("x2"), QLatin1String("y2"),
                        QLatin1String("palindex"), QLatin1String("objecttype"), QLatin1String("sequence") });
                backs.push_back(std::move(b));
            }
        }
        m_reader.skipCurrentElement();
    }
    return {};
}

template <class Xml> QString OxsParser<Xml>::readObjects()
{
    while (m_reader.readNextStartElement()) {
        if (named(m_reader.name(), QLatin1String("object"))) {
            if (objects.size() >= kMaxExtraElements)
                return tooMany();
            const auto& a = m_reader.attributes();
            StitchObject o;
            o.kind = kindOf(attribute(a, QLatin1String("objecttype")).trimmed());
            if (!o.kind.isEmpty() && readNumber(attribute(a, QLatin1String("x1")), o.x)
                && readNumber(attribute(a, QLatin1String("y1")), o.y)
                && readInt(attribute(a, QLatin1String("palindex")), o.thread)) {
                o.more = otherAttributes(a,
                    { QLatin1String("x1"), QLatin1String("y1"), QLatin1String("palindex"),
                        QLatin1String("objecttype") });
                objects.push_back(std::move(o));
            }
        }
        m_reader.skipCurrentElement();
    }
    return {};
}

// The kind as text, one text shared by a run of elements of the same kind: a design holds
// thousands of backstitches and knots, each naming its kind.
template <class Xml> QString OxsParser<Xml>::kindOf(QStringView kind)
{
    if (kind != m_kind)
        m_kind = kind.toString();
    return m_kind;
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

// The whole pattern from what was read, the extras moved into it; the reason it is refused, or empty.
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
} // namespace

QString patternTitle(QStringView text)
{
    QString title;
    for (const QChar c : text) {
        if (title.size() == kMaxTitleLength)
            break;
        if (c.category() != QChar::Other_Control)
            title += c;
    }
    // a character in two halves is not cut in the middle
    if (title.size() == kMaxTitleLength && title.back().isHighSurrogate())
        title.chop(1);
    return title;
}

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

namespace {
// Reads a plainly written document, several times faster than QXmlStreamReader; false, with the
// device back where it was, when the document needs the full reader or is refused (the full
// reader then words the reason).
bool readPlainOxs(QIODevice& device, const std::vector<color_dmc>& catalogue, OxsRead& out)
{
    // the full reader starts again from the same place
    if (device.isSequential())
        return false;
    const qint64 start = device.pos();
    OxsParser<PlainXml> parser(device);
    if (parser.parse(out).isEmpty() && buildPattern(parser, catalogue, out).isEmpty())
        return true;
    out = OxsRead();
    device.seek(start);
    return false;
}
} // namespace

OxsRead readOxs(QIODevice& device, const QString& displayName, const std::vector<color_dmc>& catalogue)
{
    OxsRead out;
    QString failure = QStringLiteral("el archivo está vacío.");
    if (!device.atEnd()) {
        if (readPlainOxs(device, catalogue, out))
            return out;
        OxsParser<FullXml> parser(device);
        failure = parser.parse(out);
        if (failure.isEmpty())
            failure = buildPattern(parser, catalogue, out);
    }
    if (failure.isEmpty())
        return out;
    OxsRead refused;
    refused.error = QStringLiteral("No se puede abrir el patrón \"%1\": %2").arg(displayName, failure);
    return refused;
}

OxsRead readOxsFile(const QString& path, const std::vector<color_dmc>& catalogue)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    QFile file(path);
    OxsRead refused;
    // only plain files: a device or a pipe would never end
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        refused.error = QStringLiteral("No se puede abrir el archivo \"%1\".").arg(name);
        return refused;
    }
    if (file.size() > kMaxOxsFileBytes) {
        refused.error = QStringLiteral("No se puede abrir el patrón \"%1\": el archivo es demasiado grande (%2 MB).")
                            .arg(name)
                            .arg((file.size() + (1 << 20) - 1) >> 20);
        return refused;
    }
    return readOxs(file, name, catalogue);
}
