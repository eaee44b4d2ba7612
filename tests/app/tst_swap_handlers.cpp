// The palette strips through the main window: the colour swap and its undo, scrolling and
// dragging the strips, and picking threads into the personal catalogue.
#include "views/swap.h"
#include "window_support.h"
#include "work_loader.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
// A 4 x 3 pattern over three groups: group 1 {A, B}, group 3 {C, D, E}, group 6 {F}.
constexpr Long A = 0x1111aa, B = 0x2222bb, C = 0x33cc33, D = 0x44dd44, E = 0x55ee55, F = 0x666666;

void setPattern(Form1& f)
{
    WorkState& st = load(f.work);
    st.ancho_puntos = 4;
    st.alto_puntos = 3;
    st.punto_doble = False;
    const Long rows[3][4] = { { A, C, D, A }, { D, D, F, B }, { E, A, C, D } };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            st.puntos(x, y) = rows[y][x];
    st.num_tono = { 2, 0, 3, 0, 0, 1 };
    st.tono[0][0] = A;
    st.tono[0][1] = B;
    st.tono[2][0] = C;
    st.tono[2][1] = D;
    st.tono[2][2] = E;
    st.tono[5][0] = F;
    f.work.Picture2.setWidth(4 * 3 + 4);
    f.work.Picture2.setHeight(3 * 3 + 4);
    f.dibujar();
    f.gama2();
}

struct Snapshot {
    std::unique_ptr<StitchGrid> puntos;
    std::array<std::vector<Long>, 6> groups;
    std::array<Integer, 6> counts {};
};

Snapshot snapshot(const WorkState& st)
{
    Snapshot s;
    s.puntos = std::make_unique<StitchGrid>(st.puntos);
    for (int g = 0; g < 6; ++g)
        s.groups[g].assign(st.tono[g].begin(), st.tono[g].begin() + st.num_tono[g]);
    s.counts = st.num_tono;
    return s;
}

bool same(const Snapshot& a, const Snapshot& b)
{
    return *a.puntos == *b.puntos && a.groups == b.groups && a.counts == b.counts;
}

QByteArray fileBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Swap mode on, first pick swatch 0 of strip 0 (A), second pick swatch 1 of strip 2 (D).
void swapDForA(Form1& f)
{
    setCheckValue(f.Check7, 1);
    f.Picture8_MouseDown(0, 1, 0, 5, 5);
    f.Picture8_MouseUp(0, 1, 0, 5, 5);
    f.Picture8_MouseDown(2, 1, 0, 15, 5);
    f.Picture8_MouseUp(2, 1, 0, 15, 5);
}
} // namespace

class TestSwapHandlers : public QObject {
    Q_OBJECT
private slots:
    void swapBetweenGroups();
    void swapThenUndoRestoresEverything();
    void refusedSecondPick_data();
    void refusedSecondPick();
    void firstPickPastTheLastSwatch();
    void userClicksAfterTheGreyedValue();
    void unwritableUndoFile();
    void undoWithoutAUsableRecord_data();
    void undoWithoutAUsableRecord();
    void swapModeOff_data();
    void swapModeOff();
    void stripDrag_data();
    void stripDrag();
    void stripMoveHidesMarkerAndPreviews();
    void scrollBarMovesAllStrips();
    void personalCatalogue_data();
    void personalCatalogue();
    void pickerToggle();
    void realPatternSwapUndoAndNewPattern();
};

