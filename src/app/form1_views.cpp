// The view options and the mouse on the three pictures that can be dragged: the embroidery
// (panning, magnifier, colour finder), the working picture and the chart.
#include "app/form1.h"
#include "views/embroidery_grid.h"
#include "views/hand_cursors.h"
#include "views/magnifier.h"
#include "views/strip_maths.h"

namespace {
// New Left and Top of a dragged picture: it follows the pointer by how far it moved since the press.
void pan(Surface& picture, const DragState& drag, double X, double Y)
{
    picture.move(CInt(picture.Left() + X - drag.x_arrastre), CInt(picture.Top() + Y - drag.y_arrastre));
}
} // namespace

void Form1::Check1_Click() { focusSink(); }

void Form1::Check2_Click()
{
    focusSink();
    drawTenStitchGrid(work.Picture2, work.state().punto_doble != 0);
    work.Picture2.Refresh();
}

void Form1::Check3_Click()
{
    focusSink();
    Busy busy(work);
    sub1(checkValue(Check3) == 0 ? True : False);
}

void Form1::Check4_Click()
{
    focusSink();
    if (!work.state().listo)
        return;
    Busy busy(work);
    // the chart always shows symbols or colours; the nested click finds listo cleared
    if (checkValue(Check4) == 0 && checkValue(Check5) == 0)
        setCheckValue(Check5, 1);
    sub2();
}

void Form1::Check5_Click()
{
    focusSink();
    if (!work.state().listo)
        return;
    Busy busy(work);
    if (checkValue(Check5) == 0 && checkValue(Check4) == 0)
        setCheckValue(Check4, 1);
    sub2();
}

void Form1::Check6_Click()
{
    focusSink();
    if (!work.state().listo)
        return;
    Busy busy(work);
    sub2();
}

void Form1::Picture2_MouseDown(int, int, double X, double Y)
{
    drag.arrastrando = True;
    work.Picture2.setMouseIcon(grabCursor());
    drag.x_arrastre = Single(X);
    drag.y_arrastre = Single(Y);
}

void Form1::Picture2_MouseUp(int, int, double, double)
{
    drag.arrastrando = False;
    work.Picture2.setMouseIcon(hoverCursor());
}

void Form1::markSwatchUnder(double X, double Y)
{
    const std::optional<Work::ThreadAt> t = work.threadAt(X, Y);
    if (!t)
        return;
    const StripPage page = stripPageFor(t->group0, t->k);
    work.Picture8[std::size_t(t->group0)].setLeft(page.stripLeft);
    Picture9.move(page.markerLeft, page.markerTop);
    Picture9.BackColor = work.Picture8[std::size_t(t->group0)].Point(10 * t->k + 2, 2);
    // the box shows its picture over its background: clear it to show the new colour
    Picture9.Cls();
    Picture9.Refresh();
}

void Form1::Picture2_MouseMove(int, int, double X, double Y)
{
    try {
        // the hovering hand until the first press: the box starts with an empty custom icon
        if (work.Picture2.MouseIcon().shape() != Qt::BitmapCursor)
            work.Picture2.setMouseIcon(drag.arrastrando ? grabCursor() : hoverCursor());
        if (!work.state().listo)
            return;
        if (checkValue(Check1) == 1 && !work.state().punto_doble && !drag.arrastrando) {
            drawMagnifier(work.Picture2, Picture10, X, Y);
            Picture10.Refresh();
        }
        if (!drag.arrastrando)
            markSwatchUnder(X, Y);
        else
            pan(work.Picture2, drag, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture3_MouseDown(int, int, double X, double Y)
{
    if (!work.state().listo)
        return;
    if (checkValue(Check10) == 0) {
        drag.arrastrando = True;
        drag.x_arrastre = Single(X);
        drag.y_arrastre = Single(Y);
        return;
    }
    pickPersonalThread(X, Y);
}

void Form1::Picture3_MouseMove(int, int, double X, double Y)
{
    try {
        if (!work.state().listo)
            return;
        if (checkValue(Check10) == 1) {
            Picture10.BackColor = work.Picture3.Point(X, Y);
            Picture10.Cls();
            Picture10.Refresh();
        }
        if (drag.arrastrando)
            pan(work.Picture3, drag, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture3_MouseUp(int, int, double, double)
{
    if (work.state().listo)
        drag.arrastrando = False;
}

void Form1::Picture11_MouseDown(int, int, double X, double Y)
{
    drag.arrastrando = True;
    drag.x_arrastre = Single(X);
    drag.y_arrastre = Single(Y);
}

void Form1::Picture11_MouseMove(int, int, double X, double Y)
{
    try {
        if (drag.arrastrando)
            pan(work.Picture11, drag, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture11_MouseUp(int, int, double, double) { drag.arrastrando = False; }
