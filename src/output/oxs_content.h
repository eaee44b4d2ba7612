#pragma once
// What the sections of a pattern file hold as they are read, before the checks that need the
// whole file: the reading fills an OxsContent, and buildPattern makes the pattern of it.
#include "output/oxs_file.h"

#include <QString>
#include <vector>

namespace oxs {
struct Item {
    int index = 0;
    QString number; // as written, spaces made single
    QString colour;
    QString symbol;
    bool cloth = false;
};

struct RawStitch {
    int x, y, palindex;
    bool marked; // the stitcher marked it as done
};

// What the document's sections hold; the checks that need the whole file come afterwards.
struct OxsContent {
    bool hasProperties = false, hasPalette = false, hasStitches = false;
    int width = 0, height = 0;
    std::vector<Item> items;
    std::vector<RawStitch> stitches;
    // extras as read: their thread fields hold palette item indexes until the palette is built
    std::vector<PartStitch> parts;
    std::vector<BackStitch> backs;
    std::vector<StitchObject> objects;
};

// The whole pattern from what was read, the extras moved into it; the reason it is refused, or empty.
QString buildPattern(OxsContent& p, const std::vector<color_dmc>& catalogue, OxsRead& out);
} // namespace oxs
