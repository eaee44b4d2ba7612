#include "output/oxs_file.h"

#include "colour/colour_value.h"
#include "colour/thread_names.h"
#include "surface/whole_file.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

namespace {
QString hexColour(Long colour)
{
    const Components c = split(colour);
    return QString::asprintf("%02X%02X%02X", c.r, c.g, c.b);
}

void writeProperties(QXmlStreamWriter& w, const Pattern& p, const OxsDetails& d)
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
    w.writeAttribute(QStringLiteral("palettecount"), QString::number(p.palette.size()));
}

// The cloth is item 0; palette index i is item i + 1.
void writePalette(QXmlStreamWriter& w, const Pattern& p, const OxsDetails& d)
{
    w.writeStartElement(QStringLiteral("palette"));
    w.writeEmptyElement(QStringLiteral("palette_item"));
    w.writeAttribute(QStringLiteral("index"), QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("number"), QStringLiteral("cloth"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("cloth"));
    w.writeAttribute(QStringLiteral("color"), hexColour(d.cloth));
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        const PatternThread& t = p.palette[i];
        const bool known = t.numero >= 0;
        w.writeEmptyElement(QStringLiteral("palette_item"));
        w.writeAttribute(QStringLiteral("index"), QString::number(i + 1));
        w.writeAttribute(QStringLiteral("number"), known ? threadCode(t.numero) : QString());
        w.writeAttribute(QStringLiteral("name"), known ? threadName(t.numero) : QString());
        w.writeAttribute(QStringLiteral("color"), hexColour(t.colour));
        w.writeAttribute(QStringLiteral("strands"), QStringLiteral("2"));
        w.writeAttribute(QStringLiteral("symbol"), t.symbol);
    }
    w.writeEndElement();
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
    writeProperties(w, pattern, details);
    writePalette(w, pattern, details);
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
    out.append(" </fullstitches>\n <partstitches/>\n <backstitches/>\n</chart>\n");
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
