// Reading a pattern file: its sections read by a fast reader when it is plainly written, else by
// QXmlStreamReader, which also words what is wrong with a refused file.
#include "colour/stitch_reading.h"
#include "output/oxs_content.h"
#include "output/quick_xml.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

using namespace oxs;

namespace {
// a thousand items is far more than any pattern holds; their indexes may still be spread out
constexpr int kMaxPaletteItems = 1000;
constexpr int kMaxPaletteIndex = 100000;
// a stitch element per cell of the largest chart, with room for some cells given twice
constexpr std::size_t kMaxStitchElements = 2 * std::size_t(kMaxStitches);
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
