// The pattern editor through its window: a pencil stroke dragged over the chart is one step
// that reaches the work's stitches and the main window's embroidery, and Ctrl+Z puts it all back;
// backstitch runs, part stitches and knots placed, erased and moved with a block, and undone;
// nothing is edited while a swap waits.
#include "app/editor/editor_window.h"
#include "extras_text.h"
#include "made_pattern.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>
#include <QtTest>

class TestEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void strokeIsOneStepAndUndone();
    void backstitchPartsAndKnotsEditedAndUndone();
    void nothingEditedWhileASwapWaits();
};

namespace {
// The mouse on the chart, as the window system sends it.
void mouse(CanvasWidget* c, QEvent::Type type, QPoint cell, Qt::MouseButtons held)
{
    const QRect pixels = pixelsOfCells(c->frame(), QRect(cell, QSize(1, 1)));
    const QPointF at = QPointF(pixels.center() + QPoint(CanvasWidget::kRulerWidth, CanvasWidget::kRulerHeight));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, c->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(c->viewport(), &e);
}

std::vector<Long> stitches(const Work& w)
{
    std::vector<Long> all;
    for (int y = 0; y < w.patternRows(); ++y)
        for (int x = 0; x < w.patternColumns(); ++x)
            all.push_back(w.stitchAt(x, y));
    return all;
}

std::unique_ptr<Form1> formWithEditor(const WorkFolder& folder)
{
    auto f = startedForm();
    if (!makePattern(*f, folder, bandsPicture(60, 45), 20))
        return nullptr;
    f->show();
    f->editPatternButton->click();
    if (!f->editor || !f->editor->isVisible())
        return nullptr;
    f->editor->canvas()->zoomTo(12);
    return f;
}
} // namespace

void TestEditorWindow::strokeIsOneStepAndUndone()
{
    WorkFolder folder;
    const auto f = formWithEditor(folder);
    QVERIFY(f);
    EditorWindow& e = *f->editor;
    Work& w = f->work;
    const std::vector<Long> before = stitches(w);
    const QImage embroideryBefore = w.Picture2.Image();
    const int stepsBefore = w.history().count();
    // a thread the stroke's cells do not have yet
    const Long thread = w.stitchAt(19, 14);
    QVERIFY(thread != w.stitchAt(2, 2));
    e.setCurrentThread(thread);
    e.setTool(EditorWindow::Tool::Pencil);
    CanvasWidget* c = e.canvas();
    c->centreOn(QPoint(5, 2));
    mouse(c, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    mouse(c, QEvent::MouseMove, QPoint(5, 2), Qt::LeftButton);
    mouse(c, QEvent::MouseMove, QPoint(5, 4), Qt::LeftButton);
    mouse(c, QEvent::MouseButtonRelease, QPoint(5, 4), Qt::NoButton);

    QCOMPARE(w.history().count(), stepsBefore + 1);
    for (QPoint cell : { QPoint(2, 2), QPoint(3, 2), QPoint(4, 2), QPoint(5, 2), QPoint(5, 3), QPoint(5, 4) }) {
        QCOMPARE(w.stitchAt(cell.x(), cell.y()), thread);
        // the stitch's middle pixel on the embroidery is the thread's own colour
        QCOMPARE(w.Picture2.Point(3 * cell.x() + 1, 3 * cell.y() + 1), thread);
    }
    QCOMPARE(w.stitchAt(3, 3), before[3 * 20 + 3]); // a cell the stroke went round

    QApplication::setActiveWindow(&e);
    QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.history().count(), stepsBefore + 1); // the step stays to be redone
    QCOMPARE(w.history().index(), stepsBefore);
    QVERIFY(stitches(w) == before);
    QCOMPARE(w.Picture2.Image(), embroideryBefore);
}

