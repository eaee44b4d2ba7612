#include "output/chart_pdf_page.h"

#include "colour/colour_value.h"
#include "render/extras_drawing.h"

#include <QGlyphRun>
#include <algorithm>
#include <cmath>
#include <map>

namespace {
constexpr double kMarginMm = 10;
constexpr double kHeaderMm = 8;
constexpr double kRowNumbersMm = 8;
constexpr double kColumnNumbersMm = 5;
constexpr double kSymbolInk = 0.72; // the most of a cell a symbol's ink may take
constexpr double kSymbolScales[] = { 1.0, 0.85, 0.7, 0.55, 0.4 };
const QColor kOverlapTint(0xE2, 0xEA, 0xF4);
constexpr double kNoLigatureSpacing = 0.5; // painter units: 0.01 mm a letter
constexpr double kNumberGapMm = 2.4; // between the numbers and the chart, room for the centre marks
constexpr double kMarkGapMm = 0.4, kMarkLengthMm = 1.8, kMarkWidthMm = 2.2;

QColor colourOf(Long c)
{
    const Components k = split(c);
    return QColor(k.r, k.g, k.b);
}

bool lightColour(const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 140; }

QColor tinted(const QColor& c) { return QColor((c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2); }
} // namespace

QFont pdfFont(double points)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, qRound(pdfPoints(points))));
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferNoHinting);
    // letter spacing of its own turns the shaper's ligatures off, so "ff" is copied as two letters
    f.setLetterSpacing(QFont::AbsoluteSpacing, kNoLigatureSpacing);
    return f;
}

PdfFrame pdfFrame(const QSizeF& paperMm, const ChartPdfOptions&)
{
    PdfFrame f;
    f.paper = paperMm;
    f.body = QRectF(kMarginMm, kMarginMm, paperMm.width() - 2 * kMarginMm, paperMm.height() - 2 * kMarginMm);
    f.chart = f.body.adjusted(kRowNumbersMm, kHeaderMm + kColumnNumbersMm, 0, 0);
    return f;
}

PdfDocument::PdfDocument(QPainter& painter, const Pattern& pattern, const QString& name, const ChartPdfOptions& options,
    const ChartPdfLayout& layout, const PdfFrame& frame)
    : m_p(painter)
    , m_pattern(pattern)
    , m_name(name)
    , m_options(options)
    , m_layout(layout)
    , m_frame(frame)
    , m_threads(threadAmounts(pattern, pdfAmounts(options)))
    , m_keyLines(keyLineEntries(m_threads))
    // whole units keep the numbers of the document short: a cell is within 0.02 mm of its size
    , m_cell(std::round(pdfUnits(std::clamp(options.cellMm, 2.0, 4.0))))
{
    prepareSymbols();
}

// One glyph per thread, at the largest of a few sizes whose ink fits the cell, its ink centred.
void PdfDocument::prepareSymbols()
{
    QFont base = pdfFont(1);
    base.setPixelSize(std::max(1, qRound(m_cell)));
    for (double scale : kSymbolScales) {
        QRawFont f = QRawFont::fromFont(base);
        f.setPixelSize(m_cell * scale);
        m_symbolFonts.push_back(f);
    }
    m_glyphs.resize(m_pattern.palette.size());
    for (std::size_t i = 0; i < m_pattern.palette.size(); ++i) {
        const QString& s = m_pattern.palette[i].symbol;
        const QList<quint32> glyphs = s.isEmpty() ? QList<quint32>() : m_symbolFonts[0].glyphIndexesForString(s);
        if (glyphs.isEmpty() || glyphs[0] == 0)
            continue;
        for (std::size_t k = 0; k < m_symbolFonts.size(); ++k) {
            const QRectF ink = m_symbolFonts[k].boundingRect(glyphs[0]);
            if (std::max(ink.width(), ink.height()) <= kSymbolInk * m_cell || k + 1 == m_symbolFonts.size()) {
                const QPointF offset = QPointF(m_cell / 2, m_cell / 2) - ink.center();
                m_glyphs[i] = { int(k), glyphs[0], QPointF(std::round(offset.x()), std::round(offset.y())) };
                break;
            }
        }
    }
}

