// Part stitches, backstitch, knots and beads in the editor's hands: placed and taken away and
// put back exactly, the eraser taking only what lies inside its cells, and a block turned and
// mirrored as its cells are.
#include "work/extras_edit.h"

#include "extras_text.h"

#include <QtTest>

class TestExtrasEdit : public QObject {
    Q_OBJECT
private slots:
    void editsUndoneAndRedoneExactly();
    void eraserTakesWhatLiesInside_data();
    void eraserTakesWhatLiesInside();
    void blockTurnedAndMirrored();
};

namespace {
BackStitch line(double x1, double y1, double x2, double y2, int thread = 0)
{
    BackStitch b;
    b.x1 = x1;
    b.y1 = y1;
    b.x2 = x2;
    b.y2 = y2;
    b.thread = thread;
    return b;
}

StitchObject object(const char* kind, double x, double y, int thread = 0)
{
    return { x, y, thread, QString::fromLatin1(kind), {} };
}

StitchExtras startingExtras()
{
    StitchExtras x;
    x.threads = { { 310, 0, QString() } };
    x.parts = { { 2, 2, 0, -1, 3, {} } };
    x.backs = { line(0, 0, 1, 1), line(1, 1, 2, 1.5) };
    x.objects = { object("knot", 3, 3) };
    return x;
}
} // namespace

void TestExtrasEdit::editsUndoneAndRedoneExactly()
{
    StitchExtras x = startingExtras();
    const QStringList start = extrasText(x);
    std::vector<ExtrasEdit> done;
    const auto make = [&](ExtrasEdit e) {
        applyExtrasEdit(x, e, true);
        done.push_back(std::move(e));
    };
    // a new thread, then both sides of one cell in three-quarter stitches of two threads
    ExtrasEdit first;
    const int red = extrasThreadIndex(x, first, { 666, 0x421DE3, QString() });
    QCOMPARE(red, 1);
    QCOMPARE(extrasThreadIndex(x, first, { 310, 0, QString() }), 0);
    ExtrasEdit bottomLeft = placePart(x, { 5.2, 5.8 }, PartTool::ThreeQuarter, red);
    bottomLeft.threadsIn = std::move(first.threadsIn);
    make(std::move(bottomLeft));
    make(placePart(x, { 5.9, 5.1 }, PartTool::ThreeQuarter, 0));
    make(placePart(x, { 2.5, 2.5 }, PartTool::HalfBack, red)); // takes the "/" half's place
    make(placePart(x, { 4.7, 1.2 }, PartTool::Quarter, 0));
    make(placeBackstitch(x, { 2, 1.5 }, { 4, 1.5 }, red));
    make(placeBackstitch(x, { 1, 1 }, { 0, 0 }, red)); // the same line in another thread
    make(placeObject(x, latticePoint({ 3.1, 2.8 }), QStringLiteral("bead"), red)); // the knot's place
    make(eraseNear(x, { 3, 1.4 }, ExtrasKind::Backstitch));
    QVERIFY(placeBackstitch(x, { 1, 1 }, { 0, 0 }, red).empty()); // there already
    QVERIFY(placeBackstitch(x, { 1, 1 }, { 1, 1 }, red).empty());
    const QStringList end = extrasText(x);
    QCOMPARE(end,
        QStringList({ "cell 5 5 666 310 1 ", "cell 2 2 666 -1 4 ", "back 1 1 2 1.5 310 backstitch 0 ",
            "back 1 1 0 0 666 backstitch 0 ", "object 4.5 1 310 quarter ", "object 3 3 666 bead " }));
    QCOMPARE(x.threads.size(), std::size_t(2));

    for (auto e = done.rbegin(); e != done.rend(); ++e)
        applyExtrasEdit(x, *e, false);
    QCOMPARE(extrasText(x), start);
    QCOMPARE(x.threads.size(), std::size_t(1));
    for (const ExtrasEdit& e : done)
        applyExtrasEdit(x, e, true);
    QCOMPARE(extrasText(x), end);
}

