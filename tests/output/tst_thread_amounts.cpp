// Thread per colour, skeins and the finished size on the fabric.
#include "output/thread_amounts.h"

#include <QtTest>

class TestThreadAmounts : public QObject {
    Q_OBJECT
private slots:
    void lengthAndSkeins_data();
    void lengthAndSkeins();
    void finishedSizeAndFabric_data();
    void finishedSizeAndFabric();
    void threadsInNumberOrderWithCsv();
};

void TestThreadAmounts::lengthAndSkeins_data()
{
    QTest::addColumn<long>("stitches");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("strands");
    QTest::addColumn<double>("waste");
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("skeins");
    QTest::newRow("1,000 at 14-count, 2 strands, no waste") << 1000L << 14 << 2 << 0.0 << 17.52 << 1;
    QTest::newRow("5,000 with 20 % waste") << 5000L << 14 << 2 << 0.2 << 105.12 << 3;
    QTest::newRow("one stitch still one skein") << 1L << 14 << 2 << 0.2 << 0.02 << 1;
    QTest::newRow("18-count, 3 strands") << 2000L << 18 << 3 << 0.0 << 40.88 << 1;
    QTest::newRow("just over one skein takes two") << 2740L << 14 << 2 << 0.0 << 48.01 << 2;
}

void TestThreadAmounts::lengthAndSkeins()
{
    QFETCH(long, stitches);
    QFETCH(int, count);
    QFETCH(int, strands);
    QFETCH(double, waste);
    QFETCH(double, metres);
    QFETCH(int, skeins);
    const double m = threadMetres(stitches, { count, strands, waste });
    QCOMPARE(QString::number(m, 'f', 2), QString::number(metres, 'f', 2));
    QCOMPARE(skeinsFor(m), skeins);
}

void TestThreadAmounts::finishedSizeAndFabric_data()
{
    QTest::addColumn<int>("fabric");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("toBuy");
    QTest::newRow("100 x 80 on 14-count Aida") << 1 << "18.1 × 14.5 cm (7.1 × 5.7 in)"
                                               << "28.1 × 24.5 cm (11.1 × 9.7 in)";
    QTest::newRow("28-count evenweave over two is 14") << 5 << "18.1 × 14.5 cm (7.1 × 5.7 in)"
                                                       << "28.1 × 24.5 cm (11.1 × 9.7 in)";
    QTest::newRow("11-count Aida") << 0 << "23.1 × 18.5 cm (9.1 × 7.3 in)"
                                   << "33.1 × 28.5 cm (13.1 × 11.3 in)";
}

void TestThreadAmounts::finishedSizeAndFabric()
{
    QFETCH(int, fabric);
    QFETCH(QString, size);
    QFETCH(QString, toBuy);
    const FinishedSize f = finishedSize(100, 80, fabrics()[std::size_t(fabric)].stitchesPerInch);
    QCOMPARE(f.sizeText(), size);
    QCOMPARE(f.fabricText(), toBuy);
}

void TestThreadAmounts::threadsInNumberOrderWithCsv()
{
    Pattern p;
    p.width = 4;
    p.height = 2;
    p.palette = { { 310, 0, QStringLiteral("■") }, { 1, 0xFFFFFF, QStringLiteral("▲") },
        { 208, 0x800080, QStringLiteral("●") }, { 550, 0x400040, QStringLiteral("◆") } };
    p.cells = { 0, 0, 0, 1, 2, -1, 2, 0 };
    const std::vector<ThreadAmount> t = threadAmounts(p, {});
    // thread 550 has no stitch and is left out; Ecru (1) comes before 208 and 310
    QCOMPARE(int(t.size()), 3);
    QCOMPARE(t[0].code, QStringLiteral("DMC Ecru"));
    QCOMPARE(t[1].numero, 208L);
    QCOMPARE(t[1].symbol, QStringLiteral("●"));
    QCOMPARE(t[2].stitches, 4L);
    QCOMPARE(QString::fromUtf8(threadsCsv(t)),
        QStringLiteral("number,name,stitches,metres,skeins\n"
                       "Ecru,Ecru,1,0.02,1\n"
                       "208,Lavender Very Dark,2,0.04,1\n"
                       "310,Black,4,0.08,1\n"));
}

QTEST_MAIN(TestThreadAmounts)
#include "tst_thread_amounts.moc"
