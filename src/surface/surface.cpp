#include "surface/surface.h"

#include "surface/fresh_memory.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
// Coordinates far beyond any surface stay far outside it without overflowing a pixel index,
// and a line towards them keeps its error terms within range.
constexpr double kFarPixel = 1 << 24;

int pixelIndex(double v)
{
    if (!(v > -kFarPixel))
        return -int(kFarPixel);
    if (!(v < kFarPixel))
        return int(kFarPixel);
    return static_cast<int>(std::floor(v + 1e-9));
}

inline QRgb applyInvert(QRgb p) { return 0xff000000u | (~p & 0x00ffffffu); }

} // namespace

Surface::Surface(int insideWidth, int insideHeight, int border)
    : m_border(border)
{
    resizeImage(std::max(0, insideWidth), std::max(0, insideHeight));
    setPixelScale();
}

void Surface::resizeImage(int w, int h, bool keepPicture)
{
    m_insideW = w;
    m_insideH = h;
    if (w == m_image.width() && h == m_image.height())
        return;
    if (!keepPicture)
        m_image = QImage(); // the old picture goes first: never two large ones at once
    QImage next = freshPicture(std::max(w, 0), std::max(h, 0));
    if (next.isNull() && w > 0 && h > 0) {
        m_image = QImage(); // allocation failed: imageValid() tells the caller
        return;
    }
    next.setDotsPerMeterX(kDotsPerMeter96);
    next.setDotsPerMeterY(kDotsPerMeter96);
    if (keepPicture)
        next.fill(rgbFromColour(BackColor));
    if (!m_image.isNull()) {
        // the persistent picture keeps what was drawn, from the top-left corner
        const int cw = std::min(w, m_image.width());
        const int ch = std::min(h, m_image.height());
        for (int y = 0; y < ch; ++y)
            std::copy_n(
                reinterpret_cast<const QRgb*>(m_image.constScanLine(y)), cw, reinterpret_cast<QRgb*>(next.scanLine(y)));
    }
    m_image = next;
}

void Surface::setPicture(const QImage& picture)
{
    QImage p = picture.convertToFormat(QImage::Format_RGB32);
    p.setDotsPerMeterX(kDotsPerMeter96);
    p.setDotsPerMeterY(kDotsPerMeter96);
    m_image = p;
    m_insideW = p.width();
    m_insideH = p.height();
    setPixelScale();
    changed();
}

void Surface::setPixelScale()
{
    m_scaleLeft = 0;
    m_scaleTop = 0;
    m_scaleWidth = m_insideW;
    m_scaleHeight = m_insideH;
}

int Surface::toPixelX(double x) const
{
    const double f = m_scaleWidth == 0 ? 1.0 : m_insideW / m_scaleWidth;
    return pixelIndex((x - m_scaleLeft) * f);
}

int Surface::toPixelY(double y) const
{
    const double f = m_scaleHeight == 0 ? 1.0 : m_insideH / m_scaleHeight;
    return pixelIndex((y - m_scaleTop) * f);
}

Long Surface::Point(double x, double y) const { return pixel(toPixelX(x), toPixelY(y)); }

void Surface::plotPixel(int x, int y, QRgb colour)
{
    if (!validPixel(x, y))
        return;
    QRgb& p = scanLine(y)[x];
    p = DrawMode == DrawModeKind::Invert ? applyInvert(p) : colour;
}

void Surface::PSet(double x, double y, Long colour) { plotPixel(toPixelX(x), toPixelY(y), rgbFromColour(colour)); }

// Fills the pixel rectangle between two corners (both included), each pixel once.
void Surface::fillPixels(int x1, int y1, int x2, int y2, QRgb colour)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, m_image.width() - 1);
    y2 = std::min(y2, m_image.height() - 1);
    for (int y = y1; y <= y2; ++y) {
        QRgb* row = scanLine(y);
        for (int x = x1; x <= x2; ++x)
            row[x] = DrawMode == DrawModeKind::Invert ? applyInvert(row[x]) : colour;
    }
}

// A straight segment in pixels with a square pen DrawWidth wide; each pixel is touched once,
// so in the inverting mode a segment drawn twice leaves the picture as it was.
void Surface::drawSegment(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int w = std::max(1, DrawWidth);
    const int lo = -(w / 2), hi = (w - 1) / 2;
    if (y1 == y2) {
        fillPixels(x1, y1 + lo, x2, y1 + hi, colour);
        return;
    }
    if (x1 == x2) {
        fillPixels(x1 + lo, y1, x1 + hi, y2, colour);
        return;
    }
    // a segment that passes nowhere near the picture draws nothing
    if (std::max(x1, x2) + hi < 0 || std::min(x1, x2) + lo >= m_image.width() || std::max(y1, y2) + hi < 0
        || std::min(y1, y2) + lo >= m_image.height())
        return;
    QSet<qint64> seen;
    forEachLinePoint(x1, y1, x2, y2, [&](int x, int y) {
        for (int oy = lo; oy <= hi; ++oy)
            for (int ox = lo; ox <= hi; ++ox) {
                const qint64 key = (qint64(y + oy) << 32) ^ quint32(x + ox);
                if (w == 1 || !seen.contains(key)) {
                    seen.insert(key);
                    plotPixel(x + ox, y + oy, colour);
                }
            }
    });
}

