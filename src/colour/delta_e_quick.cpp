#include "colour/delta_e_quick.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// The loops below are written to be turned into vector code; on x86-64 each gets a copy for
// AVX-512 and one for AVX2 beside the plain one, and the widest the processor has is chosen once.
#if defined(__x86_64__) && defined(__GNUC__)
#define VECTOR_COPIES 1
#else
#define VECTOR_COPIES 0
#endif

// A loop whose iterations read nothing another writes, for GCC to turn into vector code (clang
// checks that as the loop starts).
#if defined(__GNUC__) && !defined(__clang__)
#define NO_LOOP_DEPENDENCES _Pragma("GCC ivdep")
#else
#define NO_LOOP_DEPENDENCES
#endif

#define ALWAYS_INLINE __attribute__((always_inline)) inline

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float k25To7 = 6103515625.0f;

// x^7, nought below 1e-3 (where every use of it is below 1e-21 and the seventh power would fall
// among the slow subnormal numbers)
ALWAYS_INLINE float pow7(float x)
{
    x = x < 1e-3f ? 0.0f : x;
    const float x2 = x * x;
    return x2 * x2 * x2 * x;
}

// atan of 0 <= t <= 1, within 2e-8: Abramowitz and Stegun's polynomial 4.4.49.
ALWAYS_INLINE float atanUnit(float t)
{
    const float z = t * t;
    return t
        * (1.0f
            + z
                * (-0.3333314528f
                    + z
                        * (0.1999355085f
                            + z
                                * (-0.1420889944f
                                    + z
                                        * (0.1065626393f
                                            + z
                                                * (-0.0752896400f
                                                    + z
                                                        * (0.0429096138f
                                                            + z * (-0.0161657367f + z * 0.0028662257f))))))));
}

// Angle of (x, y) in radians, -pi..pi, for a point away from the origin.
ALWAYS_INLINE float angleOf(float x, float y)
{
    const float ax = std::fabs(x), ay = std::fabs(y);
    const float small = ax < ay ? ax : ay, large = ax < ay ? ay : ax;
    float r = atanUnit(small / large);
    r = ay > ax ? kPi / 2 - r : r;
    r = x < 0 ? kPi - r : r;
    return y < 0 ? -r : r;
}

// e^x for -87 < x <= 0, to single precision: a power of two times a short polynomial.
ALWAYS_INLINE float expNegative(float x)
{
    const float y = x * 1.44269504f;
    const int n = -int(0.5f - y);
    const float r = x - float(n) * 0.693359375f + float(n) * 2.12194440e-4f;
    const float p = ((((1.9875691500e-4f * r + 1.3981999507e-3f) * r + 8.3334519073e-3f) * r + 4.1665795894e-2f) * r
                        + 1.6666665459e-1f)
            * r
        + 5.0000001201e-1f;
    const std::int32_t bits = (n + 127) << 23;
    float scale;
    std::memcpy(&scale, &bits, sizeof scale);
    return (p * r * r + r + 1.0f) * scale;
}

// sin x for 0 <= x <= pi/3.
ALWAYS_INLINE float sinSmall(float x)
{
    const float x2 = x * x;
    return x * (1.0f + x2 * (-1.0f / 6 + x2 * (1.0f / 120 + x2 * (-1.0f / 5040 + x2 * (1.0f / 362880)))));
}
} // namespace

namespace {
// Linear light of each 8-bit sRGB component, in single precision.
const float* linearLightTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t {};
        for (int i = 0; i < 256; ++i)
            t[std::size_t(i)] = float(linearLight(i));
        return t;
    }();
    return table.data();
}

// The CIELAB f(t): the cube root from a first guess in the bits of t and three Newton steps, or
// the straight line near black.
ALWAYS_INLINE float labF(float t)
{
    std::int32_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits = bits / 3 + 0x2a514067;
    float y;
    std::memcpy(&y, &bits, sizeof y);
    for (int step = 0; step < 3; ++step)
        y = (2.0f * y + t / (y * y)) * (1.0f / 3.0f);
    return t > 216.0f / 24389.0f ? y : (24389.0f / 27.0f * t + 16.0f) / 116.0f;
}

