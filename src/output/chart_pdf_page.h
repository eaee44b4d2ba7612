#pragma once
// The pages of the PDF chart. The painter works in 1/1200 inch; the frame is kept in millimetres.
#include "output/chart_pdf.h"
#include "output/thread_amounts.h"

#include <QPainter>
#include <QRawFont>
#include <QRectF>
#include <vector>

constexpr int kPdfDpi = 1200;
constexpr double kKeyPitchMm = 6.0;
constexpr double kKeyHeadingMm = 20.0; // the fabric line, then the column headings
constexpr double kKeyTotalMm = 8.0;

// Where things go on a page, in millimetres: the body inside the margins (the name and the page
// number head it), and the chart area below and right of the row and column numbers.
struct PdfFrame {
    QSizeF paper;
    QRectF body;
    QRectF chart;
};
PdfFrame pdfFrame(const QSizeF& paperMm, const ChartPdfOptions& options);

class PdfDocument {
public:
    PdfDocument(QPainter& painter, const Pattern& pattern, const QString& name, const ChartPdfOptions& options,
        const ChartPdfLayout& layout, const PdfFrame& frame);
    const ChartPdfLayout& layout() const { return m_layout; }
    // The cover: name, picture, size, colours, stitches, finished size per fabric, page map.
    void drawCover(const QImage& picture);
    // Chart page (column, row) of the page grid: cells, symbols, grid, numbers of the tens.
    void drawChartPage(int column, int row);
    // Key page k: one line per thread in thread-number order; the totals on the last.
    void drawKeyPage(int k);

private:
    struct SymbolGlyph {
        int size = -1; // which of the symbol fonts; -1 when the thread has no symbol
        quint32 glyph = 0;
        QPointF offset; // from a cell's top-left corner to the glyph's origin, centring its ink
    };
    void drawHeader();
    void prepareSymbols();
    void drawCells(int x0, int y0, int ownW, int ownH, int shownW, int shownH);
    void drawSymbols(int x0, int y0, int ownW, int ownH, int shownW, int shownH);
    void drawGrid(int x0, int y0, int shownW, int shownH);
    void drawNumbers(int x0, int y0, int shownW, int shownH);
    void drawPageMap(const QRectF& box);
    void drawCentreMarks(const QRectF& box, double x, double y);
    // What a key line shows beside the symbol: the backstitch line, the knot or the bead.
    void drawExtrasSample(const ThreadAmount& t, double x, double y);
    QColor cellFill(int index, bool overlap) const;
    double chartLeft() const; // the chart's corner in whole units
    double chartTop() const;

    QPainter& m_p;
    const Pattern& m_pattern;
    QString m_name;
    ChartPdfOptions m_options;
    ChartPdfLayout m_layout;
    PdfFrame m_frame;
    std::vector<ThreadAmount> m_threads;
    std::vector<int> m_keyLines; // keyLineEntries of m_threads
    std::vector<QRawFont> m_symbolFonts;
    std::vector<SymbolGlyph> m_glyphs;
    double m_cell = 0; // in painter units
    int m_page = 0;
};

// Painter units of a length in millimetres, and of a font size in points.
inline double pdfUnits(double mm) { return mm * kPdfDpi / 25.4; }
inline double pdfPoints(double points) { return points * kPdfDpi / 72.0; }
// DejaVu Sans at a size in points, never merged with another font (the PDF embeds one font).
QFont pdfFont(double points);