void TestSwapHandlers::swapBetweenGroups()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    setCheckValue(f->Check7, 1);
    QVERIFY(!f->Picture12->isEnabled());
    QCOMPARE(f->work.Picture8[3].MousePointer(), 2);
    f->Picture8_MouseDown(0, 1, 0, 5, 5);
    QCOMPARE(checkValue(f->Check7), 2);
    QCOMPARE(f->Check7->text(), QStringLiteral("+"));
    QCOMPARE(f->work.state().color_nuevo, A);
    f->Picture8_MouseUp(0, 1, 0, 5, 5);
    // X = 10 is the white edge of swatch 1: the colour is read one pixel to its right
    f->Picture8_MouseDown(2, 1, 0, 10, 5);
    QCOMPARE(checkValue(f->Check7), 1);
    QCOMPARE(f->work.state().color_viejo, D);
    QCOMPARE(f->work.state().num_tono, (std::array<Integer, 6> { 2, 0, 2, 0, 0, 1 }));
    QCOMPARE(f->work.state().tono[0][0], A);
    QCOMPARE(f->work.state().tono[0][1], B);
    QCOMPARE(f->work.state().tono[2][1], E);
    QCOMPARE(f->work.state().puntos(2, 0), A);
    QCOMPARE(f->work.state().puntos(3, 2), A);
    QCOMPARE(f->work.state().puntos(2, 1), F);
    QVERIFY(f->Command4->isEnabled());
    QVERIFY(f->check8->isEnabled());
    QCOMPARE(fileBytes(QStringLiteral("puntela$")),
        QByteArray(" 2 \r\n 1 \r\n 2 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 1 \r\n 3 \r\n 2 \r\n"));
    // the strips are redrawn from the shortened groups, the embroidery is blanked
    QCOMPARE(f->work.Picture8[2].Point(15, 1), E);
    QCOMPARE(f->work.Picture2.pixel(4, 4), f->work.Picture2.BackColor);
    QVERIFY(f->Picture12->isEnabled() == false);
    QVERIFY(dialogs.shown.empty());
}

void TestSwapHandlers::swapThenUndoRestoresEverything()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    const Snapshot before = snapshot(load(f->work));
    swapDForA(*f);
    QVERIFY(!same(snapshot(load(f->work)), before));
    f->Command4_Click();
    QVERIFY(same(snapshot(load(f->work)), before));
    QVERIFY(!f->Command4->isEnabled());
    QVERIFY(!f->check8->isEnabled());
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->work.Picture8[2].Point(15, 1), D);
    QVERIFY(dialogs.shown.empty());
}

void TestSwapHandlers::refusedSecondPick_data()
{
    QTest::addColumn<int>("strip");
    QTest::addColumn<double>("X");
    QTest::newRow("the same swatch as the first pick") << 0 << 3.0;
    QTest::newRow("past the last swatch of its strip") << 2 << 35.0;
    QTest::newRow("the white edge after the last swatch") << 2 << 30.0;
    QTest::newRow("an empty strip") << 1 << 5.0;
}

void TestSwapHandlers::refusedSecondPick()
{
    QFETCH(int, strip);
    QFETCH(double, X);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    const Snapshot before = snapshot(load(f->work));
    setCheckValue(f->Check7, 1);
    f->Picture8_MouseDown(0, 1, 0, 5, 5);
    f->Picture8_MouseUp(0, 1, 0, 5, 5);
    f->Picture8_MouseDown(strip, 1, 0, X, 5);
    QVERIFY(same(snapshot(load(f->work)), before));
    QCOMPARE(checkValue(f->Check7), 2);
    QVERIFY(!QFile::exists(QStringLiteral("puntela$")));
    QVERIFY(!f->Command4->isEnabled());
    QVERIFY(dialogs.shown.empty());
    // still waiting: the next good pick swaps
    f->Picture8_MouseDown(2, 1, 0, 15, 5);
    QCOMPARE(f->work.state().num_tono[2], Integer(2));
    QCOMPARE(checkValue(f->Check7), 1);
}

void TestSwapHandlers::firstPickPastTheLastSwatch()
{
    WorkFolder folder;
    auto f = startedForm();
    setPattern(*f);
    setCheckValue(f->Check7, 1);
    f->Picture8_MouseDown(0, 1, 0, 25, 5);
    QCOMPARE(checkValue(f->Check7), 1);
    f->Picture8_MouseUp(0, 1, 0, 25, 5);
    QCOMPARE(f->drag.arrastrando, False);
}

