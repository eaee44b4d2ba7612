#pragma once
// A pattern as plain data, apart from how the window keeps it: its size, its palette in palette
// order (group 1 first, then group 2, ...) and, for every stitch, the palette index it is
// stitched in. The pattern files, the thread list, the PDF chart and the quality report read it.
#include "colour/work_state.h"

#include <QString>
#include <functional>
#include <vector>

struct PatternThread {
    Long numero = 0; // thread number of the full catalogue (0 "Blanco", 1 "Ecru")
    Long colour = 0; // colour value red + 256 green + 65536 blue
    QString symbol; // the character the chart draws for it
};

struct Pattern {
    static constexpr int kNoStitch = -1;
    int width = 0;
    int height = 0;
    std::vector<PatternThread> palette;
    std::vector<int> cells; // row by row, width * height palette indexes, kNoStitch where nothing is stitched
    std::vector<unsigned char> marked; // row by row, non-zero for a stitch marked as done; empty when none is

    int at(int x, int y) const { return cells[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    int& at(int x, int y) { return cells[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    bool isMarked(int x, int y) const
    {
        return !marked.empty() && marked[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0;
    }
    // Stitches of each palette index.
    std::vector<long> stitchCounts() const;
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
