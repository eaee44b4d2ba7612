#pragma once
// The pattern editor's tools as plain functions on a read-only view of the stitch grid: each
// returns the cells it would change (or the cells it finds) and changes nothing itself, so Work
// applies them as one undo step and the tests run them on small grids.
#include "colour/work_state.h"
#include "work/extras_edit.h"

#include <QPoint>
#include <QRect>
#include <vector>

// One cell the edit changes: its colour before and after (kNoStitchColour is the cloth).
struct CellEdit {
    int x = 0, y = 0;
    Long before = 0, after = 0;
    bool operator==(const CellEdit& o) const { return x == o.x && y == o.y && before == o.before && after == o.after; }
};

// A columns x rows grid of colours read in place: cell (x, y) is cells[y * stride + x].
struct GridView {
    int columns = 0, rows = 0;
    const Long* cells = nullptr;
    std::size_t stride = 0;

    Long at(int x, int y) const { return cells[std::size_t(y) * stride + std::size_t(x)]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < columns && y < rows; }
    bool contains(QPoint p) const { return contains(p.x(), p.y()); }
};
// The pattern's part of the stitch grid.
GridView gridViewOf(const StitchGrid& grid, int columns, int rows);

// The cells of `cells` given `colour`, each once, skipping those outside or already that colour.
std::vector<CellEdit> editCellsTo(const GridView& g, const std::vector<QPoint>& cells, Long colour);
// A straight line of stitches from a to b, both ends included (a pencil stroke's segment too).
std::vector<CellEdit> editLine(const GridView& g, QPoint a, QPoint b, Long colour);
// The rectangle's border, or the whole rectangle when filled; r from one corner cell to the
// other, QRect(a, b), in either order.
std::vector<CellEdit> editRectangle(const GridView& g, QRect r, bool filled, Long colour);
// The ellipse inscribed in r: its outline (a closed ring of cells), or every cell inside when filled.
std::vector<CellEdit> editEllipse(const GridView& g, QRect r, bool filled, Long colour);
// The region of the seed's colour four-connected to it takes `colour`.
std::vector<CellEdit> editFill(const GridView& g, QPoint seed, Long colour);
// Every stitch of colour `from` takes `to`.
std::vector<CellEdit> editReplace(const GridView& g, Long from, Long to);
// The stitches eight-connected to the seed whose colour is within ΔE2000 `tolerance` of the
// seed's colour (the seed included); empty for a seed outside or on the cloth. Row by row.
std::vector<QPoint> similarRegion(const GridView& g, QPoint seed, double tolerance);
// The stitches eight-connected to the border whose colour is within ΔE2000 `tolerance` of the
// colour most common along the border (ties: the one met first going round); row by row.
std::vector<QPoint> borderBackground(const GridView& g, double tolerance);

// A block of cells copied from the grid; kNoStitchColour where it holds nothing. Its part
// stitches, backstitch, knots and beads, when the editor copies them too, come in `extras`.
struct Clip {
    int columns = 0, rows = 0;
    std::vector<Long> cells; // row by row
    StitchExtras extras; // from the block's top-left corner
    Long at(int x, int y) const { return cells[std::size_t(y) * std::size_t(columns) + std::size_t(x)]; }
    bool operator==(const Clip& o) const { return columns == o.columns && rows == o.rows && cells == o.cells; }
};
// The cells of r that lie in the grid (r clipped to it).
Clip copyClip(const GridView& g, QRect r);
// Mirrored left to right (horizontal) or top to bottom.
Clip mirrored(const Clip& c, bool horizontal);
// Turned a quarter, clockwise or not: columns and rows trade places.
Clip rotated90(const Clip& c, bool clockwise);
// The clip placed with its top-left cell at topLeft, cut at the grid's edges; its empty cells
// leave the grid as it is.
std::vector<CellEdit> editPaste(const GridView& g, const Clip& c, QPoint topLeft);
