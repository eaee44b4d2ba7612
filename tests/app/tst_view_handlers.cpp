// The view options and the mouse on the embroidery, the working picture and the chart, through
// the main window's handlers.
#include "render/embroidery.h"
#include "window_support.h"
#include "work_loader.h"

#include <QtTest>

namespace {
// Stitch (col, row) of a single-stitch picture painted in one colour; distinct per stitch.
Long stitchColour(int col, int row) { return RGB(20 + 7 * col, 30 + 5 * row, 200 - 3 * col - 2 * row); }

void paintStitches(Surface& s, int size)
{
    for (int y = 0; y < s.pixelHeight(); ++y)
        for (int x = 0; x < s.pixelWidth(); ++x)
            s.setPixel(x, y, stitchColour(x / size, y / size));
}

// Strip g holds `n` swatches of the given colours, drawn as the palette draws them.
void drawStrip(Surface& strip, const std::vector<Long>& colours)
{
    strip.Cls();
    for (std::size_t k = 0; k < colours.size(); ++k) {
        const int x = 10 * int(k);
        strip.Line(x, 0, x + 10, 10, colours[k], LineKind::FilledBox);
        strip.Line(x, 0, x + 10, 10, RGB(255, 255, 255), LineKind::Box);
    }
}

} // namespace

class TestViewHandlers : public QObject {
    Q_OBJECT
private slots:
    void gridTwiceLeavesThePicture_data();
    void gridTwiceLeavesThePicture();
    void symbolsAndColours_data();
    void symbolsAndColours();
    void chartViewSwitch();
    void finderScrollsToThePage_data();
    void finderScrollsToThePage();
    void finderWithoutMatchLeavesTheMarker();
    void magnifier_data();
    void magnifier();
    void panFollowsThePointer();
    void busyMovesDoNothingButDragsStillStartAndEnd();
    void grabbingAndHoveringCursors();
    void otherPicturesDrag_data();
    void otherPicturesDrag();
};

void TestViewHandlers::gridTwiceLeavesThePicture_data()
{
    QTest::addColumn<bool>("doble");
    QTest::newRow("single stitch") << false;
    QTest::newRow("double stitch") << true;
}

void TestViewHandlers::gridTwiceLeavesThePicture()
{
    QFETCH(bool, doble);
    WorkFolder folder;
    auto f = startedForm();
    load(f->work).punto_doble = flag(doble);
    paintStitches(f->work.Picture2, doble ? 9 : 3);
    const QImage before = f->work.Picture2.Image().copy();
    setCheckValue(f->Check2, 1);
    QVERIFY(f->work.Picture2.Image() != before);
    const int g = doble ? 90 : 30;
    QCOMPARE(f->work.Picture2.pixel(g, 5), colourFromRgb(before.pixel(g, 5)) ^ 0xffffff);
    QCOMPARE(f->work.Picture2.pixel(g - 1, 5), colourFromRgb(before.pixel(g - 1, 5)));
    setCheckValue(f->Check2, 0);
    QCOMPARE(f->work.Picture2.Image(), before);
}

void TestViewHandlers::symbolsAndColours_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("otherBefore");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("symbols");
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("redraws");
    QTest::newRow("unticking symbols with colours off ticks colours") << "Check4" << 0 << false << 0 << 1 << 1;
    QTest::newRow("unticking colours with symbols off ticks symbols") << "Check5" << 0 << false << 1 << 0 << 1;
    QTest::newRow("unticking symbols with colours on") << "Check4" << 1 << false << 0 << 1 << 1;
    QTest::newRow("while busy the box changes, the chart does not") << "Check4" << 0 << true << 0 << 0 << 0;
}

void TestViewHandlers::symbolsAndColours()
{
    QFETCH(QString, box);
    QFETCH(int, otherBefore);
    QFETCH(bool, busy);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    QCheckBox* clicked = box == QLatin1String("Check4") ? f->Check4 : f->Check5;
    QCheckBox* other = clicked == f->Check4 ? f->Check5 : f->Check4;
    load(f->work).listo = False;
    setCheckValue(other, otherBefore);
    load(f->work).listo = flag(!busy);
    ChartCounter chart(f->work.Picture11);
    setCheckValue(clicked, 0);
    QTEST(checkValue(f->Check4), "symbols");
    QTEST(checkValue(f->Check5), "colours");
    QTEST(chart.count, "redraws");
    QCOMPARE(f->work.state().listo, flag(!busy));
}

void TestViewHandlers::chartViewSwitch()
{
    WorkFolder folder;
    auto f = startedForm();
    setCheckValue(f->Check3, 1);
    QVERIFY(f->work.Picture11.Visible());
    QVERIFY(!f->work.Picture3.Visible());
    QVERIFY(!f->Check4->isHidden());
    QCOMPARE(f->work.state().listo, True);
    setCheckValue(f->Check3, 0);
    QVERIFY(!f->work.Picture11.Visible());
    QVERIFY(f->work.Picture3.Visible());
    QVERIFY(f->Check4->isHidden());
}

