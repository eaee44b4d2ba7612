// The pattern settings as the user meets them: typing the colour count and the size, the
// spinners, the other side following, the catalogue options and the busy flag.
#include "window_support.h"
#include "work_loader.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {
// Types a text into a box as the user would, then presses Enter.
void typeAndEnter(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The spinner of that name, and the box it sets.
QScrollBar* spinnerNamed(Form1& f, const QString& name)
{
    return name == QLatin1String("VScroll1") ? f.VScroll1 : name == QLatin1String("VScroll4") ? f.VScroll4 : f.VScroll5;
}
QLineEdit* boxOf(Form1& f, const QScrollBar* spinner)
{
    return spinner == f.VScroll1 ? f.Text1 : spinner == f.VScroll4 ? f.Text4 : f.Text5;
}

// Puts a loaded picture of the given size into the working picture.
void loadPicture(Form1& f, int w, int h) { f.work.Picture3.setPicture(gradientPicture(w, h)); }

void writePersonal(int threads)
{
    QFile file(QStringLiteral("personal.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < threads; ++i)
        file.write(QStringLiteral("%1,%2,0,0\n").arg(700 + i).arg(i).toLatin1());
}

bool allOneColour(const Surface& s, Long colour)
{
    for (int y = 0; y < s.pixelHeight(); ++y)
        for (int x = 0; x < s.pixelWidth(); ++x)
            if (s.pixel(x, y) != colour)
                return false;
    return true;
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void colourCountTyped_data();
    void colourCountTyped();
    void colourCountOnLeavingTheBox();
    void enterIsSwallowedOtherKeysTyped();
    void colourSpinner();
    void widthTyped_data();
    void widthTyped();
    void heightTypedWidthFollows();
    void sizeTextHandlersLeaveTheFlagSet();
    void widthSpinnerOnA400By300Picture();
    void heightSpinnerOnA400By300Picture();
    void resizeClearsTheEmbroidery();
    void spinnersBeforeAnyPictureFollowOneToOne();
    void spinnersStopAtTheLargestPattern();
    void followingSideKeptWithinItsCap();
    void upArrowCountsUp_data();
    void upArrowCountsUp();
    void spunValueSurvivesLeavingTheBox_data();
    void spunValueSurvivesLeavingTheBox();
    void nestedEventsDoNothingWhileBusy();
    void catalogueOptions_data();
    void catalogueOptions();
    void personalCatalogueAtLeastThree_data();
    void personalCatalogueAtLeastThree();
    void catalogueOptionWhileBusyLoadsNothing();
    void symbolFontChangeIsGuarded();
};

void TestSettings::colourCountTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("colours");
    QTest::newRow("5 gives 7") << "5"
                               << "7" << 7;
    QTest::newRow("1500 gives 999") << "1500"
                                    << "999" << 999;
    QTest::newRow("12.6 stays, 13 colours") << "12.6"
                                            << "12.6" << 13;
    QTest::newRow("12.5 stays, 12 colours (halves to even)") << "12.5"
                                                             << "12.5" << 12;
    QTest::newRow("13.5 stays, 14 colours") << "13.5"
                                            << "13.5" << 14;
    QTest::newRow("not a number gives 7") << "abc"
                                          << "7" << 7;
    QTest::newRow("300 stays") << "300"
                               << "300" << 300;
}

void TestSettings::colourCountTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, colours);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    typeAndEnter(f->Text1, typed);
    QCOMPARE(f->Text1->text(), shown);
    QCOMPARE(f->work.state().num_colores, Long(colours));
    QCOMPARE(f->VScroll1->value(), colours);
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::colourCountOnLeavingTheBox()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->Text1->setText(QStringLiteral("3"));
    f->Text1_LostFocus();
    QCOMPARE(f->Text1->text(), QStringLiteral("7"));
    QCOMPARE(f->work.state().num_colores, Long(7));
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::enterIsSwallowedOtherKeysTyped()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    for (QLineEdit* box : { f->Text1, f->Text4, f->Text5 }) {
        QSignalSpy entered(box, &QLineEdit::returnPressed);
        typeAndEnter(box, QStringLiteral("50"));
        QCOMPARE(entered.count(), 0);
    }
    int key = 13;
    f->Text1_KeyPress(key);
    QCOMPARE(key, 0);
    key = 13;
    f->Text4_KeyPress(key);
    QCOMPARE(key, 0);
    key = 13;
    f->Text5_KeyPress(key);
    QCOMPARE(key, 0);
    // any other key is typed and does nothing else
    f->Text1->setText(QStringLiteral("2"));
    key = '5';
    f->Text1_KeyPress(key);
    QCOMPARE(key, int('5'));
    QCOMPARE(f->Text1->text(), QStringLiteral("2"));
    QCOMPARE(f->work.state().num_colores, Long(50));
}

