// The drawing surface: reading pixels back, lines with both ends, boxes, pen width, the
// inverting mode, clearing, text position, custom scales and resizing; large pictures and arrays
// in fresh memory.
#include "surface/fresh_memory.h"
#include "surface/surface.h"

#include <QtTest>

namespace {
const Long kWhite = RGB(255, 255, 255);
const Long kRed = RGB(255, 0, 0);
const Long kBlue = RGB(0, 0, 255);

// Every pixel that is not the background, as "x,y" texts in row order.
QStringList inkedPixels(const Surface& s, Long background = kWhite)
{
    QStringList out;
    for (int y = 0; y < s.pixelHeight(); ++y)
        for (int x = 0; x < s.pixelWidth(); ++x)
            if (s.Point(x, y) != background)
                out << QStringLiteral("%1,%2").arg(x).arg(y);
    return out;
}

// A surface with a different colour in every pixel, so an inverting stroke is seen everywhere.
Surface patterned(int w, int h)
{
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.PSet(x, y, RGB((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
    return s;
}
} // namespace

class TestSurface : public QObject {
    Q_OBJECT
private slots:
    void pointOutsideIsMinusOne_data();
    void pointOutsideIsMinusOne();
    void psetPointRoundTrip_data();
    void psetPointRoundTrip();
    void lineIncludesBothEnds_data();
    void lineIncludesBothEnds();
    void boxOutlineCornersNoFill();
    void filledBoxExactExtent();
    void drawWidthTwoLines_data();
    void drawWidthTwoLines();
    void drawWidthTwoThinBoxIsWhole();
    void invertTwiceRestores_data();
    void invertTwiceRestores();
    void invertPsetAndCrossingLines();
    void clsClearsToBackColorAndHomesText();
    void textContinuesWithoutLineEnd();
    void textLineEndGoesToLeftEdgeOfNextLine();
    void customScaleMapsToPixels();
    void outerSizeIsInsidePlusFour();
    void resizeKeepsDrawnPicture();
    void setSizeAllocatesOnlyForANewSize();
    void freshArrayStartsAtNought_data();
    void freshArrayStartsAtNought();
    void emptySurfaceIsValidAndReadsOutside();
};

void TestSurface::pointOutsideIsMinusOne_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("left of the surface") << -1.0 << 5.0;
    QTest::newRow("above the surface") << 5.0 << -1.0;
    QTest::newRow("just past the right edge") << 10.0 << 5.0;
    QTest::newRow("just past the bottom edge") << 5.0 << 8.0;
    QTest::newRow("a fraction left of 0") << -0.5 << 0.0;
    QTest::newRow("far right") << 1e12 << 0.0;
    QTest::newRow("far up and left") << -1e12 << -1e12;
    QTest::newRow("far below") << 0.0 << 3e9;
}

void TestSurface::pointOutsideIsMinusOne()
{
    QFETCH(double, x);
    QFETCH(double, y);
    Surface s(10, 8);
    s.Cls();
    QCOMPARE(s.Point(x, y), Long(-1));
    s.PSet(x, y, kRed); // ignored outside
    QVERIFY(inkedPixels(s).isEmpty());
}

void TestSurface::psetPointRoundTrip_data()
{
    QTest::addColumn<Long>("colour");
    QTest::newRow("black") << Long(0);
    QTest::newRow("red is the low byte") << RGB(255, 0, 0);
    QTest::newRow("green is the middle byte") << RGB(0, 255, 0);
    QTest::newRow("blue is the high byte") << RGB(0, 0, 255);
    QTest::newRow("a mixed colour") << RGB(12, 34, 56);
    QTest::newRow("dark grey") << QBColor(8);
    QTest::newRow("white") << QBColor(15);
}

void TestSurface::psetPointRoundTrip()
{
    QFETCH(Long, colour);
    Surface s(5, 5);
    s.PSet(3, 2, colour);
    QCOMPARE(s.Point(3, 2), colour);
    QCOMPARE(s.Point(2, 3), kWhite);
}

void TestSurface::lineIncludesBothEnds_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("pixels");
    QTest::newRow("horizontal 2..10") << QPoint(2, 3) << QPoint(10, 3) << 9;
    QTest::newRow("horizontal drawn backwards") << QPoint(10, 3) << QPoint(2, 3) << 9;
    QTest::newRow("vertical 1..6") << QPoint(4, 1) << QPoint(4, 6) << 6;
    QTest::newRow("diagonal") << QPoint(1, 1) << QPoint(7, 7) << 7;
    QTest::newRow("steep") << QPoint(2, 0) << QPoint(5, 9) << 10;
    QTest::newRow("one point") << QPoint(5, 5) << QPoint(5, 5) << 1;
}

void TestSurface::lineIncludesBothEnds()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, pixels);
    Surface s(12, 12);
    s.Line(from.x(), from.y(), to.x(), to.y(), kRed);
    QCOMPARE(s.Point(from.x(), from.y()), kRed);
    QCOMPARE(s.Point(to.x(), to.y()), kRed);
    QCOMPARE(inkedPixels(s).size(), pixels);
    QCOMPARE(s.CurrentX, double(to.x()));
    QCOMPARE(s.CurrentY, double(to.y()));
}

