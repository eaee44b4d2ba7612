#pragma once
// The counted chart: the pattern cut into sheets of at most 75 x 110 stitches, each cell a 9 x 9
// square optionally filled with its thread colour and carrying its colour's symbol, ruled by a
// grid whose every tenth line is thick; the stamp and the sheet label at the foot of every page;
// and the colour key page that lists every palette colour with its symbol and thread number.
#include "colour/pattern.h"
#include "colour/work_state.h"
#include "surface/surface.h"

#include <QString>
#include <array>
#include <functional>
#include <unordered_map>
#include <vector>

constexpr int kSheetColumns = 75;
constexpr int kSheetRows = 110;
constexpr int kCellSize = 9;
constexpr Long kGridColour = 0x808080;
constexpr int kPageWidth = 685; // drawable size of every page drawn after the first sheet
constexpr int kPageHeight = 1030;

// What the view options ask of a drawing, read from the controls by the window.
struct ChartOptions {
    bool symbols = true; // "Ver signos"
    bool colours = true; // "Ver colores"
    bool grid = true; // "Ver cuadrícula"
    QString symbolFont; // the font chosen for the symbols
    QString plainFont; // the plain interface font: labels, title and thread numbers

    bool operator==(const ChartOptions& o) const
    {
        return symbols == o.symbols && colours == o.colours && grid == o.grid && symbolFont == o.symbolFont
            && plainFont == o.plainFont;
    }
};

// ---- Sheet arithmetic ----

// Sheets across a pattern W stitches wide, ceil(W / 75); sheets down for H rows, ceil(H / 110).
int sheetsAcross(int W);
int sheetsDown(int H);
// The sheet selectors' maxima: one position per sheet column plus the key; one per sheet row.
inline int hScrollMax(int W) { return sheetsAcross(W) + 1; }
inline int vScrollMax(int H) { return sheetsDown(H); }
// Sheets in all, the key being the last: (hMax - 1) * vMax + 1.
int sheetTotal(int hMax, int vMax);
// Number of sheet (H, V), counted row by row from 1: (V - 1) * (hMax - 1) + H.
int sheetNumber(int H, int V, int hMax);

// The pattern as the chart reads it: stitch size s (9 for double stitch, else 3) and the size of
// the embroidery picture in pixels; W and H are the stitches across and down.
struct PatternSize {
    int s = 3;
    int widthPx = 0;
    int heightPx = 0;
    int W() const { return widthPx / s; }
    int H() const { return heightPx / s; }
};
PatternSize patternSize(const WorkState& st, const Surface& picture2);

// Stitch pixels of sheet (H, V) in the embroidery picture: columns x0 .. x1 - s, rows y0 .. y1 - s.
struct SheetExtent {
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};
SheetExtent sheetExtent(const PatternSize& p, int H, int V);
// The stitch (i, j) whose cell sheet (H, V) shows at the chart point (X, Y), for a pattern of
// `columns` x `rows` stitches; false between the sheet's cells and the page's edge.
bool sheetStitchAt(int H, int V, double X, double Y, int columns, int rows, int& i, int& j);

// ---- Palette and symbols ----

// A palette colour as the chart finds it: group (0..5), entry k, palette index, light or not, and
// the symbol it carries on the chart and the key ("" for none).
struct PaletteEntry {
    int group0 = 0;
    int k = 0;
    int index = 0;
    bool light = false;
    QString symbol;
};

// The symbol of entry k of a group: the palette index's symbol; in a black-and-white palette "X"
// for black and nothing for white; with whiteException (chart and key, not the strips) nothing
// for a white entry of group 6 that has its own code.
QString paletteSymbol(const WorkState& st, int group0, int k, bool whiteException);
// The symbol of every palette entry, in palette order, in the chosen symbol font: with "Símbolos
// claros" every thread its own symbol of the set, kept through colour swaps (no "X" and no white
// exception); with a font the codes of paletteSymbol.
std::vector<QString> paletteSymbols(const WorkState& st, const QString& symbolFont, bool whiteException);
// The pattern on show with every thread's "Símbolos claros" symbol: what the PDF chart, the thread
// list and the batch command take (the chart on screen shows the same with that set chosen).
Pattern patternWithClearSymbols(const WorkState& st);

// Colour -> first palette entry equal to it (groups 1..6, each from entry 0), built once per
// drawing; gives the same entry as searching the groups one by one.
class PaletteLookup {
public:
    explicit PaletteLookup(const WorkState& st, const QString& symbolFont = QString());
    const PaletteEntry* find(Long colour) const;

private:
    std::unordered_map<Long, PaletteEntry> m_entries;
};

// ---- Drawing ----

// Everything a chart drawing reads and where it draws.
struct ChartJob {
    const WorkState& st;
    PatternSize size;
    Surface& chart; // Picture11
    const Surface& stamp; // Picture15, the 100 x 30 stamp
    ChartOptions options;
    Progress progress; // "Dibujando patrón", the figure 98..100, the size error
};

enum class ChartResult { Drawn, SizeError, NoMemory };

// The largest chart surface, in pixels a side, the program will ask for; larger means the memory
// message. Tests lower it to reach that path.
int& chartSideLimit();

// First sheet: clears and sizes the chart to the sheet (9w + 15 by 9h + 45 outside, scale from
// -5), copies the stamp, writes "Hoja 1 de T", then the cells and the grid. A pattern one stitch
// high reports the size error after the label; a surface that cannot be made gives NoMemory.
ChartResult drawFirstSheet(const ChartJob& job);
// Sheet (H, V) on the fixed 689 x 1034 page, cells shifted so that the sheet starts at (1, 1).
ChartResult drawSheet(const ChartJob& job, int H, int V, int hMax, int vMax);
// The key page: title, one entry per palette colour (swatch, symbol, thread label), stamp and
// "Hoja T de T". threadLabel gives the label of a colour's nearest thread. With extras, the
// threads only their part stitches use follow with their own symbols, then under the headings
// "Pespunte", "Nudos" and "Cuentas" every thread backstitch, knots or beads use, with the line,
// dot or ring the sheets draw; a thread of no palette colour is labelled by its own number.
ChartResult drawKey(const ChartJob& job, int total, const std::function<QString(Long)>& threadLabel,
    const StitchExtras& extras = StitchExtras());

// Sizes a chart surface (outer size, scale from -5); false when its image cannot be made.
bool sizeChartSurface(Surface& chart, int scaleWidth, int scaleHeight);
// The stamp at (0, ScaleHeight - 37), in grey when colours are off.
void copyStamp(const Surface& stamp, Surface& chart, bool colours);
// Writes a page label at (500, ScaleHeight - 37) in black in the plain font's name.
void writePageLabel(Surface& chart, const QString& text, const QString& plainFont);

// The six strips take the symbol font (5 points, not bold).
void setStripFonts(std::array<Surface, 6>& strips, const QString& symbolFont);
// Writes every palette entry's symbol on its swatch of its group's strip at (10k + 2, 2), drawn
// as the chart draws it: black on light colours, white on the others; no white exception. The
// chart's own strips show "X" and nothing in a black-and-white palette; without that case every
// entry shows its index's symbol (the strips redrawn after a swap or by "Redibujar bordado").
void drawStripSymbols(
    std::array<Surface, 6>& strips, const WorkState& st, const QString& symbolFont, bool blackAndWhiteCase = true);
