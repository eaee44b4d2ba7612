#include "render/chart.h"

#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "render/chart_text.h"
#include "render/clear_symbols.h"

#include <algorithm>
#include <cmath>

namespace {
const QString kStage = QStringLiteral("Dibujando patrón");
const QString kSizeError = QStringLiteral("Error en el tamaño de la imagen");
constexpr double kSymbolPoints = 5;
constexpr int kSwatchClip = 9; // a strip symbol stays within its swatch

int ceilDiv(int n, int d) { return n <= 0 ? 0 : (n + d - 1) / d; }

// The surface writes in the symbol font from here on (the strips and later prints rely on it).
void setSymbolFont(Surface& s, const QString& symbolFont)
{
    s.FontName = symbolFont;
    s.FontBold = false;
    s.FontSize = kSymbolPoints;
}

// The cells of one sheet: stitch pixels e of the embroidery picture, drawn with the sheet's top
// left cell at (1, 1) by taking shiftX, shiftY units off every cell. The progress figure runs
// 98 + 2 * y / progressSpan per row; it only changes three times, so it is sent only then.
void drawCells(const ChartJob& job, const SheetExtent& e, int shiftX, int shiftY, int progressSpan)
{
    const PaletteLookup lookup(job.st, job.options.symbolFont);
    ChartText text({ job.options.symbolFont, kSymbolPoints, false }, true);
    Surface& c = job.chart;
    const int s = job.size.s;
    int shown = -1;
    for (int y = e.y0; y <= e.y1 - s; y += s) {
        const int figure = progressSpan > 0 ? 98 + int(Fix(2.0 * y / progressSpan)) : 100;
        if (figure != shown) {
            job.progress.setFigure(QString::number(figure));
            shown = figure;
        }
        const int j = y / s;
        if (j >= kMaxRows)
            break;
        for (int x = e.x0; x <= e.x1 - s; x += s) {
            const int i = x / s;
            if (i >= kMaxColumns)
                break;
            const Long colour = job.st.puntos(i, j);
            const PaletteEntry* entry = lookup.find(colour);
            if (!entry)
                continue;
            const int left = kCellSize * i + 1 - shiftX, top = kCellSize * j + 1 - shiftY;
            if (job.options.colours)
                c.Line(left, top, left + 8, top + 8, colour, LineKind::FilledBox);
            if (job.options.symbols && !entry->symbol.isEmpty()) {
                const Long fore = !job.options.colours || entry->light ? 0 : 0xFFFFFF;
                text.draw(c, left, top, entry->symbol, fore, kCellSize);
            }
        }
    }
}

// Grey grid lines every 9 units up to the last column and row given, thick where the line
// falls on a tenth stitch of the pattern (columnShift moves the count on later sheet columns),
// then the black border with the width the last row line left.
void drawGrid(Surface& c, int lastColumn, int lastRow, int columnShift)
{
    const int right = int(c.ScaleWidth()) - 11, bottom = int(c.ScaleHeight()) - 41;
    for (int x = kCellSize; x <= lastColumn; x += kCellSize) {
        c.DrawWidth = (columnShift + x) % 10 == 0 ? 2 : 1;
        c.Line(x, 0, x, bottom, kGridColour);
    }
    for (int y = kCellSize; y <= lastRow; y += kCellSize) {
        c.DrawWidth = y % 10 == 0 ? 2 : 1;
        c.Line(0, y, right, y, kGridColour);
    }
    c.Line(0, 0, right, bottom, 0, LineKind::Box);
}
} // namespace

int sheetsAcross(int W) { return ceilDiv(W, kSheetColumns); }

int sheetsDown(int H) { return ceilDiv(H, kSheetRows); }

int sheetTotal(int hMax, int vMax) { return (hMax - 1) * vMax + 1; }

int sheetNumber(int H, int V, int hMax) { return (V - 1) * (hMax - 1) + H; }

PatternSize patternSize(const WorkState& st, const Surface& picture2)
{
    PatternSize p;
    p.s = st.punto_doble != 0 ? 9 : 3;
    p.widthPx = std::max(0, int(picture2.ScaleWidth()));
    p.heightPx = std::max(0, int(picture2.ScaleHeight()));
    return p;
}