void TestSurface::boxOutlineCornersNoFill()
{
    Surface s(12, 12);
    s.Line(2, 3, 8, 7, kBlue, LineKind::Box);
    for (const QPoint p : { QPoint(2, 3), QPoint(8, 3), QPoint(2, 7), QPoint(8, 7), QPoint(5, 3), QPoint(2, 5) })
        QCOMPARE(s.Point(p.x(), p.y()), kBlue);
    QCOMPARE(s.Point(5, 5), kWhite);
    QCOMPARE(s.Point(9, 3), kWhite);
    QCOMPARE(s.Point(2, 8), kWhite);
    // the outline of a 7 by 5 box: 2 * 7 + 2 * 3 pixels
    QCOMPARE(inkedPixels(s).size(), 20);
}

void TestSurface::filledBoxExactExtent()
{
    Surface s(12, 12);
    s.Line(8, 7, 2, 3, kBlue, LineKind::FilledBox);
    QStringList expected;
    for (int y = 3; y <= 7; ++y)
        for (int x = 2; x <= 8; ++x)
            expected << QStringLiteral("%1,%2").arg(x).arg(y);
    QCOMPARE(inkedPixels(s), expected);
}

void TestSurface::drawWidthTwoLines_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("horizontal line two rows thick") << true;
    QTest::newRow("vertical line two columns thick") << false;
}

void TestSurface::drawWidthTwoLines()
{
    QFETCH(bool, horizontal);
    Surface s(12, 12);
    s.DrawWidth = 2;
    if (horizontal)
        s.Line(2, 5, 9, 5, kRed);
    else
        s.Line(5, 2, 5, 9, kRed);
    const QStringList inked = inkedPixels(s);
    QCOMPARE(inked.size(), 16);
    QVERIFY(inked.contains(QStringLiteral("5,5")));
    QVERIFY(horizontal ? inked.contains(QStringLiteral("2,5")) && inked.contains(QStringLiteral("9,5"))
                       : inked.contains(QStringLiteral("5,2")) && inked.contains(QStringLiteral("5,9")));
}

void TestSurface::drawWidthTwoThinBoxIsWhole()
{
    // a box one pixel high drawn with a 2-pixel pen covers both of its edges in full
    Surface s(12, 12);
    s.DrawWidth = 2;
    s.Line(2, 5, 8, 6, kRed, LineKind::Box);
    for (int x = 2; x <= 8; ++x) {
        QCOMPARE(s.Point(x, 5), kRed);
        QCOMPARE(s.Point(x, 6), kRed);
    }
}

void TestSurface::invertTwiceRestores_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::newRow("line") << int(LineKind::Line) << 1;
    QTest::newRow("diagonal line, width 2") << int(LineKind::Line) << 2;
    QTest::newRow("box outline") << int(LineKind::Box) << 1;
    QTest::newRow("box outline, width 3") << int(LineKind::Box) << 3;
    QTest::newRow("filled box") << int(LineKind::FilledBox) << 1;
}

