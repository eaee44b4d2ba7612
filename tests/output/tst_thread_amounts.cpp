// Thread per colour, skeins and the finished size on the fabric.
#include "output/thread_amounts.h"
#include "surface/colour_rgb.h"

#include <QtTest>

class TestThreadAmounts : public QObject {
    Q_OBJECT
private slots:
    void lengthAndSkeins_data();
    void lengthAndSkeins();
    void finishedSizeAndFabric_data();
    void finishedSizeAndFabric();
    void threadsInNumberOrderWithCsv();
    void backstitchKnotsBeadsAndPartStitches();
};

void TestThreadAmounts::backstitchKnotsBeadsAndPartStitches()
{
    Pattern p;
    p.width = p.height = 2;
    p.palette = { { 310, 0, QStringLiteral("A") } };
    p.cells = { 0, 0, 0, 0 };
    StitchExtras& x = p.extras;
    x.threads = { { 310, 0, {} }, { 666, RGB(227, 29, 66), {} }, { 444, RGB(255, 214, 0), {} }, { 321, 0x3B2BC7, {} } };
    // 310: a half stitch and a three-quarter one besides its four crosses
    x.parts = { { 0, 0, 0, -1, 3, {} }, { 1, 1, 0, -1, 2, {} } };
    // 666: 50 + 90 cells of backstitch; 444: three knots; 321: five beads
    x.backs = { { 0, 0, 30, 40, 1, QStringLiteral("backstitch"), 0, {} },
        { 30, 40, 30, 130, 1, QStringLiteral("backstitch"), 0, {} } };
    for (int k = 0; k < 3; ++k)
        x.objects.push_back({ 0.5, 0.5, 2, QStringLiteral("knot"), {} });
    for (int k = 0; k < 5; ++k)
        x.objects.push_back({ 1, 1, 3, QStringLiteral("bead2.5mm"), {} });

    AmountOptions o { 14, 2, 0.2, 2 };
    const std::vector<ThreadAmount> t = threadAmounts(p, o);
    QCOMPARE(t.size(), std::size_t(4));
    QCOMPARE((QStringList { t[0].code, t[1].code, t[2].code, t[3].code }),
        (QStringList { "DMC 310", "DMC 666", "DMC 444", "DMC 321" }));
    QCOMPARE((QStringList { t[0].section, t[1].section, t[2].section, t[3].section }),
        (QStringList { "", "Pespunte", "Nudos", "Cuentas" }));
    QCOMPARE(t[0].partStitches, 1.25);
    QCOMPARE(QString::number(t[0].metres, 'f', 4), QString::number(threadMetres(1, o) * 5.25, 'f', 4));
    // 140 cells of 25.4 / 14 mm at 2 strands with 20 % more: 0.6096 m
    QCOMPARE(t[1].backstitchCells, 140.0);
    QCOMPARE(QString::number(t[1].metres, 'f', 4), QStringLiteral("0.6096"));
    o.backstitchStrands = 1;
    QCOMPARE(QString::number(threadAmounts(p, o)[1].metres, 'f', 4), QStringLiteral("0.3048"));
    // a knot is 3 cm at the full stitches' strands: 3 x 3 cm x 2 x 1.2
    QCOMPARE(QString::number(t[2].metres, 'f', 4), QStringLiteral("0.2160"));
    QCOMPARE(t[3].beads, 5L);
    QCOMPARE(t[3].metres, 0.0);
    QCOMPARE(t[3].skeins, 0);
    QCOMPARE(keyLineEntries(t), (std::vector<int> { 0, -1, 1, -1, 2, -1, 3 }));

    const QStringList csv = QString::fromUtf8(threadsCsv(t)).split(QLatin1Char('\n'));
    QCOMPARE(csv[0], QStringLiteral("number,name,stitches,metres,skeins,section"));
    QVERIFY2(csv[2].startsWith(QStringLiteral("666,")) && csv[2].endsWith(QStringLiteral(",0.61,1,Pespunte")),
        qPrintable(csv[2]));
    QVERIFY2(csv[4].startsWith(QStringLiteral("321,")) && csv[4].endsWith(QStringLiteral(",5,0.00,0,Cuentas")),
        qPrintable(csv[4]));

    // a tent stitch is half a cross, a cross placed between the cells a whole one; an object not
    // drawn counts nothing
    x.objects.push_back({ 0, 0, 0, QStringLiteral("tent"), { { QStringLiteral("direction"), QStringLiteral("1") } } });
    x.objects.push_back({ 0.5, 0.5, 0, QStringLiteral("fullcross"), {} });
    x.objects.push_back({ 1, 1, 0, QStringLiteral("3x2"), {} });
    QCOMPARE(threadAmounts(p, o)[0].partStitches, 2.75);
}

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
