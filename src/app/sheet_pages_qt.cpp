#include "app/sheet_pages_qt.h"

#include "app/form1.h"

bool walkPages(
    Form1& f, const std::vector<SheetPage>& pages, const std::function<bool(const SheetPage&, const QImage&)>& sink)
{
    f.readControls();
    return f.work.walkPages(pages, [&f, &sink](const SheetPage& page, const QImage& picture) {
        f.showSheets();
        return sink(page, picture);
    });
}

std::vector<SheetPage> chartPages(Form1& f, bool colour, bool blackWhite)
{
    f.readControls();
    return f.work.chartPages(colour, blackWhite);
}