void Surface::Line(double fx1, double fy1, double fx2, double fy2, Long colour, LineKind kind)
{
    const QRgb c = rgbFromColour(colour);
    int x1 = toPixelX(fx1), y1 = toPixelY(fy1), x2 = toPixelX(fx2), y2 = toPixelY(fy2);
    if (kind == LineKind::Line) {
        drawSegment(x1, y1, x2, y2, c);
    } else if (kind == LineKind::FilledBox) {
        fillPixels(x1, y1, x2, y2, c);
    } else {
        if (x1 > x2)
            std::swap(x1, x2);
        if (y1 > y2)
            std::swap(y1, y2);
        const int w = std::max(1, DrawWidth);
        const int lo = -(w / 2), hi = (w - 1) / 2;
        // the outline is the outer rectangle less the inner one, laid as bands that do not
        // overlap, so the inverting mode touches each pixel once
        const int ox1 = x1 + lo, oy1 = y1 + lo, ox2 = x2 + hi, oy2 = y2 + hi;
        const int ix1 = x1 + hi + 1, iy1 = y1 + hi + 1, ix2 = x2 + lo - 1, iy2 = y2 + lo - 1;
        if (ix1 > ix2 || iy1 > iy2) {
            fillPixels(ox1, oy1, ox2, oy2, c);
        } else {
            fillPixels(ox1, oy1, ox2, iy1 - 1, c);
            fillPixels(ox1, iy2 + 1, ox2, oy2, c);
            fillPixels(ox1, iy1, ix1 - 1, iy2, c);
            fillPixels(ix2 + 1, iy1, ox2, iy2, c);
        }
    }
    CurrentX = fx2;
    CurrentY = fy2;
}

void Surface::Cls()
{
    m_image.fill(rgbFromColour(BackColor));
    CurrentX = 0;
    CurrentY = 0;
}

QFont Surface::font() const
{
    QFont f(FontName);
    f.setPointSizeF(FontSize > 0 ? FontSize : 8);
    f.setBold(FontBold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

double Surface::TextWidth(const QString& text) const
{
    const double f = m_insideW == 0 ? 1.0 : m_scaleWidth / m_insideW;
    return QFontMetricsF(font(), &m_image).horizontalAdvance(text) * f;
}

double Surface::TextHeight(const QString&) const
{
    const double f = m_insideH == 0 ? 1.0 : m_scaleHeight / m_insideH;
    return QFontMetricsF(font(), &m_image).height() * f;
}

void Surface::Print(const QString& text, bool endLine)
{
    if (!text.isEmpty() && !m_image.isNull()) {
        QPainter p(&m_image);
        const QFont f = font();
        p.setFont(f);
        const QFontMetricsF fm(f, &m_image);
        const QPointF at(toPixelX(CurrentX), toPixelY(CurrentY) + fm.ascent());
        if (DrawMode == DrawModeKind::Invert) {
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(Qt::white);
        } else {
            p.setPen(QColor::fromRgb(rgbFromColour(ForeColor)));
        }
        p.drawText(at, text);
    }
    if (endLine) {
        CurrentX = m_scaleLeft;
        CurrentY += TextHeight();
    } else {
        CurrentX += TextWidth(text);
    }
}

void Surface::Refresh()
{
    if (onRefresh)
        onRefresh();
}

void Surface::changed()
{
    if (onChanged)
        onChanged();
}

void Surface::setLeft(int v)
{
    m_left = v;
    changed();
}

void Surface::setTop(int v)
{
    m_top = v;
    changed();
}

void Surface::move(int left, int top)
{
    m_left = left;
    m_top = top;
    changed();
}

void Surface::setWidth(int outer)
{
    const int inside = std::max(0, outer - 2 * m_border);
    resizeImage(inside, m_insideH);
    m_scaleWidth = inside;
    changed();
}

void Surface::setHeight(int outer)
{
    const int inside = std::max(0, outer - 2 * m_border);
    resizeImage(m_insideW, inside);
    m_scaleHeight = inside;
    changed();
}

void Surface::setSize(int outerWidth, int outerHeight, bool keepPicture)
{
    const int w = std::max(0, outerWidth - 2 * m_border), h = std::max(0, outerHeight - 2 * m_border);
    resizeImage(w, h, keepPicture);
    m_scaleWidth = w;
    m_scaleHeight = h;
    changed();
}

void Surface::setVisible(bool v)
{
    m_visible = v;
    changed();
}

void Surface::setEnabled(bool v)
{
    m_enabled = v;
    changed();
}

void Surface::setMousePointer(int kind)
{
    m_mousePointer = kind;
    changed();
}

void Surface::setMouseIcon(const QCursor& c)
{
    m_mouseIcon = c;
    changed();
}

QChar charFromCode(int code)
{
    // the code page's characters 128..159 differ from Latin-1
    static const char16_t high[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
        0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };
    code &= 0xff;
    if (code >= 128 && code < 160)
        return QChar(high[code - 128]);
    return QChar(code);
}
