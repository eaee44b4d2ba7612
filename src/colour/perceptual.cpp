// How the nearest thread is found without measuring every thread exactly. The catalogue is kept
// sorted by lightness, in the single-precision rows the quick differences read (delta_e_quick.h).
// Colours are taken a cube of neighbours at a time (4 x 4 x 4 values), all of one cube together:
// - Seeds: the few threads nearest to the last cube's colours are measured first from each colour;
//   the best quick difference, plus the tolerance, is a reach the nearest thread lies within.
// - Floors: every thread whose lightness can come within the reach gets a cheap floor under its
//   difference from any colour of the cube's box (lightness, a, b distance and hue bounds); whole
//   blocks whose least floor is beyond the reach are passed over, and so is each thread beyond it.
// - Reach: the threads of least floor are measured next, which brings each colour's reach closer;
//   only the threads whose floor is within that closer reach are measured after them.
// - Near equals: every thread whose quick difference (or, hues almost opposite, whose floor and
//   difference on either side of the mean hue) comes within twice the tolerance of the best is
//   measured with the exact ΔE2000 from the exact CIELAB, the lower position winning a tie; so
//   the answer is the exact one's, whatever copy of the quick differences the processor runs.
// Answers are remembered by colour; a colour asked alone is searched the same way from its own box.
#include "colour/perceptual.h"

#include "colour/colour_value.h"
#include "colour/delta_e_quick.h"
#include "colour/matching.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <thread>

namespace {
// How far in lightness a thread may lie from a colour of lightness l and still come within d of
// it: ΔE2000 is at least the lightness difference over the lightness weight, and that weight is
// largest at the mean lightness farthest from 50 (never above 1.75).
double lightnessReach(double l, double d)
{
    const double widest = 1.75 * d;
    return lightnessWeight(50.0 + std::abs(l - 50.0) + widest / 2.0) * d;
}

// A quick difference stands for the exact one within the tolerance; one below nought stands for
// a floor under it (hues almost opposite), kept as -(floor + 1).
bool isFloor(float quick) { return quick < 0; }
float floorOf(float quick) { return -quick - 1.0f; }

int wholeBlocks(int n) { return (n + kQuickBlock - 1) / kQuickBlock * kQuickBlock; }

// At most this many neighbouring colours (those of one cube, below) are searched together.
constexpr int kGroup = 64;
// The threads of least floor measured first from neighbouring colours.
constexpr int kFirstMeasured = 8;
// At most this many threads nearest to the last neighbours are measured before any other.
constexpr int kSeeds = 4;

// Colour space cut into cubes of 2^kCellBits values a side: a colour's key puts the cube first
// (red, green, blue), then the place within it, so the colours of a cube follow each other.
constexpr int kCellBits = 2;
constexpr std::uint32_t kInCell = (1u << kCellBits) - 1;
constexpr std::uint32_t kInCube = (1u << (3 * kCellBits)) - 1;
static_assert(3 * kCellBits <= 6 && kGroup >= (1 << (3 * kCellBits)),
    "the colours of a cube are marked in 64 bits and searched together");

std::uint32_t cellOrder(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    const auto cell = [](std::uint32_t v) { return v >> kCellBits; };
    const auto in = [](std::uint32_t v) { return v & kInCell; };
    return (((cell(r) << (2 * (8 - kCellBits))) | (cell(g) << (8 - kCellBits)) | cell(b)) << (3 * kCellBits))
        | (in(r) << (2 * kCellBits)) | (in(g) << kCellBits) | in(b);
}

std::uint32_t cellOrder(Long colour)
{
    if (colour >= 0 && colour <= 0xFFFFFF)
        return cellOrder(std::uint32_t(colour) & 255, (std::uint32_t(colour) >> 8) & 255, std::uint32_t(colour) >> 16);
    const Components c = split(colour);
    return cellOrder(std::uint32_t(c.r), std::uint32_t(c.g), std::uint32_t(c.b));
}

std::uint32_t cellOf(std::uint32_t key) { return key >> (3 * kCellBits); }

// The 24-bit colour value of a key.
std::uint32_t colourOfKey(std::uint32_t key)
{
    const std::uint32_t cell = cellOf(key), cellMask = (1u << (8 - kCellBits)) - 1;
    const std::uint32_t r = ((cell >> (2 * (8 - kCellBits))) << kCellBits) | ((key >> (2 * kCellBits)) & kInCell);
    const std::uint32_t g = (((cell >> (8 - kCellBits)) & cellMask) << kCellBits) | ((key >> kCellBits) & kInCell);
    const std::uint32_t b = ((cell & cellMask) << kCellBits) | (key & kInCell);
    return std::uint32_t(RGB(int(r), int(g), int(b)));
}

// Runs job(0) .. job(n - 1) at once, job(0) on this thread; a job whose thread cannot be had runs
// here afterwards.
template <class Job> void inParallel(unsigned n, const Job& job)
{
    std::vector<std::thread> threads;
    unsigned started = 1;
    try {
        threads.reserve(n);
        for (; started < n; ++started)
            threads.emplace_back(job, started);
    } catch (const std::exception&) {
        // no more threads to be had
    }
    job(0);
    for (std::thread& t : threads)
        t.join();
    for (unsigned t = started; t < n; ++t)
        job(t);
}
} // namespace

