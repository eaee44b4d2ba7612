#include "views/hand_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
// A hand cursor drawn in code: fingers spread (hovering) or curled into a fist (grabbing).
QCursor handCursor(bool closed)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    QPainterPath hand;
    const qreal fingerTop = closed ? 12 : 5;
    for (int f = 0; f < 4; ++f) {
        // the middle fingers reach higher than the outer ones
        const qreal top = fingerTop + (f == 0 || f == 3 ? 2 : 0);
        hand.addRoundedRect(QRectF(9 + 3.6 * f, top, 3.6, 18 - top), 1.8, 1.8);
    }
    hand.addRoundedRect(QRectF(9, 14, 14.4, 12), 4, 4);
    if (closed)
        hand.addRoundedRect(QRectF(6, 15, 5, 5), 2.5, 2.5);
    else
        hand.addRoundedRect(QRectF(3.5, 13, 8, 3.4), 1.7, 1.7);
    p.drawPath(hand.simplified());
    p.end();
    return QCursor(pm, 16, 16);
}
} // namespace

const QCursor& hoverCursor()
{
    static const QCursor c = handCursor(false);
    return c;
}

const QCursor& grabCursor()
{
    static const QCursor c = handCursor(true);
    return c;
}
