// Chart sheets drawn straight from a work state filled by hand: sheet arithmetic, cells read back
// from the chart surface, symbol colours, the grid's thick lines, the stamp and the failure paths.
#include "chart_bench.h"
#include "render/extras_drawing.h"

#include <QtTest>

namespace {
// Grey pixels on row y between x - 2 and x + 2: 2 where a thick line stands, 1 for a thin one.
int greyAcross(const Surface& c, int x, int y)
{
    int n = 0;
    for (int d = -2; d <= 2; ++d)
        n += c.Point(x + d, y) == kGridColour ? 1 : 0;
    return n;
}
} // namespace

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void sheetSelectors_data();
    void sheetSelectors();
    void sheetPosition_data();
    void sheetPosition();
    void firstSheetSize_data();
    void firstSheetSize();
    void laterSheetCellsAreShifted();
    void stitchUnderAPoint_data();
    void stitchUnderAPoint();
    void cellColoursAndBlankCells();
    void thickLines_data();
    void thickLines();
    void symbolColour_data();
    void symbolColour();
    void noSymbolsWhenSymbolsOff();
    void stampCopy_data();
    void stampCopy();
    void oneStitchHigh_data();
    void oneStitchHigh();
    void noMemory_data();
    void noMemory();
    void placedStitchObjects_data();
    void placedStitchObjects();
};

void TestChart::sheetSelectors_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<int>("vMax");
    QTest::addColumn<int>("total");
    QTest::newRow("width 75: one sheet across and the key") << 75 << 100 << 2 << 1 << 2;
    QTest::newRow("width 76: two sheets across") << 76 << 100 << 3 << 1 << 3;
    QTest::newRow("height 110: one sheet down") << 100 << 110 << 3 << 1 << 3;
    QTest::newRow("height 111: two sheets down") << 100 << 111 << 3 << 2 << 5;
    QTest::newRow("height 150: two sheets down") << 100 << 150 << 3 << 2 << 5;
    QTest::newRow("100 x 300: 2 x 3 sheets, 7 in all") << 100 << 300 << 3 << 3 << 7;
}

void TestChart::sheetSelectors()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, hMax);
    QFETCH(int, vMax);
    QFETCH(int, total);
    QCOMPARE(hScrollMax(W), hMax);
    QCOMPARE(vScrollMax(H), vMax);
    QCOMPARE(sheetTotal(hScrollMax(W), vScrollMax(H)), total);
}

void TestChart::sheetPosition_data()
{
    QTest::addColumn<bool>("doubleStitch");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("V");
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<int>>("stitches"); // first and last column, first and last row
    QTest::newRow("(2, 3) single stitch: sheet 6") << false << 2 << 3 << 6 << QList<int> { 75, 99, 220, 299 };
    QTest::newRow("(2, 3) double stitch: sheet 6") << true << 2 << 3 << 6 << QList<int> { 75, 99, 220, 299 };
    QTest::newRow("(1, 2): sheet 3") << false << 1 << 2 << 3 << QList<int> { 0, 74, 110, 219 };
}

void TestChart::sheetPosition()
{
    QFETCH(bool, doubleStitch);
    QFETCH(int, H);
    QFETCH(int, V);
    QFETCH(int, number);
    QFETCH(QList<int>, stitches);
    ChartBench b(100, 300, doubleStitch);
    const PatternSize p = patternSize(b.st, b.picture2);
    QCOMPARE(sheetNumber(H, V, hScrollMax(p.W())), number);
    const SheetExtent e = sheetExtent(p, H, V);
    QCOMPARE((QList<int> { e.x0 / p.s, (e.x1 - p.s) / p.s, e.y0 / p.s, (e.y1 - p.s) / p.s }), stitches);
}

void TestChart::firstSheetSize_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("30 x 20: the whole pattern") << 30 << 20 << 9 * 30 + 15 << 9 * 20 + 45;
    QTest::newRow("100 x 300: clipped to 75 x 110") << 100 << 300 << 9 * 75 + 15 << 9 * 110 + 45;
}

