#include "colour/matching.h"

#include "colour/colour_value.h"

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

namespace {
int usableCount(const std::vector<color_dmc>& catalogue, int count)
{
    const int last = int(catalogue.size()) - 1;
    return count < 0 ? 0 : count > last ? std::max(last, 0) : count;
}

Long threadColour(const color_dmc& d) { return RGB(d.rojo, d.verde, d.azul); }

const color_dmc& entryAt(const std::vector<color_dmc>& catalogue, int i)
{
    static const color_dmc none;
    return i < int(catalogue.size()) ? catalogue[std::size_t(i)] : none;
}
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

Long dmcjValue(const WorkState& st, Long colour)
{
    return threadColour(entryAt(st.dmc_activos, nearestThread(st.dmc_activos, st.num_dmc, colour)));
}

QString dmcj(const WorkState& st, Long colour) { return QString::number(dmcjValue(st, colour)); }

Long dmckValue(const WorkState& st, Long colour)
{
    return threadColour(entryAt(st.dmc_todos, nearestThread(st.dmc_todos, kFullCatalogue, colour)));
}

QString dmck(const WorkState& st, Long colour) { return QString::number(dmckValue(st, colour)); }

QString dmci(const WorkState& st, Long colour)
{
    const color_dmc& e = entryAt(st.dmc_activos, nearestThread(st.dmc_activos, st.num_dmc, colour));
    if (e.numero == 1)
        return QStringLiteral(" Ecru");
    if (e.rojo == 255 && e.verde == 255 && e.azul == 255)
        return QStringLiteral(" Blanco");
    return Str(e.numero);
}

ThreadMatcher::ThreadMatcher(const std::vector<color_dmc>& catalogue, int count)
    : m_count(usableCount(catalogue, count))
    , m_known(nullptr, std::free)
{
    const int kept = std::max(m_count, 1);
    m_entries.resize(std::size_t(kept) + 1);
    m_colourAt.resize(std::size_t(kept) + 1);
    for (int i = 1; i <= kept; ++i) {
        m_entries[std::size_t(i)] = entryAt(catalogue, i);
        m_colourAt[std::size_t(i)] = threadColour(m_entries[std::size_t(i)]);
    }
    // each cell keeps its admissible entries in catalogue order, so ties still go to the later one
    for (int cell = 0; cell < 6; ++cell) {
        for (int i = 1; i <= m_count; ++i) {
            const color_dmc& e = m_entries[std::size_t(i)];
            if (threadAdmissible(cell, e.rojo, e.verde, e.azul))
                m_cells[std::size_t(cell)].push_back({ e.rojo, e.verde, e.azul, std::int16_t(i) });
        }
    }
}

bool ThreadMatcher::holds(const std::vector<color_dmc>& catalogue, int count) const
{
    if (usableCount(catalogue, count) != m_count)
        return false;
    for (int i = 1; i < int(m_entries.size()); ++i) {
        const color_dmc& a = m_entries[std::size_t(i)];
        const color_dmc& b = entryAt(catalogue, i);
        if (a.numero != b.numero || a.rojo != b.rojo || a.verde != b.verde || a.azul != b.azul)
            return false;
    }
    return true;
}

int ThreadMatcher::search(int r, int g, int b) const
{
    int best = 1;
    int dmin = 765;
    for (const Entry& e : m_cells[std::size_t(matchCell(r, g, b))]) {
        const int d = std::abs(r - e.r) + std::abs(g - e.g) + std::abs(b - e.b);
        if (d <= dmin) {
            best = e.position;
            dmin = d;
        }
    }
    return best;
}

int ThreadMatcher::nearest(Long colour)
{
    const Components c = split(colour);
    const std::size_t key = std::size_t(RGB(c.r, c.g, c.b));
    if (!m_known) {
        m_known.reset(static_cast<std::uint16_t*>(std::calloc(std::size_t(1) << 24, sizeof(std::uint16_t))));
        if (!m_known)
            return search(c.r, c.g, c.b);
    }
    std::uint16_t& answer = m_known[key];
    if (answer == 0)
        answer = std::uint16_t(search(c.r, c.g, c.b));
    return answer;
}

ThreadMatcher& cachedMatcher(const std::vector<color_dmc>& catalogue, int count)
{
    static std::unique_ptr<ThreadMatcher> matcher;
    if (!matcher || !matcher->holds(catalogue, count))
        matcher = std::make_unique<ThreadMatcher>(catalogue, count);
    return *matcher;
}
