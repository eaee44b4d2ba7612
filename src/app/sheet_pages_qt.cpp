#include "app/sheet_pages_qt.h"

#include "app/form1.h"

#include <QClipboard>
#include <QGuiApplication>

void setPassOptions(Form1& f, bool colour)
{
    f.st.listo = False;
    setCheckValue(f.Check6, 1);
    setCheckValue(f.Check4, 1);
    f.st.listo = True;
    setCheckValue(f.Check5, colour ? 1 : 0);
}

void drawPage(Form1& f, const SheetPage& page)
{
    const int H = page.key ? f.HScroll2->maximum() : page.H;
    const bool moves = f.VScroll2->value() != page.V || f.HScroll2->value() != H;
    f.VScroll2->setValue(page.V);
    f.HScroll2->setValue(H);
    // the last change event drew the page with both selectors in place; without one, draw it here
    if (!moves)
        f.patron1();
}

QImage throughClipboard(const QImage& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(picture);
    const QImage back = clipboard->image();
    return back.isNull() ? picture : back;
}

bool walkPages(
    Form1& f, const std::vector<SheetPage>& pages, const std::function<bool(const SheetPage&, const QImage&)>& sink)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const SheetPage& page = pages[i];
        if (i == 0 || pages[i - 1].colour != page.colour || pages[i - 1].key)
            setPassOptions(f, page.colour);
        drawPage(f, page);
        if (!sink(page, throughClipboard(f.Picture11.Image())))
            return false;
    }
    return true;
}

std::vector<SheetPage> chartPages(const Form1& f, bool colour, bool blackWhite)
{
    return commandPages(sheetsAcross(f.HScroll2->maximum()), sheetsDown(f.VScroll2->maximum()), colour, blackWhite);
}
