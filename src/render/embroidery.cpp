#include "render/embroidery.h"

#include "colour/colour_value.h"
#include "colour/progress_figure.h"

#include <algorithm>
#include <array>
#include <deque>
#include <unordered_map>

namespace {
using S = Shade;
// dy down, dx across: a diagonal stroke from bottom left to top right, lit from the top left
constexpr Shade kSingleCell[3][3] = {
    { S::LightQuarter, S::LightQuarter, S::Base },
    { S::LightQuarter, S::Base, S::DarkQuarter },
    { S::Base, S::DarkQuarter, S::DarkHalf },
};

// A base, L light half, d dark eighth, m dark third, D dark half, Q grey, '.' not drawn
constexpr const char* kDoubleCell[9] = {
    "mddQ..Add",
    "dAAd.ALdd",
    "dAALdLAAd",
    "QdLLAdAdQ",
    "...AAddQQ",
    ".ALddddD.",
    "ALAAddmmD",
    "ddAdQDmmD",
    "dddQQ.DDD",
};

Shade doubleShade(char c)
{
    switch (c) {
    case 'L':
        return S::LightHalf;
    case 'd':
        return S::DarkEighth;
    case 'm':
        return S::DarkThird;
    case 'D':
        return S::DarkHalf;
    case 'Q':
        return S::Grey;
    default:
        return S::Base;
    }
}

int shadeComponent(int v, Shade shade)
{
    switch (shade) {
    case S::LightQuarter:
        return v + (255 - v) / 4;
    case S::DarkQuarter:
        return v - v / 4;
    case S::DarkHalf:
        return v - v / 2;
    case S::LightHalf:
        return v + (255 - v) / 2;
    case S::DarkEighth:
        return v - v / 8;
    case S::DarkThird:
        return v - v / 3;
    default:
        return v;
    }
}
} // namespace

Long shadeOf(Long colour, Shade shade)
{
    if (shade == S::Grey)
        return QBColor(8);
    // components are 0..255, so the integer division is the truncation of the formulas
    const Components c = split(colour);
    return RGB(shadeComponent(c.r, shade), shadeComponent(c.g, shade), shadeComponent(c.b, shade));
}

void drawSingleStitchCell(Surface& surface, int x0, int y0, Long colour)
{
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx)
            surface.setPixel(x0 + dx, y0 + dy, shadeOf(colour, kSingleCell[dy][dx]));
}

void drawDoubleStitchCell(Surface& surface, int x0, int y0, Long colour)
{
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx)
            if (kDoubleCell[dy][dx] != '.')
                surface.setPixel(x0 + dx, y0 + dy, shadeOf(colour, doubleShade(kDoubleCell[dy][dx])));
}

namespace {
// The pixels of whole cells, worked out once per thread colour. A double-stitch cell's undrawn
// pixels are the cloth, the colour the box was cleared to, so whole rows can be copied. A cell with
// no stitch is all cloth.
class CellPictures {
public:
    CellPictures(int s, Long cloth)
        : m_s(s)
        , m_cloth(cloth)
    {
    }
    const QRgb* cell(Long colour)
    {
        if (m_last && colour == m_lastColour)
            return m_last;
        auto it = m_index.find(colour);
        if (it == m_index.end())
            it = m_index.emplace(colour, make(colour)).first;
        m_lastColour = colour;
        m_last = it->second;
        return m_last;
    }

private:
    const QRgb* make(Long colour)
    {
        std::array<QRgb, 81>& px = m_cells.emplace_back();
        for (int dy = 0; dy < m_s; ++dy)
            for (int dx = 0; dx < m_s; ++dx) {
                // the cloth shows between the threads of a double-stitch cell too
                Long c = m_cloth;
                if (colour == kNoStitchColour)
                    c = m_cloth; // no stitch: the whole cell is the cloth
                else if (m_s == 3)
                    c = shadeOf(colour, kSingleCell[dy][dx]);
                else if (kDoubleCell[dy][dx] != '.')
                    c = shadeOf(colour, doubleShade(kDoubleCell[dy][dx]));
                px[std::size_t(dy * m_s + dx)] = rgbFromColour(c);
            }
        return px.data();
    }

