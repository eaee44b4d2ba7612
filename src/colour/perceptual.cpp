#include "colour/perceptual.h"

#include "colour/colour_value.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {
int usableCount(const std::vector<color_dmc>& catalogue, int count)
{
    const int last = int(catalogue.size()) - 1;
    return count < 0 ? 0 : count > last ? std::max(last, 0) : count;
}

const color_dmc& entryAt(const std::vector<color_dmc>& catalogue, int i)
{
    static const color_dmc none;
    return i < int(catalogue.size()) ? catalogue[std::size_t(i)] : none;
}

// The lightness weight of ΔE2000 at a mean lightness.
double lightnessWeight(double meanL)
{
    const double l50 = (meanL - 50) * (meanL - 50);
    return 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
}

// A floor under ΔE2000 from the lightness difference alone. The other terms add a non-negative
// amount (the rotation term is smaller than the chroma and hue terms it couples), and the floor
// grows with the lightness difference, so a scan in lightness order may stop at the first thread
// whose floor is above the best difference found.
double lightnessFloor(double l1, double l2) { return std::abs(l1 - l2) / lightnessWeight((l1 + l2) / 2.0); }

double chroma(const Lab& x) { return std::sqrt(x.a * x.a + x.b * x.b); }

double pow7(double x)
{
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

// A floor under the square of ΔE2000, without its angles: the lightness, chroma and hue
// differences and weights are exact (the hue difference from the a', b distance and the chroma
// difference, the mean hue as the bisector of the two hue directions), and the rotation term
// takes at most |R_T| / 2 of the other two, |R_T| being below R_C sin 60°, or almost nothing
// when the mean hue lies more than 80° from the blue 275° where the rotation acts. Where the mean
// hue is not defined the hue weight is taken at its largest (T never exceeds 1.93).
double squaredFloor(const Lab& x, double cx, const Lab& y, double cy)
{
    const double dl = (x.L - y.L) / lightnessWeight((x.L + y.L) / 2.0);
    const double c7 = pow7((cx + cy) / 2.0);
    const double stretch = 1.0 + 0.5 * (1.0 - std::sqrt(c7 / (c7 + 6103515625.0)));
    const double ax = stretch * x.a, ay = stretch * y.a;
    const double cpx = std::sqrt(ax * ax + x.b * x.b), cpy = std::sqrt(ay * ay + y.b * y.b);
    const double dc = cpy - cpx;
    const double dh2 = std::max(0.0, (ay - ax) * (ay - ax) + (y.b - x.b) * (y.b - x.b) - dc * dc);
    const double cpMean = (cpx + cpy) / 2.0;
    const double cp7 = pow7(cpMean);
    const double rc = 2.0 * std::sqrt(cp7 / (cp7 + 6103515625.0));
    double t = 1.93, rotation = 0.8660254037844386; // the largest T and |sin 2 Δθ|
    if (cpx > 0 && cpy > 0) {
        const double sx = ax / cpx + ay / cpy, sy = x.b / cpx + y.b / cpy;
        const double length = std::sqrt(sx * sx + sy * sy);
        if (length > 1e-6) {
            const double c1 = sx / length, s1 = sy / length;
            t = hueFactor(c1, s1) + 1e-9;
            // cos 80° = 0.1736; there Δθ < 0.0011° and |sin 2 Δθ| < 4e-5
            if (c1 * 0.08715574274765817 + s1 * -0.9961946980917455 < 0.1736)
                rotation = 4e-5;
        }
    }
    const double sc = 1.0 + 0.045 * cpMean, sh = 1.0 + 0.015 * t * cpMean;
    return dl * dl + (1.0 - rc * rotation / 2.0) * (dc * dc / (sc * sc) + dh2 / (sh * sh));
}
} // namespace

