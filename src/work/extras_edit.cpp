#include "work/extras_edit.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {
constexpr double kSame = 1e-6; // two coordinates this close are the same lattice point

bool same(double a, double b) { return std::abs(a - b) < kSame; }
bool samePoint(QPointF a, QPointF b) { return same(a.x(), b.x()) && same(a.y(), b.y()); }

// The side of the square an object covers from its point, its top-left corner: a quarter
// stitch half a cell, a tent stitch or a cross a whole one; 0 for knots, beads and the rest.
double sideOf(const StitchObject& o)
{
    switch (objectKind(o.kind)) {
    case ObjectKind::Quarter:
        return 0.5;
    case ObjectKind::Tent:
    case ObjectKind::Cross:
        return 1;
    default:
        return 0;
    }
}
bool coversCell(const StitchObject& o) { return sideOf(o) > 0; }
bool isQuarter(const StitchObject& o) { return objectKind(o.kind) == ObjectKind::Quarter; }
// The cell a quarter, tent stitch or cross lies in: the one under its middle.
QPoint objectCell(const StitchObject& o)
{
    const double half = sideOf(o) / 2;
    return QPoint(int(std::floor(o.x + half)), int(std::floor(o.y + half)));
}
// A tent stitch's diagonal turned over, as a mirror or a quarter turn does.
void turnOver(StitchObject& tent)
{
    const QString other = tentBackward(tent) ? QStringLiteral("2") : QStringLiteral("1");
    for (auto& [name, value] : tent.more)
        if (name.compare(QLatin1String("direction"), Qt::CaseInsensitive) == 0) {
            value = other;
            return;
        }
    tent.more.emplace_back(QStringLiteral("direction"), other);
}
bool isKnotOrBead(const StitchObject& o)
{
    const ObjectKind k = objectKind(o.kind);
    return k == ObjectKind::Knot || k == ObjectKind::Bead;
}

template <class T> void takeOut(ListChange<T>& change, const std::vector<T>& list, std::size_t i)
{
    change.out.emplace_back(i, list[i]);
}

template <class T> void apply(std::vector<T>& list, const ListChange<T>& c, bool forward)
{
    if (forward) {
        if (!c.out.empty()) {
            std::size_t next = 0, kept = 0;
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (next < c.out.size() && c.out[next].first == i) {
                    ++next;
                    continue;
                }
                if (kept != i)
                    list[kept] = std::move(list[i]);
                ++kept;
            }
            list.resize(kept);
        }
        list.insert(list.end(), c.in.begin(), c.in.end());
        return;
    }
    list.resize(list.size() - c.in.size());
    if (c.out.empty())
        return;
    std::vector<T> back;
    back.reserve(list.size() + c.out.size());
    std::size_t from = 0;
    for (const auto& [index, element] : c.out) {
        while (back.size() < index)
            back.push_back(std::move(list[from++]));
        back.push_back(element);
    }
    while (from < list.size())
        back.push_back(std::move(list[from++]));
    list = std::move(back);
}

// True when the segment passes through the inside of the cell, not only along its edges.
bool crossesInside(const BackStitch& b, QPoint cell)
{
    // the part of the segment within the closed square; it crosses the inside when that part's
    // middle lies strictly inside
    double t0 = 0, t1 = 1;
    const double dx = b.x2 - b.x1, dy = b.y2 - b.y1;
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { b.x1 - cell.x(), cell.x() + 1 - b.x1, b.y1 - cell.y(), cell.y() + 1 - b.y1 };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const double tm = (t0 + t1) / 2;
    const double mx = b.x1 + tm * dx - cell.x(), my = b.y1 + tm * dy - cell.y();
    return mx > kSame && mx < 1 - kSame && my > kSame && my < 1 - kSame;
}

