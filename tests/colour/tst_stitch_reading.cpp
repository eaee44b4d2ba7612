// Reading one thread colour per stitch: which pixel of the working picture each stitch reads,
// the counts it leaves, the progress it shows and the two sizes it refuses.
#include "colour/colour_value.h"
#include "colour/stitch_reading.h"

#include "test_support.h"

#include <QtTest>

namespace {
const Long kWhite = RGB(255, 255, 255);
const Long kRed = RGB(220, 30, 20);
const Long kGreen = RGB(20, 200, 30);

// Black, white, a red and a green thread: every pixel of the pictures below matches itself.
WorkState blackAndWhiteThreads()
{
    WorkState st;
    st.dmc_activos[1] = { 310, 0, 0, 0 };
    st.dmc_activos[2] = { 5200, 255, 255, 255 };
    st.dmc_activos[3] = { 666, 220, 30, 20 };
    st.dmc_activos[4] = { 700, 20, 200, 30 };
    st.num_dmc = 4;
    return st;
}

// White everywhere except black at the pixels (xStep * i, yStep * j) and one red pixel at
// (5 * xStep, redY).
Surface markedPicture(int w, int h, int xStep, int yStep, int redY)
{
    Surface p(w, h);
    p.Cls();
    for (int y = 0; y < h; y += yStep)
        for (int x = 0; x < w; x += xStep)
            p.setPixel(x, y, 0);
    p.setPixel(5 * xStep, redY, kRed);
    return p;
}

} // namespace

class TestStitchReading : public QObject {
    Q_OBJECT
private slots:
    void readsTheTopLeftPixelOfEveryCell_data();
    void readsTheTopLeftPixelOfEveryCell();
    void pictureOutsideReadsWhite();
    void progressRunsToEighty();
    void oneCellHighIsRefused();
    void tooManyStitchesAreRefused();
    void sizeLimits_data();
    void sizeLimits();
    void ditheringAtNoStrengthReadsAsBefore();
    void ditheringMixesTwoThreadsForAColourBetween();
    void perceptualMatchingCrossesHues();
    void pixelsReadForTheReport();
};

void TestStitchReading::readsTheTopLeftPixelOfEveryCell_data()
{
    QTest::addColumn<bool>("doble");
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<int>("xStep");
    QTest::addColumn<int>("yStep");
    QTest::addColumn<int>("redY"); // the row of the picture that stitch row 7 reads
    // 40 x 30 stitches: a box of 120 x 90 inside (124 x 94 outside) or 360 x 270
    QTest::newRow("single stitch, picture as large as the box") << false << 120 << 90 << 3 << 3 << 21;
    QTest::newRow("double stitch, picture as large as the box") << true << 360 << 270 << 9 << 9 << 63;
    QTest::newRow("single stitch, picture twice as wide") << false << 240 << 90 << 6 << 3 << 21;
    QTest::newRow("double stitch, picture twice as wide") << true << 720 << 270 << 18 << 9 << 63;
    // rows read at Fix(1.5 j): every picture row is marked, stitch row 7 reads row 10
    QTest::newRow("single stitch, picture half as high") << false << 120 << 45 << 3 << 1 << 10;
}

void TestStitchReading::readsTheTopLeftPixelOfEveryCell()
{
    QFETCH(bool, doble);
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    QFETCH(int, xStep);
    QFETCH(int, yStep);
    QFETCH(int, redY);
    WorkState st = blackAndWhiteThreads();
    st.punto_doble = doble ? True : False;
    const int s = doble ? 9 : 3;
    const Surface box(40 * s, 30 * s);
    QCOMPARE(box.Width(), 40 * s + 4);
    const Surface picture = markedPicture(pictureWidth, pictureHeight, xStep, yStep, redY);
    Recorder r;
    QVERIFY(colores(st, picture, box, r.progress()));
    QVERIFY(r.errors.isEmpty());
    QCOMPARE(int(st.ancho_puntos), 40);
    QCOMPARE(int(st.alto_puntos), 30);
    QCOMPARE(int(st.num_puntos), 1200);
    // every stitch read a marked pixel: black, and red at (5, 7)
    for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 40; ++i) {
            const Long expected = i == 5 && j == 7 ? kRed : 0;
            QCOMPARE(st.puntos(i, j), expected);
            QCOMPARE(st.lista_puntos[std::size_t(j * 40 + i)], expected);
        }
    QCOMPARE(st.puntos(40, 0), Long(0));
    QCOMPARE(st.lista_puntos[1200], Long(0));
    QCOMPARE(st.listo, True);
}

