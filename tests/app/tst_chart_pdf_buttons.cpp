// "Lista de hilos" and "Exportar PDF" in the window: what they take from the pattern on show,
// what they say, and that nothing on show changes.
#include "../output/made_pattern.h"
#include "app/thread_list_dialog.h"
#include "output/chart_pdf.h"
#include "output/thread_amounts.h"

#include <QTableWidget>
#include <QTimer>
#include <QtTest>

class TestChartPdfButtons : public QObject {
    Q_OBJECT
private slots:
    void withoutPatternSaySo();
    void exportLeavesTheWindowAsItWas();
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
    const QImage chart = f->Picture11.Image(), embroidery = f->Picture2.Image();
    const QString pdf = folder.file(QStringLiteral("patron.pdf"));
    answers.fileAnswers = { pdf, folder.file(QStringLiteral("no_hay/patron.pdf")) };
    f->chartPdfButton->click();
    QCOMPARE(answers.suggestedFiles.first(), folder.file(QStringLiteral("dibujo.pdf")));
    ChartPdfOptions options;
    options.paper = paperOfLocale(QLocale::system());
    const int pages = chartPdfLayout(f->work.threadList(), options).totalPages();
    QCOMPARE(pdfPages(pdf), pages);
    const QString done = f->Label3->toolTip();
    QCOMPARE(done, QStringLiteral("PDF de %1 hojas guardado en %2").arg(pages).arg(pdf));

    // a file that cannot be written: the message, and the last report stays
    f->chartPdfButton->click();
    QCOMPARE(answers.countTitled(QStringLiteral("Error")), 1);
    QCOMPARE(f->Label3->toolTip(), done);
    QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("no_hay"))));
    QCOMPARE(f->Picture11.Image(), chart);
    QCOMPARE(f->Picture2.Image(), embroidery);
    QCOMPARE(f->st.listo, True);
}

void TestChartPdfButtons::threadListOfThePatternOnShow()
{
    ScriptedDialogs answers;
    WorkFolder folder;
    auto f = startedForm();
    QVERIFY(makePattern(*f, folder, bandsPicture(120, 90), 60));
    const std::vector<ThreadAmount> threads = threadAmounts(f->work.threadList(), {});
    QStringList listed;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto* d = qobject_cast<ThreadListDialog*>(QApplication::activeModalWidget())) {
            for (int r = 0; r < d->table()->rowCount(); ++r)
                listed << d->table()->item(r, 0)->text() + d->table()->item(r, 2)->text();
            d->setFabric(2);
            d->setStrands(3);
            d->reject();
        }
    });
    poll.start();
    f->threadListButton->click();
    poll.stop();
    QCOMPARE(listed.size(), int(threads.size()));
    QVERIFY(!threads.empty());
    QCOMPARE(listed.first(), threads.front().symbol + threads.front().code);
    // "Exportar PDF" then counts for the fabric and strands chosen here
    QCOMPARE(f->work.settings.fabric, 2);
    QCOMPARE(f->work.settings.strands, 3);
}

QTEST_MAIN(TestChartPdfButtons)
#include "tst_chart_pdf_buttons.moc"
