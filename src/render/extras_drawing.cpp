#include "render/extras_drawing.h"

#include "colour/colour_value.h"
#include "colour/thread_names.h"

#include <QFont>
#include <QPolygonF>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kLineWidth = 0.12; // of a cell: a backstitch line
constexpr double kKnotRadius = 0.18;
constexpr double kBeadRadius = 0.28;
constexpr double kBeadWidth = 0.1;
constexpr double kPartSymbol = 0.42; // a part stitch's symbol, of a cell

QColor colourOf(Long c)
{
    const Components k = split(c);
    return QColor(k.r, k.g, k.b);
}

bool light(const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 140; }

// The corners of the cell's parts, in cells from its top-left corner: a three-quarter stitch is
// the triangle of its corner, a half stitch the band along its diagonal.
QPolygonF partShape(int direction, bool second)
{
    switch (direction) {
    case 1:
        return second ? QPolygonF({ { 0, 0 }, { 1, 0 }, { 1, 1 } }) : QPolygonF({ { 0, 0 }, { 0, 1 }, { 1, 1 } });
    case 2:
        return second ? QPolygonF({ { 1, 0 }, { 1, 1 }, { 0, 1 } }) : QPolygonF({ { 0, 1 }, { 0, 0 }, { 1, 0 } });
    case 3:
        return QPolygonF({ { 0, 1 }, { 0, 0.75 }, { 0.75, 0 }, { 1, 0 }, { 1, 0.25 }, { 0.25, 1 } });
    default:
        return QPolygonF({ { 0, 0 }, { 0.25, 0 }, { 1, 0.75 }, { 1, 1 }, { 0.75, 1 }, { 0, 0.25 } });
    }
}

class Drawer {
public:
    Drawer(QPainter& p, const StitchExtras& extras, const std::vector<QString>& symbols, const ExtrasView& view)
        : m_p(p)
        , m_x(extras)
        , m_view(view)
        , m_symbols(symbols)
    {
    }
    void parts();
    void backs();
    void objects();

private:
    QPointF at(double x, double y) const { return m_view.origin + QPointF(x * m_view.cell, y * m_view.cell); }
    // True when a point lies within the cells shown or a cell around them.
    bool near(double x, double y) const
    {
        const QRect& c = m_view.cells;
        return x >= c.left() - 1 && y >= c.top() - 1 && x <= c.right() + 2 && y <= c.bottom() + 2;
    }
    // True when a line may pass over the cells shown or a cell around them, however long it is.
    bool near(const BackStitch& b) const
    {
        const QRect& c = m_view.cells;
        return std::max(b.x1, b.x2) >= c.left() - 1 && std::max(b.y1, b.y2) >= c.top() - 1
            && std::min(b.x1, b.x2) <= c.right() + 2 && std::min(b.y1, b.y2) <= c.bottom() + 2;
    }
    void fill(const QPolygonF& cellShape, double x, double y, int thread);
    void symbol(const QPointF& centre, int thread, const QColor& under);

    QPainter& m_p;
    const StitchExtras& m_x;
    const ExtrasView& m_view;
    const std::vector<QString>& m_symbols; // each thread's symbol
};

void Drawer::symbol(const QPointF& centre, int thread, const QColor& under)
{
    if (!m_view.symbols || std::size_t(thread) >= m_symbols.size() || m_symbols[std::size_t(thread)].isEmpty())
        return;
    const QString& s = m_symbols[std::size_t(thread)];
    const double size = m_view.cell * kPartSymbol;
    m_p.setPen(m_view.colours && !light(under) ? Qt::white : Qt::black);
    m_p.drawText(QRectF(centre.x() - size, centre.y() - size, 2 * size, 2 * size), Qt::AlignCenter, s);
}

