#include "app/editor/canvas_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
// The zooms + and - step through, from 2 pixels a stitch; below, each step halves or doubles.
constexpr int kZoomSteps[] = { 2, 3, 4, 6, 8, 10, 12, 16, 20, 24, 32, 40, 48, 64 };

// Stitch numbers every `step` cells, at least about 28 pixels apart.
int rulerStep(double zoom)
{
    for (int step : { 1, 5, 10, 20, 50, 100, 200, 500 })
        if (step * zoom >= 28)
            return step;
    return 1000;
}
} // namespace

CanvasWidget::CanvasWidget(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

QRect CanvasWidget::chartRect() const
{
    const QRect v = viewport()->rect();
    return QRect(
        kRulerWidth, kRulerHeight, std::max(1, v.width() - kRulerWidth), std::max(1, v.height() - kRulerHeight));
}

double CanvasWidget::fitZoom() const
{
    if (pattern.columns <= 0 || pattern.rows <= 0)
        return 1;
    const QRect c = chartRect();
    return snappedZoom(std::min({ double(c.width()) / pattern.columns, double(c.height()) / pattern.rows, kMaxZoom }));
}

void CanvasWidget::patternChanged(QRect cells)
{
    if (cells.isEmpty() || m_stale || m_image.isNull()) {
        m_stale = true;
        updateScrollBars();
        viewport()->update();
        return;
    }
    m_canvas.draw(m_image, pattern, m_frame, cells);
    viewport()->update(cellRectOnView(cells));
}

QRect CanvasWidget::overlayRect(const CanvasOverlay& o) const
{
    QRect cells;
    for (const auto& c : o.cells)
        cells |= QRect(c.first, QSize(1, 1));
    cells |= o.selection;
    QRect view = cells.isEmpty() ? QRect() : cellRectOnView(cells).adjusted(-2, -2, 2, 2);
    const int pad = int(std::ceil(m_frame.zoom / 3)) + 4;
    for (const QLineF& l : o.lines)
        view |= QRectF(viewPointOf(l.p1()), viewPointOf(l.p2()))
                    .normalized()
                    .toAlignedRect()
                    .adjusted(-pad, -pad, pad, pad);
    if (o.point)
        view |= QRect(viewPointOf(*o.point).toPoint(), QSize(1, 1)).adjusted(-8, -8, 8, 8);
    return view;
}

void CanvasWidget::setOverlay(const CanvasOverlay& overlay)
{
    const QRect dirty = overlayRect(m_overlay) | overlayRect(overlay);
    m_overlay = overlay;
    if (!dirty.isEmpty())
        viewport()->update(dirty);
}

void CanvasWidget::setView(CanvasView view)
{
    m_frame.view = view;
    m_stale = true;
    viewport()->update();
}

void CanvasWidget::setGrid(bool on)
{
    m_frame.grid = on;
    m_stale = true;
    viewport()->update();
}

void CanvasWidget::setPicture(bool on)
{
    m_frame.picture = on;
    m_stale = true;
    viewport()->update();
}

void CanvasWidget::setMarks(bool on)
{
    m_frame.marks = on;
    m_stale = true;
    viewport()->update();
}

void CanvasWidget::zoomTo(double zoom, QPoint anchor)
{
    zoom = std::clamp(snappedZoom(zoom), fitZoom(), kMaxZoom);
    if (zoom == m_frame.zoom)
        return;
    const QPoint inChart = anchor - chartRect().topLeft();
    const double cx = (inChart.x() + m_frame.origin.x()) / m_frame.zoom;
    const double cy = (inChart.y() + m_frame.origin.y()) / m_frame.zoom;
    m_frame.zoom = zoom;
    updateScrollBars();
    horizontalScrollBar()->setValue(int(std::lround(cx * zoom)) - inChart.x());
    verticalScrollBar()->setValue(int(std::lround(cy * zoom)) - inChart.y());
    updateOrigin();
    m_stale = true;
    viewport()->update();
    if (zoomChanged)
        zoomChanged();
}

void CanvasWidget::zoomTo(double zoom) { zoomTo(zoom, chartRect().center()); }

void CanvasWidget::zoomStep(int steps, QPoint anchor)
{
    double z = m_frame.zoom;
    for (; steps > 0; --steps) {
        const auto next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), int(std::floor(z)));
        z = z < 2 ? std::min(2.0, z * 2) : next == std::end(kZoomSteps) ? kMaxZoom : *next;
    }
    for (; steps < 0; ++steps) {
        const auto below = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), int(z));
        z = z <= 2 ? z / 2 : below == std::begin(kZoomSteps) ? 2.0 : *(below - 1);
    }
    zoomTo(z, anchor);
}

