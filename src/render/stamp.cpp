#include "render/stamp.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
constexpr int kPitch = 4; // one stitch: a 3 x 3 cross and a line of fabric
const char* const kHeart[] = { ".XX.XX.", "XOXXXXX", "XXXXXXX", ".XXXXX.", "..XXX..", "...X..." };
const QRgb kFabric = qRgb(246, 241, 228);
const QRgb kThread = qRgb(196, 30, 58);
const QRgb kShine = qRgb(236, 120, 140);
const QRgb kInk = qRgb(36, 52, 110);

void cross(QImage& im, int x, int y, QRgb colour)
{
    for (int d = 0; d < 3; ++d) {
        im.setPixel(x + d, y + d, colour);
        im.setPixel(x + 2 - d, y + d, colour);
    }
}

void drawHeart(QImage& im, int left, int top)
{
    const int rows = int(sizeof kHeart / sizeof kHeart[0]);
    for (int y = top - 1; y < top + rows * kPitch; ++y)
        for (int x = left - 1; x < left + 7 * kPitch; ++x)
            im.setPixel(x, y, kFabric);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; kHeart[r][c] != '\0'; ++c)
            if (kHeart[r][c] != '.')
                cross(im, left + c * kPitch, top + r * kPitch, kHeart[r][c] == 'O' ? kShine : kThread);
}

// The name in the largest bold size that fits the space beside the heart.
void drawName(QImage& im, int left, int right)
{
    const QString name = QStringLiteral("Puntela");
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    double size = 11;
    for (; size > 6; size -= 0.5) {
        f.setPointSizeF(size);
        if (QFontMetricsF(f, &im).horizontalAdvance(name) <= right - left)
            break;
    }
    QPainter p(&im);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(f);
    p.setPen(QColor::fromRgb(kInk));
    const QFontMetricsF fm(f, &im);
    const double baseline = 19;
    p.drawText(QPointF(left, baseline), name);
    // a running stitch under the name
    const int y = int(baseline + fm.descent()) + 1;
    for (int x = left; x + 3 <= right; x += 5)
        p.fillRect(QRect(x, y, 3, 1), QColor::fromRgb(kThread));
}
} // namespace

void drawStamp(Surface& s)
{
    QImage& im = s.image();
    if (im.width() < kStampWidth || im.height() < kStampHeight)
        return;
    for (int y = 0; y < kStampHeight; ++y)
        for (int x = 0; x < kStampWidth; ++x)
            im.setPixel(x, y, qRgb(255, 255, 255));
    drawHeart(im, 3, 4);
    drawName(im, 33, kStampWidth - 2);
}