    int m_s;
    Long m_cloth;
    std::deque<std::array<QRgb, 81>> m_cells;
    std::unordered_map<Long, const QRgb*> m_index;
    Long m_lastColour = 0;
    const QRgb* m_last = nullptr;
};

// Draws stitch rows j0..rows-1 of columns i0..i1-1, row by row; cells reaching past the box are cut.
// The cell size is fixed at compile time so each cell row is a short fixed copy.
template <int S>
void drawColumns(const WorkState& st, Surface& box, int i0, int i1, int rows, CellPictures& cells, int j0 = 0)
{
    std::vector<const QRgb*> rowCells(std::size_t(i1 - i0));
    const int w = box.pixelWidth(), h = box.pixelHeight();
    const int whole = std::min(i1, w / S); // columns whose cells fit the box entirely
    for (int j = j0; j < rows && S * j < h; ++j) {
        for (int i = i0; i < i1; ++i)
            rowCells[std::size_t(i - i0)] = cells.cell(st.puntos(i, j));
        for (int dy = 0; dy < S && S * j + dy < h; ++dy) {
            QRgb* line = box.scanLine(S * j + dy);
            int i = i0;
            for (; i < whole; ++i) {
                const QRgb* from = rowCells[std::size_t(i - i0)] + dy * S;
                QRgb* to = line + S * i;
                for (int dx = 0; dx < S; ++dx)
                    to[dx] = from[dx];
            }
            for (; i < i1 && S * i < w; ++i)
                std::copy_n(rowCells[std::size_t(i - i0)] + dy * S, w - S * i, line + S * i);
        }
    }
}

// Draws every stitch in cells of s pixels; the figure runs 95..98 over the columns, so the
// columns are drawn in bands that share one figure.
void drawPattern(const WorkState& st, Surface& box, int s, const Progress& progress, Long cloth)
{
    const int columns = std::min<int>(st.ancho_puntos, kMaxColumns);
    const int rows = std::min<int>(st.alto_puntos, kMaxRows);
    const auto figureAt = [&](int i) { return 95 + int(Fix(3.0 * i / (st.ancho_puntos - 1))); };
    ProgressFigure figure(progress);
    CellPictures cells(s, cloth);
    for (int i0 = 0; i0 < columns;) {
        int i1 = i0 + 1;
        while (i1 < columns && figureAt(i1) == figureAt(i0))
            ++i1;
        figure.show(figureAt(i0));
        if (s == 3)
            drawColumns<3>(st, box, i0, i1, rows, cells);
        else
            drawColumns<9>(st, box, i0, i1, rows, cells);
        i0 = i1;
    }
}

// Clears the box as Cls does, but only past the cells drawn next (columns wide, rows high, in
// pixels), which cover the rest of it: clearing a large box costs as much as drawing it.
void clearBeyondCells(Surface& box, int columns, int rows)
{
    const QRgb cloth = rgbFromColour(box.BackColor);
    const int w = box.pixelWidth(), h = box.pixelHeight();
    for (int y = 0; y < h; ++y) {
        QRgb* line = box.scanLine(y);
        std::fill(line + (y < rows ? std::min(columns, w) : 0), line + w, cloth);
    }
    box.CurrentX = 0;
    box.CurrentY = 0;
}
} // namespace

bool dibujar(WorkState& st, Surface& box, const Progress& progress, Long cloth)
{
    st.listo = False;
    progress.setPointer(11);
    progress.setStage(QStringLiteral("Dibujando bordado"));
    if (st.ancho_puntos == 1) {
        progress.report(QStringLiteral("Error en el tamaño de la imagen"));
        return false;
    }
    drawPattern(st, box, 3, progress, cloth);
    progress.setPointer(0);
    st.listo = True;
    return true;
}

bool pinta2(WorkState& st, Surface& box, const Progress& progress, Long cloth)
{
    progress.setPointer(11);
    // the undrawn pixels of every cell show the cloth
    box.BackColor = cloth;
    if (st.ancho_puntos == 1)
        box.Cls();
    else
        clearBeyondCells(
            box, 9 * std::min<int>(st.ancho_puntos, kMaxColumns), 9 * std::min<int>(st.alto_puntos, kMaxRows));
    progress.setStage(QStringLiteral("Dibujando bordado"));
    if (st.ancho_puntos == 1) {
        progress.report(QStringLiteral("Error en el tamaño de la imagen"));
        return false;
    }
    drawPattern(st, box, 9, progress, cloth);
    progress.setPointer(0);
    return true;
}

void drawEmbroideryCells(const WorkState& st, Surface& box, QRect cells, Long cloth)
{
    const QRect r = cells.intersected(
        QRect(0, 0, std::min<int>(st.ancho_puntos, kMaxColumns), std::min<int>(st.alto_puntos, kMaxRows)));
    if (r.isEmpty())
        return;
    const int s = st.punto_doble ? 9 : 3;
    CellPictures pictures(s, cloth);
    if (s == 3)
        drawColumns<3>(st, box, r.left(), r.right() + 1, r.bottom() + 1, pictures, r.top());
    else
        drawColumns<9>(st, box, r.left(), r.right() + 1, r.bottom() + 1, pictures, r.top());
}
