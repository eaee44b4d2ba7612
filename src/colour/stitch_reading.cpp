#include "colour/stitch_reading.h"

#include "colour/colour_value.h"
#include "colour/delta_e.h"
#include "colour/faithful.h"
#include "colour/matching.h"
#include "colour/perceptual.h"
#include "colour/progress_figure.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

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

// Pixel row of the working picture read for stitch row j, the same way.
int sampledRow(const Surface& picture, int j, int s, Single ky) { return picture.toPixelY(Fix(Single(j * s) * ky)); }

Single scaleX(const Surface& picture, const Surface& box)
{
    return Single(picture.ScaleWidth()) / Single(box.ScaleWidth());
}
Single scaleY(const Surface& picture, const Surface& box)
{
    return Single(picture.ScaleHeight()) / Single(box.ScaleHeight());
}

// The colours of the sampled pixels of picture row `py`; -1 outside the picture.
void readPixels(const Surface& picture, int py, const std::vector<int>& px, std::vector<Long>& out)
{
    const bool rowInside = py >= 0 && py < picture.pixelHeight();
    const QRgb* row = rowInside ? picture.scanLine(py) : nullptr;
    const int width = picture.pixelWidth();
    out.resize(px.size());
    for (std::size_t i = 0; i < px.size(); ++i) {
        const int x = px[i];
        out[i] = row && x >= 0 && x < width ? colourFromRgb(row[x]) : -1;
    }
}

void store(WorkState& st, int i, int j, Long thread)
{
    st.puntos(i, j) = thread;
    st.lista_puntos[std::size_t(st.num_puntos++)] = thread;
}

// One stitch row: matches the sampled pixels and stores them; a run of equal pixels is matched once.
template <class Matcher> void readRow(WorkState& st, int j, const std::vector<Long>& pixels, Matcher& matcher)
{
    Long last = 0, lastThread = matcher.nearestColour(0);
    for (int i = 0; i < int(pixels.size()); ++i) {
        const Long col = pixels[std::size_t(i)];
        if (col != last) {
            last = col;
            lastThread = matcher.nearestColour(col);
        }
        store(st, i, j, lastThread);
    }
}

Lab operator+(const Lab& x, const Lab& y) { return { x.L + y.L, x.a + y.a, x.b + y.b }; }
Lab operator-(const Lab& x, const Lab& y) { return { x.L - y.L, x.a - y.a, x.b - y.b }; }
Lab operator*(double k, const Lab& x) { return { k * x.L, k * x.a, k * x.b }; }

// Floyd-Steinberg error diffusion in CIELAB: what a stitch's thread misses of its colour goes,
// scaled by the strength, 7/16 to the stitch on its right and 3/16, 5/16, 1/16 to the three below.
class Diffusion {
public:
    Diffusion(int columns, int percent)
        : m_strength(percent / 100.0)
        , m_row(std::size_t(columns) + 2)
        , m_below(std::size_t(columns) + 2)
    {
    }
    // The colour stitch i should show: its pixel plus the error that reached it, within sRGB.
    Long wanted(int i, Long pixel) const { return colourFromLab(labFromColour(pixel) + m_row[std::size_t(i) + 1]); }
    void spread(int i, Long wanted, Long thread)
    {
        auto known = m_threadLab.find(thread);
        if (known == m_threadLab.end())
            known = m_threadLab.emplace(thread, labFromColour(thread)).first;
        const Lab e = m_strength * (labFromColour(wanted) - known->second);
        const std::size_t k = std::size_t(i) + 1;
        m_row[k + 1] = m_row[k + 1] + (7.0 / 16.0) * e;
        m_below[k - 1] = m_below[k - 1] + (3.0 / 16.0) * e;
        m_below[k] = m_below[k] + (5.0 / 16.0) * e;
        m_below[k + 1] = m_below[k + 1] + (1.0 / 16.0) * e;
    }
    void nextRow()
    {
        m_row.swap(m_below);
        std::fill(m_below.begin(), m_below.end(), Lab {});
    }

private:
    double m_strength;
    std::vector<Lab> m_row, m_below;
    std::unordered_map<Long, Lab> m_threadLab; // the few thread colours, converted once
};

template <class Matcher>
void readRowDithered(WorkState& st, int j, const std::vector<Long>& pixels, Matcher& matcher, Diffusion& diffusion)
{
    for (int i = 0; i < int(pixels.size()); ++i) {
        const Long want = diffusion.wanted(i, pixels[std::size_t(i)]);
        const Long thread = matcher.nearestColour(want);
        diffusion.spread(i, want, thread);
        store(st, i, j, thread);
    }
    diffusion.nextRow();
}