void TestExtrasEdit::eraserTakesWhatLiesInside_data()
{
    QTest::addColumn<int>("kind"); // 0 line, 1 knot, 2 half stitch, 3 quarter, 4 tent stitch
    QTest::addColumn<QRectF>("where"); // a line's ends, an object's point, a half stitch's cell
    QTest::addColumn<bool>("taken");
    // cell (1, 1) erased
    QTest::newRow("diagonal through the cell") << 0 << QRectF(QPointF(1, 1), QPointF(2, 2)) << true;
    QTest::newRow("line across its middle") << 0 << QRectF(QPointF(0, 1.5), QPointF(3, 1.5)) << true;
    QTest::newRow("line along its edge") << 0 << QRectF(QPointF(1, 1), QPointF(2, 1)) << false;
    QTest::newRow("line ending at its corner") << 0 << QRectF(QPointF(0, 0), QPointF(1, 1)) << false;
    QTest::newRow("knot on its corner") << 1 << QRectF(2, 2, 0, 0) << true;
    QTest::newRow("knot in the next cell") << 1 << QRectF(2.5, 1.5, 0, 0) << false;
    QTest::newRow("its quarter") << 3 << QRectF(1.5, 1.5, 0, 0) << true;
    QTest::newRow("its half stitch") << 2 << QRectF(1, 1, 0, 0) << true;
    QTest::newRow("its tent stitch") << 4 << QRectF(1, 1, 0, 0) << true;
    QTest::newRow("the next cell's tent stitch, from its corner") << 4 << QRectF(2, 2, 0, 0) << false;
    QTest::newRow("the next cell's half stitch") << 2 << QRectF(2, 1, 0, 0) << false;
}

void TestExtrasEdit::eraserTakesWhatLiesInside()
{
    QFETCH(int, kind);
    QFETCH(QRectF, where);
    QFETCH(bool, taken);
    StitchExtras x;
    x.threads = { { 310, 0, QString() } };
    if (kind == 0)
        x.backs.push_back(line(where.left(), where.top(), where.right(), where.bottom()));
    else if (kind == 2)
        x.parts.push_back({ int(where.left()), int(where.top()), 0, -1, 3, {} });
    else
        x.objects.push_back(object(kind == 1 ? "knot" : kind == 3 ? "quarter" : "tent", where.left(), where.top()));
    const ExtrasEdit e = eraseExtrasIn(x, { QPoint(1, 1), QPoint(5, 5) });
    QCOMPARE(!e.empty(), taken);
    applyExtrasEdit(x, e, true);
    QCOMPARE(x.empty(), taken);
}

void TestExtrasEdit::blockTurnedAndMirrored()
{
    // a block 3 wide and 2 high: "/" in its top-left cell, a three-quarter stitch on the bottom
    // left corner of its bottom-right cell, the top-right quarter of its top-right cell, a line
    // and a knot on its bottom-right corner
    StitchExtras block;
    block.threads = { { 310, 0, QString() } };
    block.parts = { { 0, 0, 0, -1, 3, {} }, { 2, 1, 0, -1, 1, {} } };
    block.backs = { line(0, 0, 1, 0.5) };
    block.objects = { object("quarter", 2.5, 0), object("knot", 3, 2) };
    QCOMPARE(extrasText(mirroredExtras(block, 3, 2, true)),
        QStringList({ "cell 2 0 310 -1 4 ", "cell 0 1 -1 310 2 ", "back 3 0 2 0.5 310 backstitch 0 ",
            "object 0 0 310 quarter ", "object 0 2 310 knot " }));
    QCOMPARE(extrasText(mirroredExtras(block, 3, 2, false)),
        QStringList({ "cell 0 1 310 -1 4 ", "cell 2 0 310 -1 2 ", "back 0 2 1 1.5 310 backstitch 0 ",
            "object 2.5 1.5 310 quarter ", "object 3 0 310 knot " }));
    // clockwise: the 3 x 2 block stands 2 wide and 3 high
    QCOMPARE(extrasText(rotatedExtras(block, 3, 2, true)),
        QStringList({ "cell 1 0 310 -1 4 ", "cell 0 2 310 -1 2 ", "back 2 0 1.5 1 310 backstitch 0 ",
            "object 1.5 2.5 310 quarter ", "object 0 3 310 knot " }));
    StitchExtras turned = block;
    for (int i = 0; i < 4; ++i)
        turned = rotatedExtras(turned, i % 2 ? 2 : 3, i % 2 ? 3 : 2, i < 2);
    QCOMPARE(extrasText(turned), extrasText(block)); // twice each way
    QCOMPARE(extrasText(mirroredExtras(mirroredExtras(block, 3, 2, true), 3, 2, true)), extrasText(block));
}

QTEST_GUILESS_MAIN(TestExtrasEdit)
#include "tst_extras_edit.moc"
