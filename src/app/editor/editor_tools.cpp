// The editor's tools on the chart: each press, drag and release becomes one step of Work's
// history through the tool maths, shown on the chart first where it waits for the release.
#include "app/editor/editor_window.h"

#include "surface/colour_rgb.h"

#include <QKeySequence>
#include <QSlider>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace {
struct ToolEntry {
    EditorWindow::Tool tool;
    const char* text;
    const char* glyph;
    QKeySequence key;
};

const ToolEntry kTools[] = {
    { EditorWindow::Tool::Pencil, "Lápiz", "✎", QKeySequence(Qt::Key_P) },
    { EditorWindow::Tool::Line, "Línea", "╱", QKeySequence(Qt::Key_L) },
    { EditorWindow::Tool::Rectangle, "Rectángulo", "□", QKeySequence(Qt::Key_R) },
    { EditorWindow::Tool::FilledRectangle, "Rectángulo relleno", "■", QKeySequence(Qt::SHIFT | Qt::Key_R) },
    { EditorWindow::Tool::Ellipse, "Elipse", "○", QKeySequence(Qt::Key_O) },
    { EditorWindow::Tool::FilledEllipse, "Elipse rellena", "●", QKeySequence(Qt::SHIFT | Qt::Key_O) },
    { EditorWindow::Tool::Fill, "Rellenar", "◍", QKeySequence(Qt::Key_F) },
    { EditorWindow::Tool::Eraser, "Borrador", "⌫", QKeySequence(Qt::Key_E) },
    { EditorWindow::Tool::Replace, "Sustituir un hilo", "⇄", QKeySequence(Qt::Key_H) },
    { EditorWindow::Tool::Picker, "Cuentagotas", "⊙", QKeySequence(Qt::Key_I) },
    { EditorWindow::Tool::Select, "Selección", "⬚", QKeySequence(Qt::Key_S) },
    { EditorWindow::Tool::RemoveBackground, "Quitar fondo", "⌧", QKeySequence(Qt::Key_B) },
    { EditorWindow::Tool::MarkDone, "Marcar hechas", "✔", QKeySequence(Qt::Key_M) },
};

// The cells of a straight line from a to b, both ends included.
std::vector<QPoint> lineCells(QPoint a, QPoint b)
{
    std::vector<QPoint> cells;
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    for (QPoint p = a;;) {
        cells.push_back(p);
        if (p == b)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.ry() += sy;
        }
    }
    return cells;
}
} // namespace

void EditorWindow::buildActions()
{
    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    for (const ToolEntry& t : kTools) {
        QAction* a = new QAction(editorGlyphIcon(QString::fromUtf8(t.glyph)), QString::fromUtf8(t.text), this);
        a->setCheckable(true);
        a->setShortcut(t.key);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(a->text(), t.key.toString(QKeySequence::NativeText)));
        m_tools->addAction(a);
        const Tool tool = t.tool;
        connect(a, &QAction::triggered, this, [this, tool] { setTool(tool); });
        m_toolActions.emplace_back(tool, a);
    }
}

void EditorWindow::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Herramientas"));
    bar->setObjectName(QStringLiteral("herramientas"));
    QAction* undo = m_work.history().createUndoAction(this, QStringLiteral("Deshacer"));
    undo->setShortcuts({ QKeySequence::Undo });
    QAction* redo = m_work.history().createRedoAction(this, QStringLiteral("Rehacer"));
    redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    undo->setIcon(editorGlyphIcon(QStringLiteral("↶")));
    redo->setIcon(editorGlyphIcon(QStringLiteral("↷")));
    bar->addAction(undo);
    bar->addAction(redo);
    bar->addSeparator();
    for (const auto& [tool, action] : m_toolActions)
        bar->addAction(action);
    bar->addSeparator();
    struct Command {
        const char* text;
        const char* glyph;
        QKeySequence key;
        void (EditorWindow::*run)();
    };
    const Command commands[] = {
        { "Cortar", "✂", QKeySequence::Cut, &EditorWindow::cutSelection },
        { "Copiar", "⎘", QKeySequence::Copy, &EditorWindow::copySelection },
        { "Pegar", "⎀", QKeySequence::Paste, &EditorWindow::pasteClip },
        { "Suprimir", "✗", QKeySequence::Delete, &EditorWindow::deleteSelection },
    };
    for (const Command& c : commands) {
        QAction* a = bar->addAction(editorGlyphIcon(QString::fromUtf8(c.glyph)), QString::fromUtf8(c.text));
        a->setShortcut(c.key);
        connect(a, &QAction::triggered, this, c.run);
    }
    struct Turn {
        const char* text;
        const char* glyph;
        QKeySequence key;
        std::function<void(EditorWindow*)> run;
    };
    const Turn turns[] = {
        { "Reflejar en horizontal", "⇋", QKeySequence(Qt::CTRL | Qt::Key_H),
            [](EditorWindow* w) { w->mirrorSelection(true); } },
        { "Reflejar en vertical", "⇅", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
            [](EditorWindow* w) { w->mirrorSelection(false); } },
        { "Girar 90° a la derecha", "↻", QKeySequence(Qt::CTRL | Qt::Key_R),
            [](EditorWindow* w) { w->rotateSelection(true); } },
        { "Girar 90° a la izquierda", "↺", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
            [](EditorWindow* w) { w->rotateSelection(false); } },
    };
    for (const Turn& t : turns) {
        QAction* a = bar->addAction(editorGlyphIcon(QString::fromUtf8(t.glyph)), QString::fromUtf8(t.text));
        a->setShortcut(t.key);
        const auto run = t.run;
        connect(a, &QAction::triggered, this, [this, run] { run(this); });
    }
}

