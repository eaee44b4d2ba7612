#pragma once
// What changed in the work, told to every view (the main window, the pattern editor, the batch
// command, the tests) through Work::changed after a setter or an operation changed it.
#include <QRect>
#include <QString>

struct WorkChange {
    enum Part : unsigned {
        Reading = 1u << 0, // a stitch reading starts: the embroidery's grid box goes off
        ColourCount = 1u << 1, // the colour count (colourText is how its box shows it)
        Size = 1u << 2, // the pattern size in stitches or the embroidery frame
        Catalogue = 1u << 3, // the active catalogue and its list
        Variant = 1u << 4, // the grouping key
        ChartOptions = 1u << 5, // symbols, colours, grid, fonts
        Sheets = 1u << 6, // the sheet selectors' positions and maxima
        ColourOptions = 1u << 7, // "Opciones de color"
        Amounts = 1u << 8, // the fabric and strands of the thread list
        Picture = 1u << 9, // the working picture
        Stitches = 1u << 10, // the pattern's stitches: `cells` says which
        Palette = 1u << 11, // the pattern's threads or their symbols
        Embroidery = 1u << 12, // the embroidery was drawn: `cells` says which stitches
        Strips = 1u << 13, // the palette strips (longestStrip when their length changed)
        Chart = 1u << 14, // the chart sheet on show was drawn
        History = 1u << 15, // what can be undone or redone
        Busy = 1u << 16, // listo was set or cleared
        Swap = 1u << 17, // the swap's step (waiting for a colour or not)
        Cloth = 1u << 18, // the colour of the cloth
        Marks = 1u << 19, // stitches marked as done: `cells` says which
        Fresh = 1u << 20, // a new picture or pattern: what the views showed of the last one goes
        Extras = 1u << 21, // part stitches, backstitch, knots or beads: `cells` says which cells they touch
    };
    unsigned parts = 0;
    // The cells of the pattern that changed, in stitches; an empty rectangle means all of them.
    QRect cells;
    QString colourText; // ColourCount: the count as the colour box shows it
    int longestStrip = -1; // Strips: the longest strip when it changed, else -1

    bool has(Part p) const { return (parts & p) != 0; }
};
inline WorkChange change(unsigned parts, QRect cells = {})
{
    WorkChange c;
    c.parts = parts;
    c.cells = cells;
    return c;
}