PerceptualMatcher::PerceptualMatcher(const std::vector<color_dmc>& catalogue, int count)
    : m_count(usableCount(catalogue, count))
{
    const int kept = std::max(m_count, 1);
    m_entries.resize(std::size_t(kept) + 1);
    m_colourAt.resize(std::size_t(kept) + 1);
    m_labAt.resize(std::size_t(kept) + 1);
    for (int i = 1; i <= kept; ++i) {
        const color_dmc& e = entryAt(catalogue, i);
        m_entries[std::size_t(i)] = e;
        m_colourAt[std::size_t(i)] = RGB(e.rojo, e.verde, e.azul);
        m_labAt[std::size_t(i)] = labFromColour(m_colourAt[std::size_t(i)]);
        if (i <= m_count)
            m_byLightness.push_back({ m_labAt[std::size_t(i)], chroma(m_labAt[std::size_t(i)]), i });
    }
    std::stable_sort(
        m_byLightness.begin(), m_byLightness.end(), [](const Thread& x, const Thread& y) { return x.lab.L < y.lab.L; });
}

bool PerceptualMatcher::holds(const std::vector<color_dmc>& catalogue, int count) const
{
    if (usableCount(catalogue, count) != m_count)
        return false;
    for (int i = 1; i < int(m_entries.size()); ++i) {
        const color_dmc& a = m_entries[std::size_t(i)];
        const color_dmc& b = entryAt(catalogue, i);
        if (a.numero != b.numero || a.rojo != b.rojo || a.verde != b.verde || a.azul != b.azul)
            return false;
    }
    return true;
}

int PerceptualMatcher::nearest(const Lab& lab)
{
    const int n = int(m_byLightness.size());
    if (n == 0)
        return 1;
    // the last answer gives a close bound to start with
    int bestK = std::min(m_lastK, n - 1);
    double best = deltaE2000(lab, m_byLightness[std::size_t(bestK)].lab);
    // every thread that may still beat it, by its floor; measured from the lowest floor up, so
    // the search ends as soon as the floors pass the best difference found
    const double bound = best * best * 1.000001 + 1e-12;
    const double c = chroma(lab);
    m_floors.clear();
    const auto first = std::lower_bound(
        m_byLightness.begin(), m_byLightness.end(), lab.L, [](const Thread& t, double l) { return t.lab.L < l; });
    const int start = int(first - m_byLightness.begin());
    auto gather = [&](int k) {
        const Thread& t = m_byLightness[std::size_t(k)];
        if (lightnessFloor(lab.L, t.lab.L) > best)
            return false;
        const double f = squaredFloor(lab, c, t.lab, t.chroma);
        if (f <= bound)
            m_floors.push_back({ f, k });
        return true;
    };
    for (int k = start; k < n && gather(k); ++k) { }
    for (int k = start - 1; k >= 0 && gather(k); --k) { }
    std::sort(m_floors.begin(), m_floors.end(), [](const Floor& x, const Floor& y) { return x.squared < y.squared; });
    for (const Floor& f : m_floors) {
        if (f.squared > best * best * 1.000001 + 1e-12)
            break;
        const Thread& t = m_byLightness[std::size_t(f.k)];
        const double d = deltaE2000(lab, t.lab);
        if (d < best || (d == best && t.position < m_byLightness[std::size_t(bestK)].position)) {
            best = d;
            bestK = f.k;
        }
    }
    m_lastK = bestK;
    return m_byLightness[std::size_t(bestK)].position;
}

int PerceptualMatcher::nearest(Long colour)
{
    const Components c = split(colour);
    const std::size_t key = std::size_t(RGB(c.r, c.g, c.b));
    if (m_answers.empty())
        m_answers.assign(std::size_t(1) << 24, 0);
    std::uint16_t& answer = m_answers[key];
    if (answer == 0)
        answer = std::uint16_t(nearest(labFromColour(colour)));
    return answer;
}

namespace {
std::unique_ptr<PerceptualMatcher> perceptualMatcher;
}

PerceptualMatcher& cachedPerceptualMatcher(const std::vector<color_dmc>& catalogue, int count)
{
    if (!perceptualMatcher || !perceptualMatcher->holds(catalogue, count))
        perceptualMatcher = std::make_unique<PerceptualMatcher>(catalogue, count);
    return *perceptualMatcher;
}

void forgetCachedPerceptualMatcher() { perceptualMatcher.reset(); }
