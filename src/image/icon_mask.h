#pragma once
// The transparency of ICO and CUR pictures. Qt's reader drops the 1-bit mask of a bitmap icon
// and hands it over opaque, its transparent parts black; the mask is read here instead.
#include <QByteArray>
#include <QImage>

// Icon number `index` of the ICO or CUR `data`, as Qt decoded it into `picture`, with the parts
// its mask marks transparent made transparent. A 32-bit icon keeps its own alpha, unless every
// pixel of it is transparent (older icons leave the alpha empty): then its colours and the mask
// count. PNG icons, and data too short to hold the mask, give the picture back as it is.
QImage withIconMask(const QImage& picture, const QByteArray& data, int index);