bool within(QPointF p, QRect r)
{
    return p.x() >= r.left() - kSame && p.y() >= r.top() - kSame && p.x() <= r.right() + 1 + kSame
        && p.y() <= r.bottom() + 1 + kSame;
}
bool within(const BackStitch& b, QRect r) { return within(QPointF(b.x1, b.y1), r) && within(QPointF(b.x2, b.y2), r); }
bool within(const StitchObject& o, QRect r)
{
    return coversCell(o) ? r.contains(objectCell(o)) : within(QPointF(o.x, o.y), r);
}

bool sameLine(const BackStitch& a, const BackStitch& b)
{
    const QPointF a1(a.x1, a.y1), a2(a.x2, a.y2), b1(b.x1, b.y1), b2(b.x2, b.y2);
    return (samePoint(a1, b1) && samePoint(a2, b2)) || (samePoint(a1, b2) && samePoint(a2, b1));
}

// An element moved by whole cells.
void shift(PartStitch& s, QPoint by)
{
    s.x += by.x();
    s.y += by.y();
}
void shift(BackStitch& b, QPoint by)
{
    b.x1 += by.x();
    b.x2 += by.x();
    b.y1 += by.y();
    b.y2 += by.y();
}
void shift(StitchObject& o, QPoint by)
{
    o.x += by.x();
    o.y += by.y();
}

// Which elements removeWithin takes.
struct Taken {
    std::vector<bool> parts, backs, objects;
};

ExtrasEdit removing(const StitchExtras& x, const Taken& t)
{
    ExtrasEdit e;
    for (std::size_t i = 0; i < x.parts.size(); ++i)
        if (t.parts[i])
            takeOut(e.parts, x.parts, i);
    for (std::size_t i = 0; i < x.backs.size(); ++i)
        if (t.backs[i])
            takeOut(e.backs, x.backs, i);
    for (std::size_t i = 0; i < x.objects.size(); ++i)
        if (t.objects[i])
            takeOut(e.objects, x.objects, i);
    return e;
}

Taken takenWithin(const StitchExtras& x, QRect r)
{
    Taken t;
    for (const PartStitch& s : x.parts)
        t.parts.push_back(r.contains(s.x, s.y));
    for (const BackStitch& b : x.backs)
        t.backs.push_back(within(b, r));
    for (const StitchObject& o : x.objects)
        t.objects.push_back(within(o, r));
    return t;
}

// The block's elements moved by `by` into `e`, leaving out what falls off the pattern and what x
// holds already (but for the elements `gone` takes out).
void putBlock(const StitchExtras& x, const Taken* gone, const StitchExtras& block, QPoint by, int columns, int rows,
    ExtrasEdit& e)
{
    const QRect pattern(0, 0, columns, rows);
    std::vector<int> threads(block.threads.size(), -1); // found or added on first use
    const auto thread = [&](int t) {
        if (t < 0 || std::size_t(t) >= threads.size())
            return -1;
        if (threads[std::size_t(t)] < 0)
            threads[std::size_t(t)] = extrasThreadIndex(x, e, block.threads[std::size_t(t)]);
        return threads[std::size_t(t)];
    };
    for (PartStitch s : block.parts) {
        shift(s, by);
        if (!pattern.contains(s.x, s.y))
            continue;
        s.thread1 = thread(s.thread1);
        s.thread2 = thread(s.thread2);
        e.parts.in.push_back(std::move(s));
    }
    for (BackStitch b : block.backs) {
        shift(b, by);
        if (!within(b, pattern))
            continue;
        b.thread = thread(b.thread);
        bool there = false;
        for (std::size_t i = 0; i < x.backs.size() && !there; ++i)
            there = (!gone || !gone->backs[i]) && x.backs[i].thread == b.thread && sameLine(x.backs[i], b);
        if (!there)
            e.backs.in.push_back(std::move(b));
    }
    for (StitchObject o : block.objects) {
        shift(o, by);
        if (!within(o, pattern))
            continue;
        o.thread = thread(o.thread);
        bool there = false;
        for (std::size_t i = 0; i < x.objects.size() && !there; ++i)
            there = (!gone || !gone->objects[i]) && x.objects[i].thread == o.thread && x.objects[i].kind == o.kind
                && samePoint({ x.objects[i].x, x.objects[i].y }, { o.x, o.y });
        if (!there)
            e.objects.in.push_back(std::move(o));
    }
}