void TestStitchReading::pictureOutsideReadsWhite()
{
    WorkState st = blackAndWhiteThreads();
    // no picture at all: every point read lies outside it
    const Surface nothing(0, 0);
    const Surface box(30, 30);
    QVERIFY(colores(st, nothing, box, Progress()));
    QCOMPARE(int(st.num_puntos), 100);
    QCOMPARE(st.puntos(0, 0), kWhite);
    QCOMPARE(st.puntos(9, 9), kWhite);
    // a green picture whose scale starts at 5: the stitches that read x = 0..4 fall outside it
    Surface shifted(10, 10);
    shifted.Line(0, 0, 9, 9, kGreen, LineKind::FilledBox);
    shifted.setScaleLeft(5);
    QVERIFY(colores(st, shifted, box, Progress()));
    QCOMPARE(st.puntos(4, 0), kWhite);
    QCOMPARE(st.puntos(5, 0), kGreen);
}

void TestStitchReading::progressRunsToEighty()
{
    WorkState st = blackAndWhiteThreads();
    const Surface box(12, 12); // four rows at y = 0, 3, 6, 9 of yEnd 9
    const Surface picture = markedPicture(12, 12, 3, 3, 0);
    Recorder r;
    QVERIFY(colores(st, picture, box, r.progress()));
    QCOMPARE(r.stages, QStringList { "Leyendo colores..." });
    QCOMPARE(r.figures, (QStringList { "", "0", "26", "53", "80" }));
    QCOMPARE(r.pointers, (QList<int> { 11, 0 }));
}

void TestStitchReading::oneCellHighIsRefused()
{
    WorkState st = blackAndWhiteThreads();
    st.ancho_puntos = 7;
    st.alto_puntos = 5;
    st.num_puntos = 35;
    st.lista_puntos[3] = kRed;
    const Surface box(120, 3);
    const Surface picture = markedPicture(120, 3, 3, 3, 0);
    Recorder r;
    QVERIFY(!colores(st, picture, box, r.progress()));
    QCOMPARE(r.errors, QStringList { "Error en el tamaño de la imagen" });
    // the list is emptied first; the sizes of the last pattern stay, and the run stays busy
    QCOMPARE(int(st.num_puntos), 0);
    QCOMPARE(st.lista_puntos[3], Long(0));
    QCOMPARE(int(st.ancho_puntos), 7);
    QCOMPARE(int(st.alto_puntos), 5);
    QCOMPARE(st.listo, False);
    QCOMPARE(r.pointers, QList<int> { 11 });
}

void TestStitchReading::tooManyStitchesAreRefused()
{
    WorkState st = blackAndWhiteThreads();
    st.ancho_puntos = 7;
    st.puntos(0, 0) = kGreen;
    const Surface box(3 * (kMaxColumns + 1), 6);
    const Surface picture(10, 10);
    Recorder r;
    QVERIFY(!colores(st, picture, box, r.progress()));
    QCOMPARE(r.errors, QStringList { patternSizeMessage() });
    QCOMPARE(st.puntos(0, 0), kGreen);
    QCOMPARE(int(st.ancho_puntos), 7);
}

void TestStitchReading::sizeLimits_data()
{
    QTest::addColumn<double>("columns");
    QTest::addColumn<double>("rows");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("widest") << 1201.0 << 654.0 << true;
    QTest::newRow("one column too many") << 1202.0 << 10.0 << false;
    QTest::newRow("highest") << 1022.0 << 769.0 << true;
    QTest::newRow("one row too many") << 10.0 << 770.0 << false;
    QTest::newRow("1024 x 768 fills the stitch list") << 1024.0 << 768.0 << true;
    QTest::newRow("1023 x 769 is past the stitch list") << 1023.0 << 769.0 << false;
    QTest::newRow("one stitch more than the list") << 1024.0 << 769.0 << false;
    QTest::newRow("no column") << 0.0 << 10.0 << false;
    QTest::newRow("one stitch") << 1.0 << 1.0 << true;
}

