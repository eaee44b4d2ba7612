#pragma once
// The pattern editor's part stitches, backstitch, knots and beads as plain functions: each reads
// the pattern's extras and returns the change it would make, which Work applies as one undo step;
// and the same extras cut out of a block, turned, mirrored and put back for the selection.
#include "colour/pattern.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <utility>
#include <vector>

// A list's change: the elements taken out, each with its index before the change (ascending),
// and the elements put at its end.
template <class T> struct ListChange {
    std::vector<std::pair<std::size_t, T>> out;
    std::vector<T> in;
    bool empty() const { return out.empty() && in.empty(); }
};

// A change of the extras, undone exactly: threads are only ever added at the end of their list.
struct ExtrasEdit {
    std::vector<PatternThread> threadsIn;
    ListChange<PartStitch> parts;
    ListChange<BackStitch> backs;
    ListChange<StitchObject> objects;

    bool empty() const { return threadsIn.empty() && parts.empty() && backs.empty() && objects.empty(); }
    // The cells the change touches (those a line crosses included); empty when none.
    QRect bounds() const;
};
// Forward: the elements out go and those in come; backward puts the list back as it was.
void applyExtrasEdit(StitchExtras& x, const ExtrasEdit& e, bool forward);

// The index the edit's elements give `thread`: its place among the extras' threads when one there
// has its number and colour, else a thread the edit adds.
int extrasThreadIndex(const StitchExtras& x, ExtrasEdit& e, const PatternThread& thread);

// The edit `make` gives for the index of `thread`, the thread added to the extras' threads in the
// same edit when they lack it; nothing when `make` gives nothing.
template <class Make> ExtrasEdit inThread(const StitchExtras& x, const PatternThread& thread, Make make)
{
    ExtrasEdit added;
    const int index = extrasThreadIndex(x, added, thread);
    ExtrasEdit e = make(index);
    if (!e.empty())
        e.threadsIn = std::move(added.threadsIn);
    return e;
}

// The point of the half-cell lattice (cell corners, edge midpoints and centres) nearest to p.
QPointF latticePoint(QPointF p);

enum class PartTool {
    HalfForward, // "/"
    HalfBack, // "\"
    Quarter, // the quarter of the cell nearest the point
    ThreeQuarter, // the half and quarter covering the corner nearest the point
};
// The tool's stitch in thread `thread` in the cell under `at` (in cells). A half stitch takes the
// cell's place from what part stitches it held; a three-quarter stitch fills its side of a cell
// split the same way and takes the place of anything else; a quarter replaces the quarter there.
ExtrasEdit placePart(const StitchExtras& x, QPointF at, PartTool tool, int thread);
// A backstitch from a to b (lattice points); nothing for one of no length or one already there
// in that thread, and it takes the place of the same line in another thread.
ExtrasEdit placeBackstitch(const StitchExtras& x, QPointF a, QPointF b, int thread);
// A knot or bead (`kind` as pattern files name it) at a lattice point, taking the place of a knot
// or bead there.
ExtrasEdit placeObject(const StitchExtras& x, QPointF at, const QString& kind, int thread);
// Whatever of the tool's kind lies nearest `at`: the cell's part stitches (quarters included)
// for part tools, the backstitch within a third of a cell, or the knot or bead at the point.
enum class ExtrasKind { Parts, Backstitch, Objects };
ExtrasEdit eraseNear(const StitchExtras& x, QPointF at, ExtrasKind kind);
// Everything inside the cells: part stitches and quarters in them, knots and beads on them
// (their edges included) and backstitch crossing their inside.
ExtrasEdit eraseExtrasIn(const StitchExtras& x, const std::vector<QPoint>& cells);

// The extras lying wholly within the block of cells r, moved so that r's top-left corner is the
// origin; all the threads come along, so their indexes stay.
StitchExtras extrasWithin(const StitchExtras& x, QRect r);
// Extras of a block columns x rows wide, mirrored left to right (horizontal) or top to bottom,
// or turned a quarter, as the block's cells are.
StitchExtras mirroredExtras(const StitchExtras& x, int columns, int rows, bool horizontal);
StitchExtras rotatedExtras(const StitchExtras& x, int columns, int rows, bool clockwise);
// The block's extras put with its origin at topLeft, those falling off a columns x rows
// pattern left out; a line or knot the pattern has already is not doubled.
ExtrasEdit pasteExtras(const StitchExtras& x, const StitchExtras& block, QPoint topLeft, int columns, int rows);
// What extrasWithin(x, r) finds, taken out; with a block, the block put at r's top-left in its
// place (a turned or mirrored selection), as one change.
ExtrasEdit removeWithin(const StitchExtras& x, QRect r);
ExtrasEdit replaceWithin(const StitchExtras& x, QRect r, const StitchExtras& block, int columns, int rows);
