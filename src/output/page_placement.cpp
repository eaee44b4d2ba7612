#include "output/page_placement.h"

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96.0;
} // namespace

QSizeF sheetSizeMm(QSize pixels)
{
    return QSizeF(pixels.width() * kMmPerInch / kScreenDpi, pixels.height() * kMmPerInch / kScreenDpi);
}

QPointF centredTopLeft(QSizeF printable, QSizeF sheet)
{
    return QPointF((printable.width() - sheet.width()) / 2, (printable.height() - sheet.height()) / 2);
}

QRectF pageTarget(QSize pixels, QSizeF printableMm, double dpi)
{
    const QSizeF sheet = sheetSizeMm(pixels);
    const QPointF topLeft = centredTopLeft(printableMm, sheet);
    const double perMm = dpi / kMmPerInch;
    return QRectF(topLeft.x() * perMm, topLeft.y() * perMm, sheet.width() * perMm, sheet.height() * perMm);
}