void CanvasWidget::fit()
{
    m_frame.zoom = fitZoom();
    updateScrollBars();
    m_stale = true;
    viewport()->update();
    if (zoomChanged)
        zoomChanged();
}

QPoint CanvasWidget::cellAt(QPoint viewPos) const { return cellAtPixel(m_frame, viewPos - chartRect().topLeft()); }

QPointF CanvasWidget::pointAt(QPointF viewPos) const
{
    return (viewPos - QPointF(chartRect().topLeft()) + QPointF(m_frame.origin)) / m_frame.zoom;
}

QPointF CanvasWidget::viewPointOf(QPointF at) const
{
    return at * m_frame.zoom - QPointF(m_frame.origin) + QPointF(chartRect().topLeft());
}

void CanvasWidget::centreOn(QPoint cell)
{
    const QRect c = chartRect();
    horizontalScrollBar()->setValue(int((cell.x() + 0.5) * m_frame.zoom) - c.width() / 2);
    verticalScrollBar()->setValue(int((cell.y() + 0.5) * m_frame.zoom) - c.height() / 2);
}

void CanvasWidget::updateScrollBars()
{
    const QRect c = chartRect();
    const int w = int(std::ceil(pattern.columns * m_frame.zoom)), h = int(std::ceil(pattern.rows * m_frame.zoom));
    horizontalScrollBar()->setRange(0, std::max(0, w - c.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - c.height()));
    horizontalScrollBar()->setPageStep(c.width());
    verticalScrollBar()->setPageStep(c.height());
    updateOrigin();
}

void CanvasWidget::updateOrigin()
{
    const QRect c = chartRect();
    const int w = int(std::ceil(pattern.columns * m_frame.zoom)), h = int(std::ceil(pattern.rows * m_frame.zoom));
    // a pattern smaller than the view sits in its middle
    m_frame.origin.setX(w <= c.width() ? -(c.width() - w) / 2 : horizontalScrollBar()->value());
    m_frame.origin.setY(h <= c.height() ? -(c.height() - h) / 2 : verticalScrollBar()->value());
}

void CanvasWidget::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (m_frame.zoom < fitZoom() || m_image.isNull())
        m_frame.zoom = fitZoom();
    updateScrollBars();
    m_stale = true;
}

void CanvasWidget::scrollContentsBy(int, int)
{
    updateOrigin();
    m_stale = true;
    viewport()->update();
}

QRect CanvasWidget::cellRectOnView(QRect cells) const
{
    return pixelsOfCells(m_frame, cells).translated(chartRect().topLeft());
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    const QRect c = chartRect();
    if (m_image.size() != c.size()) {
        m_image = QImage(c.size(), QImage::Format_RGB32);
        m_stale = true;
    }
    if (m_stale) {
        m_canvas.draw(m_image, pattern, m_frame);
        m_stale = false;
    }
    QPainter p(viewport());
    p.drawImage(c.topLeft(), m_image);
    drawRulers(p);
    p.setClipRect(c);
    drawOverlay(p);
}

