// Where a click reads its swatch, which page shows a swatch, how far a strip may be dragged,
// and which pixels the magnifier and the colour finder read.
#include "views/magnifier.h"
#include "views/strip_maths.h"

#include <QtTest>

class TestStripMaths : public QObject {
    Q_OBJECT
private slots:
    void readPosition_data();
    void readPosition();
    void page_data();
    void page();
    void drag_data();
    void drag();
    void magnifierSamples_data();
    void magnifierSamples();
    void finderSamples_data();
    void finderSamples();
};

void TestStripMaths::readPosition_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("readX");
    QTest::addColumn<int>("k");
    QTest::newRow("inside swatch 0") << 5.0 << 5.0 << 0;
    QTest::newRow("on the white edge of swatch 3: one to the right") << 30.0 << 31.0 << 3;
    QTest::newRow("last column of swatch 2") << 29.0 << 29.0 << 2;
    QTest::newRow("19.5 rounds to 20 (even): read to the right") << 19.5 << 20.5 << 1;
    QTest::newRow("20.5 rounds to 20 (even): read to the right") << 20.5 << 21.5 << 2;
    QTest::newRow("21.5 rounds to 22: read in place") << 21.5 << 21.5 << 2;
    QTest::newRow("edge 0 of the strip") << 0.0 << 1.0 << 0;
}

void TestStripMaths::readPosition()
{
    QFETCH(double, X);
    QFETCH(double, readX);
    QFETCH(int, k);
    QCOMPARE(swatchReadX(X), readX);
    QCOMPARE(swatchPosition(X), k);
}

void TestStripMaths::page_data()
{
    QTest::addColumn<int>("group0");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("stripLeft");
    QTest::addColumn<int>("markerLeft");
    QTest::addColumn<int>("markerTop");
    QTest::newRow("k 25 of strip 0: page 1") << 0 << 25 << -196 << 52 << 2;
    QTest::newRow("k 19 stays on page 0") << 2 << 19 << 4 << 192 << 22;
    QTest::newRow("k 20 opens page 1") << 5 << 20 << -196 << 2 << 52;
    QTest::newRow("k 45 on page 2") << 1 << 45 << -396 << 52 << 12;
}

void TestStripMaths::page()
{
    QFETCH(int, group0);
    QFETCH(int, k);
    const StripPage p = stripPageFor(group0, k);
    QTEST(p.stripLeft, "stripLeft");
    QTEST(p.markerLeft, "markerLeft");
    QTEST(p.markerTop, "markerTop");
}

void TestStripMaths::drag_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("x0");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<int>("newLeft");
    QTest::newRow("20 colours never scroll") << 4 << 10.0 << 100.0 << 20 << false << 0;
    QTest::newRow("25 colours: far left held at -46") << 4 << 0.0 << 200.0 << 25 << true << -46;
    QTest::newRow("25 colours: far right held at 4") << -30 << 150.0 << 10.0 << 25 << true << 4;
    QTest::newRow("25 colours: within bounds follows") << 4 << 80.0 << 100.0 << 25 << true << -16;
    QTest::newRow("21 colours: bound -6") << 4 << 0.0 << 100.0 << 21 << true << -6;
}

void TestStripMaths::drag()
{
    QFETCH(int, left);
    QFETCH(double, X);
    QFETCH(double, x0);
    QFETCH(int, n);
    int newLeft = 0;
    QTEST(draggedStripLeft(left, X, x0, n, newLeft), "moves");
    QTEST(newLeft, "newLeft");
}

void TestStripMaths::magnifierSamples_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<QList<double>>("samples");
    // pixel 1 of the stitch before, under and after the pointer
    QTest::newRow("pointer on pixel 4 (stitch 1)") << 4.0 << QList<double> { 1, 4, 7 };
    QTest::newRow("pointer on pixel 3 (stitch 1)") << 3.0 << QList<double> { 1, 4, 7 };
    QTest::newRow("pointer on pixel 0: the stitch before is outside") << 0.0 << QList<double> { -2, 1, 4 };
    QTest::newRow("3.5 rounds to 4: Mod 1") << 3.5 << QList<double> { 0.5, 3.5, 6.5 };
    QTest::newRow("4.5 rounds to 4: Mod 1") << 4.5 << QList<double> { 1.5, 4.5, 7.5 };
}

void TestStripMaths::magnifierSamples()
{
    QFETCH(double, X);
    QFETCH(QList<double>, samples);
    QCOMPARE(magnifierSample(X, 0), samples[0]);
    QCOMPARE(magnifierSample(X, 9), samples[1]);
    QCOMPARE(magnifierSample(X, 18), samples[2]);
}

void TestStripMaths::finderSamples_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<int>("s");
    QTest::addColumn<double>("sample");
    QTest::newRow("single stitch, pixel 5") << 5.0 << 3 << 4.0;
    QTest::newRow("single stitch, pixel 6") << 6.0 << 3 << 7.0;
    QTest::newRow("double stitch, pixel 17") << 17.0 << 9 << 10.0;
    QTest::newRow("double stitch, pixel 18") << 18.0 << 9 << 19.0;
    QTest::newRow("double stitch, 8.5 rounds to 8") << 8.5 << 9 << 1.5;
}

void TestStripMaths::finderSamples()
{
    QFETCH(double, X);
    QFETCH(int, s);
    QTEST(finderSample(X, s), "sample");
}

QTEST_APPLESS_MAIN(TestStripMaths)
#include "tst_strip_maths.moc"