void TestEditorWindow::backstitchPartsAndKnotsEditedAndUndone()
{
    WorkFolder folder;
    const auto f = formWithEditor(folder);
    QVERIFY(f);
    EditorWindow& e = *f->editor;
    Work& w = f->work;
    const std::vector<Long> before = stitches(w);
    const int stepsBefore = w.history().count();
    const QImage embroideryBefore = w.Picture2.Image();
    e.setCurrentThread(w.stitchAt(19, 14));
    // a run of two lines, snapped to the lattice; Esc ends it, so the next click draws nothing
    e.setTool(EditorWindow::Tool::Backstitch);
    e.pointPressed({ 1.1, 0.9 }, 1);
    e.pointPressed({ 1.9, 2.1 }, 1);
    e.pointPressed({ 3.4, 2.1 }, 1);
    QApplication::setActiveWindow(&e);
    QTest::keyClick(&e, Qt::Key_Escape);
    e.pointPressed({ 9, 9 }, 1);
    QCOMPARE(w.stitchExtras().backs.size(), std::size_t(2));
    QCOMPARE(QPointF(w.stitchExtras().backs[1].x2, w.stitchExtras().backs[1].y2), QPointF(3.5, 2));
    // a half stitch takes its cell's full stitch; a knot on a corner
    e.setTool(EditorWindow::Tool::HalfForward);
    e.cellPressed(QPoint(4, 4), 1);
    e.cellReleased(QPoint(4, 4));
    QCOMPARE(w.stitchAt(4, 4), kNoStitchColour);
    e.setTool(EditorWindow::Tool::Knot);
    e.pointPressed({ 6.1, 5.9 }, 1);
    QCOMPARE(int(w.stitchExtras().parts.size() + w.stitchExtras().objects.size()), 2);
    QVERIFY(w.Picture2.Image() != embroideryBefore);
    // the eraser on cell (1, 1) takes the line crossing it, not the one beyond
    e.setTool(EditorWindow::Tool::Eraser);
    e.cellPressed(QPoint(1, 1), 1);
    e.cellReleased(QPoint(1, 1));
    QCOMPARE(w.stitchExtras().backs.size(), std::size_t(1));
    // the block from (3, 3) to (5, 5) carries the half stitch and the knot on its corner
    e.setTool(EditorWindow::Tool::Select);
    e.cellPressed(QPoint(3, 3), 1);
    e.cellMoved(QPoint(5, 5), 1);
    e.cellReleased(QPoint(5, 5));
    e.cutSelection();
    e.pasteClip();
    e.cellMoved(QPoint(10, 10), 0);
    e.cellPressed(QPoint(10, 10), 1);
    const StitchExtras& x = w.stitchExtras();
    QCOMPARE(x.parts.size(), std::size_t(1));
    QCOMPARE(QPoint(x.parts[0].x, x.parts[0].y), QPoint(11, 11));
    QCOMPARE(QPointF(x.objects[0].x, x.objects[0].y), QPointF(13, 13));
    // mirrored where it lies, the block's half stitch and knot turn with its cells
    e.mirrorSelection(true);
    QCOMPARE(x.parts.size(), std::size_t(1));
    QCOMPARE(x.parts[0].direction, 4);
    QCOMPARE(QPointF(x.objects[0].x, x.objects[0].y), QPointF(10, 13));
    // what the tools made goes into the pattern file: the new thread, the line, the half stitch and the knot
    const QString file = folder.file(QStringLiteral("editado.oxs"));
    QCOMPARE(w.savePattern(file), QString());
    const QStringList made = extrasText(x);
    // each of them one step, all undone
    QCOMPARE(w.history().count(), stepsBefore + 8);
    for (int i = 0; i < 8; ++i)
        w.history().undo();
    QVERIFY(w.stitchExtras().empty());
    QVERIFY(stitches(w) == before);
    QCOMPARE(w.Picture2.Image(), embroideryBefore);
    QVERIFY(w.openPattern(file));
    QCOMPARE(extrasText(w.stitchExtras()), made);
}

void TestEditorWindow::nothingEditedWhileASwapWaits()
{
    WorkFolder folder;
    const auto f = formWithEditor(folder);
    QVERIFY(f);
    const std::vector<Long> before = stitches(f->work);
    setCheckValue(f->Check7, 1);
    QVERIFY(!f->editPatternButton->isEnabled());
    QVERIFY(!f->editor->canvas()->isEnabled());
    f->editor->setTool(EditorWindow::Tool::Pencil);
    f->editor->setCurrentThread(f->work.stitchAt(19, 14));
    f->editor->cellPressed(QPoint(1, 1), 1);
    f->editor->cellReleased(QPoint(1, 1));
    QVERIFY(stitches(f->work) == before);
    setCheckValue(f->Check7, 0);
    QVERIFY(f->editor->canvas()->isEnabled());
}

QTEST_MAIN(TestEditorWindow)
#include "tst_editor_window.moc"
