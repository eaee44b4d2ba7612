#include "app/picture_box_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

QCursor cursorForPointer(int kind, const QCursor& custom)
{
    switch (kind) {
    case 2:
        return Qt::CrossCursor;
    case 5:
        return Qt::SizeAllCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 11:
        return Qt::WaitCursor;
    case 99:
        return custom;
    default:
        return Qt::ArrowCursor;
    }
}

PictureBox::PictureBox(Surface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_surface.onChanged = [this] { syncFromSurface(); };
    m_surface.onRefresh = [this] { repaint(); };
    syncFromSurface();
}

void PictureBox::syncFromSurface()
{
    setGeometry(m_surface.Left(), m_surface.Top(), m_surface.Width(), m_surface.Height());
    setVisible(m_surface.Visible());
    setEnabled(m_surface.Enabled());
    if (m_surface.MousePointer() == 0)
        unsetCursor();
    else
        setCursor(cursorForPointer(m_surface.MousePointer(), m_surface.MouseIcon()));
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int b = m_surface.border();
    if (b > 0) {
        p.fillRect(rect(), QColor(128, 128, 128));
        p.fillRect(QRect(b / 2, b / 2, width() - b / 2, height() - b / 2), QColor(255, 255, 255));
        p.fillRect(QRect(b / 2, b / 2, width() - b, height() - b), QColor(64, 64, 64));
    }
    p.fillRect(QRect(b, b, width() - 2 * b, height() - 2 * b), QColor::fromRgb(rgbFromColour(m_surface.BackColor)));
    p.drawImage(b, b, m_surface.Image());
}

void PictureBox::forward(const MouseHandler& h, QMouseEvent* e, bool released)
{
    if (!h)
        return;
    int button = 0;
    const Qt::MouseButtons bs = released ? Qt::MouseButtons(e->button()) : e->buttons();
    if (bs & Qt::LeftButton)
        button |= 1;
    if (bs & Qt::RightButton)
        button |= 2;
    if (bs & Qt::MiddleButton)
        button |= 4;
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (e->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (e->modifiers() & Qt::AltModifier)
        shift |= 4;
    const QPointF at = toScale(e->position());
    h(button, shift, at.x(), at.y());
}

QPointF PictureBox::toScale(const QPointF& position) const
{
    const QPointF pos = position - QPointF(m_surface.border(), m_surface.border());
    const double fx = m_surface.pixelWidth() ? m_surface.ScaleWidth() / m_surface.pixelWidth() : 1.0;
    const double fy = m_surface.pixelHeight() ? m_surface.ScaleHeight() / m_surface.pixelHeight() : 1.0;
    return { m_surface.ScaleLeft() + pos.x() * fx, m_surface.ScaleTop() + pos.y() * fy };
}

bool PictureBox::event(QEvent* e)
{
    if (e->type() != QEvent::ToolTip || !toolTipAt)
        return QWidget::event(e);
    const auto* help = static_cast<QHelpEvent*>(e);
    const QPointF at = toScale(help->pos());
    const QString tip = toolTipAt(at.x(), at.y());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

void PictureBox::mousePressEvent(QMouseEvent* e) { forward(mouseDown, e, true); }
void PictureBox::mouseMoveEvent(QMouseEvent* e) { forward(mouseMove, e, false); }
void PictureBox::mouseReleaseEvent(QMouseEvent* e) { forward(mouseUp, e, true); }

void PictureBox::keyPressEvent(QKeyEvent* e)
{
    if (keyDown)
        keyDown(e->key() == Qt::Key_Escape ? 27 : e->key());
    else
        QWidget::keyPressEvent(e);
}