ALWAYS_INLINE void labsInSinglePrecision(const std::uint32_t* colours, int count, float* L, float* a, float* b)
{
    const float* lin = linearLightTable();
    for (int i = 0; i < count; ++i) {
        const std::uint32_t c = colours[i];
        const float r = lin[c & 255], g = lin[(c >> 8) & 255], bl = lin[(c >> 16) & 255];
        const float x = 0.4124564f * r + 0.3575761f * g + 0.1804375f * bl;
        const float y = 0.2126729f * r + 0.7151522f * g + 0.0721750f * bl;
        const float z = 0.0193339f * r + 0.1191920f * g + 0.9503041f * bl;
        const float fx = labF(x * (1.0f / 0.95047f)), fy = labF(y), fz = labF(z * (1.0f / 1.08883f));
        L[i] = 116.0f * fy - 16.0f;
        a[i] = 500.0f * (fx - fy);
        b[i] = 200.0f * (fy - fz);
    }
}
} // namespace

QuickBox quickBox(const Lab& colour)
{
    const float L = float(colour.L), a = float(colour.a), b = float(colour.b);
    const float c = std::sqrt(a * a + b * b);
    const float x = c > 0 ? a / c : 0.0f, y = c > 0 ? b / c : 0.0f;
    return { L, L, a, a, b, b, c, x, y, x, y, true };
}

QuickBox quickBox(const float* L, const float* a, const float* b, int count)
{
    QuickBox box = quickBox({ L[0], a[0], b[0] });
    const float x0 = box.hue1X, y0 = box.hue1Y;
    float leastTurn = 0, mostTurn = 0;
    constexpr int kChunk = 64;
    float hueX[kChunk], hueY[kChunk], turn[kChunk];
    for (int first = 0; first < count; first += kChunk) {
        const int n = std::min(kChunk, count - first);
        // chroma and hue of each colour, in a loop the compiler turns into vector code
        bool known = true;
        for (int i = 0; i < n; ++i) {
            const float x = a[first + i], y = b[first + i];
            const float c = std::sqrt(x * x + y * y), inv = c > 0 ? 1.0f / (c > 0 ? c : 1.0f) : 0.0f;
            hueX[i] = x * inv;
            hueY[i] = y * inv;
            // hues measured by their turn from the first (the sine of the angle, within 30°)
            turn[i] = x0 * hueY[i] - y0 * hueX[i];
            known = known & (c >= 1.0f) & (x0 * hueX[i] + y0 * hueY[i] >= 0.866f);
            box.Lmin = std::min(box.Lmin, L[first + i]);
            box.Lmax = std::max(box.Lmax, L[first + i]);
            box.amin = std::min(box.amin, x);
            box.amax = std::max(box.amax, x);
            box.bmin = std::min(box.bmin, y);
            box.bmax = std::max(box.bmax, y);
            box.chroma = std::max(box.chroma, c);
        }
        box.hueKnown = box.hueKnown && known;
        for (int i = 0; i < n; ++i) {
            if (turn[i] < leastTurn) {
                leastTurn = turn[i];
                box.hue1X = hueX[i];
                box.hue1Y = hueY[i];
            }
            if (turn[i] > mostTurn) {
                mostTurn = turn[i];
                box.hue2X = hueX[i];
                box.hue2Y = hueY[i];
            }
        }
    }
    return box;
}

// sin 2Δθ of the rotation term by the cosine of the angle of the mean hue from the blue 275°, for
// processors that read many table entries at once: a quadratic on each of kRotationSteps steps
// from 85° to the blue, within 2e-7 of it; nought beyond 85° (where Δθ is below 3e-4°), in the
// last entry.
constexpr int kRotationSteps = 512;
struct RotationTable {
    float start, perStep;
    std::array<float, kRotationSteps + 1> p0, p1, p2;
};

