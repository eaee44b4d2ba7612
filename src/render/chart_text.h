#pragma once
// The small texts of the chart (cell symbols, key labels, strip symbols): each text is rendered
// once per font into a coverage mask and then stamped onto the surface, which keeps a full sheet
// of 8250 symbols fast. A character the font lacks, or draws as nothing, is taken from a
// fallback font, so no symbol ends up as an empty box.
//
// At 5 points a cell leaves a symbol about 7 x 7 pixels. The symbols of a font (the characters
// of codes 33..255) are looked at together once: a character that shows fewer than 3 pixels
// there (a dot, an accent, a control code, the no-break space) or looks there exactly like the
// character of an earlier code (accented letters often do) is drawn as a stand-in sign that
// looks like no other symbol, so every colour of a chart can be told apart.
#include "surface/surface.h"

#include <QString>
#include <memory>
#include <vector>

// The font in which a chart text is written, as a surface names it.
struct ChartFont {
    QString family;
    double pointSize = 5;
    bool bold = false;
};

// The font that has every character the chart writes.
QString fallbackFontFamily();

// The rendered form of one text in one font: coverage 0..255 over a box placed relative to the
// top-left corner of the text, and the advance that Print adds to CurrentX.
struct TextMask {
    int dx = 0, dy = 0, w = 0, h = 0;
    std::vector<unsigned char> coverage;
    double advance = 0;
    bool empty() const;
};

class ChartText {
public:
    // With symbols, single characters are drawn as the font's symbol set shows them (stand-ins
    // for the ones too small or alike); other texts as they are. With symbols in "Símbolos
    // claros", each symbol is drawn in DejaVu Sans centred in the free corner of its cell.
    explicit ChartText(const ChartFont& font, bool symbols = false);
    ~ChartText();
    ChartText(const ChartText&) = delete;
    ChartText& operator=(const ChartText&) = delete;

    // Writes text in colour with its top-left corner at (x, y) in the surface's units, where Print
    // would put it; returns the advance in pixels (the chart's surfaces are one unit per pixel).
    // A clip above 0 keeps every pixel within the clip x clip square from that corner (a cell).
    double draw(Surface& s, double x, double y, const QString& text, Long colour, int clip = 0);
    // The mask of a text, rendered on first use.
    const TextMask& mask(const QString& text);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