void TestStitchReading::sizeLimits()
{
    QFETCH(double, columns);
    QFETCH(double, rows);
    QFETCH(bool, allowed);
    QCOMPARE(patternSizeAllowed(columns, rows), allowed);
}

void TestStitchReading::ditheringAtNoStrengthReadsAsBefore()
{
    WorkState plain = blackAndWhiteThreads(), dithered = blackAndWhiteThreads();
    Surface picture;
    picture.setPicture(gradientPicture(90, 60));
    const Surface box(90, 60);
    QVERIFY(colores(plain, picture, box, Progress()));
    ColourOptions none;
    none.dither = 0;
    QVERIFY(colores(dithered, picture, box, Progress(), none));
    QVERIFY(plain.puntos == dithered.puntos);
    QVERIFY(plain.lista_puntos == dithered.lista_puntos);
}

void TestStitchReading::ditheringMixesTwoThreadsForAColourBetween()
{
    WorkState st = blackAndWhiteThreads();
    Surface grey(60, 60);
    grey.Line(0, 0, 59, 59, RGB(119, 119, 119), LineKind::FilledBox); // L 50: half way from black to white
    const Surface box(60, 60);
    QVERIFY(colores(st, grey, box, Progress()));
    QCOMPARE(st.puntos(7, 7), Long(0)); // undithered, every stitch is the nearer black
    for (int percent : { 50, 100 }) {
        ColourOptions o;
        o.dither = percent;
        QVERIFY(colores(st, grey, box, Progress(), o));
        int white = 0;
        for (int k = 0; k < st.num_puntos; ++k)
            white += st.lista_puntos[std::size_t(k)] == kWhite;
        // a stronger diffusion moves more of the error on, so more white stitches show
        const int expectedLeast = percent == 100 ? 160 : 40;
        QVERIFY2(white >= expectedLeast && white <= 240, qPrintable(QString::number(white)));
    }
}

void TestStitchReading::perceptualMatchingCrossesHues()
{
    WorkState st = blackAndWhiteThreads();
    Surface orange(30, 30);
    orange.Line(0, 0, 29, 29, RGB(200, 120, 110), LineKind::FilledBox);
    const Surface box(30, 30);
    QVERIFY(colores(st, orange, box, Progress()));
    QCOMPARE(st.puntos(0, 0), kRed); // the only thread of its hue cell
    ColourOptions o;
    o.perceptual = true;
    QVERIFY(colores(st, orange, box, Progress(), o));
    QCOMPARE(st.puntos(0, 0), kRed);
    orange.Line(0, 0, 29, 29, RGB(200, 190, 185), LineKind::FilledBox); // a pale pink: white looks nearer
    QVERIFY(colores(st, orange, box, Progress()));
    QCOMPARE(st.puntos(0, 0), kRed);
    QVERIFY(colores(st, orange, box, Progress(), o));
    QCOMPARE(st.puntos(0, 0), kWhite);
    // the stitches' colours worked out all together each land in their own stitch
    QVERIFY(colores(st, markedPicture(240, 90, 6, 3, 21), Surface(40 * 3, 30 * 3), Progress(), o));
    QCOMPARE(int(st.num_puntos), 1200);
    for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 40; ++i) {
            const Long expected = i == 5 && j == 7 ? kRed : 0;
            QCOMPARE(st.puntos(i, j), expected);
            QCOMPARE(st.lista_puntos[std::size_t(j * 40 + i)], expected);
        }
}

void TestStitchReading::pixelsReadForTheReport()
{
    WorkState st = blackAndWhiteThreads();
    const Surface box(40 * 3, 30 * 3);
    const Surface picture = markedPicture(240, 90, 6, 3, 21);
    QVERIFY(colores(st, picture, box, Progress()));
    const StitchPixels read = stitchPixels(picture, box, 3);
    QCOMPARE(read.columns, 40);
    QCOMPARE(read.rows, 30);
    QCOMPARE(read.colours.size(), std::size_t(1200));
    QCOMPARE(read.colours[std::size_t(7 * 40 + 5)], kRed);
    QCOMPARE(read.colours[0], Long(0));
    // what lies outside the picture reads -1
    QCOMPARE(stitchPixels(Surface(0, 0), box, 3).colours.back(), Long(-1));
}

QTEST_MAIN(TestStitchReading)
#include "tst_stitch_reading.moc"