const RotationTable& rotationTable()
{
    static const RotationTable table = [] {
        RotationTable t {};
        const double pi = 3.14159265358979323846;
        const double from = std::cos(85.0 * pi / 180), step = (1.0 - from) / kRotationSteps;
        const auto sin2Theta = [pi](double c) {
            const double q = std::acos(std::min(1.0, c)) / (25.0 * pi / 180);
            return std::sin(pi / 3 * std::exp(-q * q));
        };
        t.start = float(from);
        t.perStep = float(1.0 / step);
        for (std::size_t i = 0; i < std::size_t(kRotationSteps); ++i) {
            // through the step's two ends and its middle
            const double x = from + double(i) * step, y0 = sin2Theta(x), y1 = sin2Theta(x + step / 2),
                         y2 = sin2Theta(x + step);
            const double d1 = (y1 - y0) / (step / 2), d2 = (y2 - y1) / (step / 2), second = (d2 - d1) / step;
            t.p0[i] = float(y0);
            t.p1[i] = float(d1 - second * step / 2);
            t.p2[i] = float(second);
        }
        return t;
    }();
    return table;
}

// The rotation table as the loops read it.
struct Rotation {
    const float* __restrict p0;
    const float* __restrict p1;
    const float* __restrict p2;
    float start, perStep;
};

// The quick squared difference of one pair, colour 1 to thread 2 (c the CIELAB chroma), or a floor
// f under it as -(f + 1). No branches, so a loop over pairs turns into vector code. With a side of
// 1 or -1, the mean hue is taken square to the chord between the two hues, on that side, and no
// floor is given: for hues almost opposite, where the bisector of the short arc is in doubt. The
// rotation comes from the table when given one, else from the angle.
template <int Side>
ALWAYS_INLINE float quickPair(
    float L1, float a1, float b1, float c1, float L2, float a2, float b2, float c2, const Rotation* table = nullptr)
{
    // the blue hue 275° where the rotation term acts
    const float blueX = 0.08715574f, blueY = -0.99619470f;
    const float cm7 = pow7((c1 + c2) * 0.5f);
    const float g = 1.5f - 0.5f * std::sqrt(cm7 / (cm7 + k25To7));
    const float ap1 = g * a1, ap2 = g * a2;
    const float q1 = ap1 * ap1 + b1 * b1, q2 = ap2 * ap2 + b2 * b2;
    // unit hue directions, nought for a colour without chroma
    const float inv1 = q1 > 0 ? 1.0f / std::sqrt(q1 > 0 ? q1 : 1.0f) : 0.0f;
    const float inv2 = q2 > 0 ? 1.0f / std::sqrt(q2 > 0 ? q2 : 1.0f) : 0.0f;
    const float cp1 = q1 * inv1, cp2 = q2 * inv2;
    const float u1x = ap1 * inv1, u1y = b1 * inv1, u2x = ap2 * inv2, u2y = b2 * inv2;
    const bool both = q1 > 0 && q2 > 0;
    // hue difference 2 sqrt(C1 C2) sin(dh / 2): |sin(dh / 2)| is half the chord between the
    // directions, its sign that of their cross product
    const float chordX = u2x - u1x, chordY = u2y - u1y;
    const float dHabs = std::sqrt(cp1 * cp2 * (chordX * chordX + chordY * chordY));
    const float cross = u1x * u2y - u1y * u2x;
    const float dH = both ? (cross < 0 ? -dHabs : dHabs) : 0.0f;
    // mean hue: the bisector of the short arc, or the one hue there is
    const float sx = u1x + u2x, sy = u1y + u2y;
    const float s2 = sx * sx + sy * sy;
    const bool noHue = s2 == 0;
    // within 3° of opposite hues, the bisector might fall on the wrong side through rounding
    const bool doubtful = Side == 0 && both && s2 < 0.0025f;
    float ch, sh1;
    if (Side == 0) {
        const float invS = 1.0f / std::sqrt(noHue ? 1.0f : s2);
        ch = noHue ? 1.0f : sx * invS;
        sh1 = noHue ? 0.0f : sy * invS;
    } else {
        const float chord = std::sqrt(chordX * chordX + chordY * chordY);
        ch = chord > 0 ? -Side * chordY / chord : 1.0f;
        sh1 = chord > 0 ? Side * chordX / chord : 0.0f;
    }
    const float ch2 = 2 * ch * ch - 1, sh2 = 2 * sh1 * ch;
    const float ch3 = ch * ch2 - sh1 * sh2, sh3 = sh1 * ch2 + ch * sh2;
    const float ch4 = 2 * ch2 * ch2 - 1, sh4 = 2 * sh2 * ch2;
    const float t = 1.0f - 0.17f * (ch * 0.8660254f + sh1 * 0.5f) + 0.24f * ch2
        + 0.32f * (ch3 * 0.99452190f - sh3 * 0.10452846f) - 0.20f * (ch4 * 0.45399050f + sh4 * 0.89100652f);
    // the rotation: Δθ = 30° exp(-((h - 275°) / 25°)²), taken as nought where it is below 3e-12°
    // (more than 137° from the blue; when the mean hue is more than 180° below the blue the angle
    // from the blue wraps round)
    float sin2Theta;
    if (table) {
        const float towards = blueX * ch + blueY * sh1;
        const float steps = (towards - table->start) * table->perStep;
        const int step = steps < 0 ? kRotationSteps : std::min(int(steps), kRotationSteps - 1);
        const float d = (steps - float(step)) * (1.0f / table->perStep);
        sin2Theta = table->p0[step] + d * (table->p1[step] + d * table->p2[step]);
    } else {
        const float fromBlue = angleOf(blueX * ch + blueY * sh1, blueX * sh1 - blueY * ch) * (180.0f / kPi);
        const float q = fromBlue * (1.0f / 25.0f);
        const float dTheta = fromBlue >= 85.0f || q * q > 30.0f ? 0.0f : 30.0f * expNegative(-q * q);
        sin2Theta = sinSmall(dTheta * (kPi / 90.0f));
    }
    const float cpm = (cp1 + cp2) * 0.5f;
    const float cpm7 = pow7(cpm);
    const float rc = 2.0f * std::sqrt(cpm7 / (cpm7 + k25To7));
    const float rt = -sin2Theta * rc;
    const float lm = (L1 + L2) * 0.5f - 50.0f;
    const float l50 = lm * lm;
    const float sl = 1.0f + 0.015f * l50 / std::sqrt(20.0f + l50);
    const float sc = 1.0f + 0.045f * cpm;
    const float l = (L2 - L1) / sl, c = (cp2 - cp1) / sc;
    const float h = dH / (1.0f + 0.015f * cpm * t);
    // where the mean hue is in doubt: the hue weight at its largest (T below 1.93) and the
    // rotation taking at most |R_T| / 2 of the chroma and hue terms
    const float hFloor = dH / (1.0f + 0.015f * cpm * 1.93f);
    const float floor = l * l + (1.0f - rc * 0.4330127f) * (c * c + hFloor * hFloor);
    const float exact = l * l + c * c + h * h + rt * c * h;
    return doubtful ? -floor - 1.0f : (exact > 0 ? exact : 0.0f);
}

