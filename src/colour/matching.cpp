#include "colour/matching.h"

#include "colour/colour_value.h"
#include "colour/thread_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

int matchCell(int r, int g, int b)
{
    if (r >= g && r >= b)
        return g > b ? 0 : 1;
    if (g >= r && g >= b)
        return r > b ? 2 : 3;
    return r > g ? 4 : 5;
}

bool threadAdmissible(int cell, int r, int g, int b)
{
    switch (cell) {
    case 0:
        return r >= g && r >= b && g > b;
    case 1:
        return r >= g && r >= b && b >= g;
    case 2:
        return g >= r && g >= b && r > b;
    case 3:
        return g >= r && g >= b && b >= r;
    case 4:
        return b >= r && b >= g && r > g;
    default:
        return b >= r && b >= g && g >= r;
    }
}

int usableCount(const std::vector<color_dmc>& catalogue, int count)
{
    const int last = int(catalogue.size()) - 1;
    return count < 0 ? 0 : count > last ? std::max(last, 0) : count;
}

const color_dmc& entryAt(const std::vector<color_dmc>& catalogue, int i)
{
    static const color_dmc none;
    return i < int(catalogue.size()) ? catalogue[std::size_t(i)] : none;
}

bool sameEntries(const std::vector<color_dmc>& kept, int keptCount, const std::vector<color_dmc>& catalogue, int count)
{
    if (usableCount(catalogue, count) != keptCount)
        return false;
    for (int i = 1; i < int(kept.size()); ++i) {
        const color_dmc& a = kept[std::size_t(i)];
        const color_dmc& b = entryAt(catalogue, i);
        if (a.numero != b.numero || a.rojo != b.rojo || a.verde != b.verde || a.azul != b.azul)
            return false;
    }
    return true;
}

namespace {
Long threadColour(const color_dmc& d) { return RGB(d.rojo, d.verde, d.azul); }
} // namespace

int nearestThread(const std::vector<color_dmc>& catalogue, int count, Long colour)
{
    const Components c = split(colour);
    const int cell = matchCell(c.r, c.g, c.b);
    const int n = usableCount(catalogue, count);
    int best = 1;
    int dmin = 765;
    for (int i = 1; i <= n; ++i) {
        const color_dmc& e = catalogue[std::size_t(i)];
        const int d = std::abs(c.r - e.rojo) + std::abs(c.g - e.verde) + std::abs(c.b - e.azul);
        // on equal distances the later entry wins
        if (d > dmin || !threadAdmissible(cell, e.rojo, e.verde, e.azul))
            continue;
        best = i;
        dmin = d;
    }
    return best;
}

Long dmcj(const WorkState& st, Long colour)
{
    return threadColour(entryAt(st.dmc_activos, nearestThread(st.dmc_activos, st.num_dmc, colour)));
}

Long dmck(const WorkState& st, Long colour)
{
    return threadColour(entryAt(st.dmc_todos, nearestThread(st.dmc_todos, kFullCatalogue, colour)));
}

QString dmci(const WorkState& st, Long colour)
{
    const color_dmc& e = entryAt(st.dmc_activos, nearestThread(st.dmc_activos, st.num_dmc, colour));
    if (e.numero == 1)
        return QStringLiteral(" Ecru");
    if (e.rojo == 255 && e.verde == 255 && e.azul == 255)
        return QStringLiteral(" Blanco");
    return Str(e.numero);
}

QString threadTip(const WorkState& st, Long colour)
{
    const Long numero = entryAt(st.dmc_activos, nearestThread(st.dmc_activos, st.num_dmc, colour)).numero;
    // the codes of white and ecru already are their names
    const QString name = numero == 0 || numero == 1 ? QString() : threadName(numero);
    return name.isEmpty() ? threadCode(numero) : threadCode(numero) + QLatin1Char(' ') + name;
}