class PerceptualMatcher::Search {
public:
    explicit Search(const PerceptualMatcher& m)
        : m_m(m)
    {
        // the seeds' pairs, then those of the threads within reach, each in whole blocks
        const std::size_t n = m.m_L.size(), room = std::size_t(kGroup) * (n + kSeeds) + 3 * kQuickBlock;
        m_floors.resize(n);
        m_least.resize(n / kQuickBlock);
        m_group.resize(n);
        for (std::vector<float>* v : { &m_groupFloor, &m_groupL, &m_groupA, &m_groupB, &m_groupChroma })
            v->resize(n);
        m_place.resize(room);
        m_close.reserve(n); // no memory is asked for during a search, so none can fail on a helper thread
        m_seeds.reserve(kSeeds);
        for (std::vector<float>* v :
            { &m_pairL, &m_pairA, &m_pairB, &m_threadL, &m_threadA, &m_threadB, &m_threadChroma, &m_quick })
            v->resize(room);
    }

    // Position of the nearest thread to a colour.
    int find(const Lab& lab);
    // Positions of the nearest threads to `count` 24-bit colour values of one cube (at most
    // kGroup).
    void findNeighbours(const std::uint32_t* colours, int count, int* positions);

private:
    // Where a colour's pairs stand in the working rows.
    struct Pairs {
        int first = 0, count = 0;
    };
    int floorsWithin(const QuickBox& box, double reach, int* within);
    // Puts the pair of a colour and the thread at a sorted place in the working rows.
    void putPair(int pair, float L, float a, float b, int place);
    // The quick differences of `pairs` pairs of the working rows from `first` on.
    void measurePairs(int first, int pairs);
    float leastQuick(const Pairs& pairs) const;
    float eitherSide(int pair) const;
    // The nearest of the threads measured for a colour in up to three ranges of the working rows.
    template <class ExactLab>
    int decide(const ExactLab& exactLab, const Pairs& pairs, const Pairs& more, const Pairs& rest);

    const PerceptualMatcher& m_m;
    std::vector<float> m_floors, m_least; // floors of the threads and the least of each block
    // the threads within reach of a group of neighbouring colours
    std::vector<int> m_group;
    std::vector<float> m_groupFloor, m_groupL, m_groupA, m_groupB, m_groupChroma;
    // the working rows: pairs of a colour and a thread (its sorted place), their quick differences
    std::vector<int> m_place;
    std::vector<float> m_pairL, m_pairA, m_pairB, m_threadL, m_threadA, m_threadB, m_threadChroma, m_quick;
    std::vector<int> m_close;
    // the neighbouring colours in single precision and the difference each is sure to be within
    float m_nearL[kGroup], m_nearA[kGroup], m_nearB[kGroup], m_nearReach[kGroup];
    std::vector<int> m_seeds; // the threads nearest to the last group of neighbours
    float m_lastBest = 0; // the difference of the last answer: the next colour is likely near it
};

