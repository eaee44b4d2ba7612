// The view options and the mouse on the three pictures that can be dragged: the embroidery
// (panning, magnifier, colour finder), the working picture and the chart.
#include "app/form1.h"
#include "views/embroidery_grid.h"
#include "views/hand_cursors.h"
#include "views/magnifier.h"

namespace {
// New Left and Top of a dragged picture: it follows the pointer by how far it moved since the press.
void pan(Surface& picture, const WorkState& st, double X, double Y)
{
    picture.move(CInt(picture.Left() + X - st.x_arrastre), CInt(picture.Top() + Y - st.y_arrastre));
}
} // namespace

void Form1::Check1_Click() { focusSink(); }

void Form1::Check2_Click()
{
    focusSink();
    drawTenStitchGrid(Picture2, st.punto_doble != 0);
    Picture2.Refresh();
}

void Form1::Check3_Click()
{
    focusSink();
    Busy busy(st);
    sub1(checkValue(Check3) == 0 ? True : False);
}

void Form1::Check4_Click()
{
    focusSink();
    if (!st.listo)
        return;
    Busy busy(st);
    // the chart always shows symbols or colours; the nested click finds listo cleared
    if (checkValue(Check4) == 0 && checkValue(Check5) == 0)
        setCheckValue(Check5, 1);
    sub2();
}

void Form1::Check5_Click()
{
    focusSink();
    if (!st.listo)
        return;
    Busy busy(st);
    if (checkValue(Check5) == 0 && checkValue(Check4) == 0)
        setCheckValue(Check4, 1);
    sub2();
}

void Form1::Check6_Click()
{
    focusSink();
    if (!st.listo)
        return;
    Busy busy(st);
    sub2();
}

void Form1::Picture2_MouseDown(int, int, double X, double Y)
{
    st.arrastrando = True;
    Picture2.setMouseIcon(grabCursor());
    st.x_arrastre = Single(X);
    st.y_arrastre = Single(Y);
}

void Form1::Picture2_MouseUp(int, int, double, double)
{
    st.arrastrando = False;
    Picture2.setMouseIcon(hoverCursor());
}

void Form1::markSwatchUnder(double X, double Y) { work.markSwatchUnder(X, Y); }

void Form1::Picture2_MouseMove(int, int, double X, double Y)
{
    try {
        // the hovering hand until the first press: the box starts with an empty custom icon
        if (Picture2.MouseIcon().shape() != Qt::BitmapCursor)
            Picture2.setMouseIcon(st.arrastrando ? grabCursor() : hoverCursor());
        if (!st.listo)
            return;
        if (checkValue(Check1) == 1 && !st.punto_doble && !st.arrastrando) {
            drawMagnifier(Picture2, Picture10, X, Y);
            Picture10.Refresh();
        }
        if (!st.arrastrando)
            markSwatchUnder(X, Y);
        else
            pan(Picture2, st, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture3_MouseDown(int, int, double X, double Y)
{
    if (!st.listo)
        return;
    if (checkValue(Check10) == 0) {
        st.arrastrando = True;
        st.x_arrastre = Single(X);
        st.y_arrastre = Single(Y);
        return;
    }
    pickPersonalThread(X, Y);
}

void Form1::Picture3_MouseMove(int, int, double X, double Y)
{
    try {
        if (!st.listo)
            return;
        if (checkValue(Check10) == 1) {
            Picture10.BackColor = Picture3.Point(X, Y);
            Picture10.Cls();
            Picture10.Refresh();
        }
        if (st.arrastrando)
            pan(Picture3, st, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture3_MouseUp(int, int, double, double)
{
    if (st.listo)
        st.arrastrando = False;
}

void Form1::Picture11_MouseDown(int, int, double X, double Y)
{
    st.arrastrando = True;
    st.x_arrastre = Single(X);
    st.y_arrastre = Single(Y);
}

void Form1::Picture11_MouseMove(int, int, double X, double Y)
{
    try {
        if (st.arrastrando)
            pan(Picture11, st, X, Y);
    } catch (...) {
        setMousePointer(0);
    }
}

void Form1::Picture11_MouseUp(int, int, double, double) { st.arrastrando = False; }
