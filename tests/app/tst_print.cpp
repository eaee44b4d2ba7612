// "Imprimir": the two questions, the passes and their pages, one PDF job when there is no
// printer, the window afterwards, and a printer that fails.
#include "app/sheet_pages_qt.h"
#include "made_pattern.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QtTest>

namespace {
const QString kColourQuestion = QStringLiteral("¿Desea imprimir el patrón en colores?");
const QString kBlackWhiteQuestion = QStringLiteral("¿Desea imprimir el patrón en blanco y negro?");
const QString kPdfQuestion = QStringLiteral("No hay ninguna impresora instalada.\r"
                                            "¿Desea guardar las páginas en un archivo PDF?");
const QString kPdfCaption = QStringLiteral("Guardar el patrón como PDF");

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // these cases print into PDF files offered when no printer is installed
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: printing here would reach it");
    }

    void passes_data()
    {
        QTest::addColumn<int>("colourAnswer");
        QTest::addColumn<int>("blackWhiteAnswer");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("coloursTicked");
        QTest::newRow("both: two passes of three pages") << vbYes << vbYes << 6 << 0;
        QTest::newRow("colour only: colours stay ticked") << vbYes << vbNo << 3 << 1;
        QTest::newRow("yes only to the second: colours unticked") << vbNo << vbYes << 3 << 0;
    }
    void passes()
    {
        QFETCH(int, colourAnswer);
        QFETCH(int, blackWhiteAnswer);
        QFETCH(int, pages);
        QFETCH(int, coloursTicked);
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(150, 100), 100));
        QCOMPARE(f->HScroll2->maximum(), 3);
        const QString pdf = folder.file(QStringLiteral("patron.pdf"));
        answers.shown.clear();
        answers.msgAnswers = { vbYes, colourAnswer, blackWhiteAnswer };
        answers.fileAnswers = { pdf };
        f->Command6_Click();
        // where the pages go is asked before the colours
        QCOMPARE(answers.prompts(), QStringList({ kPdfQuestion, kPdfCaption, kColourQuestion, kBlackWhiteQuestion }));
        QCOMPARE(answers.countTitled(QStringLiteral("Imprimir")), 3);
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);
        QCOMPARE(pdfPages(pdf), pages);
        QCOMPARE(f->Label3->toolTip(), QStringLiteral("%1 páginas guardadas en %2").arg(pages).arg(pdf));
        // the printing passes hide the progress line; the report shows it again
        QVERIFY(!f->Label3->isHidden());
        QCOMPARE(checkValue(f->Check5), coloursTicked);
        QCOMPARE(checkValue(f->Check4), 1);
        QCOMPARE(checkValue(f->Check6), 1);
        QCOMPARE(f->HScroll2->value(), 3);
        QCOMPARE(f->work.state().listo, True);
        QCOMPARE(f->mousePointer(), 0);
        QCOMPARE(
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), f->work.Picture11.Image());
        QCOMPARE(f->work.Picture11.Image(), freshPage(*f, 3, 1, coloursTicked == 1));
    }

    void noToBothChangesNothing()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(150, 100), 100));
        setCheckValue(f->Check6, 0);
        const QImage shown = f->work.Picture11.Image();
        answers.shown.clear();
        const QString pdf = folder.file(QStringLiteral("patron.pdf"));
        answers.msgAnswers = { vbYes, vbNo, vbNo };
        answers.fileAnswers = { pdf };
        f->Command6_Click();
        QCOMPARE(answers.prompts(), QStringList({ kPdfQuestion, kPdfCaption, kColourQuestion, kBlackWhiteQuestion }));
        QCOMPARE(answers.shown.back().buttons, vbYesNo);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(f->Label3->toolTip().isEmpty());
        QCOMPARE(checkValue(f->Check6), 0);
        QCOMPARE(f->HScroll2->value(), 1);
        QCOMPARE(f->work.Picture11.Image(), shown);
        QCOMPARE(f->work.state().listo, True);
    }

    void declinedPdfPrintsNothing()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(150, 100), 100));
        answers.shown.clear();
        answers.msgAnswers = { vbNo };
        f->Command6_Click();
        // no colour question after the user declined the PDF
        QCOMPARE(answers.prompts(), QStringList({ kPdfQuestion }));
        QCOMPARE(f->HScroll2->value(), 1);
        QCOMPARE(f->work.state().listo, True);
    }

    void failingPrinterLeavesThePattern()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(150, 100), 100));
        QFile plain(folder.file(QStringLiteral("archivo")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QImage shown = f->work.Picture11.Image();
        answers.shown.clear();
        answers.msgAnswers = { vbYes, vbNo, vbYes };
        answers.fileAnswers = { folder.file(QStringLiteral("archivo/sub/patron.pdf")) };
        f->Command6_Click();
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 1);
        QVERIFY(answers.shown.back().prompt.startsWith(QStringLiteral("No se puede imprimir")));
        QCOMPARE(checkValue(f->Check5), 1);
        QCOMPARE(f->HScroll2->value(), 1);
        QCOMPARE(f->work.Picture11.Image(), shown);
        QCOMPARE(f->work.state().listo, True);
        QCOMPARE(f->mousePointer(), 0);
    }

    void withoutAPatternNothingIsAsked()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        f->Command6_Click();
        QCOMPARE(answers.shown.size(), std::size_t(1));
        QVERIFY(answers.shown[0].prompt.startsWith(QStringLiteral("No hay ningún patrón que imprimir")));
        QCOMPARE(answers.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(f->work.state().listo, True);
    }

    void pagesOfAPassOnAThreeByTwoChart()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(300, 200), 225));
        QCOMPARE(f->HScroll2->maximum(), 4);
        QCOMPARE(f->VScroll2->maximum(), 2);
        QStringList seen;
        std::vector<QImage> pictures;
        walkPages(*f, chartPages(*f, false, true), [&](const SheetPage& p, const QImage& picture) {
            seen << QStringLiteral("%1,%2").arg(f->HScroll2->value()).arg(f->VScroll2->value());
            pictures.push_back(picture.convertToFormat(QImage::Format_RGB32));
            return p.colour == false && checkValue(f->Check5) == 0;
        });
        QCOMPARE(seen.join(QLatin1Char(' ')), QStringLiteral("3,1 2,1 1,1 3,2 2,2 1,2 4,2"));
        const int sheets[][2] = { { 3, 1 }, { 2, 1 }, { 1, 1 }, { 3, 2 }, { 2, 2 }, { 1, 2 }, { 4, 2 } };
        for (std::size_t i = 0; i < pictures.size(); ++i)
            QVERIFY2(pictures[i] == freshPage(*f, sheets[i][0], sheets[i][1], false), qPrintable(seen[int(i)]));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