void TestSettings::colourSpinner()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->VScroll1->setValue(60);
    QCOMPARE(f->Text1->text(), QStringLiteral("60"));
    QCOMPARE(f->work.state().num_colores, Long(60));
    // the spinner is held only to its own range
    f->VScroll1->setValue(3);
    QCOMPARE(f->Text1->text(), QStringLiteral("3"));
    QCOMPARE(f->work.state().num_colores, Long(3));
    f->VScroll1->setValue(5000);
    QCOMPARE(f->Text1->text(), QStringLiteral("999"));
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::widthTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("120 gives 100: 300 wide") << "120"
                                             << "100" << 300 << 225;
    QTest::newRow("2 gives 4: 12 wide") << "2"
                                        << "4" << 12 << 9;
    QTest::newRow("12.7 gives 12: 36 wide") << "12.7"
                                            << "12" << 36 << 27;
    QTest::newRow("50: 150 wide") << "50"
                                  << "50" << 150 << 111;
}

void TestSettings::widthTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, width);
    QFETCH(int, height);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    f->VScroll4->setValue(99); // away from the start, so every row changes the spinner
    typeAndEnter(f->Text4, typed);
    QCOMPARE(f->Text4->text(), shown);
    QCOMPARE(f->VScroll4->value(), width);
    QCOMPARE(f->work.Picture2.Width(), width + 4);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), width);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), height);
    QCOMPARE(f->VScroll5->value(), height);
    QCOMPARE(f->Text5->text(), QString::number(height / 3));
    QCOMPARE(f->work.Picture2.Left(), 150 - (width + 4) / 2);
}

void TestSettings::heightTypedWidthFollows()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    typeAndEnter(f->Text5, QStringLiteral("50"));
    QCOMPARE(f->Text5->text(), QStringLiteral("50"));
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 150);
    // q = Fix(150 * 400 / 300) = 200, down to 198
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 198);
    QCOMPARE(f->VScroll4->value(), 198);
    QCOMPARE(f->Text4->text(), QStringLiteral("66"));
    f->Text5->setText(QStringLiteral("1"));
    f->Text5_LostFocus();
    QCOMPARE(f->Text5->text(), QStringLiteral("4"));
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 12);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 15);
}

void TestSettings::sizeTextHandlersLeaveTheFlagSet()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    // the same size again: the spinner does not change and nothing is resized
    f->Text4->setText(QStringLiteral("100"));
    f->Text4_LostFocus();
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->work.Picture2.Width(), 304);
    QCOMPARE(f->work.Picture2.Height(), 304);
    f->Text4->setText(QStringLiteral("30"));
    f->Text4_LostFocus();
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->work.Picture2.Width(), 94);
}

void TestSettings::widthSpinnerOnA400By300Picture()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    f->VScroll4->setValue(150);
    QCOMPARE(f->work.Picture2.Width(), 154);
    QCOMPARE(f->work.Picture2.Height(), 115);
    QCOMPARE(f->Text4->text(), QStringLiteral("50"));
    QCOMPARE(f->Text5->text(), QStringLiteral("37"));
    QCOMPARE(f->VScroll5->value(), 111);
    QCOMPARE(f->work.Picture2.Left(), 73);
    QCOMPARE(f->work.Picture2.Top(), 92); // 150 - 57.5, the half to the even neighbour
    QCOMPARE(f->work.state().listo, True);
    // the side that was set may be any value: 151 is no multiple of 3
    f->VScroll4->setValue(151);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 151);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 111);
    QCOMPARE(f->Text4->text(), QStringLiteral("50"));
}

