#include "colour/faithful.h"

#include "colour/colour_value.h"
#include "colour/delta_e.h"
#include "colour/delta_e_quick.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_set>

namespace {
// The pixels of one picture axis a stitch covers: the first pixel and each pixel's share.
struct Span {
    int first = 0;
    std::vector<double> share;
};

// The span of the stretch from..to (picture pixels, fractional) within 0..size.
Span spanOf(double from, double to, int size)
{
    Span s;
    from = std::max(from, 0.0);
    to = std::min(to, double(size));
    if (!(to > from))
        return s;
    s.first = int(std::floor(from));
    const int last = std::min(size - 1, int(std::ceil(to)) - 1);
    for (int p = s.first; p <= last; ++p)
        s.share.push_back(std::min(double(p + 1), to) - std::max(double(p), from));
    return s;
}

// Picture pixel coordinate (fractional) of a box coordinate, as Surface::toPixelX maps the
// picture's scale, without cutting to a whole pixel.
double pictureX(const Surface& picture, const Surface& box, double x)
{
    const double inPicture = x * picture.ScaleWidth() / box.ScaleWidth();
    const double f = picture.ScaleWidth() == 0 ? 1.0 : picture.pixelWidth() / picture.ScaleWidth();
    return (inPicture - picture.ScaleLeft()) * f;
}
double pictureY(const Surface& picture, const Surface& box, double y)
{
    const double inPicture = y * picture.ScaleHeight() / box.ScaleHeight();
    const double f = picture.ScaleHeight() == 0 ? 1.0 : picture.pixelHeight() / picture.ScaleHeight();
    return (inPicture - picture.ScaleTop()) * f;
}

Long roundedColour(double r, double g, double b, double weight)
{
    const auto c = [weight](double v) { return std::clamp(int(std::lround(v / weight)), 0, 255); };
    return RGB(c(r), c(g), c(b));
}
} // namespace

StitchPixels stitchAreaMeans(const Surface& picture, const Surface& box, int s)
{
    StitchPixels out = stitchGrid(box, s);
    if (out.columns == 0)
        return out;
    const int width = picture.pixelWidth(), height = picture.pixelHeight();
    std::vector<Span> columns;
    for (int i = 0; i < out.columns; ++i)
        columns.push_back(
            spanOf(pictureX(picture, box, double(i * s)), pictureX(picture, box, double((i + 1) * s)), width));
    // each stitch row: the weighted sums of its picture rows, column by column, then the means
    std::vector<double> sums(std::size_t(out.columns) * 4);
    out.colours.reserve(std::size_t(out.columns) * std::size_t(out.rows));
    for (int j = 0; j < out.rows; ++j) {
        const Span rows
            = spanOf(pictureY(picture, box, double(j * s)), pictureY(picture, box, double((j + 1) * s)), height);
        std::fill(sums.begin(), sums.end(), 0.0);
        for (std::size_t k = 0; k < rows.share.size(); ++k) {
            const QRgb* line = picture.scanLine(rows.first + int(k));
            const double wy = rows.share[k];
            for (int i = 0; i < out.columns; ++i) {
                const Span& c = columns[std::size_t(i)];
                double r = 0, g = 0, b = 0, w = 0;
                for (std::size_t m = 0; m < c.share.size(); ++m) {
                    const QRgb p = line[c.first + int(m)];
                    const double wx = c.share[m];
                    r += wx * qRed(p);
                    g += wx * qGreen(p);
                    b += wx * qBlue(p);
                    w += wx;
                }
                double* sum = &sums[std::size_t(i) * 4];
                sum[0] += wy * r;
                sum[1] += wy * g;
                sum[2] += wy * b;
                sum[3] += wy * w;
            }
        }
        for (int i = 0; i < out.columns; ++i) {
            const double* sum = &sums[std::size_t(i) * 4];
            out.colours.push_back(sum[3] > 0 ? roundedColour(sum[0], sum[1], sum[2], sum[3]) : RGB(255, 255, 255));
        }
    }
    return out;
}

