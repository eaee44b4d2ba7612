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

double chroma(const Lab& x) { return std::hypot(x.a, x.b); }

// A floor under the square of ΔE2000 that also counts the a, b distance: the chroma and hue terms
// together are at least that distance over the chroma weight (a is only ever stretched, and the
// chroma weight is the larger), and the rotation term takes at most |R_T| / 2 of them, where
// R_T stays below the value of the largest chroma the two can have and sin 60°.
double squaredFloor(const Lab& x, double cx, const Lab& y, double cy)
{
    const double dl = (x.L - y.L) / lightnessWeight((x.L + y.L) / 2.0);
    const double cMost = 0.75 * (cx + cy); // a is stretched by at most half
    const double c7 = cMost * cMost * cMost * cMost * cMost * cMost * cMost;
    const double rtMost = 2.0 * std::sqrt(c7 / (c7 + 6103515625.0)) * 0.8660254037844386;
    const double sc = 1.0 + 0.045 * cMost;
    const double da = x.a - y.a, db = x.b - y.b;
    return dl * dl + (1.0 - rtMost / 2.0) * (da * da + db * db) / (sc * sc);
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

void PerceptualMatcher::consider(const Lab& lab, int k, double& best, int& bestK) const
{
    const Thread& t = m_byLightness[std::size_t(k)];
    // a little room under the floor keeps rounding from ever dropping the true nearest
    if (squaredFloor(lab, chroma(lab), t.lab, t.chroma) > best * best * 1.000001 + 1e-12)
        return;
    const double d = deltaE2000(lab, t.lab);
    if (d < best || (d == best && t.position < m_byLightness[std::size_t(bestK)].position)) {
        best = d;
        bestK = k;
    }
}

int PerceptualMatcher::nearest(const Lab& lab)
{
    const int n = int(m_byLightness.size());
    if (n == 0)
        return 1;
    // the last answer gives a close bound to start with
    int bestK = std::min(m_lastK, n - 1);
    double best = std::numeric_limits<double>::infinity();
    consider(lab, bestK, best, bestK);
    const auto first = std::lower_bound(
        m_byLightness.begin(), m_byLightness.end(), lab.L, [](const Thread& t, double l) { return t.lab.L < l; });
    const int start = int(first - m_byLightness.begin());
    for (int k = start; k < n; ++k) {
        if (lightnessFloor(lab.L, m_byLightness[std::size_t(k)].lab.L) > best)
            break;
        consider(lab, k, best, bestK);
    }
    for (int k = start - 1; k >= 0; --k) {
        if (lightnessFloor(lab.L, m_byLightness[std::size_t(k)].lab.L) > best)
            break;
        consider(lab, k, best, bestK);
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
