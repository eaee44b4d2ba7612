#include "colour/pattern.h"

#include "surface/colour_rgb.h"

#include <algorithm>

#include <unordered_map>

std::vector<long> Pattern::stitchCounts() const
{
    std::vector<long> counts(palette.size(), 0);
    for (int c : cells)
        if (c >= 0 && std::size_t(c) < counts.size())
            ++counts[std::size_t(c)];
    return counts;
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
