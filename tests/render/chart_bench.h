#pragma once
// A chart drawing bench for the render tests: a pattern filled by hand with its own embroidery,
// chart and stamp surfaces, and ways to look at one cell of a sheet.
#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "render/chart.h"
#include "render/stamp.h"

#include <QStringList>
#include <QVector>
#include <algorithm>

inline constexpr Long kWhite = 0xFFFFFF;

// A pattern of W x H stitches with its own embroidery, chart and stamp surfaces.
struct ChartBench {
    WorkState st;
    Surface picture2;
    Surface chart { 300, 300 };
    Surface stamp { 100, 30, 0 };
    ChartOptions options;
    QStringList reported;

    explicit ChartBench(int W, int H, bool doubleStitch = false)
        : picture2(W * (doubleStitch ? 9 : 3), H * (doubleStitch ? 9 : 3))
    {
        st.punto_doble = doubleStitch ? True : False;
        options.symbolFont = options.plainFont = QStringLiteral("DejaVu Sans");
        drawStamp(stamp);
    }
    void add(int group0, Long colour) { st.tono[std::size_t(group0)][std::size_t(st.num_tono[group0]++)] = colour; }
    // Every stitch takes colour(i, j).
    template <class F> void fill(int W, int H, F colour)
    {
        for (int j = 0; j < H; ++j)
            for (int i = 0; i < W; ++i)
                st.puntos(i, j) = colour(i, j);
    }
    ChartJob job()
    {
        Progress p;
        p.error = [this](const QString& s) { reported << s; };
        return { st, patternSize(st, picture2), chart, stamp, options, p };
    }
};

// Pixels of the 7 x 7 corner of sheet cell (i, j) that no grid line covers.
inline QVector<Long> cellPixels(const Surface& c, int i, int j)
{
    QVector<Long> px;
    for (int y = 1; y <= 7; ++y)
        for (int x = 1; x <= 7; ++x)
            px << c.Point(9 * i + x, 9 * j + y);
    return px;
}

inline int countOther(const QVector<Long>& px, Long background)
{
    return int(std::count_if(px.begin(), px.end(), [&](Long p) { return p != background; }));
}
