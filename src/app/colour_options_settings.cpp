#include "app/colour_options_settings.h"

namespace {
const QString kGroup = QStringLiteral("opciones_color");
}

ColourOptions readColourOptions(QSettings& s)
{
    const ColourOptions none;
    s.beginGroup(kGroup);
    ColourOptions o;
    o.faithful = s.value(QStringLiteral("fieles"), none.faithful).toBool();
    o.perceptual = s.value(QStringLiteral("mas_parecido"), none.perceptual).toBool();
    o.dither = s.value(QStringLiteral("mezcla"), none.dither).toInt();
    o.mergeRare = s.value(QStringLiteral("quitar_raros"), none.mergeRare).toBool();
    o.mergeBelow = s.value(QStringLiteral("raros_bajo"), none.mergeBelow).toInt();
    o.clean = s.value(QStringLiteral("limpiar"), none.clean).toBool();
    o.cleanSize = s.value(QStringLiteral("manchas_hasta"), none.cleanSize).toInt();
    s.endGroup();
    ColourOptions ditherOnly;
    ditherOnly.dither = o.dither;
    if (!ditherOnly.valid())
        o.dither = none.dither;
    if (o.mergeBelow < ColourOptions::kMergeLeast || o.mergeBelow > ColourOptions::kMergeMost)
        o.mergeBelow = none.mergeBelow;
    if (o.cleanSize < ColourOptions::kCleanLeast || o.cleanSize > ColourOptions::kCleanMost)
        o.cleanSize = none.cleanSize;
    return o;
}

void writeColourOptions(QSettings& s, const ColourOptions& o)
{
    s.beginGroup(kGroup);
    s.setValue(QStringLiteral("fieles"), o.faithful);
    s.setValue(QStringLiteral("mas_parecido"), o.perceptual);
    s.setValue(QStringLiteral("mezcla"), o.dither);
    s.setValue(QStringLiteral("quitar_raros"), o.mergeRare);
    s.setValue(QStringLiteral("raros_bajo"), o.mergeBelow);
    s.setValue(QStringLiteral("limpiar"), o.clean);
    s.setValue(QStringLiteral("manchas_hasta"), o.cleanSize);
    s.endGroup();
    s.sync();
}