// The threads whose floor from the box is within reach, as sorted places: only the blocks of
// threads from the whole lightness below the reach to that above it are measured.
int PerceptualMatcher::Search::floorsWithin(const QuickBox& box, double reach, int* within)
{
    const double lightness = std::max(lightnessReach(box.Lmin, reach), lightnessReach(box.Lmax, reach)) + 1e-3;
    const auto startAt = [&](double l) {
        return m_m.m_fromLightness[std::size_t(std::clamp(std::floor(l), 0.0, double(kLightnessSteps)))];
    };
    const int first = startAt(box.Lmin - lightness) / kQuickBlock * kQuickBlock;
    const int end = wholeBlocks(startAt(box.Lmax + lightness + 1.0));
    const int count = int(m_m.m_sortedPosition.size());
    const QuickThreads threads { m_m.m_L.data(), m_m.m_a.data(), m_m.m_b.data(), m_m.m_chroma.data(), m_m.m_hueX.data(),
        m_m.m_hueY.data() };
    quickSquaredFloors(box, threads, first, end, m_floors.data(), m_least.data());
    const float limit = float(reach * reach * 1.0001 + 1e-4);
    int found = 0;
    for (int block = first; block < end; block += kQuickBlock) {
        if (m_least[std::size_t(block / kQuickBlock)] > limit)
            continue;
        for (int k = block; k < std::min(block + kQuickBlock, count); ++k) {
            within[found] = k;
            found += m_floors[std::size_t(k)] <= limit ? 1 : 0;
        }
    }
    return found;
}

inline void PerceptualMatcher::Search::putPair(int pair, float L, float a, float b, int place)
{
    const std::size_t w = std::size_t(pair), k = std::size_t(place);
    m_place[w] = place;
    m_pairL[w] = L;
    m_pairA[w] = a;
    m_pairB[w] = b;
    m_threadL[w] = m_m.m_L[k];
    m_threadA[w] = m_m.m_a[k];
    m_threadB[w] = m_m.m_b[k];
    m_threadChroma[w] = m_m.m_chroma[k];
}

void PerceptualMatcher::Search::measurePairs(int first, int pairs)
{
    if (pairs == 0)
        return;
    // whole blocks: the rows past the pairs hold earlier pairs (or noughts), never looked at
    const int whole = wholeBlocks(pairs);
    const std::size_t at = std::size_t(first);
    quickSquaredDifferences({ m_pairL.data() + at, m_pairA.data() + at, m_pairB.data() + at },
        { m_threadL.data() + at, m_threadA.data() + at, m_threadB.data() + at, m_threadChroma.data() + at, nullptr,
            nullptr },
        whole, m_quick.data() + at);
}

// The quick difference of a pair of the working rows whose hues are almost opposite, with the mean
// hue on whichever side gives the less.
float PerceptualMatcher::Search::eitherSide(int pair) const
{
    const std::size_t k = std::size_t(pair);
    return quickSquaredEitherSide(
        m_pairL[k], m_pairA[k], m_pairB[k], m_threadL[k], m_threadA[k], m_threadB[k], m_threadChroma[k]);
}

// The least quick difference of a colour's pairs that is not a floor; the largest float if none.
inline float PerceptualMatcher::Search::leastQuick(const Pairs& pairs) const
{
    const float* quick = m_quick.data() + pairs.first;
    float best = std::numeric_limits<float>::max();
    for (int k = 0; k < pairs.count; ++k)
        best = std::min(best, isFloor(quick[k]) ? std::numeric_limits<float>::max() : quick[k]);
    return best;
}

