// The settings that size the pattern: the colour count, the width and height in stitches (the
// other side follows to keep the picture's proportions), the thread catalogue and the symbol font.
#include "app/form1.h"
#include "render/pattern_settings.h"

namespace {
constexpr int kEnter = 13;
}

void Form1::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !st.listo)
        return;
    Text1_LostFocus();
    KeyAscii = 0;
}

void Form1::Text1_LostFocus()
{
    if (!st.listo)
        return;
    st.listo = False;
    Text1->setText(heldColourText(Text1->text()));
    // the spinner's own handler finds the flag cleared, so a typed "12.6" stays in the box
    VScroll1->setValue(CInt(Val(Text1->text())));
    st.num_colores = VScroll1->value();
    st.listo = True;
}

void Form1::VScroll1_Change()
{
    if (!st.listo)
        return;
    st.listo = False;
    Text1->setText(CStr(VScroll1->value()));
    st.num_colores = VScroll1->value();
    st.listo = True;
}

namespace {
// Holds a typed size to its limits and moves the matching spinner, whose own handler resizes
// the frame when its value changes. It leaves the flag to that handler.
void applyStitchText(QLineEdit* text, QScrollBar* spinner)
{
    text->setText(heldStitchText(text->text()));
    spinner->setValue(CInt(Val(text->text()) * 3));
}
} // namespace

void Form1::Text4_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !st.listo)
        return;
    applyStitchText(Text4, VScroll4);
    KeyAscii = 0;
}

void Form1::Text4_LostFocus()
{
    if (st.listo)
        applyStitchText(Text4, VScroll4);
}

void Form1::Text5_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !st.listo)
        return;
    applyStitchText(Text5, VScroll5);
    KeyAscii = 0;
}

void Form1::Text5_LostFocus()
{
    if (st.listo)
        applyStitchText(Text5, VScroll5);
}

void Form1::VScroll4_Change()
{
    if (!st.listo)
        return;
    st.listo = False;
    const int v = VScroll4->value();
    Picture2.Cls();
    Picture2.setWidth(v + 4);
    const Single W = Single(Picture3.ScaleWidth()), H = Single(Picture3.ScaleHeight());
    Picture2.setHeight(followingSide(v, W, H, kMaxFrameHeight) + 4);
    Text4->setText(stitchText(v));
    VScroll5->setValue(int(Picture2.ScaleHeight()));
    Text5->setText(stitchText(VScroll5->value()));
    Picture2.move(centredPosition(Picture2.Width()), centredPosition(Picture2.Height()));
    st.listo = True;
}

void Form1::VScroll5_Change()
{
    if (!st.listo)
        return;
    st.listo = False;
    const int v = VScroll5->value();
    Picture2.Cls();
    Picture2.setHeight(v + 4);
    const Single W = Single(Picture3.ScaleWidth()), H = Single(Picture3.ScaleHeight());
    Picture2.setWidth(followingSide(v, H, W, kMaxFrameWidth) + 4);
    Text5->setText(stitchText(v));
    VScroll4->setValue(int(Picture2.ScaleWidth()));
    Text4->setText(stitchText(VScroll4->value()));
    Picture2.move(centredPosition(Picture2.Width()), centredPosition(Picture2.Height()));
    st.listo = True;
}

void Form1::Option1_Click(int Index)
{
    focusSink();
    if (Index < 0 || Index > 4)
        return;
    if (Index < 4) {
        static const char* const threads[4] = { "57", "112", "248", "426" };
        setCheckValue(Check10, 0);
        Text1->setText(QLatin1String(threads[Index]));
        VScroll1->setValue(CInt(Val(Text1->text())));
        st.num_colores = VScroll1->value();
        paleta(Integer(Index + 1));
        return;
    }
    // the personal catalogue: the user may now pick colours from the picture into it
    setCheckValue(Check10, 1);
    paleta(5);
    countFromCatalogueList();
}

// The colour count follows the number of threads in the catalogue list, at least 3.
void Form1::countFromCatalogueList()
{
    Text1->setText(CStr(ListView1->count()));
    if (Val(Text1->text()) < 3)
        Text1->setText(QStringLiteral("3"));
    VScroll1->setValue(CInt(Val(Text1->text())));
    st.num_colores = VScroll1->value();
}

void Form1::Combo1_Click()
{
    if (!st.listo)
        return;
    st.listo = False;
    patron();
    st.listo = True;
}
