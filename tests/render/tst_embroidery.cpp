// The embroidery picture: the shades, the single- and double-stitch cells pixel by pixel, and the
// two drawings of a whole pattern with their progress, background and error.
#include "colour/colour_value.h"
#include "render/embroidery.h"

#include "test_support.h"

#include <QtTest>

namespace {
// The drawn shape of a double-stitch cell, row by row: A base, L light half, d dark eighth,
// m dark third, D dark half, Q grey, '.' not drawn.
const char* const kDouble[9] = {
    "mddQ..Add",
    "dAAd.ALdd",
    "dAALdLAAd",
    "QdLLAdAdQ",
    "...AAddQQ",
    ".ALddddD.",
    "ALAAddmmD",
    "ddAdQDmmD",
    "dddQQ.DDD",
};

WorkState pattern(int columns, int rows, Long colour)
{
    WorkState st;
    st.ancho_puntos = Integer(columns);
    st.alto_puntos = Integer(rows);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            st.puntos(i, j) = colour;
    return st;
}

} // namespace

class TestEmbroidery : public QObject {
    Q_OBJECT
private slots:
    void shades_data();
    void shades();
    void singleStitchCell_data();
    void singleStitchCell();
    void blackDoubleStitch();
    void whiteDoubleStitch_data();
    void whiteDoubleStitch();
    void doubleCellKeepsWhatIsUnderTheUndrawnPixels();
    void cellsAtTheEdgeAreCut();
    void singleStitchPattern();
    void doubleStitchPatternOnWhite();
    void cellWithoutStitchShowsTheCloth_data();
    void cellWithoutStitchShowsTheCloth();
    void oneStitchWideIsAnError_data();
    void oneStitchWideIsAnError();
};

void TestEmbroidery::shades_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<int>("shade");
    QTest::addColumn<Long>("expected");
    const Long c = RGB(200, 100, 0);
    QTest::newRow("base") << c << int(Shade::Base) << c;
    QTest::newRow("light quarter") << c << int(Shade::LightQuarter) << RGB(213, 138, 63);
    QTest::newRow("dark quarter") << c << int(Shade::DarkQuarter) << RGB(150, 75, 0);
    QTest::newRow("dark half") << c << int(Shade::DarkHalf) << RGB(100, 50, 0);
    QTest::newRow("light half of black") << Long(0) << int(Shade::LightHalf) << RGB(127, 127, 127);
    QTest::newRow("light half") << c << int(Shade::LightHalf) << RGB(227, 177, 127);
    QTest::newRow("dark eighth of white") << RGB(255, 255, 255) << int(Shade::DarkEighth) << RGB(224, 224, 224);
    QTest::newRow("dark third of white") << RGB(255, 255, 255) << int(Shade::DarkThird) << RGB(170, 170, 170);
    QTest::newRow("dark half of white") << RGB(255, 255, 255) << int(Shade::DarkHalf) << RGB(128, 128, 128);
    QTest::newRow("light quarter of white stays white")
        << RGB(255, 255, 255) << int(Shade::LightQuarter) << RGB(255, 255, 255);
    QTest::newRow("grey whatever the thread") << RGB(10, 200, 30) << int(Shade::Grey) << RGB(128, 128, 128);
    QTest::newRow("-1 is shaded as white") << Long(-1) << int(Shade::DarkEighth) << RGB(224, 224, 224);
}

void TestEmbroidery::shades()
{
    QFETCH(Long, colour);
    QFETCH(int, shade);
    QFETCH(Long, expected);
    QCOMPARE(shadeOf(colour, Shade(shade)), expected);
}

void TestEmbroidery::singleStitchCell_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<Long>("expected");
    const Long base = RGB(200, 100, 0), light = RGB(213, 138, 63), dark = RGB(150, 75, 0), half = RGB(100, 50, 0);
    const Long cell[3][3] = { { light, light, base }, { light, base, dark }, { base, dark, half } };
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx)
            QTest::addRow("pixel %d, %d", dx, dy) << dx << dy << cell[dy][dx];
}