// Corners of a cell: 0 top left, 1 top right, 2 bottom right, 3 bottom left.
int cornerNearest(QPointF inCell) { return inCell.y() < 0.5 ? (inCell.x() < 0.5 ? 0 : 1) : (inCell.x() < 0.5 ? 3 : 2); }
// A three-quarter stitch covering a corner: the cell split along the diagonal away from it
// (direction 1 splits along "\", 2 along "/") and the side it fills (thread2 for `second`).
std::pair<int, bool> threeQuarterOf(int corner)
{
    switch (corner) {
    case 0:
        return { 2, false };
    case 1:
        return { 1, true };
    case 2:
        return { 2, true };
    default:
        return { 1, false };
    }
}
int cornerOf(int direction, bool second)
{
    for (int c = 0; c < 4; ++c)
        if (threeQuarterOf(c) == std::make_pair(direction, second))
            return c;
    return 0;
}

// A part stitch and quarter under a change of the block that maps cell corners by `corner` and a
// point by `point`; a half stitch's diagonal always turns over (a mirror or a quarter turn).
template <class Corner, class Point>
StitchExtras transformed(
    const StitchExtras& x, Corner corner, Point point, QPoint (*cell)(QPoint, int, int), int columns, int rows)
{
    StitchExtras t;
    t.threads = x.threads;
    for (PartStitch s : x.parts) {
        const QPoint c = cell(QPoint(s.x, s.y), columns, rows);
        s.x = c.x();
        s.y = c.y();
        if (s.direction == 3 || s.direction == 4) {
            s.direction = 7 - s.direction;
        } else {
            // thread1's side lands on the corner its corner goes to; thread2's on the opposite one
            const auto [direction, second] = threeQuarterOf(corner(cornerOf(s.direction, false)));
            s.direction = direction;
            if (second)
                std::swap(s.thread1, s.thread2);
        }
        t.parts.push_back(std::move(s));
    }
    for (BackStitch b : x.backs) {
        const QPointF p1 = point(QPointF(b.x1, b.y1)), p2 = point(QPointF(b.x2, b.y2));
        b.x1 = p1.x();
        b.y1 = p1.y();
        b.x2 = p2.x();
        b.y2 = p2.y();
        t.backs.push_back(std::move(b));
    }
    for (StitchObject o : x.objects) {
        // a quarter, tent stitch or cross is turned about its middle, a knot at its point
        const double d = sideOf(o) / 2;
        const QPointF p = point(QPointF(o.x + d, o.y + d)) - QPointF(d, d);
        o.x = p.x();
        o.y = p.y();
        if (objectKind(o.kind) == ObjectKind::Tent)
            turnOver(o);
        t.objects.push_back(std::move(o));
    }
    return t;
}
} // namespace

QRect ExtrasEdit::bounds() const
{
    QRect r;
    const auto point = [&r](double x, double y) {
        // a point on a cell's edge touches the cells on both sides
        const int x0 = int(std::floor(x - kSame)), y0 = int(std::floor(y - kSame));
        r |= QRect(QPoint(x0, y0), QPoint(int(std::floor(x + kSame)), int(std::floor(y + kSame))));
    };
    const auto part = [&r](const PartStitch& s) { r |= QRect(s.x, s.y, 1, 1); };
    const auto line = [&point](const BackStitch& b) {
        point(b.x1, b.y1);
        point(b.x2, b.y2);
    };
    const auto object = [&point](const StitchObject& o) { point(o.x, o.y); };
    for (const auto& p : parts.out)
        part(p.second);
    for (const PartStitch& s : parts.in)
        part(s);
    for (const auto& b : backs.out)
        line(b.second);
    for (const BackStitch& b : backs.in)
        line(b);
    for (const auto& o : objects.out)
        object(o.second);
    for (const StitchObject& o : objects.in)
        object(o);
    return r.intersected(QRect(0, 0, kMaxColumns, kMaxRows));
}

