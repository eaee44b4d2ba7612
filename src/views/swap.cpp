#include "views/swap.h"

bool isPaletteSwatch(const WorkState& st, int group0, int k, Long c)
{
    if (group0 < 0 || group0 > 5 || k < 0 || k >= st.num_tono[group0])
        return false;
    return st.tono[group0][std::size_t(k)] == c;
}

std::vector<StitchPos> stitchesOfColour(const WorkState& st, Long c)
{
    std::vector<StitchPos> found;
    for (int y = 0; y < st.alto_puntos; ++y)
        for (int x = 0; x < st.ancho_puntos; ++x)
            if (st.puntos(x, y) == c)
                found.push_back({ x, y });
    return found;
}

SwapRecord planSwap(const WorkState& st, int group0, int k)
{
    SwapRecord r;
    r.group0 = group0;
    r.position = k;
    r.stitches = stitchesOfColour(st, st.tono[group0][std::size_t(k)]);
    return r;
}

void applySwap(WorkState& st, const SwapRecord& record, Long nuevo)
{
    std::vector<Long>& group = st.tono[record.group0];
    const int n = st.num_tono[record.group0];
    for (int i = record.position; i < n - 1; ++i)
        group[std::size_t(i)] = group[std::size_t(i) + 1];
    st.num_tono[record.group0] = Integer(n - 1);
    for (const StitchPos& p : record.stitches)
        st.puntos(p.column, p.row) = nuevo;
}

namespace {
bool fitsPattern(const WorkState& st, const SwapRecord& record)
{
    if (record.group0 < 0 || record.group0 > 5)
        return false;
    const int n = st.num_tono[record.group0];
    // the group must have room for one more entry, in its array and in its count
    if (record.position < 0 || record.position > n || n >= int(st.tono[record.group0].size()) || n >= 32767)
        return false;
    for (const StitchPos& p : record.stitches)
        if (p.column < 0 || p.column >= st.ancho_puntos || p.row < 0 || p.row >= st.alto_puntos)
            return false;
    return true;
}
} // namespace

bool undoSwap(WorkState& st, const SwapRecord& record, Long viejo)
{
    // a record from a damaged file must not write outside the groups or the grid
    if (!fitsPattern(st, record))
        return false;
    std::vector<Long>& group = st.tono[record.group0];
    const int n = st.num_tono[record.group0];
    for (int i = n; i > record.position; --i)
        group[std::size_t(i)] = group[std::size_t(i) - 1];
    group[std::size_t(record.position)] = viejo;
    st.num_tono[record.group0] = Integer(n + 1);
    for (const StitchPos& p : record.stitches)
        st.puntos(p.column, p.row) = viejo;
    return true;
}
