#pragma once
// The chart as a PDF to stitch from: a cover with the picture, the size, the colours, the
// finished size on every fabric and a map of the pages; chart pages cut on tens of stitches, with
// every symbol as text in embedded DejaVu Sans and every grid line a vector stroke; then the key,
// one text line per thread. Tracking apps read the symbols and the key back as text.
#include "colour/pattern.h"
#include "output/thread_amounts.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <QString>
#include <vector>

enum class Paper { A4, Letter };
// The paper of the locale's country: Letter in the Americas that use it (United States, Canada,
// Mexico, ...) and the Philippines, A4 everywhere else.
Paper paperOfLocale(const QLocale& locale);

struct ChartPdfOptions {
    Paper paper = Paper::A4;
    double cellMm = 2.5; // 2 to 4
    int overlap = 0; // rows and columns of the next pages shown again, tinted (0 to kMostPdfOverlap)
    bool colourCells = true; // each cell in its thread's colour under a black or white symbol; off: symbols only
    int stitchesPerInch = 14;
    int strands = 2;
    int backstitchStrands = 1; // "Hebras del pespunte"
    QString fabric = QStringLiteral("Aida 14"); // the fabric the amounts are for, as the cover and key name it
    QRgb cloth = 0xFFFFFFFF; // the cloth, shown in the unstitched cells of a coloured chart
};
constexpr int kMostPdfOverlap = 5;
// What the amounts are for, as the cover and every key page state it: "Aida 14, 2 hebras".
QString fabricAndStrands(const ChartPdfOptions& options);
// The amounts the chart's key gives: its fabric, strands and backstitch strands.
AmountOptions pdfAmounts(const ChartPdfOptions& options);

// The first cell of every page along a side of `cells` cells, and `cells` last: the fewest pages
// of at most `most` cells (a whole number of tens), cut on tens, as equal as tens allow so that
// no page is narrower than another by more than ten.
std::vector<int> evenPageEdges(int cells, int most);

// How the chart falls on the paper: whole tens of stitches a page, the chart pages across and
// down, and the pages of the key.
struct ChartPdfLayout {
    int columnsPerPage = 0; // the most a page holds
    int rowsPerPage = 0;
    int pagesAcross = 0;
    int pagesDown = 0;
    std::vector<int> columnEdges; // evenPageEdges of the width and of the height
    std::vector<int> rowEdges;
    int keyPages = 0;
    int keyLinesPerPage = 0;
    int keyLines = 0; // one a thread the pattern uses, and a heading a section of threads outside the stitches
    int chartPages() const { return pagesAcross * pagesDown; }
    int totalPages() const { return 1 + chartPages() + keyPages; }
    // The first key line of key page k (k = keyPages: keyLines); a last page never holds one line alone.
    int keyPageStart(int k) const;
};
ChartPdfLayout chartPdfLayout(const Pattern& pattern, const ChartPdfOptions& options);

// The whole document; empty when the pattern has no stitches or the document did not come out whole.
QByteArray chartPdf(const Pattern& pattern, const QImage& picture, const QString& name, const ChartPdfOptions& options);
// Writes the document to path whole or not at all; an empty text when done, else the message to show.
QString writeChartPdf(const QString& path, const Pattern& pattern, const QImage& picture, const QString& name,
    const ChartPdfOptions& options);