void TestEmbroidery::singleStitchCell()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(Long, expected);
    Surface s(12, 12);
    drawSingleStitchCell(s, 3, 6, RGB(200, 100, 0));
    QCOMPARE(s.pixel(3 + dx, 6 + dy), expected);
    // the whole pattern drawing paints the same cell
    WorkState st = pattern(4, 4, RGB(200, 100, 0));
    Surface box(12, 12);
    QVERIFY(dibujar(st, box, Progress()));
    QCOMPARE(box.pixel(3 + dx, 6 + dy), expected);
}

void TestEmbroidery::blackDoubleStitch()
{
    WorkState st = pattern(2, 1, 0);
    Surface box(18, 9);
    QVERIFY(pinta2(st, box, Progress()));
    int grey = 0, light = 0, undrawn = 0;
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx) {
            const char kind = kDouble[dy][dx];
            const Long expected = kind == 'Q' ? RGB(128, 128, 128)
                : kind == 'L'                 ? RGB(127, 127, 127)
                : kind == '.'                 ? RGB(255, 255, 255)
                                              : 0;
            grey += kind == 'Q';
            light += kind == 'L';
            undrawn += kind == '.';
            QCOMPARE(box.pixel(9 + dx, dy), expected);
        }
    QCOMPARE(grey, 8);
    QCOMPARE(light, 7);
    QCOMPARE(undrawn, 9);
}

void TestEmbroidery::whiteDoubleStitch_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<Long>("expected");
    QTest::newRow("dark third at the top left") << 0 << 0 << RGB(170, 170, 170);
    QTest::newRow("dark eighth") << 1 << 0 << RGB(224, 224, 224);
    QTest::newRow("light half stays white") << 6 << 1 << RGB(255, 255, 255);
    QTest::newRow("base") << 1 << 1 << RGB(255, 255, 255);
    QTest::newRow("dark half at the bottom right") << 8 << 8 << RGB(128, 128, 128);
    QTest::newRow("grey") << 3 << 0 << RGB(128, 128, 128);
}

void TestEmbroidery::whiteDoubleStitch()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(Long, expected);
    Surface s(20, 20);
    s.BackColor = RGB(0, 0, 255);
    s.Cls();
    drawDoubleStitchCell(s, 9, 2, RGB(255, 255, 255));
    QCOMPARE(s.pixel(9 + dx, 2 + dy), expected);
}

void TestEmbroidery::doubleCellKeepsWhatIsUnderTheUndrawnPixels()
{
    Surface s(27, 27);
    s.BackColor = RGB(240, 240, 240);
    s.Cls();
    drawDoubleStitchCell(s, 9, 9, RGB(10, 20, 30));
    int kept = 0;
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx)
            if (s.pixel(9 + dx, 9 + dy) == RGB(240, 240, 240)) {
                QCOMPARE(kDouble[dy][dx], '.');
                ++kept;
            }
    QCOMPARE(kept, 9);
    QCOMPARE(s.pixel(8, 9), RGB(240, 240, 240));
    QCOMPARE(s.pixel(18, 9), RGB(240, 240, 240));
}

void TestEmbroidery::cellsAtTheEdgeAreCut()
{
    Surface s(10, 10);
    drawDoubleStitchCell(s, -4, 5, 0);
    drawSingleStitchCell(s, 9, -1, 0);
    QCOMPARE(s.pixel(0, 5), RGB(255, 255, 255)); // dx 4, dy 0: not drawn
    QCOMPARE(s.pixel(0, 7), Long(0));
    QCOMPARE(s.pixel(4, 5), Long(0));
    QCOMPARE(s.pixel(4, 8), RGB(128, 128, 128)); // dx 8, dy 3: grey
    QCOMPARE(s.pixel(9, 0), RGB(63, 63, 63)); // dx 0, dy 1: light quarter
    QCOMPARE(s.pixel(9, 1), Long(0));
    QCOMPARE(s.pixel(8, 0), RGB(255, 255, 255));
}

