// Nearest-thread search: hue cells, ties, the fallback to entry 1, the three answers (colour of
// the active and of the full catalogue, label) and the remembered answers of the reading matcher.
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "colour/matching.h"

#include <QtTest>
#include <random>

namespace {
struct Thread {
    Long numero;
    int r, g, b;
};

// A work state whose active catalogue holds exactly these threads.
WorkState withActive(const std::vector<Thread>& threads)
{
    WorkState st;
    for (std::size_t i = 0; i < threads.size(); ++i) {
        const Thread& t = threads[i];
        st.dmc_activos[i + 1] = { t.numero, Integer(t.r), Integer(t.g), Integer(t.b) };
    }
    st.num_dmc = Integer(threads.size());
    return st;
}

std::vector<color_dmc> deliveredCatalogue()
{
    std::vector<color_dmc> all(kCatalogueSize);
    const CatalogueRead r = readCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), all, kFullCatalogue);
    if (!r.error.isEmpty() || r.count != kFullCatalogue)
        qFatal("the delivered catalogue cannot be read");
    return all;
}
} // namespace

class TestMatching : public QObject {
    Q_OBJECT
private slots:
    void cellOfColour_data();
    void cellOfColour();
    void nearestEntry_data();
    void nearestEntry();
    void emptyCatalogueGivesWhatEntryOneHolds();
    void answersAreThreadColours();
    void fullCatalogueIsSearchedByDmck();
    void labels_data();
    void labels();
    void threadTips_data();
    void threadTips();
    void matcherAgreesWithPlainSearch();
    void cachedMatcherFollowsCatalogueChanges();
};

void TestMatching::cellOfColour_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("cell");
    QTest::newRow("red, green above blue") << 200 << 100 << 50 << 0;
    QTest::newRow("red, green equal to blue") << 200 << 10 << 10 << 1;
    QTest::newRow("grey is red class, blue not below green") << 90 << 90 << 90 << 1;
    QTest::newRow("red equal to green goes to the red class") << 120 << 120 << 60 << 0;
    QTest::newRow("green, red above blue") << 100 << 200 << 50 << 2;
    QTest::newRow("green, red equal to blue") << 50 << 200 << 50 << 3;
    QTest::newRow("green equal to blue goes to the green class") << 10 << 200 << 200 << 3;
    QTest::newRow("blue, red above green") << 100 << 50 << 200 << 4;
    QTest::newRow("blue, red equal to green") << 50 << 50 << 200 << 5;
}

void TestMatching::cellOfColour()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(int, cell);
    QCOMPARE(matchCell(r, g, b), cell);
    QVERIFY(threadAdmissible(cell, r, g, b));
}

void TestMatching::nearestEntry_data()
{
    QTest::addColumn<QVector<int>>("catalogue"); // r, g, b per thread
    QTest::addColumn<Long>("colour");
    QTest::addColumn<int>("position");
    // a strongly blue colour among reds only: no thread is admissible
    QTest::newRow("nothing admissible gives entry 1")
        << QVector<int> { 250, 10, 10, 200, 50, 40, 180, 90, 20 } << RGB(10, 20, 240) << 1;
    QTest::newRow("the nearest admissible entry")
        << QVector<int> { 250, 10, 10, 200, 50, 40, 180, 90, 20 } << RGB(190, 80, 30) << 3;
    QTest::newRow("equal distances: the later entry")
        << QVector<int> { 110, 50, 40, 100, 60, 40, 90, 50, 40 } << RGB(100, 50, 40) << 3;
    QTest::newRow("a closer thread of another cell is never chosen")
        << QVector<int> { 100, 101, 50, 150, 90, 20 } << RGB(100, 99, 50) << 2;
    // grey matches only r >= b >= g: (101, 100, 99) is closer but has g > b
    QTest::newRow("grey only matches r >= b >= g")
        << QVector<int> { 101, 100, 99, 120, 80, 100, 60, 60, 60 } << RGB(100, 100, 100) << 2;
    QTest::newRow("grey with no thread of its cell gives entry 1")
        << QVector<int> { 101, 100, 99, 30, 200, 10 } << RGB(100, 100, 100) << 1;
    QTest::newRow("-1 is matched as white") << QVector<int> { 0, 0, 0, 250, 250, 250, 255, 250, 240 } << Long(-1) << 2;
}

void TestMatching::nearestEntry()
{
    QFETCH(QVector<int>, catalogue);
    QFETCH(Long, colour);
    QFETCH(int, position);
    std::vector<Thread> threads;
    for (int i = 0; i + 2 < catalogue.size(); i += 3)
        threads.push_back({ 100 + i, catalogue[i], catalogue[i + 1], catalogue[i + 2] });
    WorkState st = withActive(threads);
    QCOMPARE(nearestThread(st.dmc_activos, st.num_dmc, colour), position);
    ThreadMatcher matcher(st.dmc_activos, st.num_dmc);
    QCOMPARE(matcher.nearest(colour), position);
    const Thread& t = threads[std::size_t(position - 1)];
    QCOMPARE(dmcj(st, colour), RGB(t.r, t.g, t.b));
}