namespace {
// So many distinct colours at most are weighed when the threads are chosen; more are binned.
constexpr std::size_t kMostBins = 4096;
// Swap rounds over every thread at most, and a swap must gain at least this share of the sum.
constexpr int kSwapRounds = 3;
constexpr double kLeastGain = 1e-6;
// The difference given to a thread a colour may not take.
constexpr float kBarred = 1e4f;

struct Bin {
    Long colour = 0;
    double weight = 0;
};

std::uint32_t plainColour(Long c) { return std::uint32_t(c < 0 ? RGB(255, 255, 255) : c) & 0xFFFFFFu; }

// The distinct colours (24-bit values, ascending) with their stitches.
std::vector<Bin> distinctColours(const std::vector<Long>& colours)
{
    std::vector<std::uint32_t> sorted;
    sorted.reserve(colours.size());
    for (Long c : colours)
        sorted.push_back(plainColour(c));
    std::sort(sorted.begin(), sorted.end());
    std::vector<Bin> distinct;
    for (std::size_t k = 0; k < sorted.size();) {
        std::size_t e = k;
        while (e < sorted.size() && sorted[e] == sorted[k])
            ++e;
        distinct.push_back({ Long(sorted[k]), double(e - k) });
        k = e;
    }
    return distinct;
}

// The distinct colours, or when they are more than kMostBins, colours binned by dropping the
// fewest low bits of each component that leaves no more bins (a bin stands at its members' mean);
// thread colours are kept exact.
std::vector<Bin> colourBins(const std::vector<Bin>& distinct, const std::unordered_set<std::uint32_t>& threadColours)
{
    if (distinct.size() <= kMostBins)
        return distinct;
    const auto keyOf = [](std::uint32_t c, int drop) {
        const std::uint32_t bits = 8u - std::uint32_t(drop), mask = (1u << bits) - 1;
        return ((c >> drop) & mask) | ((c >> (8 + drop)) & mask) << bits | ((c >> (16 + drop)) & mask) << (2 * bits);
    };
    std::vector<bool> isThread(distinct.size());
    std::size_t threadsMet = 0;
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        isThread[k] = threadColours.count(std::uint32_t(distinct[k].colour)) > 0;
        threadsMet += isThread[k];
    }
    int drop = 1;
    for (; drop < 8; ++drop) {
        std::vector<std::uint8_t> seen(std::size_t(1) << (3 * (8 - drop)), 0);
        std::size_t bins = threadsMet;
        for (std::size_t k = 0; k < distinct.size() && bins <= kMostBins; ++k) {
            std::uint8_t& s = seen[keyOf(std::uint32_t(distinct[k].colour), drop)];
            bins += s == 0 && !isThread[k];
            s = 1;
        }
        if (bins <= kMostBins)
            break;
    }
    struct Sum {
        double r = 0, g = 0, b = 0, w = 0;
    };
    std::vector<Sum> sums(std::size_t(1) << (3 * (8 - drop)));
    std::vector<Bin> out;
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        const Bin& d = distinct[k];
        if (isThread[k]) {
            out.push_back(d);
            continue;
        }
        const Components p = split(d.colour);
        Sum& s = sums[keyOf(std::uint32_t(d.colour), drop)];
        s.r += d.weight * p.r;
        s.g += d.weight * p.g;
        s.b += d.weight * p.b;
        s.w += d.weight;
    }
    for (const Sum& s : sums)
        if (s.w > 0)
            out.push_back({ roundedColour(s.r, s.g, s.b, s.w), s.w });
    return out;
}

struct Candidates {
    std::vector<Long> colour;
    std::vector<Lab> lab;
    std::vector<int> position;
    std::vector<float> L, a, b, chroma, hueX, hueY; // padded to whole blocks
};