// The nearest of the threads measured for a colour: every thread that may be as near as the best
// quick difference is measured exactly (from the colour's CIELAB, worked out only then).
template <class ExactLab>
int PerceptualMatcher::Search::decide(
    const ExactLab& exactLab, const Pairs& pairs, const Pairs& more, const Pairs& rest)
{
    const float best = std::min({ leastQuick(pairs), leastQuick(more), leastQuick(rest) });
    const float near = std::sqrt(best) + 2 * kQuickTolerance;
    const float close = near * near;
    m_close.clear();
    bool floorClose = false;
    for (const Pairs& range : { pairs, more, rest })
        for (int k = range.first; k < range.first + range.count; ++k) {
            const float q = m_quick[std::size_t(k)];
            if (isFloor(q) ? floorOf(q) <= close && eitherSide(k) <= close : q <= close) {
                m_close.push_back(m_place[std::size_t(k)]);
                floorClose = floorClose || isFloor(q);
            }
        }
    int bestK = m_close.front();
    if (m_close.size() > 1 || floorClose) {
        const Lab lab = exactLab();
        double exact = std::numeric_limits<double>::max();
        for (const int k : m_close) {
            const double d = deltaE2000(lab, m_m.m_sortedLab[std::size_t(k)]);
            if (d < exact
                || (d == exact && m_m.m_sortedPosition[std::size_t(k)] < m_m.m_sortedPosition[std::size_t(bestK)])) {
                exact = d;
                bestK = k;
            }
        }
    }
    return m_m.m_sortedPosition[std::size_t(bestK)];
}

int PerceptualMatcher::Search::find(const Lab& lab)
{
    if (m_m.m_sortedPosition.empty())
        return 1;
    const QuickBox box = quickBox(lab);
    // reach: a difference the nearest thread is sure to be within, guessed at first; every thread
    // whose floor is beyond it is left out, the rest are measured
    double reach = std::max(0.5, m_lastBest * 1.2 + 0.5);
    for (;;) {
        const Pairs pairs { 0, floorsWithin(box, reach, m_place.data()) };
        for (int k = 0; k < pairs.count; ++k)
            putPair(k, box.Lmin, box.amin, box.bmin, m_place[std::size_t(k)]);
        measurePairs(0, pairs.count);
        const float best = leastQuick(pairs);
        // the best quick difference is within the tolerance of a true one, so the nearest thread
        // is no farther: when that lies within the reach, every thread left out is farther still
        const double sure = pairs.count == 0            ? 1e30
            : best == std::numeric_limits<float>::max() ? deltaE2000(lab, m_m.m_sortedLab[std::size_t(m_place[0])])
                                                        : std::sqrt(double(best)) + kQuickTolerance;
        if (sure <= reach) {
            m_lastBest = float(sure);
            return decide([&] { return lab; }, pairs, Pairs(), Pairs());
        }
        reach = pairs.count == 0 ? reach * 2 + 1 : sure;
    }
}

