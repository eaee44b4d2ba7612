// Loading the previewed picture into the working picture, and the step adjustments.
#include "app/form1.h"
#include "app/help_texts.h"
#include "colour/catalogue.h"
#include "image/adjust.h"
#include "image/browser.h"
#include "image/embroidery_sizing.h"
#include "image/reduction.h"
#include "surface/dialogs.h"

#include <QFileInfo>

namespace {
// The settings a load starts from: catalogue "Grande", no colour picking, 248 colours.
void resetSettings(Form1& f)
{
    f.Option1[2]->setChecked(true);
    setCheckValue(f.Check10, 0);
    f.Text1->setText(QStringLiteral("248"));
    f.VScroll1->setValue(CInt(Val(f.Text1->text())));
    f.st.num_colores = f.VScroll1->value();
    f.paleta(3);
}

// Asks for the reduction factor of a large picture until the answer is at least 1, then
// shrinks Picture3 in place; factor_reduccion is 0 when nothing was asked.
void askAndReduce(Form1& f)
{
    f.st.factor_reduccion = 0;
    if (!reductionAsked(f.Picture3.Width(), f.Picture3.Height()))
        return;
    const QString prompt = reductionPrompt(f.Picture3.pixelWidth(), f.Picture3.pixelHeight());
    while (f.st.factor_reduccion < 1)
        f.st.factor_reduccion = reductionFactor(dialogs().InputBox(prompt, reductionTitle(), QStringLiteral("1")));
    if (f.st.factor_reduccion > 1) {
        f.setMousePointer(11);
        reducePicture(f.Picture3, f.st.factor_reduccion);
        f.setMousePointer(0);
    }
}

// Sizes the empty embroidery for the picture and sets the size controls to match; their
// handlers do nothing while the load runs.
void layOutEmbroidery(Form1& f)
{
    const EmbroideryLayout l = embroideryLayoutFor(f.Picture3.pixelWidth(), f.Picture3.pixelHeight());
    f.Picture2.setWidth(l.width);
    f.Picture2.setHeight(l.height);
    f.Picture2.move(l.left, l.top);
    f.Text4->setText(l.text4);
    f.Text5->setText(l.text5);
    f.VScroll4->setValue(l.vscroll4);
    f.VScroll5->setValue(l.vscroll5);
}

// What belonged to the previous picture goes: pattern view, colour strips, chart, marker.
void clearPatternViews(Form1& f)
{
    setCheckValue(f.Check3, 0);
    for (Surface& strip : f.Picture8) {
        strip.Cls();
        strip.setLeft(4);
    }
    f.Picture11.Cls();
    f.Picture11.move(-2, -2);
    f.Picture11.setWidth(f.Picture2.Width() * 3);
    f.Picture11.setHeight(f.Picture2.Height() * 3);
    f.Picture9.setLeft(-15);
    // an undo record belongs to the previous picture's pattern
    f.Command4->setEnabled(false);
}

// True when the preview holds the picture of the file selected in File1, previewing it
// first when the selection moved on; otherwise the user has been told what to do.
bool previewMatchesSelection(Form1& f)
{
    const QListWidgetItem* item = f.File1->currentItem();
    if (item && joinPath(f.File1Path, item->text()) != f.Image1.Path)
        f.File1_Click(); // reports a file that cannot be read
    if (item && !f.Image1.Picture.isNull() && joinPath(f.File1Path, item->text()) == f.Image1.Path)
        return true;
    if (!item || f.Image1.Picture.isNull())
        f.er(QStringLiteral("Haga click primero en el nombre de una imagen de la lista para verla en miniatura"));
    return false;
}
} // namespace

void Form1::File1_DblClick()
{
    if (!previewMatchesSelection(*this))
        return;
    if (!emptyPersonalCatalogue())
        er(QStringLiteral("No se puede vaciar el catálogo personal \"personal.txt\" en la carpeta de trabajo."));
    resetSettings(*this);
    Picture6->setVisible(true);
    st.listo = False;
    setCheckValue(Check7, 0);
    setMousePointer(11);
    Picture2.Cls();
    Picture2.setVisible(false);
    Picture3.setVisible(false);
    Picture3.setPicture(Image1.Picture);
    askAndReduce(*this);
    Label5->setText(Str(Picture3.pixelWidth()));
    Label6->setText(Str(Picture3.pixelHeight()) + QStringLiteral(" puntos"));
    for (QLabel* l : { Label5, Label6, Label7 })
        l->setVisible(true);
    layOutEmbroidery(*this);
    Picture3.move(centredInFrame(Picture3.Width()), centredInFrame(Picture3.Height()));
    Picture3.setVisible(true);
    Picture2.setVisible(true);
    for (QScrollBar* s : { VScroll4, VScroll5 }) {
        s->setSingleStep(3);
        s->setPageStep(3);
    }
    clearPatternViews(*this);
    setCaption(QStringLiteral("Puntela - ") + QFileInfo(Image1.Path).fileName());
    setMousePointer(0);
    if (!st.ayuda_imagen) {
        st.ayuda_imagen = True;
        dialogs().MsgBox(help::kPictureText, vbOKOnly, help::kPictureTitle);
    }
    st.listo = True;
}

void Form1::File1_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    File1_DblClick();
}

void Form1::Command11_Click()
{
    // before the first load there is no working picture to put back
    if (Picture3.pixelWidth() == 0 || Image1.Picture.isNull())
        return;
    Picture3.setVisible(false);
    Picture3.setPicture(Image1.Picture);
    if (st.factor_reduccion > 1) {
        setMousePointer(11);
        reducePicture(Picture3, st.factor_reduccion);
        setMousePointer(0);
    }
    Picture3.setVisible(true);
}

void Form1::adjustPicture(int button)
{
    setMousePointer(11);
    ::adjustPicture(Picture3, adjustmentForButton(button));
    Picture3.Refresh();
    setMousePointer(0);
}
