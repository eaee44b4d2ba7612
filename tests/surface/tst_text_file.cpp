// Sequential text files: the field reader and the two writers.
#include "surface/text_file.h"

#include <QBuffer>
#include <QtTest>

namespace {
QStringList allFields(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    FieldReader in(buffer);
    QStringList out;
    while (!in.atEnd())
        out << in.readField();
    return out;
}
} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void numbers();
    void writeLineQuotesTexts();
    void printLineAndNumbers();
    void writtenFieldsReadBack();
};

void TestTextFile::fields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("commas and line ends") << QByteArray("1,2\n3,4\n") << QStringList { "1", "2", "3", "4" };
    QTest::newRow("Windows line ends") << QByteArray("1,2\r\n3,4\r\n") << QStringList { "1", "2", "3", "4" };
    QTest::newRow("spaces around fields skipped")
        << QByteArray("  12 ,  34  \n 5,6") << QStringList { "12", "34", "5", "6" };
    QTest::newRow("quoted text holds a comma") << QByteArray("\"a, b\",7\n") << QStringList { "a, b", "7" };
    QTest::newRow("quoted text then a line end") << QByteArray("\"x\"\n\"y\"") << QStringList { "x", "y" };
    QTest::newRow("final line ends are harmless") << QByteArray("1,2\n\n\r\n") << QStringList { "1", "2" };
    QTest::newRow("no final line end") << QByteArray("9,8") << QStringList { "9", "8" };
    QTest::newRow("fields spread over lines") << QByteArray("1\n2,3\n4") << QStringList { "1", "2", "3", "4" };
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("only line ends") << QByteArray("\n\r\n  \n") << QStringList();
}

void TestTextFile::fields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QCOMPARE(allFields(bytes), expected);
}

void TestTextFile::numbers()
{
    QByteArray data("310, 12,-4\nabc,7");
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    FieldReader in(buffer);
    long long v = 0;
    QVERIFY(in.readNumber(v));
    QCOMPARE(v, 310LL);
    QVERIFY(in.readNumber(v));
    QCOMPARE(v, 12LL);
    QVERIFY(in.readNumber(v));
    QCOMPARE(v, -4LL);
    QVERIFY(!in.readNumber(v)); // "abc" is not a number
    QVERIFY(in.readNumber(v));
    QCOMPARE(v, 7LL);
    QVERIFY(!in.readNumber(v)); // past the end
}

void TestTextFile::writeLineQuotesTexts()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeLine(buffer, { QStringLiteral("Hola, mundo"), 5, 2.5, -3 });
    writeLine(buffer, { 310, 255, 0, 128 });
    QCOMPARE(buffer.data(), QByteArray("\"Hola, mundo\",5,2.5,-3\r\n310,255,0,128\r\n"));
}

void TestTextFile::printLineAndNumbers()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    printLine(buffer, printNumber(5) + printNumber(-2));
    printLine(buffer, QStringLiteral("texto"));
    QCOMPARE(buffer.data(), QByteArray(" 5 -2 \r\ntexto\r\n"));
}

void TestTextFile::writtenFieldsReadBack()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeLine(buffer, { 1, 240, 234, 218 });
    writeLine(buffer, { QStringLiteral("a,b"), 0 });
    buffer.close();
    QCOMPARE(allFields(buffer.data()), (QStringList { "1", "240", "234", "218", "a,b", "0" }));
}

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
