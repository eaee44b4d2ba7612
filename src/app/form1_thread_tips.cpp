#include "app/form1_thread_tips.h"

#include "app/form1.h"
#include "colour/matching.h"
#include "render/chart.h"
#include "views/magnifier.h"
#include "views/strip_maths.h"
#include "views/swap.h"

namespace {
// The stitch under the pointer as the colour finder reads it, when it is on a swatch.
QString embroideryTip(const Form1& f, double X, double Y)
{
    const int s = f.work.state().punto_doble ? 9 : 3;
    const Long c = f.work.Picture2.Point(finderSample(X, s), finderSample(Y, s));
    int g = 0, k = 0;
    return findSwatchOnStrips(f.work.Picture8, f.work.state().num_tono, c, g, k) ? threadTip(f.work.state(), c)
                                                                                 : QString();
}

// The stitch of the sheet on show; the key lists its threads already.
QString chartTip(const Form1& f, double X, double Y)
{
    const int H = f.HScroll2->value(), V = f.VScroll2->value();
    int i = 0, j = 0;
    if (H >= f.HScroll2->maximum()
        || !sheetStitchAt(H, V, X, Y, f.work.state().ancho_puntos, f.work.state().alto_puntos, i, j))
        return {};
    const Long c = f.work.state().puntos(i, j);
    return PaletteLookup(f.work.state()).find(c) ? threadTip(f.work.state(), c) : QString();
}

QString swatchTip(const Form1& f, int g, double X)
{
    const int k = swatchPosition(X);
    const Long c = f.work.Picture8[std::size_t(g)].Point(swatchReadX(X), 1);
    return isPaletteSwatch(f.work.state(), g, k, c) ? threadTip(f.work.state(), c) : QString();
}
} // namespace

void wireThreadTips(Form1& f)
{
    f.Picture2Box->toolTipAt = [&f](double X, double Y) { return embroideryTip(f, X, Y); };
    f.Picture11Box->toolTipAt = [&f](double X, double Y) { return chartTip(f, X, Y); };
    for (int g = 0; g < 6; ++g)
        f.Picture8Box[std::size_t(g)]->toolTipAt = [&f, g](double X, double) { return swatchTip(f, g, X); };
}
