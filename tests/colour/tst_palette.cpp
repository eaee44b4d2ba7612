// The palette: the stride, the stitches moved to their bucket's colour, the thinned groups, the
// swatch strips and the symbols written on them, and the errors that stop the step.
#include "colour/colour_value.h"
#include "colour/palette.h"
#include "render/chart.h"

#include "test_support.h"

#include <QtTest>

namespace {
using Counts = QVector<int>;

Strips makeStrips()
{
    return { Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0),
        Surface(4270, 11, 0), Surface(4270, 11, 0) };
}

// Distinct colours of the right hue group, brightest first: group K entry j.
Long colourOf(int K, int j)
{
    const int v = 250 - j;
    switch (K) {
    case 1:
        return RGB(v, 60, 10);
    case 2:
        return RGB(v, 10, 10);
    case 3:
        return RGB(60, v, 10);
    case 4:
        return RGB(10, v, 10);
    case 5:
        return RGB(60, 10, v);
    default:
        return RGB(v, v, v);
    }
}

// Groups with these counts; one stitch row holds every listed colour once.
WorkState withGroups(const Counts& counts, Long asked)
{
    WorkState st;
    int x = 0;
    for (int g = 0; g < 6; ++g) {
        for (int j = 0; j < counts[g]; ++j) {
            st.tono[std::size_t(g)][std::size_t(j)] = colourOf(g + 1, j);
            st.puntos(x++, 0) = colourOf(g + 1, j);
        }
        st.num_tono[std::size_t(g)] = Integer(counts[g]);
    }
    st.ancho_puntos = Integer(x);
    st.alto_puntos = 2;
    st.num_colores = asked;
    return st;
}

Counts counts(const WorkState& st) { return Counts(st.num_tono.begin(), st.num_tono.end()); }

// Whether any pixel inside swatch k (its outline left out) has the colour.
bool swatchShows(const Surface& strip, int k, Long colour)
{
    for (int y = 1; y < 10; ++y)
        for (int x = 10 * k + 1; x < 10 * k + 10; ++x)
            if (strip.pixel(x, y) == colour)
                return true;
    return false;
}
} // namespace

class TestPalette : public QObject {
    Q_OBJECT
private slots:
    void strideAndThinning_data();
    void strideAndThinning();
    void stitchesMoveToTheirBucket_data();
    void stitchesMoveToTheirBucket();
    void colourInNoGroupStays();
    void progressAndStage();
    void errorsStopTheStep_data();
    void errorsStopTheStep();
    void swatchesOnTheStrips();
    void redrawKeepsEveryColour();
    void symbolColourFollowsLightness();
};

void TestPalette::strideAndThinning_data()
{
    QTest::addColumn<Counts>("groups");
    QTest::addColumn<Long>("asked");
    QTest::addColumn<Long>("stride");
    QTest::addColumn<Counts>("kept");
    QTest::addColumn<bool>("lowered");
    QTest::addColumn<int>("longest");
    QTest::newRow("30 colours for 10 asked: stride 3")
        << Counts { 4, 4, 4, 4, 4, 10 } << Long(10) << Long(3) << Counts { 2, 2, 2, 2, 2, 4 } << false << 4;
    QTest::newRow("25 colours for 10 asked: stride 2")
        << Counts { 5, 5, 5, 5, 5, 0 } << Long(10) << Long(2) << Counts { 3, 3, 3, 3, 3, 0 } << false << 3;
    QTest::newRow("35 colours for 10 asked: stride 4")
        << Counts { 7, 7, 7, 7, 7, 0 } << Long(10) << Long(4) << Counts { 2, 2, 2, 2, 2, 0 } << false << 2;
    QTest::newRow("fewer colours than asked: all kept")
        << Counts { 3, 0, 2, 0, 0, 1 } << Long(248) << Long(1) << Counts { 3, 0, 2, 0, 0, 1 } << true << 3;
    QTest::newRow("longest strip of two equal groups")
        << Counts { 5, 5, 0, 0, 0, 0 } << Long(10) << Long(1) << Counts { 5, 5, 0, 0, 0, 0 } << false << 5;
}

