// "Opciones de color" from the pattern panel: the options kept for the next pattern, the clean-up
// applied to the pattern on show as one step "Deshacer cambio" takes back, and the quality report
// opened from the options.
#include "app/colour_options_dialog.h"
#include "app/quality_report_dialog.h"
#include "window_support.h"
#include "work_loader.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {
// Calls `answer` with the next modal dialog of type T as soon as it shows; rejects any other.
template <class T, class F> void answerNextModal(F answer)
{
    auto* t = new QTimer;
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, [t, answer, left = 500]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* d = qobject_cast<T*>(w)) {
            t->stop();
            t->deleteLater();
            answer(d);
        } else if (--left == 0) {
            t->stop();
            t->deleteLater();
            if (auto* other = qobject_cast<QDialog*>(w))
                other->reject();
        }
    });
    t->start();
}
} // namespace

class TestColourWindow : public QObject {
    Q_OBJECT
private slots:
    void applyToThePatternThenUndo();
    void progressLineTellsTheOptions();
};

void TestColourWindow::applyToThePatternThenUndo()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->work.Picture3.setPicture(gradientPicture(180, 120));
    f->Command1_Click();
    const StitchGrid before = f->work.state().puntos;
    const Long colours = f->work.state().num_colores;
    int reportRows = 0;
    answerNextModal<ColourOptionsDialog>([&reportRows](ColourOptionsDialog* o) {
        o->mergeRare->setChecked(true);
        o->mergeBelow->setValue(100);
        o->applyNow->setChecked(true);
        answerNextModal<QualityReportDialog>([&reportRows, o](QualityReportDialog* r) {
            reportRows = r->table()->rowCount();
            r->reject();
            answerNextModal<ColourOptionsDialog>([](ColourOptionsDialog* same) { same->accept(); });
        });
        o->report->click();
    });
    f->colourOptionsButton->click();
    QCOMPARE(reportRows, int(colours));
    QVERIFY(f->work.settings().colourOptions.mergeRare);
    QVERIFY(f->work.state().num_colores < colours);
    QCOMPARE(f->Text1->text(), QString::number(f->work.state().num_colores));
    QVERIFY(!(f->work.state().puntos == before));
    QVERIFY(f->Command4->isEnabled());
    f->Command4->click();
    QVERIFY(f->work.state().puntos == before);
    QCOMPARE(f->work.state().num_colores, colours);
    QCOMPARE(d.countTitled(QStringLiteral("Error")), 0);
}

void TestColourWindow::progressLineTellsTheOptions()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->work.Picture3.setPicture(gradientPicture(180, 120));
    f->Command1_Click();
    QCOMPARE(f->Label3->text(), QString());
    loadSettings(f->work).colourOptions.faithful = true;
    f->Text1->setText(QStringLiteral("12"));
    f->Text1_LostFocus();
    f->Command5_Click();
    QCOMPARE(f->work.state().paletteSize(), 12);
    QCOMPARE(f->Label3->text(), QStringLiteral("Colores fieles; 12 hilos"));
    QCOMPARE(f->Text1->text(), QStringLiteral("12"));
}

QTEST_MAIN(TestColourWindow)
#include "tst_colour_window.moc"
