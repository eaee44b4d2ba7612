// The pattern pipeline of the main window: the two pattern buttons, the steps they run in their
// fixed order, and the button that redraws the embroidery and the strips.
#include "app/form1.h"
#include "colour/hue_groups.h"
#include "colour/palette.h"
#include "colour/stitch_reading.h"
#include "render/chart.h"
#include "render/embroidery.h"

#include <cmath>

namespace {
// Stitches the reading will find for a typed count once the box is sized at s pixels per
// stitch; -1 for a number no box can be sized to.
double stitchesFor(double typed, int s)
{
    if (!(std::abs(typed) < 1e6))
        return -1;
    return cellCount(double(CLng(s * typed + 4) - 4), s);
}

// The typed pattern size fits the stitch arrays; otherwise says so and changes nothing.
bool patternSizeChecked(Form1& f, int s)
{
    if (patternSizeAllowed(stitchesFor(Val(f.Text4->text()), s), stitchesFor(Val(f.Text5->text()), s)))
        return true;
    f.er(patternSizeMessage());
    return false;
}

// Sizes the embroidery box at s pixels per stitch for the typed size and centres it in its frame.
void sizeEmbroideryBox(Form1& f, int s)
{
    // The old picture need not be kept (the box is cleared before anything is drawn on it):
    // emptying it first makes the new size one allocation instead of two copies of a large picture.
    f.Picture2.setWidth(4);
    f.Picture2.setHeight(CLng(s * Val(f.Text5->text()) + 4));
    f.Picture2.setWidth(CLng(s * Val(f.Text4->text()) + 4));
    f.Picture2.setLeft(CLng((f.Picture4->width() - f.Picture2.Width()) / 2.0));
    f.Picture2.setTop(CLng((f.Picture4->height() - f.Picture2.Height()) / 2.0));
    if (!f.Picture2.imageValid())
        f.er(QStringLiteral("No hay suficiente memoria para dibujar el bordado. Reduce los puntos."));
}

// The magnifier starts empty on the window's button colour.
void clearMagnifier(Form1& f)
{
    f.Picture10.BackColor = colourFromRgb(f.palette().color(QPalette::Button).rgb());
    f.Picture10.Cls();
    f.Picture10.Refresh();
}

// A pattern cannot have more colours than stitches: the colour spinner is lowered to the count.
void lowerColourCountToStitches(Form1& f)
{
    const double product = Val(f.Text4->text()) * Val(f.Text5->text());
    if (product < f.st.num_colores)
        f.VScroll1->setValue(int(CLng(product)));
}

// Runs the steps in their order, each even after an earlier one failed, and ends the run.
void runPipeline(Form1& f, bool doble)
{
    // an undo record of the last pattern must never be applied to the new one
    f.Command4->setEnabled(false);
    for (QLabel* l : { f.Label1, f.Label2, f.Label3 })
        l->setVisible(true);
    f.Label2->setText(QStringLiteral("%"));
    f.colores();
    f.gama();
    if (doble)
        f.pinta2();
    else
        f.dibujar();
    f.patron();
    for (QLabel* l : { f.Label1, f.Label2, f.Label3 })
        l->setText(QString());
    f.Picture2.setVisible(true);
    f.st.listo = True;
    // a step that failed left the hourglass; the run is over either way
    f.setMousePointer(0);
}

void updateStrips(Form1& f)
{
    for (PictureBox* b : f.Picture8Box)
        b->update();
}
} // namespace

// "Punto sencillo": a pattern at 3 pixels per stitch; busy from the start, the box cleared first.
void Form1::Command1_Click()
{
    // leaving a size box holds what was typed there to its limits before the size is checked
    focusSink();
    if (!patternSizeChecked(*this, 3))
        return;
    st.listo = False;
    Picture2.setVisible(false);
    clearMagnifier(*this);
    Check1->setEnabled(true);
    sizeEmbroideryBox(*this, 3);
    Picture2.Cls();
    st.punto_doble = False;
    lowerColourCountToStitches(*this);
    runPipeline(*this, false);
}

// "Punto doble": a pattern at 9 pixels per stitch; the steps clear listo, the magnifier is turned
// off, and the embroidery clears the box itself.
void Form1::Command5_Click()
{
    focusSink();
    if (!patternSizeChecked(*this, 9))
        return;
    st.punto_doble = True;
    setMousePointer(11);
    Picture2.setVisible(false);
    clearMagnifier(*this);
    setCheckValue(Check1, 0);
    Check1->setEnabled(false);
    sizeEmbroideryBox(*this, 9);
    // listo is still set here, so the spinner's own handler takes the lowered count at once
    lowerColourCountToStitches(*this);
    runPipeline(*this, true);
}

// Reads the stitch colours from the working picture, then sorts them into the hue groups by the
// key that Check9 chooses.
void Form1::colores()
{
    const Progress p = progress();
    setMousePointer(11);
    st.listo = False;
    setCheckValue(Check2, 0);
    if (!::colores(st, Picture3, Picture2, p))
        return;
    if (checkValue(Check9) == 0)
        separa(st, p);
    else
        separa1(st, p);
}

// Computes the palette, thins the groups, draws the strips and shows the palette size in Text1,
// VScroll1 and the strips' scroll bar.
void Form1::gama()
{
    const Progress p = progress();
    const bool recoloured = ::gama(st, p, [this] {
        VScroll1->setValue(int(st.num_colores));
        Text1->setText(Str(st.num_colores));
    });
    if (!recoloured)
        return;
    ::gama1(st, Picture8, p, [this](int longest) {
        HScroll1->setMaximum(longest);
        VScroll1->setValue(int(st.num_colores));
        Text1->setText(QString::number(st.num_colores));
    });
    updateStrips(*this);
}

// Redraws the strips from the palette as it is.
void Form1::gama2()
{
    ::gama2(st, Picture8, progress());
    updateStrips(*this);
}

// Draws the single-stitch embroidery on Picture2.
void Form1::dibujar()
{
    ::dibujar(st, Picture2, progress());
    Picture2Box->update();
}

// Draws the double-stitch embroidery on Picture2, cleared to white first.
void Form1::pinta2()
{
    ::pinta2(st, Picture2, progress());
    Picture2Box->update();
}

// Redraws the embroidery in the stitch of the pattern on show.
void Form1::redrawEmbroidery()
{
    if (st.punto_doble)
        pinta2();
    else
        dibujar();
}

// "Redibujar bordado": redraws the embroidery and the strips, with the symbols when they are shown.
void Form1::check8_Click()
{
    check8->setEnabled(false);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(true);
    redrawEmbroidery();
    gama2();
    if (checkValue(Check4) == 1)
        writeStripSymbols();
}

// Writes each palette colour's symbol on its swatch.
void Form1::writeStripSymbols()
{
    // drawn as the chart draws them, so strips and chart show the same signs
    drawStripSymbols(Picture8, st, Combo1->currentText(), false);
    updateStrips(*this);
}