void TestChart::firstSheetSize()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, width);
    QFETCH(int, height);
    ChartBench b(W, H);
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(b.chart.Width(), width);
    QCOMPARE(b.chart.Height(), height);
    // one unit per pixel from -5: the border's far corner is the last cell's
    QCOMPARE(b.chart.Point(9 * std::min(W, 75), 9 * std::min(H, 110)), 0);
}

void TestChart::laterSheetCellsAreShifted()
{
    ChartBench b(100, 300);
    for (int k = 0; k < 10; ++k)
        b.add(0, RGB(20 * k, 100, 200 - 10 * k));
    b.fill(100, 300, [&](int i, int j) { return b.st.tono[0][std::size_t((i + 3 * j) % 10)]; });
    b.options.symbols = false;
    QCOMPARE(drawSheet(b.job(), 2, 3, 3, 3), ChartResult::Drawn);
    QCOMPARE(b.chart.Width(), 689);
    QCOMPARE(b.chart.Height(), 1034);
    QCOMPARE(b.chart.Point(4, 4), b.st.puntos(75, 220));
    QCOMPARE(b.chart.Point(9 * 24 + 4, 9 * 79 + 4), b.st.puntos(99, 299));
    QCOMPARE(b.chart.Point(9 * 25 + 4, 4), kWhite); // beyond the pattern's last column
    QCOMPARE(b.chart.Point(4, 9 * 80 + 4), kWhite); // below its last row
}

void TestChart::stitchUnderAPoint_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("Y");
    QTest::addColumn<bool>("onACell");
    QTest::newRow("first cell") << 4.0 << 4.0 << true;
    QTest::newRow("a cell's last pixel, on its fraction") << 9.0 * 24 + 9.9 << 9.0 * 79 + 9.5 << true;
    QTest::newRow("the left border") << 0.5 << 4.0 << false;
    QTest::newRow("beyond the pattern's last column") << 9.0 * 25 + 4 << 4.0 << false;
    QTest::newRow("beyond the pattern's last row") << 4.0 << 9.0 * 80 + 4 << false;
}

// The stitch a point names is the one whose colour the sheet shows there.
void TestChart::stitchUnderAPoint()
{
    QFETCH(double, X);
    QFETCH(double, Y);
    QFETCH(bool, onACell);
    ChartBench b(100, 300);
    // 13 colours: a sheet shifted by whole sheets still shows other colours
    for (int k = 0; k < 13; ++k)
        b.add(0, RGB(15 * k, 100, 200 - 10 * k));
    b.fill(100, 300, [&](int i, int j) { return b.st.tono[0][std::size_t((i + 3 * j) % 13)]; });
    b.options.symbols = false;
    b.options.grid = false;
    QCOMPARE(drawSheet(b.job(), 2, 3, 3, 3), ChartResult::Drawn);
    int i = -1, j = -1;
    QCOMPARE(sheetStitchAt(2, 3, X, Y, 100, 300, i, j), onACell);
    if (onACell)
        QCOMPARE(b.chart.Point(X, Y), b.st.puntos(i, j));
}

void TestChart::cellColoursAndBlankCells()
{
    ChartBench b(20, 10);
    b.add(0, RGB(200, 40, 40));
    b.add(3, RGB(40, 40, 200));
    b.fill(20, 10, [](int i, int j) { return (i + j) % 2 ? RGB(200, 40, 40) : RGB(40, 40, 200); });
    b.st.puntos(5, 5) = RGB(1, 2, 3); // in no group
    b.options.symbols = false;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(b.chart.Point(9 * 1 + 4, 4), RGB(200, 40, 40));
    QCOMPARE(b.chart.Point(4, 4), RGB(40, 40, 200));
    QCOMPARE(b.chart.Point(9 * 19 + 5, 9 * 9 + 5), RGB(40, 40, 200));
    QCOMPARE(b.chart.Point(9 * 5 + 4, 9 * 5 + 4), kWhite);
}

