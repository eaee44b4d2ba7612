#pragma once
// What a pattern asks of the stitcher: thread per colour (stitches, metres, skeins) and the
// finished size on the fabric with the piece of fabric to buy. The thread list, the PDF chart
// and the batch command all take their figures from here.
#include "colour/pattern.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A fabric the stitcher can choose: its name and the stitches it holds per inch (evenweave is
// stitched over two threads, so 28-count holds 14).
struct Fabric {
    QString name;
    int stitchesPerInch = 14;
};
// 11, 14, 16, 18 and 20-count Aida, then 28 and 32-count evenweave; 14-count Aida is the default.
const std::vector<Fabric>& fabrics();
constexpr int kDefaultFabric = 1;
// The stitches per inch of a fabric named by its count (11, 14, 16, 18, 20 Aida; 28 and 32
// evenweave stitched over two); 0 for a count that is none of these.
int stitchesPerInchOfCount(int count);
// The index in fabrics() of the fabric of a count (14: "Aida 14", 28: the 28-count evenweave); -1 for none.
int fabricOfCount(int count);
constexpr int kDefaultStrands = 2;
constexpr double kDefaultWaste = 0.20;
constexpr int kDefaultBackstitchStrands = 1;
constexpr double kKnotCm = 3; // thread a French knot takes, at the full stitches' strands

struct AmountOptions {
    int stitchesPerInch = 14;
    int strands = kDefaultStrands;
    double waste = kDefaultWaste; // allowance for starts, ends and carrying, 0.2 = 20 %
    int backstitchStrands = kDefaultBackstitchStrands; // "Hebras del pespunte"
};

// Metres of single strand for a number of full cross stitches: 4.828427 cell edges of thread a
// stitch, a cell edge 25.4 mm / count, times the strands, plus the waste allowance.
double threadMetres(long stitches, const AmountOptions& o);
// Metres of single strand for a backstitch `cells` cell edges long at the backstitch strands,
// and for `knots` French knots at the full stitches' strands, each with the waste allowance.
double backstitchMetres(double cells, const AmountOptions& o);
double knotMetres(long knots, const AmountOptions& o);
// Skeins of 8 m of six strands (48 m of single strand) that hold the length; at least one.
int skeinsFor(double metres);

// The finished piece for a pattern of width x height stitches, in cm and inches, and the fabric
// to buy with 5 cm (2 in) to spare on every side.
struct FinishedSize {
    double widthCm = 0, heightCm = 0, widthIn = 0, heightIn = 0;
    double fabricWidthCm = 0, fabricHeightCm = 0, fabricWidthIn = 0, fabricHeightIn = 0;
    QString sizeText() const; // "18.1 × 14.5 cm (7.1 × 5.7 in)"
    QString fabricText() const;
};
FinishedSize finishedSize(int width, int height, int stitchesPerInch);

// One thread of a pattern with its amounts.
struct ThreadAmount {
    int index = 0; // palette index
    Long numero = 0;
    Long colour = 0;
    QString symbol;
    QString code; // "DMC 310"
    QString name; // "Black"
    long stitches = 0;
    double metres = 0;
    int skeins = 0;
    // beside the full stitches: part stitches in crosses (a half stitch 0.5, a quarter 0.25, a
    // three-quarter 0.75), backstitch length in cells, knots and beads
    double partStitches = 0;
    double backstitchCells = 0;
    long knots = 0;
    long beads = 0;
    // "" for a thread of full or part stitches; for a thread only backstitch, knots or beads use,
    // the section it is listed in: "Pespunte", "Nudos" or "Cuentas"
    QString section;
    int extraThread = -1; // the thread of the pattern's extras it is, when they use it
};
// Every thread the pattern uses, with its amounts: the palette threads with stitches and the
// threads of part stitches in thread-number order (a number the catalogue does not know last),
// then the threads only backstitch, knots or beads use, in their sections (index -1).
// Metres count full and part stitches, backstitch and knots; beads are counted as beads.
std::vector<ThreadAmount> threadAmounts(const Pattern& pattern, const AmountOptions& o);

// The lines of a key or list of `threads`: each thread's position, with a section's heading
// (-1) before the first thread of every section.
std::vector<int> keyLineEntries(const std::vector<ThreadAmount>& threads);

// The amounts as CSV text: a header line, then number, name, stitches, metres, skeins a line;
// a pattern with backstitch, knots or beads adds a column with each thread's section (a bead
// thread's stitches being its beads).
QByteArray threadsCsv(const std::vector<ThreadAmount>& threads);
// Writes the CSV text of the pattern's threads to path, whole or not at all; empty when done,
// else the message.
QString writeThreadsCsv(const QString& path, const Pattern& pattern, const AmountOptions& o);
