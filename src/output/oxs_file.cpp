#include "output/oxs_file.h"

#include "colour/colour_value.h"
#include "colour/thread_names.h"
#include "surface/whole_file.h"

#include <QFileInfo>
#include <QXmlStreamWriter>
#include <algorithm>
#include <charconv>

namespace {
QString hexColour(Long colour)
{
    const Components c = split(colour);
    return QString::asprintf("%02X%02X%02X", c.r, c.g, c.b);
}

void writeProperties(QXmlStreamWriter& w, const Pattern& p, const OxsDetails& d, int threads)
{
    const QString count = QString::number(d.stitchesPerInch);
    w.writeEmptyElement(QStringLiteral("properties"));
    w.writeAttribute(QStringLiteral("oxsversion"), QStringLiteral("1.0"));
    w.writeAttribute(QStringLiteral("software"), QStringLiteral("Puntela"));
    w.writeAttribute(QStringLiteral("software_version"), QStringLiteral(PUNTELA_VERSION));
    w.writeAttribute(QStringLiteral("chartwidth"), QString::number(p.width));
    w.writeAttribute(QStringLiteral("chartheight"), QString::number(p.height));
    w.writeAttribute(QStringLiteral("charttitle"), d.title);
    w.writeAttribute(QStringLiteral("author"), QString());
    w.writeAttribute(QStringLiteral("copyright"), QString());
    w.writeAttribute(QStringLiteral("instructions"), QString());
    w.writeAttribute(QStringLiteral("stitchesperinch"), count);
    w.writeAttribute(QStringLiteral("stitchesperinch_y"), count);
    w.writeAttribute(QStringLiteral("palettecount"), QString::number(threads));
}

void writeThread(QXmlStreamWriter& w, const PatternThread& t, std::size_t item)
{
    const bool known = t.numero >= 0;
    w.writeEmptyElement(QStringLiteral("palette_item"));
    w.writeAttribute(QStringLiteral("index"), QString::number(item));
    w.writeAttribute(QStringLiteral("number"), known ? threadCode(t.numero) : QString());
    w.writeAttribute(QStringLiteral("name"), known ? threadName(t.numero) : QString());
    w.writeAttribute(QStringLiteral("color"), hexColour(t.colour));
    w.writeAttribute(QStringLiteral("strands"), QStringLiteral("2"));
    w.writeAttribute(QStringLiteral("symbol"), t.symbol);
}

// The palette item of every extras thread: its palette thread's, or an item of its own after
// the palette's (a thread only backstitch, knots or beads use).
std::vector<int> extraItems(const Pattern& p)
{
    std::vector<int> items = p.extraThreadsInPalette();
    int next = int(p.palette.size()) + 1;
    for (int& item : items)
        item = item >= 0 ? item + 1 : next++;
    return items;
}

// The cloth is item 0; palette index i is item i + 1; then the threads only the extras use.
void writePalette(QXmlStreamWriter& w, const Pattern& p, const OxsDetails& d, const std::vector<int>& extras)
{
    w.writeStartElement(QStringLiteral("palette"));
    w.writeEmptyElement(QStringLiteral("palette_item"));
    w.writeAttribute(QStringLiteral("index"), QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("number"), QStringLiteral("cloth"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("cloth"));
    w.writeAttribute(QStringLiteral("color"), hexColour(d.cloth));
    for (std::size_t i = 0; i < p.palette.size(); ++i)
        writeThread(w, p.palette[i], i + 1);
    for (std::size_t t = 0; t < extras.size(); ++t)
        if (std::size_t(extras[t]) > p.palette.size())
            writeThread(w, p.extras.threads[t], std::size_t(extras[t]));
    w.writeEndElement();
}

// A coordinate as short as it reads back exactly, always with a point whatever the locale.
void appendNumber(QByteArray& out, double v)
{
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v);
    out.append(text, int(r.ptr - text));
}

void appendNumber(QByteArray& out, int v)
{
    char text[16];
    const auto r = std::to_chars(text, text + sizeof text, v);
    out.append(text, int(r.ptr - text));
}

// An attribute `name="value"` with a number, after a space.
template <class T> void appendAttribute(QByteArray& out, const char* name, T value)
{
    out.append(' ').append(name).append("=\"");
    appendNumber(out, value);
    out.append('"');
}

// An object type as an attribute value: the same few types over and over, escaped once each.
class Kinds {
public:
    const QByteArray& operator()(const QString& kind)
    {
        if (kind != m_last || m_escaped.isNull()) {
            m_last = kind;
            m_escaped = kind.toHtmlEscaped().toUtf8();
        }
        return m_escaped;
    }

private:
    QString m_last;
    QByteArray m_escaped;
};

// Attributes kept from the file read, escaped as attribute values.
void appendMore(QByteArray& out, const ExtraAttributes& more)
{
    for (const auto& [name, value] : more)
        out += ' ' + name.toUtf8() + "=\"" + value.toHtmlEscaped().toUtf8() + '"';
}

void appendExtras(QByteArray& out, const Pattern& p, const std::vector<int>& items)
{
    const StitchExtras& x = p.extras;
    auto item = [&](int thread) { return thread >= 0 ? items[std::size_t(thread)] : 0; };
    Kinds kinds;
    out += " <partstitches>\n";
    for (const PartStitch& s : x.parts) {
        out += "  <partstitch";
        appendAttribute(out, "x", s.x);
        appendAttribute(out, "y", s.y);
        appendAttribute(out, "palindex1", item(s.thread1));
        appendAttribute(out, "palindex2", item(s.thread2));
        appendAttribute(out, "direction", s.direction);
        appendMore(out, s.more);
        out += "/>\n";
    }
    out += " </partstitches>\n <backstitches>\n";
    for (const BackStitch& b : x.backs) {
        out += "  <backstitch";
        appendAttribute(out, "x1", b.x1);
        appendAttribute(out, "y1", b.y1);
        appendAttribute(out, "x2", b.x2);
        appendAttribute(out, "y2", b.y2);
        appendAttribute(out, "palindex", item(b.thread));
        out.append(" objecttype=\"").append(kinds(b.kind)).append('"');
        appendAttribute(out, "sequence", b.sequence);
        appendMore(out, b.more);
        out += "/>\n";
    }
    out += " </backstitches>\n <ornaments_inc_knots_and_beads>\n";
    for (const StitchObject& o : x.objects) {
        out += "  <object";
        appendAttribute(out, "x1", o.x);
        appendAttribute(out, "y1", o.y);
        appendAttribute(out, "palindex", item(o.thread));
        out.append(" objecttype=\"").append(kinds(o.kind)).append('"');
        appendMore(out, o.more);
        out += "/>\n";
    }
    out += " </ornaments_inc_knots_and_beads>\n";
}

// Writes a block; false when the device takes less.
bool send(QIODevice& device, QByteArray& out)
{
    const bool ok = device.write(out) == out.size();
    out.clear();
    return ok;
}
} // namespace