void TestChart::thickLines_data()
{
    QTest::addColumn<int>("H"); // 0: the first sheet
    QTest::addColumn<int>("thickAt");
    QTest::addColumn<int>("thinAt");
    QTest::newRow("first sheet: at 90") << 0 << 90 << 45;
    QTest::newRow("sheet column 1: at 90") << 1 << 90 << 45;
    QTest::newRow("sheet column 2: at 45, before column 80") << 2 << 45 << 90;
    QTest::newRow("sheet column 3: at 90, before column 160") << 3 << 90 << 45;
}

void TestChart::thickLines()
{
    QFETCH(int, H);
    QFETCH(int, thickAt);
    QFETCH(int, thinAt);
    ChartBench b(250, 110);
    const ChartResult r = H == 0 ? drawFirstSheet(b.job()) : drawSheet(b.job(), H, 1, 5, 1);
    QCOMPARE(r, ChartResult::Drawn);
    QCOMPARE(greyAcross(b.chart, thickAt, 4), 2);
    QCOMPARE(greyAcross(b.chart, thinAt, 4), 1);
    // rows count from the pattern's top on every sheet
    auto greyDown = [&](int y) {
        int n = 0;
        for (int d = -2; d <= 2; ++d)
            n += b.chart.Point(4, y + d) == kGridColour ? 1 : 0;
        return n;
    };
    QCOMPARE(greyDown(90), 2);
    QCOMPARE(greyDown(45), 1);
}

void TestChart::symbolColour_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<bool>("colours");
    QTest::addColumn<Long>("background");
    QTest::addColumn<Long>("symbol");
    QTest::newRow("light colour: black") << RGB(250, 250, 200) << true << RGB(250, 250, 200) << Long(0);
    QTest::newRow("sum 501 is light: black") << RGB(167, 167, 167) << true << RGB(167, 167, 167) << Long(0);
    QTest::newRow("sum 500 is dark: white") << RGB(166, 167, 167) << true << RGB(166, 167, 167) << kWhite;
    QTest::newRow("dark colour: white") << RGB(20, 30, 90) << true << RGB(20, 30, 90) << kWhite;
    QTest::newRow("colours off: black on white") << RGB(20, 30, 90) << false << kWhite << Long(0);
}

void TestChart::symbolColour()
{
    QFETCH(Long, colour);
    QFETCH(bool, colours);
    QFETCH(Long, background);
    QFETCH(Long, symbol);
    ChartBench b(4, 4);
    b.add(0, colour);
    b.fill(4, 4, [&](int, int) { return colour; });
    b.options.colours = colours;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    const QVector<Long> px = cellPixels(b.chart, 1, 1);
    QVERIFY(px.count(background) > 0);
    QVERIFY(px.count(symbol) >= 3);
    QCOMPARE(px.count(background) + px.count(symbol), px.size());
}

void TestChart::noSymbolsWhenSymbolsOff()
{
    ChartBench b(4, 4);
    b.add(0, RGB(20, 30, 90));
    b.fill(4, 4, [](int, int) { return RGB(20, 30, 90); });
    b.options.symbols = false;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(countOther(cellPixels(b.chart, 2, 2), RGB(20, 30, 90)), 0);
    QCOMPARE(drawSheet(b.job(), 1, 1, 2, 1), ChartResult::Drawn);
    QCOMPARE(countOther(cellPixels(b.chart, 2, 2), RGB(20, 30, 90)), 0);
}

void TestChart::stampCopy_data()
{
    QTest::addColumn<bool>("colours");
    QTest::newRow("colours on: as it is") << true;
    QTest::newRow("colours off: grey") << false;
}

void TestChart::stampCopy()
{
    QFETCH(bool, colours);
    ChartBench b(80, 20);
    b.stamp.PSet(7, 3, RGB(200, 10, 4)); // grey Int(214 / 3) = 71
    b.options.colours = colours;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    const double top = b.chart.ScaleHeight() - 37;
    QCOMPARE(b.chart.Point(7, top + 3), colours ? RGB(200, 10, 4) : RGB(71, 71, 71));
    int coloured = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const Components c = split(b.chart.Point(x, top + y));
            coloured += c.r != c.g || c.g != c.b ? 1 : 0;
        }
    QCOMPARE(coloured > 0, colours);
}