void TestSettings::heightSpinnerOnA400By300Picture()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    f->VScroll5->setValue(225);
    QCOMPARE(f->work.Picture2.Height(), 229);
    QCOMPARE(f->work.Picture2.Width(), 304);
    QCOMPARE(f->Text5->text(), QStringLiteral("75"));
    QCOMPARE(f->Text4->text(), QStringLiteral("100"));
    QCOMPARE(f->VScroll4->value(), 300);
    QCOMPARE(f->work.Picture2.Left(), -2);
    QCOMPARE(f->work.Picture2.Top(), 36); // 150 - 114.5, the half to the even neighbour
}

void TestSettings::resizeClearsTheEmbroidery()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    f->work.Picture2.Line(0, 0, 200, 200, RGB(255, 0, 0), LineKind::FilledBox);
    f->VScroll4->setValue(297);
    QVERIFY(allOneColour(f->work.Picture2, f->work.Picture2.BackColor));
    QCOMPARE(f->work.Picture2.CurrentX, 0.0);
}

void TestSettings::spinnersBeforeAnyPictureFollowOneToOne()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(f->work.Picture3.ScaleWidth(), 0.0);
    f->VScroll4->setValue(150);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 150);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 150);
    QCOMPARE(f->Text4->text(), QStringLiteral("50"));
    QCOMPARE(f->Text5->text(), QStringLiteral("50"));
    QCOMPARE(f->VScroll5->value(), 150);
    f->VScroll5->setValue(34);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 34);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 33);
    QCOMPARE(f->Text4->text(), QStringLiteral("11"));
    typeAndEnter(f->Text4, QStringLiteral("2"));
    QCOMPARE(f->Text4->text(), QStringLiteral("4"));
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 12);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 12);
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::spinnersStopAtTheLargestPattern()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(f->VScroll4->maximum(), 3603);
    QCOMPARE(f->VScroll5->maximum(), 2307);
    loadPicture(*f, 1200, 200);
    f->VScroll4->setValue(9999);
    QCOMPARE(f->VScroll4->value(), 3603);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 3603);
    QCOMPARE(f->Text4->text(), QStringLiteral("1201"));
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 600);
    QCOMPARE(f->work.Picture2.Left(), -1654); // 150 - 1803.5, the half to the even neighbour
}

void TestSettings::followingSideKeptWithinItsCap()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 100, 700);
    // the height would follow to 4200: the width stops at 329, where it follows to 2303
    f->VScroll4->setValue(600);
    QCOMPARE(f->VScroll4->value(), 329);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 329);
    QCOMPARE(int(f->work.Picture2.ScaleHeight()), 2301);
    QCOMPARE(f->VScroll5->value(), 2301);
    QCOMPARE(f->Text4->text(), QStringLiteral("109"));
    QCOMPARE(f->Text5->text(), QStringLiteral("767"));
    loadPicture(*f, 700, 100);
    f->VScroll5->setValue(600); // the width would follow to 4200
    QCOMPARE(f->VScroll5->value(), 514);
    QCOMPARE(int(f->work.Picture2.ScaleWidth()), 3597);
    QCOMPARE(f->VScroll4->value(), 3597);
    QCOMPARE(f->Text4->text(), QStringLiteral("1199"));
    QCOMPARE(f->Text5->text(), QStringLiteral("171"));
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::upArrowCountsUp_data()
{
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<int>("step");
    QTest::newRow("colours, one a click") << "VScroll1" << 1;
    QTest::newRow("width, one stitch a click") << "VScroll4" << 3;
    QTest::newRow("height, one stitch a click") << "VScroll5" << 3;
}

