#include "app/form1_print.h"

#include "app/form1.h"
#include "app/printer_qt.h"
#include "app/sheet_pages_qt.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

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
QString askPdfFile(const QString& folder)
{
    const int answer = dialogs().MsgBox(QStringLiteral("No hay ninguna impresora instalada.\r"
                                                       "¿Desea guardar las páginas en un archivo PDF?"),
        vbYesNo + vbQuestion, kTitle);
    if (answer != vbYes)
        return {};
    return dialogs().SaveFileName(QStringLiteral("Guardar el patrón como PDF"),
        fileInFolder(folder, QStringLiteral("patron.pdf")), QStringLiteral("Documentos PDF (*.pdf)"));
}
} // namespace

bool hasPattern(const Form1& f) { return f.work.hasPattern(); }

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

void Form1::Command6_Click()
{
    focusSink();
    setMousePointer(11);
    std::optional<Busy> busy(st);
    const bool colour
        = dialogs().MsgBox(QStringLiteral("¿Desea imprimir el patrón en colores?"), vbYesNo, kTitle) == vbYes;
    const bool blackWhite
        = dialogs().MsgBox(QStringLiteral("¿Desea imprimir el patrón en blanco y negro?"), vbYesNo, kTitle) == vbYes;
    QString failure;
    if ((colour || blackWhite) && !hasPattern(*this)) {
        failure = QStringLiteral("No hay ningún patrón que imprimir. Pulse \"Punto sencillo\" o \"Punto doble\" "
                                 "para crearlo.");
    } else if (colour || blackWhite) {
        const QPrinterInfo info = installedPrinter();
        QPrinter printer(QPrinter::ScreenResolution);
        QString pdfFile;
        if (info.isNull())
            pdfFile = askPdfFile(Dir1Path);
        if (!info.isNull() || !pdfFile.isEmpty()) {
            if (!info.isNull())
                printer.setPrinterName(info.printerName());
            preparePrinter(printer, pdfFile);
            failure = printPattern(*this, printer, colour, blackWhite);
        }
    }
    setMousePointer(0);
    busy.reset();
    if (!failure.isEmpty())
        er(failure);
}
