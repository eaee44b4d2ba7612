#include "work/edit_tools.h"

#include "colour/delta_e.h"
#include "surface/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>

GridView gridViewOf(const StitchGrid& grid, int columns, int rows)
{
    return { columns, rows, grid.data(), std::size_t(kMaxColumns) };
}

namespace {
// Cells of the grid seen once: a flag per cell and the rows they were met on, so the cells come
// back row by row without sorting and without walking the whole grid for a small region.
class CellSet {
public:
    explicit CellSet(const GridView& g)
        : m_columns(g.columns)
        , m_seen(std::size_t(g.columns) * std::size_t(g.rows), 0)
        , m_top(g.rows)
    {
    }
    bool has(int x, int y) const { return m_seen[index(x, y)] != 0; }
    void add(int x, int y)
    {
        ++m_count;
        m_seen[index(x, y)] = 1;
        m_top = std::min(m_top, y);
        m_bottom = std::max(m_bottom, y);
        m_left = std::min(m_left, x);
        m_right = std::max(m_right, x);
    }
    std::size_t count() const { return m_count; }
    // Calls f(x, y) for every cell in the set, row by row.
    template <class F> void forEach(F f) const
    {
        for (int y = m_top; y <= m_bottom; ++y) {
            const std::uint8_t* row = m_seen.data() + index(0, y);
            for (int x = m_left; x <= m_right; ++x)
                if (row[x] != 0)
                    f(x, y);
        }
    }
    std::vector<QPoint> points() const
    {
        std::vector<QPoint> out;
        out.reserve(m_count);
        forEach([&out](int x, int y) { out.emplace_back(x, y); });
        return out;
    }

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(m_columns) + std::size_t(x); }
    int m_columns;
    std::vector<std::uint8_t> m_seen;
    int m_top, m_bottom = -1, m_left = 1 << 30, m_right = -1;
    std::size_t m_count = 0;
};

// Grows `set` from the cells already in `stack` over the neighbours (four or eight) that `take`
// accepts, a run of a row at a time: the stack holds one cell of each run still to spread.
template <class Take> void grow(const GridView& g, CellSet& set, std::vector<QPoint>& stack, bool eight, Take take)
{
    const auto open = [&](int x, int y) { return !set.has(x, y) && take(g.at(x, y)); };
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        const int y = p.y();
        int x0 = p.x(), x1 = p.x();
        while (x0 > 0 && open(x0 - 1, y))
            set.add(--x0, y);
        while (x1 + 1 < g.columns && open(x1 + 1, y))
            set.add(++x1, y);
        const int from = std::max(eight ? x0 - 1 : x0, 0), to = std::min(eight ? x1 + 1 : x1, g.columns - 1);
        for (const int ny : { y - 1, y + 1 }) {
            if (ny < 0 || ny >= g.rows)
                continue;
            bool inRun = false;
            for (int x = from; x <= to; ++x) {
                const bool o = open(x, ny);
                if (o && !inRun) {
                    set.add(x, ny);
                    stack.emplace_back(x, ny);
                }
                inRun = o;
            }
        }
    }
}

// Whether a colour is within ΔE2000 `tolerance` of `reference`, worked out once per colour.
class Similar {
public:
    Similar(Long reference, double tolerance)
        : m_reference(labFromColour(reference))
        , m_colour(reference)
        , m_tolerance(tolerance)
    {
    }
    bool operator()(Long colour)
    {
        if (colour == kNoStitchColour)
            return false;
        if (colour == m_colour)
            return true;
        if (colour == m_lastColour)
            return m_last;
        auto it = m_known.find(colour);
        if (it == m_known.end())
            it = m_known.emplace(colour, deltaE2000(m_reference, labFromColour(colour)) <= m_tolerance).first;
        m_lastColour = colour;
        m_last = it->second;
        return m_last;
    }

private:
    Lab m_reference;
    Long m_colour;
    double m_tolerance;
    std::unordered_map<Long, bool> m_known;
    Long m_lastColour = kNoStitchColour;
    bool m_last = false;
};

