#pragma once
// The editor's chart on screen: rulers with the stitch numbers, the pattern drawn by EditCanvas
// into an image the size of the view, zoom (Ctrl+wheel, + and -), panning (scroll bars, the
// wheel, the middle button or space held with the left), and the tools' drawing on top.
#include "render/edit_canvas.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QLineF>
#include <functional>
#include <optional>
#include <vector>

// What a tool shows over the chart before it is applied: cells in colours (a line, a shape, a
// block being pasted), a selection's frame, and lines and a point for backstitch.
struct CanvasOverlay {
    std::vector<std::pair<QPoint, QRgb>> cells;
    QRect selection; // in cells, empty for none
    std::vector<QLineF> lines; // in cells
    QRgb lineColour = qRgb(0, 0, 0);
    std::optional<QPointF> point; // a lattice point the next click takes, in cells

    static CanvasOverlay framing(QRect selection)
    {
        CanvasOverlay o;
        o.selection = selection;
        return o;
    }
};

class CanvasWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    // The pattern drawn; the owner changes it and tells which cells changed.
    CanvasPattern pattern;
    void patternChanged(QRect cells = {});
    void setOverlay(const CanvasOverlay& overlay);

    CanvasFrame frame() const { return m_frame; }
    void setView(CanvasView view);
    void setGrid(bool on);
    void setPicture(bool on);
    void setMarks(bool on);

    double zoom() const { return m_frame.zoom; }
    // The zoom at which the whole pattern fits the view; the smallest zoom there is.
    double fitZoom() const;
    // Zoom to `zoom` pixels a stitch keeping the pattern's point under `anchor` (view pixels) in place.
    void zoomTo(double zoom, QPoint anchor);
    void zoomTo(double zoom);
    void zoomStep(int steps, QPoint anchor);
    void fit();
    // The cell under a point of the widget's view (may lie outside the pattern).
    QPoint cellAt(QPoint viewPos) const;
    // The point of the pattern under a point of the view, in cells from its top-left corner.
    QPointF pointAt(QPointF viewPos) const;
    // Scrolls so that a cell is in the middle of the view.
    void centreOn(QPoint cell);

    // The mouse at a point of the pattern, in cells: button 1 left, 2 right.
    std::function<void(QPointF at, int button, Qt::KeyboardModifiers)> pressed;
    std::function<void(QPointF at, int buttons)> moved; // also with no button: where the pointer is
    std::function<void(QPointF at)> released;
    std::function<void()> left; // the pointer left the chart
    std::function<void()> zoomChanged;

    static constexpr int kRulerWidth = 34, kRulerHeight = 18;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    // The chart's part of the view, right of and under the rulers.
    QRect chartRect() const;
    void updateScrollBars();
    void updateOrigin();
    void drawRulers(QPainter& p);
    void drawOverlay(QPainter& p);
    QRect cellRectOnView(QRect cells) const;
    QPointF viewPointOf(QPointF at) const;
    // The view's pixels the overlay covers.
    QRect overlayRect(const CanvasOverlay& o) const;

    EditCanvas m_canvas;
    CanvasFrame m_frame;
    QImage m_image;
    bool m_stale = true; // the whole image must be drawn again
    CanvasOverlay m_overlay;
    bool m_panning = false;
    bool m_spaceHeld = false;
    bool m_toolDown = false;
    QPoint m_panFrom;
};
