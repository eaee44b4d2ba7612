#include "colour/palette_index.h"

#include "surface/surface.h"

#include <set>

int paletteIndex(const WorkState& st, int group0, int k)
{
    int n = k;
    for (int g = 0; g < group0; ++g)
        n += st.num_tono[g];
    return n;
}

int symbolCode(int index) { return 33 + index > 255 ? 255 : 33 + index; }

QChar symbolChar(int index) { return charFromCode(symbolCode(index)); }

bool findInPalette(const WorkState& st, Long colour, int& group0, int& k)
{
    for (int g = 0; g < 6; ++g) {
        const Long* t = st.tono[g].data();
        for (int j = 0; j < st.num_tono[g]; ++j) {
            if (t[j] == colour) {
                group0 = g;
                k = j;
                return true;
            }
        }
    }
    return false;
}

bool isBlackAndWhite(const WorkState& st)
{
    return st.paletteSize() == 2 && st.num_tono[5] == 2 && st.tono[5][0] == 0xFFFFFF && st.tono[5][1] == 0;
}

void assignThreadSymbols(WorkState& st)
{
    st.threadSymbols.clear();
    int index = 0;
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[g]; ++k, ++index)
            st.threadSymbols.emplace(st.tono[g][std::size_t(k)], index);
}

std::vector<int> threadSymbolIndexes(const WorkState& st)
{
    std::vector<int> numbers;
    std::set<int> held;
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[g]; ++k) {
            const auto it = st.threadSymbols.find(st.tono[g][std::size_t(k)]);
            const int given = it == st.threadSymbols.end() || held.count(it->second) ? -1 : it->second;
            numbers.push_back(given);
            if (given >= 0)
                held.insert(given);
        }
    // the colours without a number of their own take the lowest free ones, in palette order
    int next = 0;
    for (int& n : numbers) {
        if (n >= 0)
            continue;
        while (held.count(next))
            ++next;
        n = next;
        held.insert(next);
    }
    return numbers;
}