// The colours given, each once (the first of equal colours), with their places in the list.
Candidates candidatesOf(const std::vector<Long>& colours)
{
    Candidates c;
    std::unordered_set<Long> seen;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const Long colour = colours[i];
        if (!seen.insert(colour).second)
            continue;
        const Lab lab = labFromColour(colour);
        const double chroma = std::hypot(lab.a, lab.b);
        c.colour.push_back(colour);
        c.lab.push_back(lab);
        c.position.push_back(int(i));
        c.L.push_back(float(lab.L));
        c.a.push_back(float(lab.a));
        c.b.push_back(float(lab.b));
        c.chroma.push_back(float(chroma));
        c.hueX.push_back(chroma > 0 ? float(lab.a / chroma) : 0.0f);
        c.hueY.push_back(chroma > 0 ? float(lab.b / chroma) : 0.0f);
    }
    const std::size_t whole = (c.colour.size() + kQuickBlock - 1) / kQuickBlock * kQuickBlock;
    for (std::vector<float>* v : { &c.L, &c.a, &c.b, &c.chroma, &c.hueX, &c.hueY })
        v->resize(whole, v->empty() ? 0.0f : v->back());
    return c;
}

// Every thread of positions 1..num once (the first of equal colours).
Candidates candidatesOf(const std::vector<color_dmc>& catalogue, int num)
{
    std::vector<Long> colours;
    for (int i = 1; i <= num && i < int(catalogue.size()); ++i) {
        const color_dmc& e = catalogue[std::size_t(i)];
        colours.push_back(RGB(e.rojo, e.verde, e.azul));
    }
    return candidatesOf(colours);
}

// The quick squared differences from one colour to every candidate, into `quick`.
class QuickRow {
public:
    explicit QuickRow(const Candidates& c)
        : m_c(c)
        , m_L(c.L.size())
        , m_a(c.L.size())
        , m_b(c.L.size())
        , quick(c.L.size())
    {
    }
    void measure(const Lab& lab)
    {
        std::fill(m_L.begin(), m_L.end(), float(lab.L));
        std::fill(m_a.begin(), m_a.end(), float(lab.a));
        std::fill(m_b.begin(), m_b.end(), float(lab.b));
        const QuickThreads threads { m_c.L.data(), m_c.a.data(), m_c.b.data(), m_c.chroma.data(), m_c.hueX.data(),
            m_c.hueY.data() };
        quickSquaredDifferences({ m_L.data(), m_a.data(), m_b.data() }, threads, int(quick.size()), quick.data());
    }

private:
    const Candidates& m_c;
    std::vector<float> m_L, m_a, m_b;

public:
    std::vector<float> quick; // below nought: a floor, -(floor + 1)
};

// ΔE2000 from every bin to every candidate, row by row (rows of `stride` figures); a neutral bin
// is barred from threads with chroma when the catalogue has neutral threads.
std::vector<float> differences(const std::vector<Bin>& bins, const Candidates& c, std::size_t stride)
{
    const FlushSubnormals flush;
    const std::size_t n = c.colour.size();
    bool neutralThreads = false;
    for (std::size_t t = 0; t < n; ++t)
        neutralThreads = neutralThreads || c.chroma[t] < kNeutralThreadChroma;
    std::vector<float> d(bins.size() * stride);
    QuickRow quick(c);
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const Lab lab = labFromColour(bins[k].colour);
        quick.measure(lab);
        const bool neutral = neutralThreads && std::hypot(lab.a, lab.b) <= kNeutralChroma;
        float* row = &d[k * stride];
        for (std::size_t t = 0; t < n; ++t) {
            const float q = quick.quick[t];
            if (neutral && c.chroma[t] >= kNeutralThreadChroma)
                row[t] = kBarred;
            else
                row[t] = q < 0 ? float(deltaE2000(lab, c.lab[t])) : std::sqrt(q);
        }
    }
    return d;
}

// The threads chosen and, for each bin, its nearest and second nearest chosen thread.
class Choice {
public:
    Choice(const std::vector<Bin>& bins, const std::vector<float>& d, std::size_t stride, std::size_t candidates)
        : m_bins(bins)
        , m_d(d)
        , m_stride(stride)
        , m_chosen(candidates, false)
        , m_first(bins.size())
        , m_second(bins.size())
    {
    }
    float at(std::size_t bin, int t) const { return m_d[bin * m_stride + std::size_t(t)]; }
    bool chosen(int t) const { return m_chosen[std::size_t(t)]; }
    const std::vector<int>& list() const { return m_list; }

