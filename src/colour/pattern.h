#pragma once
// A pattern as plain data, apart from how the window keeps it: its size, its palette in palette
// order (group 1 first, then group 2, ...) and, for every stitch, the palette index it is
// stitched in. The pattern files, the thread list, the PDF chart and the quality report read it.
#include "colour/work_state.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

struct PatternThread {
    Long numero = 0; // thread number of the full catalogue (0 "Blanco", 1 "Ecru")
    Long colour = 0; // colour value red + 256 green + 65536 blue
    QString symbol; // the character the chart draws for it
};

// What a pattern may hold beside its full stitches, as pattern files carry it. Every element
// names a thread of `threads` (an index; -1 for none), so a thread used only here stays out of
// the palette and its hue groups.
using ExtraAttributes = std::vector<std::pair<QString, QString>>; // kept as read, written back

// A part stitch in cell (x, y). direction 1 and 2 are three-quarter stitches, one a side of the
// cell's diagonal (1: thread1 the bottom-left corner, thread2 the top-right; 2: thread1 top left,
// thread2 bottom right); 3 is a half stitch "/" and 4 a half stitch "\" in thread1.
struct PartStitch {
    int x = 0, y = 0;
    int thread1 = -1, thread2 = -1;
    int direction = 3;
    ExtraAttributes more;
};

// A backstitch line between two points of the chart, in cells from its top-left corner (halves
// reach the edge midpoints and the centres).
struct BackStitch {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int thread = -1;
    QString kind = QStringLiteral("backstitch");
    int sequence = 0;
    ExtraAttributes more;
};

// What an object at a point is: a French knot, a bead of any size, a quarter stitch (the quarter
// of a cell whose top-left corner is the point), a tent stitch (a half stitch over the cell whose
// top-left corner is the point), a full cross over that cell ("fullcross", which may sit between
// the cells), or something else, which is kept but not drawn.
enum class ObjectKind { Knot, Bead, Quarter, Tent, Cross, Other };
ObjectKind objectKind(const QString& objectType);

struct StitchObject {
    double x = 0, y = 0;
    int thread = -1;
    QString kind; // the file's objecttype: "knot", "bead", "bead2.5mm", "quarter", ...
    ExtraAttributes more;
};

// True for a tent stitch whose "direction" is 1, which runs from the top-left corner to the
// bottom-right one; any other runs from the bottom-left corner to the top-right one.
bool tentBackward(const StitchObject& tent);

struct StitchExtras {
    std::vector<PatternThread> threads;
    std::vector<PartStitch> parts;
    std::vector<BackStitch> backs;
    std::vector<StitchObject> objects;

    bool empty() const { return parts.empty() && backs.empty() && objects.empty(); }
};

// What a thread of the extras is used for: part stitches in crosses (a half or tent stitch 0.5, a
// quarter 0.25, a three-quarter 0.75, a full cross 1), backstitch length in cells, knots and beads.
struct ExtrasUse {
    double partStitches = 0;
    double backstitchCells = 0;
    long knots = 0;
    long beads = 0;
    bool any() const { return partStitches > 0 || backstitchCells > 0 || knots > 0 || beads > 0; }
};
// The use of each thread of `extras.threads`, in their order.
std::vector<ExtrasUse> extrasUse(const StitchExtras& extras);

struct Pattern {
    static constexpr int kNoStitch = -1;
    int width = 0;
    int height = 0;
    std::vector<PatternThread> palette;
    std::vector<int> cells; // row by row, width * height palette indexes, kNoStitch where nothing is stitched
    std::vector<unsigned char> marked; // row by row, non-zero for a stitch marked as done; empty when none is
    StitchExtras extras; // part stitches, backstitches, knots, beads and other objects

    int at(int x, int y) const { return cells[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    int& at(int x, int y) { return cells[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    bool isMarked(int x, int y) const
    {
        return !marked.empty() && marked[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0;
    }
    // Stitches of each palette index.
    std::vector<long> stitchCounts() const;
    // For each thread of the extras, the palette index of the thread of its colour (the palette
    // holds one thread a colour), -1 for a thread only the extras use.
    std::vector<int> extraThreadsInPalette() const;
};

// The pattern on show: puntos over ancho_puntos x alto_puntos, the palette from the six groups,
// each colour's thread found in the full catalogue (the first thread of that exact colour).
// `symbolOf` gives the chart's symbol of a palette index; without it symbols stay empty.
Pattern patternFromState(const WorkState& st, const std::function<QString(int)>& symbolOf = {});

// Puts a pattern on show as "Punto sencillo" leaves one: puntos over width x height, a cell
// without a stitch holding kNoStitchColour; each palette colour that some stitch uses once (so
// num_colores is the threads the pattern uses), in the hue group of its
// components, the groups keeping the pattern's palette order (so a palette in group order, as
// the program writes it, comes back in the same order); num_colores, lista_puntos and
// num_puntos of the stitched cells, the size, punto_doble false. False, changing nothing, for a
// pattern smaller than 2 x 2, larger than the grid, or whose cells or colours are not valid.
bool putPatternInState(const Pattern& p, WorkState& st);
