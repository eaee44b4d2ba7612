// The undo record on disk: its lines, reading it back, and the files that cannot be used.
#include "views/undo_file.h"

#include "test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

class TestUndoFile : public QObject {
    Q_OBJECT
private slots:
    void linesAsPrintWritesThem_data();
    void linesAsPrintWritesThem();
    void writeThenRead();
    void damagedRecords_data();
    void damagedRecords();
    void missingFile();
    void unwritableFile();
};

void TestUndoFile::linesAsPrintWritesThem_data()
{
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("p");
    QTest::addColumn<QList<int>>("pairs");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("colour without stitches: the two header lines only")
        << 5 << 12 << QList<int> {} << QByteArray(" 5 \r\n 12 \r\n");
    QTest::newRow("two stitches, column then row")
        << 0 << 3 << QList<int> { 7, 0, 1, 2 } << QByteArray(" 0 \r\n 3 \r\n 7 \r\n 0 \r\n 1 \r\n 2 \r\n");
}

void TestUndoFile::linesAsPrintWritesThem()
{
    QFETCH(int, g);
    QFETCH(int, p);
    QFETCH(QList<int>, pairs);
    SwapRecord r;
    r.group0 = g;
    r.position = p;
    for (int i = 0; i < pairs.size(); i += 2)
        r.stitches.push_back({ pairs[i], pairs[i + 1] });
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    writeUndoRecord(b, r);
    QTEST(b.data(), "text");
}

void TestUndoFile::writeThenRead()
{
    WorkFolder folder(false);
    SwapRecord r;
    r.group0 = 4;
    r.position = 27;
    for (int i = 0; i < 1000; ++i)
        r.stitches.push_back({ i % 300, i / 300 });
    QCOMPARE(writeUndoFile(undoFileName(), r), QString());
    QVERIFY(QFile::exists(folder.file(QStringLiteral("puntela$"))));
    const UndoRead back = readUndoFile(undoFileName());
    QCOMPARE(back.error, QString());
    QCOMPARE(back.record.group0, 4);
    QCOMPARE(back.record.position, 27);
    QCOMPARE(back.record.stitches, r.stitches);
}

void TestUndoFile::damagedRecords_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only the strip") << QByteArray(" 2 \r\n");
    QTest::newRow("a column without its row") << QByteArray(" 2 \r\n 0 \r\n 5 \r\n 6 \r\n 7 \r\n");
    QTest::newRow("text instead of a number") << QByteArray(" 2 \r\n 0 \r\n cinco \r\n 6 \r\n");
    QTest::newRow("a fraction") << QByteArray(" 2 \r\n 0.5 \r\n");
}

void TestUndoFile::damagedRecords()
{
    QFETCH(QByteArray, text);
    QBuffer b(&text);
    b.open(QIODevice::ReadOnly);
    const UndoRead r = readUndoRecord(b);
    QCOMPARE(r.error, damagedUndoMessage());
    QVERIFY(r.record.stitches.empty());
}

void TestUndoFile::missingFile()
{
    WorkFolder folder(false);
    const UndoRead r = readUndoFile(undoFileName());
    QVERIFY(r.error.contains(QStringLiteral("puntela$")));
    QVERIFY(r.error.contains(QStringLiteral("No se encuentra")));
}

void TestUndoFile::unwritableFile()
{
    WorkFolder folder(false);
    // a folder in the file's place cannot be replaced by the record
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("puntela$")));
    SwapRecord r;
    r.group0 = 1;
    r.stitches = { { 3, 4 } };
    const QString message = writeUndoFile(undoFileName(), r);
    QVERIFY(message.contains(QStringLiteral("No se puede guardar")));
    QVERIFY(message.contains(QStringLiteral("se deshace igual")));
    QVERIFY(QFileInfo(folder.file(QStringLiteral("puntela$"))).isDir());
}

QTEST_MAIN(TestUndoFile)
#include "tst_undo_file.moc"