void TestViewHandlers::finderScrollsToThePage_data()
{
    QTest::addColumn<bool>("doble");
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::addColumn<int>("stripLeft");
    QTest::addColumn<int>("markerLeft");
    QTest::addColumn<int>("markerTop");
    // the stitch under the pointer is swatch 25 of strip 2 (its colour is also swatch 40's)
    QTest::newRow("single stitch, k 25: page 1") << false << 7 << 4 << -196 << 52 << 22;
    QTest::newRow("double stitch reads 9-pixel stitches") << true << 20 << 12 << -196 << 52 << 22;
}

void TestViewHandlers::finderScrollsToThePage()
{
    QFETCH(bool, doble);
    QFETCH(int, X);
    QFETCH(int, Y);
    WorkFolder folder;
    auto f = startedForm();
    const int s = doble ? 9 : 3;
    load(f->work).punto_doble = flag(doble);
    paintStitches(f->work.Picture2, s);
    const Long c = stitchColour(X / s, Y / s);
    std::vector<Long> strip(45, RGB(1, 2, 3));
    strip[25] = c;
    strip[40] = c;
    drawStrip(f->work.Picture8[2], strip);
    load(f->work).num_tono = { 0, 0, 45, 0, 0, 0 };
    f->Picture2_MouseMove(0, 0, X, Y);
    QTEST(f->work.Picture8[2].Left(), "stripLeft");
    QTEST(f->Picture9.Left(), "markerLeft");
    QTEST(f->Picture9.Top(), "markerTop");
    QCOMPARE(f->Picture9.BackColor, c);
    QCOMPARE(f->Picture9.pixel(7, 7), c);
}

void TestViewHandlers::finderWithoutMatchLeavesTheMarker()
{
    WorkFolder folder;
    auto f = startedForm();
    paintStitches(f->work.Picture2, 3);
    drawStrip(f->work.Picture8[0], std::vector<Long>(30, RGB(1, 2, 3)));
    load(f->work).num_tono = { 30, 0, 0, 0, 0, 0 };
    f->work.Picture8[0].setLeft(-196);
    f->Picture9.move(33, 12);
    f->Picture2_MouseMove(0, 0, 40, 40);
    QCOMPARE(f->work.Picture8[0].Left(), -196);
    QCOMPARE(f->Picture9.Left(), 33);
    QCOMPARE(f->Picture9.Top(), 12);
}

void TestViewHandlers::magnifier_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("doble");
    QTest::addColumn<bool>("dragging");
    QTest::addColumn<int>("X");
    QTest::addColumn<bool>("shown");
    QTest::newRow("ticked, single stitch, middle of the picture") << true << false << false << 13 << true;
    QTest::newRow("ticked, pointer on the first column") << true << false << false << 1 << true;
    QTest::newRow("not ticked") << false << false << false << 13 << false;
    QTest::newRow("double stitch never magnifies") << true << true << false << 13 << false;
    QTest::newRow("not while dragging") << true << false << true << 13 << false;
}

void TestViewHandlers::magnifier()
{
    QFETCH(bool, ticked);
    QFETCH(bool, doble);
    QFETCH(bool, dragging);
    QFETCH(int, X);
    WorkFolder folder;
    auto f = startedForm();
    setCheckValue(f->Check1, ticked ? 1 : 0);
    load(f->work).punto_doble = flag(doble);
    f->drag.arrastrando = flag(dragging);
    paintStitches(f->work.Picture2, 3);
    const Long background = RGB(240, 240, 240);
    f->Picture10.BackColor = background;
    f->Picture10.Cls();
    const int Y = 7; // stitch row 2
    f->Picture2_MouseMove(0, 0, X, Y);
    QFETCH(bool, shown);
    if (!shown) {
        QCOMPARE(f->Picture10.pixel(1, 1), background);
        return;
    }
    const int col = X / 3;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            // pixel (1, 1) of a double-stitch cell is the thread colour itself; (4, 0) is not drawn
            const int c = col - 1 + i, r = Y / 3 - 1 + j;
            const Long expected = c < 0 ? RGB(255, 255, 255) : stitchColour(c, r);
            QCOMPARE(f->Picture10.pixel(9 * i + 1, 9 * j + 1), expected);
            QCOMPARE(f->Picture10.pixel(9 * i + 4, 9 * j), background);
        }
    }
    // the whole of each cell is the double-stitch picture of its stitch
    Surface cell(27, 27, 0);
    cell.BackColor = background;
    cell.Cls();
    drawDoubleStitchCell(cell, 9, 9, stitchColour(col, Y / 3));
    QCOMPARE(f->Picture10.Image().copy(9, 9, 9, 9), cell.Image().copy(9, 9, 9, 9));
}

