#pragma once
// The pattern as a picture with one pixel per stitch ("imagen_i.bmp").
#include "colour/work_state.h"

#include <QImage>

// An ancho_puntos x alto_puntos picture whose pixel (x, y) has the colour of puntos(x, y);
// a null picture when the pattern has no stitches.
QImage stitchPicture(const WorkState& st);