bool writeOxs(QIODevice& device, const Pattern& pattern, const OxsDetails& details)
{
    // The head goes through the XML writer, which escapes the title, names and symbols; the
    // stitches are plain numbers, written straight out: far faster for the largest charts.
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("chart"));
    const std::vector<int> items = extraItems(pattern);
    const int threads
        = std::max(int(pattern.palette.size()), items.empty() ? 0 : *std::max_element(items.begin(), items.end()));
    writeProperties(w, pattern, details, threads);
    writePalette(w, pattern, details, items);
    w.writeStartElement(QStringLiteral("fullstitches"));
    w.writeCharacters(QString()); // closes the start tag
    out.append('\n');
    constexpr int kBlock = 1 << 20;
    // one chart row a line: whitespace between the stitches would cost a reader a third more
    char element[64];
    for (int y = 0; y < pattern.height; ++y) {
        const auto rowStart = out.size();
        for (int x = 0; x < pattern.width; ++x) {
            const int c = pattern.at(x, y);
            if (c == Pattern::kNoStitch)
                continue;
            if (out.size() == rowStart)
                out.append("  ");
            out.append(element,
                std::snprintf(element, sizeof element, "<stitch x=\"%d\" y=\"%d\" palindex=\"%d\"%s/>", x, y, c + 1,
                    pattern.isMarked(x, y) ? " marked=\"true\"" : ""));
        }
        if (out.size() != rowStart)
            out.append('\n');
        if (out.size() > kBlock && !send(device, out))
            return false;
    }
    out.append(" </fullstitches>\n");
    // a pattern with none of these writes the empty sections, as it always has
    if (pattern.extras.empty())
        out.append(" <partstitches/>\n <backstitches/>\n");
    else
        appendExtras(out, pattern, items);
    out.append("</chart>\n");
    return send(device, out);
}

QString saveOxsFile(const QString& path, const Pattern& pattern, const OxsDetails& details)
{
    // the old file is replaced only by a complete new one
    if (writeWhole(path, [&](QIODevice& file) { return writeOxs(file, pattern, details); }).isEmpty())
        return {};
    const QString cannot = QStringLiteral("No se ha podido guardar el patrón \"%1\".").arg(path);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return cannot + QStringLiteral(" La carpeta \"%1\" no existe.").arg(folder.filePath());
    return cannot
        + QStringLiteral(" Compruebe que se puede escribir en la carpeta \"%1\" y que queda sitio en el disco.")
              .arg(folder.filePath());
}
