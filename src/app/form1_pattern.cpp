// The pattern pipeline of the main window: the two pattern buttons, the steps they run in their
// fixed order, and the button that redraws the embroidery and the strips.
#include "app/form1.h"

// "Punto sencillo": a pattern at 3 pixels per stitch.
void Form1::Command1_Click()
{
    // leaving a size box holds what was typed there to its limits before the size is checked
    focusSink();
    work.setTypedSize(Val(Text4->text()), Val(Text5->text()));
    if (!work.patternSizeChecked(3))
        return;
    Check1->setEnabled(true);
    // an undo record of the last pattern must never be applied to the new one
    Command4->setEnabled(false);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(true);
    Label2->setText(QStringLiteral("%"));
    work.makePattern(false);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setText(QString());
    showColourOptionsLine();
}

// "Punto doble": a pattern at 9 pixels per stitch; the magnifier is turned off.
void Form1::Command5_Click()
{
    focusSink();
    work.setTypedSize(Val(Text4->text()), Val(Text5->text()));
    if (!work.patternSizeChecked(9))
        return;
    setCheckValue(Check1, 0);
    Check1->setEnabled(false);
    Command4->setEnabled(false);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(true);
    Label2->setText(QStringLiteral("%"));
    work.makePattern(true);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setText(QString());
    showColourOptionsLine();
}

void Form1::colores() { work.colores(); }

void Form1::gama() { work.gama(); }

void Form1::gama2() { work.gama2(); }

void Form1::dibujar() { work.dibujar(); }

void Form1::pinta2() { work.pinta2(); }

void Form1::redrawEmbroidery() { work.redrawEmbroidery(); }

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

void Form1::writeStripSymbols() { work.writeStripSymbols(); }
