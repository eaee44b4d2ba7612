#include "colour/clean_up.h"

#include "colour/delta_e.h"

#include <algorithm>
#include <unordered_map>

namespace {
// The pattern on show as palette indexes: the palette in palette order and, per stitch, the index
// of its colour (-1 for a colour the palette does not hold, which nothing here changes).
struct IndexedPattern {
    int width = 0, height = 0;
    std::vector<Long> colours;
    std::vector<Lab> labs;
    std::vector<int> cells;
    std::vector<double> known;

    explicit IndexedPattern(const WorkState& st)
        : width(std::clamp<int>(st.ancho_puntos, 0, kMaxColumns))
        , height(std::clamp<int>(st.alto_puntos, 0, kMaxRows))
    {
        std::unordered_map<Long, int> indexOf;
        for (std::size_t g = 0; g < 6; ++g)
            for (int k = 0; k < st.num_tono[g]; ++k) {
                const Long c = st.tono[g][std::size_t(k)];
                indexOf.emplace(c, int(colours.size()));
                colours.push_back(c);
                labs.push_back(labFromColour(c));
            }
        cells.resize(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto it = indexOf.find(st.puntos(x, y));
                cells[cell(x, y)] = it == indexOf.end() ? -1 : it->second;
            }
    }
    std::size_t cell(int x, int y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
    // ΔE2000 between two palette colours, each pair measured once.
    double distance(int i, int j)
    {
        if (known.empty())
            known.assign(colours.size() * colours.size(), -1.0);
        double& d = known[std::size_t(i) * colours.size() + std::size_t(j)];
        if (d < 0)
            d = deltaE2000(labs[std::size_t(i)], labs[std::size_t(j)]);
        return d;
    }
    std::vector<long> counts() const
    {
        std::vector<long> n(colours.size(), 0);
        for (int c : cells)
            if (c >= 0)
                ++n[std::size_t(c)];
        return n;
    }
    // Writes the stitches back and takes every colour without stitches out of its group.
    bool writeBack(WorkState& st) const
    {
        bool changed = false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int c = cells[cell(x, y)];
                if (c >= 0 && st.puntos(x, y) != colours[std::size_t(c)]) {
                    st.puntos(x, y) = colours[std::size_t(c)];
                    changed = true;
                }
            }
        const std::vector<long> n = counts();
        int index = 0;
        for (std::size_t g = 0; g < 6; ++g) {
            std::vector<Long>& t = st.tono[g];
            int kept = 0;
            for (int k = 0; k < st.num_tono[g]; ++k, ++index)
                if (n[std::size_t(index)] > 0)
                    t[std::size_t(kept++)] = t[std::size_t(k)];
            changed = changed || kept != st.num_tono[g];
            st.num_tono[g] = Integer(kept);
        }
        st.num_colores = st.paletteSize();
        return changed;
    }
};

// The colour among `alive` (other than `from`) nearest to `from` by ΔE2000, the lower index on a tie.
int nearestOther(const IndexedPattern& p, const std::vector<bool>& alive, int from)
{
    int best = -1;
    double dmin = 0;
    for (int i = 0; i < int(p.colours.size()); ++i) {
        if (i == from || !alive[std::size_t(i)])
            continue;
        const double d = deltaE2000(p.labs[std::size_t(from)], p.labs[std::size_t(i)]);
        if (best < 0 || d < dmin) {
            best = i;
            dmin = d;
        }
    }
    return best;
}
} // namespace