void TestPalette::strideAndThinning()
{
    QFETCH(Counts, groups);
    QFETCH(Long, asked);
    QFETCH(Long, stride);
    QFETCH(Counts, kept);
    QFETCH(bool, lowered);
    QFETCH(int, longest);
    WorkState st = withGroups(groups, asked);
    const WorkState before = st;
    int loweredCalls = 0;
    Long countWhenLowered = -1;
    QVERIFY(gama(st, Progress(), [&] {
        ++loweredCalls;
        countWhenLowered = st.num_colores;
    }));
    QCOMPARE(st.paso_gama, stride);
    QCOMPARE(loweredCalls, lowered ? 1 : 0);
    if (lowered)
        QCOMPARE(countWhenLowered, Long(before.paletteSize()));
    Strips strips = makeStrips();
    int shownLongest = -1;
    Long countShown = -1;
    gama1(st, strips, Progress(), [&](int l) {
        shownLongest = l;
        countShown = st.num_colores;
        QCOMPARE(st.listo, False);
    });
    QCOMPARE(counts(st), kept);
    QCOMPARE(shownLongest, longest);
    int total = 0;
    for (int n : kept)
        total += n;
    QCOMPARE(st.num_colores, Long(total));
    QCOMPARE(countShown, Long(total));
    // group K keeps its entries 0, stride, 2 stride, ...
    for (int g = 0; g < 6; ++g)
        for (int n = 0; n < kept[g]; ++n)
            QCOMPARE(st.tono[std::size_t(g)][std::size_t(n)], before.tono[std::size_t(g)][std::size_t(n * stride)]);
    QCOMPARE(st.listo, True);
}

void TestPalette::stitchesMoveToTheirBucket_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("takes");
    QTest::newRow("entry 7 with stride 3 takes entry 6") << 7 << 6;
    QTest::newRow("entry 8 with stride 3 takes entry 6") << 8 << 6;
    QTest::newRow("entry 6 keeps its colour") << 6 << 6;
    QTest::newRow("entry 0 keeps its colour") << 0 << 0;
    QTest::newRow("entry 2 takes entry 0") << 2 << 0;
}

void TestPalette::stitchesMoveToTheirBucket()
{
    QFETCH(int, entry);
    QFETCH(int, takes);
    WorkState st = withGroups({ 4, 4, 4, 4, 4, 10 }, 10);
    st.puntos(3, 1) = colourOf(6, entry);
    QVERIFY(gama(st, Progress(), {}));
    QCOMPARE(st.paso_gama, Long(3));
    QCOMPARE(st.puntos(3, 1), colourOf(6, takes));
}

void TestPalette::colourInNoGroupStays()
{
    WorkState st = withGroups({ 4, 4, 4, 4, 4, 10 }, 10);
    st.puntos(2, 1) = RGB(1, 2, 3);
    st.puntos(st.ancho_puntos, 0) = colourOf(6, 9); // beyond the pattern's width
    QVERIFY(gama(st, Progress(), {}));
    QCOMPARE(st.puntos(2, 1), RGB(1, 2, 3));
    QCOMPARE(st.puntos(st.ancho_puntos, 0), colourOf(6, 9));
    QCOMPARE(st.puntos(25, 0), colourOf(6, 3)); // group 6 entry 5 of the row
}

void TestPalette::progressAndStage()
{
    WorkState st = withGroups({ 4, 4, 4, 4, 4, 10 }, 10);
    st.alto_puntos = 3;
    Recorder r;
    QVERIFY(gama(st, r.progress(), {}));
    QCOMPARE(r.stages, QStringList { "Calculando gama" });
    QCOMPARE(r.figures, (QStringList { "90", "92", "95" }));
}

void TestPalette::errorsStopTheStep_data()
{
    QTest::addColumn<Counts>("groups");
    QTest::addColumn<Long>("asked");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("stages");
    QTest::newRow("no colours at all") << Counts { 0, 0, 0, 0, 0, 0 } << Long(248) << 2 << "Error en colores"
                                       << QStringList {};
    QTest::newRow("no colours asked") << Counts { 4, 0, 0, 0, 0, 0 } << Long(0) << 2 << "Error en colores"
                                      << QStringList {};
    QTest::newRow("a pattern one stitch high")
        << Counts { 4, 0, 0, 0, 0, 0 } << Long(2) << 1 << "Error en el tamaño de la imagen"
        << QStringList { "Calculando gama" };
}

