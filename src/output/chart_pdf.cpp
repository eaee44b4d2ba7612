#include "output/chart_pdf.h"

#include "output/chart_pdf_page.h"
#include "surface/whole_file.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace {
QSizeF paperMm(Paper paper) { return paper == Paper::Letter ? QSizeF(215.9, 279.4) : QSizeF(210, 297); }

int wholeTens(double cells) { return std::max(10, int(cells / 10) * 10); }

int ceilDiv(int n, int d) { return d <= 0 ? 0 : (n + d - 1) / d; }

// A size that matches the cells, and every cell no stitch or a thread of the palette.
bool wellFormed(const Pattern& p)
{
    if (p.width <= 0 || p.height <= 0 || std::size_t(p.width) * std::size_t(p.height) != p.cells.size())
        return false;
    const int threads = int(p.palette.size());
    const int extras = int(p.extras.threads.size());
    const auto extra = [extras](int t) { return t >= -1 && t < extras; };
    return std::all_of(p.cells.begin(), p.cells.end(), [threads](int c) { return c >= -1 && c < threads; })
        && std::all_of(p.extras.parts.begin(), p.extras.parts.end(),
            [&](const PartStitch& s) { return extra(s.thread1) && extra(s.thread2); })
        && std::all_of(
            p.extras.backs.begin(), p.extras.backs.end(), [&](const BackStitch& b) { return extra(b.thread); })
        && std::all_of(
            p.extras.objects.begin(), p.extras.objects.end(), [&](const StitchObject& o) { return extra(o.thread); });
}
} // namespace

AmountOptions pdfAmounts(const ChartPdfOptions& options)
{
    return { options.stitchesPerInch, options.strands, kDefaultWaste, options.backstitchStrands };
}

Paper paperOfLocale(const QLocale& locale)
{
    // the countries whose system locales print on Letter
    static const QLocale::Territory letter[]
        = { QLocale::UnitedStates, QLocale::Canada, QLocale::Mexico, QLocale::Bolivia, QLocale::Chile,
              QLocale::Colombia, QLocale::CostaRica, QLocale::ElSalvador, QLocale::Guatemala, QLocale::Nicaragua,
              QLocale::Panama, QLocale::PuertoRico, QLocale::Venezuela, QLocale::Philippines };
    return std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter) ? Paper::Letter
                                                                                                   : Paper::A4;
}

QString fabricAndStrands(const ChartPdfOptions& options)
{
    return QStringLiteral("%1, %2 %3")
        .arg(options.fabric)
        .arg(options.strands)
        .arg(options.strands == 1 ? QStringLiteral("hebra") : QStringLiteral("hebras"));
}

std::vector<int> evenPageEdges(int cells, int most)
{
    cells = std::max(0, cells);
    const int pages = std::max(1, ceilDiv(cells, std::max(10, most)));
    // every page but the last a whole number of tens, the spare tens one each to the first pages
    const int tens = cells / 10, each = tens / pages, spare = tens % pages;
    std::vector<int> edges { 0 };
    for (int page = 0; page + 1 < pages; ++page)
        edges.push_back(edges.back() + 10 * (each + (page < spare ? 1 : 0)));
    edges.push_back(cells);
    return edges;
}

int ChartPdfLayout::keyPageStart(int k) const
{
    if (k >= keyPages)
        return keyLines;
    const int start = k * keyLinesPerPage;
    // the page before gives up a line rather than leave one alone on the last
    const bool alone = keyPages > 1 && k == keyPages - 1 && keyLines - start == 1 && keyLinesPerPage > 1;
    return alone ? start - 1 : start;
}

ChartPdfLayout chartPdfLayout(const Pattern& pattern, const ChartPdfOptions& options)
{
    const PdfFrame f = pdfFrame(paperMm(options.paper), options);
    const double cell = std::clamp(options.cellMm, 2.0, 4.0);
    const int spare = std::clamp(options.overlap, 0, kMostPdfOverlap); // the next pages show again at right and below
    ChartPdfLayout l;
    l.columnsPerPage = wholeTens(f.chart.width() / cell - spare);
    l.rowsPerPage = wholeTens(f.chart.height() / cell - spare);
    l.columnEdges = evenPageEdges(pattern.width, l.columnsPerPage);
    l.rowEdges = evenPageEdges(pattern.height, l.rowsPerPage);
    l.pagesAcross = int(l.columnEdges.size()) - 1;
    l.pagesDown = int(l.rowEdges.size()) - 1;
    l.keyLinesPerPage = std::max(1, int((f.body.height() - kKeyHeadingMm - kKeyTotalMm) / kKeyPitchMm));
    l.keyLines = int(keyLineEntries(threadAmounts(pattern, pdfAmounts(options))).size());
    l.keyPages = std::max(1, ceilDiv(l.keyLines, l.keyLinesPerPage));
    return l;
}

QByteArray chartPdf(const Pattern& pattern, const QImage& picture, const QString& name, const ChartPdfOptions& options)
{
    if (!wellFormed(pattern))
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setPageSize(QPageSize(options.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(name);
        writer.setCreator(QStringLiteral("Puntela"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        PdfDocument doc(painter, pattern, name, options, chartPdfLayout(pattern, options),
            pdfFrame(paperMm(options.paper), options));
        doc.drawCover(picture);
        const ChartPdfLayout& l = doc.layout();
        for (int row = 0; row < l.pagesDown; ++row)
            for (int column = 0; column < l.pagesAcross; ++column) {
                writer.newPage();
                doc.drawChartPage(column, row);
            }
        for (int k = 0; k < l.keyPages; ++k) {
            writer.newPage();
            doc.drawKeyPage(k);
        }
        painter.end();
    }
    // the PDF engine reports no failure of its own: a document that does not end is not one
    const QByteArray data = buffer.data();
    return pdfDataComplete(data) ? data : QByteArray();
}

QString writeChartPdf(const QString& path, const Pattern& pattern, const QImage& picture, const QString& name,
    const ChartPdfOptions& options)
{
    const QByteArray data = chartPdf(pattern, picture, name, options);
    if (data.isEmpty())
        return QStringLiteral("No se ha podido preparar el PDF del patrón.");
    return writeWhole(
        path, [&data](QIODevice& file) { return file.write(data) == data.size(); }, pdfComplete);
}