void applyExtrasEdit(StitchExtras& x, const ExtrasEdit& e, bool forward)
{
    if (forward)
        x.threads.insert(x.threads.end(), e.threadsIn.begin(), e.threadsIn.end());
    apply(x.parts, e.parts, forward);
    apply(x.backs, e.backs, forward);
    apply(x.objects, e.objects, forward);
    if (!forward)
        x.threads.resize(x.threads.size() - e.threadsIn.size());
}

int extrasThreadIndex(const StitchExtras& x, ExtrasEdit& e, const PatternThread& thread)
{
    const auto same
        = [&thread](const PatternThread& t) { return t.numero == thread.numero && t.colour == thread.colour; };
    for (std::size_t i = 0; i < x.threads.size(); ++i)
        if (same(x.threads[i]))
            return int(i);
    for (std::size_t i = 0; i < e.threadsIn.size(); ++i)
        if (same(e.threadsIn[i]))
            return int(x.threads.size() + i);
    e.threadsIn.push_back(thread);
    return int(x.threads.size() + e.threadsIn.size() - 1);
}

QPointF latticePoint(QPointF p) { return QPointF(std::round(p.x() * 2) / 2, std::round(p.y() * 2) / 2); }

ExtrasEdit placePart(const StitchExtras& x, QPointF at, PartTool tool, int thread)
{
    ExtrasEdit e;
    const QPoint cell(int(std::floor(at.x())), int(std::floor(at.y())));
    const int corner = cornerNearest(at - QPointF(cell));
    if (tool == PartTool::Quarter) {
        StitchObject q;
        q.x = cell.x() + (corner == 1 || corner == 2 ? 0.5 : 0);
        q.y = cell.y() + (corner >= 2 ? 0.5 : 0);
        q.thread = thread;
        q.kind = QStringLiteral("quarter");
        for (std::size_t i = 0; i < x.objects.size(); ++i)
            if (isQuarter(x.objects[i]) && samePoint({ x.objects[i].x, x.objects[i].y }, { q.x, q.y }))
                takeOut(e.objects, x.objects, i);
        e.objects.in.push_back(std::move(q));
        return e;
    }
    PartStitch s;
    s.x = cell.x();
    s.y = cell.y();
    if (tool == PartTool::ThreeQuarter) {
        const auto [direction, second] = threeQuarterOf(corner);
        s.direction = direction;
        (second ? s.thread2 : s.thread1) = thread;
        // the other side of a cell split the same way stays
        for (const PartStitch& old : x.parts)
            if (old.x == s.x && old.y == s.y && old.direction == direction)
                (second ? s.thread1 : s.thread2) = second ? old.thread1 : old.thread2;
    } else {
        s.direction = tool == PartTool::HalfForward ? 3 : 4;
        s.thread1 = thread;
    }
    for (std::size_t i = 0; i < x.parts.size(); ++i)
        if (x.parts[i].x == s.x && x.parts[i].y == s.y) {
            const PartStitch& old = x.parts[i];
            if (old.direction == s.direction && old.thread1 == s.thread1 && old.thread2 == s.thread2)
                return {}; // there already
            takeOut(e.parts, x.parts, i);
        }
    e.parts.in.push_back(std::move(s));
    return e;
}

ExtrasEdit placeBackstitch(const StitchExtras& x, QPointF a, QPointF b, int thread)
{
    if (samePoint(a, b))
        return {};
    BackStitch line;
    line.x1 = a.x();
    line.y1 = a.y();
    line.x2 = b.x();
    line.y2 = b.y();
    line.thread = thread;
    ExtrasEdit e;
    for (std::size_t i = 0; i < x.backs.size(); ++i)
        if (sameLine(x.backs[i], line)) {
            if (x.backs[i].thread == thread)
                return {};
            takeOut(e.backs, x.backs, i);
        }
    e.backs.in.push_back(std::move(line));
    return e;
}