void addEdit(std::vector<CellEdit>& out, const GridView& g, int x, int y, Long colour)
{
    if (g.contains(x, y) && g.at(x, y) != colour)
        out.push_back({ x, y, g.at(x, y), colour });
}

std::vector<CellEdit> editsOfPoints(const GridView& g, std::vector<QPoint> cells, Long colour)
{
    const auto before = [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); };
    // a region comes row by row already, each cell once
    if (std::adjacent_find(cells.begin(), cells.end(), [&](QPoint a, QPoint b) { return !before(a, b); })
        != cells.end()) {
        std::sort(cells.begin(), cells.end(), before);
        cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    }
    std::vector<CellEdit> out;
    out.reserve(cells.size());
    for (QPoint p : cells)
        addEdit(out, g, p.x(), p.y(), colour);
    return out;
}

// The cells from one corner of r to the other, whichever corners were given: QRect(a, b) keeps
// its corners as given, and Qt's own normalising reads them as a size.
QRect cellRect(const QRect& r)
{
    return QRect(QPoint(std::min(r.left(), r.right()), std::min(r.top(), r.bottom())),
        QPoint(std::max(r.left(), r.right()), std::max(r.top(), r.bottom())));
}

// The ellipse inscribed in r holds the cell whose centre lies inside it.
bool insideEllipse(const QRect& r, int x, int y)
{
    const double rx = r.width() / 2.0, ry = r.height() / 2.0;
    const double dx = (x + 0.5 - (r.left() + rx)) / rx, dy = (y + 0.5 - (r.top() + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}
} // namespace

std::vector<CellEdit> editCellsTo(const GridView& g, const std::vector<QPoint>& cells, Long colour)
{
    return editsOfPoints(g, cells, colour);
}

std::vector<CellEdit> editLine(const GridView& g, QPoint a, QPoint b, Long colour)
{
    std::vector<QPoint> cells;
    forEachLinePoint(a.x(), a.y(), b.x(), b.y(), [&cells](int x, int y) { cells.emplace_back(x, y); });
    return editsOfPoints(g, std::move(cells), colour);
}

std::vector<CellEdit> editRectangle(const GridView& g, QRect r, bool filled, Long colour)
{
    r = cellRect(r);
    std::vector<CellEdit> out;
    if (filled)
        out.reserve(std::size_t(r.intersected(QRect(0, 0, g.columns, g.rows)).width())
            * std::size_t(r.intersected(QRect(0, 0, g.columns, g.rows)).height()));
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), g.rows - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), g.columns - 1); ++x)
            if (filled || y == r.top() || y == r.bottom() || x == r.left() || x == r.right())
                addEdit(out, g, x, y, colour);
    return out;
}

std::vector<CellEdit> editEllipse(const GridView& g, QRect r, bool filled, Long colour)
{
    r = cellRect(r);
    std::vector<CellEdit> out;
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), g.rows - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), g.columns - 1); ++x) {
            if (!insideEllipse(r, x, y))
                continue;
            // the outline: cells inside with a four-neighbour outside, a closed ring
            const bool edge = !insideEllipse(r, x - 1, y) || !insideEllipse(r, x + 1, y) || !insideEllipse(r, x, y - 1)
                || !insideEllipse(r, x, y + 1);
            if (filled || edge)
                addEdit(out, g, x, y, colour);
        }
    return out;
}

std::vector<CellEdit> editFill(const GridView& g, QPoint seed, Long colour)
{
    if (!g.contains(seed) || g.at(seed.x(), seed.y()) == colour)
        return {};
    const Long from = g.at(seed.x(), seed.y());
    CellSet set(g);
    set.add(seed.x(), seed.y());
    std::vector<QPoint> stack { seed };
    grow(g, set, stack, false, [from](Long c) { return c == from; });
    std::vector<CellEdit> out;
    out.reserve(set.count());
    set.forEach([&](int x, int y) { out.push_back({ x, y, from, colour }); });
    return out;
}

std::vector<CellEdit> editReplace(const GridView& g, Long from, Long to)
{
    std::vector<CellEdit> out;
    if (from == to)
        return out;
    for (int y = 0; y < g.rows; ++y) {
        const Long* row = g.cells + std::size_t(y) * g.stride;
        for (int x = 0; x < g.columns; ++x)
            if (row[x] == from)
                out.push_back({ x, y, from, to });
    }
    return out;
}

