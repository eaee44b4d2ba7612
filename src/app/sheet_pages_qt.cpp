#include "app/sheet_pages_qt.h"

#include "app/form1.h"

#include <QClipboard>
#include <QGuiApplication>

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
    return f.work.walkPages(
        pages,
        [&f, &sink](const SheetPage& page, const QImage& picture) {
            f.showSheets();
            return sink(page, picture);
        },
        throughClipboard);
}

std::vector<SheetPage> chartPages(Form1& f, bool colour, bool blackWhite)
{
    return f.work.chartPages(colour, blackWhite);
}