void TestMatching::emptyCatalogueGivesWhatEntryOneHolds()
{
    WorkState st = withActive({ { 321, 40, 30, 20 }, { 322, 0, 0, 250 } });
    st.num_dmc = 0;
    QCOMPARE(dmcj(st, RGB(0, 0, 250)), RGB(40, 30, 20));
    ThreadMatcher matcher(st.dmc_activos, st.num_dmc);
    QCOMPARE(matcher.nearestColour(RGB(0, 0, 250)), RGB(40, 30, 20));
    WorkState fresh;
    fresh.num_dmc = 0;
    QCOMPARE(dmcj(fresh, RGB(255, 255, 255)), Long(0));
}

void TestMatching::answersAreThreadColours()
{
    WorkState st = withActive({ { 415, 128, 128, 128 }, { 666, 250, 10, 10 } });
    QCOMPARE(dmcj(st, RGB(120, 120, 120)), Long(8421504));
    QCOMPARE(dmcj(st, RGB(255, 0, 0)), RGB(250, 10, 10));
}

void TestMatching::fullCatalogueIsSearchedByDmck()
{
    WorkState st = withActive({ { 666, 250, 10, 10 } });
    st.dmc_todos = deliveredCatalogue();
    const Long blue = RGB(20, 40, 200);
    QCOMPARE(dmcj(st, blue), RGB(250, 10, 10));
    const color_dmc& e = st.dmc_todos[std::size_t(nearestThread(st.dmc_todos, kFullCatalogue, blue))];
    QCOMPARE(dmck(st, blue), RGB(e.rojo, e.verde, e.azul));
    QVERIFY(e.azul >= e.rojo && e.azul >= e.verde);
}

void TestMatching::labels_data()
{
    QTest::addColumn<Long>("numero");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("label");
    QTest::newRow("number 1 is Ecru even when white") << Long(1) << 255 << 255 << 255 << " Ecru";
    QTest::newRow("number 1 is Ecru") << Long(1) << 240 << 234 << 218 << " Ecru";
    QTest::newRow("pure white of another number is Blanco") << Long(5200) << 255 << 255 << 255 << " Blanco";
    QTest::newRow("number 0 that is not pure white keeps its number") << Long(0) << 250 << 250 << 250 << " 0";
    QTest::newRow("a plain number after a space") << Long(310) << 0 << 0 << 0 << " 310";
}

void TestMatching::labels()
{
    QFETCH(Long, numero);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QString, label);
    const WorkState st = withActive({ { numero, r, g, b } });
    QCOMPARE(dmci(st, RGB(r, g, b)), label);
}

void TestMatching::threadTips_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<QString>("tip");
    QTest::newRow("black: number and name") << RGB(0, 0, 0) << "DMC 310 Black";
    QTest::newRow("nearest thread of the catalogue") << RGB(128, 90, 140) << "DMC 208 Lavender Very Dark";
    QTest::newRow("white: the code alone") << RGB(255, 255, 255) << "DMC Blanc";
    QTest::newRow("ecru: the code alone") << RGB(240, 234, 218) << "DMC Ecru";
    QTest::newRow("a number without a name") << RGB(10, 200, 10) << "DMC 99999";
}

void TestMatching::threadTips()
{
    QFETCH(Long, colour);
    QFETCH(QString, tip);
    const WorkState st = withActive({ { 310, 0, 0, 0 }, { 208, 131, 91, 139 }, { 0, 255, 255, 255 },
        { 1, 240, 234, 218 }, { 99999, 10, 200, 10 } });
    QCOMPARE(threadTip(st, colour), tip);
}

void TestMatching::matcherAgreesWithPlainSearch()
{
    const std::vector<color_dmc> all = deliveredCatalogue();
    std::mt19937 random(7);
    for (const int count : { kFullCatalogue, 112, 20 }) {
        ThreadMatcher matcher(all, count);
        for (int k = 0; k < 60000; ++k) {
            // half of the colours near grey, where the cells meet and ties are common
            Long c = Long(random() & 0xFFFFFF);
            if (k % 2) {
                const int v = int(random() % 256), d = int(random() % 7) - 3, e = int(random() % 7) - 3;
                c = RGB(v, std::clamp(v + d, 0, 255), std::clamp(v + e, 0, 255));
            }
            const int expected = nearestThread(all, count, c);
            if (matcher.nearest(c) != expected)
                QFAIL(qPrintable(QStringLiteral("colour %1 with %2 threads: %3, not %4")
                                     .arg(hox(c))
                                     .arg(count)
                                     .arg(matcher.nearest(c))
                                     .arg(expected)));
        }
    }
}

void TestMatching::cachedMatcherFollowsCatalogueChanges()
{
    std::vector<color_dmc> cat = deliveredCatalogue();
    const Long c = RGB(200, 40, 30);
    const int first = cachedMatcher(cat, 112).nearest(c);
    QCOMPARE(first, nearestThread(cat, 112, c));
    // the same thread moved onto the colour itself, then a thread added after it with the colour
    cat[std::size_t(first)].verde = 40;
    cat[std::size_t(first)].rojo = 200;
    cat[std::size_t(first)].azul = 30;
    QCOMPARE(cachedMatcher(cat, 112).nearestColour(c), c);
    cat[113] = { 9999, 200, 40, 30 };
    QCOMPARE(cachedMatcher(cat, 113).nearest(c), 113);
    QCOMPARE(cachedMatcher(cat, 112).nearest(c), first);
    const ThreadMatcher& kept = cachedMatcher(cat, 112);
    QVERIFY(kept.holds(cat, 112));
    cat[std::size_t(first)].numero = 9998;
    QVERIFY(!kept.holds(cat, 112));
}

QTEST_MAIN(TestMatching)
#include "tst_matching.moc"
