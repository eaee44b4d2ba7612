// The two pattern buttons in the window: the embroidery box they size, what each sets on the way,
// the colour count lowered to the stitches, the refused sizes, the steps that still run after an
// error, and the button that redraws the embroidery and the strips.
#include "colour/colour_value.h"
#include "colour/stitch_reading.h"
#include "window_support.h"
#include "work_loader.h"

#include <QtTest>

namespace {
// Records with every message what the progress display showed at that moment.
class WatchingDialogs : public ScriptedDialogs {
public:
    explicit WatchingDialogs(Form1*& form)
        : m_form(form)
    {
    }
    int MsgBox(const QString& prompt, int buttons, const QString& title) override
    {
        if (m_form)
            labels << QStringList { m_form->Label2->text(),
                QString::number(m_form->Label1->isVisibleTo(m_form) && m_form->Label3->isVisibleTo(m_form)) };
        return ScriptedDialogs::MsgBox(prompt, buttons, title);
    }
    QList<QStringList> labels;

private:
    Form1*& m_form;
};

void setSize(Form1& f, int columns, int rows)
{
    f.Text4->setText(QString::number(columns));
    f.Text5->setText(QString::number(rows));
}

void askColours(Form1& f, int n)
{
    f.VScroll1->setValue(n);
    load(f.work).num_colores = n;
    f.Text1->setText(QString::number(n));
}

QVector<Long> palette(const WorkState& st)
{
    QVector<Long> p;
    for (std::size_t g = 0; g < 6; ++g) {
        p << -1 - Long(g);
        for (int k = 0; k < st.num_tono[g]; ++k)
            p << st.tono[g][std::size_t(k)];
    }
    return p;
}
} // namespace

class TestPatternButtons : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void singleStitchRun();
    void doubleStitchRun();
    void coloursLoweredToTheStitches();
    void refusedSizes_data();
    void refusedSizes();
    void sizeTypedButNotConfirmed_data();
    void sizeTypedButNotConfirmed();
    void oneCellHighStillRunsTheLaterSteps();
    void noColoursStillDrawsTheEmbroidery();
    void oneStitchWideStillDrawsTheChart();
    void paletteShownInTheControls();
    void redrawButtonRestoresEmbroideryAndStrips();

private:
    std::unique_ptr<WorkFolder> m_folder;
    Form1* m_formPtr = nullptr;
    std::unique_ptr<WatchingDialogs> m_dialogs;
    std::unique_ptr<Form1> m_form;
};

void TestPatternButtons::init()
{
    m_folder = std::make_unique<WorkFolder>();
    m_dialogs = std::make_unique<WatchingDialogs>(m_formPtr);
    m_form = startedForm();
    m_formPtr = m_form.get();
    m_form->work.Picture3.setPicture(gradientPicture(120, 90));
}

void TestPatternButtons::cleanup()
{
    m_formPtr = nullptr;
    m_form.reset();
    m_dialogs.reset();
    m_folder.reset();
}

void TestPatternButtons::singleStitchRun()
{
    Form1& f = *m_form;
    setSize(f, 40, 30);
    f.Command4->setEnabled(true);
    f.Check1->setEnabled(false);
    f.Picture10.BackColor = RGB(1, 2, 3);
    f.Command1_Click();
    QVERIFY(m_dialogs->shown.empty());
    QCOMPARE(f.work.Picture2.Width(), 124);
    QCOMPARE(f.work.Picture2.Height(), 94);
    QCOMPARE(f.work.Picture2.ScaleWidth(), 120.0);
    QCOMPARE(f.work.Picture2.Left(), 90);
    QCOMPARE(f.work.Picture2.Top(), 105);
    QCOMPARE(int(f.work.state().ancho_puntos), 40);
    QCOMPARE(int(f.work.state().alto_puntos), 30);
    QCOMPARE(int(f.work.state().num_puntos), 1200);
    QCOMPARE(f.work.state().punto_doble, False);
    QVERIFY(f.Check1->isEnabled());
    QCOMPARE(f.Picture10.BackColor, colourFromRgb(f.palette().color(QPalette::Button).rgb()));
    // an old undo record never applies to the new pattern
    QVERIFY(!f.Command4->isEnabled());
    QVERIFY(f.work.Picture2.Visible());
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    for (QLabel* l : { f.Label1, f.Label2, f.Label3 })
        QCOMPARE(l->text(), QString());
    // the embroidery shows the stitches: the base pixel of the last cell
    QCOMPARE(f.work.Picture2.pixel(3 * 39 + 2, 3 * 29), f.work.state().puntos(39, 29));
    QCOMPARE(f.work.Picture8[0].Left(), 4);
}