ExtrasEdit placeObject(const StitchExtras& x, QPointF at, const QString& kind, int thread)
{
    ExtrasEdit e;
    for (std::size_t i = 0; i < x.objects.size(); ++i) {
        const StitchObject& o = x.objects[i];
        if (isKnotOrBead(o) && samePoint({ o.x, o.y }, at)) {
            if (o.kind == kind && o.thread == thread)
                return {};
            takeOut(e.objects, x.objects, i);
        }
    }
    StitchObject o;
    o.x = at.x();
    o.y = at.y();
    o.thread = thread;
    o.kind = kind;
    e.objects.in.push_back(std::move(o));
    return e;
}

ExtrasEdit eraseNear(const StitchExtras& x, QPointF at, ExtrasKind kind)
{
    ExtrasEdit e;
    const QPoint cell(int(std::floor(at.x())), int(std::floor(at.y())));
    if (kind == ExtrasKind::Parts) {
        for (std::size_t i = 0; i < x.parts.size(); ++i)
            if (x.parts[i].x == cell.x() && x.parts[i].y == cell.y())
                takeOut(e.parts, x.parts, i);
        for (std::size_t i = 0; i < x.objects.size(); ++i)
            if (coversCell(x.objects[i]) && objectCell(x.objects[i]) == cell)
                takeOut(e.objects, x.objects, i);
    } else if (kind == ExtrasKind::Objects) {
        const QPointF p = latticePoint(at);
        for (std::size_t i = 0; i < x.objects.size(); ++i)
            if (isKnotOrBead(x.objects[i]) && samePoint({ x.objects[i].x, x.objects[i].y }, p))
                takeOut(e.objects, x.objects, i);
    } else {
        // the nearest line within a third of a cell
        double best = 1.0 / 3;
        std::size_t nearest = x.backs.size();
        for (std::size_t i = 0; i < x.backs.size(); ++i) {
            const BackStitch& b = x.backs[i];
            const QPointF a(b.x1, b.y1), d = QPointF(b.x2, b.y2) - a;
            const double length2 = QPointF::dotProduct(d, d);
            const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(at - a, d) / length2, 0.0, 1.0) : 0;
            const QPointF off = at - (a + t * d);
            const double distance = std::sqrt(QPointF::dotProduct(off, off));
            if (distance < best) {
                best = distance;
                nearest = i;
            }
        }
        if (nearest < x.backs.size())
            takeOut(e.backs, x.backs, nearest);
    }
    return e;
}

ExtrasEdit eraseExtrasIn(const StitchExtras& x, const std::vector<QPoint>& cells)
{
    ExtrasEdit e;
    if (cells.empty())
        return e;
    const auto key = [](int cx, int cy) { return (long long)(cy) * (kMaxColumns + 2) + cx; };
    std::set<long long> erased;
    for (QPoint c : cells)
        erased.insert(key(c.x(), c.y()));
    const auto has = [&](int cx, int cy) { return erased.count(key(cx, cy)) != 0; };
    // a point on a cell's edge is on the cells on both sides
    const auto onErased = [&](double px, double py) {
        for (int cy = int(std::floor(py - kSame)); cy <= int(std::floor(py + kSame)); ++cy)
            for (int cx = int(std::floor(px - kSame)); cx <= int(std::floor(px + kSame)); ++cx)
                if (has(cx, cy))
                    return true;
        return false;
    };
    for (std::size_t i = 0; i < x.parts.size(); ++i)
        if (has(x.parts[i].x, x.parts[i].y))
            takeOut(e.parts, x.parts, i);
    for (std::size_t i = 0; i < x.objects.size(); ++i) {
        const StitchObject& o = x.objects[i];
        const bool take = coversCell(o) ? has(objectCell(o).x(), objectCell(o).y()) : onErased(o.x, o.y);
        if (take)
            takeOut(e.objects, x.objects, i);
    }
    for (std::size_t i = 0; i < x.backs.size(); ++i) {
        const BackStitch& b = x.backs[i];
        const int left = int(std::floor(std::min(b.x1, b.x2))), right = int(std::ceil(std::max(b.x1, b.x2)));
        const int top = int(std::floor(std::min(b.y1, b.y2))), bottom = int(std::ceil(std::max(b.y1, b.y2)));
        bool take = false;
        if (std::size_t(right - left + 1) * std::size_t(bottom - top + 1) <= cells.size()) {
            for (int cy = top; cy <= bottom && !take; ++cy)
                for (int cx = left; cx <= right && !take; ++cx)
                    take = has(cx, cy) && crossesInside(b, QPoint(cx, cy));
        } else {
            for (std::size_t c = 0; c < cells.size() && !take; ++c)
                take = crossesInside(b, cells[c]);
        }
        if (take)
            takeOut(e.backs, x.backs, i);
    }
    return e;
}