void TestSettings::upArrowCountsUp()
{
    QFETCH(QString, spinner);
    QFETCH(int, step);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 400);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QScrollBar* bar = spinnerNamed(*f, spinner);
    const QPoint up(bar->width() / 2, 3), down(bar->width() / 2, bar->height() - 4);
    const int start = bar->value();
    QTest::mouseClick(bar, Qt::LeftButton, {}, up);
    QCOMPARE(bar->value(), start + step);
    QTest::mouseClick(bar, Qt::LeftButton, {}, down);
    QCOMPARE(bar->value(), start);
    QWheelEvent wheelUp(QPointF(up), QPointF(bar->mapToGlobal(up)), QPoint(), QPoint(0, 120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheelUp);
    QCOMPARE(bar->value(), start + step);
    // held, the up arrow repeats upwards and never runs the number down
    QTest::mousePress(bar, Qt::LeftButton, {}, up);
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= start + 4 * step, 3000);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, up);
    QCOMPARE((bar->value() - start) % step, 0);
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::spunValueSurvivesLeavingTheBox_data()
{
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<int>("start"); // its value before the user turns it
    QTest::addColumn<int>("steps"); // up (positive) or down
    QTest::addColumn<bool>("wheel"); // turned by the wheel over the number, not by the arrows
    QTest::addColumn<QString>("shown");
    QTest::newRow("width past the typed 100 by the arrows") << "VScroll4" << 300 << 1 << false << "101";
    QTest::newRow("height past the typed 100 by the wheel") << "VScroll5" << 300 << 2 << true << "102";
    QTest::newRow("colours under the typed 7 by the arrows") << "VScroll1" << 7 << -1 << false << "6";
    QTest::newRow("colours by the wheel over the number") << "VScroll1" << 248 << 1 << true << "249";
}

// A value the arrows or the wheel set stays when the focus leaves the box: only typing is held.
void TestSettings::spunValueSurvivesLeavingTheBox()
{
    QFETCH(QString, spinner);
    QFETCH(int, start);
    QFETCH(int, steps);
    QFETCH(bool, wheel);
    QFETCH(QString, shown);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 400);
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    QScrollBar* bar = spinnerNamed(*f, spinner);
    QLineEdit* text = boxOf(*f, bar);
    bar->setValue(start);
    text->setFocus();
    QVERIFY(text->hasFocus());
    const QPoint arrow(bar->width() / 2, steps > 0 ? 3 : bar->height() - 4);
    for (int i = 0; i < std::abs(steps); ++i) {
        if (wheel) {
            const QPoint at(text->width() / 2, text->height() / 2);
            QWheelEvent turn(QPointF(at), QPointF(text->mapToGlobal(at)), QPoint(), QPoint(0, steps > 0 ? 120 : -120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(text, &turn);
        } else {
            QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
        }
    }
    QCOMPARE(text->text(), shown);
    const int value = bar->value();
    f->Picture5->setFocus();
    QVERIFY(!text->hasFocus());
    QCOMPARE(text->text(), shown);
    QCOMPARE(bar->value(), value);
    if (text == f->Text1)
        QCOMPARE(f->work.state().num_colores, Long(shown.toInt()));
    else
        QCOMPARE(int(text == f->Text4 ? f->work.Picture2.ScaleWidth() : f->work.Picture2.ScaleHeight()), value);
}

void TestSettings::nestedEventsDoNothingWhileBusy()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    loadPicture(*f, 400, 300);
    load(f->work).listo = False;
    f->VScroll1->setValue(50);
    QCOMPARE(f->Text1->text(), QStringLiteral("248"));
    QCOMPARE(f->work.state().num_colores, Long(248));
    f->VScroll4->setValue(150);
    f->VScroll5->setValue(60);
    QCOMPARE(f->work.Picture2.Width(), 304);
    QCOMPARE(f->work.Picture2.Height(), 304);
    QCOMPARE(f->Text4->text(), QStringLiteral("100"));
    int key = 13;
    f->Text1->setText(QStringLiteral("5"));
    f->Text1_KeyPress(key);
    f->Text1_LostFocus();
    QCOMPARE(f->Text1->text(), QStringLiteral("5"));
    QCOMPARE(f->work.state().num_colores, Long(248));
    f->Text4->setText(QStringLiteral("2"));
    f->Text4_KeyPress(key);
    f->Text4_LostFocus();
    f->Text5->setText(QStringLiteral("2"));
    f->Text5_KeyPress(key);
    f->Text5_LostFocus();
    QCOMPARE(f->Text4->text(), QStringLiteral("2"));
    QCOMPARE(f->Text5->text(), QStringLiteral("2"));
    QCOMPARE(f->VScroll4->value(), 150);
    QCOMPARE(key, 13);
    QCOMPARE(f->work.state().listo, False);
}

