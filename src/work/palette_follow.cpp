#include "work/palette_follow.h"

#include "colour/colour_value.h"
#include "colour/hue_groups.h"
#include "colour/palette_index.h"

#include <algorithm>

namespace {
// Takes out of `colours` every colour some stitch of the pattern is in.
void dropUsed(const WorkState& st, std::unordered_set<Long>& colours)
{
    Long last = kNoStitchColour;
    for (int y = 0; y < st.alto_puntos && !colours.empty(); ++y) {
        const Long* row = st.puntos.data() + std::size_t(y) * kMaxColumns;
        for (int x = 0; x < st.ancho_puntos; ++x)
            if (row[x] != last) {
                last = row[x];
                colours.erase(last);
            }
    }
}

// The distinct colours of `edits` before or after, the cloth left out.
std::unordered_set<Long> coloursOf(const std::vector<CellEdit>& edits, bool after)
{
    std::unordered_set<Long> colours;
    Long last = kNoStitchColour;
    for (const CellEdit& e : edits) {
        const Long c = after ? e.after : e.before;
        if (c != last && c != kNoStitchColour)
            colours.insert(c);
        last = c;
    }
    return colours;
}

// A thread new to the pattern joins the end of its hue group, with the lowest symbol number free.
void addToPalette(WorkState& st, Long colour)
{
    const Components c = split(colour);
    const std::size_t g = std::size_t(hueGroup(c) - 1);
    const auto k = std::size_t(st.num_tono[g]);
    st.tono[g][k] = colour;
    st.brillo[g][k] = hueKey(HueKey::Sum, int(g) + 1, c);
    st.num_tono[g] = Integer(k + 1);
    std::unordered_set<int> held;
    for (const auto& [held_colour, n] : st.threadSymbols)
        held.insert(n);
    int n = 0;
    while (held.count(n))
        ++n;
    st.threadSymbols[colour] = n;
}

// A thread leaves its hue group (the later entries move down one place) and its symbol number.
void removeFromPalette(WorkState& st, Long colour)
{
    int g = 0, k = 0;
    if (!findInPalette(st, colour, g, k))
        return;
    auto& tono = st.tono[std::size_t(g)];
    auto& brillo = st.brillo[std::size_t(g)];
    const int n = st.num_tono[std::size_t(g)];
    std::copy(tono.begin() + k + 1, tono.begin() + n, tono.begin() + k);
    std::copy(brillo.begin() + k + 1, brillo.begin() + n, brillo.begin() + k);
    st.num_tono[std::size_t(g)] = Integer(n - 1);
    st.threadSymbols.erase(colour);
}
} // namespace

PaletteState paletteOf(const WorkState& st)
{
    PaletteState p;
    for (std::size_t g = 0; g < 6; ++g) {
        const auto n = std::size_t(st.num_tono[g]);
        p.tono[g].assign(st.tono[g].begin(), st.tono[g].begin() + std::ptrdiff_t(n));
        p.brillo[g].assign(st.brillo[g].begin(), st.brillo[g].begin() + std::ptrdiff_t(n));
    }
    p.threadSymbols = st.threadSymbols;
    return p;
}

void putPalette(WorkState& st, const PaletteState& p)
{
    for (std::size_t g = 0; g < 6; ++g) {
        std::copy(p.tono[g].begin(), p.tono[g].end(), st.tono[g].begin());
        std::copy(p.brillo[g].begin(), p.brillo[g].end(), st.brillo[g].begin());
        st.num_tono[g] = Integer(p.tono[g].size());
    }
    st.threadSymbols = p.threadSymbols;
    st.num_colores = st.paletteSize();
}

std::unordered_set<Long> paletteColours(const WorkState& st)
{
    std::unordered_set<Long> colours;
    for (std::size_t g = 0; g < 6; ++g)
        colours.insert(st.tono[g].begin(), st.tono[g].begin() + st.num_tono[g]);
    return colours;
}

bool followThreads(WorkState& st, const std::vector<CellEdit>& edits)
{
    const std::unordered_set<Long> palette = paletteColours(st);
    const std::unordered_set<Long> afterColours = coloursOf(edits, true);
    std::unordered_set<Long> gone = coloursOf(edits, false);
    for (Long c : afterColours)
        gone.erase(c);
    bool changed = false;
    for (Long c : afterColours)
        if (!palette.count(c)) {
            addToPalette(st, c);
            changed = true;
        }
    dropUsed(st, gone);
    for (Long c : gone) {
        removeFromPalette(st, c);
        changed = true;
    }
    st.num_colores = st.paletteSize();
    return changed;
}
