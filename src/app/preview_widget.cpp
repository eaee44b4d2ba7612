#include "app/preview_widget.h"

#include <QPainter>

PreviewBox::PreviewBox(ImageControl& image, QWidget* parent)
    : QWidget(parent)
    , m_image(image)
{
    setGeometry(0, 0, 91, 91);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PreviewBox::sync()
{
    setVisible(m_image.Visible);
    update();
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    if (!m_image.Visible || m_image.Picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF target = m_image.Stretch
        ? QRectF(m_image.Left, m_image.Top, m_image.Width, m_image.Height)
        : QRectF(m_image.Left, m_image.Top, m_image.Picture.width(), m_image.Picture.height());
    p.drawImage(target, m_image.Picture);
}