void PerceptualMatcher::Search::findNeighbours(const std::uint32_t* colours, int count, int* positions)
{
    if (m_m.m_sortedPosition.empty()) {
        std::fill(positions, positions + count, 1);
        return;
    }
    quickLabs(colours, count, m_nearL, m_nearA, m_nearB);
    // the threads nearest to the last group are likely near these colours too: measured first,
    // they bound each colour's nearest difference, and their pairs stay in the first rows
    if (m_seeds.empty())
        m_seeds.push_back(m_m.m_sortedPlace[std::size_t(find(labFromColour(Long(colours[0]))))]);
    const int seeds = int(m_seeds.size());
    Pairs seedPairs[kGroup], firstPairs[kGroup], morePairs[kGroup];
    for (int i = 0; i < count; ++i) {
        seedPairs[i] = { i * seeds, seeds };
        for (int k = 0; k < seeds; ++k)
            putPair(i * seeds + k, m_nearL[i], m_nearA[i], m_nearB[i], m_seeds[std::size_t(k)]);
    }
    measurePairs(0, count * seeds);
    double reach = 0;
    for (int i = 0; i < count; ++i) {
        const float best = leastQuick(seedPairs[i]);
        m_nearReach[i] = best == std::numeric_limits<float>::max() ? -1.0f : std::sqrt(best) + kQuickTolerance;
        reach = std::max(reach, double(m_nearReach[i]));
    }
    const QuickBox box = quickBox(m_nearL, m_nearA, m_nearB, count);
    // every other thread that may lie within reach of some colour, measured from each colour:
    // first those of least floor, whose differences bound each colour's nearest one more closely,
    // then those of the rest within that closer reach
    int found = floorsWithin(box, reach, m_group.data());
    for (const int seed : m_seeds) {
        const auto at = std::find(m_group.begin(), m_group.begin() + found, seed);
        if (at != m_group.begin() + found)
            *at = m_group[std::size_t(--found)];
    }
    int first = found;
    if (found > kFirstMeasured) {
        // the least floors kept in order as the list is passed: most are above the last kept
        float least[kFirstMeasured];
        int kept = 0;
        for (int j = 0; j < found; ++j) {
            const float f = m_floors[std::size_t(m_group[std::size_t(j)])];
            if (kept == kFirstMeasured && f >= least[kFirstMeasured - 1])
                continue;
            int at = kept < kFirstMeasured ? kept++ : kFirstMeasured - 1;
            for (; at > 0 && least[at - 1] > f; --at)
                least[at] = least[at - 1];
            least[at] = f;
        }
        const float most = least[kFirstMeasured - 1];
        first = 0;
        for (int j = 0; j < found; ++j)
            if (m_floors[std::size_t(m_group[std::size_t(j)])] <= most && first < kFirstMeasured)
                std::swap(m_group[std::size_t(first++)], m_group[std::size_t(j)]);
    }
    for (int i = 0; i < found; ++i) {
        const std::size_t k = std::size_t(m_group[std::size_t(i)]), w = std::size_t(i);
        m_groupFloor[w] = m_floors[k];
        m_groupL[w] = m_m.m_L[k];
        m_groupA[w] = m_m.m_a[k];
        m_groupB[w] = m_m.m_b[k];
        m_groupChroma[w] = m_m.m_chroma[k];
    }
    int pairs = wholeBlocks(count * seeds);
    const auto pairUp = [&](int i, int from, int to, Pairs& range) {
        range = { pairs, to - from };
        const auto at = std::ptrdiff_t(pairs);
        std::copy(m_group.begin() + from, m_group.begin() + to, m_place.begin() + at);
        std::copy(m_groupL.begin() + from, m_groupL.begin() + to, m_threadL.begin() + at);
        std::copy(m_groupA.begin() + from, m_groupA.begin() + to, m_threadA.begin() + at);
        std::copy(m_groupB.begin() + from, m_groupB.begin() + to, m_threadB.begin() + at);
        std::copy(m_groupChroma.begin() + from, m_groupChroma.begin() + to, m_threadChroma.begin() + at);
        std::fill_n(m_pairL.begin() + at, to - from, m_nearL[i]);
        std::fill_n(m_pairA.begin() + at, to - from, m_nearA[i]);
        std::fill_n(m_pairB.begin() + at, to - from, m_nearB[i]);
        pairs += to - from;
    };
    const int firstStart = pairs;
    for (int i = 0; i < count; ++i)
        if (m_nearReach[i] >= 0)
            pairUp(i, 0, first, firstPairs[i]);
    measurePairs(firstStart, pairs - firstStart);
    double closer = 0;
    for (int i = 0; i < count; ++i)
        if (m_nearReach[i] >= 0) {
            const float best = leastQuick(firstPairs[i]);
            closer = std::max(closer,
                best == std::numeric_limits<float>::max()
                    ? double(m_nearReach[i])
                    : std::min(double(m_nearReach[i]), std::sqrt(double(best)) + kQuickTolerance));
        }
    // the rest within the closer reach, to the end of the list
    const float limit = float(closer * closer * 1.0001 + 1e-4);
    int rest = first;
    for (int j = first; j < found; ++j)
        if (m_groupFloor[std::size_t(j)] <= limit) {
            std::swap(m_group[std::size_t(rest)], m_group[std::size_t(j)]);
            std::swap(m_groupL[std::size_t(rest)], m_groupL[std::size_t(j)]);
            std::swap(m_groupA[std::size_t(rest)], m_groupA[std::size_t(j)]);
            std::swap(m_groupB[std::size_t(rest)], m_groupB[std::size_t(j)]);
            std::swap(m_groupChroma[std::size_t(rest)], m_groupChroma[std::size_t(j)]);
            std::swap(m_groupFloor[std::size_t(rest)], m_groupFloor[std::size_t(j)]);
            ++rest;
        }
    const int secondStart = wholeBlocks(pairs);
    pairs = secondStart;
    for (int i = 0; i < count; ++i)
        if (m_nearReach[i] >= 0)
            pairUp(i, first, rest, morePairs[i]);
    measurePairs(secondStart, pairs - secondStart);
    m_seeds.clear();
    for (int i = 0; i < count; ++i) {
        if (m_nearReach[i] < 0)
            continue;
        positions[i]
            = decide([&] { return labFromColour(Long(colours[i])); }, seedPairs[i], firstPairs[i], morePairs[i]);
        const int place = m_m.m_sortedPlace[std::size_t(positions[i])];
        if (m_seeds.size() < std::size_t(kSeeds) && std::find(m_seeds.begin(), m_seeds.end(), place) == m_seeds.end())
            m_seeds.push_back(place);
    }
    // a colour no seed could be measured from (hues almost opposite) is searched alone, once the
    // working rows are free
    for (int i = 0; i < count; ++i)
        if (m_nearReach[i] < 0)
            positions[i] = find(labFromColour(Long(colours[i])));
}

