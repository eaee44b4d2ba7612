#include "colour/palette_index.h"

#include "surface/surface.h"

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
