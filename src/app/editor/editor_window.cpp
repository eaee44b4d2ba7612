#include "app/editor/editor_window.h"

#include "output/thread_amounts.h"
#include "render/clear_symbols.h"
#include "surface/colour_rgb.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoView>

QIcon editorGlyphIcon(const QString& glyph)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(clearSymbolsFamily());
    f.setPixelSize(18);
    p.setFont(f);
    p.setPen(QColor(40, 40, 40));
    p.drawText(pm.rect(), Qt::AlignCenter, glyph);
    p.end();
    return QIcon(pm);
}

namespace {
constexpr int kThreadsDelay = 150; // ms
const char* const kGeometryKey = "editor/geometry";
} // namespace

EditorWindow::EditorWindow(Work& work, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_work(work)
{
    setWindowTitle(QStringLiteral("Editor de patrones"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_canvas = new CanvasWidget(this);
    m_canvas->viewport()->setCursor(Qt::CrossCursor);
    setCentralWidget(m_canvas);
    m_editing << m_canvas;
    buildActions();
    buildToolBar();
    buildViewBar();
    buildThreadsPanel();
    buildHistory();
    m_pointer = new QLabel(this);
    m_symbolsNote = new QLabel(this);
    statusBar()->addWidget(m_pointer, 1);
    statusBar()->addPermanentWidget(m_symbolsNote);

    m_canvas->pressed = [this](QPointF at, int b, Qt::KeyboardModifiers) { pointPressed(at, b); };
    m_canvas->moved = [this](QPointF at, int b) { pointMoved(at, b); };
    m_canvas->released = [this](QPointF at) { pointReleased(at); };
    m_canvas->left = [this] { m_pointer->clear(); };
    connect(&m_work, &Work::changed, this, &EditorWindow::workChanged);
    m_threadsTimer.setSingleShot(true);
    connect(&m_threadsTimer, &QTimer::timeout, this, &EditorWindow::showThreads);

    QSettings settings(QStringLiteral("puntela"), QStringLiteral("puntela"));
    if (!restoreGeometry(settings.value(QLatin1String(kGeometryKey)).toByteArray()))
        resize(1100, 760);
    readPattern();
    showThreads();
    updateEnabled();
    setTool(Tool::Pencil);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildViewBar()
{
    addToolBarBreak();
    QToolBar* bar = addToolBar(QStringLiteral("Vista"));
    bar->setObjectName(QStringLiteral("vista"));
    m_view = new QComboBox(bar);
    m_view->addItems({ QStringLiteral("Colores"), QStringLiteral("Colores con signos"),
        QStringLiteral("Signos en blanco y negro"), QStringLiteral("Puntadas") });
    m_view->setCurrentIndex(int(CanvasView::ColoursWithSymbols));
    m_canvas->setView(CanvasView::ColoursWithSymbols);
    connect(m_view, &QComboBox::currentIndexChanged, this, [this](int i) { m_canvas->setView(CanvasView(i)); });
    bar->addWidget(m_view);
    const auto toggle = [this, bar](const QString& text, bool on, auto set) {
        QAction* a = bar->addAction(text);
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, &QAction::toggled, this, set);
        return a;
    };
    toggle(QStringLiteral("Cuadrícula"), true, [this](bool on) { m_canvas->setGrid(on); });
    toggle(QStringLiteral("Ver la imagen debajo"), false, [this](bool on) { m_canvas->setPicture(on); });
    bar->addSeparator();
    QAction* in = bar->addAction(editorGlyphIcon(QStringLiteral("+")), QStringLiteral("Acercar"));
    in->setShortcuts({ QKeySequence::ZoomIn, QKeySequence(Qt::Key_Plus) });
    connect(in, &QAction::triggered, this, [this] { m_canvas->zoomStep(1, m_canvas->viewport()->rect().center()); });
    QAction* out = bar->addAction(editorGlyphIcon(QStringLiteral("−")), QStringLiteral("Alejar"));
    out->setShortcuts({ QKeySequence::ZoomOut, QKeySequence(Qt::Key_Minus) });
    connect(out, &QAction::triggered, this, [this] { m_canvas->zoomStep(-1, m_canvas->viewport()->rect().center()); });
    QAction* fit = bar->addAction(QStringLiteral("Ajustar"));
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fit, &QAction::triggered, m_canvas, &CanvasWidget::fit);
    QAction* real = bar->addAction(QStringLiteral("Tamaño real"));
    connect(real, &QAction::triggered, this, [this] {
        // the stitches as large as on the chosen fabric, at the screen's resolution
        const auto& all = fabrics();
        const int f = std::clamp(m_work.settings().fabric, 0, int(all.size()) - 1);
        const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
        const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
        m_canvas->zoomTo(dpi / all[std::size_t(f)].stitchesPerInch);
    });
    m_tolerance = new QSlider(Qt::Horizontal, bar);
    m_tolerance->setRange(0, 30);
    m_tolerance->setValue(10);
    m_tolerance->setFixedWidth(110);
    m_tolerance->setToolTip(QStringLiteral("Tolerancia de \"Quitar fondo\""));
    m_toleranceLabel = new QLabel(bar);
    connect(m_tolerance, &QSlider::valueChanged, this,
        [this](int v) { m_toleranceLabel->setText(QStringLiteral(" Tolerancia %1 ").arg(v)); });
    m_toleranceLabel->setText(QStringLiteral(" Tolerancia %1 ").arg(m_tolerance->value()));
    bar->addSeparator();
    bar->addWidget(m_toleranceLabel);
    bar->addWidget(m_tolerance);
    m_editing << m_tolerance;
}

void EditorWindow::buildHistory()
{
    auto* dock = new QDockWidget(QStringLiteral("Historial"), this);
    dock->setObjectName(QStringLiteral("historial"));
    m_history = new QUndoView(&m_work.history(), dock);
    m_history->setEmptyLabel(QStringLiteral("Patrón sin cambios"));
    dock->setWidget(m_history);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    m_editing << m_history;
}

void EditorWindow::workChanged(const WorkChange& c)
{
    const bool whole = c.cells.isEmpty();
    const bool palette = c.has(WorkChange::Palette) && !samePalette();
    if (palette || c.has(WorkChange::Cloth) || c.has(WorkChange::ChartOptions) || c.has(WorkChange::Size)
        || c.has(WorkChange::Picture)
        || ((c.has(WorkChange::Stitches) || c.has(WorkChange::Marks) || c.has(WorkChange::Palette)) && whole)) {
        // a new pattern or picture brings its own picture; edits leave it as it is
        readPattern(c.has(WorkChange::Picture) || c.has(WorkChange::Size) || (whole && c.has(WorkChange::Stitches)));
        m_threadsTimer.start(0);
    } else if (c.has(WorkChange::Stitches) || c.has(WorkChange::Marks) || c.has(WorkChange::Palette)) {
        if (c.has(WorkChange::Extras))
            readExtras();
        readCells(c.cells);
        // the counts follow a stroke a few times a second
        if (!m_threadsTimer.isActive())
            m_threadsTimer.start(kThreadsDelay);
    }
}

bool EditorWindow::samePalette() const
{
    // the palette in its order, as the symbols are given by it
    const WorkState& st = m_work.state();
    std::size_t index = 0;
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[std::size_t(g)]; ++k, ++index) {
            const auto it = m_indexOf.find(st.tono[std::size_t(g)][std::size_t(k)]);
            if (it == m_indexOf.end() || std::size_t(it->second) != index)
                return false;
        }
    return index == m_indexOf.size();
}

void EditorWindow::readPattern(bool withPicture)
{
    const Pattern p = m_work.pattern();
    CanvasPattern& cp = m_canvas->pattern;
    const bool resized = cp.columns != p.width || cp.rows != p.height;
    cp.columns = p.width;
    cp.rows = p.height;
    cp.cells = p.cells;
    cp.colours.clear();
    cp.symbols.clear();
    m_indexOf.clear();
    for (const PatternThread& t : p.palette) {
        m_indexOf.emplace(t.colour, int(cp.colours.size()));
        cp.colours.push_back(rgbFromColour(t.colour));
        cp.symbols.push_back(t.symbol);
    }
    cp.extras = p.extras;
    cp.extraSymbols = m_work.extrasSymbols();
    const QString font = m_work.settings().chart.symbolFont;
    cp.symbolFamily = isClearSymbols(font) ? clearSymbolsFamily() : font;
    cp.cloth = m_work.cloth();
    if (withPicture || cp.picture.isNull())
        cp.picture = m_work.Picture3.Image().convertToFormat(QImage::Format_RGB32);
    cp.done.assign(cp.cells.size(), 0);
    for (int y = 0; y < cp.rows; ++y)
        for (int x = 0; x < cp.columns; ++x)
            if (m_work.isDone(x, y))
                cp.done[std::size_t(y) * std::size_t(cp.columns) + std::size_t(x)] = 1;
    m_symbolsNote->setText(m_work.symbolsMayMove()
            ? QStringLiteral("Con esta fuente los signos pueden cambiar al añadir o quitar hilos")
            : QString());
    m_canvas->patternChanged();
    if (resized)
        m_canvas->fit();
}

void EditorWindow::readCells(QRect cells)
{
    CanvasPattern& cp = m_canvas->pattern;
    cells &= QRect(0, 0, cp.columns, cp.rows);
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x) {
            const Long colour = m_work.stitchAt(x, y);
            int index = -1;
            if (colour != kNoStitchColour) {
                const auto it = m_indexOf.find(colour);
                if (it == m_indexOf.end()) {
                    readPattern(); // a thread new to the canvas: its tiles and symbol with it
                    return;
                }
                index = it->second;
            }
            const std::size_t i = std::size_t(y) * std::size_t(cp.columns) + std::size_t(x);
            cp.cells[i] = index;
            cp.done[i] = m_work.isDone(x, y) ? 1 : 0;
        }
    m_canvas->patternChanged(cells);
}

