// The chart through the main window: patron resets the sheet selectors, the selectors turn the
// sheets and show the key, a busy program ignores them, and the failure paths end with the
// right message and the program ready again.
#include "render/chart.h"
#include "window_support.h"
#include "work_loader.h"

#include <QtTest>

namespace {
constexpr Long kWhite = 0xFFFFFF;

// A single-stitch pattern of W x H stitches in the window: a palette of ten colours in groups 1
// and 2, every stitch one of them, and the embroidery box sized to the pattern.
void makePattern(Form1& f, int W, int H)
{
    load(f.work).punto_doble = False;
    f.work.Picture2.setWidth(3 * W + 2 * f.work.Picture2.border());
    f.work.Picture2.setHeight(3 * H + 2 * f.work.Picture2.border());
    load(f.work).num_tono = {};
    for (int k = 0; k < 10; ++k)
        load(f.work).tono[std::size_t(k / 5)][std::size_t(load(f.work).num_tono[std::size_t(k / 5)]++)]
            = RGB(25 * k, 90, 250 - 20 * k);
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i)
            load(f.work).puntos(i, j) = f.work.state().tono[std::size_t((i + j) % 2)][std::size_t((i / 2 + j) % 5)];
}

// Sets a check box from code without its click handler redrawing anything.
void setQuietly(Form1& f, QCheckBox* box, int value)
{
    load(f.work).listo = False;
    setCheckValue(box, value);
    load(f.work).listo = True;
    f.work.setChartOptions(f.chartOptionsShown());
}

// Pixels of strip g's swatch k in a colour, inside its white outline.
int stripPixels(const Form1& f, int g, int k, Long colour)
{
    int n = 0;
    for (int x = 10 * k + 1; x <= 10 * k + 9; ++x)
        for (int y = 1; y <= 9; ++y)
            n += f.work.Picture8[std::size_t(g)].Point(x, y) == colour ? 1 : 0;
    return n;
}
} // namespace

class TestChartHandlers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void patronResetsTheSelectors_data();
    void patronResetsTheSelectors();
    void selectorsTurnTheSheets();
    void selectorIgnoredWhileBusy();
    void oneStitchHigh();
    void memoryMessage_data();
    void memoryMessage();
    void stripSymbols_data();
    void stripSymbols();

private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form1> m_form;
};

void TestChartHandlers::init()
{
    m_folder = std::make_unique<WorkFolder>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_form = startedForm();
    // these cases follow the chart rules of a font ("X" on black, white cells bare); start-up
    // takes "Símbolos claros" on a machine without "Small Fonts" and "Arial"
    m_form->Combo1->setCurrentIndex(m_form->Combo1->findText(QStringLiteral("DejaVu Sans")));
    m_dialogs->shown.clear();
}

void TestChartHandlers::cleanup()
{
    m_form.reset();
    m_dialogs.reset();
    m_folder.reset();
}

void TestChartHandlers::patronResetsTheSelectors_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<int>("vMax");
    QTest::newRow("75 x 110: one sheet and the key") << 75 << 110 << 2 << 1;
    QTest::newRow("76 x 111: two by two") << 76 << 111 << 3 << 2;
    QTest::newRow("100 x 300: two by three") << 100 << 300 << 3 << 3;
}

void TestChartHandlers::patronResetsTheSelectors()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, hMax);
    QFETCH(int, vMax);
    Form1& f = *m_form;
    makePattern(f, W, H);
    load(f.work).listo = False;
    f.HScroll2->setMaximum(9);
    f.HScroll2->setValue(4);
    f.VScroll2->setMaximum(9);
    f.VScroll2->setValue(5);
    load(f.work).listo = True;
    f.patron();
    QCOMPARE(f.HScroll2->value(), 1);
    QCOMPARE(f.HScroll2->maximum(), hMax);
    QCOMPARE(f.VScroll2->value(), 1);
    QCOMPARE(f.VScroll2->maximum(), vMax);
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    QCOMPARE(f.Label1->text(), QStringLiteral("100"));
    QCOMPARE(f.work.Picture11.Width(), 9 * std::min(W, 75) + 15);
    QCOMPARE(f.work.Picture11.Point(4, 4), f.work.state().puntos(0, 0));
}

void TestChartHandlers::selectorsTurnTheSheets()
{
    Form1& f = *m_form;
    makePattern(f, 100, 300);
    f.patron();
    f.HScroll2->setValue(2);
    QCOMPARE(f.work.Picture11.Height(), 1034);
    QCOMPARE(f.work.Picture11.Point(4, 4), f.work.state().puntos(75, 0));
    f.VScroll2->setValue(3);
    QCOMPARE(f.work.Picture11.Point(4, 4), f.work.state().puntos(75, 220));
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    // the last position shows the key, whatever the sheet row
    f.HScroll2->setValue(3);
    QCOMPARE(f.work.Picture11.Point(30, 68), 0);
    QCOMPARE(f.work.Picture11.Point(31, 76), f.work.state().tono[0][0]);
    QCOMPARE(f.work.Picture11.Point(4, 4), kWhite);
    QCOMPARE(f.work.state().listo, True);
}