void TestPatternButtons::doubleStitchRun()
{
    Form1& f = *m_form;
    setSize(f, 40, 30);
    setCheckValue(f.Check1, 1);
    f.Command5_Click();
    QVERIFY(m_dialogs->shown.empty());
    QCOMPARE(f.work.Picture2.Width(), 364);
    QCOMPARE(f.work.Picture2.Height(), 274);
    QCOMPARE(f.work.Picture2.Left(), -30);
    QCOMPARE(int(f.work.state().num_puntos), 1200);
    QCOMPARE(int(f.work.state().ancho_puntos), 40);
    QCOMPARE(f.work.state().punto_doble, True);
    QCOMPARE(checkValue(f.Check1), 0);
    QVERIFY(!f.Check1->isEnabled());
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    QCOMPARE(f.work.Picture2.pixel(9 * 39 + 1, 9 * 29 + 1), f.work.state().puntos(39, 29));
    QCOMPARE(f.work.Picture2.pixel(9 * 39 + 4, 9 * 29), RGB(255, 255, 255));
}

void TestPatternButtons::coloursLoweredToTheStitches()
{
    Form1& f = *m_form;
    f.work.Picture3.setPicture(gradientPicture(30, 30));
    setSize(f, 10, 10);
    // what the count was when the spinner was first moved by the run
    QList<Long> countAtSpinner;
    QObject::connect(f.VScroll1, &QScrollBar::valueChanged, &f, [&](int v) {
        countAtSpinner << (countAtSpinner.isEmpty() ? Long(v) * 10000 + f.work.state().num_colores : -1);
    });

    askColours(f, 500);
    countAtSpinner.clear();
    f.Command5_Click();
    QCOMPARE(countAtSpinner.value(0), Long(100 * 10000 + 100));
    const QVector<Long> doublePalette = palette(load(f.work));
    const Long doubleCount = f.work.state().num_colores;

    askColours(f, 500);
    countAtSpinner.clear();
    f.Command1_Click();
    QCOMPARE(countAtSpinner.value(0), Long(100 * 10000 + 500));
    QCOMPARE(palette(load(f.work)), doublePalette);
    QCOMPARE(f.work.state().num_colores, doubleCount);
    QVERIFY(f.work.state().num_colores <= 100);
    QCOMPARE(f.Text1->text(), QString::number(doubleCount));
    QVERIFY(m_dialogs->shown.empty());
}

void TestPatternButtons::refusedSizes_data()
{
    QTest::addColumn<bool>("doble");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("rows");
    QTest::newRow("1202 stitches across") << false << "1202"
                                          << "10";
    QTest::newRow("770 stitches down, double stitch") << true << "10"
                                                      << "770";
    QTest::newRow("1024 x 769 is more stitches than the list holds") << false << "1024"
                                                                     << "769";
    QTest::newRow("no stitch across") << true << "0"
                                      << "10";
    QTest::newRow("not a number") << false << "mucho"
                                  << "10";
    QTest::newRow("a huge number") << false << "1e300"
                                   << "10";
}

void TestPatternButtons::refusedSizes()
{
    QFETCH(bool, doble);
    QFETCH(QString, columns);
    QFETCH(QString, rows);
    Form1& f = *m_form;
    setSize(f, 20, 10);
    f.Command1_Click();
    const QImage before = f.work.Picture2.Image();
    const Long stitch = f.work.state().puntos(3, 3);
    f.Command4->setEnabled(true);
    f.Text4->setText(columns);
    f.Text5->setText(rows);
    if (doble)
        f.Command5_Click();
    else
        f.Command1_Click();
    QCOMPARE(m_dialogs->prompts(), QStringList { patternSizeMessage() });
    QCOMPARE(m_dialogs->shown[0].buttons, vbCritical);
    QCOMPARE(m_dialogs->shown[0].title, QStringLiteral("Error"));
    QCOMPARE(f.work.Picture2.Image(), before);
    QCOMPARE(f.work.state().puntos(3, 3), stitch);
    QCOMPARE(int(f.work.state().ancho_puntos), 20);
    QCOMPARE(f.work.state().punto_doble, False);
    QVERIFY(f.Command4->isEnabled());
    QCOMPARE(f.work.state().listo, True);
}

void TestPatternButtons::sizeTypedButNotConfirmed_data()
{
    QTest::addColumn<bool>("doble");
    QTest::addColumn<bool>("across");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    // the spinners stand at 100 x 100: a side that is already 100 leaves the other as it is, a
    // new side makes the other follow the 120 x 90 working picture
    QTest::newRow("5000 across held to 100") << false << true << "5000" << 100 << 100;
    QTest::newRow("2000 down held to 100, double stitch") << true << false << "2000" << 100 << 100;
    QTest::newRow("2 across held to 4") << false << true << "2" << 4 << 3;
}