void EditorWindow::setTool(Tool tool)
{
    m_tool = tool;
    for (const auto& [t, action] : m_toolActions)
        if (t == tool)
            action->setChecked(true);
    if (tool != Tool::Select) {
        m_floating = false;
        m_selection = QRect();
        m_canvas->setOverlay({});
    }
    m_canvas->setMarks(tool == Tool::MarkDone);
    m_threadsTimer.start(0); // the panel shows what is left while marking
}

Long EditorWindow::drawColour(int button) const { return button == 2 ? kNoStitchColour : m_current; }

void EditorWindow::applyEdits(const QString& text, std::vector<CellEdit> edits)
{
    if (!edits.empty())
        m_work.editCells(text, std::move(edits));
}

std::vector<CellEdit> EditorWindow::shapeEdits(QPoint cell) const
{
    const GridView g = m_work.gridView();
    const QRect r = QRect(m_anchor, cell).normalized();
    const Long colour = drawColour(m_button);
    switch (m_tool) {
    case Tool::Line:
        return editLine(g, m_anchor, cell, colour);
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        return editRectangle(g, r, m_tool == Tool::FilledRectangle, colour);
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        return editEllipse(g, r, m_tool == Tool::FilledEllipse, colour);
    default:
        return {};
    }
}

void EditorWindow::previewShape(QPoint cell)
{
    CanvasOverlay o;
    const QRgb cloth = m_canvas->pattern.cloth;
    for (const CellEdit& e : shapeEdits(cell))
        o.cells.emplace_back(QPoint(e.x, e.y), e.after == kNoStitchColour ? cloth : rgbFromColour(e.after));
    m_canvas->setOverlay(o);
}

void EditorWindow::markLine(QPoint from, QPoint to, bool done)
{
    std::vector<QPoint> cells = lineCells(from, to);
    cells.erase(std::remove_if(cells.begin(), cells.end(), [this](QPoint c) { return !m_work.gridView().contains(c); }),
        cells.end());
    if (!cells.empty())
        m_work.markDone(cells, done);
}

bool EditorWindow::dragTo(QPoint from, QPoint cell)
{
    switch (m_tool) {
    case Tool::Pencil:
    case Tool::Eraser: {
        const bool pencil = m_tool == Tool::Pencil;
        applyEdits(pencil ? QStringLiteral("Lápiz") : QStringLiteral("Borrador"),
            editLine(m_work.gridView(), from, cell, pencil ? drawColour(m_button) : kNoStitchColour));
        return true;
    }
    case Tool::MarkDone:
        markLine(from, cell, m_button == 1);
        return true;
    case Tool::Line:
    case Tool::Rectangle:
    case Tool::FilledRectangle:
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        previewShape(cell);
        return true;
    default:
        return false;
    }
}

void EditorWindow::cellPressed(QPoint cell, int button)
{
    if (!editAllowed() || m_down)
        return;
    const GridView g = m_work.gridView();
    m_down = true;
    m_button = button;
    m_anchor = m_last = cell;
    // a stroke, however long, is one step
    if (m_tool == Tool::Pencil || m_tool == Tool::Eraser || m_tool == Tool::MarkDone)
        m_work.beginStroke();
    if (dragTo(cell, cell))
        return;
    switch (m_tool) {
    case Tool::Fill:
        if (g.contains(cell))
            applyEdits(QStringLiteral("Rellenar"), editFill(g, cell, drawColour(button)));
        break;
    case Tool::Replace:
        if (g.contains(cell) && g.at(cell.x(), cell.y()) != kNoStitchColour)
            applyEdits(QStringLiteral("Sustituir un hilo"), editReplace(g, g.at(cell.x(), cell.y()), m_current));
        break;
    case Tool::Picker:
        if (g.contains(cell) && g.at(cell.x(), cell.y()) != kNoStitchColour)
            setCurrentThread(g.at(cell.x(), cell.y()));
        break;
    case Tool::RemoveBackground:
        if (g.contains(cell))
            m_work.removeBackground(cell, m_tolerance->value());
        break;
    case Tool::Select:
        if (m_floating) {
            applyEdits(QStringLiteral("Pegar"), editPaste(g, m_clip, m_floatAt));
            m_floating = false;
            m_selection = QRect(m_floatAt, QSize(m_clip.columns, m_clip.rows));
            m_down = false;
        } else {
            m_selection = QRect(cell, QSize(1, 1));
        }
        m_canvas->setOverlay({ {}, selectionInPattern() });
        break;
    default:
        break;
    }
}