    void choose(int t)
    {
        m_chosen[std::size_t(t)] = true;
        m_list.push_back(t);
    }
    // Every bin's nearest two chosen threads found afresh.
    void findAll()
    {
        for (std::size_t k = 0; k < m_bins.size(); ++k)
            find(k);
    }
    // The cost of each chosen thread's leaving: its bins moved to their second nearest.
    std::vector<double> leavingCosts() const
    {
        std::vector<double> cost(m_chosen.size(), 0.0);
        for (std::size_t k = 0; k < m_bins.size(); ++k)
            cost[std::size_t(m_first[k])] += m_bins[k].weight * (second(k) - first(k));
        return cost;
    }
    void drop(int t)
    {
        m_chosen[std::size_t(t)] = false;
        m_list.erase(std::find(m_list.begin(), m_list.end(), t));
        for (std::size_t k = 0; k < m_bins.size(); ++k)
            if (m_first[k] == t || m_second[k] == t)
                find(k);
    }
    // The best swap bringing thread h in: the thread to leave and the change of the sum.
    std::pair<int, double> bestSwap(int h, std::vector<double>& change) const
    {
        std::fill(change.begin(), change.end(), 0.0);
        double shared = 0;
        for (std::size_t k = 0; k < m_bins.size(); ++k) {
            const double dh = at(k, h), d1 = first(k), w = m_bins[k].weight;
            if (dh < d1)
                shared += w * (dh - d1);
            else
                change[std::size_t(m_first[k])] += w * (std::min(dh, double(second(k))) - d1);
        }
        int best = -1;
        double bestChange = 0;
        for (int m : m_list)
            if (best < 0 || change[std::size_t(m)] < bestChange) {
                best = m;
                bestChange = change[std::size_t(m)];
            }
        return { best, shared + bestChange };
    }
    void swap(int out, int in)
    {
        m_chosen[std::size_t(out)] = false;
        *std::find(m_list.begin(), m_list.end(), out) = in;
        m_chosen[std::size_t(in)] = true;
        for (std::size_t k = 0; k < m_bins.size(); ++k) {
            if (m_first[k] == out || m_second[k] == out) {
                find(k);
                continue;
            }
            const float dh = at(k, in);
            if (dh < first(k)) {
                m_second[k] = m_first[k];
                m_first[k] = in;
            } else if (dh < second(k)) {
                m_second[k] = in;
            }
        }
    }
    double total() const
    {
        double sum = 0;
        for (std::size_t k = 0; k < m_bins.size(); ++k)
            sum += m_bins[k].weight * first(k);
        return sum;
    }

private:
    float first(std::size_t k) const { return at(k, m_first[k]); }
    // with one thread chosen, leaving it costs as much as staying
    float second(std::size_t k) const { return m_second[k] < 0 ? first(k) : at(k, m_second[k]); }
    void find(std::size_t k)
    {
        int f = -1, s = -1;
        for (int t : m_list) {
            if (f < 0 || at(k, t) < at(k, f)) {
                s = f;
                f = t;
            } else if (s < 0 || at(k, t) < at(k, s)) {
                s = t;
            }
        }
        m_first[k] = f;
        m_second[k] = s;
    }

    const std::vector<Bin>& m_bins;
    const std::vector<float>& m_d;
    std::size_t m_stride;
    std::vector<bool> m_chosen;
    std::vector<int> m_list;
    std::vector<int> m_first, m_second;
};
} // namespace

