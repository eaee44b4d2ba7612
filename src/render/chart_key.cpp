#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "render/chart.h"
#include "render/chart_text.h"

#include <algorithm>

namespace {
const QString kKeyTitle = QStringLiteral("Numeración de colores DMC");
constexpr int kEntryPitch = 55;
constexpr int kRowPitch = 15;
constexpr int kLabelClear = 11; // the first pixel right of a swatch
constexpr int kSymbolClip = 9; // a symbol stays within its swatch

// One key entry at (x, y): swatch (filled only with colours on) and its black outline, the
// symbol at (x + 2, y), then the thread label and three blanks right after it (and after the
// swatch); the line ends.
void drawEntry(const ChartJob& job, ChartText& symbols, ChartText& labels, int x, int y, Long colour,
    const QString& symbol, const QString& label)
{
    Surface& c = job.chart;
    if (job.options.colours)
        c.Line(x, y - 1, x + 10, y + 9, colour, LineKind::FilledBox);
    c.Line(x, y - 1, x + 10, y + 9, 0, LineKind::Box);
    const Long fore = !job.options.colours || isLight(colour) ? 0 : 0xFFFFFF;
    // the symbol does not end the line: the label follows it on the same text line
    c.CurrentX = x + 2;
    c.CurrentY = y;
    c.CurrentX += symbols.draw(c, c.CurrentX, c.CurrentY, symbol, fore, kSymbolClip);
    // a narrow symbol would start the thread number on the swatch, where the outline can hide
    // its first digit: the number starts clear of the swatch
    c.CurrentX = std::max(c.CurrentX, double(x + kLabelClear));
    labels.draw(c, c.CurrentX, c.CurrentY, label + QStringLiteral("   "), 0);
    c.CurrentX = c.ScaleLeft();
    c.CurrentY = y + kRowPitch;
}
} // namespace

ChartResult drawKey(const ChartJob& job, int total, const std::function<QString(Long)>& threadLabel)
{
    Surface& c = job.chart;
    const ChartOptions& o = job.options;
    c.Cls();
    if (!sizeChartSurface(c, kPageWidth, kPageHeight))
        return ChartResult::NoMemory;
    c.move(0, 0);
    c.CurrentX = 30;
    c.CurrentY = 30;
    c.ForeColor = 0;
    c.FontName = o.plainFont;
    c.FontSize = 12;
    c.FontBold = true;
    c.Print(kKeyTitle);
    c.FontName = o.symbolFont;
    c.FontSize = 5;
    c.FontBold = false;
    c.DrawWidth = 1;

    ChartText symbols({ o.symbolFont, 5, false }, true);
    ChartText labels({ o.plainFont, 5, false });
    const std::vector<QString> signs = paletteSymbols(job.st, o.symbolFont, true);
    int x = 30 - kEntryPitch, y = 69;
    c.CurrentY = 70;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < job.st.num_tono[std::size_t(g)]; ++k) {
            x += kEntryPitch;
            // a new row when this entry would end beyond the page's right margin
            if (x + kEntryPitch > c.ScaleWidth() - 10) {
                x = 30;
                y += kRowPitch;
            }
            const Long colour = job.st.tono[std::size_t(g)][std::size_t(k)];
            drawEntry(job, symbols, labels, x, y, colour, signs[std::size_t(paletteIndex(job.st, g, k))],
                threadLabel ? threadLabel(colour) : QString());
        }
    }
    copyStamp(job.stamp, c, o.colours);
    writePageLabel(c, QStringLiteral("Hoja") + Str(total) + QStringLiteral(" de") + Str(total), o.plainFont);
    return ChartResult::Drawn;
}
