#include "colour/pattern.h"

#include "colour/hue_groups.h"
#include "surface/colour_rgb.h"

#include <algorithm>
#include <cmath>

#include <unordered_map>
#include <unordered_set>

std::vector<long> Pattern::stitchCounts() const
{
    std::vector<long> counts(palette.size(), 0);
    for (int c : cells)
        if (c >= 0 && std::size_t(c) < counts.size())
            ++counts[std::size_t(c)];
    return counts;
}

std::vector<int> Pattern::extraThreadsInPalette() const
{
    std::vector<int> in(extras.threads.size(), -1);
    for (std::size_t t = 0; t < extras.threads.size(); ++t)
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (palette[i].colour == extras.threads[t].colour) {
                in[t] = int(i);
                break;
            }
    return in;
}

ObjectKind objectKind(const QString& objectType)
{
    const QString t = objectType.trimmed().toLower();
    if (t == QLatin1String("knot"))
        return ObjectKind::Knot;
    if (t.startsWith(QLatin1String("bead")))
        return ObjectKind::Bead;
    if (t == QLatin1String("quarter"))
        return ObjectKind::Quarter;
    if (t == QLatin1String("tent"))
        return ObjectKind::Tent;
    if (t == QLatin1String("fullcross"))
        return ObjectKind::Cross;
    return ObjectKind::Other;
}

bool tentBackward(const StitchObject& tent)
{
    for (const auto& [name, value] : tent.more)
        if (name.compare(QLatin1String("direction"), Qt::CaseInsensitive) == 0)
            return value.trimmed() == QLatin1String("1");
    return false;
}

std::vector<ExtrasUse> extrasUse(const StitchExtras& x)
{
    std::vector<ExtrasUse> use(x.threads.size());
    auto valid = [&x](int t) { return t >= 0 && std::size_t(t) < x.threads.size(); };
    for (const PartStitch& s : x.parts) {
        const bool both = s.direction <= 2 && valid(s.thread1) && valid(s.thread2);
        if (valid(s.thread1))
            use[std::size_t(s.thread1)].partStitches += s.direction >= 3 ? 0.5 : 0.75;
        // two threads in a cell share the long arm: the second has its quarter only
        if (valid(s.thread2) && s.direction <= 2)
            use[std::size_t(s.thread2)].partStitches += both ? 0.25 : 0.75;
    }
    for (const BackStitch& b : x.backs)
        if (valid(b.thread))
            use[std::size_t(b.thread)].backstitchCells += std::hypot(b.x2 - b.x1, b.y2 - b.y1);
    for (const StitchObject& s : x.objects) {
        if (!valid(s.thread))
            continue;
        ExtrasUse& u = use[std::size_t(s.thread)];
        switch (objectKind(s.kind)) {
        case ObjectKind::Knot:
            ++u.knots;
            break;
        case ObjectKind::Bead:
            ++u.beads;
            break;
        case ObjectKind::Quarter:
            u.partStitches += 0.25;
            break;
        case ObjectKind::Tent:
            u.partStitches += 0.5;
            break;
        case ObjectKind::Cross:
            u.partStitches += 1;
            break;
        case ObjectKind::Other:
            break;
        }
    }
    return use;
}

namespace {
Long threadNumberOf(const WorkState& st, Long colour)
{
    for (int i = 1; i <= kFullCatalogue && std::size_t(i) < st.dmc_todos.size(); ++i) {
        const color_dmc& t = st.dmc_todos[std::size_t(i)];
        if (RGB(t.rojo, t.verde, t.azul) == colour)
            return t.numero;
    }
    return -1;
}
} // namespace

Pattern patternFromState(const WorkState& st, const std::function<QString(int)>& symbolOf)
{
    Pattern p;
    p.width = st.ancho_puntos;
    p.height = st.alto_puntos;
    std::unordered_map<Long, int> indexOf;
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[std::size_t(g)]; ++k) {
            const Long colour = st.tono[std::size_t(g)][std::size_t(k)];
            const int index = int(p.palette.size());
            indexOf.emplace(colour, index); // the first entry of a colour is the one the chart finds
            p.palette.push_back({ threadNumberOf(st, colour), colour, symbolOf ? symbolOf(index) : QString() });
        }
    p.cells.assign(std::size_t(p.width) * std::size_t(std::max(p.height, 0)), Pattern::kNoStitch);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const auto it = indexOf.find(st.puntos(x, y));
            p.at(x, y) = it == indexOf.end() ? Pattern::kNoStitch : it->second;
        }
    return p;
}

namespace {
bool patternFits(const Pattern& p)
{
    if (p.width < 2 || p.height < 2 || p.width > kMaxColumns || p.height > kMaxRows
        || Long(p.width) * p.height > kMaxStitches || p.cells.size() != std::size_t(p.width) * std::size_t(p.height))
        return false;
    for (const PatternThread& t : p.palette)
        if (t.colour < 0 || t.colour > 0xFFFFFF)
            return false;
    const int n = int(p.palette.size());
    return std::all_of(
        p.cells.begin(), p.cells.end(), [n](int c) { return c == Pattern::kNoStitch || (c >= 0 && c < n); });
}
} // namespace

bool putPatternInState(const Pattern& p, WorkState& st)
{
    // the palette of a pattern holds at most every colour value once, far below a group's room
    if (!patternFits(p) || p.palette.size() > std::size_t(std::min(kGroupSize, 32767)))
        return false;
    // a thread no stitch uses is not part of the pattern: it takes no swatch and no symbol
    const std::vector<long> stitches = p.stitchCounts();
    st.num_tono.fill(0);
    std::unordered_set<Long> listed;
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        const PatternThread& t = p.palette[i];
        if (stitches[i] == 0 || !listed.insert(t.colour).second)
            continue;
        const Components c = split(t.colour);
        const std::size_t g = std::size_t(hueGroup(c) - 1);
        const std::size_t k = std::size_t(st.num_tono[g]);
        st.tono[g][k] = t.colour;
        st.brillo[g][k] = hueKey(HueKey::Sum, int(g) + 1, c);
        st.num_tono[g] = Integer(k + 1);
    }
    st.num_colores = st.paletteSize();
    st.paso_gama = 1;
    st.ancho_puntos = Integer(p.width);
    st.alto_puntos = Integer(p.height);
    st.punto_doble = False;
    st.num_puntos = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int c = p.at(x, y);
            const Long colour = c == Pattern::kNoStitch ? kNoStitchColour : p.palette[std::size_t(c)].colour;
            st.puntos(x, y) = colour;
            if (c != Pattern::kNoStitch)
                st.lista_puntos[std::size_t(st.num_puntos++)] = colour;
        }
    return true;
}
