#pragma once
// Shows a Surface inside a 2-pixel sunken border at the surface's Left/Top in its container,
// follows its size, visibility and pointer, and passes the mouse on in the surface's units.
#include "surface/surface.h"

#include <QWidget>
#include <functional>

// A drag on a picture: arrastrando while the button is held, from where it was pressed.
struct DragState {
    Integer arrastrando = 0;
    Single x_arrastre = 0;
    Single y_arrastre = 0;
};

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(Surface& surface, QWidget* parent);
    Surface& surface() { return m_surface; }

    // Button: 1 left, 2 right, 4 middle; Shift: 1 shift, 2 ctrl, 4 alt; X, Y in scale units.
    using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
    MouseHandler mouseDown, mouseMove, mouseUp;
    std::function<void(int keyCode)> keyDown;
    // The tool tip for a point in scale units; none where it gives an empty text.
    std::function<QString(double x, double y)> toolTipAt;
    // Paints a surface-less box in a plain colour (frames and panels use it).
    void syncFromSurface();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void forward(const MouseHandler& h, QMouseEvent* e, bool released);
    // A point of the widget in the surface's scale units.
    QPointF toScale(const QPointF& pos) const;
    Surface& m_surface;
    int m_buttons = 0;
};

// The cursor for a mouse pointer kind (0, 2, 5, 9, 11; 99 uses the custom icon).
QCursor cursorForPointer(int kind, const QCursor& custom);