void TestSurface::invertTwiceRestores()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    Surface s = patterned(20, 16);
    const QImage before = s.Image().copy();
    s.DrawMode = DrawModeKind::Invert;
    s.DrawWidth = width;
    s.Line(3, 2, 15, 12, kRed, LineKind(kind));
    QVERIFY(s.Image() != before);
    // the first drawing inverts: a pixel on the stroke becomes its complement
    const Long p = colourFromRgb(before.pixel(3, 2));
    QCOMPARE(s.Point(3, 2), Long(0xFFFFFF - p));
    s.Line(3, 2, 15, 12, kRed, LineKind(kind));
    QCOMPARE(s.Image(), before);
}

void TestSurface::invertPsetAndCrossingLines()
{
    Surface s = patterned(16, 16);
    const QImage before = s.Image().copy();
    s.DrawMode = DrawModeKind::Invert;
    // a cross: the centre pixel is inverted twice by the first drawing
    s.Line(2, 8, 13, 8, kRed);
    s.Line(8, 2, 8, 13, kRed);
    QCOMPARE(s.Point(8, 8), colourFromRgb(before.pixel(8, 8)));
    s.Line(1, 1, 14, 14, kRed);
    s.Line(1, 14, 14, 1, kRed);
    s.PSet(4, 4, kRed);
    s.Line(2, 8, 13, 8, kRed);
    s.Line(8, 2, 8, 13, kRed);
    s.Line(1, 1, 14, 14, kRed);
    s.Line(1, 14, 14, 1, kRed);
    s.PSet(4, 4, kRed);
    QCOMPARE(s.Image(), before);
}

void TestSurface::clsClearsToBackColorAndHomesText()
{
    Surface s(10, 10);
    s.Line(0, 0, 9, 9, kRed, LineKind::FilledBox);
    s.CurrentX = 7;
    s.CurrentY = 4;
    s.BackColor = RGB(10, 20, 30);
    s.Cls();
    QCOMPARE(inkedPixels(s, RGB(10, 20, 30)), QStringList());
    QCOMPARE(s.CurrentX, 0.0);
    QCOMPARE(s.CurrentY, 0.0);
}

void TestSurface::textContinuesWithoutLineEnd()
{
    Surface s(200, 60);
    s.CurrentX = 5;
    s.CurrentY = 3;
    const double w = s.TextWidth(QStringLiteral("Hola"));
    QVERIFY(w > 0);
    s.Print(QStringLiteral("Hola"), false);
    QCOMPARE(s.CurrentX, 5 + w);
    QCOMPARE(s.CurrentY, 3.0);
    QVERIFY(!inkedPixels(s).isEmpty());
    s.Print(QStringLiteral("Hola"), false);
    QCOMPARE(s.CurrentX, 5 + 2 * w);
}

void TestSurface::textLineEndGoesToLeftEdgeOfNextLine()
{
    Surface s(200, 60);
    s.CurrentX = 40;
    s.CurrentY = 3;
    s.Print(QStringLiteral("Hola"));
    QCOMPARE(s.CurrentX, 0.0);
    QCOMPARE(s.CurrentY, 3 + s.TextHeight());
    // with a scale of its own the left edge is ScaleLeft
    Surface t(200, 60);
    t.setScaleLeft(-10);
    t.CurrentX = 20;
    t.Print(QStringLiteral("x"));
    QCOMPARE(t.CurrentX, -10.0);
}

void TestSurface::customScaleMapsToPixels()
{
    Surface s(20, 20);
    s.setScaleLeft(-5);
    s.setScaleTop(-5);
    s.PSet(-5, -5, kRed);
    QCOMPARE(s.pixel(0, 0), kRed);
    QCOMPARE(s.Point(-5, -5), kRed);
    QCOMPARE(s.Point(-6, -5), Long(-1));
    s.PSet(0, 0, kBlue);
    QCOMPARE(s.pixel(5, 5), kBlue);
    // a scale of 10 units across 20 pixels: one unit is two pixels
    Surface t(20, 20);
    t.setScaleWidth(10);
    t.setScaleHeight(10);
    t.PSet(3, 4, kRed);
    QCOMPARE(t.pixel(6, 8), kRed);
    QCOMPARE(t.Point(9.9, 9.9), kWhite);
    QCOMPARE(t.Point(10, 5), Long(-1));
}

