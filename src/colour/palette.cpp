#include "colour/palette.h"

#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "colour/progress_figure.h"

#include <algorithm>
#include <unordered_map>

namespace {
// The colour each listed colour becomes: the first colour of its bucket, taken from the first
// group and entry that hold it.
std::unordered_map<Long, Long> bucketColours(const WorkState& st)
{
    std::unordered_map<Long, Long> to;
    for (std::size_t g = 0; g < 6; ++g) {
        const std::vector<Long>& t = st.tono[g];
        for (Long j = 0; j < st.num_tono[g]; ++j)
            to.emplace(t[std::size_t(j)], t[std::size_t(j - j % st.paso_gama)]);
    }
    return to;
}

// Moves every stitch to its bucket's colour, row by row; colours in no group stay.
void recolourStitches(WorkState& st, const Progress& progress)
{
    const std::unordered_map<Long, Long> to = bucketColours(st);
    const int rows = std::min<int>(st.alto_puntos, kMaxRows);
    const int columns = std::min<int>(st.ancho_puntos, kMaxColumns);
    ProgressFigure figure(progress);
    Long last = 0, lastTo = 0;
    bool haveLast = false;
    for (int y = 0; y < rows; ++y) {
        figure.show(90 + int(Fix(5.0 * y / (st.alto_puntos - 1))));
        for (int x = 0; x < columns; ++x) {
            Long& c = st.puntos(x, y);
            if (!haveLast || c != last) {
                const auto it = to.find(c);
                haveLast = true;
                last = c;
                lastTo = it == to.end() ? c : it->second;
            }
            c = lastTo;
        }
    }
}
} // namespace

bool gama(WorkState& st, const Progress& progress, const std::function<void()>& countLowered)
{
    st.listo = False;
    progress.setPointer(11);
    int total = 0;
    for (Integer n : st.num_tono)
        total += n;
    if (total < st.num_colores) {
        st.num_colores = total;
        if (countLowered)
            countLowered();
    }
    // a count below 1 cannot make a stride either
    if (st.num_colores <= 0) {
        progress.report(QStringLiteral("Error en colores"));
        return false;
    }
    st.paso_gama = CLng(double(total) / st.num_colores);
    progress.setStage(QStringLiteral("Calculando gama"));
    if (st.alto_puntos == 1) {
        progress.report(QStringLiteral("Error en el tamaño de la imagen"));
        return false;
    }
    recolourStitches(st, progress);
    progress.setPointer(0);
    st.listo = True;
    return true;
}

void drawSwatch(Surface& strip, int k, Long colour)
{
    const Components c = split(colour);
    const int x = 10 * k;
    strip.Line(x, 0, x + 10, 10, RGB(c.r, c.g, c.b), LineKind::FilledBox);
    strip.Line(x, 0, x + 10, 10, QBColor(15), LineKind::Box);
}

void gama1(WorkState& st, Strips& strips, const Progress& progress, const std::function<void(int)>& showCount)
{
    st.listo = False;
    progress.setPointer(11);
    const Long step = std::max<Long>(st.paso_gama, 1);
    int longest = 0;
    for (std::size_t g = 0; g < 6; ++g) {
        strips[g].Cls();
        strips[g].setLeft(4);
        const int n = st.num_tono[g];
        if (n == 0)
            continue;
        std::vector<Long>& t = st.tono[g];
        int kept = 0;
        for (Long j = 0; j < n; j += step) {
            drawSwatch(strips[g], kept, t[std::size_t(j)]);
            t[std::size_t(kept++)] = t[std::size_t(j)];
        }
        st.num_tono[g] = Integer(kept);
        longest = std::max(longest, kept);
    }
    st.num_colores = st.paletteSize();
    assignThreadSymbols(st);
    if (showCount)
        showCount(longest);
    st.listo = True;
    progress.setPointer(0);
}

void gama2(WorkState& st, Strips& strips, const Progress& progress)
{
    st.listo = False;
    progress.setPointer(11);
    for (std::size_t g = 0; g < 6; ++g) {
        strips[g].Cls();
        strips[g].setLeft(4);
        for (int j = 0; j < st.num_tono[g]; ++j)
            drawSwatch(strips[g], j, st.tono[g][std::size_t(j)]);
    }
    progress.setPointer(0);
    st.listo = True;
}
