// Part stitches, backstitch, knots and beads in the editor's hands: placed and taken away and
// put back exactly, the eraser taking only what lies inside its cells, and a block turned and
// mirrored as its cells are.
#include "work/extras_edit.h"

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
// The extras as text, element by element in list order.
QStringList text(const StitchExtras& x)
{
    QStringList out;
    for (const PatternThread& t : x.threads)
        out << QStringLiteral("thread %1").arg(t.numero);
    for (const PartStitch& s : x.parts)
        out << QStringLiteral("part %1,%2 d%3 %4/%5").arg(s.x).arg(s.y).arg(s.direction).arg(s.thread1).arg(s.thread2);
    for (const BackStitch& b : x.backs)
        out << QStringLiteral("line %1,%2 %3,%4 t%5").arg(b.x1).arg(b.y1).arg(b.x2).arg(b.y2).arg(b.thread);
    for (const StitchObject& o : x.objects)
        out << QStringLiteral("%1 %2,%3 t%4").arg(o.kind).arg(o.x).arg(o.y).arg(o.thread);
    return out;
}

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
    const QStringList start = text(x);
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
    const QStringList end = text(x);
    QCOMPARE(end,
        QStringList({ "thread 310", "thread 666", "part 5,5 d1 1/0", "part 2,2 d4 1/-1", "line 1,1 2,1.5 t0",
            "line 1,1 0,0 t1", "quarter 4.5,1 t0", "bead 3,3 t1" }));

    for (auto e = done.rbegin(); e != done.rend(); ++e)
        applyExtrasEdit(x, *e, false);
    QCOMPARE(text(x), start);
    for (const ExtrasEdit& e : done)
        applyExtrasEdit(x, e, true);
    QCOMPARE(text(x), end);
}

void TestExtrasEdit::eraserTakesWhatLiesInside_data()
{
    QTest::addColumn<int>("kind"); // 0 line, 1 knot, 2 part stitch, 3 quarter, 4 tent stitch
    QTest::addColumn<QRectF>("where"); // a line's ends, an object's point, a part's cell
    QTest::addColumn<bool>("taken");
    // cell (1, 1) erased
    QTest::newRow("diagonal through the cell") << 0 << QRectF(QPointF(1, 1), QPointF(2, 2)) << true;
    QTest::newRow("line across its middle") << 0 << QRectF(QPointF(0, 1.5), QPointF(3, 1.5)) << true;
    QTest::newRow("line along its edge") << 0 << QRectF(QPointF(1, 1), QPointF(2, 1)) << false;
    QTest::newRow("line ending at its corner") << 0 << QRectF(QPointF(0, 0), QPointF(1, 1)) << false;
    QTest::newRow("knot on its corner") << 1 << QRectF(2, 2, 0, 0) << true;
    QTest::newRow("knot in the next cell") << 1 << QRectF(2.5, 1.5, 0, 0) << false;
    QTest::newRow("its quarter") << 3 << QRectF(1.5, 1.5, 0, 0) << true;
    QTest::newRow("its part stitch") << 2 << QRectF(1, 1, 0, 0) << true;
    QTest::newRow("its tent stitch") << 4 << QRectF(1, 1, 0, 0) << true;
    QTest::newRow("the next cell's tent stitch, from its corner") << 4 << QRectF(2, 2, 0, 0) << false;
    QTest::newRow("the next cell's part stitch") << 2 << QRectF(2, 1, 0, 0) << false;
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
    QCOMPARE(text(mirroredExtras(block, 3, 2, true)),
        QStringList({ "thread 310", "part 2,0 d4 0/-1", "part 0,1 d2 -1/0", "line 3,0 2,0.5 t0", "quarter 0,0 t0",
            "knot 0,2 t0" }));
    QCOMPARE(text(mirroredExtras(block, 3, 2, false)),
        QStringList({ "thread 310", "part 0,1 d4 0/-1", "part 2,0 d2 0/-1", "line 0,2 1,1.5 t0", "quarter 2.5,1.5 t0",
            "knot 3,0 t0" }));
    // clockwise: the 3 x 2 block stands 2 wide and 3 high
    QCOMPARE(text(rotatedExtras(block, 3, 2, true)),
        QStringList({ "thread 310", "part 1,0 d4 0/-1", "part 0,2 d2 0/-1", "line 2,0 1.5,1 t0", "quarter 1.5,2.5 t0",
            "knot 0,3 t0" }));
    StitchExtras turned = block;
    for (int i = 0; i < 4; ++i)
        turned = rotatedExtras(turned, i % 2 ? 2 : 3, i % 2 ? 3 : 2, i < 2);
    QCOMPARE(text(turned), text(block)); // twice each way
    QCOMPARE(text(mirroredExtras(mirroredExtras(block, 3, 2, true), 3, 2, true)), text(block));
}

QTEST_GUILESS_MAIN(TestExtrasEdit)
#include "tst_extras_edit.moc"
