// The chart in the window: the first sheet with the selectors and the strip symbols, any other
// sheet or the key on demand, and the two sheet selectors.
#include "app/form1.h"

void Form1::patron()
{
    readControls();
    work.patron();
}

void Form1::patron1()
{
    readControls();
    work.patron1();
}

void Form1::HScroll2_Change()
{
    if (st.listo)
        patron1();
}

void Form1::VScroll2_Change()
{
    if (st.listo)
        patron1();
}
