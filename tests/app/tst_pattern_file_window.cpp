// Pattern files in the window: "Guardar patrón" through the save question, the browser listing
// the file, a click that reads nothing and a double-click that opens the pattern.
#include "made_pattern.h"

#include <QtTest>

class TestPatternFileWindow : public QObject {
    Q_OBJECT
private slots:
    void saveThenOpenFromTheBrowser()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(120, 80), 40));
        const Pattern saved = f->work.pattern();

        // a name typed without its extension gets ".oxs"
        answers.fileAnswers = { folder.file(QStringLiteral("rosa")) };
        f->savePatternClicked();
        QCOMPARE(answers.suggestedFiles, QStringList { folder.file(QStringLiteral("dibujo.oxs")) });
        QVERIFY(QFileInfo(folder.file(QStringLiteral("rosa.oxs"))).size() > 0);
        QVERIFY(f->Label3->toolTip().startsWith(QStringLiteral("Patrón guardado en ")));
        // that file again: replaced only after a yes
        answers.fileAnswers = { folder.file(QStringLiteral("rosa")) };
        answers.msgAnswers = { vbNo };
        f->savePatternClicked();
        QVERIFY(answers.prompts().last().contains(QStringLiteral("ya existe")));
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);

        // another pattern on show, then the saved one opened from the file list
        f->Text4->setText(QStringLiteral("20"));
        int key = 13;
        f->Text4_KeyPress(key);
        f->Command1_Click();
        QCOMPARE(int(f->work.state().ancho_puntos), 20);
        const QString previewed = f->work.Image1.Path;
        const QList<QListWidgetItem*> items = f->File1->findItems(QStringLiteral("rosa.oxs"), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        f->File1->setCurrentItem(items.first());
        QCOMPARE(f->work.Image1.Path, previewed); // a click decodes nothing
        f->File1_DblClick();
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);
        QCOMPARE(int(f->work.state().ancho_puntos), 40);
        QCOMPARE(f->work.pattern().cells, saved.cells);
        QCOMPARE(f->Text4->text(), QStringLiteral("40"));
        QVERIFY(f->windowTitle().endsWith(QStringLiteral("rosa.oxs")));
        QVERIFY(!f->Command4->isEnabled());
        QCOMPARE(f->work.state().listo, True);
    }
};

QTEST_MAIN(TestPatternFileWindow)
#include "tst_pattern_file_window.moc"
