// The thread that looks nearest: the quick search answers exactly as measuring every thread does,
// across hue boundaries the channel-order search never crosses.
#include "colour/catalogue.h"
#include "colour/perceptual.h"

#include "test_support.h"

#include <QtTest>
#include <algorithm>
#include <map>
#include <random>

namespace {
// The position of least ΔE2000 over entries 1..count, the lower position on a tie.
int everyThreadMeasured(const std::vector<color_dmc>& cat, int count, Long colour)
{
    const Lab lab = labFromColour(colour);
    int best = 1;
    double dmin = 1e300;
    for (int i = 1; i <= count; ++i) {
        const double d = deltaE2000(lab, labFromColour(RGB(cat[i].rojo, cat[i].verde, cat[i].azul)));
        if (d < dmin) {
            dmin = d;
            best = i;
        }
    }
    return best;
}
} // namespace

class TestPerceptual : public QObject {
    Q_OBJECT
private slots:
    void sameAnswerAsMeasuringEveryThread_data();
    void sameAnswerAsMeasuringEveryThread();
    void manyColoursAtOnce_data();
    void manyColoursAtOnce();
    void crossesHueBoundariesAndBreaksTiesLow();
};

void TestPerceptual::sameAnswerAsMeasuringEveryThread_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("full catalogue") << "dmc.txt";
    QTest::newRow("large catalogue") << "dmc10.txt";
    QTest::newRow("smallest catalogue") << "dmc1.txt";
}

void TestPerceptual::sameAnswerAsMeasuringEveryThread()
{
    QFETCH(QString, file);
    std::vector<color_dmc> cat(kCatalogueSize);
    const CatalogueRead read = readCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/") + file, cat, kFullCatalogue);
    QVERIFY(read.error.isEmpty());
    PerceptualMatcher m(cat, read.count);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> component(0, 255);
    // random colours in a random walk, so the start from the last answer is sometimes far off
    for (int k = 0; k < 2500; ++k) {
        const Long c = k < 256 ? RGB(k, k, k) : RGB(component(random), component(random), component(random));
        const int expected = everyThreadMeasured(cat, read.count, c);
        QCOMPARE(m.nearest(c), expected);
        QCOMPARE(m.nearest(c), expected); // remembered
        QCOMPARE(m.nearestColour(c), RGB(cat[expected].rojo, cat[expected].verde, cat[expected].azul));
    }
}

void TestPerceptual::manyColoursAtOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("cubes");
    QTest::addColumn<int>("times"); // each colour is asked this many times
    QTest::newRow("full catalogue") << "dmc.txt" << 200 << 1;
    QTest::newRow("smallest catalogue, on every processor core") << "dmc1.txt" << 1500 << 4;
}

// A list as the stitches give it: neighbours from many 4 x 4 x 4 cubes of colour space, greys,
// white for a point outside the picture, repeats, in no order. Every colour gets the thread
// measuring every thread gives, and the answers are remembered.
void TestPerceptual::manyColoursAtOnce()
{
    QFETCH(QString, file);
    QFETCH(int, cubes);
    QFETCH(int, times);
    std::vector<color_dmc> cat(kCatalogueSize);
    const CatalogueRead read = readCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/") + file, cat, kFullCatalogue);
    QVERIFY(read.error.isEmpty());
    std::mt19937 random(3);
    std::uniform_int_distribution<int> cube(0, 63), inCube(0, 3);
    std::vector<Long> colours { -1, RGB(255, 255, 255) };
    for (int k = 0; k < 256; k += 5)
        colours.push_back(RGB(k, k, k));
    for (int c = 0; c < cubes; ++c) {
        const int r = cube(random) * 4, g = cube(random) * 4, b = cube(random) * 4;
        for (int k = 0; k < 12; ++k)
            colours.push_back(RGB(r + inCube(random), g + inCube(random), b + inCube(random)));
    }
    const std::size_t distinct = colours.size();
    for (int t = 1; t < times; ++t)
        colours.insert(colours.end(), colours.begin(), colours.begin() + std::ptrdiff_t(distinct));
    std::shuffle(colours.begin(), colours.end(), random);
    PerceptualMatcher m(cat, read.count);
    const std::vector<Long> threads = m.nearestColours(colours);
    QCOMPARE(threads.size(), colours.size());
    std::map<Long, Long> expected;
    for (std::size_t k = 0; k < colours.size(); ++k) {
        auto known = expected.find(colours[k]);
        if (known == expected.end()) {
            const color_dmc& e = cat[std::size_t(everyThreadMeasured(cat, read.count, colours[k]))];
            known = expected.emplace(colours[k], RGB(e.rojo, e.verde, e.azul)).first;
        }
        QCOMPARE(threads[k], known->second);
        QCOMPARE(m.nearestColour(colours[k]), known->second);
    }
}

void TestPerceptual::crossesHueBoundariesAndBreaksTiesLow()
{
    std::vector<color_dmc> cat(kCatalogueSize);
    cat[1] = { 1, 0, 0, 255 }; // blue
    cat[2] = { 2, 200, 30, 30 }; // red
    cat[3] = { 3, 200, 30, 30 }; // the same red again
    PerceptualMatcher m(cat, 3);
    // a strongly blue colour: the channel-order search could only take a blue thread
    QCOMPARE(m.nearest(RGB(180, 20, 40)), 2);
    QCOMPARE(m.nearest(RGB(30, 30, 240)), 1);
    PerceptualMatcher none(cat, 0);
    QCOMPARE(none.nearest(RGB(200, 30, 30)), 1);
    QCOMPARE(none.nearestColours({ RGB(200, 30, 30), RGB(20, 30, 200) }), std::vector<Long>(2, RGB(0, 0, 255)));
}

QTEST_APPLESS_MAIN(TestPerceptual)
#include "tst_perceptual.moc"