void TestSurface::outerSizeIsInsidePlusFour()
{
    Surface s(300, 225);
    QCOMPARE(s.Width(), 304);
    QCOMPARE(s.Height(), 229);
    s.setWidth(154);
    s.setHeight(115);
    QCOMPARE(s.ScaleWidth(), 150.0);
    QCOMPARE(s.ScaleHeight(), 111.0);
    QCOMPARE(s.pixelWidth(), 150);
    QCOMPARE(s.pixelHeight(), 111);
    Surface strip(13, 11, 0);
    QCOMPARE(strip.Width(), 13);
}

void TestSurface::resizeKeepsDrawnPicture()
{
    Surface s(10, 10);
    s.PSet(2, 3, kRed);
    s.PSet(9, 9, kBlue);
    s.setWidth(24); // inside 20
    s.setHeight(9); // inside 5
    QCOMPARE(s.Point(2, 3), kRed);
    QCOMPARE(s.Point(15, 2), kWhite);
    QCOMPARE(s.Point(9, 9), Long(-1));
    s.setHeight(24);
    QCOMPARE(s.Point(2, 3), kRed);
    // the part cut off by the smaller size is gone
    QCOMPARE(s.Point(9, 9), kWhite);
}

// A large picture (in fresh memory, 2 MB-aligned): the same size keeps it where it is, a new size
// without keeping leaves the drawing to the caller, and a copy taken before keeps its pixels.
void TestSurface::setSizeAllocatesOnlyForANewSize()
{
    Surface s(1000, 800);
    s.PSet(5, 5, kRed);
    const uchar* before = s.Image().constBits();
    QCOMPARE(reinterpret_cast<quintptr>(before) % (quintptr(2) << 20), quintptr(0));
    s.setSize(1004, 804, false);
    QCOMPARE(s.Image().constBits(), before);
    QCOMPARE(s.Point(5, 5), kRed);
    const QImage held = s.Image();
    s.setSize(1204, 904, true);
    QCOMPARE(s.Point(5, 5), kRed);
    QCOMPARE(s.Point(1100, 850), kWhite);
    QCOMPARE(s.ScaleWidth(), 1200.0);
    s.setSize(704, 604, false);
    s.Cls();
    QVERIFY(s.imageValid());
    QCOMPARE(s.Point(5, 5), kWhite);
    QCOMPARE(held.pixel(5, 5), rgbFromColour(kRed));
}

void TestSurface::freshArrayStartsAtNought_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("small, from the heap") << 1000;
    QTest::newRow("large, fresh from the system") << 3000000;
}

void TestSurface::freshArrayStartsAtNought()
{
    QFETCH(int, count);
    FreshArray<Long> a(static_cast<std::size_t>(count));
    QCOMPARE(a.size(), std::size_t(count));
    QVERIFY(std::all_of(a.begin(), a.end(), [](Long v) { return v == 0; }));
    a[std::size_t(count - 1)] = 7;
    FreshArray<Long> b = a;
    QVERIFY(b == a);
    b[0] = 1;
    QVERIFY(!(b == a));
    QCOMPARE(a[std::size_t(count - 1)], Long(7));
}

void TestSurface::emptySurfaceIsValidAndReadsOutside()
{
    Surface s(0, 0);
    QVERIFY(s.imageValid());
    QCOMPARE(s.Point(0, 0), Long(-1));
    s.Line(0, 0, 5, 5, kRed);
    s.Line(0, 0, 5, 5, kRed, LineKind::Box);
    s.Cls();
    s.setWidth(304);
    QVERIFY(s.imageValid());
    s.setHeight(304);
    QVERIFY(s.imageValid());
    QCOMPARE(s.Point(299, 299), kWhite);
}

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