void Drawer::fill(const QPolygonF& cellShape, double x, double y, int thread)
{
    QPolygonF shape;
    for (const QPointF& corner : cellShape)
        shape << at(x + corner.x(), y + corner.y());
    const QColor colour = m_view.colours ? colourOf(m_x.threads[std::size_t(thread)].colour) : QColor(Qt::white);
    m_p.setPen(m_view.colours ? QPen(Qt::NoPen) : QPen(QColor(0x60, 0x60, 0x60), std::max(1.0, m_view.cell * 0.04)));
    m_p.setBrush(colour);
    m_p.drawPolygon(shape);
    m_p.setBrush(Qt::NoBrush);
    QPointF centre;
    for (const QPointF& corner : shape)
        centre += corner;
    symbol(centre / shape.size(), thread, colour);
}

void Drawer::parts()
{
    QFont font = m_view.symbolFont.isEmpty() ? m_p.font() : QFont(m_view.symbolFont);
    font.setPixelSize(std::max(1, int(std::lround(m_view.cell * kPartSymbol))));
    m_p.setFont(font);
    for (const PartStitch& s : m_x.parts) {
        if (!m_view.cells.contains(s.x, s.y))
            continue;
        if (s.thread1 >= 0)
            fill(partShape(s.direction, false), s.x, s.y, s.thread1);
        if (s.thread2 >= 0 && s.direction <= 2)
            fill(partShape(s.direction, true), s.x, s.y, s.thread2);
    }
    const QPolygonF quarter({ { 0, 0 }, { 0.5, 0 }, { 0.5, 0.5 }, { 0, 0.5 } });
    const QPolygonF whole({ { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } });
    for (const StitchObject& o : m_x.objects) {
        if (!near(o.x, o.y))
            continue;
        switch (objectKind(o.kind)) {
        case ObjectKind::Quarter:
            fill(quarter, std::floor(o.x * 2) / 2, std::floor(o.y * 2) / 2, o.thread);
            break;
        case ObjectKind::Tent:
            fill(partShape(tentBackward(o) ? 4 : 3, false), o.x, o.y, o.thread);
            break;
        case ObjectKind::Cross:
            fill(whole, o.x, o.y, o.thread);
            break;
        default:
            break;
        }
    }
}

void Drawer::backs()
{
    const std::vector<int> order = backstitchThreads(m_x);
    std::vector<int> rank(m_x.threads.size(), 0);
    for (std::size_t r = 0; r < order.size(); ++r)
        rank[std::size_t(order[r])] = int(r);
    std::vector<QVector<QLineF>> lines(m_x.threads.size());
    for (const BackStitch& b : m_x.backs)
        if (near(b))
            lines[std::size_t(b.thread)].append(QLineF(at(b.x1, b.y1), at(b.x2, b.y2)));
    for (int t : order) {
        const QVector<QLineF>& l = lines[std::size_t(t)];
        if (l.isEmpty())
            continue;
        const int r = rank[std::size_t(t)];
        const QColor colour = extrasColour(m_x, t, m_view.colours);
        m_p.setPen(backstitchPen(m_view.colours ? 0 : r, colour, m_view.cell));
        m_p.drawLines(l);
        if (m_view.colours || r < kBackstitchStyles)
            continue;
        // past the distinct styles the thread's number is written along its lines
        QString number = threadCode(m_x.threads[std::size_t(t)].numero);
        number.remove(QLatin1String("DMC "));
        QFont font = m_p.font();
        font.setPixelSize(std::max(1, int(std::lround(m_view.cell * 0.4))));
        m_p.setFont(font);
        m_p.setPen(Qt::black);
        for (const QLineF& line : l)
            m_p.drawText(line.center() + QPointF(m_view.cell * 0.1, -m_view.cell * 0.1), number);
    }
}

void Drawer::objects()
{
    for (const StitchObject& o : m_x.objects) {
        const ObjectKind kind = objectKind(o.kind);
        if ((kind != ObjectKind::Knot && kind != ObjectKind::Bead) || !near(o.x, o.y))
            continue;
        drawObjectMark(m_p, kind, at(o.x, o.y), extrasColour(m_x, o.thread, m_view.colours), m_view.cell);
    }
}