std::vector<Long> faithfulThreads(
    const std::vector<Long>& colours, const std::vector<color_dmc>& catalogue, int num, int count)
{
    const Candidates c = candidatesOf(catalogue, num);
    const int n = int(c.colour.size());
    if (n == 0 || colours.empty() || count < 1)
        return {};
    const std::unordered_set<std::uint32_t> threadColours(c.colour.begin(), c.colour.end());
    const std::vector<Bin> bins = colourBins(distinctColours(colours), threadColours);
    const std::size_t stride = c.L.size();
    const std::vector<float> d = differences(bins, c, stride);
    Choice choice(bins, d, stride, std::size_t(n));
    // every bin's nearest thread: the sum no choice can pass
    std::vector<bool> nearest(std::size_t(n), false);
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const float* row = &d[k * stride];
        nearest[std::size_t(std::min_element(row, row + n) - row)] = true;
    }
    for (int t = 0; t < n; ++t)
        if (nearest[std::size_t(t)])
            choice.choose(t);
    choice.findAll();
    if (int(choice.list().size()) > count) {
        // the thread whose bins lose least by moving leaves, one at a time
        while (int(choice.list().size()) > count) {
            const std::vector<double> cost = choice.leavingCosts();
            int cheapest = -1;
            for (int t : choice.list())
                if (cheapest < 0 || cost[std::size_t(t)] < cost[std::size_t(cheapest)])
                    cheapest = t;
            choice.drop(cheapest);
        }
        // then a thread not chosen takes the place of one chosen while that lowers the sum
        std::vector<double> change(static_cast<std::size_t>(n));
        for (int round = 0; round < kSwapRounds; ++round) {
            bool swapped = false;
            const double least = kLeastGain * choice.total();
            for (int h = 0; h < n; ++h) {
                if (choice.chosen(h))
                    continue;
                const auto [out, gain] = choice.bestSwap(h, change);
                if (out >= 0 && gain < -least) {
                    choice.swap(out, h);
                    swapped = true;
                }
            }
            if (!swapped)
                break;
        }
    }
    std::vector<int> kept = choice.list();
    std::sort(kept.begin(), kept.end(),
        [&c](int x, int y) { return c.position[std::size_t(x)] < c.position[std::size_t(y)]; });
    std::vector<Long> out;
    for (int t : kept)
        out.push_back(c.colour[std::size_t(t)]);
    return out;
}

std::vector<Long> nearestThreads(const std::vector<Long>& colours, const std::vector<Long>& threads)
{
    const Candidates c = candidatesOf(threads);
    const std::size_t n = c.colour.size();
    if (n == 0)
        return std::vector<Long>(colours.size(), 0);
    const FlushSubnormals flush;
    const std::vector<Bin> distinct = distinctColours(colours);
    std::vector<Long> answer(distinct.size());
    QuickRow quick(c);
    std::vector<float> reach(n);
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        const Lab lab = labFromColour(distinct[k].colour);
        quick.measure(lab);
        // the quick differences within the tolerance of the least are decided exactly
        float least = std::numeric_limits<float>::max();
        for (std::size_t t = 0; t < n; ++t) {
            const float q = quick.quick[t];
            reach[t] = q < 0 ? -q - 1.0f : q;
            if (q >= 0)
                least = std::min(least, q);
        }
        const float near = least == std::numeric_limits<float>::max()
            ? least
            : (std::sqrt(least) + 2 * kQuickTolerance) * (std::sqrt(least) + 2 * kQuickTolerance);
        double best = std::numeric_limits<double>::max();
        std::size_t bestAt = 0;
        for (std::size_t t = 0; t < n; ++t) {
            if (reach[t] > near)
                continue;
            const double e = deltaE2000(lab, c.lab[t]);
            if (e < best) {
                best = e;
                bestAt = t;
            }
        }
        answer[k] = c.colour[bestAt];
    }
    std::vector<Long> out;
    out.reserve(colours.size());
    for (Long colour : colours) {
        const Long key = Long(plainColour(colour));
        const auto at = std::lower_bound(
            distinct.begin(), distinct.end(), key, [](const Bin& b, Long v) { return b.colour < v; });
        out.push_back(answer[std::size_t(at - distinct.begin())]);
    }
    return out;
}