namespace {
constexpr int kBoxBits = 4; // boxes of 16 levels per component
constexpr int kBoxesPerSide = 256 >> kBoxBits;
constexpr int kBoxes = kBoxesPerSide * kBoxesPerSide * kBoxesPerSide;

// Smallest and largest sum of absolute differences between a thread and any colour whose
// components lie in [lo, lo + 15] each.
int nearestInBox(const int lo[3], const int v[3])
{
    int d = 0;
    for (int k = 0; k < 3; ++k)
        d += std::max({ 0, lo[k] - v[k], v[k] - (lo[k] + (1 << kBoxBits) - 1) });
    return d;
}
int farthestInBox(const int lo[3], const int v[3])
{
    int d = 0;
    for (int k = 0; k < 3; ++k)
        d += std::max(v[k] - lo[k], lo[k] + (1 << kBoxBits) - 1 - v[k]);
    return d;
}
} // namespace

ThreadMatcher::ThreadMatcher(const std::vector<color_dmc>& catalogue, int count)
    : m_count(usableCount(catalogue, count))
    , m_boxes(std::size_t(6) * kBoxes)
{
    const int kept = std::max(m_count, 1);
    m_entries.resize(std::size_t(kept) + 1);
    m_colourAt.resize(std::size_t(kept) + 1);
    for (int i = 1; i <= kept; ++i) {
        m_entries[std::size_t(i)] = entryAt(catalogue, i);
        m_colourAt[std::size_t(i)] = threadColour(m_entries[std::size_t(i)]);
    }
    for (int cell = 0; cell < 6; ++cell) {
        for (int i = 1; i <= m_count; ++i) {
            const color_dmc& e = m_entries[std::size_t(i)];
            if (threadAdmissible(cell, e.rojo, e.verde, e.azul))
                m_cells[std::size_t(cell)].push_back({ e.rojo, e.verde, e.azul, i });
        }
    }
}

bool ThreadMatcher::holds(const std::vector<color_dmc>& catalogue, int count) const
{
    return sameEntries(m_entries, m_count, catalogue, count);
}

const ThreadMatcher::Span& ThreadMatcher::candidates(int cell, int r, int g, int b)
{
    const int box = ((r >> kBoxBits) * kBoxesPerSide + (g >> kBoxBits)) * kBoxesPerSide + (b >> kBoxBits);
    Span& span = m_boxes[std::size_t(cell) * kBoxes + std::size_t(box)];
    if (span.begin >= 0)
        return span;
    // Every colour of the box has a thread within `bound`, so its nearest threads (all of them,
    // ties included) are among those that come that close to some colour of the box.
    const int lo[3] = { r >> kBoxBits << kBoxBits, g >> kBoxBits << kBoxBits, b >> kBoxBits << kBoxBits };
    const std::vector<Entry>& list = m_cells[std::size_t(cell)];
    int bound = 765;
    for (const Entry& e : list) {
        const int v[3] = { e.r, e.g, e.b };
        bound = std::min(bound, farthestInBox(lo, v));
    }
    span.begin = int(m_pool.size());
    for (const Entry& e : list) {
        const int v[3] = { e.r, e.g, e.b };
        if (nearestInBox(lo, v) <= bound)
            m_pool.push_back(e);
    }
    span.end = int(m_pool.size());
    return span;
}

int ThreadMatcher::nearest(Long colour)
{
    const Components c = split(colour);
    const Span& span = candidates(matchCell(c.r, c.g, c.b), c.r, c.g, c.b);
    int best = 1;
    int dmin = 765;
    for (int k = span.begin; k < span.end; ++k) {
        const Entry& e = m_pool[std::size_t(k)];
        const int d = std::abs(c.r - e.r) + std::abs(c.g - e.g) + std::abs(c.b - e.b);
        // candidates keep catalogue order, so the later of two equal ones wins as in the plain search
        if (d <= dmin) {
            best = e.position;
            dmin = d;
        }
    }
    return best;
}

namespace {
std::unique_ptr<ThreadMatcher> matcher;
}

ThreadMatcher& cachedMatcher(const std::vector<color_dmc>& catalogue, int count)
{
    return keptMatcher(matcher, catalogue, count);
}

void forgetCachedMatcher() { matcher.reset(); }
