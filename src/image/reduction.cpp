#include "image/reduction.h"

#include <algorithm>
#include <cmath>

QString reductionTitle() { return QStringLiteral("Tamaño de imagen"); }

QString reductionPrompt(int W, int H)
{
    // the dialog shows a line break where the question always had one
    return QStringLiteral("La imagen tiene") + Str(W) + QStringLiteral(" x") + Str(H) + QStringLiteral(" puntos. ")
        + QLatin1Char('\n')
        + QStringLiteral("Si quiere reducirla para trabajar más rápido introduzca el factor de reducción que desee:")
        + QLatin1Char('\n') + QStringLiteral("( 1 = Sin reducción, 2 = Mitad, 3 = Tercio, etc... )");
}

bool reductionAsked(int outerWidth, int outerHeight) { return outerWidth > 200 || outerHeight > 200; }

Single reductionFactor(const QString& answer) { return Single(Int(Val(answer))); }

namespace {
// One side after the reduction, rounded up; worked in double so that a huge factor gives 1.
int reducedSide(int side, double f)
{
    if (side <= 0)
        return 0;
    if (std::fmod(double(side), f) == 0)
        return int(double(side) / f);
    return int(Int(double(side) / f)) + 1;
}
} // namespace

ReducedSize reducedSize(int W, int H, double f) { return { reducedSide(W, f), reducedSide(H, f) }; }

void reducePicture(Surface& picture, double f)
{
    if (!(f > 1))
        return;
    const int W = picture.pixelWidth();
    const int H = picture.pixelHeight();
    const ReducedSize n = reducedSize(W, H, f);
    if (n.columns == 0 || n.rows == 0)
        return;
    const Single sx = Single(W) / Single(n.columns);
    const Single sy = Single(H) / Single(n.rows);
    // the target (k, j) never lies after its source in row order, so the copy works in place
    for (int j = 0; j < n.rows; ++j) {
        const int y = std::min(int(Single(j) * sy), H - 1);
        const QRgb* from = picture.scanLine(y);
        QRgb* to = picture.scanLine(j);
        for (int k = 0; k < n.columns; ++k)
            to[k] = from[std::min(int(Single(k) * sx), W - 1)];
    }
    picture.setWidth(n.columns + 2 * picture.border());
    picture.setHeight(n.rows + 2 * picture.border());
}