void EditorWindow::readExtras()
{
    CanvasPattern& cp = m_canvas->pattern;
    cp.extras = m_work.stitchExtras();
    cp.extraSymbols = m_work.extrasSymbols();
}

void EditorWindow::setEditAllowed(bool allowed)
{
    m_allowed = allowed;
    updateEnabled();
}

bool EditorWindow::editAllowed() const { return m_allowed && m_work.canEdit(); }

void EditorWindow::updateEnabled()
{
    const bool can = editAllowed();
    for (QWidget* w : std::as_const(m_editing))
        w->setEnabled(can);
    for (QToolBar* bar : findChildren<QToolBar*>())
        if (bar->objectName() == QLatin1String("herramientas"))
            bar->setEnabled(can);
}

QString EditorWindow::statusText() const { return m_pointer->text(); }

void EditorWindow::showPointer(QPoint cell)
{
    const CanvasPattern& cp = m_canvas->pattern;
    if (cell.x() < 0 || cell.y() < 0 || cell.x() >= cp.columns || cell.y() >= cp.rows) {
        m_pointer->clear();
        return;
    }
    const QString where = QStringLiteral("columna %1, fila %2").arg(cell.x() + 1).arg(cell.y() + 1);
    const Long colour = m_work.stitchAt(cell.x(), cell.y());
    if (colour == kNoStitchColour) {
        m_pointer->setText(QStringLiteral("Tela — %1").arg(where));
        return;
    }
    const auto it = m_threadLabels.find(colour);
    m_pointer->setText(it == m_threadLabels.end() ? where : QStringLiteral("%1 — %2").arg(it->second, where));
}

void EditorWindow::closeEvent(QCloseEvent* e)
{
    if (m_down)
        cellReleased(m_last);
    QSettings settings(QStringLiteral("puntela"), QStringLiteral("puntela"));
    settings.setValue(QLatin1String(kGeometryKey), saveGeometry());
    m_work.editorClosed();
    QMainWindow::closeEvent(e);
}

void EditorWindow::changeEvent(QEvent* e)
{
    // the main window may have started or ended a swap or a long task meanwhile
    if (e->type() == QEvent::ActivationChange)
        updateEnabled();
    QMainWindow::changeEvent(e);
}

void EditorWindow::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        endBackstitchRun();
        m_floating = false;
        m_selection = QRect();
        m_canvas->setOverlay({});
        return;
    }
    QMainWindow::keyPressEvent(e);
}