void TestChart::oneStitchHigh_data()
{
    QTest::addColumn<bool>("firstSheet");
    QTest::newRow("first sheet") << true;
    QTest::newRow("sheet (1, 1)") << false;
}

void TestChart::oneStitchHigh()
{
    QFETCH(bool, firstSheet);
    ChartBench b(30, 1);
    b.add(0, RGB(20, 30, 90));
    b.fill(30, 1, [](int, int) { return RGB(20, 30, 90); });
    const ChartResult r = firstSheet ? drawFirstSheet(b.job()) : drawSheet(b.job(), 1, 1, 2, 1);
    QCOMPARE(r, ChartResult::SizeError);
    QCOMPARE(b.reported, QStringList { QStringLiteral("Error en el tamaño de la imagen") });
    QCOMPARE(b.chart.Point(4, 4), kWhite); // no cells, no grid
    QCOMPARE(b.chart.Point(0, 0), kWhite);
    QCOMPARE(b.chart.Point(40, b.chart.ScaleHeight() - 37 + 15), b.stamp.Point(40, 15));
}

void TestChart::noMemory_data()
{
    QTest::addColumn<int>("page"); // 0 first sheet, 1 a later sheet, 2 the key
    QTest::newRow("first sheet") << 0;
    QTest::newRow("later sheet") << 1;
    QTest::newRow("key") << 2;
}

void TestChart::noMemory()
{
    QFETCH(int, page);
    ChartBench b(75, 110);
    const int saved = chartSideLimit();
    chartSideLimit() = 600;
    const ChartResult r = page == 0 ? drawFirstSheet(b.job())
        : page == 1                 ? drawSheet(b.job(), 1, 1, 2, 1)
                                    : drawKey(b.job(), 2, nullptr);
    chartSideLimit() = saved;
    QCOMPARE(r, ChartResult::NoMemory);
}

void TestChart::placedStitchObjects_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QList<QPoint>>("filled"); // pixels of 10-pixel cells
    QTest::addColumn<QList<QPoint>>("bare");
    QTest::newRow("tent, direction 1: top left to bottom right")
        << "tent"
        << "1" << QPointF(1, 1) << QList<QPoint> { { 12, 12 }, { 18, 18 } } << QList<QPoint> { { 18, 12 }, { 12, 18 } };
    QTest::newRow("tent, direction 2: bottom left to top right")
        << "tent"
        << "2" << QPointF(1, 1) << QList<QPoint> { { 18, 12 }, { 12, 18 } } << QList<QPoint> { { 12, 12 }, { 18, 18 } };
    QTest::newRow("full cross between the cells: a cell's square from its point")
        << "fullcross"
        << "" << QPointF(1.5, 1.5) << QList<QPoint> { { 16, 16 }, { 23, 23 } }
        << QList<QPoint> { { 14, 14 }, { 26, 26 } };
    QTest::newRow("a kind not drawn: nothing")
        << "3x2"
        << "" << QPointF(1, 1) << QList<QPoint> {} << QList<QPoint> { { 12, 12 }, { 18, 12 } };
}

void TestChart::placedStitchObjects()
{
    QFETCH(QString, kind);
    QFETCH(QString, direction);
    QFETCH(QPointF, at);
    QFETCH(QList<QPoint>, filled);
    QFETCH(QList<QPoint>, bare);
    Pattern p;
    p.extras.threads = { { 666, RGB(227, 29, 66), QStringLiteral("A") } };
    StitchObject o { at.x(), at.y(), 0, kind, {} };
    if (!direction.isEmpty())
        o.more = { { QStringLiteral("direction"), direction } };
    p.extras.objects = { o };
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ExtrasView view;
    view.cell = 10;
    view.cells = QRect(0, 0, 4, 4);
    view.symbols = false;
    drawStitchExtras(painter, p, view);
    painter.end();
    for (const QPoint& px : filled)
        QCOMPARE(image.pixelColor(px), QColor(227, 29, 66));
    for (const QPoint& px : bare)
        QCOMPARE(image.pixelColor(px), QColor(Qt::white));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
