// "Lista de hilos" and "Exportar PDF" in the window: what they take from the pattern on show,
// what they say, and that nothing on show changes.
#include "app/chart_pdf_dialog.h"
#include "app/thread_list_dialog.h"
#include "made_pattern.h"
#include "output/chart_pdf.h"
#include "output/thread_amounts.h"

#include <QProcess>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

class TestChartPdfButtons : public QObject {
    Q_OBJECT
private slots:
    void withoutPatternSaySo();
    void exportLeavesTheWindowAsItWas();
    void exportAsksAndRemembers();
    void threadListOfThePatternOnShow();
};

void TestChartPdfButtons::withoutPatternSaySo()
{
    ScriptedDialogs answers;
    WorkFolder folder;
    auto f = startedForm();
    const int before = int(answers.shown.size());
    f->threadListButton->click();
    f->chartPdfButton->click();
    const QStringList shown = answers.prompts().mid(before);
    QCOMPARE(shown.size(), 2);
    for (const QString& s : shown)
        QVERIFY2(s.startsWith(QStringLiteral("No hay ningún patrón")), qPrintable(s));
    QCOMPARE(answers.countTitled(QStringLiteral("Error")), 2);
}

void TestChartPdfButtons::exportLeavesTheWindowAsItWas()
{
    ScriptedDialogs answers;
    WorkFolder folder;
    auto f = startedForm();
    QVERIFY(makePattern(*f, folder, bandsPicture(120, 90), 60));
    const QImage chart = f->work.Picture11.Image(), embroidery = f->work.Picture2.Image();
    const QString pdf = folder.file(QStringLiteral("patron.pdf"));
    answers.fileAnswers = { pdf, folder.file(QStringLiteral("no_hay/patron.pdf")) };
    const int pages = chartPdfLayout(f->work.threadList(), chartPdfOptions(rememberedPdfChoices())).totalPages();
    f->chartPdfButton->click();
    QCOMPARE(answers.suggestedFiles.first(), folder.file(QStringLiteral("dibujo.pdf")));
    QCOMPARE(pdfPages(pdf), pages);
    const QString done = f->Label3->toolTip();
    QCOMPARE(done, QStringLiteral("PDF de %1 hojas guardado en %2").arg(pages).arg(pdf));

    // a file that cannot be written: the message, and the last report stays
    f->chartPdfButton->click();
    QCOMPARE(answers.countTitled(QStringLiteral("Error")), 1);
    QCOMPARE(f->Label3->toolTip(), done);
    QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("no_hay"))));
    QCOMPARE(f->work.Picture11.Image(), chart);
    QCOMPARE(f->work.Picture2.Image(), embroidery);
    QCOMPARE(f->work.state().listo, True);
}

// "Exportar PDF" asks first, offering the last choices; the document says what it counts for.
void TestChartPdfButtons::exportAsksAndRemembers()
{
    ScriptedDialogs answers;
    WorkFolder folder;
    auto f = startedForm();
    QVERIFY(makePattern(*f, folder, bandsPicture(120, 90), 60));
    PdfChoices chosen;
    chosen.fabric = 3; // Aida 18
    chosen.strands = 3;
    chosen.cellMm = 3;
    chosen.overlap = 2;
    chosen.symbolsOnly = true;
    const QString pdf = folder.file(QStringLiteral("patron.pdf"));
    answers.pdfAnswers = { chosen, std::nullopt };
    answers.fileAnswers = { pdf };
    f->chartPdfButton->click();
    const int pages = chartPdfLayout(f->work.threadList(), chartPdfOptions(chosen)).totalPages();
    QCOMPARE(pdfPages(pdf), pages);
    for (int page : { 1, pages }) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), { "-f", QString::number(page), "-l", QString::number(page), pdf, "-" });
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(QStringLiteral("Aida 18, 3 hebras")), qPrintable(out));
    }
    // the next export offers the same; cancelled, no file is asked for
    f->chartPdfButton->click();
    QCOMPARE(int(answers.pdfOffered.size()), 2);
    const PdfChoices& offered = answers.pdfOffered[1];
    QCOMPARE(offered.fabric, 3);
    QCOMPARE(offered.strands, 3);
    QCOMPARE(offered.cellMm, 3.0);
    QCOMPARE(offered.overlap, 2);
    QCOMPARE(offered.symbolsOnly, true);
    QCOMPARE(answers.suggestedFiles.size(), 1);
}

void TestChartPdfButtons::threadListOfThePatternOnShow()
{
    ScriptedDialogs answers;
    WorkFolder folder;
    auto f = startedForm();
    QVERIFY(makePattern(*f, folder, bandsPicture(120, 90), 60));
    const std::vector<ThreadAmount> threads = threadAmounts(f->work.threadList(), {});
    // "Imprimir…" without a printer: yes to a PDF, and its file
    const QString printed = folder.file(QStringLiteral("hilos.pdf"));
    answers.msgAnswers = { vbYes };
    answers.fileAnswers = { printed };
    QStringList listed;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto* d = qobject_cast<ThreadListDialog*>(QApplication::activeModalWidget())) {
            for (int r = 0; r < d->table()->rowCount(); ++r)
                listed << d->table()->item(r, 0)->text() + d->table()->item(r, 2)->text();
            d->setFabric(2);
            d->setStrands(3);
            d->printClick();
            d->reject();
        }
    });
    poll.start();
    f->threadListButton->click();
    poll.stop();
    QCOMPARE(listed.size(), int(threads.size()));
    QVERIFY(!threads.empty());
    QCOMPARE(listed.first(), threads.front().symbol + threads.front().code);
    // the list opens next time on the fabric and strands chosen here
    QCOMPARE(f->work.settings().fabric, 2);
    QCOMPARE(f->work.settings().strands, 3);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { "-layout", printed, "-" });
    QVERIFY(text.waitForFinished());
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("Tela: Aida 16; 3 hebras")), qPrintable(out));
    for (const ThreadAmount& t : threads)
        QVERIFY2(out.contains(t.code), qPrintable(t.code));
    QVERIFY(out.simplified().contains(QStringLiteral("8 m de seis hebras")));
    if (!qEnvironmentVariableIsEmpty("PUNTELA_SHOT"))
        QFile::copy(printed, qEnvironmentVariable("PUNTELA_SHOT"));
}

QTEST_MAIN(TestChartPdfButtons)
#include "tst_chart_pdf_buttons.moc"
