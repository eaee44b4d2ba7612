// The settings that size the pattern: the colour count, the width and height in stitches (the
// other side follows to keep the picture's proportions), the thread catalogue and the symbol font.
#include "app/form1.h"
#include "render/pattern_settings.h"

namespace {
constexpr int kEnter = 13;

// True when the box holds text the user typed, or any text its spinner did not put there: a value
// the arrows or the wheel set stays as it is when the box is left; only typing is held to limits.
bool typedText(const QLineEdit* text, const QString& spinnerText)
{
    return text->isModified() || text->text() != spinnerText;
}
} // namespace

void Form1::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !work.state().listo)
        return;
    Text1_LostFocus();
    KeyAscii = 0;
}

void Form1::Text1_LostFocus()
{
    if (!work.state().listo || !typedText(Text1, CStr(VScroll1->value())))
        return;
    // a typed "12.6" stays in the box while the count becomes 13
    const QString held = heldColourText(Text1->text());
    Text1->setText(held);
    work.setColourCount(held);
}

void Form1::VScroll1_Change()
{
    if (!work.state().listo)
        return;
    work.setColourCountFromSpinner(VScroll1->value());
}

namespace {
// Holds a typed size to its limits and moves the matching spinner, whose own handler resizes
// the frame when its value changes. It leaves the flag to that handler.
void applyStitchText(QLineEdit* text, QScrollBar* spinner)
{
    if (!typedText(text, stitchText(spinner->value())))
        return;
    text->setText(heldStitchText(text->text()));
    spinner->setValue(CInt(Val(text->text()) * 3));
}
} // namespace

void Form1::Text4_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !work.state().listo)
        return;
    applyStitchText(Text4, VScroll4);
    KeyAscii = 0;
}

void Form1::Text4_LostFocus()
{
    if (work.state().listo)
        applyStitchText(Text4, VScroll4);
}

void Form1::Text5_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEnter || !work.state().listo)
        return;
    applyStitchText(Text5, VScroll5);
    KeyAscii = 0;
}

void Form1::Text5_LostFocus()
{
    if (work.state().listo)
        applyStitchText(Text5, VScroll5);
}

void Form1::VScroll4_Change()
{
    if (!work.state().listo)
        return;
    Busy busy(work);
    work.setFrameSide(true, VScroll4->value());
    VScroll4->setValue(work.settings().frameWidth);
    Text4->setText(stitchText(work.settings().frameWidth));
    VScroll5->setValue(work.settings().frameHeight);
    Text5->setText(stitchText(VScroll5->value()));
}

void Form1::VScroll5_Change()
{
    if (!work.state().listo)
        return;
    Busy busy(work);
    work.setFrameSide(false, VScroll5->value());
    VScroll5->setValue(work.settings().frameHeight);
    Text5->setText(stitchText(work.settings().frameHeight));
    VScroll4->setValue(work.settings().frameWidth);
    Text4->setText(stitchText(VScroll4->value()));
}

void Form1::Option1_Click(int Index)
{
    focusSink();
    if (Index < 0 || Index > 4)
        return;
    // the personal catalogue lets the user pick colours from the picture into it
    setCheckValue(Check10, Index == 4 ? 1 : 0);
    work.chooseCatalogue(Index + 1);
    showCatalogueList();
}

void Form1::Combo1_Click()
{
    if (!work.state().listo)
        return;
    Busy busy(work);
    work.setChartOptions(chartOptionsShown());
    patron();
}

void Form1::Check9_Click() { work.setVariant(checkValue(Check9) != 0); }
