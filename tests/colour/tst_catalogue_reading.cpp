// Colour values taken apart through hox, and the catalogue files read, checked and copied
// without a window.
#include "catalogue_support.h"
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestCatalogueReading : public QObject {
    Q_OBJECT
private slots:
    void hoxPadsToSix_data();
    void hoxPadsToSix();
    void splitReadsBlueFirst_data();
    void splitReadsBlueFirst();
    void readerStopsAtTheEndOfTheFile();
    void readerRejectsBadFiles_data();
    void readerRejectsBadFiles();
    void missingFileNamesItsFolder();
    void fullReaderReadsExactlyTheCount();
    void partialCatalogueRefused_data();
    void partialCatalogueRefused();
    void catalogueCopyChecked_data();
    void catalogueCopyChecked();
    void personalPipeNeverOpened();
};

void TestCatalogueReading::hoxPadsToSix_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("red 255") << Long(255) << "0000FF";
    QTest::newRow("blue 1") << Long(65536) << "010000";
    QTest::newRow("black") << Long(0) << "000000";
    QTest::newRow("white") << RGB(255, 255, 255) << "FFFFFF";
    QTest::newRow("mixed, upper-case digits") << RGB(0xab, 0x0c, 0x3d) << "3D0CAB";
    QTest::newRow("outside a surface: eight digits, no padding") << Long(-1) << "FFFFFFFF";
}

void TestCatalogueReading::hoxPadsToSix()
{
    QFETCH(Long, colour);
    QFETCH(QString, text);
    QCOMPARE(hox(colour), text);
}

void TestCatalogueReading::splitReadsBlueFirst_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::newRow("255 is red") << Long(255) << 255 << 0 << 0;
    QTest::newRow("65536 is blue 1") << Long(65536) << 0 << 0 << 1;
    QTest::newRow("black") << Long(0) << 0 << 0 << 0;
    QTest::newRow("mixed") << RGB(12, 34, 56) << 12 << 34 << 56;
    QTest::newRow("-1 reads as white") << Long(-1) << 255 << 255 << 255;
}

void TestCatalogueReading::splitReadsBlueFirst()
{
    QFETCH(Long, colour);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    const Components c = split(colour);
    QCOMPARE(c.r, r);
    QCOMPARE(c.g, g);
    QCOMPARE(c.b, b);
    // the same as the hexadecimal text read in its three pairs
    const QString h = hox(colour);
    QCOMPARE(double(c.b), Val(QStringLiteral("&h") + h.mid(0, 2)));
    QCOMPARE(double(c.g), Val(QStringLiteral("&h") + h.mid(2, 2)));
    QCOMPARE(double(c.r), Val(QStringLiteral("&h") + h.right(2)));
}

void TestCatalogueReading::readerStopsAtTheEndOfTheFile()
{
    QByteArray data("310, 0, 0, 0\n1,240,234,218\r\n0,255,\n255,255\n\n");
    QBuffer b(&data);
    b.open(QIODevice::ReadOnly);
    std::vector<color_dmc> into(kCatalogueSize);
    into[4] = { 77, 1, 2, 3 };
    const CatalogueRead r = readCatalogue(b, into, kFullCatalogue);
    QCOMPARE(r.error, QString());
    QCOMPARE(r.count, 3);
    QVERIFY(sameThread(into[1], { 310, 0, 0, 0 }));
    QVERIFY(sameThread(into[2], { 1, 240, 234, 218 }));
    QVERIFY(sameThread(into[3], { 0, 255, 255, 255 }));
    QVERIFY(sameThread(into[4], { 77, 1, 2, 3 }));
}

void TestCatalogueReading::readerRejectsBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::newRow("a record cut short") << QByteArray("310,1,2,3\n311,4,5\n") << 426;
    QTest::newRow("a field that is not a number") << QByteArray("310,1,2,3\n311,x,5,6\n") << 426;
    QTest::newRow("a colour above 255") << QByteArray("310,1,2,300\n") << 426;
    QTest::newRow("a negative colour") << QByteArray("310,-1,2,3\n") << 426;
    QTest::newRow("more records than the limit") << QByteArray("1,1,1,1\n2,2,2,2\n3,3,3,3\n") << 2;
}

void TestCatalogueReading::readerRejectsBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    std::vector<color_dmc> into(kCatalogueSize);
    into[1] = { 77, 1, 2, 3 };
    const CatalogueRead r = readCatalogue(b, into, limit);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(r.count, 0);
    QVERIFY(sameThread(into[1], { 77, 1, 2, 3 }));
}

