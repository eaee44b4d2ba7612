// The rules of the pattern settings: colour count and stitches held to their limits, the side
// of the embroidery frame that follows the other, and its centring.
#include "render/pattern_settings.h"

#include <QtTest>

class TestPatternSettings : public QObject {
    Q_OBJECT
private slots:
    void colourText_data();
    void colourText();
    void stitchTextHeld_data();
    void stitchTextHeld();
    void stitchesOfPixels_data();
    void stitchesOfPixels();
    void followingSide_data();
    void followingSide();
    void heldSetSide_data();
    void heldSetSide();
    void centring_data();
    void centring();
};

void TestPatternSettings::colourText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    QTest::newRow("5 becomes 7") << "5"
                                 << "7";
    QTest::newRow("1500 becomes 999") << "1500"
                                      << "999";
    QTest::newRow("12.6 stays as typed") << "12.6"
                                         << "12.6";
    QTest::newRow("7 stays") << "7"
                             << "7";
    QTest::newRow("999 stays") << "999"
                               << "999";
    QTest::newRow("6.9 becomes 7") << "6.9"
                                   << "7";
    QTest::newRow("999.5 becomes 999") << "999.5"
                                       << "999";
    QTest::newRow("text that is no number becomes 7") << "muchos"
                                                      << "7";
    QTest::newRow("empty becomes 7") << ""
                                     << "7";
    QTest::newRow("a leading number with a unit stays") << "20 colores"
                                                        << "20 colores";
    QTest::newRow("negative becomes 7") << "-40"
                                        << "7";
}

void TestPatternSettings::colourText()
{
    QFETCH(QString, typed);
    QFETCH(QString, held);
    QCOMPARE(heldColourText(typed), held);
}

void TestPatternSettings::stitchTextHeld_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    QTest::newRow("120 becomes 100") << "120"
                                     << "100";
    QTest::newRow("2 becomes 4") << "2"
                                 << "4";
    QTest::newRow("12.7 is cut to 12") << "12.7"
                                       << "12";
    QTest::newRow("3.9 becomes 4") << "3.9"
                                   << "4";
    QTest::newRow("100.5 becomes 100") << "100.5"
                                       << "100";
    QTest::newRow("no number becomes 4") << "ancho"
                                         << "4";
    QTest::newRow("leading spaces dropped") << "  50"
                                            << "50";
    QTest::newRow("a unit after is dropped") << "60 puntos"
                                             << "60";
}

void TestPatternSettings::stitchTextHeld()
{
    QFETCH(QString, typed);
    QFETCH(QString, held);
    QCOMPARE(heldStitchText(typed), held);
}

void TestPatternSettings::stitchesOfPixels_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("stitches");
    QTest::newRow("300") << 300 << "100";
    QTest::newRow("150") << 150 << "50";
    QTest::newRow("111 rounds down") << 111 << "37";
    QTest::newRow("2 is 0") << 2 << "0";
    QTest::newRow("3603") << 3603 << "1201";
}

void TestPatternSettings::stitchesOfPixels()
{
    QFETCH(int, pixels);
    QFETCH(QString, stitches);
    QCOMPARE(stitchText(pixels), stitches);
}

void TestPatternSettings::followingSide_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<float>("setSide");
    QTest::addColumn<float>("followSide");
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("side");
    QTest::newRow("400 x 300, width 150: q 112, height 111") << 150 << 400.f << 300.f << 2307 << 111;
    QTest::newRow("400 x 300, height 225: width 300") << 225 << 300.f << 400.f << 3603 << 300;
    QTest::newRow("square 100: follows 1:1 in threes") << 100 << 50.f << 50.f << 2307 << 99;
    QTest::newRow("tall picture") << 300 << 100.f << 700.f << 2307 << 2100;
    QTest::newRow("tall picture beyond the cap stops at it") << 600 << 100.f << 700.f << 2307 << 2307;
    QTest::newRow("wide picture beyond the width cap") << 2307 << 10.f << 20.f << 3603 << 3603;
    QTest::newRow("no picture yet: 1:1") << 150 << 0.f << 0.f << 2307 << 150;
    QTest::newRow("no picture yet, a size not in threes") << 152 << 0.f << 0.f << 2307 << 150;
    QTest::newRow("no picture yet, beyond the cap") << 3603 << 0.f << 0.f << 2307 << 2307;
    QTest::newRow("a picture without height") << 150 << 400.f << 0.f << 2307 << 150;
    QTest::newRow("zero") << 0 << 400.f << 300.f << 2307 << 0;
}

void TestPatternSettings::followingSide()
{
    QFETCH(int, v);
    QFETCH(float, setSide);
    QFETCH(float, followSide);
    QFETCH(int, cap);
    QFETCH(int, side);
    QCOMPARE(::followingSide(v, setSide, followSide, cap), side);
}

void TestPatternSettings::heldSetSide_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<float>("setSide");
    QTest::addColumn<float>("followSide");
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("held");
    QTest::newRow("within the cap: as asked") << 300 << 1600.f << 1200.f << 2307 << 300;
    QTest::newRow("1600 x 1200, width at its own limit: stops at 1024 x 768, the most stitches in all")
        << 3603 << 1600.f << 1200.f << 2307 << 3074;
    QTest::newRow("one more is held back") << 3075 << 1600.f << 1200.f << 2307 << 3074;
    QTest::newRow("1200 x 1000, width at its limit: the height's cap binds first")
        << 3603 << 1200.f << 1000.f << 2307 << 2769;
    QTest::newRow("height on a wide picture: the width's cap") << 2307 << 100.f << 700.f << 3603 << 514;
    QTest::newRow("no picture yet: 1:1 up to the cap") << 3603 << 0.f << 0.f << 2307 << 2307;
}

void TestPatternSettings::heldSetSide()
{
    QFETCH(int, v);
    QFETCH(float, setSide);
    QFETCH(float, followSide);
    QFETCH(int, cap);
    QFETCH(int, held);
    QCOMPARE(::heldSetSide(v, setSide, followSide, cap), held);
}

void TestPatternSettings::centring_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("position");
    QTest::newRow("the full frame") << 304 << -2;
    QTest::newRow("154 wide") << 154 << 73;
    QTest::newRow("115 high: 92.5 goes to the even 92") << 115 << 92;
    QTest::newRow("117 high: 91.5 goes to the even 92") << 117 << 92;
    QTest::newRow("16 wide") << 16 << 142;
    QTest::newRow("larger than the frame") << 3607 << -1654;
}

void TestPatternSettings::centring()
{
    QFETCH(int, outer);
    QFETCH(int, position);
    QCOMPARE(centredPosition(outer), position);
}

QTEST_APPLESS_MAIN(TestPatternSettings)
#include "tst_pattern_settings.moc"