void PdfDocument::drawHeader()
{
    ++m_page;
    const QRectF band(pdfUnits(m_frame.body.left()), pdfUnits(m_frame.body.top()), pdfUnits(m_frame.body.width()),
        pdfUnits(kHeaderMm - 2));
    m_p.setFont(pdfFont(9));
    m_p.setPen(Qt::black);
    // a long title leaves room for the page number
    m_p.drawText(band, Qt::AlignLeft | Qt::AlignTop,
        m_p.fontMetrics().elidedText(m_name, Qt::ElideRight, int(band.width() * 0.7)));
    m_p.drawText(
        band, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Hoja %1 de %2").arg(m_page).arg(m_layout.totalPages()));
}

double PdfDocument::chartLeft() const { return std::round(pdfUnits(m_frame.chart.left())); }
double PdfDocument::chartTop() const { return std::round(pdfUnits(m_frame.chart.top())); }

QColor PdfDocument::cellFill(int index, bool overlap) const
{
    if (!m_options.colourCells)
        return overlap ? kOverlapTint : QColor(Qt::white);
    const QColor c = colourOf(m_pattern.palette[std::size_t(index)].colour);
    return overlap ? tinted(c) : c;
}

void PdfDocument::drawChartPage(int column, int row)
{
    drawHeader();
    const int x0 = m_layout.columnEdges[std::size_t(column)], y0 = m_layout.rowEdges[std::size_t(row)];
    const int ownW = m_layout.columnEdges[std::size_t(column) + 1] - x0;
    const int ownH = m_layout.rowEdges[std::size_t(row) + 1] - y0;
    const int extra = std::clamp(m_options.overlap, 0, kMostPdfOverlap);
    const int shownW = ownW + std::min(extra, m_pattern.width - x0 - ownW);
    const int shownH = ownH + std::min(extra, m_pattern.height - y0 - ownH);
    drawCells(x0, y0, ownW, ownH, shownW, shownH);
    drawSymbols(x0, y0, ownW, ownH, shownW, shownH);
    drawGrid(x0, y0, shownW, shownH);
    if (!m_pattern.extras.empty()) {
        ExtrasView view;
        view.origin = QPointF(chartLeft() - x0 * m_cell, chartTop() - y0 * m_cell);
        view.cell = m_cell;
        view.cells = QRect(x0, y0, shownW, shownH);
        view.colours = m_options.colourCells;
        view.symbolFont = QStringLiteral("DejaVu Sans");
        drawStitchExtras(m_p, m_pattern, view);
    }
    drawNumbers(x0, y0, shownW, shownH);
    // the middle column and row, where a stitcher starts, when this page shows them
    const double middleX = m_pattern.width / 2.0 - x0, middleY = m_pattern.height / 2.0 - y0;
    const QRectF chart(chartLeft(), chartTop(), shownW * m_cell, shownH * m_cell);
    drawCentreMarks(chart, middleX >= 0 && middleX <= shownW ? chart.left() + middleX * m_cell : -1,
        middleY >= 0 && middleY <= shownH ? chart.top() + middleY * m_cell : -1);
}

// Arrows outside the four edges of `box` pointing at x (top and bottom) and y (left and right);
// a negative position has none.
void PdfDocument::drawCentreMarks(const QRectF& box, double x, double y)
{
    const double gap = pdfUnits(kMarkGapMm), length = pdfUnits(kMarkLengthMm), half = pdfUnits(kMarkWidthMm) / 2;
    auto arrow = [&](QPointF tip, QPointF outward) {
        const QPointF base = tip + outward * length, across(-outward.y() * half, outward.x() * half);
        m_p.drawPolygon(QPolygonF({ tip, base + across, base - across }));
    };
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(Qt::black);
    if (x >= 0) {
        arrow(QPointF(x, box.top() - gap), QPointF(0, -1));
        arrow(QPointF(x, box.bottom() + gap), QPointF(0, 1));
    }
    if (y >= 0) {
        arrow(QPointF(box.left() - gap, y), QPointF(-1, 0));
        arrow(QPointF(box.right() + gap, y), QPointF(1, 0));
    }
    m_p.setBrush(Qt::NoBrush);
}

// Runs of cells of one fill along a row become one rectangle; all rectangles of a fill one path.
void PdfDocument::drawCells(int x0, int y0, int ownW, int ownH, int shownW, int shownH)
{
    const double left = chartLeft(), top = chartTop();
    std::map<QRgb, QVector<QRectF>> fills;
    for (int j = 0; j < shownH; ++j) {
        int i = 0;
        while (i < shownW) {
            const int index = m_pattern.at(x0 + i, y0 + j);
            const bool overlap = i >= ownW || j >= ownH;
            // a cell with no stitch shows the cloth in a coloured chart; in an uncoloured one it
            // stays paper, tinted only in the overlap
            const QColor fill = index >= 0          ? cellFill(index, overlap)
                : overlap && !m_options.colourCells ? kOverlapTint
                : m_options.colourCells             ? QColor(m_options.cloth)
                                                    : QColor(Qt::white);
            int end = i + 1;
            while (end < shownW && (end >= ownW) == (i >= ownW) && m_pattern.at(x0 + end, y0 + j) == index)
                ++end;
            if (fill != Qt::white)
                fills[fill.rgb()].append(QRectF(left + i * m_cell, top + j * m_cell, (end - i) * m_cell, m_cell));
            i = end;
        }
    }
    m_p.setPen(Qt::NoPen);
    for (const auto& [rgb, rects] : fills) {
        m_p.setBrush(QColor(rgb));
        m_p.drawRects(rects);
    }
    m_p.setBrush(Qt::NoBrush);
}

// The symbols as text: one run of glyphs per size and colour, so the page holds few text objects.
void PdfDocument::drawSymbols(int x0, int y0, int ownW, int ownH, int shownW, int shownH)
{
    const double left = chartLeft(), top = chartTop();
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::map<std::pair<int, QRgb>, Run> runs;
    for (int j = 0; j < shownH; ++j)
        for (int i = 0; i < shownW; ++i) {
            const int index = m_pattern.at(x0 + i, y0 + j);
            if (index < 0 || m_glyphs[std::size_t(index)].size < 0)
                continue;
            const SymbolGlyph& g = m_glyphs[std::size_t(index)];
            const bool overlap = i >= ownW || j >= ownH;
            QColor fore = lightColour(cellFill(index, overlap)) ? QColor(Qt::black) : QColor(Qt::white);
            if (overlap && !m_options.colourCells)
                fore = QColor(0x50, 0x50, 0x50);
            Run& r = runs[{ g.size, fore.rgb() }];
            r.glyphs.append(g.glyph);
            r.positions.append(QPointF(left + i * m_cell, top + j * m_cell) + g.offset);
        }
    for (const auto& [key, r] : runs) {
        QGlyphRun run;
        run.setRawFont(m_symbolFonts[std::size_t(key.first)]);
        run.setGlyphIndexes(r.glyphs);
        run.setPositions(r.positions);
        m_p.setPen(QColor(key.second));
        m_p.drawGlyphRun(QPointF(0, 0), run);
    }
}

// Thin lines between all cells, heavy ones on every tenth line counted from the pattern's top
// left corner and on its far edges.
void PdfDocument::drawGrid(int x0, int y0, int shownW, int shownH)
{
    const double left = chartLeft(), top = chartTop();
    const double right = left + shownW * m_cell, bottom = top + shownH * m_cell;
    QVector<QLineF> thin, heavy;
    for (int i = 0; i <= shownW; ++i) {
        const int g = x0 + i;
        const double x = left + i * m_cell;
        (g % 10 == 0 || g == m_pattern.width ? heavy : thin).append(QLineF(x, top, x, bottom));
    }
    for (int j = 0; j <= shownH; ++j) {
        const int g = y0 + j;
        const double y = top + j * m_cell;
        (g % 10 == 0 || g == m_pattern.height ? heavy : thin).append(QLineF(left, y, right, y));
    }
    m_p.setPen(QPen(QColor(0x80, 0x80, 0x80), pdfPoints(0.25), Qt::SolidLine, Qt::FlatCap));
    m_p.drawLines(thin);
    m_p.setPen(QPen(Qt::black, pdfPoints(0.7), Qt::SolidLine, Qt::SquareCap));
    m_p.drawLines(heavy);
}

// The numbers of every tenth column above the chart and of every tenth row left of it.
void PdfDocument::drawNumbers(int x0, int y0, int shownW, int shownH)
{
    const double left = chartLeft(), top = chartTop();
    const double w = pdfUnits(10), gap = pdfUnits(kNumberGapMm);
    m_p.setFont(pdfFont(6));
    m_p.setPen(Qt::black);
    for (int i = 0; i <= shownW; ++i)
        if ((x0 + i) % 10 == 0 && x0 + i > 0) {
            const double x = left + i * m_cell;
            m_p.drawText(QRectF(x - w / 2, top - pdfUnits(kColumnNumbersMm), w, pdfUnits(kColumnNumbersMm) - gap),
                Qt::AlignHCenter | Qt::AlignBottom, QString::number(x0 + i));
        }
    for (int j = 0; j <= shownH; ++j)
        if ((y0 + j) % 10 == 0 && y0 + j > 0) {
            const double y = top + j * m_cell;
            m_p.drawText(QRectF(left - pdfUnits(kRowNumbersMm), y - w / 2, pdfUnits(kRowNumbersMm) - gap, w),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(y0 + j));
        }
}
