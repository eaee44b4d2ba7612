#pragma once
// Where a chart sheet lands on the paper: at the physical size it has on the screen
// (96 pixels to the inch), centred on the printable area, never scaled to fit.
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>

// The size in millimetres of a picture of `pixels` shown at 96 pixels to the inch.
QSizeF sheetSizeMm(QSize pixels);
// Top-left corner of a sheet of size `sheet` centred on a printable area of size `printable`,
// both in the same units: ((printable width - w) / 2, (printable height - h) / 2); negative
// when the sheet is larger, so it is cut evenly at the paper's edges.
QPointF centredTopLeft(QSizeF printable, QSizeF sheet);
// The rectangle, in device pixels at `dpi`, that a sheet of `pixels` takes on a printable
// area of `printableMm` millimetres.
QRectF pageTarget(QSize pixels, QSizeF printableMm, double dpi);