void TestChartHandlers::selectorIgnoredWhileBusy()
{
    Form1& f = *m_form;
    makePattern(f, 100, 50);
    f.patron();
    load(f.work).listo = False;
    f.HScroll2->setValue(2);
    QCOMPARE(f.work.Picture11.Height(), 9 * 50 + 45); // still the first sheet
    QCOMPARE(f.work.Picture11.Point(4, 4), f.work.state().puntos(0, 0));
    QCOMPARE(f.work.state().listo, False);
}

void TestChartHandlers::oneStitchHigh()
{
    Form1& f = *m_form;
    makePattern(f, 30, 1);
    f.patron();
    QCOMPARE(m_dialogs->prompts(), QStringList { QStringLiteral("Error en el tamaño de la imagen") });
    QCOMPARE(m_dialogs->shown.front().title, QStringLiteral("Error"));
    QCOMPARE(m_dialogs->shown.front().buttons, vbCritical);
    QCOMPARE(f.HScroll2->maximum(), 2);
    QCOMPARE(f.work.state().listo, True);
    QCOMPARE(f.mousePointer(), 0);
    QCOMPARE(f.work.Picture11.Point(4, 4), kWhite); // only the stamp and the label were drawn
    QCOMPARE(f.work.Picture11.Point(40, f.work.Picture11.ScaleHeight() - 37 + 15), f.work.Picture15.Point(40, 15));
}

void TestChartHandlers::memoryMessage_data()
{
    QTest::addColumn<int>("page"); // 0 first sheet, 1 a later sheet, 2 the key
    QTest::newRow("first sheet") << 0;
    QTest::newRow("later sheet") << 1;
    QTest::newRow("key") << 2;
}

void TestChartHandlers::memoryMessage()
{
    QFETCH(int, page);
    Form1& f = *m_form;
    makePattern(f, 100, 120);
    if (page != 0)
        f.patron();
    f.work.Picture11.move(-40, -30);
    const int saved = chartSideLimit();
    chartSideLimit() = 600;
    if (page == 0)
        f.patron();
    else
        f.HScroll2->setValue(page == 1 ? 2 : f.HScroll2->maximum());
    chartSideLimit() = saved;
    QCOMPARE(m_dialogs->prompts(),
        QStringList { QStringLiteral("No hay suficiente memoria para dibujar el patrón. Reduce los puntos.") });
    QCOMPARE(m_dialogs->shown.front().title, QStringLiteral("Error de memoria"));
    QCOMPARE(m_dialogs->shown.front().buttons, vbCritical);
    QCOMPARE(f.work.Picture11.Left(), 0);
    QCOMPARE(f.work.Picture11.Top(), 0);
    QCOMPARE(f.mousePointer(), 0);
    QCOMPARE(f.work.state().listo, True);
}

void TestChartHandlers::stripSymbols_data()
{
    QTest::addColumn<bool>("symbols");
    QTest::newRow("symbols on: X on the black swatch") << true;
    QTest::newRow("symbols off: bare swatches") << false;
}

void TestChartHandlers::stripSymbols()
{
    QFETCH(bool, symbols);
    Form1& f = *m_form;
    makePattern(f, 20, 20);
    load(f.work).num_tono = {};
    load(f.work).tono[5][0] = kWhite;
    load(f.work).tono[5][1] = 0;
    load(f.work).num_tono[5] = 2;
    for (int j = 0; j < 20; ++j)
        for (int i = 0; i < 20; ++i)
            load(f.work).puntos(i, j) = (i + j) % 2 ? 0 : kWhite;
    setQuietly(f, f.Check4, symbols ? 1 : 0);
    f.patron();
    QCOMPARE(stripPixels(f, 5, 1, kWhite) >= 3, symbols);
    QCOMPARE(stripPixels(f, 5, 0, 0), 0); // white stitches carry nothing
    // and the chart: "X" on black cells only when symbols are on
    int xPixels = 0;
    for (int y = 1; y <= 7; ++y)
        for (int x = 1; x <= 7; ++x)
            xPixels += f.work.Picture11.Point(9 + x, y) == kWhite ? 1 : 0;
    QCOMPARE(xPixels >= 3, symbols);
}

QTEST_MAIN(TestChartHandlers)
#include "tst_chart_handlers.moc"