void TestPatternButtons::sizeTypedButNotConfirmed()
{
    QFETCH(bool, doble);
    QFETCH(bool, across);
    QFETCH(QString, typed);
    QFETCH(int, columns);
    QFETCH(int, rows);
    Form1& f = *m_form;
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QLineEdit* box = across ? f.Text4 : f.Text5;
    box->setFocus();
    QVERIFY(box->hasFocus());
    box->setText(typed);
    // the button leaves the box, which holds the size to its limits before the pattern is made
    if (doble)
        f.Command5_Click();
    else
        f.Command1_Click();
    QCOMPARE(m_dialogs->prompts(), QStringList());
    QCOMPARE(f.Text4->text(), QString::number(columns));
    QCOMPARE(f.Text5->text(), QString::number(rows));
    QCOMPARE(int(f.work.state().ancho_puntos), columns);
    QCOMPARE(int(f.work.state().alto_puntos), rows);
    QCOMPARE(f.work.state().listo, True);
}

void TestPatternButtons::oneCellHighStillRunsTheLaterSteps()
{
    Form1& f = *m_form;
    setSize(f, 40, 1);
    f.Command1_Click();
    // reading, palette (nothing was ever grouped) and chart each report, in pipeline order
    QCOMPARE(m_dialogs->prompts(),
        (QStringList { "Error en el tamaño de la imagen", "Error en colores", "Error en el tamaño de la imagen" }));
    for (const QStringList& l : m_dialogs->labels)
        QCOMPARE(l, (QStringList { "%", "1" }));
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    QVERIFY(f.work.Picture2.Visible());
    QCOMPARE(f.Label3->text(), QString());
}

void TestPatternButtons::noColoursStillDrawsTheEmbroidery()
{
    Form1& f = *m_form;
    setSize(f, 20, 10);
    askColours(f, 0);
    f.Command1_Click();
    QCOMPARE(m_dialogs->prompts(), QStringList { "Error en colores" });
    // the stitches keep the threads they were read as, and are drawn
    QCOMPARE(f.work.Picture2.pixel(3 * 7 + 2, 3 * 4), f.work.state().puntos(7, 4));
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
}

void TestPatternButtons::oneStitchWideStillDrawsTheChart()
{
    Form1& f = *m_form;
    setSize(f, 1, 10);
    const QImage chartBefore = f.work.Picture11.Image();
    f.Command5_Click();
    QCOMPARE(m_dialogs->prompts(), QStringList { "Error en el tamaño de la imagen" });
    QCOMPARE(int(f.work.state().ancho_puntos), 1);
    QVERIFY(f.work.state().paletteSize() > 0);
    QVERIFY(f.work.Picture11.Image() != chartBefore);
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
}

void TestPatternButtons::paletteShownInTheControls()
{
    Form1& f = *m_form;
    const int groups[6] = { 4, 4, 4, 4, 4, 10 };
    for (int g = 0; g < 6; ++g) {
        for (int j = 0; j < groups[g]; ++j)
            load(f.work).tono[std::size_t(g)][std::size_t(j)] = RGB(10 * j, 10 * g, 5);
        load(f.work).num_tono[std::size_t(g)] = Integer(groups[g]);
    }
    load(f.work).ancho_puntos = 3;
    load(f.work).alto_puntos = 3;
    askColours(f, 10);
    f.gama();
    QCOMPARE(f.work.state().paso_gama, Long(3));
    QCOMPARE(f.work.state().num_colores, Long(14));
    QCOMPARE(f.Text1->text(), QStringLiteral("14"));
    QCOMPARE(f.VScroll1->value(), 14);
    QCOMPARE(f.HScroll1->maximum(), 4);
    QCOMPARE(f.work.state().listo, True);
}

void TestPatternButtons::redrawButtonRestoresEmbroideryAndStrips()
{
    Form1& f = *m_form;
    setSize(f, 20, 10);
    f.Command1_Click();
    const QImage embroidery = f.work.Picture2.Image();
    const std::size_t g = std::size_t(std::max_element(f.work.state().num_tono.begin(), f.work.state().num_tono.end())
        - f.work.state().num_tono.begin());
    f.gama2();
    const QImage bareStrip = f.work.Picture8[g].Image();
    f.work.Picture2.Cls();
    f.check8->setEnabled(true);
    setCheckValue(f.Check4, 1);
    f.check8_Click();
    QVERIFY(!f.check8->isEnabled());
    QCOMPARE(f.work.Picture2.Image(), embroidery);
    QVERIFY(f.work.Picture8[g].Image() != bareStrip);
    QVERIFY(f.Label1->isVisibleTo(&f));
    load(f.work).listo = True;
    setCheckValue(f.Check4, 0);
    f.check8_Click();
    QCOMPARE(f.work.Picture8[g].Image(), bareStrip);
}

QTEST_MAIN(TestPatternButtons)
#include "tst_pattern_buttons.moc"