// Each extras thread's symbol: its palette thread's when the full stitches use it, else its own.
std::vector<QString> extrasSymbols(const Pattern& pattern)
{
    const std::vector<int> inPalette = pattern.extraThreadsInPalette();
    std::vector<QString> symbols;
    for (std::size_t t = 0; t < pattern.extras.threads.size(); ++t)
        symbols.push_back(
            inPalette[t] >= 0 ? pattern.palette[std::size_t(inPalette[t])].symbol : pattern.extras.threads[t].symbol);
    return symbols;
}
} // namespace

std::vector<int> backstitchThreads(const StitchExtras& extras)
{
    std::vector<int> order;
    std::vector<bool> seen(extras.threads.size(), false);
    for (const BackStitch& b : extras.backs)
        if (b.thread >= 0 && std::size_t(b.thread) < seen.size() && !seen[std::size_t(b.thread)]) {
            seen[std::size_t(b.thread)] = true;
            order.push_back(b.thread);
        }
    return order;
}

QPen backstitchPen(int style, const QColor& colour, double cell)
{
    // solid, dashed, dotted, dash-dot, heavy, long dashes, dash-dot-dot, heavy dashes
    static const QVector<qreal> kDashes[kBackstitchStyles] = { {}, { 3, 2 }, { 0.5, 1.5 }, { 3, 1.5, 0.5, 1.5 }, {},
        { 6, 2 }, { 3, 1.5, 0.5, 1.5, 0.5, 1.5 }, { 2.5, 1.5 } };
    static const double kWeights[kBackstitchStyles] = { 1, 1, 1.4, 1, 1.9, 1, 1, 1.9 };
    const int s = ((style % kBackstitchStyles) + kBackstitchStyles) % kBackstitchStyles;
    QPen pen(colour, std::max(1.0, cell * kLineWidth * kWeights[s]), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (!kDashes[s].isEmpty()) {
        pen.setCapStyle(s == 2 ? Qt::RoundCap : Qt::FlatCap);
        pen.setDashPattern(kDashes[s]);
    }
    return pen;
}

void drawObjectMark(QPainter& painter, ObjectKind kind, const QPointF& centre, const QColor& colour, double cell)
{
    if (kind == ObjectKind::Knot) {
        const double r = cell * kKnotRadius;
        painter.setPen(QPen(Qt::black, std::max(0.5, cell * 0.03)));
        painter.setBrush(colour);
        painter.drawEllipse(centre, r, r);
        painter.setBrush(Qt::NoBrush);
    } else if (kind == ObjectKind::Bead) {
        const double r = cell * kBeadRadius, width = std::max(1.0, cell * kBeadWidth);
        painter.setPen(QPen(colour, width));
        painter.drawEllipse(centre, r, r);
        // a pale bead, pearl or white, still shows on paper
        painter.setPen(QPen(Qt::black, std::max(0.5, cell * 0.03)));
        painter.drawEllipse(centre, r + width / 2, r + width / 2);
    }
}

QColor extrasColour(const StitchExtras& extras, int thread, bool colours)
{
    if (!colours || thread < 0 || std::size_t(thread) >= extras.threads.size())
        return Qt::black;
    return colourOf(extras.threads[std::size_t(thread)].colour);
}

void drawStitchExtras(QPainter& painter, const Pattern& pattern, const ExtrasView& view)
{
    if (!pattern.extras.empty())
        drawStitchExtras(painter, pattern.extras, extrasSymbols(pattern), view);
}

void drawStitchExtras(
    QPainter& painter, const StitchExtras& x, const std::vector<QString>& symbols, const ExtrasView& view)
{
    if (x.empty() || view.cells.isEmpty())
        return;
    painter.save();
    // smooth lines where a cell is large enough to show them; a few pixels a cell stays sharp
    painter.setRenderHint(QPainter::Antialiasing, view.cell >= 6);
    // within the painter's own clip, when it has one
    painter.setClipRect(QRectF(view.origin + QPointF(view.cells.left() * view.cell, view.cells.top() * view.cell),
                            QSizeF(view.cells.width() * view.cell, view.cells.height() * view.cell)),
        painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    Drawer d(painter, x, symbols, view);
    d.parts();
    d.backs();
    d.objects();
    painter.restore();
}
