// The inverting ten-stitch grid over the embroidery picture.
#include "views/embroidery_grid.h"

#include <QtTest>

namespace {
// A picture with a different colour in every pixel, so any stray or missing inversion shows.
void fillDistinct(Surface& s)
{
    for (int y = 0; y < s.pixelHeight(); ++y)
        for (int x = 0; x < s.pixelWidth(); ++x)
            s.setPixel(x, y, RGB(x % 256, y % 256, (x * 7 + y * 3) % 256));
}

bool inverted(const Surface& s, const QImage& before, int x, int y)
{
    return s.pixel(x, y) == (colourFromRgb(before.pixel(x, y)) ^ 0xffffff);
}
} // namespace

class TestEmbroideryGrid : public QObject {
    Q_OBJECT
private slots:
    void linesEveryTenStitches_data();
    void linesEveryTenStitches();
    void crossingsKeepTheirColour_data();
    void crossingsKeepTheirColour();
    void drawnTwiceLeavesThePicture();
};

void TestEmbroideryGrid::linesEveryTenStitches_data()
{
    QTest::addColumn<bool>("doble");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("single stitch, 100 stitches: every 30 pixels")
        << false << 300 << 300 << QList<int> { 30, 60, 90, 120, 150, 180, 210, 240, 270 };
    QTest::newRow("double stitch, 40 stitches: every 90 pixels") << true << 360 << 180 << QList<int> { 90, 180, 270 };
    QTest::newRow("single stitch, 35 stitches: last line at 90") << false << 105 << 60 << QList<int> { 30, 60, 90 };
}

void TestEmbroideryGrid::linesEveryTenStitches()
{
    QFETCH(bool, doble);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QList<int>, lines);
    Surface s(width, height);
    fillDistinct(s);
    const QImage before = s.Image().copy();
    drawTenStitchGrid(s, doble);
    QCOMPARE(s.DrawMode, DrawModeKind::Copy);
    // a row between horizontal lines: only the vertical lines and the left edge are inverted
    const int y = 13;
    QList<int> found;
    for (int x = 1; x < width; ++x)
        if (inverted(s, before, x, y))
            found.append(x);
        else
            QCOMPARE(s.pixel(x, y), colourFromRgb(before.pixel(x, y)));
    QCOMPARE(found, lines);
    QVERIFY(inverted(s, before, 0, y));
    // and the same lines across, checked down the column just right of the outline
    QList<int> across;
    for (int yy = 1; yy < height; ++yy)
        if (inverted(s, before, 1, yy))
            across.append(yy);
    const int g = doble ? 90 : 30;
    QList<int> expected;
    for (int v = g; v < height; v += g)
        expected.append(v);
    QCOMPARE(across, expected);
}

void TestEmbroideryGrid::crossingsKeepTheirColour_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("two grid lines") << 30 << 60;
    QTest::newRow("a vertical line and the top edge") << 90 << 0;
    QTest::newRow("a horizontal line and the left edge") << 0 << 120;
}

void TestEmbroideryGrid::crossingsKeepTheirColour()
{
    QFETCH(int, x);
    QFETCH(int, y);
    Surface s(150, 150);
    fillDistinct(s);
    const QImage before = s.Image().copy();
    drawTenStitchGrid(s, false);
    QCOMPARE(s.pixel(x, y), colourFromRgb(before.pixel(x, y)));
    QVERIFY(inverted(s, before, x + 1, y) || inverted(s, before, x, y + 1));
}

void TestEmbroideryGrid::drawnTwiceLeavesThePicture()
{
    Surface s(300, 210);
    fillDistinct(s);
    const QImage before = s.Image().copy();
    drawTenStitchGrid(s, false);
    QVERIFY(s.Image() != before);
    drawTenStitchGrid(s, false);
    QCOMPARE(s.Image(), before);
}

QTEST_APPLESS_MAIN(TestEmbroideryGrid)
#include "tst_embroidery_grid.moc"
