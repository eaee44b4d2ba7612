// The chart in the window: the first sheet with the selectors and the strip symbols, any other
// sheet or the key on demand, and the two sheet selectors.
#include "app/form1.h"

void Form1::patron() { work.patron(); }

void Form1::patron1()
{
    work.setSheet(HScroll2->value(), VScroll2->value());
    work.patron1();
}

void Form1::HScroll2_Change()
{
    if (work.state().listo)
        patron1();
}

void Form1::VScroll2_Change()
{
    if (work.state().listo)
        patron1();
}
