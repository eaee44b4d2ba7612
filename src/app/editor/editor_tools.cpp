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
    const char* hint = nullptr; // how the tool is used, when the name does not say it
};

const char* const kPartHint = "La esquina más cercana al puntero. El botón derecho quita lo que haya en la celda.";
const char* const kPointHint
    = "En el punto de la cuadrícula más cercano (esquinas, medios lados y centros). El botón derecho lo quita.";

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
    { EditorWindow::Tool::HalfForward, "Medio punto /", "◿", QKeySequence(Qt::Key_Slash),
        "El botón derecho quita lo que haya en la celda." },
    { EditorWindow::Tool::HalfBack, "Medio punto \\", "◺", QKeySequence(Qt::Key_Backslash),
        "El botón derecho quita lo que haya en la celda." },
    { EditorWindow::Tool::Quarter, "Cuarto de punto", "▖", QKeySequence(Qt::Key_Q), kPartHint },
    { EditorWindow::Tool::ThreeQuarter, "Tres cuartos de punto", "◣", QKeySequence(Qt::Key_T), kPartHint },
    { EditorWindow::Tool::Backstitch, "Pespunte", "⋰", QKeySequence(Qt::Key_K),
        "Pulse un punto de la cuadrícula tras otro (esquinas, medios lados y centros); Esc termina la línea. "
        "El botón derecho quita la más cercana." },
    { EditorWindow::Tool::Knot, "Nudo francés", "•", QKeySequence(Qt::Key_N), kPointHint },
    { EditorWindow::Tool::Bead, "Cuenta", "⊚", QKeySequence(Qt::Key_U), kPointHint },
};

// The tools whose press, drag and release make one step however many cells they take.
bool strokes(EditorWindow::Tool t)
{
    using T = EditorWindow::Tool;
    return t == T::Pencil || t == T::Eraser || t == T::MarkDone || t == T::HalfForward || t == T::HalfBack
        || t == T::Quarter || t == T::ThreeQuarter;
}

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
        QString tip = QStringLiteral("%1 (%2)").arg(a->text(), t.key.toString(QKeySequence::NativeText));
        if (t.hint)
            tip += QLatin1Char('\n') + QString::fromUtf8(t.hint);
        a->setToolTip(tip);
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
        { "Copiar", "❐", QKeySequence::Copy, &EditorWindow::copySelection },
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
    endBackstitchRun();
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
        applyEdits(QStringLiteral("Lápiz"), editLine(m_work.gridView(), from, cell, drawColour(m_button)));
        return true;
    case Tool::Eraser: {
        // the stitches and whatever lies inside their cells
        const std::vector<QPoint> cells = lineCells(from, cell);
        m_work.editPattern(QStringLiteral("Borrador"), editCellsTo(m_work.gridView(), cells, kNoStitchColour),
            eraseExtrasIn(m_work.stitchExtras(), cells));
        return true;
    }
    case Tool::HalfForward:
    case Tool::HalfBack:
    case Tool::Quarter:
    case Tool::ThreeQuarter:
        placeExtra(m_at, m_button);
        return true;
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

namespace {
QPoint cellOf(QPointF at) { return QPoint(int(std::floor(at.x())), int(std::floor(at.y()))); }
} // namespace

void EditorWindow::pointPressed(QPointF at, int button)
{
    m_at = at;
    if (!editAllowed() || m_down)
        return;
    const QPoint cell = cellOf(at);
    if (m_tool == Tool::Backstitch) {
        backstitchPressed(at, button);
        return;
    }
    if (m_tool == Tool::Knot || m_tool == Tool::Bead) {
        placeExtra(at, button);
        return;
    }
    const GridView g = m_work.gridView();
    m_down = true;
    m_button = button;
    m_anchor = m_last = cell;
    // a stroke, however long, is one step
    if (strokes(m_tool))
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
            m_work.editPattern(QStringLiteral("Pegar"), editPaste(g, m_clip, m_floatAt),
                pasteExtras(m_work.stitchExtras(), m_clip.extras, m_floatAt, g.columns, g.rows));
            m_floating = false;
            m_selection = QRect(m_floatAt, QSize(m_clip.columns, m_clip.rows));
            m_down = false;
        } else {
            m_selection = QRect(cell, QSize(1, 1));
        }
        m_canvas->setOverlay(CanvasOverlay::framing(selectionInPattern()));
        break;
    default:
        break;
    }
}

void EditorWindow::pointMoved(QPointF at, int buttons)
{
    m_at = at;
    const QPoint cell = cellOf(at);
    if (m_tool == Tool::Backstitch)
        showBackstitchRun();
    if (m_floating && cell != m_floatAt) {
        m_floatAt = cell;
        showFloatingClip();
    }
    showPointer(cell);
    if (!buttons || !m_down || cell == m_last)
        return;
    if (!dragTo(m_last, cell) && m_tool == Tool::Select) {
        m_selection = QRect(m_anchor, cell).normalized();
        m_canvas->setOverlay(CanvasOverlay::framing(selectionInPattern()));
    }
    m_last = cell;
}