void TestSwapHandlers::userClicksAfterTheGreyedValue()
{
    WorkFolder folder;
    auto f = startedForm();
    setPattern(*f);
    f->Check7->click();
    QCOMPARE(checkValue(f->Check7), 1);
    f->Picture8_MouseDown(0, 1, 0, 5, 5);
    f->Picture8_MouseUp(0, 1, 0, 5, 5);
    QCOMPARE(checkValue(f->Check7), 2);
    // clicking the greyed box goes back to waiting for a first colour, then off, then on
    f->Check7->click();
    QCOMPARE(checkValue(f->Check7), 1);
    QVERIFY(!f->Picture12->isEnabled());
    f->Check7->click();
    QCOMPARE(checkValue(f->Check7), 0);
    QVERIFY(f->Picture12->isEnabled());
    QCOMPARE(f->Check7->text(), QStringLiteral("I"));
    f->Check7->click();
    QCOMPARE(checkValue(f->Check7), 1);
}

// The swap goes ahead and can be undone from the record kept in memory; the progress line says
// once that the file could not be written.
void TestSwapHandlers::unwritableUndoFile()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    const Snapshot before = snapshot(load(f->work));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("puntela$")));
    swapDForA(*f);
    QVERIFY(dialogs.shown.empty());
    QVERIFY(!same(snapshot(load(f->work)), before));
    QVERIFY(f->Label3->isVisibleTo(f.get()));
    QVERIFY2(f->Label3->text().contains(QStringLiteral("puntela$")), qPrintable(f->Label3->text()));
    f->Command4_Click();
    QVERIFY(same(snapshot(load(f->work)), before));
    // a second failure is not said again
    f->Label3->setText(QString());
    swapDForA(*f);
    QVERIFY(f->Label3->text().isEmpty());
    QVERIFY(!f->Label3->isVisibleTo(f.get()));
    QVERIFY(dialogs.shown.empty());
}

// Whatever becomes of the file after the swap (gone, damaged, cut inside a number), the swap is
// undone from the record kept in memory.
void TestSwapHandlers::undoWithoutAUsableRecord_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not numbers") << QByteArray("hola\r\n");
    QTest::newRow("a column without its row") << QByteArray(" 2 \r\n 1 \r\n 2 \r\n");
    QTest::newRow("cut inside the last stitch's row")
        << QByteArray(" 2 \r\n 1 \r\n 2 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 1 \r\n 3 \r\n 1");
    QTest::newRow("a stitch outside the pattern") << QByteArray(" 2 \r\n 1 \r\n 2 \r\n 0 \r\n 9 \r\n 9 \r\n");
    QTest::newRow("no such strip") << QByteArray(" 6 \r\n 0 \r\n");
}