void TestCatalogueReading::missingFileNamesItsFolder()
{
    WorkFolder folder(false);
    std::vector<color_dmc> into(kCatalogueSize);
    const QString expected = QStringLiteral("No se puede leer el catálogo de hilos \"dmc.txt\" en %1.")
                                 .arg(QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(readFullCatalogueFile(QStringLiteral("dmc.txt"), into, kFullCatalogue).error, expected);
}

void TestCatalogueReading::fullReaderReadsExactlyTheCount()
{
    QByteArray data("1,1,1,1\n2,2,2,2\n3,3,3,3\nwhatever follows\n");
    QBuffer b(&data);
    b.open(QIODevice::ReadOnly);
    std::vector<color_dmc> into(kCatalogueSize);
    CatalogueRead r = readFullCatalogue(b, into, 3);
    QCOMPARE(r.error, QString());
    QCOMPARE(r.count, 3);
    QCOMPARE(into[3].numero, Long(3));
    QByteArray shortData("1,1,1,1\n2,2,2,2\n");
    QBuffer s(&shortData);
    s.open(QIODevice::ReadOnly);
    std::vector<color_dmc> other(kCatalogueSize);
    r = readFullCatalogue(s, other, 3);
    QVERIFY(r.error.contains(QStringLiteral("2")));
    QCOMPARE(other[1].numero, Long(0));
}

void TestCatalogueReading::partialCatalogueRefused_data()
{
    QTest::addColumn<int>("catalogo");
    QTest::addColumn<QByteArray>("content"); // "fifo" for a named pipe
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty dmc10.txt") << 3 << QByteArray() << "está dañado: no tiene ningún hilo.";
    QTest::newRow("dmc5.txt with a thread the full catalogue lacks")
        << 2 << QByteArray("5000,1,2,3\n") << "está dañado: el hilo 1 (5000) no está en el catálogo completo.";
    QTest::newRow("dmc1.txt with a known number in another colour")
        << 1 << QByteArray("1,1,2,3\n") << "está dañado: el hilo 1 (1) no está en el catálogo completo.";
    QTest::newRow("a pipe named dmc10.txt") << 3 << QByteArray("fifo") << "no es un archivo normal.";
}

void TestCatalogueReading::partialCatalogueRefused()
{
    QFETCH(int, catalogo);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    WorkFolder folder;
    WorkState st;
    QVERIFY(readFullCatalogueFile(QStringLiteral("dmc.txt"), st.dmc_todos, kFullCatalogue).error.isEmpty());
    const QString name = catalogueFile(catalogo);
    QFile::remove(name);
    if (content == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    else
        writeText(name, content);

    std::vector<color_dmc> into = st.dmc_todos;
    const CatalogueRead r = readActiveCatalogueFile(catalogo, st, into);
    QCOMPARE(r.error, QStringLiteral("El catálogo de hilos \"%1\" %2").arg(name, reason));
    QCOMPARE(r.count, 0);
    for (int i = 1; i <= kFullCatalogue; ++i)
        QVERIFY(sameThread(into[std::size_t(i)], st.dmc_todos[std::size_t(i)]));
}

void TestCatalogueReading::catalogueCopyChecked_data()
{
    QTest::addColumn<QString>("pipe"); // a catalogue replaced by a named pipe, or none
    QTest::newRow("plain files") << QString();
    QTest::newRow("a pipe named dmc5.txt") << "dmc5.txt";
}

void TestCatalogueReading::catalogueCopyChecked()
{
    QFETCH(QString, pipe);
    WorkFolder from;
    QTemporaryDir to;
    if (!pipe.isEmpty()) {
        QVERIFY(QFile::remove(pipe));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    }
    const QString failure = copyCatalogueFiles(from.path(), to.path());
    if (!pipe.isEmpty()) {
        QCOMPARE(failure, QStringLiteral("El catálogo de hilos \"%1\" no es un archivo normal.").arg(from.file(pipe)));
        QVERIFY(!QFile::exists(to.filePath(pipe)));
        return;
    }
    QCOMPARE(failure, QString());
    for (const char* name : { "dmc.txt", "dmc1.txt", "dmc5.txt", "dmc10.txt" }) {
        QFile a(from.file(QLatin1String(name))), b(to.filePath(QLatin1String(name)));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }
}

void TestCatalogueReading::personalPipeNeverOpened()
{
    WorkFolder folder;
    QCOMPARE(::mkfifo("personal.txt", 0600), 0);
    QVERIFY(!emptyPersonalCatalogue());
}

QTEST_MAIN(TestCatalogueReading)
#include "tst_catalogue_reading.moc"