// Measured in a loop without branches, so the compiler turns it into vector code (the table's
// entries read many at once where the processor can).
template <bool Table>
ALWAYS_INLINE void differences(const QuickColours& colours, const QuickThreads& threads, int pairs, float* out)
{
    const float* __restrict cL = colours.L;
    const float* __restrict ca = colours.a;
    const float* __restrict cb = colours.b;
    const float* __restrict tL = threads.L;
    const float* __restrict ta = threads.a;
    const float* __restrict tb = threads.b;
    const float* __restrict tc = threads.chroma;
    float* __restrict to = out;
    Rotation table {};
    if constexpr (Table) {
        const RotationTable& t = rotationTable();
        table = { t.p0.data(), t.p1.data(), t.p2.data(), t.start, t.perStep };
    }
    NO_LOOP_DEPENDENCES
    for (int j = 0; j < pairs; ++j)
        to[j] = quickPair<0>(cL[j], ca[j], cb[j], std::sqrt(ca[j] * ca[j] + cb[j] * cb[j]), tL[j], ta[j], tb[j], tc[j],
            Table ? &table : nullptr);
}

float quickSquaredEitherSide(float L1, float a1, float b1, float L2, float a2, float b2, float chroma2)
{
    const float c1 = std::sqrt(a1 * a1 + b1 * b1);
    return std::min(
        quickPair<1>(L1, a1, b1, c1, L2, a2, b2, chroma2), quickPair<-1>(L1, a1, b1, c1, L2, a2, b2, chroma2));
}

