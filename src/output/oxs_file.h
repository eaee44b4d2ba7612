#pragma once
// Pattern files in the "Open Cross Stitch" format (OXS 1.0, XML), the one that stitching
// programs exchange: the chart's size and title, the palette (the cloth first, then one DMC
// thread per colour in palette order, with its symbol) and one full stitch per stitched cell.
#include "colour/pattern.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <vector>

// What a pattern file says beside the pattern itself.
struct OxsDetails {
    QString title; // the picture's file name without its extension
    int stitchesPerInch = 14; // the fabric count
    Long cloth = 0xFFFFFF; // the cloth's colour value, item 0 of the palette (white)
};

// Writes the pattern as an OXS 1.0 document. Threads come from the full catalogue by number
// ("DMC Blanc", "DMC Ecru", "DMC 310", with their names); a colour no thread has (number -1)
// gets an empty number, so a reader matches it by its colour. False when the device fails.
bool writeOxs(QIODevice& device, const Pattern& pattern, const OxsDetails& details);
// Writes the file whole or not at all: any earlier file at `path` stays as it was when the
// writing fails. Returns an empty text on success, otherwise a Spanish message naming the file.
QString saveOxsFile(const QString& path, const Pattern& pattern, const OxsDetails& details);

// The longest title a pattern keeps, in characters.
constexpr int kMaxTitleLength = 256;
// A title as a pattern keeps it: control characters removed, cut to kMaxTitleLength.
QString patternTitle(QStringView text);

// The largest pattern file read, in bytes: far above what the largest chart needs.
constexpr qint64 kMaxOxsFileBytes = 256LL << 20;

// A pattern file as read: the pattern, or the reason it was refused.
struct OxsRead {
    QString error; // the refusal, naming the file; empty when the pattern was read
    Pattern pattern; // palette in the file's order (the cloth left out, a thread listed once)
    OxsDetails details;
    QStringList replaced; // "Anchor 403 por DMC 310": threads taken by colour from the full catalogue
    int otherObjects = 0; // objects the chart does not draw, kept in the pattern all the same
    int dropped = 0; // part stitches, backstitches and objects off the chart or in no thread, left out

    bool ok() const { return error.isEmpty(); }
    // What the user is told about a file that was read: the threads replaced and what was left
    // out, naming the file; empty when the pattern came in whole.
    QString notice(const QString& displayName) const;
};

// Reads an OXS document against the full catalogue (entries 1..426 of `catalogue`): a number
// whose last word is a thread number of the catalogue ("DMC 310", "dmc    blanc", "DMC 0") takes
// that thread; other brands and numbers the catalogue lacks take the nearest thread to their
// colour (listed in `replaced`). Cells without a stitch, or stitched in the cloth, stay empty;
// part stitches, backstitches, knots, beads and other objects go into the pattern's extras, their
// threads being the whole palette read (coordinates with a point or a comma: "17.5", "17,5"). Documents with a DTD
// (entity declarations), not well formed or cut short, without properties, palette or full stitches, of a size the grid
// cannot hold, or with stitches outside the chart or the palette are refused with a message that names `displayName`.
OxsRead readOxs(QIODevice& device, const QString& displayName, const std::vector<color_dmc>& catalogue);
// Reads the file at `path` the same way; only plain files up to kMaxOxsFileBytes.
OxsRead readOxsFile(const QString& path, const std::vector<color_dmc>& catalogue);