void TestEmbroidery::singleStitchPattern()
{
    WorkState st = pattern(5, 2, RGB(200, 100, 0));
    st.puntos(4, 1) = RGB(255, 255, 255);
    Surface box(15, 6);
    box.Line(0, 0, 14, 5, RGB(1, 2, 3), LineKind::FilledBox);
    Recorder r;
    QVERIFY(dibujar(st, box, r.progress()));
    QCOMPARE(r.stages, QStringList { "Dibujando bordado" });
    // columns 0..4 of 4: 95, 95, 96, 97, 98
    QCOMPARE(r.figures, (QStringList { "95", "96", "97", "98" }));
    QCOMPARE(box.pixel(12, 3), RGB(255, 255, 255));
    QCOMPARE(box.pixel(14, 5), RGB(128, 128, 128));
    QCOMPARE(box.pixel(11, 5), RGB(100, 50, 0));
    QCOMPARE(box.pixel(2, 0), RGB(200, 100, 0));
    QCOMPARE(st.listo, True);
}

void TestEmbroidery::doubleStitchPatternOnWhite()
{
    WorkState st = pattern(3, 2, RGB(30, 60, 90));
    st.listo = True;
    Surface box(27, 18);
    box.BackColor = RGB(200, 0, 0);
    box.Cls();
    Recorder r;
    QVERIFY(pinta2(st, box, r.progress()));
    QCOMPARE(r.figures, (QStringList { "95", "96", "98" }));
    QCOMPARE(box.pixel(9 + 4, 9 + 0), RGB(255, 255, 255));
    QCOMPARE(box.pixel(18 + 8, 9 + 5), RGB(255, 255, 255));
    QCOMPARE(box.pixel(18 + 6, 9 + 6), shadeOf(RGB(30, 60, 90), Shade::DarkThird));
    QCOMPARE(st.listo, True);
    st.listo = False;
    QVERIFY(pinta2(st, box, Progress()));
    QCOMPARE(st.listo, False);
}

void TestEmbroidery::cellWithoutStitchShowsTheCloth_data()
{
    QTest::addColumn<bool>("doble");
    QTest::newRow("single stitch") << false;
    QTest::newRow("double stitch") << true;
}

void TestEmbroidery::cellWithoutStitchShowsTheCloth()
{
    QFETCH(bool, doble);
    const int s = doble ? 9 : 3;
    WorkState st = pattern(3, 2, 0);
    st.puntos(1, 1) = kNoStitchColour;
    Surface box(3 * s, 2 * s);
    box.Line(0, 0, 3 * s - 1, 2 * s - 1, RGB(1, 2, 3), LineKind::FilledBox);
    QVERIFY(doble ? pinta2(st, box, Progress()) : dibujar(st, box, Progress()));
    int white = 0;
    for (int y = 0; y < 2 * s; ++y)
        for (int x = 0; x < 3 * s; ++x)
            white += box.pixel(x, y) == RGB(255, 255, 255);
    // every pixel of the empty cell and only those: black stitches have no white pixel drawn,
    // and the undrawn pixels of a double stitch are white on both sides
    const int undrawn = doble ? 9 : 0;
    QCOMPARE(white, s * s + 5 * undrawn);
    for (int y = s; y < 2 * s; ++y)
        for (int x = s; x < 2 * s; ++x)
            QCOMPARE(box.pixel(x, y), RGB(255, 255, 255));
}

void TestEmbroidery::oneStitchWideIsAnError_data()
{
    QTest::addColumn<bool>("doble");
    QTest::newRow("single stitch") << false;
    QTest::newRow("double stitch") << true;
}

void TestEmbroidery::oneStitchWideIsAnError()
{
    QFETCH(bool, doble);
    WorkState st = pattern(1, 3, 0);
    st.listo = True;
    Surface box(9, 27);
    box.Line(0, 0, 8, 26, RGB(1, 2, 3), LineKind::FilledBox);
    Recorder r;
    QVERIFY(!(doble ? pinta2(st, box, r.progress()) : dibujar(st, box, r.progress())));
    QCOMPARE(r.errors, QStringList { "Error en el tamaño de la imagen" });
    QCOMPARE(r.stages, QStringList { "Dibujando bordado" });
    // double stitch clears the box before it finds the error; single stitch draws nothing
    QCOMPARE(box.pixel(0, 0), doble ? RGB(255, 255, 255) : RGB(1, 2, 3));
    QCOMPARE(st.listo, doble ? True : False);
}

QTEST_MAIN(TestEmbroidery)
#include "tst_embroidery.moc"