void TestPalette::errorsStopTheStep()
{
    QFETCH(Counts, groups);
    QFETCH(Long, asked);
    QFETCH(int, rows);
    QFETCH(QString, message);
    QFETCH(QStringList, stages);
    WorkState st = withGroups(groups, asked);
    st.alto_puntos = Integer(rows);
    st.puntos(1, 0) = colourOf(1, 1);
    Recorder r;
    QVERIFY(!gama(st, r.progress(), {}));
    QCOMPARE(r.errors, QStringList { message });
    QCOMPARE(r.stages, stages);
    QCOMPARE(st.puntos(1, 0), colourOf(1, 1));
    QCOMPARE(st.listo, False);
}

void TestPalette::swatchesOnTheStrips()
{
    WorkState st = withGroups({ 4, 0, 0, 0, 0, 10 }, 7);
    Strips strips = makeStrips();
    strips[5].setLeft(-96);
    strips[2].Line(0, 0, 30, 10, RGB(9, 9, 9), LineKind::FilledBox);
    QVERIFY(gama(st, Progress(), {}));
    QCOMPARE(st.paso_gama, Long(2));
    gama1(st, strips, Progress(), {});
    const Long white = RGB(255, 255, 255);
    // group 6 keeps entries 0, 2, 4, 6, 8: swatch 3 is entry 6
    const Surface& s6 = strips[5];
    QCOMPARE(s6.Left(), 4);
    QCOMPARE(s6.pixel(35, 5), colourOf(6, 6));
    QCOMPARE(s6.pixel(31, 1), colourOf(6, 6));
    QCOMPARE(s6.pixel(39, 9), colourOf(6, 6));
    for (const auto& [x, y] : std::initializer_list<std::pair<int, int>> {
             { 30, 5 }, { 40, 5 }, { 35, 0 }, { 35, 10 }, { 30, 0 }, { 50, 10 } })
        QCOMPARE(s6.pixel(x, y), white);
    QCOMPARE(s6.pixel(45, 5), colourOf(6, 8));
    // past the last swatch the strip is cleared; an empty group leaves a cleared strip
    QCOMPARE(s6.pixel(55, 5), s6.BackColor);
    QCOMPARE(strips[2].pixel(5, 5), strips[2].BackColor);
    QCOMPARE(strips[0].pixel(15, 5), colourOf(1, 2));
}

void TestPalette::redrawKeepsEveryColour()
{
    WorkState st = withGroups({ 3, 0, 0, 0, 2, 0 }, 2);
    st.paso_gama = 2;
    Strips strips = makeStrips();
    strips[4].setLeft(-50);
    gama2(st, strips, Progress());
    QCOMPARE(counts(st), (Counts { 3, 0, 0, 0, 2, 0 }));
    QCOMPARE(strips[0].pixel(25, 5), colourOf(1, 2));
    QCOMPARE(strips[4].pixel(15, 5), colourOf(5, 1));
    QCOMPARE(strips[4].Left(), 4);
    QCOMPARE(st.listo, True);
}

void TestPalette::symbolColourFollowsLightness()
{
    WorkState st;
    st.tono[0][0] = RGB(201, 200, 100); // 501: light
    st.num_tono[0] = 1;
    st.tono[5][0] = RGB(200, 200, 100); // 500: not light
    st.num_tono[5] = 1;
    Strips strips = makeStrips();
    drawSwatch(strips[0], 0, st.tono[0][0]);
    drawSwatch(strips[5], 0, st.tono[5][0]);
    drawStripSymbols(strips, st, QStringLiteral("DejaVu Sans"), false);
    QVERIFY(swatchShows(strips[0], 0, 0));
    QVERIFY(!swatchShows(strips[0], 0, RGB(255, 255, 255)));
    QVERIFY(swatchShows(strips[5], 0, RGB(255, 255, 255)));
    QVERIFY(!swatchShows(strips[5], 0, 0));
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