PerceptualMatcher::PerceptualMatcher(const std::vector<color_dmc>& catalogue, int count)
    : m_count(usableCount(catalogue, count))
{
    const int kept = std::max(m_count, 1);
    m_entries.resize(std::size_t(kept) + 1);
    m_colourAt.resize(std::size_t(kept) + 1);
    std::vector<Lab> labAt(std::size_t(kept) + 1);
    for (int i = 1; i <= kept; ++i) {
        const color_dmc& e = entryAt(catalogue, i);
        m_entries[std::size_t(i)] = e;
        m_colourAt[std::size_t(i)] = RGB(e.rojo, e.verde, e.azul);
        labAt[std::size_t(i)] = labFromColour(m_colourAt[std::size_t(i)]);
        if (i <= m_count)
            m_sortedPosition.push_back(i);
    }
    std::stable_sort(m_sortedPosition.begin(), m_sortedPosition.end(),
        [&labAt](int x, int y) { return labAt[std::size_t(x)].L < labAt[std::size_t(y)].L; });
    for (const int i : m_sortedPosition) {
        const Lab& lab = labAt[std::size_t(i)];
        m_sortedLab.push_back(lab);
        m_L.push_back(float(lab.L));
        m_a.push_back(float(lab.a));
        m_b.push_back(float(lab.b));
        const double chroma = std::sqrt(lab.a * lab.a + lab.b * lab.b);
        m_chroma.push_back(float(chroma));
        m_hueX.push_back(chroma > 0 ? float(lab.a / chroma) : 0.0f);
        m_hueY.push_back(chroma > 0 ? float(lab.b / chroma) : 0.0f);
    }
    m_sortedPlace.assign(std::size_t(kept) + 1, 0);
    for (std::size_t k = 0; k < m_sortedPosition.size(); ++k)
        m_sortedPlace[std::size_t(m_sortedPosition[k])] = int(k);
    for (int l = 0; l <= kLightnessSteps; ++l)
        m_fromLightness.push_back(int(std::lower_bound(m_L.begin(), m_L.end(), float(l)) - m_L.begin()));
    // whole blocks for the quick differences: the last thread again, never looked at
    for (std::vector<float>* v : { &m_L, &m_a, &m_b, &m_chroma, &m_hueX, &m_hueY })
        v->resize(std::size_t(wholeBlocks(int(v->size()))), v->empty() ? 0.0f : v->back());
    m_search = std::make_unique<Search>(*this);
}

PerceptualMatcher::~PerceptualMatcher() = default;

bool PerceptualMatcher::holds(const std::vector<color_dmc>& catalogue, int count) const
{
    return sameEntries(m_entries, m_count, catalogue, count);
}

int PerceptualMatcher::nearest(const Lab& lab)
{
    const FlushSubnormals flush;
    return m_search->find(lab);
}

std::uint16_t* PerceptualMatcher::answers()
{
    if (m_answers.size() == 0) {
        m_answers = FreshArray<std::uint16_t>(std::size_t(1) << 24);
        m_cubeAnswered.assign(std::size_t(1) << (24 - 3 * kCellBits), 0);
    }
    return m_answers.data();
}

