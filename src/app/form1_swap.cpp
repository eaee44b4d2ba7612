// The palette strips: scrolling, the colour preview, the colour swap with its undo, and
// picking threads from the working picture into the personal catalogue.
#include "app/form1.h"
#include "views/strip_maths.h"
#include "views/swap.h"

void Form1::Check7_Click()
{
    const int value = checkValue(Check7);
    // a click on the greyed box leads to ticked; from there on the user's clicks are two-state
    // again, so unticked never leads to greyed
    if (value != 2)
        Check7->setTristate(false);
    work.setSwapMode(value);
    if (!work.state().listo)
        return;
    if (value != 0) {
        // nothing else may start while a swap is under way
        Picture12->setEnabled(false);
        Picture13->setEnabled(false);
        if (value == 2)
            Check7->setText(QStringLiteral("+"));
        for (Surface& strip : work.Picture8)
            strip.setMousePointer(2);
        return;
    }
    Picture12->setEnabled(true);
    Picture13->setEnabled(true);
    Check7->setText(QStringLiteral("I"));
    for (Surface& strip : work.Picture8)
        strip.setMousePointer(9);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(true);
    if (check8->isEnabled()) {
        // a swap blanked the embroidery
        check8->setEnabled(false);
        redrawEmbroidery();
    }
    patron();
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setText(QString());
}

void Form1::HScroll1_Change()
{
    focusSink();
    for (Surface& strip : work.Picture8)
        strip.setLeft(scrolledStripLeft(HScroll1->value()));
}

void Form1::Picture8_MouseMove(int Index, int, int, double X, double)
{
    Surface& strip = work.Picture8[std::size_t(Index)];
    Picture9.setLeft(kMarkerHidden);
    if (X > 0) {
        const Long colour = strip.Point(swatchReadX(X), 1);
        // past the strip's end there is no colour to show: the pointer goes back to the default and
        // the strip is not dragged
        if (colour < 0) {
            setMousePointer(0);
            return;
        }
        Picture10.BackColor = colour;
        Picture10.Cls();
        Picture10.Refresh();
    }
    int left = 0;
    if (drag.arrastrando
        && draggedStripLeft(strip.Left(), X, drag.x_arrastre, work.state().num_tono[std::size_t(Index)], left))
        strip.setLeft(left);
}

void Form1::Picture8_MouseDown(int Index, int, int, double X, double)
{
    if (!work.state().listo)
        return;
    const int value = checkValue(Check7);
    // a pick beyond the last swatch would take the strip's background as a thread colour
    const std::optional<Work::ThreadAt> t = work.threadAtSwatch(Index, X);
    if (value == 2) {
        if (t)
            swapPick(Index, t->k, t->colour);
        return;
    }
    if (value == 1 && t && work.firstSwapPick(Index, t->k, t->colour))
        setCheckValue(Check7, 2);
    drag.arrastrando = True;
    drag.x_arrastre = Single(X);
}

void Form1::swapPick(int Index, int k, Long c)
{
    const Work::SwapResult done = work.swapPick(Index, k, c);
    if (done == Work::SwapResult::Ignored)
        return;
    Command4->setEnabled(true);
    setCheckValue(Check7, 1);
    check8->setEnabled(true);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(false);
    // the undo file that could not be written stays said on the progress line
    Label3->setVisible(done == Work::SwapResult::DoneUnrecorded);
}

void Form1::Picture8_MouseUp(int, int, int, double, double) { drag.arrastrando = False; }

void Form1::Command4_Click()
{
    focusSink();
    Command4->setEnabled(false);
    if (!work.undoSwap())
        return;
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setVisible(true);
    redrawEmbroidery();
    {
        Busy busy(work);
        sub2();
    }
    check8->setEnabled(false);
}

void Form1::Check10_Click()
{
    if (work.Picture3.MousePointer() == 2) {
        work.Picture3.setMousePointer(5);
        return;
    }
    work.Picture3.setMousePointer(2);
    Option1[4]->setChecked(true);
}

void Form1::pickPersonalThread(double X, double Y)
{
    if (!work.pickPersonalThread(X, Y))
        return;
    showCatalogueList();
}