void EditorWindow::pointReleased(QPointF at)
{
    if (!m_down)
        return;
    const QPoint cell = cellOf(at);
    m_down = false;
    if (strokes(m_tool)) {
        m_work.endStroke();
        return;
    }
    switch (m_tool) {
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
    for (const BackStitch& b : m_clip.extras.backs)
        o.lines.emplace_back(QPointF(b.x1, b.y1) + m_floatAt, QPointF(b.x2, b.y2) + m_floatAt);
    m_canvas->setOverlay(o);
}

void EditorWindow::copySelection()
{
    const QRect r = selectionInPattern();
    if (r.isEmpty())
        return;
    m_clip = copyClip(m_work.gridView(), r);
    m_clip.extras = extrasWithin(m_work.stitchExtras(), r);
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
    m_work.editPattern(
        text, editRectangle(m_work.gridView(), r, true, kNoStitchColour), removeWithin(m_work.stitchExtras(), r));
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
    m_work.editPattern(text, std::move(edits), replaceWithin(m_work.stitchExtras(), r, clip.extras, g.columns, g.rows));
    m_selection = QRect(r.topLeft(), QSize(clip.columns, clip.rows));
    m_canvas->setOverlay(CanvasOverlay::framing(selectionInPattern()));
}

void EditorWindow::turnSelection(const QString& text, const std::function<Clip(const Clip&)>& turn)
{
    if (m_floating) {
        m_clip = turn(m_clip);
        showFloatingClip();
    } else if (const QRect r = selectionInPattern(); !r.isEmpty() && editAllowed()) {
        Clip block = copyClip(m_work.gridView(), r);
        block.extras = extrasWithin(m_work.stitchExtras(), r);
        replaceSelection(text, turn(block));
    }
}

void EditorWindow::mirrorSelection(bool horizontal)
{
    turnSelection(QStringLiteral("Reflejar"), [horizontal](const Clip& c) { return mirrored(c, horizontal); });
}

void EditorWindow::rotateSelection(bool clockwise)
{
    turnSelection(QStringLiteral("Girar"), [clockwise](const Clip& c) { return rotated90(c, clockwise); });
}

void EditorWindow::placeExtra(QPointF at, int button)
{
    static const std::map<EditorWindow::Tool, std::pair<PartTool, const char*>> parts
        = { { Tool::HalfForward, { PartTool::HalfForward, "Medio punto" } },
              { Tool::HalfBack, { PartTool::HalfBack, "Medio punto" } },
              { Tool::Quarter, { PartTool::Quarter, "Cuarto de punto" } },
              { Tool::ThreeQuarter, { PartTool::ThreeQuarter, "Tres cuartos de punto" } } };
    const StitchExtras& x = m_work.stitchExtras();
    const QPoint cell = cellOf(at);
    const auto part = parts.find(m_tool);
    if (!m_work.gridView().contains(cell) || (part == parts.end() && m_tool != Tool::Knot && m_tool != Tool::Bead))
        return;
    const QString name = part != parts.end() ? QString::fromUtf8(part->second.second)
        : m_tool == Tool::Knot               ? QStringLiteral("Nudo francés")
                                             : QStringLiteral("Cuenta");
    if (button == 2) {
        m_work.editPattern(QStringLiteral("Quitar %1").arg(name.toLower()), {},
            eraseNear(x, at, part != parts.end() ? ExtrasKind::Parts : ExtrasKind::Objects));
        return;
    }
    if (m_current == kNoStitchColour)
        return;
    const QString kind = m_tool == Tool::Knot ? QStringLiteral("knot") : QStringLiteral("bead");
    ExtrasEdit placed = inThread(x, m_work.extrasThread(m_current), [&](int thread) {
        return part != parts.end() ? placePart(x, at, part->second.first, thread)
                                   : placeObject(x, latticePoint(at), kind, thread);
    });
    if (placed.empty())
        return;
    // a part stitch takes the place of the full stitch in its cell
    std::vector<CellEdit> cells;
    if (part != parts.end() && m_tool != Tool::Quarter)
        cells = editCellsTo(m_work.gridView(), { cell }, kNoStitchColour);
    m_work.editPattern(name, std::move(cells), std::move(placed));
}

void EditorWindow::backstitchPressed(QPointF at, int button)
{
    const StitchExtras& x = m_work.stitchExtras();
    if (button == 2) {
        endBackstitchRun();
        m_work.editPattern(QStringLiteral("Quitar pespunte"), {}, eraseNear(x, at, ExtrasKind::Backstitch));
        return;
    }
    const GridView g = m_work.gridView();
    const QPointF p = latticePoint(at);
    if (p.x() < 0 || p.y() < 0 || p.x() > g.columns || p.y() > g.rows || m_current == kNoStitchColour)
        return;
    if (m_runFrom)
        m_work.editPattern(QStringLiteral("Pespunte"), {}, inThread(x, m_work.extrasThread(m_current), [&](int thread) {
            return placeBackstitch(x, *m_runFrom, p, thread);
        }));
    // each click goes on from where the last ended
    m_runFrom = p;
    showBackstitchRun();
}

void EditorWindow::endBackstitchRun()
{
    m_runFrom.reset();
    if (m_tool == Tool::Backstitch)
        showBackstitchRun();
}

void EditorWindow::showBackstitchRun()
{
    CanvasOverlay o;
    const GridView g = m_work.gridView();
    const QPointF p = latticePoint(m_at);
    if (m_tool == Tool::Backstitch && p.x() >= 0 && p.y() >= 0 && p.x() <= g.columns && p.y() <= g.rows) {
        o.point = p;
        o.lineColour = rgbFromColour(m_current);
        if (m_runFrom)
            o.lines.emplace_back(*m_runFrom, p);
    }
    m_canvas->setOverlay(o);
}
