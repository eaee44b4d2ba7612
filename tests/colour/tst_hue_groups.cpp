// The hue groups: which group a colour falls in, the order inside a group by either key, colours
// listed once, the progress 80..90 and the one-stitch error.
#include "colour/hue_groups.h"

#include <QtTest>

namespace {
using Colours = QVector<Long>;

WorkState withStitches(const Colours& stitches)
{
    WorkState st;
    for (int k = 0; k < stitches.size(); ++k)
        st.lista_puntos[std::size_t(k)] = stitches[k];
    st.num_puntos = Long(stitches.size());
    return st;
}

Colours groupList(const WorkState& st, int K)
{
    const std::vector<Long>& t = st.tono[std::size_t(K - 1)];
    return Colours(t.begin(), t.begin() + st.num_tono[std::size_t(K - 1)]);
}
} // namespace

class TestHueGroups : public QObject {
    Q_OBJECT
private slots:
    void groupOfColour_data();
    void groupOfColour();
    void sortedLists_data();
    void sortedLists();
    void keysFollowTheList();
    void progressRunsFromEightyToNinety();
    void oneStitchIsAnError();
    void noStitchLeavesTheGroupsEmpty();
};

void TestHueGroups::groupOfColour_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<int>("group");
    QTest::newRow("red above green above blue") << RGB(100, 30, 5) << 1;
    QTest::newRow("red, green equal to blue") << RGB(200, 10, 10) << 2;
    QTest::newRow("red, blue above green") << RGB(200, 10, 60) << 2;
    QTest::newRow("green, red above blue") << RGB(100, 200, 50) << 3;
    QTest::newRow("green, red equal to blue") << RGB(50, 200, 50) << 4;
    QTest::newRow("blue with red above green") << RGB(100, 50, 200) << 5;
    QTest::newRow("red equal to blue, above green") << RGB(200, 100, 200) << 5;
    QTest::newRow("blue with green above red") << RGB(50, 100, 200) << 6;
    QTest::newRow("red equal to green, above blue") << RGB(120, 120, 60) << 6;
    QTest::newRow("white") << RGB(255, 255, 255) << 6;
    QTest::newRow("black") << Long(0) << 6;
}

void TestHueGroups::groupOfColour()
{
    QFETCH(Long, colour);
    QFETCH(int, group);
    QCOMPARE(hueGroup(split(colour)), group);
    WorkState st = withStitches({ colour, colour });
    separa(st, Progress());
    QCOMPARE(groupList(st, group), Colours { colour });
    QCOMPARE(st.paletteSize(), 1);
}

void TestHueGroups::sortedLists_data()
{
    QTest::addColumn<bool>("byLeading");
    QTest::addColumn<Colours>("stitches");
    QTest::addColumn<int>("group");
    QTest::addColumn<Colours>("expected");
    QTest::newRow("brightest first, a repeated colour listed once")
        << false << Colours { RGB(100, 30, 5), RGB(200, 60, 10), RGB(100, 30, 5) } << 1
        << Colours { RGB(200, 60, 10), RGB(100, 30, 5) };
    QTest::newRow("equal sums keep the order first seen")
        << false << Colours { RGB(250, 120, 10), RGB(200, 170, 10), RGB(250, 120, 10) } << 1
        << Colours { RGB(250, 120, 10), RGB(200, 170, 10) };
    QTest::newRow("equal sums seen the other way round") << false << Colours { RGB(200, 170, 10), RGB(250, 120, 10) }
                                                         << 1 << Colours { RGB(200, 170, 10), RGB(250, 120, 10) };
    QTest::newRow("by red in group 1") << true << Colours { RGB(200, 170, 10), RGB(250, 120, 10) } << 1
                                       << Colours { RGB(250, 120, 10), RGB(200, 170, 10) };
    // sums 200 and 240, greens 150 and 120
    QTest::newRow("by green in group 3") << true << Colours { RGB(40, 150, 10), RGB(100, 120, 20) } << 3
                                         << Colours { RGB(40, 150, 10), RGB(100, 120, 20) };
    QTest::newRow("by sum in group 3") << false << Colours { RGB(40, 150, 10), RGB(100, 120, 20) } << 3
                                       << Colours { RGB(100, 120, 20), RGB(40, 150, 10) };
    // blues 200 and 180, sums 230 and 420
    QTest::newRow("by blue in group 6") << true << Colours { RGB(120, 120, 180), RGB(10, 20, 200) } << 6
                                        << Colours { RGB(10, 20, 200), RGB(120, 120, 180) };
    QTest::newRow("white before black, greys between")
        << false << Colours { 0, RGB(128, 128, 128), RGB(255, 255, 255), 0 } << 6
        << Colours { RGB(255, 255, 255), RGB(128, 128, 128), 0 };
    QTest::newRow("equal reds keep the order first seen")
        << true << Colours { RGB(200, 50, 10), RGB(200, 150, 10), RGB(200, 100, 10) } << 1
        << Colours { RGB(200, 50, 10), RGB(200, 150, 10), RGB(200, 100, 10) };
}