SheetExtent sheetExtent(const PatternSize& p, int H, int V)
{
    SheetExtent e;
    e.x0 = (H - 1) * kSheetColumns * p.s;
    e.x1 = std::min(H * kSheetColumns * p.s, p.widthPx);
    e.y0 = (V - 1) * kSheetRows * p.s;
    e.y1 = std::min(V * kSheetRows * p.s, p.heightPx);
    return e;
}

bool sheetStitchAt(int H, int V, double X, double Y, int columns, int rows, int& i, int& j)
{
    // cell (column, row) of a sheet covers 9 units from (9 column + 1, 9 row + 1)
    const int column = int(std::floor((X - 1) / kCellSize)), row = int(std::floor((Y - 1) / kCellSize));
    if (X < 1 || Y < 1 || column >= kSheetColumns || row >= kSheetRows)
        return false;
    i = (H - 1) * kSheetColumns + column;
    j = (V - 1) * kSheetRows + row;
    return H >= 1 && V >= 1 && i < std::min(columns, kMaxColumns) && j < std::min(rows, kMaxRows);
}

QString paletteSymbol(const WorkState& st, int group0, int k, bool whiteException)
{
    const int index = paletteIndex(st, group0, k);
    // only an index whose code would pass 255 shares the last code whatever its colour; index 222
    // has code 255 of its own and keeps the group-6 rules
    if (group0 < 5 || 33 + index > 255)
        return QString(symbolChar(index));
    if (isBlackAndWhite(st))
        return k == 1 ? QStringLiteral("X") : QString();
    if (whiteException && st.tono[5][std::size_t(k)] == 0xFFFFFF)
        return QString();
    return QString(symbolChar(index));
}

std::vector<QString> paletteSymbols(const WorkState& st, const QString& symbolFont, bool whiteException)
{
    std::vector<QString> symbols;
    if (isClearSymbols(symbolFont)) {
        for (int n : threadSymbolIndexes(st))
            symbols.push_back(clearSymbol(n));
        return symbols;
    }
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[std::size_t(g)]; ++k)
            symbols.push_back(paletteSymbol(st, g, k, whiteException));
    return symbols;
}

Pattern patternWithClearSymbols(const WorkState& st)
{
    const std::vector<QString> symbols = paletteSymbols(st, clearSymbolsName(), false);
    return patternFromState(st, [&symbols](int index) { return symbols[std::size_t(index)]; });
}

PaletteLookup::PaletteLookup(const WorkState& st, const QString& symbolFont)
{
    const std::vector<QString> symbols = paletteSymbols(st, symbolFont, true);
    int index = 0;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < st.num_tono[std::size_t(g)]; ++k, ++index) {
            const Long colour = st.tono[std::size_t(g)][std::size_t(k)];
            // the first entry of a colour wins, as a search from group 1 entry 0 finds it
            if (m_entries.count(colour))
                continue;
            m_entries.emplace(colour, PaletteEntry { g, k, index, isLight(colour), symbols[std::size_t(index)] });
        }
    }
}

const PaletteEntry* PaletteLookup::find(Long colour) const
{
    const auto it = m_entries.find(colour);
    return it == m_entries.end() ? nullptr : &it->second;
}

int& chartSideLimit()
{
    static int limit = 30000;
    return limit;
}

bool sizeChartSurface(Surface& chart, int scaleWidth, int scaleHeight)
{
    const int frame = 2 * chart.border();
    if (scaleWidth + frame > chartSideLimit() || scaleHeight + frame > chartSideLimit())
        return false;
    chart.setScaleLeft(-5);
    chart.setScaleTop(-5);
    chart.setSize(scaleWidth + frame, scaleHeight + frame);
    chart.setScaleHeight(scaleHeight);
    chart.setScaleWidth(scaleWidth);
    return chart.imageValid();
}

void copyStamp(const Surface& stamp, Surface& chart, bool colours)
{
    const double top = chart.ScaleHeight() - 37;
    for (int x = 0; x <= 99; ++x) {
        for (int y = 0; y <= 29; ++y) {
            Long colour = stamp.Point(x, y);
            if (!colours) {
                const int g = int(Int(split(colour).sum() / 3.0));
                colour = RGB(g, g, g);
            }
            chart.PSet(x, top + y, colour);
        }
    }
}