namespace {
// The floor: the lightness term exactly, then the chroma and hue terms together at least the a', b
// distance over the chroma weight S_C, which is above the hue weight S_H since T never exceeds
// 1.93. a' is a stretched by G, which shrinks as the mean CIELAB chroma grows: at least G at the
// largest mean chroma of the box and the thread. The mean a', b chroma C' is at most C + 6.4 and
// 1.5 C at a mean CIELAB chroma C, which bounds S_C and R_C. The rotation term takes at most |R_T| / 2 =
// R_C |sin 2Δθ| / 2 of the other two. Δθ shrinks with the distance of the mean hue from the blue
// 275°. Stretching a by at most 1.5 turns a hue by less than 11.6°, so the mean a', b hue lies
// within 11.6° of the bisector of the short arc between the two CIELAB hues, or, where stretching
// carries the hues across opposite sides, of the bisector's opposite: the axis square to the
// chord between the two hue directions. When the hues are less than 150° apart that cannot
// happen, and the bisector's distance from the blue bounds |sin 2Δθ|; otherwise the axis's. For
// colours whose hues lie between two directions, the bisectors (or axes) lie between those of the
// two directions, nearest to the blue at one end unless the blue is between them. Every bound
// holds for any colour of the box, each term taken at its least (distance) or largest (weight)
// over it.
ALWAYS_INLINE void floors(
    const QuickBox& box, const QuickThreads& threads, int first, int last, float* out, float* least)
{
    const float blueX = 0.08715574f, blueY = -0.99619470f;
    const float doubledBlueX = blueX * blueX - blueY * blueY, doubledBlueY = 2 * blueX * blueY;
    const float* __restrict tL = threads.L;
    const float* __restrict ta = threads.a;
    const float* __restrict tb = threads.b;
    const float* __restrict tc = threads.chroma;
    const float* __restrict tx = threads.hueX;
    const float* __restrict ty = threads.hueY;
    float* __restrict to = out;
    float* __restrict blockLeasts = least;
    const auto leastOfBlocks = [&]() __attribute__((always_inline))
    {
        for (int block = first; block < last; block += kQuickBlock) {
            float blockLeast = std::numeric_limits<float>::max();
            for (int j = block; j < block + kQuickBlock; ++j)
                blockLeast = std::min(blockLeast, to[j]);
            blockLeasts[block / kQuickBlock] = blockLeast;
        }
    };
    const float Lmin = box.Lmin, Lmax = box.Lmax, amin = box.amin, amax = box.amax, bmin = box.bmin, bmax = box.bmax;
    const float chroma = box.chroma, hue1X = box.hue1X, hue1Y = box.hue1Y, hue2X = box.hue2X, hue2Y = box.hue2Y;
    const bool hueKnown = box.hueKnown;
    // |sin 2Δθ| at most, for a mean hue within 11.54° of a direction (x, y), by the square q of
    // the cosine of the direction's angle from the blue (towards is its part towards the blue,
    // nought where it points away): sin(60° exp(-(max(0, acos √q - 11.54°) / 25°)²)), which a
    // polynomial of degree 6 in q follows within 0.0043, raised by that and a little more so as
    // never to fall below it.
    const auto rotation = [&](float x, float y, float towards) __attribute__((always_inline))
    {
        const float q = towards * towards / std::max(x * x + y * y, 1e-30f); // nought without a direction
        const float r = 5.333546771e-3f
            + q
                * (-5.008734171e-2f
                    + q
                        * (9.421879365e-1f
                            + q
                                * (-3.035044986e+0f
                                    + q * (7.442259042e+0f + q * (-3.492685385e+0f + q * -9.457374589e-1f)))));
        return std::min(r, 0.8661f);
    };
    // For a thread of chroma c: S_C and half R_C at their largest, G at its least.
    struct ChromaBounds {
        float sc, halfRc, g;
    };
    const auto chromaBounds = [&](float c) __attribute__((always_inline))
    {
        const float cm = (chroma + c) * 0.5f;
        const float cpm = std::min(cm + 6.5f, 1.5f * cm);
        const float cpm7 = pow7(cpm), cm7 = pow7(cm);
        return ChromaBounds { 1.0f + 0.045f * cpm, std::sqrt(cpm7 / (cpm7 + k25To7)),
            1.5f - 0.5f * std::sqrt(cm7 / (cm7 + k25To7)) };
    };
    // The direction the mean hue lies near, for a colour's hue (hx, hy) and the thread's (x, y):
    // their sum, the bisector, when less than 150° apart (the sum longer than 0.52); otherwise
    // (far) the axis square to their chord, either way along it.
    const auto isFar = [](float hx, float hy, float x, float y) __attribute__((always_inline))
    {
        return (hx + x) * (hx + x) + (hy + y) * (hy + y) < 0.27f;
    };
    if (Lmin == Lmax && amin == amax && bmin == bmax && hue1X == hue2X && hue1Y == hue2Y && hueKnown) {
        // one colour: one hue direction, in a loop of its own, the box's being twice the work
        NO_LOOP_DEPENDENCES
        for (int j = first; j < last; ++j) {
            const float L2 = tL[j];
            const float lm = (Lmin + L2) * 0.5f - 50.0f;
            const float l50 = lm * lm;
            const float l = (Lmin - L2) / (1.0f + 0.015f * l50 / std::sqrt(20.0f + l50));
            const ChromaBounds w = chromaBounds(tc[j]);
            const float da = w.g * (amin - ta[j]), db = bmin - tb[j];
            const bool far = isFar(hue1X, hue1Y, tx[j], ty[j]);
            const float dx = far ? hue1Y - ty[j] : hue1X + tx[j], dy = far ? tx[j] - hue1X : hue1Y + ty[j];
            const float towards = dx * blueX + dy * blueY;
            const float sin2Theta = rotation(dx, dy, (far | (towards > 0)) ? towards : 0.0f);
            const float floor = l * l + (1.0f - w.halfRc * sin2Theta) * (da * da + db * db) / (w.sc * w.sc);
            to[j] = floor;
        }
        leastOfBlocks();
        return;
    }
    NO_LOOP_DEPENDENCES
    for (int j = first; j < last; ++j) {
        const float L2 = tL[j];
        const float lm = std::max(std::fabs((Lmin + L2) * 0.5f - 50.0f), std::fabs((Lmax + L2) * 0.5f - 50.0f));
        const float l50 = lm * lm;
        const float dL = std::max(0.0f, std::max(Lmin - L2, L2 - Lmax));
        const float l = dL / (1.0f + 0.015f * l50 / std::sqrt(20.0f + l50));
        const ChromaBounds w = chromaBounds(tc[j]);
        const float da = w.g * std::max(0.0f, std::max(amin - ta[j], ta[j] - amax));
        const float db = std::max(0.0f, std::max(bmin - tb[j], tb[j] - bmax));
        const bool far1 = isFar(hue1X, hue1Y, tx[j], ty[j]), far2 = isFar(hue2X, hue2Y, tx[j], ty[j]);
        const float d1x = far1 ? hue1Y - ty[j] : hue1X + tx[j], d1y = far1 ? tx[j] - hue1X : hue1Y + ty[j];
        const float d2x = far2 ? hue2Y - ty[j] : hue2X + tx[j], d2y = far2 ? tx[j] - hue2X : hue2Y + ty[j];
        // with either end far apart, axes: both ways along each, and the blue between them
        // as lines, their angles doubled
        const bool axes = far1 | far2;
        const float towards1 = d1x * blueX + d1y * blueY, towards2 = d2x * blueX + d2y * blueY;
        const float r1 = rotation(d1x, d1y, (axes | (towards1 > 0)) ? towards1 : 0.0f);
        const float r2 = rotation(d2x, d2y, (axes | (towards2 > 0)) ? towards2 : 0.0f);
        const bool blueBetweenBisectors = (d1x * blueY - d1y * blueX > 0) & (blueX * d2y - blueY * d2x > 0);
        const float e1x = d1x * d1x - d1y * d1y, e1y = 2 * d1x * d1y;
        const float e2x = d2x * d2x - d2y * d2y, e2y = 2 * d2x * d2y;
        const bool blueBetweenAxes
            = ((e1x * doubledBlueY - e1y * doubledBlueX) * (doubledBlueX * e2y - doubledBlueY * e2x) >= 0)
            & (e1x * doubledBlueX + e1y * doubledBlueY > 0) & (e2x * doubledBlueX + e2y * doubledBlueY > 0);
        const bool blueBetween = (axes & blueBetweenAxes) | (!axes & blueBetweenBisectors);
        const float sin2Theta = (hueKnown & !blueBetween) ? std::max(r1, r2) : 0.8661f;
        const float floor = l * l + (1.0f - w.halfRc * sin2Theta) * (da * da + db * db) / (w.sc * w.sc);
        to[j] = floor;
    }
    leastOfBlocks();
}

// One copy of each loop for a kind of processor: the plain one works the rotation out from the
// angle, the vector ones read it from the table, their entries many at once (tuned for processors
// that do that quickly, or the compiler would not use the table).
struct Kernels {
    void (*labs)(const std::uint32_t*, int, float*, float*, float*);
    void (*differences)(const QuickColours&, const QuickThreads&, int, float*);
    void (*floors)(const QuickBox&, const QuickThreads&, int, int, float*, float*);
};

#define KERNEL_COPY(name, attributes, table)                                                                           \
    attributes void labs##name(const std::uint32_t* colours, int count, float* L, float* a, float* b)                  \
    {                                                                                                                  \
        labsInSinglePrecision(colours, count, L, a, b);                                                                \
    }                                                                                                                  \
    attributes void differences##name(const QuickColours& colours, const QuickThreads& threads, int pairs, float* out) \
    {                                                                                                                  \
        differences<table>(colours, threads, pairs, out);                                                              \
    }                                                                                                                  \
    attributes void floors##name(                                                                                      \
        const QuickBox& box, const QuickThreads& threads, int first, int last, float* out, float* least)               \
    {                                                                                                                  \
        floors(box, threads, first, last, out, least);                                                                 \
    }                                                                                                                  \
    const Kernels k##name { labs##name, differences##name, floors##name };