std::vector<QPoint> similarRegion(const GridView& g, QPoint seed, double tolerance)
{
    if (!g.contains(seed) || g.at(seed.x(), seed.y()) == kNoStitchColour)
        return {};
    Similar similar(g.at(seed.x(), seed.y()), tolerance);
    CellSet set(g);
    set.add(seed.x(), seed.y());
    std::vector<QPoint> stack { seed };
    grow(g, set, stack, true, similar);
    return set.points();
}

std::vector<QPoint> borderBackground(const GridView& g, double tolerance)
{
    if (g.columns < 1 || g.rows < 1)
        return {};
    // the border going round from the top-left corner, each cell once
    std::vector<QPoint> border;
    for (int x = 0; x < g.columns; ++x)
        border.emplace_back(x, 0);
    for (int y = 1; y < g.rows; ++y)
        border.emplace_back(g.columns - 1, y);
    if (g.rows > 1)
        for (int x = g.columns - 2; x >= 0; --x)
            border.emplace_back(x, g.rows - 1);
    if (g.columns > 1)
        for (int y = g.rows - 2; y > 0; --y)
            border.emplace_back(0, y);
    std::unordered_map<Long, int> count;
    Long common = kNoStitchColour;
    int most = 0;
    for (QPoint p : border) {
        const Long c = g.at(p.x(), p.y());
        if (c == kNoStitchColour)
            continue;
        const int n = ++count[c];
        if (n > most) {
            most = n;
            common = c;
        }
    }
    if (common == kNoStitchColour)
        return {};
    Similar similar(common, tolerance);
    CellSet set(g);
    std::vector<QPoint> stack;
    for (QPoint p : border)
        if (!set.has(p.x(), p.y()) && similar(g.at(p.x(), p.y()))) {
            set.add(p.x(), p.y());
            stack.push_back(p);
        }
    grow(g, set, stack, true, similar);
    return set.points();
}

Clip copyClip(const GridView& g, QRect r)
{
    r = cellRect(r).intersected(QRect(0, 0, g.columns, g.rows));
    Clip c;
    if (r.isEmpty())
        return c;
    c.columns = r.width();
    c.rows = r.height();
    c.cells.reserve(std::size_t(c.columns) * std::size_t(c.rows));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            c.cells.push_back(g.at(x, y));
    return c;
}

Clip mirrored(const Clip& c, bool horizontal)
{
    Clip m = c;
    for (int y = 0; y < c.rows; ++y)
        for (int x = 0; x < c.columns; ++x)
            m.cells[std::size_t(y) * std::size_t(c.columns) + std::size_t(x)]
                = horizontal ? c.at(c.columns - 1 - x, y) : c.at(x, c.rows - 1 - y);
    m.extras = mirroredExtras(c.extras, c.columns, c.rows, horizontal);
    return m;
}

Clip rotated90(const Clip& c, bool clockwise)
{
    Clip r;
    r.columns = c.rows;
    r.rows = c.columns;
    r.cells.resize(c.cells.size());
    // cell (x, y) of the turned clip comes from the source cell that lands there
    for (int y = 0; y < r.rows; ++y)
        for (int x = 0; x < r.columns; ++x)
            r.cells[std::size_t(y) * std::size_t(r.columns) + std::size_t(x)]
                = clockwise ? c.at(y, c.rows - 1 - x) : c.at(c.columns - 1 - y, x);
    r.extras = rotatedExtras(c.extras, c.columns, c.rows, clockwise);
    return r;
}

std::vector<CellEdit> editPaste(const GridView& g, const Clip& c, QPoint topLeft)
{
    std::vector<CellEdit> out;
    for (int y = 0; y < c.rows; ++y)
        for (int x = 0; x < c.columns; ++x) {
            const Long colour = c.at(x, y);
            if (colour != kNoStitchColour)
                addEdit(out, g, topLeft.x() + x, topLeft.y() + y, colour);
        }
    return out;
}
