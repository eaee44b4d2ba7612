// The reduction question, the factor read from an answer, and the in-place reduction.
#include "image/reduction.h"

#include <QtTest>

namespace {
// Every pixel a different colour, so a sampled pixel tells where it came from.
Long sourceColour(int x, int y) { return RGB(x & 255, y & 255, ((x >> 8) & 15) | (((y >> 8) & 15) << 4)); }

Surface uniquePicture(int w, int h)
{
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.setPixel(x, y, sourceColour(x, y));
    return s;
}
} // namespace

class TestReduction : public QObject {
    Q_OBJECT
private slots:
    void asked_data();
    void asked();
    void factorFromAnswer_data();
    void factorFromAnswer();
    void size_data();
    void size();
    void sampling_data();
    void sampling();
    void factorWiderThanPicture();
    void factorOneKeepsPicture();
};

void TestReduction::asked_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("expected");
    QTest::newRow("200 x 150 is asked about") << 200 << 150 << true;
    QTest::newRow("196 x 196 is not") << 196 << 196 << false;
    QTest::newRow("197 wide is") << 197 << 10 << true;
    QTest::newRow("197 high is") << 10 << 197 << true;
}

void TestReduction::asked()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, expected);
    const Surface s(w, h);
    QCOMPARE(reductionAsked(s.Width(), s.Height()), expected);
}

void TestReduction::factorFromAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<float>("expected");
    QTest::newRow("empty (cancelled) asks again") << QString() << 0.0f;
    QTest::newRow("text asks again") << QStringLiteral("abc") << 0.0f;
    QTest::newRow("zero asks again") << QStringLiteral("0") << 0.0f;
    QTest::newRow("negative asks again") << QStringLiteral("-2") << -2.0f;
    QTest::newRow("below one asks again") << QStringLiteral("0.5") << 0.0f;
    QTest::newRow("2.9 rounds down to 2") << QStringLiteral("2.9") << 2.0f;
    QTest::newRow("leading number of a text") << QStringLiteral("3 veces") << 3.0f;
    QTest::newRow("spaces around") << QStringLiteral(" 4 ") << 4.0f;
}

void TestReduction::factorFromAnswer()
{
    QFETCH(QString, answer);
    QFETCH(float, expected);
    QCOMPARE(reductionFactor(answer), expected);
}

void TestReduction::size_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<double>("f");
    QTest::addColumn<int>("nx");
    QTest::addColumn<int>("ny");
    QTest::newRow("factor 2 on 640 x 480") << 640 << 480 << 2.0 << 320 << 240;
    QTest::newRow("factor 3 on 640 x 480 rounds the width up") << 640 << 480 << 3.0 << 214 << 160;
    QTest::newRow("factor 3 on 641 x 480") << 641 << 480 << 3.0 << 214 << 160;
    QTest::newRow("factor 4 on 641 x 483") << 641 << 483 << 4.0 << 161 << 121;
    QTest::newRow("factor larger than both sides") << 5 << 4 << 7.0 << 1 << 1;
    QTest::newRow("huge factor") << 4000 << 3000 << 1e30 << 1 << 1;
}

void TestReduction::size()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(double, f);
    QFETCH(int, nx);
    QFETCH(int, ny);
    const ReducedSize r = reducedSize(w, h, f);
    QCOMPARE(r.columns, nx);
    QCOMPARE(r.rows, ny);
    Surface s = uniquePicture(w, h);
    reducePicture(s, f);
    QCOMPARE(s.pixelWidth(), nx);
    QCOMPARE(s.pixelHeight(), ny);
    QCOMPARE(s.Width(), nx + 4);
    QCOMPARE(s.Height(), ny + 4);
}

void TestReduction::sampling_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("j");
    QTest::addColumn<int>("sourceX");
    QTest::addColumn<int>("sourceY");
    QTest::newRow("factor 2: first pixel") << 640 << 2 << 0 << 0 << 0 << 0;
    QTest::newRow("factor 2: steps of exactly 2") << 640 << 2 << 159 << 77 << 318 << 154;
    QTest::newRow("factor 2: last pixel") << 640 << 2 << 319 << 239 << 638 << 478;
    // 640 / 214 = 2.9907: the position is cut, never rounded up
    QTest::newRow("factor 3 on 640: k 1 cut to 2") << 640 << 3 << 1 << 1 << 2 << 3;
    QTest::newRow("factor 3 on 640: k 10") << 640 << 3 << 10 << 5 << 29 << 15;
    QTest::newRow("factor 3 on 640: k 100") << 640 << 3 << 100 << 100 << 299 << 300;
    QTest::newRow("factor 3 on 640: k 107 lands on 320") << 640 << 3 << 107 << 0 << 320 << 0;
    QTest::newRow("factor 3 on 640: last column") << 640 << 3 << 213 << 159 << 637 << 477;
    // 641 / 214 = 2.9953
    QTest::newRow("factor 3 on 641: k 1") << 641 << 3 << 1 << 2 << 2 << 6;
    QTest::newRow("factor 3 on 641: k 150") << 641 << 3 << 150 << 40 << 449 << 120;
    QTest::newRow("factor 3 on 641: last column") << 641 << 3 << 213 << 159 << 638 << 477;
}

void TestReduction::sampling()
{
    QFETCH(int, w);
    QFETCH(int, f);
    QFETCH(int, k);
    QFETCH(int, j);
    QFETCH(int, sourceX);
    QFETCH(int, sourceY);
    Surface s = uniquePicture(w, 480);
    reducePicture(s, f);
    QCOMPARE(s.pixel(k, j), sourceColour(sourceX, sourceY));
}

void TestReduction::factorWiderThanPicture()
{
    Surface s = uniquePicture(3, 300);
    reducePicture(s, 5);
    QCOMPARE(s.pixelWidth(), 1);
    QCOMPARE(s.pixelHeight(), 60);
    for (int j : { 0, 1, 59 })
        QCOMPARE(s.pixel(0, j), sourceColour(0, 5 * j));
}

void TestReduction::factorOneKeepsPicture()
{
    Surface s = uniquePicture(250, 210);
    const QImage before = s.Image().copy();
    reducePicture(s, 1);
    QCOMPARE(s.Image(), before);
}

QTEST_MAIN(TestReduction)
#include "tst_reduction.moc"
