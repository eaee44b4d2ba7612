// Colours true to the picture: the area mean each stitch reads, and the threads chosen for a
// picture (exact when they can be, black and grey kept, greys with grey threads).
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "colour/delta_e.h"
#include "colour/faithful.h"
#include "colour/stitch_reading.h"

#include "test_support.h"

#include <QtTest>
#include <cmath>
#include <set>

namespace {
// The full catalogue, read from the working folder's copy.
WorkState fullCatalogue()
{
    WorkState st;
    const CatalogueRead r = readCatalogueFile(QStringLiteral("dmc.txt"), st.dmc_activos, kFullCatalogue);
    st.num_dmc = Integer(r.count);
    return st;
}

// A picture painted in blocks of `side` pixels, one colour a block, `columns` blocks a row.
Surface blocks(const std::vector<Long>& colours, int columns, int side)
{
    const int rows = (int(colours.size()) + columns - 1) / columns;
    Surface p(columns * side, rows * side);
    p.Cls();
    for (std::size_t k = 0; k < colours.size(); ++k)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                p.setPixel(int(k) % columns * side + x, int(k) / columns * side + y, colours[k]);
    return p;
}

// Reads `picture` faithfully into a pattern of the size given; the threads the stitches use.
std::set<Long> readFaithfully(WorkState& st, const Surface& picture, int count, int stitchesWide, int stitchesHigh)
{
    const Surface box(3 * stitchesWide, 3 * stitchesHigh);
    ColourOptions o;
    o.faithful = true;
    st.num_colores = count;
    if (!colores(st, picture, box, {}, o))
        return {};
    std::set<Long> used;
    for (int j = 0; j < st.alto_puntos; ++j)
        for (int i = 0; i < st.ancho_puntos; ++i)
            used.insert(st.puntos(i, j));
    return used;
}

Long threadColour(const color_dmc& e) { return RGB(e.rojo, e.verde, e.azul); }
} // namespace

class TestFaithful : public QObject {
    Q_OBJECT
private slots:
    void areaMeans_data();
    void areaMeans();
    void catalogueColoursComeBackExact();
    void blackAndGreyHalvesKeepBoth_data();
    void blackAndGreyHalvesKeepBoth();
    void greyRampTakesGreyThreads_data();
    void greyRampTakesGreyThreads();
    void greyRampShunsANearerTint();
    void fewerThreadsKeepTheSumLow();
};

void TestFaithful::areaMeans_data()
{
    QTest::addColumn<QList<Long>>("pixels"); // row by row
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("boxWidth"); // at 3 box pixels a stitch, one stitch high
    QTest::addColumn<QList<Long>>("means");
    const Long c = RGB(200, 100, 50), g = RGB(150, 150, 150), b = RGB(30, 60, 90);
    // a one-pixel checkerboard under 2 x 2 pixels a stitch: the mean of the two colours
    QTest::newRow("checkerboard") << QList<Long> { 0, c, 0, c, c, 0, c, 0 } << 4 << 6
                                  << QList<Long> { RGB(100, 50, 25), RGB(100, 50, 25) };
    // three pixels under two stitches: the middle pixel counts half in each
    QTest::newRow("edge through a pixel")
        << QList<Long> { 0, g, b } << 3 << 6 << QList<Long> { RGB(50, 50, 50), RGB(70, 90, 110) };
}

void TestFaithful::areaMeans()
{
    QFETCH(QList<Long>, pixels);
    QFETCH(int, pictureWidth);
    QFETCH(int, boxWidth);
    QFETCH(QList<Long>, means);
    Surface picture(pictureWidth, int(pixels.size()) / pictureWidth);
    for (int k = 0; k < pixels.size(); ++k)
        picture.setPixel(k % pictureWidth, k / pictureWidth, pixels[k]);
    const StitchPixels read = stitchAreaMeans(picture, Surface(boxWidth, 3), 3);
    QCOMPARE(read.rows, 1);
    QCOMPARE(QList<Long>(read.colours.begin(), read.colours.end()), means);
}

void TestFaithful::catalogueColoursComeBackExact()
{
    WorkFolder folder;
    WorkState st = fullCatalogue();
    // every seventh thread, as many as the count allows
    std::vector<Long> colours;
    for (int i = 1; i <= st.num_dmc && colours.size() < 40; i += 7)
        colours.push_back(threadColour(st.dmc_activos[std::size_t(i)]));
    const Surface picture = blocks(colours, 8, 4);
    const std::set<Long> used = readFaithfully(st, picture, 40, 8 * 2, 5 * 2);
    QCOMPARE(used, std::set<Long>(colours.begin(), colours.end()));
    // every stitch its own block's colour: a ΔE of 0
    for (int j = 0; j < st.alto_puntos; ++j)
        for (int i = 0; i < st.ancho_puntos; ++i)
            QCOMPARE(st.puntos(i, j), colours[std::size_t(j / 2 * 8 + i / 2)]);
}

