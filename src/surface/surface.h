#pragma once
// A drawing surface: a persistent image that the program draws on and reads back, with the
// position and size of its box in the container (2-pixel border: outer size = inside + 4),
// a custom scale, a pen, a current text position and a font.
#include "surface/colour_rgb.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <functional>

enum class DrawModeKind { Copy = 13, Invert = 6 };

// The resolution of every surface's picture: 96 dpi.
constexpr int kDotsPerMeter96 = 3780;
enum class LineKind { Line, Box, FilledBox };

// The points of the straight segment from (x1, y1) to (x2, y2), both ends included, in order,
// each handed to `visit` once.
template <class Visit> void forEachLinePoint(int x1, int y1, int x2, int y2, Visit visit)
{
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy, x = x1, y = y1;
    for (;;) {
        visit(x, y);
        if (x == x2 && y == y2)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

class Surface {
public:
    explicit Surface(int insideWidth = 0, int insideHeight = 0, int border = 2);

    // Colour value of the pixel at (x, y) in scale units; -1 outside the surface.
    Long Point(double x, double y) const;
    // Sets one pixel in scale units; points outside are ignored.
    void PSet(double x, double y, Long colour);
    // A line including both ends, a box outline or a filled box, in the current DrawWidth and DrawMode.
    void Line(double x1, double y1, double x2, double y2, Long colour, LineKind kind = LineKind::Line);
    // Clears to BackColor; the text position goes back to 0, 0.
    void Cls();
    // Writes text at CurrentX/CurrentY in ForeColor and the current font. Without a line end the
    // next write continues after the text; with one it starts at the left edge of the next line.
    void Print(const QString& text, bool endLine = true);
    // Width in scale units of a text in the current font.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text = QStringLiteral("X")) const;
    // Repaints the box at once (the window's hook), so progress shows during long loops.
    void Refresh();

    // Direct pixel access for per-pixel loops (pixel coordinates, no checks).
    int pixelWidth() const { return m_image.width(); }
    int pixelHeight() const { return m_image.height(); }
    bool validPixel(int x, int y) const { return x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height(); }
    QRgb* scanLine(int y) { return reinterpret_cast<QRgb*>(m_image.scanLine(y)); }
    const QRgb* scanLine(int y) const { return reinterpret_cast<const QRgb*>(m_image.constScanLine(y)); }
    Long pixel(int x, int y) const { return validPixel(x, y) ? colourFromRgb(scanLine(y)[x]) : -1; }
    void setPixel(int x, int y, Long colour)
    {
        if (validPixel(x, y))
            scanLine(y)[x] = rgbFromColour(colour);
    }
    // The persistent image (what is drawn stays, is copied, saved and printed).
    const QImage& Image() const { return m_image; }
    QImage& image() { return m_image; }
    // Assigns a loaded picture: the box sizes itself to it and shows it.
    void setPicture(const QImage& picture);
    // False when the last resize could not allocate the image (too little memory); a surface
    // without area has nothing to allocate.
    bool imageValid() const
    {
        return m_insideW == 0 || m_insideH == 0 || (m_image.width() == m_insideW && m_image.height() == m_insideH);
    }

    // Box geometry in the container's pixels; Width/Height are outer sizes.
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_insideW + 2 * m_border; }
    int Height() const { return m_insideH + 2 * m_border; }
    int border() const { return m_border; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int outer);
    void setHeight(int outer);
    // Both outer sizes at once, in one allocation and none when they stay the same; the scale's
    // width and height become the inside sizes, as setWidth and setHeight make them. Without
    // keepPicture, a picture of a new size is not filled at all: the caller clears it (Cls) before
    // it is shown or read.
    void setSize(int outerWidth, int outerHeight, bool keepPicture = true);
    void move(int left, int top);

    // Scale: drawing coordinates of the inside area; by default pixels from 0, 0.
    double ScaleLeft() const { return m_scaleLeft; }
    double ScaleTop() const { return m_scaleTop; }
    double ScaleWidth() const { return m_scaleWidth; }
    double ScaleHeight() const { return m_scaleHeight; }
    void setScaleLeft(double v) { m_scaleLeft = v; }
    void setScaleTop(double v) { m_scaleTop = v; }
    void setScaleWidth(double v) { m_scaleWidth = v; }
    void setScaleHeight(double v) { m_scaleHeight = v; }
    // Back to pixels from 0, 0.
    void setPixelScale();

    Long BackColor = RGB(255, 255, 255);
    Long ForeColor = 0;
    int DrawWidth = 1;
    DrawModeKind DrawMode = DrawModeKind::Copy;
    double CurrentX = 0;
    double CurrentY = 0;
    QString FontName = QStringLiteral("DejaVu Sans");
    double FontSize = 8;
    bool FontBold = false;

    bool Visible() const { return m_visible; }
    void setVisible(bool v);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);
    // 0 default, 2 cross, 5 size arrows, 9 left-right arrows, 11 hourglass, 99 custom (MouseIcon).
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int kind);
    QCursor MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QCursor& c);

    // Hooks for the widget that shows the surface.
    std::function<void()> onRefresh;
    std::function<void()> onChanged;

    QFont font() const;
    int toPixelX(double x) const;
    int toPixelY(double y) const;

private:
    void resizeImage(int w, int h, bool keepPicture = true);
    void changed();
    void fillPixels(int x1, int y1, int x2, int y2, QRgb colour);
    void plotPixel(int x, int y, QRgb colour);
    void drawSegment(int x1, int y1, int x2, int y2, QRgb colour);

    QImage m_image;
    int m_insideW = 0, m_insideH = 0, m_border = 2;
    int m_left = 0, m_top = 0;
    double m_scaleLeft = 0, m_scaleTop = 0, m_scaleWidth = 0, m_scaleHeight = 0;
    bool m_visible = true, m_enabled = true;
    int m_mousePointer = 0;
    QCursor m_mouseIcon;
};

// The character that a symbol font shows for a code 0..255, read in the Windows-1252 code page.
QChar charFromCode(int code);