void TestViewHandlers::panFollowsThePointer()
{
    WorkFolder folder;
    auto f = startedForm();
    f->work.Picture2.move(-2, -2);
    f->Picture2_MouseDown(1, 0, 10, 10);
    f->Picture2_MouseMove(1, 0, 25, 5);
    QCOMPARE(f->work.Picture2.Left(), 13);
    QCOMPARE(f->work.Picture2.Top(), -7);
    // the next event comes in the moved picture's coordinates: the grabbed point is 10, 10 again
    f->Picture2_MouseMove(1, 0, 10, 10);
    QCOMPARE(f->work.Picture2.Left(), 13);
    f->Picture2_MouseMove(1, 0, -390, 10);
    QCOMPARE(f->work.Picture2.Left(), -387);
    f->Picture2_MouseUp(1, 0, -390, 10);
    QCOMPARE(f->drag.arrastrando, False);
    f->Picture2_MouseMove(0, 0, 0, 10);
    QCOMPARE(f->work.Picture2.Left(), -387);
}

void TestViewHandlers::busyMovesDoNothingButDragsStillStartAndEnd()
{
    WorkFolder folder;
    auto f = startedForm();
    setCheckValue(f->Check1, 1);
    paintStitches(f->work.Picture2, 3);
    drawStrip(f->work.Picture8[0], { stitchColour(4, 4) });
    load(f->work).num_tono = { 1, 0, 0, 0, 0, 0 };
    f->Picture10.Cls();
    const QImage lupa = f->Picture10.Image().copy();
    load(f->work).listo = False;
    f->Picture2_MouseMove(0, 0, 13, 13);
    QCOMPARE(f->Picture9.Left(), -15);
    QCOMPARE(f->Picture10.Image(), lupa);
    f->Picture2_MouseDown(1, 0, 13, 13);
    QCOMPARE(f->drag.arrastrando, True);
    QCOMPARE(f->drag.x_arrastre, Single(13));
    const int left = f->work.Picture2.Left();
    f->Picture2_MouseMove(1, 0, 50, 13);
    QCOMPARE(f->work.Picture2.Left(), left);
    f->Picture2_MouseUp(1, 0, 50, 13);
    QCOMPARE(f->drag.arrastrando, False);
}

void TestViewHandlers::grabbingAndHoveringCursors()
{
    WorkFolder folder;
    auto f = startedForm();
    f->Picture2_MouseMove(0, 0, 5, 5);
    QCOMPARE(f->work.Picture2.MousePointer(), 99);
    const QImage hover = f->work.Picture2.MouseIcon().pixmap().toImage();
    QVERIFY(!hover.isNull());
    f->Picture2_MouseDown(1, 0, 5, 5);
    const QImage grab = f->work.Picture2.MouseIcon().pixmap().toImage();
    QVERIFY(!grab.isNull());
    QVERIFY(grab != hover);
    f->Picture2_MouseUp(1, 0, 5, 5);
    QCOMPARE(f->work.Picture2.MouseIcon().pixmap().toImage(), hover);
    QCOMPARE(f->Picture2Box->cursor().shape(), Qt::BitmapCursor);
}

void TestViewHandlers::otherPicturesDrag_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("picker");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<int>("moved");
    QTest::newRow("chart, idle") << "Picture11" << false << 0 << true << 30;
    QTest::newRow("chart pans even while busy") << "Picture11" << true << 0 << true << 30;
    QTest::newRow("picture, idle") << "Picture3" << false << 0 << true << 30;
    QTest::newRow("picture, busy: no drag") << "Picture3" << true << 0 << false << 0;
    QTest::newRow("picture while picking colours: no drag") << "Picture3" << false << 1 << false << 0;
}

void TestViewHandlers::otherPicturesDrag()
{
    QFETCH(QString, picture);
    QFETCH(bool, busy);
    QFETCH(int, picker);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    f->work.Picture3.setPicture(gradientPicture(200, 150));
    load(f->work).listo = False;
    setCheckValue(f->Check10, picker);
    load(f->work).listo = flag(!busy);
    const bool chart = picture == QLatin1String("Picture11");
    Surface& s = chart ? f->work.Picture11 : f->work.Picture3;
    s.move(0, 0);
    if (chart)
        f->Picture11_MouseDown(1, 0, 40, 40);
    else
        f->Picture3_MouseDown(1, 0, 40, 40);
    QTEST(f->drag.arrastrando != 0, "starts");
    if (chart)
        f->Picture11_MouseMove(1, 0, 70, 20);
    else
        f->Picture3_MouseMove(1, 0, 70, 20);
    QTEST(s.Left(), "moved");
    QCOMPARE(s.Top(), s.Left() ? -20 : 0);
}

QTEST_MAIN(TestViewHandlers)
#include "tst_view_handlers.moc"