template <class Matcher>
void readRows(WorkState& st, const Surface& picture, const Surface& box, int columns, int rows, int percent,
    Matcher& matcher, const Progress& progress)
{
    const int s = cellSize(st);
    const double yEnd = box.ScaleHeight() - s;
    const Single ky = scaleY(picture, box);
    const std::vector<int> px = sampledColumns(picture, columns, s, scaleX(picture, box));
    std::vector<Long> pixels;
    Diffusion diffusion(columns, percent);
    ProgressFigure figure(progress);
    for (int j = 0; j < rows; ++j) {
        figure.show(int(Fix(80.0 * (j * s) / yEnd)));
        readPixels(picture, sampledRow(picture, j, s, ky), px, pixels);
        if (percent == 0)
            readRow(st, j, pixels, matcher);
        else
            readRowDithered(st, j, pixels, matcher, diffusion);
    }
}
// Every stitch's pixel read first, then matched together: the perceptual search works out all the
// colours at once, on every processor core.
void readRowsTogether(
    WorkState& st, const Surface& picture, const Surface& box, PerceptualMatcher& matcher, const Progress& progress)
{
    const int s = cellSize(st);
    const double yEnd = box.ScaleHeight() - s;
    const StitchPixels read = stitchPixels(picture, box, s);
    const std::vector<Long> threads = matcher.nearestColours(read.colours);
    ProgressFigure figure(progress);
    for (int j = 0; j < read.rows; ++j) {
        figure.show(int(Fix(80.0 * (j * s) / yEnd)));
        for (int i = 0; i < read.columns; ++i)
            store(st, i, j, threads[std::size_t(j) * std::size_t(read.columns) + std::size_t(i)]);
    }
}

// Every stitch's colour the picture's mean over its area, the threads chosen for those colours,
// and each stitch the nearest chosen thread (its error spread to its neighbours when dithered).
void readFaithful(WorkState& st, const Surface& picture, const Surface& box, int percent, const Progress& progress)
{
    const int s = cellSize(st);
    const double yEnd = box.ScaleHeight() - s;
    const StitchPixels means = stitchAreaMeans(picture, box, s);
    const std::vector<Long> chosen
        = faithfulThreads(means.colours, st.dmc_activos, st.num_dmc, std::max(int(st.num_colores), 1));
    ProgressFigure figure(progress);
    std::vector<color_dmc> threads(1);
    for (Long c : chosen) {
        const Components p = split(c);
        threads.push_back({ 0, Integer(p.r), Integer(p.g), Integer(p.b) });
    }
    PerceptualMatcher matcher(threads, int(chosen.size()));
    // a few stitches are matched directly; many through the search that shares out the work
    constexpr double kDirectPairs = 4e6;
    if (percent == 0) {
        const std::vector<Long> nearest = double(means.colours.size()) * double(chosen.size()) <= kDirectPairs
            ? nearestThreads(means.colours, chosen)
            : matcher.nearestColours(means.colours);
        for (int j = 0; j < means.rows; ++j) {
            figure.show(int(Fix(80.0 * (j * s) / yEnd)));
            for (int i = 0; i < means.columns; ++i)
                store(st, i, j, nearest[std::size_t(j) * std::size_t(means.columns) + std::size_t(i)]);
        }
        return;
    }
    const auto row = [&means](int j) {
        const auto first = means.colours.begin() + std::ptrdiff_t(j) * means.columns;
        return std::vector<Long>(first, first + means.columns);
    };
    Diffusion diffusion(means.columns, percent);
    for (int j = 0; j < means.rows; ++j) {
        figure.show(int(Fix(80.0 * (j * s) / yEnd)));
        readRowDithered(st, j, row(j), matcher, diffusion);
    }
}
} // namespace

StitchPixels stitchGrid(const Surface& box, int s)
{
    StitchPixels out;
    out.columns = cellCount(box.ScaleWidth(), s);
    out.rows = cellCount(box.ScaleHeight(), s);
    if (out.rows <= 0 || out.columns <= 0 || !patternSizeAllowed(out.columns, out.rows))
        out.columns = out.rows = 0;
    return out;
}

StitchPixels stitchPixels(const Surface& picture, const Surface& box, int s)
{
    StitchPixels out = stitchGrid(box, s);
    if (out.columns == 0)
        return out;
    const Single ky = scaleY(picture, box);
    const std::vector<int> px = sampledColumns(picture, out.columns, s, scaleX(picture, box));
    std::vector<Long> row;
    out.colours.reserve(std::size_t(out.columns) * std::size_t(out.rows));
    for (int j = 0; j < out.rows; ++j) {
        readPixels(picture, sampledRow(picture, j, s, ky), px, row);
        out.colours.insert(out.colours.end(), row.begin(), row.end());
    }
    return out;
}

bool colores(
    WorkState& st, const Surface& picture, const Surface& box, const Progress& progress, const ColourOptions& options)
{
    progress.setPointer(11);
    st.listo = False;
    st.num_puntos = 0;
    std::fill(st.lista_puntos.begin(), st.lista_puntos.end(), 0);

    const int s = cellSize(st);
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

    if (options.faithful)
        readFaithful(st, picture, box, options.dither, progress);
    else if (options.perceptual && options.dither == 0)
        readRowsTogether(st, picture, box, cachedPerceptualMatcher(st.dmc_activos, st.num_dmc), progress);
    else if (options.perceptual)
        readRows(st, picture, box, columns, rows, options.dither, cachedPerceptualMatcher(st.dmc_activos, st.num_dmc),
            progress);
    else
        readRows(st, picture, box, columns, rows, options.dither, cachedMatcher(st.dmc_activos, st.num_dmc), progress);
    // a row loop that never ran leaves the column count at its start, 0
    st.ancho_puntos = Integer(rows > 0 ? columns : 0);
    st.alto_puntos = Integer(rows);
    progress.setPointer(0);
    st.listo = True;
    return true;
}
