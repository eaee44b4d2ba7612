#include "views/magnifier.h"

#include "render/embroidery.h"

namespace {
// X Mod n as the program computes it: X rounded first, the sign of the dividend kept.
int roundedMod(double X, int n) { return int(CInt(X)) % n; }
} // namespace

double magnifierSample(double X, int i) { return X - roundedMod(X, 3) - 2 + i / 3; }

void drawMagnifier(const Surface& embroidery, Surface& lupa, double X, double Y)
{
    lupa.Cls();
    for (int i = 0; i <= 18; i += 9) {
        for (int j = 0; j <= 18; j += 9) {
            const Long c = embroidery.Point(magnifierSample(X, i), magnifierSample(Y, j));
            drawDoubleStitchCell(lupa, i, j, c);
        }
    }
}

double finderSample(double X, int s) { return X - roundedMod(X, s) + 1; }

bool findSwatchOnStrips(
    const std::array<Surface, 6>& strips, const std::array<Integer, 6>& counts, Long c, int& group0, int& k)
{
    for (int g = 0; g < 6; ++g) {
        for (int i = 0; i < counts[g]; ++i) {
            if (strips[g].Point(10 * i + 2, 2) == c) {
                group0 = g;
                k = i;
                return true;
            }
        }
    }
    return false;
}