void TestHueGroups::sortedLists()
{
    QFETCH(bool, byLeading);
    QFETCH(Colours, stitches);
    QFETCH(int, group);
    QFETCH(Colours, expected);
    WorkState st = withStitches(stitches);
    if (byLeading)
        separa1(st, Progress());
    else
        separa(st, Progress());
    QCOMPARE(groupList(st, group), expected);
    QCOMPARE(st.paletteSize(), int(expected.size()));
    QCOMPARE(st.listo, True);
}

void TestHueGroups::keysFollowTheList()
{
    WorkState st = withStitches({ RGB(10, 20, 200), RGB(120, 120, 180), RGB(10, 20, 200) });
    st.tono[5][7] = 123;
    st.brillo[0][3] = 9;
    separa(st, Progress());
    QCOMPARE(st.brillo[5][0], Long(420));
    QCOMPARE(st.brillo[5][1], Long(230));
    // what an earlier pattern left behind is cleared
    QCOMPARE(st.tono[5][7], Long(0));
    QCOMPARE(st.brillo[0][3], Long(0));
    separa1(st, Progress());
    QCOMPARE(st.brillo[5][0], Long(200));
    QCOMPARE(st.brillo[5][1], Long(180));
}

void TestHueGroups::progressRunsFromEightyToNinety()
{
    Colours stitches;
    for (int k = 0; k < 9; ++k)
        stitches << RGB(10 * k, 0, 0);
    WorkState st = withStitches(stitches);
    QStringList figures;
    QList<int> pointers;
    Progress p;
    p.figure = [&](const QString& s) { figures << s; };
    p.pointer = [&](int k) { pointers << k; };
    separa(st, p);
    // k = 0, 4, 8 of 8
    QCOMPARE(figures, (QStringList { "80", "85", "90" }));
    QCOMPARE(pointers, (QList<int> { 11, 0 }));
}

void TestHueGroups::oneStitchIsAnError()
{
    WorkState st = withStitches({ RGB(1, 2, 3) });
    st.num_tono[2] = 4;
    QStringList errors;
    Progress p;
    p.error = [&](const QString& s) { errors << s; };
    separa(st, p);
    QCOMPARE(errors, QStringList { "Debe haber más de un color" });
    QCOMPARE(st.paletteSize(), 0);
    QCOMPARE(st.listo, False);
}

void TestHueGroups::noStitchLeavesTheGroupsEmpty()
{
    WorkState st = withStitches({});
    st.num_tono[0] = 3;
    QStringList errors;
    Progress p;
    p.error = [&](const QString& s) { errors << s; };
    separa(st, p);
    QVERIFY(errors.isEmpty());
    QCOMPARE(st.paletteSize(), 0);
    QCOMPARE(st.listo, True);
}

QTEST_MAIN(TestHueGroups)
#include "tst_hue_groups.moc"