void EditorWindow::cellMoved(QPoint cell, int)
{
    if (m_floating) {
        m_floatAt = cell;
        showFloatingClip();
    }
    showPointer(cell);
    if (!m_down || cell == m_last)
        return;
    if (!dragTo(m_last, cell) && m_tool == Tool::Select) {
        m_selection = QRect(m_anchor, cell).normalized();
        m_canvas->setOverlay({ {}, selectionInPattern() });
    }
    m_last = cell;
}

void EditorWindow::cellReleased(QPoint cell)
{
    if (!m_down)
        return;
    m_down = false;
    switch (m_tool) {
    case Tool::Pencil:
    case Tool::Eraser:
    case Tool::MarkDone:
        m_work.endStroke();
        break;
    case Tool::Line:
    case Tool::Rectangle:
    case Tool::FilledRectangle:
    case Tool::Ellipse:
    case Tool::FilledEllipse: {
        static const std::map<Tool, QString> names = { { Tool::Line, QStringLiteral("Línea") },
            { Tool::Rectangle, QStringLiteral("Rectángulo") }, { Tool::FilledRectangle, QStringLiteral("Rectángulo") },
            { Tool::Ellipse, QStringLiteral("Elipse") }, { Tool::FilledEllipse, QStringLiteral("Elipse") } };
        m_canvas->setOverlay({});
        applyEdits(names.at(m_tool), shapeEdits(cell));
        break;
    }
    default:
        break;
    }
}

QRect EditorWindow::selectionInPattern() const
{
    return m_selection & QRect(0, 0, m_canvas->pattern.columns, m_canvas->pattern.rows);
}

void EditorWindow::showFloatingClip()
{
    CanvasOverlay o;
    for (int y = 0; y < m_clip.rows; ++y)
        for (int x = 0; x < m_clip.columns; ++x)
            if (m_clip.at(x, y) != kNoStitchColour)
                o.cells.emplace_back(m_floatAt + QPoint(x, y), rgbFromColour(m_clip.at(x, y)));
    o.selection = QRect(m_floatAt, QSize(m_clip.columns, m_clip.rows));
    m_canvas->setOverlay(o);
}

void EditorWindow::copySelection()
{
    const QRect r = selectionInPattern();
    if (!r.isEmpty())
        m_clip = copyClip(m_work.gridView(), r);
}

void EditorWindow::cutSelection()
{
    copySelection();
    clearSelection(QStringLiteral("Cortar"));
}

void EditorWindow::pasteClip()
{
    if (m_clip.columns == 0 || !editAllowed())
        return;
    setTool(Tool::Select);
    m_floating = true;
    const QRect r = selectionInPattern();
    m_floatAt = r.isEmpty() ? m_canvas->cellAt(m_canvas->viewport()->mapFromGlobal(QCursor::pos())) : r.topLeft();
    showFloatingClip();
}

void EditorWindow::deleteSelection() { clearSelection(QStringLiteral("Suprimir")); }

void EditorWindow::clearSelection(const QString& text)
{
    const QRect r = selectionInPattern();
    if (r.isEmpty() || !editAllowed())
        return;
    applyEdits(text, editRectangle(m_work.gridView(), r, true, kNoStitchColour));
}

void EditorWindow::replaceSelection(const QString& text, const Clip& clip)
{
    // the block's old cells become cloth and the turned block lands at the same top-left, as one step
    const GridView g = m_work.gridView();
    const QRect r = selectionInPattern();
    std::map<std::pair<int, int>, Long> after;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            after[{ y, x }] = kNoStitchColour;
    for (int y = 0; y < clip.rows; ++y)
        for (int x = 0; x < clip.columns; ++x) {
            const QPoint c = r.topLeft() + QPoint(x, y);
            if (g.contains(c) && clip.at(x, y) != kNoStitchColour)
                after[{ c.y(), c.x() }] = clip.at(x, y);
        }
    std::vector<CellEdit> edits;
    for (const auto& [cell, colour] : after)
        if (g.at(cell.second, cell.first) != colour)
            edits.push_back({ cell.second, cell.first, g.at(cell.second, cell.first), colour });
    applyEdits(text, std::move(edits));
    m_selection = QRect(r.topLeft(), QSize(clip.columns, clip.rows));
    m_canvas->setOverlay({ {}, selectionInPattern() });
}

void EditorWindow::mirrorSelection(bool horizontal)
{
    if (m_floating) {
        m_clip = mirrored(m_clip, horizontal);
        showFloatingClip();
    } else if (!selectionInPattern().isEmpty() && editAllowed()) {
        replaceSelection(
            QStringLiteral("Reflejar"), mirrored(copyClip(m_work.gridView(), selectionInPattern()), horizontal));
    }
}

void EditorWindow::rotateSelection(bool clockwise)
{
    if (m_floating) {
        m_clip = rotated90(m_clip, clockwise);
        showFloatingClip();
    } else if (!selectionInPattern().isEmpty() && editAllowed()) {
        replaceSelection(
            QStringLiteral("Girar"), rotated90(copyClip(m_work.gridView(), selectionInPattern()), clockwise));
    }
}
