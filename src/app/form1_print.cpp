#include "app/form1_print.h"

#include "app/form1.h"
#include "app/printer_qt.h"
#include "app/sheet_pages_qt.h"
#include "app/thread_list_dialog.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

namespace {
const QString kTitle = QStringLiteral("Imprimir");

// The printer to use: the default one, else the first installed; null when there is none.
QPrinterInfo installedPrinter()
{
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    if (!def.isNull())
        return def;
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    return all.isEmpty() ? QPrinterInfo() : all.first();
}

// Without a printer the pages can still go to a PDF file, offered in the browser's folder;
// empty when the user declines.
QString askPdfFile(const QString& folder, const QString& name = QStringLiteral("patron.pdf"))
{
    const int answer = dialogs().MsgBox(QStringLiteral("No hay ninguna impresora instalada.\r"
                                                       "¿Desea guardar las páginas en un archivo PDF?"),
        vbYesNo + vbQuestion, kTitle);
    if (answer != vbYes)
        return {};
    return chosenSaveFile(QStringLiteral("Guardar el patrón como PDF"), fileInFolder(folder, name),
        QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral(".pdf"));
}
} // namespace

QString chosenSaveFile(const QString& title, const QString& suggested, const QString& filter, const QString& extension)
{
    QString path = dialogs().SaveFileName(title, suggested, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    path += extension;
    if (QFileInfo::exists(path)
        && dialogs().MsgBox(
               QStringLiteral("El archivo \"%1\" ya existe.\r¿Desea reemplazarlo?").arg(QFileInfo(path).fileName()),
               vbYesNo + vbQuestion, title)
            != vbYes)
        return {};
    return path;
}

void showOutputDone(Form1& f, const QString& what, const QString& where)
{
    const QString path = QDir::toNativeSeparators(where);
    const QFontMetrics metrics(f.Label3->font());
    const int room = std::max(0, f.Label3->width() - metrics.horizontalAdvance(what));
    f.Label3->setText(what + metrics.elidedText(path, Qt::ElideMiddle, room));
    f.Label3->setToolTip(what + path);
    f.Label1->setText(QString());
    f.Label2->setText(QString());
    for (QLabel* l : { f.Label1, f.Label2, f.Label3 })
        l->setVisible(true);
}

bool Form1::patternOrSay(const QString& what)
{
    if (work.hasPattern())
        return true;
    er(QStringLiteral("No hay ningún patrón %1. Pulse \"Punto sencillo\" o \"Punto doble\" para crearlo.").arg(what));
    return false;
}

QString printPattern(Form1& f, QPrinter& printer, bool colour, bool blackWhite)
{
    PageJob job(printer);
    if (!job.begin())
        return job.error();
    walkPages(f, chartPages(f, colour, blackWhite),
        [&job](const SheetPage&, const QImage& page) { return job.addPage(page); });
    f.showSheets();
    job.end();
    return job.error();
}

void printThreadList(Form1& f, const ThreadListDialog& list)
{
    const QPrinterInfo info = installedPrinter();
    const QString pdfFile
        = info.isNull() ? askPdfFile(f.Dir1Path, f.work.patternName() + QStringLiteral("_hilos.pdf")) : QString();
    if (info.isNull() && pdfFile.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!info.isNull())
        printer.setPrinterName(info.printerName());
    preparePrinter(printer, pdfFile);
    PageJob job(printer);
    if (job.begin()) {
        const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
        const int pages = list.printedPages(area, printer.resolution());
        for (int k = 0; k < pages; ++k)
            if (!job.addDrawnPage([&](QPainter& p, const QRectF& printable) {
                    list.drawPrintedPage(p, printable, printer.resolution(), k);
                }))
                break;
        job.end();
    }
    if (!job.error().isEmpty())
        f.er(job.error());
    else if (!pdfFile.isEmpty())
        showOutputDone(f, QStringLiteral("Lista de hilos de %1 páginas guardada en ").arg(job.pages()), pdfFile);
    else
        showOutputDone(f, QStringLiteral("Lista de hilos de %1 páginas enviada a la impresora ").arg(job.pages()),
            info.printerName());
}

void Form1::Command6_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("que imprimir")))
        return;
    setMousePointer(11);
    std::optional<Busy> busy(work);
    // where the pages go comes first: without a printer the user may not want a PDF at all
    const QPrinterInfo info = installedPrinter();
    const QString pdfFile = info.isNull() ? askPdfFile(Dir1Path) : QString();
    QString failure;
    int pages = 0;
    if (!info.isNull() || !pdfFile.isEmpty()) {
        const bool colour
            = dialogs().MsgBox(QStringLiteral("¿Desea imprimir el patrón en colores?"), vbYesNo, kTitle) == vbYes;
        const bool blackWhite
            = dialogs().MsgBox(QStringLiteral("¿Desea imprimir el patrón en blanco y negro?"), vbYesNo, kTitle)
            == vbYes;
        if (colour || blackWhite) {
            QPrinter printer(QPrinter::ScreenResolution);
            if (!info.isNull())
                printer.setPrinterName(info.printerName());
            preparePrinter(printer, pdfFile);
            pages = int(chartPages(*this, colour, blackWhite).size());
            failure = printPattern(*this, printer, colour, blackWhite);
        }
    }
    setMousePointer(0);
    busy.reset();
    if (!failure.isEmpty())
        er(failure);
    else if (pages > 0 && !pdfFile.isEmpty())
        showOutputDone(*this, QStringLiteral("%1 páginas guardadas en ").arg(pages), pdfFile);
    else if (pages > 0)
        showOutputDone(*this, QStringLiteral("%1 páginas enviadas a la impresora ").arg(pages), info.printerName());
}
