#include "render/edit_canvas.h"

#include "render/extras_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
constexpr QRgb kOutside = 0xFF9A9A9A; // around the pattern
constexpr QRgb kCentre = 0xFFE0201C;

QRgb mix(QRgb a, QRgb b, int bWeight256)
{
    const int w = bWeight256, v = 256 - w;
    return qRgb(
        (qRed(a) * v + qRed(b) * w) >> 8, (qGreen(a) * v + qGreen(b) * w) >> 8, (qBlue(a) * v + qBlue(b) * w) >> 8);
}

QRgb scaled(QRgb c, double f)
{
    const auto s = [f](int v) { return std::clamp(int(std::lround(v * f)), 0, 255); };
    return qRgb(s(qRed(c)), s(qGreen(c)), s(qBlue(c)));
}

// A colour is light when its components add up to more than 500: its symbol is black.
bool isLightColour(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) > 500; }

QRgb greyOf(QRgb c)
{
    const int g = (qRed(c) * 77 + qGreen(c) * 151 + qBlue(c) * 28) >> 8;
    return qRgb(g, g, g);
}

// The alpha of a square drawing, 0..255 a pixel.
std::vector<unsigned char> coverageOf(const QImage& im)
{
    const int z = im.width();
    std::vector<unsigned char> cov(std::size_t(z) * std::size_t(z));
    for (int y = 0; y < z; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < z; ++x)
            cov[std::size_t(y * z + x)] = uchar(qAlpha(row[x]));
    }
    return cov;
}

// Coverage 0..255 of a text drawn centred in a z x z cell.
std::vector<unsigned char> glyphCoverage(const QString& text, const QString& family, int z)
{
    QImage im(z, z, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    if (!text.isEmpty()) {
        QPainter p(&im);
        QFont f(family);
        f.setPixelSize(std::max(4, int(z * 0.78)));
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, z, z), Qt::AlignCenter, text);
    }
    return coverageOf(im);
}

// The tick of a done stitch, as coverage over a z x z cell.
std::vector<unsigned char> tickCoverage(int z)
{
    QImage im(z, z, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    QPainter p(&im);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, std::max(1.0, z / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(z * 0.2, z * 0.55);
    path.lineTo(z * 0.42, z * 0.78);
    path.lineTo(z * 0.82, z * 0.25);
    p.drawPath(path);
    p.end();
    return coverageOf(im);
}

// One stitch as a cross: the top strand from bottom left to top right over the other, each
// lighter along its middle; the cloth shows in the four corners.
void paintCross(std::vector<QRgb>& tile, int z, QRgb colour, QRgb cloth)
{
    const double half = 0.3;
    for (int y = 0; y < z; ++y)
        for (int x = 0; x < z; ++x) {
            const double u = (x + 0.5) / z, v = (y + 0.5) / z;
            const double top = std::abs(u + v - 1) / half, under = std::abs(u - v) / half;
            QRgb c = cloth;
            if (top < 1)
                c = scaled(colour, 1.12 - 0.4 * top * top);
            else if (under < 1)
                c = scaled(colour, 0.92 - 0.35 * under * under);
            tile[std::size_t(y * z + x)] = c;
        }
}

void stamp(std::vector<QRgb>& tile, const std::vector<unsigned char>& cov, QRgb ink)
{
    for (std::size_t i = 0; i < tile.size(); ++i)
        if (cov[i])
            tile[i] = mix(tile[i], ink, cov[i] + (cov[i] >> 7));
}

struct ColumnPlace {
    int cell; // the cell's column, or -1 outside the pattern
    int within; // the pixel's place within the cell (whole zooms)
    int pictureX; // the working picture's column under it
    unsigned char line; // 0 none, 1 grid, 2 heavier grid, 3 centre
};
} // namespace

double snappedZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.05, kMaxZoom);
    return zoom >= 2 ? std::floor(zoom) : zoom;
}

QPoint cellAtPixel(const CanvasFrame& f, QPoint p)
{
    return QPoint(int(std::floor((p.x() + f.origin.x()) / f.zoom)), int(std::floor((p.y() + f.origin.y()) / f.zoom)));
}

