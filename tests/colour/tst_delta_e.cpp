// How far apart two colours look: the CIEDE2000 reference pairs of its authors, and sRGB to
// CIELAB and back.
#include "colour/delta_e.h"

#include <QtTest>

class TestDeltaE : public QObject {
    Q_OBJECT
private slots:
    void referencePairs_data();
    void referencePairs();
    void labOfKnownColours_data();
    void labOfKnownColours();
    void everyColourComesBackFromLab();
};

void TestDeltaE::referencePairs_data()
{
    QTest::addColumn<double>("L1");
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("b1");
    QTest::addColumn<double>("L2");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("b2");
    QTest::addColumn<double>("expected");
    // Sharma, Wu and Dalal (2005), table 1: blue hues, the achromatic axis, hue wrap-round,
    // the mean-hue discontinuity, large differences and ordinary pairs.
    const double rows[34][7] = {
        { 50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425 },
        { 50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615 },
        { 50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412 },
        { 50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000 },
        { 50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000 },
        { 50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000 },
        { 50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669 },
        { 50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669 },
        { 50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792 },
        { 50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792 },
        { 50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195 },
        { 50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195 },
        { 50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045 },
        { 50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045 },
        { 50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461 },
        { 50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065 },
        { 50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492 },
        { 50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977 },
        { 50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030 },
        { 50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535 },
        { 50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000 },
        { 50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000 },
        { 50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000 },
        { 50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000 },
        { 60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644 },
        { 63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630 },
        { 61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731 },
        { 35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645 },
        { 22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373 },
        { 36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146 },
        { 90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441 },
        { 90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381 },
        { 6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377 },
        { 2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082 },
    };
    for (int i = 0; i < 34; ++i) {
        const double* r = rows[i];
        QTest::addRow("pair %d", i + 1) << r[0] << r[1] << r[2] << r[3] << r[4] << r[5] << r[6];
    }
}

void TestDeltaE::referencePairs()
{
    QFETCH(double, L1);
    QFETCH(double, a1);
    QFETCH(double, b1);
    QFETCH(double, L2);
    QFETCH(double, a2);
    QFETCH(double, b2);
    QFETCH(double, expected);
    const Lab x { L1, a1, b1 }, y { L2, a2, b2 };
    // the published figures have four decimals; the order of the pair does not matter
    QVERIFY2(
        std::abs(deltaE2000(x, y) - expected) < 0.5e-4 + 1e-9, qPrintable(QString::number(deltaE2000(x, y), 'f', 6)));
    QVERIFY(std::abs(deltaE2000(y, x) - expected) < 0.5e-4 + 1e-9);
}

void TestDeltaE::labOfKnownColours_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<double>("L");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::newRow("white") << RGB(255, 255, 255) << 100.0 << 0.0 << 0.0;
    QTest::newRow("outside a picture reads white") << Long(-1) << 100.0 << 0.0 << 0.0;
    QTest::newRow("black") << RGB(0, 0, 0) << 0.0 << 0.0 << 0.0;
    QTest::newRow("red") << RGB(255, 0, 0) << 53.2408 << 80.0925 << 67.2032;
    QTest::newRow("blue") << RGB(0, 0, 255) << 32.2970 << 79.1875 << -107.8602;
    QTest::newRow("mid grey") << RGB(128, 128, 128) << 53.5850 << 0.0 << 0.0;
}

void TestDeltaE::labOfKnownColours()
{
    QFETCH(Long, colour);
    QFETCH(double, L);
    QFETCH(double, a);
    QFETCH(double, b);
    const Lab lab = labFromColour(colour);
    QVERIFY2(std::abs(lab.L - L) < 2e-3 && std::abs(lab.a - a) < 2e-3 && std::abs(lab.b - b) < 2e-3,
        qPrintable(QStringLiteral("%1 %2 %3").arg(lab.L).arg(lab.a).arg(lab.b)));
}

void TestDeltaE::everyColourComesBackFromLab()
{
    // undithered reading through CIELAB must give back the very pixel
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 1) {
                const Long c = RGB(r, g, b);
                if (colourFromLab(labFromColour(c)) != c)
                    QFAIL(qPrintable(QStringLiteral("%1 %2 %3").arg(r).arg(g).arg(b)));
            }
}

QTEST_APPLESS_MAIN(TestDeltaE)
#include "tst_delta_e.moc"
