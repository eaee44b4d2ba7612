// The full-screen view: which picture it shows and where, the clipboard afterwards, dragging,
// and what closes it.
#include "app/fullscreen_window.h"
#include "made_pattern.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

class TestFullScreen : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<ScriptedDialogs> m_answers;
    std::unique_ptr<Form1> m_form;

    Form2& shown(int index)
    {
        m_form->Command3_Click(index);
        return *m_form->form2;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<WorkFolder>();
        m_answers = std::make_unique<ScriptedDialogs>();
        m_form = startedForm();
    }
    void cleanup()
    {
        m_form.reset();
        m_answers.reset();
        m_folder.reset();
    }

    void showsTheChosenPicture_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("chartView");
        QTest::newRow("index 0: the embroidery") << 0 << 1;
        QTest::newRow("index 1 with the chart view: the page on show") << 1 << 1;
        QTest::newRow("index 1 with the picture view: the working picture") << 1 << 0;
    }
    void showsTheChosenPicture()
    {
        QFETCH(int, index);
        QFETCH(int, chartView);
        QVERIFY(makePattern(*m_form, *m_folder, bandsPicture(150, 100), 100));
        setCheckValue(m_form->Check3, chartView);
        m_form->HScroll2->setValue(m_form->HScroll2->maximum()); // the key page
        const Surface& source = index == 0 ? m_form->work.Picture2
            : chartView                    ? m_form->work.Picture11
                                           : m_form->work.Picture3;
        Form2& view = shown(index);
        QVERIFY(view.isVisible());
        QCOMPARE(view.Picture1.Image(), source.Image());
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), source.Image());
        QCOMPARE(m_form->work.state().listo, True);
        QCOMPARE(m_form->work.Picture11.Left(), 0);
        QCOMPARE(m_form->work.Picture11.Top(), 0);
    }

    void centredOnTheScreen_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("embroidery smaller than the screen") << 0;
        QTest::newRow("chart page taller than the screen: negative top") << 1;
    }
    void centredOnTheScreen()
    {
        QFETCH(int, index);
        QVERIFY(makePattern(*m_form, *m_folder, bandsPicture(150, 100), 100));
        setCheckValue(m_form->Check3, 1);
        Form2& view = shown(index);
        const QRect screen = view.screen()->geometry();
        QCOMPARE(view.Picture2.Width(), screen.width() + 1);
        QCOMPARE(view.Picture2.Height(), screen.height() + 1);
        QCOMPARE(view.Picture1.Left(), int(CLng((view.Picture2.Width() - view.Picture1.Width()) / 2.0)));
        QCOMPARE(view.Picture1.Top(), int(CLng((view.Picture2.Height() - view.Picture1.Height()) / 2.0)));
        QCOMPARE(view.Picture1.Top() < 0, view.Picture1.Height() > screen.height());
        QCOMPARE(view.geometry(), screen);
    }

    // Widths whose distance to the backdrop's width is odd: the half goes to the even neighbour
    // (615.5 -> 616, -201.5 -> -202), where cutting the fraction off would give 615 and -201.
    void oddHalvesGoToTheEvenNeighbour_data()
    {
        QTest::addColumn<int>("overhang"); // picture width beyond the backdrop's, a multiple of 4
        QTest::addColumn<int>("offset"); // 4 m + 3 of the backdrop width, or -(4 m + 3)
        QTest::newRow("smaller than the screen: 2 m + 1.5 rounds up to 2 m + 2") << 0 << 1;
        QTest::newRow("larger than the screen: -(2 m + 1.5) rounds to -(2 m + 2)") << 400 << -1;
    }
    void oddHalvesGoToTheEvenNeighbour()
    {
        QFETCH(int, overhang);
        QFETCH(int, offset);
        m_form->form2 = new Form2(m_form->drag, m_form.get());
        Form2& view = *m_form->form2;
        const int backdrop = view.screen()->geometry().width() + 1;
        // a difference of 4 m + 3: its half 2 m + 1.5 lies between an odd and an even number
        const int m = offset > 0 ? (backdrop - 103) / 4 : overhang / 4;
        const int width = offset > 0 ? backdrop - (4 * m + 3) : backdrop + 4 * m + 3;
        QCOMPARE(view.showPicture(QImage(width, 40, QImage::Format_RGB32)), Form2::Shown::Ok);
        QCOMPARE(view.Picture1.Left(), offset * (2 * m + 2));
    }

    void dragRoundsToTheNearestPixel_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("20.6 right, 14.4 down: 21, 14") << 30.6 << 24.4 << QPoint(21, 14);
        QTest::newRow("5.6 left, 5.6 up: -6, -6") << 4.4 << 4.4 << QPoint(-6, -6);
        QTest::newRow("a whole move stays whole") << 13.0 << 7.0 << QPoint(3, -3);
    }
    void dragRoundsToTheNearestPixel()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QPoint, moved);
        Form2& view = shown(0);
        const QPoint start(view.Picture1.Left(), view.Picture1.Top());
        view.Picture1_MouseDown(1, 10, 10);
        view.Picture1_MouseMove(x, y);
        QCOMPARE(QPoint(view.Picture1.Left(), view.Picture1.Top()), start + moved);
        view.Picture1_MouseUp();
    }

    void closing_data()
    {
        QTest::addColumn<bool>("onPicture");
        QTest::addColumn<bool>("isKey");
        QTest::addColumn<int>("what");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape on the picture") << true << true << int(Qt::Key_Escape) << true;
        QTest::newRow("Escape on the backdrop") << false << true << int(Qt::Key_Escape) << true;
        QTest::newRow("another key on the picture") << true << true << int(Qt::Key_A) << false;
        QTest::newRow("right button on the picture") << true << false << int(Qt::RightButton) << true;
        QTest::newRow("right button on the backdrop") << false << false << int(Qt::RightButton) << true;
        QTest::newRow("middle button on the backdrop") << false << false << int(Qt::MiddleButton) << true;
        QTest::newRow("left button on the picture") << true << false << int(Qt::LeftButton) << false;
        QTest::newRow("left button on the backdrop") << false << false << int(Qt::LeftButton) << false;
    }
    void closing()
    {
        QFETCH(bool, onPicture);
        QFETCH(bool, isKey);
        QFETCH(int, what);
        QFETCH(bool, closes);
        Form2& view = shown(0);
        QWidget* target = onPicture ? static_cast<QWidget*>(view.Picture1Box) : view.Picture2Box;
        target->setFocus();
        if (isKey)
            QTest::keyClick(target, Qt::Key(what));
        else
            QTest::mouseClick(target, Qt::MouseButton(what), {}, QPoint(2, 2));
        QCOMPARE(view.isVisible(), !closes);
        QCOMPARE(m_form->drag.arrastrando, False);
    }

    void dragFollowsThePointer()
    {
        QVERIFY(makePattern(*m_form, *m_folder, bandsPicture(150, 100), 100));
        Form2& view = shown(0);
        const QPoint start(view.Picture1.Left(), view.Picture1.Top());
        QTest::mousePress(view.Picture1Box, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(m_form->drag.arrastrando, True);
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 25), view.Picture1Box->mapToGlobal(QPointF(30, 25)),
            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.Picture1Box, &move);
        QCOMPARE(QPoint(view.Picture1.Left(), view.Picture1.Top()), start + QPoint(20, 15));
        QCOMPARE(view.Picture1Box->pos(), start + QPoint(20, 15));
        QTest::mouseRelease(view.Picture1Box, Qt::LeftButton, {}, QPoint(30, 25));
        QCOMPARE(m_form->drag.arrastrando, False);
        QVERIFY(view.isVisible());
    }

    void closingPressStartsNoDrag()
    {
        Form2& view = shown(0);
        // the release of a press that hid the view never arrives: the main window must not
        // think a drag is still in progress
        view.Picture1_MouseDown(2, 5, 5);
        QVERIFY(!view.isVisible());
        QCOMPARE(m_form->drag.arrastrando, False);
    }

    void oneWindowReused()
    {
        Form2* first = &shown(0);
        QTest::keyClick(first->Picture1Box, Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        QCOMPARE(&shown(0), first);
        QVERIFY(first->isVisible());
    }

    void noPictureYet()
    {
        setCheckValue(m_form->Check3, 0);
        m_form->Command3_Click(1);
        QCOMPARE(m_answers->countTitled(QStringLiteral("Puntela")), 1);
        QCOMPARE(m_answers->shown.back().prompt, QStringLiteral("Error"));
        QCOMPARE(m_answers->shown.back().buttons, vbCritical);
        QVERIFY(!m_form->form2->isVisible());
        QCOMPARE(m_form->work.state().listo, True);
        QCOMPARE(m_form->mousePointer(), 0);
    }
};

QTEST_MAIN(TestFullScreen)
#include "tst_fullscreen.moc"