KERNEL_COPY(Plain, , false)
#if VECTOR_COPIES
KERNEL_COPY(Avx2, __attribute__((target("avx2,fma"))), true)
KERNEL_COPY(Avx512, __attribute__((target("avx512f"))), true)
#endif

const Kernels& kernelsOf(QuickKernel kernel)
{
#if VECTOR_COPIES
    if (kernel == QuickKernel::Avx512)
        return kAvx512;
    if (kernel == QuickKernel::Avx2)
        return kAvx2;
#endif
    (void)kernel;
    return kPlain;
}

QuickKernel widestKernel()
{
    for (const QuickKernel k : { QuickKernel::Avx512, QuickKernel::Avx2 })
        if (quickKernelRuns(k))
            return k;
    return QuickKernel::Plain;
}

// The copy in use: the widest the processor runs, chosen when first asked.
QuickKernel& kernelInUse()
{
    static QuickKernel chosen = widestKernel();
    return chosen;
}

const Kernels& kernels() { return kernelsOf(kernelInUse()); }
} // namespace

bool quickKernelRuns(QuickKernel kernel)
{
#if VECTOR_COPIES
    __builtin_cpu_init();
    if (kernel == QuickKernel::Avx512)
        return __builtin_cpu_supports("avx512f");
    if (kernel == QuickKernel::Avx2)
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#endif
    return kernel == QuickKernel::Plain;
}

QuickKernel quickKernel() { return kernelInUse(); }

bool forceQuickKernel(QuickKernel kernel)
{
    if (!quickKernelRuns(kernel))
        return false;
    kernelInUse() = kernel;
    return true;
}

void quickSquaredDifferences(const QuickColours& colours, const QuickThreads& threads, int pairs, float* out)
{
    kernels().differences(colours, threads, pairs, out);
}

void quickSquaredFloors(const QuickBox& box, const QuickThreads& threads, int first, int last, float* out, float* least)
{
    kernels().floors(box, threads, first, last, out, least);
}

void quickLabs(const std::uint32_t* colours, int count, float* L, float* a, float* b)
{
    kernels().labs(colours, count, L, a, b);
    // a and b are differences of numbers near 1 times 500, within 1e-4 or so; near the greys a
    // hue difference grows as the square root of the chroma, so there they are worked out exactly
    for (int i = 0; i < count; ++i)
        if (a[i] * a[i] + b[i] * b[i] < 16.0f) {
            const Lab exact = labFromColour(Long(colours[i]));
            L[i] = float(exact.L);
            a[i] = float(exact.a);
            b[i] = float(exact.b);
        }
}
