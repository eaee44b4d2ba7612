#pragma once
// Reading one thread colour per stitch: the embroidery box is divided into cells of 3 (single
// stitch) or 9 (double stitch) pixels, and the top-left pixel of each cell, mapped into the
// working picture, is replaced by the nearest thread of the active catalogue.
#include "colour/colour_options.h"
#include "colour/work_state.h"
#include "surface/surface.h"

#include <QString>

// Cell size in pixels of the embroidery box: 9 for double stitch, 3 for single.
inline int cellSize(const WorkState& st) { return st.punto_doble ? 9 : 3; }

// How many cells a loop from 0 to `insidePixels` - s in steps of s reads (0 when none).
int cellCount(double insidePixels, int s);
// True when a pattern of `columns` x `rows` stitches fits the stitch arrays (at least one each).
bool patternSizeAllowed(double columns, double rows);
// The message for a pattern size the arrays cannot hold.
QString patternSizeMessage();

// Reads `picture` (the working picture) cell by cell over `box` (the embroidery box, sized at
// cellSize pixels per stitch) into puntos and lista_puntos, and sets num_puntos, ancho_puntos and
// alto_puntos. Progress 0..80. False after an error (a box one cell high, or too many stitches),
// reported through `progress`; the pointer and listo then stay busy. The options choose the
// nearest thread by ΔE2000 and dither the colours; off, every stitch is read as it always was.
bool colores(WorkState& st, const Surface& picture, const Surface& box, const Progress& progress,
    const ColourOptions& options = {});

// The picture's pixel that each stitch reads, row by row (columns x rows of them), exactly as
// colores reads them for a box of `s` pixels per stitch; -1 where the point lies outside the picture.
struct StitchPixels {
    int columns = 0;
    int rows = 0;
    std::vector<Long> colours;
};
StitchPixels stitchPixels(const Surface& picture, const Surface& box, int s);
// The stitches a box of `s` pixels per stitch holds, without colours; none past the largest pattern.
StitchPixels stitchGrid(const Surface& box, int s);
