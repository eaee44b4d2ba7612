// The colour options on the pattern on show, their undo, and the quality report.
#include "colour/clean_up.h"
#include "colour/faithful.h"
#include "colour/stitch_reading.h"
#include "work/work.h"

struct Work::PaletteUndo {
    StitchGrid puntos;
    std::array<std::vector<Long>, 6> tono;
    std::array<Integer, 6> num_tono {};
    Long num_colores = 0;
};

bool Work::applyColourOptions()
{
    if (!hasPattern() || !settings.colourOptions.changesPalette())
        return false;
    const std::shared_ptr<StepStart> start = stepStart();
    auto before = std::make_shared<PaletteUndo>();
    before->puntos = st.puntos;
    before->tono = st.tono;
    before->num_tono = st.num_tono;
    before->num_colores = st.num_colores;
    if (!applyPaletteOptions(st, settings.colourOptions))
        return false;
    m_paletteUndo = std::move(before);
    showColourCount(int(st.num_colores));
    gama2();
    redrawEmbroidery();
    patron();
    recordStep(QStringLiteral("Opciones de color"), *start, true);
    keepLastPattern();
    return true;
}

bool Work::undoColourOptions()
{
    if (!m_paletteUndo)
        return false;
    st.puntos = m_paletteUndo->puntos;
    st.tono = m_paletteUndo->tono;
    st.num_tono = m_paletteUndo->num_tono;
    st.num_colores = m_paletteUndo->num_colores;
    m_paletteUndo.reset();
    showColourCount(int(st.num_colores));
    gama2();
    return true;
}

QualityReport Work::qualityReport() const
{
    return ::qualityReport(pattern(), stitchAreaMeans(Picture3, Picture2, cellSize(st)).colours);
}

QString colourOptionsLine(const ColourOptions& o, int threads)
{
    QStringList on;
    if (o.faithful)
        on << QStringLiteral("Colores fieles");
    else if (o.perceptual)
        on << QStringLiteral("Hilo más parecido");
    if (o.dither != 0)
        on << QStringLiteral("Mezcla %1 %").arg(o.dither);
    if (o.mergeRare)
        on << QStringLiteral("Sin colores de menos de %1 puntos").arg(o.mergeBelow);
    if (o.clean)
        on << QStringLiteral("Sin manchas de %1 puntos").arg(o.cleanSize);
    if (on.isEmpty())
        return {};
    return on.join(QStringLiteral("; ")) + QStringLiteral("; %1 hilos").arg(threads);
}
