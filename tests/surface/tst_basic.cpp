// The conversion rules: rounding halves to even, Int and Fix on negatives, Val's leading
// number, and the two ways of writing a number.
#include "surface/basic.h"

#include <QtTest>

class TestBasic : public QObject {
    Q_OBJECT
private slots:
    void cintHalvesToEven_data();
    void cintHalvesToEven();
    void cintStopsAtItsRange();
    void intAndFix_data();
    void intAndFix();
    void val_data();
    void val();
    void strAndCStr_data();
    void strAndCStr();
    void hexIsUpperCaseWithoutPrefix();
};

void TestBasic::cintHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5 goes down to the even 2") << 2.5 << 2;
    QTest::newRow("3.5 goes up to the even 4") << 3.5 << 4;
    QTest::newRow("0.5 goes to 0") << 0.5 << 0;
    QTest::newRow("1.5 goes to 2") << 1.5 << 2;
    QTest::newRow("-2.5 goes to -2") << -2.5 << -2;
    QTest::newRow("-3.5 goes to -4") << -3.5 << -4;
    QTest::newRow("12.6 goes to 13") << 12.6 << 13;
    QTest::newRow("2.4999 goes to 2") << 2.4999 << 2;
    QTest::newRow("-0.6 goes to -1") << -0.6 << -1;
}

void TestBasic::cintHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(CInt(value)), expected);
    QCOMPARE(int(CLng(value)), expected);
}

void TestBasic::cintStopsAtItsRange()
{
    QCOMPARE(CInt(40000.0), Integer(32767));
    QCOMPARE(CInt(-40000.0), Integer(-32768));
    QCOMPARE(CLng(1e12), Long(2147483647));
    QCOMPARE(CLng(-1e12), Long(-2147483647 - 1));
}

void TestBasic::intAndFix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("intValue");
    QTest::addColumn<double>("fixValue");
    QTest::newRow("2.7") << 2.7 << 2.0 << 2.0;
    QTest::newRow("-2.7: Int rounds down, Fix cuts toward zero") << -2.7 << -3.0 << -2.0;
    QTest::newRow("-0.5") << -0.5 << -1.0 << 0.0;
    QTest::newRow("-3 whole") << -3.0 << -3.0 << -3.0;
    QTest::newRow("112.5") << 112.5 << 112.0 << 112.0;
}

void TestBasic::intAndFix()
{
    QFETCH(double, value);
    QFETCH(double, intValue);
    QFETCH(double, fixValue);
    QCOMPARE(Int(value), intValue);
    QCOMPARE(Fix(value), fixValue);
}

void TestBasic::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("a fraction") << "12.6" << 12.6;
    QTest::newRow("spaces and a unit after") << "  7 cm" << 7.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("six hex digits") << "&h0000FF" << 255.0;
    QTest::newRow("two hex digits") << "&hFF" << 255.0;
    QTest::newRow("upper-case hex prefix") << "&H10" << 16.0;
    QTest::newRow("hex blue part") << "&h01" << 1.0;
    QTest::newRow("four hex digits are 16-bit") << "&hFFFF" << -1.0;
    QTest::newRow("eight hex digits are 32-bit") << "&hFFFFFFFF" << -1.0;
    QTest::newRow("hex stops at a non-digit") << "&h1G" << 1.0;
    QTest::newRow("octal") << "&o17" << 15.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("2.9 is not rounded") << "2.9" << 2.9;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("stops at a second point") << "1.2.3" << 1.2;
    QTest::newRow("spaces inside the digits") << "1 2 3" << 123.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("stops at a comma") << "1,5" << 1.0;
    QTest::newRow("a sign alone") << "-" << 0.0;
}

void TestBasic::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestBasic::strAndCStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("str");
    QTest::addColumn<QString>("cstr");
    QTest::newRow("positive whole") << 248.0 << " 248"
                                    << "248";
    QTest::newRow("zero") << 0.0 << " 0"
                          << "0";
    QTest::newRow("negative whole") << -3.0 << "-3"
                                    << "-3";
    QTest::newRow("fraction") << 2.5 << " 2.5"
                              << "2.5";
    QTest::newRow("fraction below one") << 0.5 << " .5"
                                        << "0.5";
    QTest::newRow("negative fraction below one") << -0.25 << "-.25"
                                                 << "-0.25";
}

void TestBasic::strAndCStr()
{
    QFETCH(double, value);
    QFETCH(QString, str);
    QFETCH(QString, cstr);
    QCOMPARE(Str(value), str);
    QCOMPARE(CStr(value), cstr);
}

void TestBasic::hexIsUpperCaseWithoutPrefix()
{
    QCOMPARE(Hex(255), QStringLiteral("FF"));
    QCOMPARE(Hex(65536), QStringLiteral("10000"));
    QCOMPARE(Hex(-1), QStringLiteral("FFFFFFFF"));
    QCOMPARE(Hex(0), QStringLiteral("0"));
}

QTEST_APPLESS_MAIN(TestBasic)
#include "tst_basic.moc"
