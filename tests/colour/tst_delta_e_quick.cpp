// The quick differences the perceptual search measures many threads with: within their tolerance
// of ΔE2000, and their floors never above it, for one colour and for a cube of neighbours.
#include "colour/catalogue.h"
#include "colour/delta_e_quick.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <random>

namespace {
// The full catalogue in the arrays the quick differences read, in whole blocks.
struct Threads {
    std::vector<Lab> lab;
    std::vector<float> L, a, b, chroma, hueX, hueY;
    int count = 0;
    QuickThreads view() const { return { L.data(), a.data(), b.data(), chroma.data(), hueX.data(), hueY.data() }; }
};

Threads fullCatalogue()
{
    std::vector<color_dmc> cat(kCatalogueSize);
    const CatalogueRead read = readCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), cat, kFullCatalogue);
    Threads t;
    t.count = read.count;
    for (int i = 1; i <= read.count; ++i) {
        const Lab x = labFromColour(RGB(cat[std::size_t(i)].rojo, cat[std::size_t(i)].verde, cat[std::size_t(i)].azul));
        const float c = float(std::sqrt(x.a * x.a + x.b * x.b));
        t.lab.push_back(x);
        t.L.push_back(float(x.L));
        t.a.push_back(float(x.a));
        t.b.push_back(float(x.b));
        t.chroma.push_back(c);
        t.hueX.push_back(c > 0 ? float(x.a) / c : 0.0f);
        t.hueY.push_back(c > 0 ? float(x.b) / c : 0.0f);
    }
    const std::size_t whole = std::size_t(t.count + kQuickBlock - 1) / kQuickBlock * kQuickBlock;
    for (std::vector<float>* v : { &t.L, &t.a, &t.b, &t.chroma, &t.hueX, &t.hueY })
        v->resize(whole, v->back());
    return t;
}
} // namespace

class TestDeltaEQuick : public QObject {
    Q_OBJECT
private slots:
    void quickDifferencesWithinTolerance();
    void floorsNeverAboveTheDifference();
};

// Every thread of the full catalogue from colours all over the cube, greys among them: the quick
// difference within the tolerance (or, hues almost opposite, a floor under the difference and the
// lesser of the differences with the mean hue on either side no farther above it), and
// the colours' CIELAB worked out alongside within a ten-thousandth.
void TestDeltaEQuick::quickDifferencesWithinTolerance()
{
    const Threads t = fullCatalogue();
    const int whole = int(t.L.size());
    std::mt19937 random(11);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    std::vector<std::uint32_t> colours(1500);
    for (std::size_t k = 0; k < colours.size(); ++k)
        colours[k] = k < 256 ? std::uint32_t(RGB(int(k), int(k), int(k))) : colour(random);
    std::vector<float> L(colours.size()), a(colours.size()), b(colours.size());
    quickLabs(colours.data(), int(colours.size()), L.data(), a.data(), b.data());
    const std::size_t lanes = std::size_t(whole);
    std::vector<float> pairL(lanes), pairA(lanes), pairB(lanes), out(lanes);
    double worst = 0;
    int floors = 0;
    for (std::size_t k = 0; k < colours.size(); ++k) {
        const Lab exact = labFromColour(Long(colours[k]));
        QVERIFY(std::abs(exact.L - L[k]) < 1e-4 && std::abs(exact.a - a[k]) < 1e-3 && std::abs(exact.b - b[k]) < 1e-3);
        std::fill(pairL.begin(), pairL.end(), L[k]);
        std::fill(pairA.begin(), pairA.end(), a[k]);
        std::fill(pairB.begin(), pairB.end(), b[k]);
        quickSquaredDifferences({ pairL.data(), pairA.data(), pairB.data() }, t.view(), whole, out.data());
        for (int j = 0; j < t.count; ++j) {
            const double d = deltaE2000(exact, t.lab[std::size_t(j)]);
            const float q = out[std::size_t(j)];
            if (q < 0) {
                ++floors;
                const float either = quickSquaredEitherSide(L[k], a[k], b[k], t.L[std::size_t(j)], t.a[std::size_t(j)],
                    t.b[std::size_t(j)], t.chroma[std::size_t(j)]);
                QVERIFY2(std::sqrt(-q - 1.0) <= d + kQuickTolerance && std::sqrt(double(either)) <= d + kQuickTolerance,
                    qPrintable(QString::number(colours[k], 16)));
            } else {
                worst = std::max(worst, std::abs(std::sqrt(double(q)) - d));
            }
        }
    }
    QVERIFY2(worst <= kQuickTolerance / 10, qPrintable(QString::number(worst)));
    QVERIFY(floors > 0); // hues almost opposite were met
}

// A floor from one colour, and from the box round the colours of a 4 x 4 x 4 cube, is never above
// the difference from any of those colours to any thread.
void TestDeltaEQuick::floorsNeverAboveTheDifference()
{
    const Threads t = fullCatalogue();
    const int whole = int(t.L.size());
    const std::size_t lanes = std::size_t(whole);
    std::vector<float> floors(lanes), least(lanes / kQuickBlock);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> cube(0, 63), inCube(0, 3);
    int pruned = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const int r = cube(random) * 4, g = cube(random) * 4, b = cube(random) * 4;
        std::vector<std::uint32_t> colours;
        for (int k = 0; k < 9; ++k)
            colours.push_back(std::uint32_t(RGB(r + inCube(random), g + inCube(random), b + inCube(random))));
        std::vector<float> L(9), a(9), bb(9);
        quickLabs(colours.data(), 9, L.data(), a.data(), bb.data());
        for (const int n : { 1, 9 }) {
            const QuickBox box
                = n == 1 ? quickBox(labFromColour(Long(colours[0]))) : quickBox(L.data(), a.data(), bb.data(), n);
            quickSquaredFloors(box, t.view(), 0, whole, floors.data(), least.data());
            for (int j = 0; j < t.count; ++j) {
                double nearest = 1e30;
                for (int k = 0; k < n; ++k)
                    nearest = std::min(
                        nearest, deltaE2000(labFromColour(Long(colours[std::size_t(k)])), t.lab[std::size_t(j)]));
                const double floor = std::sqrt(double(floors[std::size_t(j)]));
                QVERIFY2(floor <= nearest + 1e-3,
                    qPrintable(QStringLiteral("%1 colours from %2: thread %3, floor %4 above %5")
                                   .arg(n)
                                   .arg(colours[0], 6, 16)
                                   .arg(j + 1)
                                   .arg(floor)
                                   .arg(nearest)));
                pruned += floor > 10 ? 1 : 0;
                QVERIFY(least[std::size_t(j / kQuickBlock)] <= floors[std::size_t(j)]);
            }
        }
    }
    QVERIFY(pruned > 0); // the floors do leave threads out
}

QTEST_APPLESS_MAIN(TestDeltaEQuick)
#include "tst_delta_e_quick.moc"
