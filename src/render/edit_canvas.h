#pragma once
// The pattern editor's chart: a viewport of the pattern drawn at a zoom into an image, straight
// into its pixels, from tiles of each thread made once per zoom and view (the symbols' glyphs
// rendered once). Drawing only a rectangle of cells gives the same pixels a full drawing gives.
#include "colour/pattern.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <memory>
#include <vector>

enum class CanvasView {
    Colours, // "Colores": each stitch a block of its thread's colour
    ColoursWithSymbols, // "Colores con signos"
    BlackWhiteSymbols, // "Signos en blanco y negro"
    Stitches, // "Puntadas": each stitch drawn as a cross of two shaded strands
};

// What the canvas draws: the pattern's cells as palette indexes (-1 where the cloth shows), each
// thread's colour and symbol, the stitches marked as done and the working picture underneath.
struct CanvasPattern {
    int columns = 0, rows = 0;
    std::vector<int> cells; // row by row
    std::vector<QRgb> colours; // per palette index
    std::vector<QString> symbols; // per palette index
    std::vector<unsigned char> done; // empty, or 1 per done cell
    QRgb cloth = qRgb(255, 255, 255);
    QImage picture; // the working picture the pattern was made from (null for none)
    QString symbolFamily; // the font the symbols are drawn in
    StitchExtras extras; // part stitches, backstitch, knots and beads, drawn over the cells
    std::vector<QString> extraSymbols; // the symbol of each thread of `extras`

    int at(int x, int y) const { return cells[std::size_t(y) * std::size_t(columns) + std::size_t(x)]; }
    bool isDone(int x, int y) const
    {
        return !done.empty() && done[std::size_t(y) * std::size_t(columns) + std::size_t(x)] != 0;
    }
};

// Where and how: `zoom` pixels a stitch (any fraction below 2, whole from 2 up to 64), `origin`
// the pixel of the whole pattern drawn at that zoom that lands on the image's top-left pixel.
struct CanvasFrame {
    double zoom = 1;
    QPoint origin;
    CanvasView view = CanvasView::ColoursWithSymbols;
    bool grid = true;
    bool picture = false; // "Ver la imagen debajo"
    bool marks = false; // "Marcar hechas": done stitches dimmed with a tick
};

constexpr double kMaxZoom = 64;
// Zooms from 2 pixels up are whole numbers, so every cell has the same size.
double snappedZoom(double zoom);
// The cell under pixel p of the image (may lie outside the pattern).
QPoint cellAtPixel(const CanvasFrame& f, QPoint p);
// The pixels of the image that a rectangle of cells covers (may lie outside the image).
QRect pixelsOfCells(const CanvasFrame& f, QRect cells);
// The symbols show from this many pixels a stitch; below it the symbol views show the colours.
constexpr int kSymbolZoom = 6;

class EditCanvas {
public:
    EditCanvas();
    ~EditCanvas();
    EditCanvas(const EditCanvas&) = delete;
    EditCanvas& operator=(const EditCanvas&) = delete;

    // Draws `frame`'s view of `pattern` into `target` (ARGB32 or RGB32): the cells, the grid with
    // a heavier line every ten stitches, the centre lines, the picture faintly underneath, the
    // done marks and the extras over them. With `cells` not empty only the pixels of those cells
    // are drawn.
    void draw(QImage& target, const CanvasPattern& pattern, const CanvasFrame& frame, QRect cells = {});
    // Forgets the tiles: the threads, their symbols or the cloth changed.
    void forgetTiles();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