void TestFaithful::blackAndGreyHalvesKeepBoth_data()
{
    QTest::addColumn<int>("count");
    for (int count : { 2, 3, 40 })
        QTest::newRow(qPrintable(QString::number(count))) << count;
}

void TestFaithful::blackAndGreyHalvesKeepBoth()
{
    QFETCH(int, count);
    WorkFolder folder;
    WorkState st = fullCatalogue();
    const Long grey = RGB(128, 128, 128);
    const std::set<Long> used = readFaithfully(st, blocks({ 0, grey }, 2, 30), count, 20, 10);
    std::vector<Long> all;
    for (int i = 1; i <= st.num_dmc; ++i)
        all.push_back(threadColour(st.dmc_activos[std::size_t(i)]));
    const auto nearest = [&all](Long c) {
        return *std::min_element(
            all.begin(), all.end(), [c](Long x, Long y) { return deltaE2000(c, x) < deltaE2000(c, y); });
    };
    QCOMPARE(used, (std::set<Long> { nearest(0), nearest(grey) }));
}

void TestFaithful::greyRampTakesGreyThreads_data()
{
    QTest::addColumn<int>("count");
    for (int count : { 2, 5, 12, 40 })
        QTest::newRow(qPrintable(QString::number(count))) << count;
}

void TestFaithful::greyRampTakesGreyThreads()
{
    QFETCH(int, count);
    WorkFolder folder;
    WorkState st = fullCatalogue();
    std::vector<Long> ramp;
    for (int v = 0; v < 256; v += 5)
        ramp.push_back(RGB(v, v, v));
    const std::set<Long> used = readFaithfully(st, blocks(ramp, 13, 6), count, 13 * 2, 4 * 2);
    QVERIFY(!used.empty() && int(used.size()) <= count);
    for (Long c : used) {
        const Lab lab = labFromColour(c);
        QVERIFY2(std::hypot(lab.a, lab.b) < kNeutralThreadChroma, qPrintable(QString::number(c, 16)));
    }
}

void TestFaithful::greyRampShunsANearerTint()
{
    // a catalogue whose only mid-light thread is a pale tint, nearer to the middle greys than the
    // dark grey: the greys still take only neutral threads
    std::vector<color_dmc> catalogue(5);
    catalogue[1] = { 310, 0, 0, 0 };
    catalogue[2] = { 5200, 255, 255, 255 };
    catalogue[3] = { 3024, 170, 160, 130 };
    catalogue[4] = { 413, 70, 70, 70 };
    std::vector<Long> ramp;
    for (int v = 0; v < 256; ++v)
        ramp.push_back(RGB(v, v, v));
    for (Long c : faithfulThreads(ramp, catalogue, 4, 3)) {
        const Lab lab = labFromColour(c);
        QVERIFY2(std::hypot(lab.a, lab.b) < kNeutralThreadChroma, qPrintable(QString::number(c, 16)));
    }
}

void TestFaithful::fewerThreadsKeepTheSumLow()
{
    // a smooth picture of many colours: as many threads as asked, and the sum of ΔE2000 falls as
    // the count rises
    WorkFolder folder;
    const WorkState st = fullCatalogue();
    std::vector<Long> colours;
    for (int k = 0; k < 400; ++k)
        colours.push_back(RGB(60 + k % 20 * 9, 40 + k / 20 * 8, 120));
    const auto sum = [&colours](const std::vector<Long>& threads) {
        double total = 0;
        for (Long c : colours) {
            double best = 1e9;
            for (Long t : threads)
                best = std::min(best, deltaE2000(c, t));
            total += best;
        }
        return total;
    };
    double last = 1e18;
    for (int count : { 3, 8, 20 }) {
        const std::vector<Long> chosen = faithfulThreads(colours, st.dmc_activos, st.num_dmc, count);
        QCOMPARE(int(chosen.size()), count);
        const double total = sum(chosen);
        QVERIFY(total < last);
        last = total;
    }
}

QTEST_APPLESS_MAIN(TestFaithful)
#include "tst_faithful.moc"
