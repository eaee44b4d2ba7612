// Clean-up after the palette step: rare colours merged into their nearest, small patches taken
// over by their neighbours, and the palette groups kept in step with the stitches.
#include "colour/clean_up.h"
#include "colour/colour_value.h"
#include "colour/delta_e.h"

#include <QtTest>

namespace {
const Long kWhite = RGB(255, 255, 255), kGrey = RGB(128, 128, 128), kBlack = 0;
const Long kRed = RGB(220, 30, 20), kDarkRed = RGB(150, 20, 20), kBlue = RGB(20, 30, 200);
const Long kNearRed = RGB(223, 31, 22);

// A pattern drawn from rows of letters: '.' white, 'g' grey, 'k' black, 'r' red, 'd' dark red,
// 'b' blue; the palette holds the colours in that order, red ones in group 2, blue in 5, the
// greys in 6.
WorkState drawn(const QStringList& rows)
{
    WorkState st;
    st.alto_puntos = Integer(rows.size());
    st.ancho_puntos = Integer(rows[0].size());
    const QString letters = QStringLiteral(".gkrdb");
    const Long colours[] = { kWhite, kGrey, kBlack, kRed, kDarkRed, kBlue };
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            st.puntos(x, y) = colours[letters.indexOf(rows[y][x])];
    st.tono[1] = { kRed, kDarkRed };
    st.tono[4] = { kBlue };
    st.tono[5] = { kWhite, kGrey, kBlack };
    for (auto& t : st.tono)
        t.resize(kGroupSize);
    st.num_tono = { 0, 2, 0, 0, 1, 3 };
    st.num_colores = 6;
    return st;
}

QStringList picture(const WorkState& st)
{
    QStringList rows;
    const Long colours[] = { kWhite, kGrey, kBlack, kRed, kDarkRed, kBlue };
    for (int y = 0; y < st.alto_puntos; ++y) {
        QString row;
        for (int x = 0; x < st.ancho_puntos; ++x)
            for (int k = 0; k < 6; ++k)
                if (colours[k] == st.puntos(x, y))
                    row += QStringLiteral(".gkrdb")[k];
        rows << row;
    }
    return rows;
}
} // namespace

class TestCleanUp : public QObject {
    Q_OBJECT
private slots:
    void smallPatches_data();
    void smallPatches();
    void neighbourTies_data();
    void neighbourTies();
    void mergingMovesOnlyTheRareColour();
    void mergingStopsAtOneColour();
    void optionsOffChangeNothing();
};

void TestCleanUp::smallPatches_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("a lone stitch is absorbed")
        << 2 << QStringList { "....", ".r..", "...." } << QStringList { "....", "....", "...." };
    QTest::newRow("a 3-cell patch is kept at 2") << 2 << QStringList { ".....", ".rr..", "..r..", "....." }
                                                 << QStringList { ".....", ".rr..", "..r..", "....." };
    QTest::newRow("the same patch goes at 3") << 3 << QStringList { ".....", ".rr..", "..r..", "....." }
                                              << QStringList { ".....", ".....", ".....", "....." };
    QTest::newRow("diagonal stitches are one patch")
        << 1 << QStringList { "r...", ".r..", "...." } << QStringList { "r...", ".r..", "...." };
    // dark red is nearer to red than black is, though black has more neighbouring cells
    QTest::newRow("the nearest neighbour colour wins")
        << 1 << QStringList { "kdd", "krk", "kkk" } << QStringList { "kdd", "kdk", "kkk" };
    QTest::newRow("every lone stitch in one pass")
        << 1 << QStringList { "b.k", "...", "..." } << QStringList { "...", "...", "..." };
    QTest::newRow("a pattern of one patch stays") << 5 << QStringList { "rr", "rr" } << QStringList { "rr", "rr" };
}

void TestCleanUp::smallPatches()
{
    QFETCH(int, size);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    WorkState st = drawn(before);
    removeLoneStitches(st, size);
    QCOMPARE(picture(st), after);
    // a colour left without stitches leaves the palette
    const bool redLeft = after.join(QString()).contains(QLatin1Char('r'));
    QCOMPARE(int(st.num_tono[1]), int(redLeft) + int(after.join(QString()).contains(QLatin1Char('d'))));
    QCOMPARE(int(st.num_colores), st.paletteSize());
}

void TestCleanUp::neighbourTies_data()
{
    // 'd' stands for a red within 1.0 of red here, so the blue stitch's two neighbour colours tie
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<Long>("taken");
    QTest::newRow("more neighbouring cells win (the near red)") << QStringList { "ddd", "dbd", "rrr" } << kNearRed;
    QTest::newRow("more neighbouring cells win (red)") << QStringList { "rrr", "rbr", "ddd" } << kRed;
    QTest::newRow("as many cells: the lower palette index") << QStringList { "ddr", "dbr", "drr" } << kRed;
}

void TestCleanUp::neighbourTies()
{
    QFETCH(QStringList, before);
    QFETCH(Long, taken);
    WorkState st = drawn(before);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            if (st.puntos(x, y) == kDarkRed)
                st.puntos(x, y) = kNearRed;
    st.tono[1][1] = kNearRed;
    QVERIFY(deltaE2000(kRed, kNearRed) < 1.0);
    removeLoneStitches(st, 1);
    QCOMPARE(st.puntos(1, 1), taken);
}

void TestCleanUp::mergingMovesOnlyTheRareColour()
{
    // dark red has 3 stitches, fewer than 4: they become red, nearest by ΔE2000; the rest stays
    WorkState st = drawn({ "rrrr....", "rrd.kkkk", "dd..gggg", "bbbbgggg" });
    mergeRareColours(st, 4);
    QCOMPARE(picture(st), (QStringList { "rrrr....", "rrr.kkkk", "rr..gggg", "bbbbgggg" }));
    QCOMPARE(int(st.num_tono[1]), 1);
    QCOMPARE(st.tono[1][0], kRed);
    QCOMPARE(int(st.num_tono[5]), 3);
    QCOMPARE(int(st.num_colores), 5);
}

void TestCleanUp::mergingStopsAtOneColour()
{
    WorkState st = drawn({ "r.", "kb" });
    mergeRareColours(st, 100);
    QCOMPARE(st.paletteSize(), 1);
    const Long only = st.puntos(0, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            QCOMPARE(st.puntos(x, y), only);
}

void TestCleanUp::optionsOffChangeNothing()
{
    WorkState st = drawn({ "r...", ".d.k" });
    const WorkState before = st;
    QVERIFY(!applyPaletteOptions(st, ColourOptions()));
    QVERIFY(st.puntos == before.puntos);
    QCOMPARE(st.num_tono, before.num_tono);
    ColourOptions clean;
    clean.clean = true;
    QVERIFY(applyPaletteOptions(st, clean));
    QCOMPARE(picture(st), (QStringList { "....", "...." }));
}

QTEST_APPLESS_MAIN(TestCleanUp)
#include "tst_clean_up.moc"
