#include "colour/stitch_reading.h"

#include "colour/matching.h"
#include "colour/progress_figure.h"

#include <algorithm>
#include <cmath>

int cellCount(double insidePixels, int s)
{
    const double end = insidePixels - s;
    return end < 0 ? 0 : int(std::floor(end / s)) + 1;
}

bool patternSizeAllowed(double columns, double rows)
{
    return columns >= 1 && rows >= 1 && columns <= kMaxColumns && rows <= kMaxRows && columns * rows <= kMaxStitches;
}

QString patternSizeMessage()
{
    return QStringLiteral("El patrón debe tener entre 1 y %1 puntos de ancho, entre 1 y %2 puntos de alto "
                          "y no más de %3 puntos en total.")
        .arg(kMaxColumns)
        .arg(kMaxRows)
        .arg(kMaxStitches);
}

namespace {
// Pixel column of the working picture read for every stitch column: the cell's left edge times
// the scale, worked out in single precision and cut toward zero.
std::vector<int> sampledColumns(const Surface& picture, int columns, int s, Single kx)
{
    std::vector<int> px(std::size_t(std::max(columns, 0)));
    for (int i = 0; i < columns; ++i)
        px[std::size_t(i)] = picture.toPixelX(Fix(Single(i * s) * kx));
    return px;
}

// One stitch row: matches the sampled pixels of picture row `py` and stores them.
void readRow(WorkState& st, const Surface& picture, int py, int j, const std::vector<int>& px, ThreadMatcher& matcher)
{
    const bool rowInside = py >= 0 && py < picture.pixelHeight();
    const QRgb* row = rowInside ? picture.scanLine(py) : nullptr;
    const int width = picture.pixelWidth();
    Long last = 0, lastThread = matcher.nearestColour(0);
    for (int i = 0; i < int(px.size()); ++i) {
        const int x = px[std::size_t(i)];
        const Long col = row && x >= 0 && x < width ? colourFromRgb(row[x]) : -1;
        if (col != last) {
            last = col;
            lastThread = matcher.nearestColour(col);
        }
        st.puntos(i, j) = lastThread;
        st.lista_puntos[std::size_t(st.num_puntos++)] = lastThread;
    }
}
} // namespace

bool colores(WorkState& st, const Surface& picture, const Surface& box, const Progress& progress)
{
    progress.setPointer(11);
    st.listo = False;
    st.num_puntos = 0;
    std::fill(st.lista_puntos.begin(), st.lista_puntos.end(), 0);

    const int s = cellSize(st);
    const Single kx = Single(picture.ScaleWidth()) / Single(box.ScaleWidth());
    const Single ky = Single(picture.ScaleHeight()) / Single(box.ScaleHeight());
    const double yEnd = box.ScaleHeight() - s;
    if (yEnd == 0) {
        progress.report(QStringLiteral("Error en el tamaño de la imagen"));
        return false;
    }
    const int columns = cellCount(box.ScaleWidth(), s);
    const int rows = cellCount(box.ScaleHeight(), s);
    if (columns > 0 && rows > 0 && !patternSizeAllowed(columns, rows)) {
        progress.report(patternSizeMessage());
        return false;
    }
    progress.setStage(QStringLiteral("Leyendo colores..."));
    progress.setFigure(QString());

    ThreadMatcher& matcher = cachedMatcher(st.dmc_activos, st.num_dmc);
    const std::vector<int> px = sampledColumns(picture, columns, s, kx);
    ProgressFigure figure(progress);
    for (int j = 0; j < rows; ++j) {
        const int y = j * s;
        figure.show(int(Fix(80.0 * y / yEnd)));
        readRow(st, picture, picture.toPixelY(Fix(Single(y) * ky)), j, px, matcher);
    }
    // a row loop that never ran leaves the column count at its start, 0
    st.ancho_puntos = Integer(rows > 0 ? columns : 0);
    st.alto_puntos = Integer(rows);
    progress.setPointer(0);
    st.listo = True;
    return true;
}