void TestSwapHandlers::undoWithoutAUsableRecord()
{
    QFETCH(QByteArray, content);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    const Snapshot before = snapshot(load(f->work));
    swapDForA(*f);
    QFile::remove(QStringLiteral("puntela$"));
    if (!content.isEmpty()) {
        QFile file(QStringLiteral("puntela$"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    f->Command4_Click();
    QVERIFY(dialogs.shown.empty());
    QVERIFY(same(snapshot(load(f->work)), before));
    QVERIFY(!f->Command4->isEnabled());
}

void TestSwapHandlers::swapModeOff_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::newRow("after a swap: embroidery and chart redrawn") << true;
    QTest::newRow("without a swap: only the chart") << false;
}

void TestSwapHandlers::swapModeOff()
{
    QFETCH(bool, swapped);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    setPattern(*f);
    if (swapped) {
        swapDForA(*f);
    } else {
        setCheckValue(f->Check7, 1);
        f->work.Picture2.Cls();
    }
    f->Label3->setText(QStringLiteral("x"));
    ChartCounter chart(f->work.Picture11);
    setCheckValue(f->Check7, 0);
    QCOMPARE(chart.count, 1);
    QVERIFY(f->Picture12->isEnabled());
    QVERIFY(f->Picture13->isEnabled());
    QCOMPARE(f->Check7->text(), QStringLiteral("I"));
    QCOMPARE(f->work.Picture8[0].MousePointer(), 9);
    QVERIFY(!f->check8->isEnabled());
    QCOMPARE(f->Label3->text(), QString());
    QVERIFY(!f->Label1->isHidden());
    // pixel (1, 1) of a single-stitch cell is the thread colour; stitch (2, 0) was D, now A
    const Long expected = swapped ? A : f->work.Picture2.BackColor;
    QCOMPARE(f->work.Picture2.pixel(7, 1), expected);
}

void TestSwapHandlers::stripDrag_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("left");
    QTest::newRow("25 colours dragged far left: held at -46") << 25 << -300.0 << -46;
    QTest::newRow("25 colours dragged right: held at 4") << 25 << 300.0 << 4;
    QTest::newRow("25 colours dragged a little") << 25 << 80.0 << -16;
    QTest::newRow("20 colours do not scroll") << 20 << -300.0 << 4;
}

void TestSwapHandlers::stripDrag()
{
    QFETCH(int, n);
    QFETCH(double, to);
    WorkFolder folder;
    auto f = startedForm();
    load(f->work).num_tono = { 0, Integer(n), 0, 0, 0, 0 };
    f->Picture8_MouseDown(1, 1, 0, 100, 5);
    QCOMPARE(f->drag.arrastrando, True);
    f->Picture8_MouseMove(1, 1, 0, to, 5);
    QTEST(f->work.Picture8[1].Left(), "left");
    f->Picture8_MouseUp(1, 1, 0, to, 5);
    QCOMPARE(f->drag.arrastrando, False);
    f->Picture8_MouseMove(1, 0, 0, to - 50, 5);
    QTEST(f->work.Picture8[1].Left(), "left");
}

void TestSwapHandlers::stripMoveHidesMarkerAndPreviews()
{
    WorkFolder folder;
    auto f = startedForm();
    setPattern(*f);
    f->Picture9.move(52, 22);
    f->Picture8_MouseMove(2, 0, 0, 20, 5);
    QCOMPARE(f->Picture9.Left(), -15);
    QCOMPARE(f->Picture10.BackColor, E);
    QCOMPARE(f->Picture10.pixel(13, 13), E);
    // past the strip's end: no colour to show, the pointer back to the default, no drag
    f->setMousePointer(11);
    f->drag.arrastrando = True;
    f->Picture8_MouseMove(2, 1, 0, 5000, 5);
    QCOMPARE(f->Picture10.BackColor, E);
    QCOMPARE(f->mousePointer(), 0);
    QCOMPARE(f->work.Picture8[2].Left(), 4);
}

void TestSwapHandlers::scrollBarMovesAllStrips()
{
    WorkFolder folder;
    auto f = startedForm();
    f->HScroll1->setRange(0, 30);
    f->HScroll1->setValue(7);
    for (const Surface& strip : f->work.Picture8)
        QCOMPARE(strip.Left(), -66);
}

void TestSwapHandlers::personalCatalogue_data()
{
    QTest::addColumn<QList<int>>("threads"); // entries of the full catalogue picked, in order
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text1");
    QTest::newRow("one thread: count held at 3") << QList<int> { 10 } << 1 << "3";
    QTest::newRow("two threads: count held at 3") << QList<int> { 10, 200 } << 2 << "3";
    QTest::newRow("the same thread twice is added once") << QList<int> { 10, 10 } << 1 << "3";
    QTest::newRow("four threads") << QList<int> { 10, 200, 300, 400 } << 4 << "4";
}

void TestSwapHandlers::personalCatalogue()
{
    QFETCH(QList<int>, threads);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    QImage picture(int(threads.size()), 1, QImage::Format_RGB32);
    QByteArray expected;
    QList<int> added;
    for (int i = 0; i < threads.size(); ++i) {
        const color_dmc& d = f->work.state().dmc_todos[threads[i]];
        picture.setPixel(i, 0, qRgb(d.rojo, d.verde, d.azul));
        if (!added.contains(threads[i])) {
            added.append(threads[i]);
            expected += QStringLiteral("%1,%2,%3,%4\r\n").arg(d.numero).arg(d.rojo).arg(d.verde).arg(d.azul).toLatin1();
        }
    }
    f->work.Picture3.setPicture(picture);
    setCheckValue(f->Check10, 1);
    QVERIFY(f->Option1[4]->isChecked());
    QCOMPARE(f->work.Picture3.MousePointer(), 2);
    for (int i = 0; i < threads.size(); ++i) {
        f->Picture3_MouseDown(1, 0, i, 0);
        QCOMPARE(f->drag.arrastrando, False);
    }
    QCOMPARE(fileBytes(QStringLiteral("personal.txt")), expected);
    QTEST(int(f->work.state().num_dmc), "count");
    QTEST(f->ListView1->count(), "count");
    QTEST(f->Text1->text(), "text1");
    QCOMPARE(f->work.state().num_colores, Long(Val(f->Text1->text())));
    QCOMPARE(f->VScroll1->value(), int(Val(f->Text1->text())));
    const color_dmc& first = f->work.state().dmc_todos[threads[0]];
    QCOMPARE(f->work.state().dmc_activos[1].numero, first.numero);
    QVERIFY(dialogs.shown.empty());
}

void TestSwapHandlers::pickerToggle()
{
    WorkFolder folder;
    auto f = startedForm();
    setCheckValue(f->Check10, 1);
    QCOMPARE(f->work.Picture3.MousePointer(), 2);
    setCheckValue(f->Check10, 0);
    QCOMPARE(f->work.Picture3.MousePointer(), 5);
    QVERIFY(f->Option1[4]->isChecked());
    // choosing another catalogue ends the picking too
    setCheckValue(f->Check10, 1);
    f->Option1[1]->setChecked(true);
    QCOMPARE(checkValue(f->Check10), 0);
    QCOMPARE(f->work.Picture3.MousePointer(), 5);
}

void TestSwapHandlers::realPatternSwapUndoAndNewPattern()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    auto f = startedForm();
    f->work.Picture3.setPicture(gradientPicture(60, 45));
    f->Text4->setText(QStringLiteral("20"));
    f->Text5->setText(QStringLiteral("15"));
    f->Text1->setText(QStringLiteral("30"));
    int enter = 13;
    f->Text1_KeyPress(enter);
    f->Command1_Click();
    QVERIFY(dialogs.shown.empty());
    // the two longest groups give the pair
    int g1 = -1, g2 = -1;
    for (int g = 0; g < 6; ++g)
        if (f->work.state().num_tono[g] >= 2 && g1 < 0)
            g1 = g;
        else if (f->work.state().num_tono[g] >= 1 && g2 < 0)
            g2 = g;
    QVERIFY(g1 >= 0 && g2 >= 0);
    const Snapshot before = snapshot(load(f->work));
    const QImage chartBefore = f->work.Picture11.Image().copy();
    setCheckValue(f->Check7, 1);
    f->Picture8_MouseDown(g1, 1, 0, 15, 5);
    f->Picture8_MouseUp(g1, 1, 0, 15, 5);
    f->Picture8_MouseDown(g2, 1, 0, 5, 5);
    QCOMPARE(f->work.state().num_tono[g2], Integer(before.counts[g2] - 1));
    QVERIFY(stitchesOfColour(load(f->work), before.groups[g2][0]).empty());
    f->Command4_Click();
    QVERIFY(same(snapshot(load(f->work)), before));
    QCOMPARE(f->work.Picture11.Image(), chartBefore);
    // a new pattern makes the last swap's record useless
    f->Picture8_MouseDown(g1, 1, 0, 15, 5);
    f->Picture8_MouseUp(g1, 1, 0, 15, 5);
    f->Picture8_MouseDown(g2, 1, 0, 5, 5);
    QVERIFY(f->Command4->isEnabled());
    setCheckValue(f->Check7, 0);
    f->Command1_Click();
    QVERIFY(!f->Command4->isEnabled());
    QVERIFY(dialogs.shown.empty());
}

QTEST_MAIN(TestSwapHandlers)
#include "tst_swap_handlers.moc"
