#include "colour/delta_e.h"

#include "colour/colour_value.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kWhiteX = 0.95047, kWhiteZ = 1.08883; // D65, Y = 1
constexpr double kEpsilon = 216.0 / 24389.0; // (6/29)^3
constexpr double kKappa = 24389.0 / 27.0;

double radians(double degrees) { return degrees * kPi / 180.0; }
double degrees(double rad) { return rad * 180.0 / kPi; }

// Linear light of an 8-bit sRGB component, worked out once for all 256 values.
const std::array<double, 256>& linearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t {};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[std::size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

double labF(double t) { return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0; }
double labFInverse(double f) { return f * f * f > kEpsilon ? f * f * f : (116.0 * f - 16.0) / kKappa; }

// The 8-bit sRGB component whose encoded value is nearest to a linear-light value: the linear
// values half way between neighbouring codes, worked out once, are searched instead of raising
// every value to the power 1 / 2.4.
int sRgbComponent(double linear)
{
    static const std::array<double, 255> between = [] {
        std::array<double, 255> t {};
        for (int k = 0; k < 255; ++k) {
            const double c = (k + 0.5) / 255.0;
            t[std::size_t(k)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return int(std::upper_bound(between.begin(), between.end(), linear) - between.begin());
}

// Hue angle in degrees 0..360 of (a, b); 0 for a colour without chroma.
double hueAngle(double a, double b)
{
    if (a == 0 && b == 0)
        return 0;
    const double h = degrees(std::atan2(b, a));
    return h < 0 ? h + 360.0 : h;
}

double pow7(double x)
{
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}
} // namespace

double linearLight(int component) { return linearTable()[std::size_t(std::clamp(component, 0, 255))]; }

double lightnessWeight(double meanL)
{
    const double l50 = (meanL - 50) * (meanL - 50);
    return 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
}

double hueFactor(double c1, double s1)
{
    // the multiple-angle formulas instead of four cosines
    const double c2 = 2 * c1 * c1 - 1, s2 = 2 * s1 * c1;
    const double c3 = c1 * c2 - s1 * s2, s3 = s1 * c2 + c1 * s2;
    const double c4 = 2 * c2 * c2 - 1, s4 = 2 * s2 * c2;
    const double cos30 = 0.8660254037844387, cos6 = 0.9945218953682733, sin6 = 0.10452846326765347;
    const double cos63 = 0.45399049973954675, sin63 = 0.8910065241883679;
    return 1.0 - 0.17 * (c1 * cos30 + s1 * 0.5) + 0.24 * c2 + 0.32 * (c3 * cos6 - s3 * sin6)
        - 0.20 * (c4 * cos63 + s4 * sin63);
}

Lab labFromColour(Long colour)
{
    const Components c = split(colour);
    const std::array<double, 256>& lin = linearTable();
    const double r = lin[std::size_t(c.r)], g = lin[std::size_t(c.g)], b = lin[std::size_t(c.b)];
    const double x = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    const double fx = labF(x / kWhiteX), fy = labF(y), fz = labF(z / kWhiteZ);
    return { 116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz) };
}

Long colourFromLab(const Lab& lab)
{
    const double fy = (lab.L + 16.0) / 116.0;
    const double fx = fy + lab.a / 500.0, fz = fy - lab.b / 200.0;
    const double x = kWhiteX * labFInverse(fx);
    const double y = lab.L > kKappa * kEpsilon ? fy * fy * fy : lab.L / kKappa;
    const double z = kWhiteZ * labFInverse(fz);
    const double r = 3.2404542 * x - 1.5371385 * y - 0.4985314 * z;
    const double g = -0.9692660 * x + 1.8760108 * y + 0.0415560 * z;
    const double b = 0.0556434 * x - 0.2040259 * y + 1.0572252 * z;
    return RGB(sRgbComponent(r), sRgbComponent(g), sRgbComponent(b));
}

double deltaE2000(const Lab& x, const Lab& y)
{
    const double c1 = std::sqrt(x.a * x.a + x.b * x.b), c2 = std::sqrt(y.a * y.a + y.b * y.b);
    const double cMean7 = pow7((c1 + c2) / 2.0);
    const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + 6103515625.0))); // 25^7
    const double a1 = (1.0 + g) * x.a, a2 = (1.0 + g) * y.a;
    const double cp1 = std::sqrt(a1 * a1 + x.b * x.b), cp2 = std::sqrt(a2 * a2 + y.b * y.b);
    const double hp1 = hueAngle(a1, x.b), hp2 = hueAngle(a2, y.b);

    const double dL = y.L - x.L;
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = hp2 - hp1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2.0));

    const double lMean = (x.L + y.L) / 2.0;
    const double cpMean = (cp1 + cp2) / 2.0;
    double hMean = hp1 + hp2;
    if (cp1 * cp2 != 0) {
        // the mean of two hues goes the short way round the circle
        if (std::abs(hp1 - hp2) <= 180)
            hMean /= 2.0;
        else
            hMean = hMean < 360 ? (hMean + 360.0) / 2.0 : (hMean - 360.0) / 2.0;
    }
    const double t = hueFactor(std::cos(radians(hMean)), std::sin(radians(hMean)));
    const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2));
    const double cpMean7 = pow7(cpMean);
    const double rc = 2.0 * std::sqrt(cpMean7 / (cpMean7 + 6103515625.0));
    const double sl = lightnessWeight(lMean);
    const double sc = 1.0 + 0.045 * cpMean;
    const double sh = 1.0 + 0.015 * cpMean * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;
    const double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(std::max(0.0, l * l + c * c + h * h + rt * c * h));
}
