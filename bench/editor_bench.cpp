// Times the pattern editor on the largest pattern (1024 x 768 stitches, "Completa", 248 colours):
// frames of a 1600 x 1000 chart while panning, whole pattern fitted and at 16 pixels a stitch with
// symbols; a pencil step and a whole-pattern edit with its undo, each until both windows are
// painted. Peak memory with and without the editor open comes from /usr/bin/time -v:
//   /usr/bin/time -v ./puntela-editor-bench --no-editor     (the main window only)
//   /usr/bin/time -v ./puntela-editor-bench
// --shots DIR saves pictures of the editor's views and tools and of the main window after the
// edits; --size WxH makes a pattern of that size instead; a picture file may follow.
// Run it under Xvfb: xvfb-run -a -s '-screen 0 1600x1200x24' ./puntela-editor-bench
#include "app/editor/editor_window.h"
#include "photograph.h"
#include "started_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>

namespace {
double millis(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// Frames of a 1600 x 1000 chart, the view moved a few pixels between them as a drag moves it.
void timePanning(const CanvasPattern& pattern, double zoom, CanvasView view, const char* what)
{
    EditCanvas canvas;
    CanvasFrame f;
    f.zoom = zoom;
    f.view = view;
    QImage image(1600, 1000, QImage::Format_RGB32);
    canvas.draw(image, pattern, f); // the tiles, made once per zoom
    double total = 0, worst = 0;
    const int frames = 60;
    for (int i = 0; i < frames; ++i) {
        f.origin += QPoint(7, 5);
        QElapsedTimer t;
        t.start();
        canvas.draw(image, pattern, f);
        const double ms = millis(t);
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf("frame %s (%.2f px a stitch): %.2f ms on average, %.2f ms at most, over %d frames\n", what, zoom,
        total / frames, worst, frames);
}

// A pencil step, the whole pattern put in one thread and its undo, each until the windows open
// have painted what changed.
void timeEdits(Form1& f, EditorWindow* e)
{
    const char* const with = e ? "with the editor open" : "main window alone";
    Work& w = f.work;
    const Long thread = w.editorThreads().front().colour;
    // what the windows paint of the change, as the event loop paints it
    const auto paint = [] { QCoreApplication::processEvents(); };
    // the median of 21 steps, as the machine's other work lengthens some
    std::vector<double> steps;
    QElapsedTimer t;
    const auto pencilSteps = [&](const char* among, int row) {
        steps.clear();
        for (int i = 0; i < 21; ++i) {
            const QPoint cell(400 + 10 * i, row);
            t.restart();
            w.beginStroke();
            w.editCells(QStringLiteral("Lápiz"), editLine(w.gridView(), cell, cell, thread));
            w.endStroke();
            paint();
            steps.push_back(millis(t));
        }
        std::nth_element(steps.begin(), steps.begin() + 10, steps.end());
        std::printf("pencil step%s, %s: %.2f ms (median of 21)\n", among, with, steps[10]);
    };
    pencilSteps("", 400);
    t.restart();
    w.editCells(QStringLiteral("Rectángulo"),
        editRectangle(w.gridView(), QRect(0, 0, w.patternColumns(), w.patternRows()), true, thread));
    paint();
    std::printf("whole pattern in one thread, %s: %.2f ms\n", with, millis(t));
    t.restart();
    w.history().undo();
    paint();
    std::printf("its undo, %s: %.2f ms\n", with, millis(t));
    // one backstitch more and its undo on the pattern outlined with 100,000 lines
    ExtrasEdit outline;
    const int line = extrasThreadIndex(w.stitchExtras(), outline, w.extrasThread(thread));
    for (int i = 0; i < 100000; ++i) {
        BackStitch b;
        b.x1 = i % 1000;
        b.y1 = (i / 1000) * 7 % 760;
        b.x2 = b.x1 + 0.5;
        b.y2 = b.y1 + 1;
        b.thread = line;
        outline.backs.in.push_back(b);
    }
    w.editPattern(QStringLiteral("Pespunte"), {}, std::move(outline));
    paint();
    steps.clear();
    for (int i = 0; i < 5; ++i) {
        t.restart();
        w.editPattern(QStringLiteral("Pespunte"), {},
            placeBackstitch(w.stitchExtras(), QPointF(10 + i, 10), QPointF(11 + i, 11.5), line));
        paint();
        steps.push_back(millis(t));
    }
    std::sort(steps.begin(), steps.end());
    std::printf("a backstitch added among 100,000, %s: %.2f ms (median of 5)\n", with, steps[2]);
    t.restart();
    w.history().undo();
    paint();
    std::printf("its undo, %s: %.2f ms\n", with, millis(t));
    pencilSteps(" among 100,000 backstitches", 421); // cells the lines cross
}

void shoot(QWidget* w, const QString& dir, const QString& name)
{
    settle();
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void takeShots(Form1& f, EditorWindow& e, const QString& dir)
{
    e.resize(1280, 820);
    e.canvas()->zoomTo(12);
    e.canvas()->centreOn(QPoint(f.work.state().ancho_puntos / 2, f.work.state().alto_puntos / 3));
    const char* views[] = { "colores", "colores_con_signos", "signos_bn", "puntadas" };
    for (int v = 0; v < 4; ++v) {
        e.canvas()->setView(CanvasView(v));
        shoot(&e, dir, QStringLiteral("editor_%1").arg(QLatin1String(views[v])));
    }
    e.canvas()->setView(CanvasView::ColoursWithSymbols);
    e.canvas()->fit();
    shoot(&e, dir, QStringLiteral("editor_ajustar"));
    const int w = f.work.state().ancho_puntos, h = f.work.state().alto_puntos;
    // a background removed, a filled rectangle, an ellipse, a pencil stroke, some stitches marked
    // the sky behind, and a thread added from the full catalogue by its name
    e.findChild<QSlider*>()->setValue(18);
    e.setTool(EditorWindow::Tool::RemoveBackground);
    e.cellPressed(QPoint(w - 4, h / 4), 1);
    e.cellReleased(QPoint(w - 4, h / 4));
    e.setCurrentThread(e.threadsList()->topLevelItem(0)->data(0, Qt::UserRole).toLongLong());
    e.setTool(EditorWindow::Tool::FilledRectangle);
    e.cellPressed(QPoint(w / 2 - 8, h / 2 + 10), 1);
    e.cellReleased(QPoint(w / 2 + 8, h / 2 + 16));
    e.addThreadNamed(QStringLiteral("bright red"));
    e.setTool(EditorWindow::Tool::Ellipse);
    e.cellPressed(QPoint(w - 20, 2), 1);
    e.cellReleased(QPoint(w - 3, 14));
    e.setTool(EditorWindow::Tool::Pencil);
    e.cellPressed(QPoint(w / 4, h / 2), 1);
    for (int i = w / 4; i < 3 * w / 4; ++i)
        e.cellMoved(QPoint(i, h / 2 + (i - w / 4) / 4), 1);
    e.cellReleased(QPoint(3 * w / 4 - 1, h / 2 + (w / 2 - 1) / 4));
    e.setTool(EditorWindow::Tool::Select);
    e.cellPressed(QPoint(w / 3, h / 3), 1);
    e.cellMoved(QPoint(w / 2, h / 2), 1);
    e.cellReleased(QPoint(w / 2, h / 2));
    // the selection copied, turned a quarter while it follows the pointer, placed, then mirrored
    e.copySelection();
    e.pasteClip();
    e.cellMoved(QPoint(w / 2 + 10, h / 2 + 20), 0);
    e.rotateSelection(true);
    e.cellPressed(QPoint(w / 2 + 10, h / 2 + 20), 1);
    e.cellReleased(QPoint(w / 2 + 10, h / 2 + 20));
    e.mirrorSelection(true);
    shoot(&e, dir, QStringLiteral("editor_herramientas"));
    e.setTool(EditorWindow::Tool::MarkDone);
    e.cellPressed(QPoint(w / 2, 4), 1);
    for (int y = 5; y < h / 2; ++y)
        e.cellMoved(QPoint(w / 2 + y / 4, y), 1);
    e.cellReleased(QPoint(w / 2, h / 2));
    e.canvas()->zoomTo(16);
    e.canvas()->centreOn(QPoint(w / 2, h / 4));
    shoot(&e, dir, QStringLiteral("editor_marcar_hechas"));
    e.canvas()->fit();
    e.canvas()->setPicture(true);
    shoot(&e, dir, QStringLiteral("editor_imagen_debajo"));
    shoot(&f, dir, QStringLiteral("ventana_principal"));
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("puntela-bench"));
    QStringList args = app.arguments().mid(1);
    const bool editor = !args.removeAll(QStringLiteral("--no-editor"));
    const auto take = [&args](const char* option) {
        const int i = args.indexOf(QLatin1String(option));
        if (i < 0 || i + 1 >= args.size())
            return QString();
        const QString value = args[i + 1];
        args.remove(i, 2);
        return value;
    };
    const QString shots = take("--shots");
    QString size = take("--size");
    if (size.isEmpty())
        size = QStringLiteral("1024x768");
    QTemporaryDir work;
    if (!enterWorkFolder(work))
        return 1;
    const QByteArray file = args.isEmpty() ? QByteArray() : args.first().toLocal8Bit();
    char* pictureArgv[] = { argv[0], const_cast<char*>(file.constData()) };
    const QImage picture = benchPicture(file.isEmpty() ? 1 : 2, pictureArgv);
    if (picture.isNull())
        return 1;
    Form1 f;
    if (!startWindow(f, picture, size.section(QLatin1Char('x'), 0, 0), size.section(QLatin1Char('x'), 1, 1)))
        return 1;
    f.Command1_Click();
    settle();
    std::printf("pattern %d x %d stitches, %d threads\n", int(f.work.state().ancho_puntos),
        int(f.work.state().alto_puntos), int(f.work.editorThreads().size()));
    if (!editor) {
        timeEdits(f, nullptr);
        return 0;
    }
    f.editPatternButton_Click();
    EditorWindow& e = *f.editor;
    settle();
    if (!shots.isEmpty()) {
        takeShots(f, e, shots);
        return 0;
    }
    settle();
    const CanvasPattern& pattern = e.canvas()->pattern;
    timePanning(pattern, snappedZoom(std::min(1600.0 / pattern.columns, 1000.0 / pattern.rows)), CanvasView::Colours,
        "whole pattern fitted");
    timePanning(pattern, 16, CanvasView::ColoursWithSymbols, "at 16 px with symbols");

    timeEdits(f, &e);
    // the edits leave the pattern outlined with 100,000 backstitches
    timePanning(pattern, snappedZoom(std::min(1600.0 / pattern.columns, 1000.0 / pattern.rows)), CanvasView::Colours,
        "whole pattern fitted, 100,000 backstitches");
    timePanning(pattern, 16, CanvasView::ColoursWithSymbols, "at 16 px with symbols, 100,000 backstitches");
    return 0;
}
