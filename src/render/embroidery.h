#pragma once
// The simulated embroidery: every stitch of puntos painted as a small shaded picture of a stitch
// in its thread colour, 3 x 3 pixels for single stitch and 9 x 9 for double stitch.
#include "colour/work_state.h"
#include "surface/surface.h"

#include <QRect>

// The shades of a thread colour, each applied to red, green and blue alike (v a component).
enum class Shade {
    Base, // v
    LightQuarter, // v + Fix((255 - v) / 4)
    DarkQuarter, // v - Fix(v / 4)
    DarkHalf, // v - Fix(v / 2)
    LightHalf, // v + Fix((255 - v) / 2)
    DarkEighth, // v - Fix(v / 8)
    DarkThird, // v - Fix(v / 3)
    Grey, // RGB(128, 128, 128) whatever the thread
};
Long shadeOf(Long colour, Shade shade);

// Paints the 3 x 3 single-stitch cell of `colour` with its top-left pixel at (x0, y0).
void drawSingleStitchCell(Surface& surface, int x0, int y0, Long colour);
// Paints the 72 drawn pixels of the 9 x 9 double-stitch cell of `colour` with its top-left pixel
// at (x0, y0); the other nine keep what the surface shows there. Pixels outside are skipped.
void drawDoubleStitchCell(Surface& surface, int x0, int y0, Long colour);

// Draws every stitch of the pattern as a single-stitch cell at (3i, 3j); a cell holding
// kNoStitchColour is drawn all in the cloth's colour (white unless told), in both sizes. Progress 95..98.
// False after "Error en el tamaño de la imagen" (a pattern one stitch wide); pointer and listo
// then stay busy.
bool dibujar(WorkState& st, Surface& box, const Progress& progress, Long cloth = RGB(255, 255, 255));
// Clears the box to the cloth and draws every stitch as a double-stitch cell at (9i, 9j). Progress
// 95..98; leaves listo as it is. False after the same error as dibujar.
bool pinta2(WorkState& st, Surface& box, const Progress& progress, Long cloth = RGB(255, 255, 255));
// Draws again the stitches of `cells` (clipped to the pattern) in the pattern's stitch, exactly
// as the whole drawing leaves them.
void drawEmbroideryCells(const WorkState& st, Surface& box, QRect cells, Long cloth);