QRect pixelsOfCells(const CanvasFrame& f, QRect cells)
{
    const auto first = [&f](int c, int o) { return int(std::ceil(c * f.zoom - 1e-9)) - o; };
    const int x0 = first(cells.left(), f.origin.x()), y0 = first(cells.top(), f.origin.y());
    const int x1 = first(cells.right() + 1, f.origin.x()), y1 = first(cells.bottom() + 1, f.origin.y());
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

struct EditCanvas::Impl {
    // What the tiles were made for.
    int z = 0;
    CanvasView view = CanvasView::Colours;
    QRgb cloth = 0;
    QString family;
    std::vector<QRgb> colours;
    std::vector<QString> symbols;
    // Tile i of thread i, then the same dimmed with a tick at size + i, the cloth's last.
    std::vector<std::vector<QRgb>> tiles;

    bool tilesFit(const CanvasPattern& p, const CanvasFrame& f, int zi) const
    {
        return zi == z && f.view == view && p.cloth == cloth && p.symbolFamily == family && p.colours == colours
            && p.symbols == symbols && !tiles.empty();
    }
    void makeTiles(const CanvasPattern& p, const CanvasFrame& f, int zi);
    // The colour a thread's cell shows at zooms too small for tiles.
    QRgb flatColour(const CanvasPattern& p, const CanvasFrame& f, int index, bool done) const;
    std::vector<ColumnPlace> columnPlaces(const CanvasPattern& p, const CanvasFrame& f, int x0, int x1) const;
};

void EditCanvas::Impl::makeTiles(const CanvasPattern& p, const CanvasFrame& f, int zi)
{
    z = zi;
    view = f.view;
    cloth = p.cloth;
    family = p.symbolFamily;
    colours = p.colours;
    symbols = p.symbols;
    const std::size_t n = p.colours.size();
    const std::size_t area = std::size_t(z) * std::size_t(z);
    tiles.assign(2 * n + 1, std::vector<QRgb>(area, p.cloth));
    const bool withSymbols = z >= kSymbolZoom && view != CanvasView::Colours && view != CanvasView::Stitches;
    const std::vector<unsigned char> tick = tickCoverage(z);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<QRgb>& t = tiles[i];
        const QRgb colour = p.colours[i];
        if (view == CanvasView::Stitches)
            paintCross(t, z, colour, p.cloth);
        else if (view == CanvasView::BlackWhiteSymbols)
            std::fill(t.begin(), t.end(), withSymbols ? qRgb(255, 255, 255) : greyOf(colour));
        else
            std::fill(t.begin(), t.end(), colour);
        if (withSymbols && i < p.symbols.size()) {
            const bool blackInk = view == CanvasView::BlackWhiteSymbols || isLightColour(colour);
            stamp(t, glyphCoverage(p.symbols[i], p.symbolFamily, z), blackInk ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
        std::vector<QRgb>& d = tiles[n + i];
        for (std::size_t k = 0; k < area; ++k)
            d[k] = mix(t[k], qRgb(255, 255, 255), 150);
        stamp(d, tick, qRgb(0, 120, 40));
    }
}

QRgb EditCanvas::Impl::flatColour(const CanvasPattern& p, const CanvasFrame& f, int index, bool done) const
{
    if (index < 0 || std::size_t(index) >= p.colours.size())
        return p.cloth;
    QRgb c = p.colours[std::size_t(index)];
    if (f.view == CanvasView::BlackWhiteSymbols)
        c = greyOf(c);
    return done ? mix(c, qRgb(255, 255, 255), 150) : c;
}

std::vector<ColumnPlace> EditCanvas::Impl::columnPlaces(
    const CanvasPattern& p, const CanvasFrame& f, int x0, int x1) const
{
    // the grid shows from 4 pixels a stitch; the heavier lines alone from 0.6
    const bool thin = f.grid && f.zoom >= 4, heavy = f.grid && f.zoom * 10 >= 6;
    const long centre = long(std::floor(p.columns * f.zoom / 2));
    std::vector<ColumnPlace> places(std::size_t(std::max(0, x1 - x0)));
    for (int x = x0; x < x1; ++x) {
        const long gx = long(x) + f.origin.x();
        ColumnPlace& c = places[std::size_t(x - x0)];
        const int cell = int(std::floor(gx / f.zoom));
        const bool inside = gx >= 0 && cell < p.columns;
        c.cell = inside ? cell : -1;
        c.within = f.zoom >= 2 ? int(gx - long(cell) * long(f.zoom)) : 0;
        c.pictureX = p.picture.isNull() || !inside
            ? 0
            : std::min(p.picture.width() - 1, int((gx / f.zoom) * p.picture.width() / p.columns));
        const bool first = inside && int(std::ceil(cell * f.zoom - 1e-9)) == gx;
        c.line = 0;
        if (inside && gx == centre)
            c.line = 3;
        else if (first && heavy && cell % 10 == 0)
            c.line = 2;
        else if (first && thin)
            c.line = 1;
    }
    return places;
}

EditCanvas::EditCanvas()
    : d(std::make_unique<Impl>())
{
}

EditCanvas::~EditCanvas() = default;

void EditCanvas::forgetTiles() { d->tiles.clear(); }

void EditCanvas::draw(QImage& target, const CanvasPattern& p, const CanvasFrame& f, QRect cells)
{
    QRect area = target.rect();
    if (!cells.isEmpty())
        area &= pixelsOfCells(f, cells);
    if (area.isEmpty())
        return;
    const bool tiled = f.zoom >= 2;
    const int z = tiled ? int(f.zoom) : 0;
    if (tiled && !d->tilesFit(p, f, z))
        d->makeTiles(p, f, z);
    const std::vector<ColumnPlace> places = d->columnPlaces(p, f, area.left(), area.right() + 1);
    const bool thin = f.grid && f.zoom >= 4, heavy = f.grid && f.zoom * 10 >= 6;
    const long centreRow = long(std::floor(p.rows * f.zoom / 2));
    const bool underlay = f.picture && !p.picture.isNull();
    const std::size_t n = p.colours.size();
    // the grid is dark on light cloth and light on dark cloth
    const QRgb thinInk = isLightColour(p.cloth) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
        const long gy = long(y) + f.origin.y();
        const int cy = int(std::floor(gy / f.zoom));
        if (gy < 0 || cy >= p.rows) {
            std::fill(out, out + places.size(), kOutside);
            continue;
        }
        const int within = tiled ? int(gy - long(cy) * z) : 0;
        const bool firstRow = int(std::ceil(cy * f.zoom - 1e-9)) == gy;
        const int rowLine = gy == centreRow ? 3 : firstRow && heavy && cy % 10 == 0 ? 2 : firstRow && thin ? 1 : 0;
        const int pictureY
            = underlay ? std::min(p.picture.height() - 1, int((gy / f.zoom) * p.picture.height() / p.rows)) : 0;
        const QRgb* pictureRow = underlay ? reinterpret_cast<const QRgb*>(p.picture.constScanLine(pictureY)) : nullptr;
        const int* rowCells = p.cells.data() + std::size_t(cy) * std::size_t(p.columns);
        const unsigned char* rowDone
            = f.marks && !p.done.empty() ? p.done.data() + std::size_t(cy) * std::size_t(p.columns) : nullptr;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const ColumnPlace& c = places[i];
            if (c.cell < 0) {
                out[i] = kOutside;
                continue;
            }
            const int index = rowCells[c.cell];
            const bool stitched = index >= 0 && std::size_t(index) < n;
            const bool done = stitched && rowDone && rowDone[c.cell];
            QRgb v;
            if (tiled) {
                const std::size_t t = !stitched ? 2 * n : done ? n + std::size_t(index) : std::size_t(index);
                v = d->tiles[t][std::size_t(within * z + c.within)];
            } else {
                v = d->flatColour(p, f, stitched ? index : -1, done);
            }
            if (pictureRow) {
                // the picture shows clearly through the cloth and faintly through the stitches
                const QRgb pic = pictureRow[c.pictureX];
                v = mix(v, pic, stitched ? 40 : 110);
            }
            const int line = std::max(rowLine, int(c.line));
            if (line == 3)
                v = mix(v, kCentre, 200);
            else if (line == 2)
                v = mix(v, thinInk, 170);
            else if (line == 1)
                v = mix(v, thinInk, 60);
            out[i] = v | 0xFF000000;
        }
    }
    if (p.extras.empty())
        return;
    // the lines and knots over the cells drawn, cut to the pixels drawn
    QPainter painter(&target);
    painter.setClipRect(area);
    ExtrasView v;
    v.origin = QPointF(-f.origin.x(), -f.origin.y());
    v.cell = f.zoom;
    // a cell more all round, so that only `area` cuts what is drawn
    v.cells = QRect(cellAtPixel(f, area.topLeft()), cellAtPixel(f, area.bottomRight())).adjusted(-1, -1, 1, 1)
        & QRect(0, 0, p.columns, p.rows);
    v.colours = f.view != CanvasView::BlackWhiteSymbols;
    v.symbols = f.view != CanvasView::Colours && f.view != CanvasView::Stitches && f.zoom >= kSymbolZoom;
    v.symbolFont = p.symbolFamily;
    drawStitchExtras(painter, p.extras, p.extraSymbols, v);
}