void CanvasWidget::drawRulers(QPainter& p)
{
    const QRect c = chartRect();
    p.fillRect(0, 0, viewport()->width(), kRulerHeight, QColor(236, 236, 236));
    p.fillRect(0, 0, kRulerWidth, viewport()->height(), QColor(236, 236, 236));
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    const int step = rulerStep(m_frame.zoom);
    const QPoint first = cellAt(c.topLeft()), last = cellAt(c.bottomRight());
    p.setPen(QColor(70, 70, 70));
    p.setClipRect(QRect(c.left(), 0, c.width(), kRulerHeight));
    for (int x = std::max(0, first.x() / step * step); x <= std::min(last.x() + 1, pattern.columns); x += step) {
        const int px = c.left() + pixelsOfCells(m_frame, QRect(x, 0, 1, 1)).left();
        p.drawLine(px, kRulerHeight - 6, px, kRulerHeight - 1);
        p.drawText(px + 2, kRulerHeight - 6, QString::number(x));
    }
    p.setClipRect(QRect(0, c.top(), kRulerWidth, c.height()));
    for (int y = std::max(0, first.y() / step * step); y <= std::min(last.y() + 1, pattern.rows); y += step) {
        const int py = c.top() + pixelsOfCells(m_frame, QRect(0, y, 1, 1)).top();
        p.drawLine(kRulerWidth - 6, py, kRulerWidth - 1, py);
        p.drawText(QRect(0, py + 1, kRulerWidth - 3, 12), Qt::AlignRight | Qt::AlignTop, QString::number(y));
    }
    // the centre of the pattern, marked on both rulers
    p.setClipping(false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(224, 32, 28));
    const int cx = c.left() + int(std::floor(pattern.columns * m_frame.zoom / 2)) - m_frame.origin.x();
    const int cy = c.top() + int(std::floor(pattern.rows * m_frame.zoom / 2)) - m_frame.origin.y();
    if (cx >= c.left())
        p.drawPolygon(QPolygon({ QPoint(cx - 5, 0), QPoint(cx + 5, 0), QPoint(cx, 7) }));
    if (cy >= c.top())
        p.drawPolygon(QPolygon({ QPoint(0, cy - 5), QPoint(0, cy + 5), QPoint(7, cy) }));
    p.fillRect(0, 0, kRulerWidth, kRulerHeight, QColor(236, 236, 236));
}

void CanvasWidget::drawOverlay(QPainter& p)
{
    for (const auto& [cell, colour] : m_overlay.cells)
        p.fillRect(cellRectOnView(QRect(cell, QSize(1, 1))), QColor(colour));
    if (!m_overlay.selection.isEmpty()) {
        const QRect r = cellRectOnView(m_overlay.selection).adjusted(0, 0, -1, -1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(r);
    }
    if (m_overlay.lines.empty() && !m_overlay.point)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(m_overlay.lineColour), std::max(1.5, m_frame.zoom * 0.12), Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& l : m_overlay.lines)
        p.drawLine(QLineF(viewPointOf(l.p1()), viewPointOf(l.p2())));
    if (m_overlay.point) {
        // the lattice point the next click takes, a ring seen on any colour
        const QPointF c = viewPointOf(*m_overlay.point);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 3));
        p.drawEllipse(c, 4, 4);
        p.setPen(QPen(QColor(224, 32, 28), 1.5));
        p.drawEllipse(c, 4, 4);
    }
}

void CanvasWidget::wheelEvent(QWheelEvent* e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        const int steps = e->angleDelta().y() / 120;
        if (steps != 0)
            zoomStep(steps, e->position().toPoint());
        e->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(e);
}

void CanvasWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && m_spaceHeld)) {
        m_panning = true;
        m_panFrom = e->position().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    const int button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 0;
    if (button && pressed) {
        m_toolDown = true;
        pressed(pointAt(e->position()), button, e->modifiers());
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (m_panning) {
        const QPoint d = pos - m_panFrom;
        m_panFrom = pos;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
        return;
    }
    if (moved)
        moved(pointAt(e->position()), m_toolDown ? int(e->buttons() & (Qt::LeftButton | Qt::RightButton)) : 0);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_panning) {
        if (e->buttons() == Qt::NoButton) {
            m_panning = false;
            viewport()->setCursor(m_spaceHeld ? Qt::OpenHandCursor : Qt::CrossCursor);
        }
        return;
    }
    if (m_toolDown && e->buttons() == Qt::NoButton) {
        m_toolDown = false;
        if (released)
            released(pointAt(e->position()));
    }
}

void CanvasWidget::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space) {
        if (!e->isAutoRepeat()) {
            m_spaceHeld = true;
            viewport()->setCursor(Qt::OpenHandCursor);
        }
        return;
    }
    if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal)
        zoomStep(1, chartRect().center());
    else if (e->key() == Qt::Key_Minus)
        zoomStep(-1, chartRect().center());
    else
        QAbstractScrollArea::keyPressEvent(e);
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        m_spaceHeld = false;
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    QAbstractScrollArea::keyReleaseEvent(e);
}

bool CanvasWidget::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::Leave && left)
        left();
    return QAbstractScrollArea::viewportEvent(e);
}