void writePageLabel(Surface& chart, const QString& text, const QString& plainFont)
{
    chart.CurrentX = 500;
    chart.CurrentY = chart.ScaleHeight() - 37;
    chart.ForeColor = 0;
    chart.FontName = plainFont;
    chart.Print(text);
}

ChartResult drawFirstSheet(const ChartJob& job)
{
    const PatternSize& p = job.size;
    const int w = std::min(p.W(), kSheetColumns), h = std::min(p.H(), kSheetRows);
    Surface& c = job.chart;
    c.Cls();
    if (!sizeChartSurface(c, kCellSize * w + 11, kCellSize * h + 41))
        return ChartResult::NoMemory;
    copyStamp(job.stamp, c, job.options.colours);
    const int total = sheetTotal(hScrollMax(p.W()), vScrollMax(p.H()));
    writePageLabel(c, QStringLiteral("Hoja 1 de") + Str(total), job.options.plainFont);
    setSymbolFont(c, job.options.symbolFont);
    job.progress.setStage(kStage);
    if (p.heightPx == p.s) {
        job.progress.report(kSizeError);
        return ChartResult::SizeError;
    }
    drawCells(job, SheetExtent { 0, w * p.s, 0, h * p.s }, 0, 0, h * p.s - p.s);
    if (job.options.grid)
        drawGrid(c, int(c.ScaleWidth()) - 20, int(c.ScaleHeight()) - 50, 0);
    return ChartResult::Drawn;
}

ChartResult drawSheet(const ChartJob& job, int H, int V, int hMax, int vMax)
{
    const PatternSize& p = job.size;
    Surface& c = job.chart;
    c.Cls();
    if (!sizeChartSurface(c, kPageWidth, kPageHeight))
        return ChartResult::NoMemory;
    c.move(0, 0);
    copyStamp(job.stamp, c, job.options.colours);
    writePageLabel(c,
        QStringLiteral("Hoja") + Str(sheetNumber(H, V, hMax)) + QStringLiteral(" de") + Str(sheetTotal(hMax, vMax)),
        job.options.plainFont);
    setSymbolFont(c, job.options.symbolFont);
    job.progress.setStage(kStage);
    if (p.heightPx == p.s) {
        job.progress.report(kSizeError);
        return ChartResult::SizeError;
    }
    const SheetExtent e = sheetExtent(p, H, V);
    // sheets start at the surface's (1, 1): take off the columns and rows of the sheets before
    drawCells(job, e, (H - 1) * kSheetColumns * kCellSize, (V - 1) * kSheetRows * kCellSize, e.y1 - p.s);
    if (job.options.grid)
        drawGrid(c, int(c.ScaleWidth()) - 10, int(c.ScaleHeight()) - 40, (H - 1) * 45);
    return ChartResult::Drawn;
}

void setStripFonts(std::array<Surface, 6>& strips, const QString& symbolFont)
{
    for (Surface& s : strips)
        setSymbolFont(s, symbolFont);
}

void drawStripSymbols(
    std::array<Surface, 6>& strips, const WorkState& st, const QString& symbolFont, bool blackAndWhiteCase)
{
    ChartText text({ symbolFont, kSymbolPoints, false }, true);
    const bool clear = isClearSymbols(symbolFont);
    const std::vector<QString> symbols = clear ? paletteSymbols(st, symbolFont, false) : std::vector<QString>();
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < st.num_tono[std::size_t(g)]; ++k) {
            const QString symbol = clear ? symbols[std::size_t(paletteIndex(st, g, k))]
                : blackAndWhiteCase      ? paletteSymbol(st, g, k, false)
                                         : QString(symbolChar(paletteIndex(st, g, k)));
            const Long colour = st.tono[std::size_t(g)][std::size_t(k)];
            text.draw(strips[std::size_t(g)], 10 * k + 2, 2, symbol, isLight(colour) ? 0 : 0xFFFFFF, kSwatchClip);
        }
    }
}