StitchExtras extrasWithin(const StitchExtras& x, QRect r)
{
    StitchExtras block;
    block.threads = x.threads;
    const Taken t = takenWithin(x, r);
    const auto copy = [&r](const auto& from, const std::vector<bool>& taken, auto& to) {
        for (std::size_t i = 0; i < from.size(); ++i)
            if (taken[i]) {
                to.push_back(from[i]);
                shift(to.back(), -r.topLeft());
            }
    };
    copy(x.parts, t.parts, block.parts);
    copy(x.backs, t.backs, block.backs);
    copy(x.objects, t.objects, block.objects);
    return block;
}

StitchExtras mirroredExtras(const StitchExtras& x, int columns, int rows, bool horizontal)
{
    // left to right: corners 0 <-> 1 and 3 <-> 2; top to bottom: 0 <-> 3 and 1 <-> 2
    const auto corner = [horizontal](int c) { return horizontal ? c ^ 1 : 3 - c; };
    const auto point = [horizontal, columns, rows](QPointF p) {
        return horizontal ? QPointF(columns - p.x(), p.y()) : QPointF(p.x(), rows - p.y());
    };
    QPoint (*cell)(QPoint, int, int) = horizontal ? +[](QPoint c, int w, int) { return QPoint(w - 1 - c.x(), c.y()); }
                                                  : +[](QPoint c, int, int h) { return QPoint(c.x(), h - 1 - c.y()); };
    return transformed(x, corner, point, cell, columns, rows);
}

StitchExtras rotatedExtras(const StitchExtras& x, int columns, int rows, bool clockwise)
{
    // clockwise the top-left corner goes to the top right, and so round
    const auto corner = [clockwise](int c) { return clockwise ? (c + 1) % 4 : (c + 3) % 4; };
    const auto point = [clockwise, columns, rows](QPointF p) {
        return clockwise ? QPointF(rows - p.y(), p.x()) : QPointF(p.y(), columns - p.x());
    };
    QPoint (*cell)(QPoint, int, int) = clockwise ? +[](QPoint c, int, int h) { return QPoint(h - 1 - c.y(), c.x()); }
                                                 : +[](QPoint c, int w, int) { return QPoint(c.y(), w - 1 - c.x()); };
    return transformed(x, corner, point, cell, columns, rows);
}

ExtrasEdit pasteExtras(const StitchExtras& x, const StitchExtras& block, QPoint topLeft, int columns, int rows)
{
    ExtrasEdit e;
    putBlock(x, nullptr, block, topLeft, columns, rows, e);
    return e;
}

ExtrasEdit removeWithin(const StitchExtras& x, QRect r) { return removing(x, takenWithin(x, r)); }

ExtrasEdit replaceWithin(const StitchExtras& x, QRect r, const StitchExtras& block, int columns, int rows)
{
    const Taken t = takenWithin(x, r);
    ExtrasEdit e = removing(x, t);
    putBlock(x, &t, block, r.topLeft(), columns, rows, e);
    return e;
}
