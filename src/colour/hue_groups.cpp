#include "colour/hue_groups.h"

#include "colour/progress_figure.h"

#include <algorithm>
#include <unordered_set>

int hueGroup(const Components& c)
{
    if (c.r > c.g && c.r > c.b)
        return c.g > c.b ? 1 : 2;
    if (c.g > c.r && c.g > c.b)
        return c.r > c.b ? 3 : 4;
    return c.r > c.g ? 5 : 6;
}

int hueKey(HueKey kind, int group, const Components& c)
{
    if (kind == HueKey::Sum)
        return c.sum();
    return group <= 2 ? c.r : group <= 4 ? c.g : c.b;
}

namespace {
// A group's count is a 16-bit number and its arrays hold 0..100000: a list never grows past both.
constexpr int kGroupCapacity = std::min(kGroupSize, 32767);

// Puts a colour not yet listed into its group, after every entry whose key is not below its own.
void insertColour(WorkState& st, Long col, HueKey kind)
{
    const Components c = split(col);
    const int g = hueGroup(c) - 1;
    const Long key = hueKey(kind, g + 1, c);
    const int n = st.num_tono[std::size_t(g)];
    if (n >= kGroupCapacity)
        return;
    std::vector<Long>& tono = st.tono[std::size_t(g)];
    std::vector<Long>& brillo = st.brillo[std::size_t(g)];
    // keys never increase along the list: the insertion point is the first smaller key
    const auto at = std::upper_bound(brillo.begin(), brillo.begin() + n, key, std::greater<Long>());
    const std::ptrdiff_t j = at - brillo.begin();
    std::copy_backward(tono.begin() + j, tono.begin() + n, tono.begin() + n + 1);
    std::copy_backward(brillo.begin() + j, brillo.begin() + n, brillo.begin() + n + 1);
    tono[std::size_t(j)] = col;
    brillo[std::size_t(j)] = key;
    st.num_tono[std::size_t(g)] = Integer(n + 1);
}
} // namespace

void sortIntoHueGroups(WorkState& st, HueKey kind, const Progress& progress)
{
    progress.setPointer(11);
    st.listo = False;
    st.num_tono.fill(0);
    for (std::size_t g = 0; g < 6; ++g) {
        std::fill(st.tono[g].begin(), st.tono[g].end(), 0);
        std::fill(st.brillo[g].begin(), st.brillo[g].end(), 0);
    }
    if (st.num_puntos == 1) {
        progress.report(QStringLiteral("Debe haber más de un color"));
        return;
    }
    // a colour already listed is skipped: it would be found before its insertion point anyway
    std::unordered_set<Long> listed;
    ProgressFigure figure(progress);
    const Long count = std::min<Long>(st.num_puntos, Long(st.lista_puntos.size()));
    bool haveLast = false;
    Long last = 0;
    for (Long k = 0; k < count; ++k) {
        if (k % 4 == 0)
            figure.show(80 + int(Fix(10.0 * k / (count - 1))));
        const Long col = st.lista_puntos[std::size_t(k)];
        if (haveLast && col == last)
            continue;
        haveLast = true;
        last = col;
        if (listed.insert(col).second)
            insertColour(st, col, kind);
    }
    progress.setPointer(0);
    st.listo = True;
}
