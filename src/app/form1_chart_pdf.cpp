// "Lista de hilos" and "Exportar PDF": what the stitcher takes away from the pattern on show.
#include "app/form1.h"
#include "app/form1_print.h"
#include "app/thread_list_dialog.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

void Form1::threadListButton_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("del que listar los hilos")))
        return;
    ThreadListDialog list(work.threadList(), this);
    list.setFabric(work.settings.fabric);
    list.setStrands(work.settings.strands);
    list.exec();
    // the PDF's amounts are for the fabric and strands last chosen here
    work.settings.fabric = list.fabric();
    work.settings.strands = list.strands();
}

void Form1::chartPdfButton_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("que exportar")))
        return;
    const QString file = chosenSaveFile(QStringLiteral("Exportar el patrón en PDF"),
        fileInFolder(Dir1Path, fileNameOfTitle(work.patternName()) + QStringLiteral(".pdf")),
        QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (file.isEmpty())
        return;
    ChartPdfOptions options;
    options.paper = paperOfLocale(QLocale::system());
    options.stitchesPerInch = fabrics()[std::size_t(work.settings.fabric)].stitchesPerInch;
    options.strands = work.settings.strands;
    setMousePointer(11);
    QString failure;
    {
        Busy busy(st);
        failure = work.exportChartPdf(file, options);
    }
    setMousePointer(0);
    if (!failure.isEmpty()) {
        er(failure);
        return;
    }
    const int pages = chartPdfLayout(work.threadList(), options).totalPages();
    showOutputDone(*this, QStringLiteral("PDF de %1 hojas guardado en ").arg(pages), file);
}
