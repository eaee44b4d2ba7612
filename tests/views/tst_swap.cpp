// The colour swap on the palette and the grid, and its undo, without a window.
#include "views/swap.h"

#include <QtTest>
#include <memory>

namespace {
// A 4 x 3 pattern over three groups: group 1 {A, B}, group 3 {C, D, E}, group 6 {F}.
constexpr Long A = 0x1111aa, B = 0x2222bb, C = 0x33cc33, D = 0x44dd44, E = 0x55ee55, F = 0x666666;

std::unique_ptr<WorkState> pattern()
{
    auto st = std::make_unique<WorkState>();
    st->ancho_puntos = 4;
    st->alto_puntos = 3;
    const Long rows[3][4] = { { A, C, D, A }, { D, D, F, B }, { E, A, C, D } };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            st->puntos(x, y) = rows[y][x];
    st->tono[0][0] = A;
    st->tono[0][1] = B;
    st->num_tono[0] = 2;
    st->tono[2][0] = C;
    st->tono[2][1] = D;
    st->tono[2][2] = E;
    st->num_tono[2] = 3;
    st->tono[5][0] = F;
    st->num_tono[5] = 1;
    return st;
}

std::vector<Long> group(const WorkState& st, int g)
{
    return std::vector<Long>(st.tono[g].begin(), st.tono[g].begin() + st.num_tono[g]);
}
} // namespace

class TestSwap : public QObject {
    Q_OBJECT
private slots:
    void swatchIsPaletteEntry_data();
    void swatchIsPaletteEntry();
    void swapBetweenGroups();
    void stitchesListedRowByRow();
    void swapThenUndoRestoresEverything_data();
    void swapThenUndoRestoresEverything();
    void recordThatDoesNotFitChangesNothing_data();
    void recordThatDoesNotFitChangesNothing();
};

void TestSwap::swatchIsPaletteEntry_data()
{
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("k");
    QTest::addColumn<Long>("c");
    QTest::addColumn<bool>("entry");
    QTest::newRow("last swatch of group 3") << 2 << 2 << E << true;
    QTest::newRow("past the last swatch") << 2 << 3 << Long(0xffffff) << false;
    QTest::newRow("empty group") << 1 << 0 << Long(0xffffff) << false;
    QTest::newRow("colour read is not the entry's") << 0 << 1 << A << false;
    QTest::newRow("negative position") << 0 << -1 << A << false;
}

void TestSwap::swatchIsPaletteEntry()
{
    QFETCH(int, g);
    QFETCH(int, k);
    QFETCH(Long, c);
    QTEST(isPaletteSwatch(*pattern(), g, k, c), "entry");
}

void TestSwap::swapBetweenGroups()
{
    // A (group 1) stays, D (group 3, entry 1) goes
    auto st = pattern();
    const SwapRecord r = planSwap(*st, 2, 1);
    applySwap(*st, r, A);
    QCOMPARE(group(*st, 2), (std::vector<Long> { C, E }));
    QCOMPARE(group(*st, 0), (std::vector<Long> { A, B }));
    QCOMPARE(st->tono[2][2], E); // the array behind the count is left as it was
    QCOMPARE(stitchesOfColour(*st, D).size(), std::size_t(0));
    QCOMPARE(stitchesOfColour(*st, A).size(), std::size_t(7));
    QCOMPARE(st->puntos(2, 1), F);
}

void TestSwap::stitchesListedRowByRow()
{
    const SwapRecord r = planSwap(*pattern(), 2, 1);
    const std::vector<StitchPos> expected = { { 2, 0 }, { 0, 1 }, { 1, 1 }, { 3, 2 } };
    QCOMPARE(r.stitches, expected);
    QCOMPARE(r.group0, 2);
    QCOMPARE(r.position, 1);
}

void TestSwap::swapThenUndoRestoresEverything_data()
{
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("k");
    QTest::addColumn<Long>("nuevo");
    QTest::newRow("first entry of a group") << 2 << 0 << D;
    QTest::newRow("middle entry, colour from another group") << 2 << 1 << F;
    QTest::newRow("last entry of a group") << 2 << 2 << C;
    QTest::newRow("only entry of a group") << 5 << 0 << B;
    QTest::newRow("colour of a single stitch") << 0 << 1 << A;
}

void TestSwap::swapThenUndoRestoresEverything()
{
    QFETCH(int, g);
    QFETCH(int, k);
    QFETCH(Long, nuevo);
    auto before = pattern();
    auto st = pattern();
    const Long viejo = st->tono[g][k];
    const SwapRecord r = planSwap(*st, g, k);
    applySwap(*st, r, nuevo);
    QVERIFY(!(st->puntos == before->puntos) || r.stitches.empty());
    QVERIFY(undoSwap(*st, r, viejo));
    QVERIFY(st->puntos == before->puntos);
    QCOMPARE(st->num_tono, before->num_tono);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(group(*st, i), group(*before, i));
}

void TestSwap::recordThatDoesNotFitChangesNothing_data()
{
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("strip 6 does not exist") << 6 << 0 << 0 << 0;
    QTest::newRow("negative strip") << -1 << 0 << 0 << 0;
    QTest::newRow("position past the end of the group") << 0 << 3 << 0 << 0;
    QTest::newRow("column outside the pattern") << 0 << 1 << 4 << 0;
    QTest::newRow("row outside the pattern") << 0 << 1 << 0 << 3;
    QTest::newRow("negative column") << 0 << 1 << -1 << 0;
}

void TestSwap::recordThatDoesNotFitChangesNothing()
{
    QFETCH(int, g);
    QFETCH(int, p);
    QFETCH(int, column);
    QFETCH(int, row);
    auto before = pattern();
    auto st = pattern();
    SwapRecord r;
    r.group0 = g;
    r.position = p;
    r.stitches = { { 1, 1 }, { column, row } };
    QVERIFY(!undoSwap(*st, r, 0x123456));
    QVERIFY(st->puntos == before->puntos);
    QCOMPARE(st->num_tono, before->num_tono);
    QCOMPARE(group(*st, 0), group(*before, 0));
}

QTEST_APPLESS_MAIN(TestSwap)
#include "tst_swap.moc"
