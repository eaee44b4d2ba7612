#pragma once
// Drawing what a pattern holds beside its full stitches, for every view that shows cells: part
// stitches (and the tent stitches and crosses placed as objects) as the triangle, band or square
// of the cell they cover with their thread's symbol small, backstitch as lines over the cells,
// knots as dots and beads as rings. The painter may be a window's picture or a PDF page; these
// functions only read the pattern.
#include "colour/pattern.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QString>
#include <vector>

// How a view draws: where cell (0, 0)'s top-left corner falls, a cell's side, and which cells
// are shown (elements wholly outside them are passed over, the rest clipped to them).
struct ExtrasView {
    QPointF origin;
    double cell = 9;
    QRect cells; // in cells of the pattern
    bool colours = true; // off: black and white, each backstitch thread with a line style of its own
    bool symbols = true; // the part stitches' symbols
    QString symbolFont; // the family the symbols are written in; empty: the painter's font
};

// The distinct line styles of backstitch threads in black and white; a thread past them takes
// the style of its number modulo this count and has its number written along its lines.
constexpr int kBackstitchStyles = 8;

// The backstitch threads in the order they get their styles: each extras thread some backstitch
// uses, once, in the order of their first backstitch.
std::vector<int> backstitchThreads(const StitchExtras& extras);
// The pen of style `style` (0, 1, ...) for a line of a cell `cell` units wide, in `colour`.
QPen backstitchPen(int style, const QColor& colour, double cell);
// A knot as a dot of its colour ringed in black, a bead as a ring of its colour edged in black, centred at
// `centre` for a cell `cell` units wide; other kinds draw nothing.
void drawObjectMark(QPainter& painter, ObjectKind kind, const QPointF& centre, const QColor& colour, double cell);
// The colour a thread is drawn in: its own in colour views, black in black and white ones.
QColor extrasColour(const StitchExtras& extras, int thread, bool colours);

// Part stitches, then backstitch lines, then knots and beads, in that order, over what is drawn.
void drawStitchExtras(QPainter& painter, const Pattern& pattern, const ExtrasView& view);
// The same for extras whose threads' symbols are given.
void drawStitchExtras(
    QPainter& painter, const StitchExtras& extras, const std::vector<QString>& symbols, const ExtrasView& view);