void TestSettings::catalogueOptions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("count");
    QTest::newRow("Mínima") << 0 << "57";
    QTest::newRow("Media") << 1 << "112";
    QTest::newRow("Completa") << 3 << "426";
}

void TestSettings::catalogueOptions()
{
    QFETCH(int, index);
    QFETCH(QString, count);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->Option1[4]->setChecked(true);
    QCOMPARE(f->Check10->checkState(), Qt::Checked);
    typeAndEnter(f->Text1, QStringLiteral("500")); // overwritten by the catalogue's count
    f->Option1[index]->setChecked(true);
    QCOMPARE(f->Check10->checkState(), Qt::Unchecked);
    QCOMPARE(f->Text1->text(), count);
    QCOMPARE(f->work.state().num_colores, Long(count.toInt()));
    QCOMPARE(f->VScroll1->value(), count.toInt());
    QCOMPARE(f->work.state().num_dmc, Integer(count.toInt()));
    QCOMPARE(f->ListView1->count(), count.toInt());
    // back to Grande
    f->Option1[2]->setChecked(true);
    QCOMPARE(f->Text1->text(), QStringLiteral("248"));
    QCOMPARE(f->work.state().num_colores, Long(248));
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QVERIFY(d.shown.empty());
    QCOMPARE(f->work.state().listo, True);
}

void TestSettings::personalCatalogueAtLeastThree_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<QString>("count");
    QTest::newRow("empty: 3") << 0 << "3";
    QTest::newRow("two threads: 3") << 2 << "3";
    QTest::newRow("three threads: 3") << 3 << "3";
    QTest::newRow("eight threads: 8") << 8 << "8";
}

void TestSettings::personalCatalogueAtLeastThree()
{
    QFETCH(int, threads);
    QFETCH(QString, count);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    writePersonal(threads);
    f->Option1[4]->setChecked(true);
    QCOMPARE(f->Check10->checkState(), Qt::Checked);
    QCOMPARE(f->work.state().num_dmc, Integer(threads));
    QCOMPARE(f->Text1->text(), count);
    QCOMPARE(f->work.state().num_colores, Long(count.toInt()));
    QCOMPARE(f->VScroll1->value(), count.toInt());
}

void TestSettings::catalogueOptionWhileBusyLoadsNothing()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    load(f->work).listo = False;
    f->Option1[0]->setChecked(true);
    // the option itself is not guarded: it sets the count; the loader does nothing
    QCOMPARE(f->Text1->text(), QStringLiteral("57"));
    QCOMPARE(f->work.state().num_colores, Long(57));
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QCOMPARE(f->ListView1->count(), 248);
    QCOMPARE(f->work.state().listo, False);
}

void TestSettings::symbolFontChangeIsGuarded()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QVERIFY(f->Combo1->count() > 0);
    f->Combo1->addItem(QStringLiteral("Otra fuente"));
    f->Combo1->setCurrentIndex(f->Combo1->count() - 1);
    QCOMPARE(f->work.state().listo, True);
    load(f->work).listo = False;
    f->Combo1->setCurrentIndex(0);
    QCOMPARE(f->work.state().listo, False);
    QVERIFY(d.shown.empty());
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
