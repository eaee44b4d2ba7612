#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
void signMark(QPainter& p, bool plus, const QColor& c)
{
    p.setPen(QPen(c, 2));
    p.drawLine(9, 12, 15, 12);
    if (plus)
        p.drawLine(12, 9, 12, 15);
}

void sun(QPainter& p, bool bright)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(bright ? QColor(255, 220, 0) : QColor(90, 90, 90));
    p.drawEllipse(QPointF(6, 6), 4, 4);
}

void drawIcon(QPainter& p, IconKind kind)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case IconKind::SingleStitch:
        p.setPen(QPen(QColor(180, 0, 0), 1.6));
        p.drawLine(5, 5, 11, 11);
        p.drawLine(11, 5, 5, 11);
        break;
    case IconKind::DoubleStitch:
        p.setPen(QPen(QColor(180, 0, 0), 2.6));
        p.drawLine(2, 2, 14, 14);
        p.drawLine(14, 2, 2, 14);
        break;
    case IconKind::FullScreen:
        p.setPen(QPen(Qt::black, 1.4));
        p.drawRect(2, 3, 12, 10);
        p.drawLine(4, 5, 7, 5);
        p.drawLine(4, 5, 4, 8);
        p.drawLine(12, 11, 9, 11);
        p.drawLine(12, 11, 12, 8);
        break;
    case IconKind::Undo: {
        p.setPen(QPen(Qt::black, 1.6));
        QPainterPath path(QPointF(4, 7));
        path.cubicTo(8, 2, 15, 5, 12, 12);
        p.drawPath(path);
        p.drawLine(4, 7, 4, 3);
        p.drawLine(4, 7, 8, 7);
        break;
    }
    case IconKind::Hide:
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(2, 4, 5, 8);
        p.drawLine(2, 12, 5, 8);
        break;
    case IconKind::Reset:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(120, 180, 255));
        p.drawRect(3, 5, 10, 8);
        p.setBrush(QColor(60, 140, 60));
        p.drawPolygon(QPolygonF({ QPointF(3, 13), QPointF(7, 8), QPointF(11, 13) }));
        break;
    case IconKind::BrightUp:
    case IconKind::BrightDown:
        sun(p, kind == IconKind::BrightUp);
        signMark(p, kind == IconKind::BrightUp, Qt::black);
        break;
    case IconKind::ContrastUp:
    case IconKind::ContrastDown:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6, 6), 4, 4);
        p.setBrush(Qt::black);
        p.drawPie(QRectF(2, 2, 8, 8), 90 * 16, 180 * 16);
        signMark(p, kind == IconKind::ContrastUp, Qt::black);
        break;
    case IconKind::RedUp:
    case IconKind::RedDown:
    case IconKind::GreenUp:
    case IconKind::GreenDown:
    case IconKind::BlueUp:
    case IconKind::BlueDown: {
        const bool up = kind == IconKind::RedUp || kind == IconKind::GreenUp || kind == IconKind::BlueUp;
        const QColor c = (kind == IconKind::RedUp || kind == IconKind::RedDown) ? QColor(220, 0, 0)
            : (kind == IconKind::GreenUp || kind == IconKind::GreenDown)        ? QColor(0, 160, 0)
                                                                                : QColor(0, 0, 220);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(6, 6), 4, 4);
        signMark(p, up, c.darker());
        break;
    }
    case IconKind::Print:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(4, 2, 8, 5);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(2, 7, 12, 5);
        p.setBrush(Qt::white);
        p.drawRect(4, 11, 8, 3);
        break;
    case IconKind::Save:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 70, 160));
        p.drawRect(2, 2, 12, 12);
        p.setBrush(Qt::white);
        p.drawRect(4, 2, 8, 5);
        break;
    case IconKind::Help:
        p.setPen(QPen(QColor(0, 0, 160), 1));
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10, QFont::Bold));
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case IconKind::Magnifier:
        p.setPen(QPen(Qt::black, 1.4));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QPointF(6.5, 6.5), 4, 4);
        p.setPen(QPen(Qt::black, 2.2));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case IconKind::Grid:
        p.setPen(QPen(QColor(90, 90, 90), 1));
        for (int k = 2; k <= 14; k += 4) {
            p.drawLine(k, 2, k, 14);
            p.drawLine(2, k, 14, k);
        }
        break;
    case IconKind::Chart:
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(Qt::white);
        p.drawRect(1, 1, 14, 14);
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(3, 3, 7, 7);
        p.drawLine(7, 3, 3, 7);
        p.drawEllipse(QPointF(11, 5), 2, 2);
        p.drawRect(3, 9, 4, 4);
        p.drawLine(9, 13, 13, 9);
        break;
    case IconKind::Colours: {
        const QColor cs[4] = { QColor(220, 40, 40), QColor(40, 170, 40), QColor(40, 70, 220), QColor(240, 200, 0) };
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 4; ++k) {
            p.setBrush(cs[k]);
            p.drawRect(2 + (k % 2) * 6, 2 + (k / 2) * 6, 6, 6);
        }
        break;
    }
    case IconKind::Picker:
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(QColor(180, 180, 180));
        p.drawLine(QPointF(3, 13), QPointF(10, 6));
        p.drawEllipse(QPointF(11.5, 4.5), 2.5, 2.5);
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(3, 13), 1.5, 1.5);
        break;
    case IconKind::CatalogueMin:
    case IconKind::CatalogueMid:
    case IconKind::CatalogueLarge:
    case IconKind::CatalogueFull: {
        const int n = kind == IconKind::CatalogueMin ? 1
            : kind == IconKind::CatalogueMid         ? 2
            : kind == IconKind::CatalogueLarge       ? 3
                                                     : 4;
        const double cell = 12.0 / n;
        p.setPen(Qt::NoPen);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                p.setBrush(QColor::fromHsv((i * n + j) * 360 / (n * n), 170, 220));
                p.drawRect(QRectF(2 + i * cell, 2 + j * cell, cell - 0.5, cell - 0.5));
            }
        break;
    }
    case IconKind::CataloguePersonal:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(QPointF(8, 5), 3, 3);
        p.drawPie(QRectF(2, 9, 12, 10), 0, 180 * 16);
        break;
    case IconKind::ThreadList: {
        // three threads, each a swatch and its line of text
        const QColor cs[3] = { QColor(200, 30, 40), QColor(40, 110, 200), QColor(240, 190, 20) };
        for (int k = 0; k < 3; ++k) {
            p.setPen(QPen(Qt::black, 0.8));
            p.setBrush(cs[k]);
            p.drawRect(QRectF(1.5, 1.5 + 5 * k, 4, 3.5));
            p.setPen(QPen(QColor(60, 60, 60), 1.4));
            p.drawLine(QPointF(7.5, 3.3 + 5 * k), QPointF(14.5, 3.3 + 5 * k));
        }
        break;
    }
    case IconKind::ChartPdf:
        // a page with its corner folded, a chart grid on it and a red band
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF(
            { QPointF(2.5, 0.5), QPointF(10.5, 0.5), QPointF(13.5, 3.5), QPointF(13.5, 15.5), QPointF(2.5, 15.5) }));
        p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
        p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
        p.setPen(QPen(QColor(150, 150, 150), 0.8));
        for (double k = 4.5; k <= 10.5; k += 3) {
            p.drawLine(QPointF(k, 4.5), QPointF(k, 10.5));
            p.drawLine(QPointF(4.5, k), QPointF(10.5, k));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 20, 20));
        p.drawRect(QRectF(1, 11.5, 11, 3.5));
        break;
    case IconKind::SavePattern:
        // the save disk with a cross stitch on its label: the pattern itself, not its pictures
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(30, 120, 70));
        p.drawRect(2, 2, 12, 12);
        p.setBrush(Qt::white);
        p.drawRect(4, 6, 8, 8);
        p.setPen(QPen(QColor(200, 0, 0), 1.6));
        p.drawLine(6, 8, 10, 12);
        p.drawLine(10, 8, 6, 12);
        break;
    case IconKind::ColourOptions: {
        // three thread colours side by side under a cross stitch
        const QColor cs[3] = { QColor(200, 60, 60), QColor(230, 170, 40), QColor(60, 120, 200) };
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 3; ++k) {
            p.setBrush(cs[k]);
            p.drawRect(2 + 4 * k, 9, 4, 5);
        }
        p.setPen(QPen(Qt::black, 1.4));
        p.drawLine(5, 2, 11, 7);
        p.drawLine(11, 2, 5, 7);
        break;
    }
    case IconKind::EditPattern:
        // a pencil over a few grid cells
        p.setPen(QPen(QColor(150, 150, 150), 0.8));
        for (double k = 1.5; k <= 14.5; k += 4.33) {
            p.drawLine(QPointF(k, 1.5), QPointF(k, 14.5));
            p.drawLine(QPointF(1.5, k), QPointF(14.5, k));
        }
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(240, 190, 40));
        p.drawPolygon(QPolygonF({ QPointF(12, 1.5), QPointF(14.5, 4), QPointF(6, 12.5), QPointF(3.5, 10) }));
        p.setBrush(QColor(40, 40, 40));
        p.drawPolygon(QPolygonF({ QPointF(3.5, 10), QPointF(6, 12.5), QPointF(2, 14) }));
        break;
    case IconKind::Quit:
        p.setPen(QPen(QColor(160, 0, 0), 1.6));
        p.drawArc(QRectF(3, 3, 10, 10), 120 * 16, 300 * 16);
        p.drawLine(8, 2, 8, 8);
        break;
    }
}
} // namespace

QIcon makeIcon(IconKind kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawIcon(p, kind);
    p.end();
    return QIcon(pm);
}