void mergeRareColours(WorkState& st, int minimum)
{
    IndexedPattern p(st);
    const int n = int(p.colours.size());
    std::vector<long> count = p.counts();
    std::vector<bool> alive(std::size_t(n), true);
    std::vector<int> into(static_cast<std::size_t>(n), 0);
    for (int i = 0; i < n; ++i)
        into[std::size_t(i)] = i;
    for (int left = n; left > 1; --left) {
        int rarest = -1;
        for (int i = 0; i < n; ++i)
            if (alive[std::size_t(i)] && count[std::size_t(i)] < minimum
                && (rarest < 0 || count[std::size_t(i)] < count[std::size_t(rarest)]))
                rarest = i;
        if (rarest < 0)
            break;
        const int to = nearestOther(p, alive, rarest);
        alive[std::size_t(rarest)] = false;
        into[std::size_t(rarest)] = to;
        count[std::size_t(to)] += count[std::size_t(rarest)];
    }
    // a colour merged into one that was merged later follows it to where it ended
    for (int i = 0; i < n; ++i) {
        int to = i;
        while (into[std::size_t(to)] != to)
            to = into[std::size_t(to)];
        into[std::size_t(i)] = to;
    }
    for (int& c : p.cells)
        if (c >= 0)
            c = into[std::size_t(c)];
    p.writeBack(st);
}

namespace {
// The patch of colour c that holds (x, y), found eight-neighbour by eight-neighbour; false as soon
// as it holds more than `size` cells.
bool smallPatch(const IndexedPattern& p, int x, int y, int size, std::vector<std::size_t>& patch)
{
    const int c = p.cells[p.cell(x, y)];
    // most stitches have enough neighbours of their own colour to tell at once
    int same = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            same += (dx || dy) && nx >= 0 && ny >= 0 && nx < p.width && ny < p.height && p.cells[p.cell(nx, ny)] == c;
        }
    if (same >= size)
        return false;
    patch.assign(1, p.cell(x, y));
    for (std::size_t k = 0; k < patch.size(); ++k) {
        const int px = int(patch[k] % std::size_t(p.width)), py = int(patch[k] / std::size_t(p.width));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = px + dx, ny = py + dy;
                if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height || p.cells[p.cell(nx, ny)] != c)
                    continue;
                const std::size_t q = p.cell(nx, ny);
                if (std::find(patch.begin(), patch.end(), q) != patch.end())
                    continue;
                if (int(patch.size()) == size)
                    return false;
                patch.push_back(q);
            }
    }
    return true;
}

// The colour a small patch takes from its neighbouring cells (each counted once); -1 when it has none.
int neighbourColour(IndexedPattern& p, const std::vector<std::size_t>& patch, std::vector<std::size_t>& seen)
{
    const int c = p.cells[patch.front()];
    seen.clear();
    std::unordered_map<int, int> cellsOf;
    for (std::size_t q : patch) {
        const int px = int(q % std::size_t(p.width)), py = int(q / std::size_t(p.width));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = px + dx, ny = py + dy;
                if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height)
                    continue;
                const std::size_t r = p.cell(nx, ny);
                const int nc = p.cells[r];
                if (nc < 0 || nc == c || std::find(seen.begin(), seen.end(), r) != seen.end())
                    continue;
                seen.push_back(r);
                ++cellsOf[nc];
            }
    }
    double nearest = 0;
    bool any = false;
    for (const auto& [colour, cells] : cellsOf) {
        const double d = p.distance(c, colour);
        nearest = any ? std::min(nearest, d) : d;
        any = true;
    }
    int best = -1;
    for (const auto& [colour, cells] : cellsOf) {
        if (p.distance(c, colour) > nearest + 1.0)
            continue;
        if (best < 0 || cells > cellsOf[best] || (cells == cellsOf[best] && colour < best))
            best = colour;
    }
    return best;
}
} // namespace

void removeLoneStitches(WorkState& st, int size)
{
    IndexedPattern p(st);
    std::vector<std::size_t> patch, seen;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            if (p.cells[p.cell(x, y)] < 0 || !smallPatch(p, x, y, size, patch))
                continue;
            const int to = neighbourColour(p, patch, seen);
            if (to >= 0)
                for (std::size_t q : patch)
                    p.cells[q] = to;
        }
    p.writeBack(st);
}

bool applyPaletteOptions(WorkState& st, const ColourOptions& options)
{
    if (!options.changesPalette())
        return false;
    const StitchGrid before = st.puntos;
    const int paletteBefore = st.paletteSize();
    if (options.mergeRare)
        mergeRareColours(st, options.mergeBelow);
    if (options.clean)
        removeLoneStitches(st, options.cleanSize);
    return st.paletteSize() != paletteBefore || !(st.puntos == before);
}