int PerceptualMatcher::nearest(Long colour)
{
    const std::uint32_t key = cellOrder(colour);
    std::uint16_t* known = answers();
    std::uint8_t& answered = m_cubeAnswered[cellOf(key)];
    if (!answered || known[key] == 0) {
        known[key] = std::uint16_t(nearest(labFromColour(colour)));
        answered = 1;
    }
    return known[key];
}

std::vector<Long> PerceptualMatcher::nearestColours(const std::vector<Long>& colours)
{
    std::uint16_t* known = answers();
    const std::size_t n = colours.size();
    const unsigned cores = n < 65536 ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    const std::size_t share = (n + cores - 1) / cores;
    constexpr std::size_t kCubes = std::size_t(1) << (24 - 3 * kCellBits);
    // each stitch's key, and the colours present in each cube, one set of marks per thread
    std::vector<std::uint32_t> keys(n);
    std::vector<FreshArray<std::uint64_t>> present;
    for (unsigned t = 0; t < cores; ++t)
        present.emplace_back(kCubes);
    inParallel(cores, [&](unsigned t) {
        // written before read, though fresh: a page first read maps the page of noughts, and
        // writing it then has every processor told
        std::uint64_t* marks = present[t].data();
        std::memset(marks, 0, kCubes * sizeof(std::uint64_t));
        for (std::size_t i = t * share; i < std::min(n, (t + 1) * share); ++i) {
            const std::uint32_t key = cellOrder(colours[i]);
            keys[i] = key;
            marks[cellOf(key)] |= std::uint64_t(1) << (key & kInCube);
        }
    });
    // the cubes in turn, runs of them to each thread: the colours of a cube never asked are
    // worked out together (neighbours look alike, and the next cube's start close to this
    // one's answers) and remembered
    constexpr std::size_t kRun = 2048;
    std::atomic<std::size_t> nextRun { 0 };
    const auto work = [&](Search& search) {
        const FlushSubnormals flush;
        std::uint32_t cubeColours[kGroup], cubeKeys[kGroup];
        int found[kGroup];
        for (std::size_t run = nextRun++ * kRun; run < kCubes; run = nextRun++ * kRun)
            for (std::size_t cube = run; cube < run + kRun; ++cube) {
                std::uint64_t marks = 0;
                for (const auto& m : present)
                    marks |= m[cube];
                const bool answered = m_cubeAnswered[cube] != 0;
                int count = 0;
                for (; marks != 0; marks &= marks - 1) {
                    const std::uint32_t key
                        = std::uint32_t(cube << (3 * kCellBits)) | std::uint32_t(__builtin_ctzll(marks));
                    if (!answered || known[key] == 0) {
                        cubeKeys[count] = key;
                        cubeColours[count++] = colourOfKey(key);
                    }
                }
                if (count == 0)
                    continue;
                search.findNeighbours(cubeColours, count, found);
                for (int k = 0; k < count; ++k)
                    known[cubeKeys[k]] = std::uint16_t(found[k]);
                m_cubeAnswered[cube] = 1;
            }
    };
    inParallel(cores, [&](unsigned t) {
        if (t == 0) {
            work(*m_search);
            return;
        }
        std::unique_ptr<Search> search;
        try {
            search = std::make_unique<Search>(*this);
        } catch (const std::bad_alloc&) {
            return; // the other threads take this one's share
        }
        work(*search);
    });
    std::vector<Long> out(n);
    inParallel(cores, [&](unsigned t) {
        for (std::size_t i = t * share; i < std::min(n, (t + 1) * share); ++i)
            out[i] = m_colourAt[std::size_t(known[keys[i]])];
    });
    return out;
}

namespace {
std::unique_ptr<PerceptualMatcher> perceptualMatcher;
}

PerceptualMatcher& cachedPerceptualMatcher(const std::vector<color_dmc>& catalogue, int count)
{
    return keptMatcher(perceptualMatcher, catalogue, count);
}

void forgetCachedPerceptualMatcher() { perceptualMatcher.reset(); }
