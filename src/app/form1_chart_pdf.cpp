// "Lista de hilos" and "Exportar PDF": what the stitcher takes away from the pattern on show.
#include "app/chart_pdf_dialog.h"
#include "app/form1.h"
#include "app/form1_print.h"
#include "app/thread_list_dialog.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

// "Guardar CSV…": the same file as the batch command's --threads-csv for that fabric and strands.
namespace {
void saveThreadsCsv(Form1& f, const ThreadListDialog& list)
{
    const QString file = chosenSaveFile(QStringLiteral("Guardar la lista de hilos"),
        fileInFolder(f.Dir1Path, f.work.patternName() + QStringLiteral("_hilos.csv")),
        QStringLiteral("Archivos CSV (*.csv)"), QStringLiteral(".csv"));
    if (file.isEmpty())
        return;
    const QString failure = f.work.exportThreadsCsv(file, list.amountOptions());
    if (!failure.isEmpty())
        f.er(failure);
    else
        showOutputDone(f, QStringLiteral("Lista de hilos guardada en "), file);
}
} // namespace

void Form1::threadListButton_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("del que listar los hilos")))
        return;
    ThreadListDialog list(work.threadList(), this);
    list.setFabric(work.settings().fabric);
    list.setStrands(work.settings().strands);
    list.offerOutputs([this, &list] { saveThreadsCsv(*this, list); }, [this, &list] { printThreadList(*this, list); });
    list.exec();
    work.setAmounts(list.fabric(), list.strands());
}

void Form1::chartPdfButton_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("que exportar")))
        return;
    // what the amounts are for and how the chart is laid out, as last chosen
    PdfChoices choices = rememberedPdfChoices();
    if (!dialogs().PdfOptions(choices))
        return;
    rememberPdfChoices(choices);
    const QString file = chosenSaveFile(QStringLiteral("Exportar el patrón en PDF"),
        fileInFolder(Dir1Path, fileNameOfTitle(work.patternName()) + QStringLiteral(".pdf")),
        QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (file.isEmpty())
        return;
    const ChartPdfOptions options = chartPdfOptions(choices);
    setMousePointer(11);
    QString failure;
    {
        Busy busy(work);
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
