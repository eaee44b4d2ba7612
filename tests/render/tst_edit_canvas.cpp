#include "render/edit_canvas.h"

#include <QLineF>
#include <QtTest>

class TestEditCanvas : public QObject {
    Q_OBJECT
private slots:
    void changedCellsRedrawnAsAWholeDrawing_data();
    void changedCellsRedrawnAsAWholeDrawing();
};

namespace {
CanvasPattern smallPattern()
{
    CanvasPattern p;
    p.columns = 23;
    p.rows = 17;
    p.colours = { qRgb(200, 30, 30), qRgb(250, 240, 200), qRgb(20, 60, 160) };
    p.symbols = { QStringLiteral("A"), QStringLiteral("●"), QStringLiteral("7") };
    p.symbolFamily = QStringLiteral("DejaVu Sans");
    p.cloth = qRgb(240, 232, 210);
    p.cells.resize(std::size_t(p.columns * p.rows));
    for (int i = 0; i < int(p.cells.size()); ++i)
        p.cells[std::size_t(i)] = (i * 7) % 5 - 1; // some cloth among the three threads
    p.done.assign(p.cells.size(), 0);
    for (std::size_t i = 0; i < p.done.size(); i += 3)
        p.done[i] = 1;
    p.picture = QImage(46, 34, QImage::Format_RGB32);
    for (int y = 0; y < p.picture.height(); ++y)
        for (int x = 0; x < p.picture.width(); ++x)
            p.picture.setPixel(x, y, qRgb(x * 5, y * 7, 100));
    // lines, a knot and a part stitch over the cells, crossing every change below
    p.extras.threads = { PatternThread { 310, 0, QString() }, PatternThread { 666, 0x421DE3, QStringLiteral("x") } };
    p.extraSymbols = { QString(), QStringLiteral("x") };
    for (const QLineF& l : { QLineF(0, 0, 20, 16), QLineF(0, 3.5, 23, 3.5), QLineF(11, 6, 11, 10) }) {
        BackStitch b;
        b.x1 = l.x1();
        b.y1 = l.y1();
        b.x2 = l.x2();
        b.y2 = l.y2();
        b.thread = 0;
        p.extras.backs.push_back(b);
    }
    p.extras.parts.push_back({ 11, 8, 1, -1, 3, {} });
    p.extras.objects.push_back({ 11.5, 8, 0, QStringLiteral("knot"), {} });
    return p;
}
} // namespace

void TestEditCanvas::changedCellsRedrawnAsAWholeDrawing_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("view");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<bool>("underlay");
    QTest::addColumn<QRect>("cells");
    QTest::newRow("fraction of a pixel a stitch, grid every ten")
        << 1.7 << int(CanvasView::Colours) << QPoint(-3, 2) << false << QRect(8, 9, 5, 4);
    QTest::newRow("symbols at 9 px, centre lines crossing the change")
        << 9.0 << int(CanvasView::ColoursWithSymbols) << QPoint(20, 13) << true << QRect(10, 7, 3, 3);
    QTest::newRow("black and white symbols, change at the image's edge")
        << 12.0 << int(CanvasView::BlackWhiteSymbols) << QPoint(0, 0) << false << QRect(0, 0, 2, 6);
    QTest::newRow("stitches at 16 px, change partly outside the image")
        << 16.0 << int(CanvasView::Stitches) << QPoint(150, 40) << true << QRect(18, 10, 5, 2);
}

void TestEditCanvas::changedCellsRedrawnAsAWholeDrawing()
{
    QFETCH(double, zoom);
    QFETCH(int, view);
    QFETCH(QPoint, origin);
    QFETCH(bool, underlay);
    QFETCH(QRect, cells);
    CanvasFrame f;
    f.zoom = zoom;
    f.view = CanvasView(view);
    f.origin = origin;
    f.picture = underlay;
    f.marks = true;
    CanvasPattern p = smallPattern();
    EditCanvas canvas;
    QImage partly(200, 150, QImage::Format_RGB32);
    canvas.draw(partly, p, f);
    // the changed cells take another thread, lose their marks, or become cloth
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x) {
            const std::size_t i = std::size_t(y * p.columns + x);
            p.cells[i] = (p.cells[i] + 2) % 4 - 1;
            p.done[i] = 0;
        }
    canvas.draw(partly, p, f, cells);
    QImage whole(partly.size(), QImage::Format_RGB32);
    EditCanvas fresh;
    fresh.draw(whole, p, f);
    QCOMPARE(partly, whole);
    // and the change shows: the redraw was not skipped
    QImage before(partly.size(), QImage::Format_RGB32);
    fresh.draw(before, smallPattern(), f);
    QVERIFY(before != whole);
}

QTEST_MAIN(TestEditCanvas)
#include "tst_edit_canvas.moc"
