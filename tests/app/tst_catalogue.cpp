// Colour values taken apart through hox, the catalogue reader, loading a catalogue into the
// active catalogue and its list with paleta, and finding a thread with dmcn.
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "window_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
// Writes a catalogue file of `count` threads numbered from `first`, each with its own colour.
void writeCatalogue(const QString& name, int count, int first = 5000)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < count; ++i)
        f.write(QStringLiteral("%1,%2,%3,%4\n")
                    .arg(first + i)
                    .arg(i % 256)
                    .arg((i * 7) % 256)
                    .arg((i * 13) % 256)
                    .toLatin1());
}

void writeText(const QString& name, const QByteArray& text)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QStringList listTexts(const Form1& f)
{
    QStringList out;
    for (int i = 0; i < f.ListView1->count(); ++i)
        out << f.ListView1->item(i)->text();
    return out;
}

bool sameThread(const color_dmc& a, const color_dmc& b)
{
    return a.numero == b.numero && a.rojo == b.rojo && a.verde == b.verde && a.azul == b.azul;
}
} // namespace

class TestCatalogue : public QObject {
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
    void startUpLoadsGrande();
    void personalRightAfterStartUpIsEmpty();
    void shorterCatalogueLeavesTheRestAsItWas();
    void namedThreadsWhateverTheirColour();
    void itemIconIsTheThreadsSwatch();
    void noLoadWhileBusy();
    void everyCatalogueNumber_data();
    void everyCatalogueNumber();
    void tooLongPersonalNeverStoredPast426();
    void fullPersonalOf426Loads();
    void badFileLeavesActiveCatalogue_data();
    void badFileLeavesActiveCatalogue();
    void dmcnFindsTheFirstPosition();
    void partialCatalogueRefused_data();
    void partialCatalogueRefused();
    void catalogueCopyChecked_data();
    void catalogueCopyChecked();
    void personalPipeNeverOpened();
};

void TestCatalogue::hoxPadsToSix_data()
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

void TestCatalogue::hoxPadsToSix()
{
    QFETCH(Long, colour);
    QFETCH(QString, text);
    QCOMPARE(hox(colour), text);
}

void TestCatalogue::splitReadsBlueFirst_data()
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

void TestCatalogue::splitReadsBlueFirst()
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

void TestCatalogue::readerStopsAtTheEndOfTheFile()
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

void TestCatalogue::readerRejectsBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::newRow("a record cut short") << QByteArray("310,1,2,3\n311,4,5\n") << 426;
    QTest::newRow("a field that is not a number") << QByteArray("310,1,2,3\n311,x,5,6\n") << 426;
    QTest::newRow("a colour above 255") << QByteArray("310,1,2,300\n") << 426;
    QTest::newRow("a negative colour") << QByteArray("310,-1,2,3\n") << 426;
    QTest::newRow("more records than the limit") << QByteArray("1,1,1,1\n2,2,2,2\n3,3,3,3\n") << 2;
}

void TestCatalogue::readerRejectsBadFiles()
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

void TestCatalogue::missingFileNamesItsFolder()
{
    WorkFolder folder(false);
    std::vector<color_dmc> into(kCatalogueSize);
    const QString expected = QStringLiteral("No se puede leer el catálogo de hilos \"dmc.txt\" en %1.")
                                 .arg(QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(readFullCatalogueFile(QStringLiteral("dmc.txt"), into, kFullCatalogue).error, expected);
}

void TestCatalogue::fullReaderReadsExactlyTheCount()
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

void TestCatalogue::startUpLoadsGrande()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(f->st.num_dmc, Integer(248));
    QCOMPARE(f->ListView1->count(), 248);
    std::vector<color_dmc> expected(kCatalogueSize);
    QCOMPARE(readCatalogueFile(QStringLiteral("dmc10.txt"), expected, kFullCatalogue).count, 248);
    for (int i = 1; i <= 248; ++i)
        QVERIFY2(sameThread(f->st.dmc_activos[i], expected[i]), qPrintable(QString::number(i)));
    QCOMPARE(f->ListView1->item(0)->text(), threadListText(expected[1].numero));
    QVERIFY(d.shown.empty());
}

void TestCatalogue::personalRightAfterStartUpIsEmpty()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->paleta(5);
    QCOMPARE(f->ListView1->count(), 0);
    QCOMPARE(f->st.num_dmc, Integer(0));
    QVERIFY(d.shown.empty());
}

void TestCatalogue::shorterCatalogueLeavesTheRestAsItWas()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->paleta(2);
    QCOMPARE(f->st.num_dmc, Integer(112));
    const std::vector<color_dmc> before = f->st.dmc_activos;
    writeCatalogue(QStringLiteral("personal.txt"), 20);
    f->paleta(5);
    QCOMPARE(f->st.num_dmc, Integer(20));
    QCOMPARE(f->ListView1->count(), 20);
    for (int i = 1; i <= 20; ++i)
        QCOMPARE(f->st.dmc_activos[i].numero, Long(5000 + i - 1));
    for (int i = 21; i <= 112; ++i)
        QVERIFY2(sameThread(f->st.dmc_activos[i], before[i]), qPrintable(QString::number(i)));
}

void TestCatalogue::namedThreadsWhateverTheirColour()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    writeText(QStringLiteral("personal.txt"), "1,255,0,0\n0,0,0,0\n310,255,255,255\n  1  , 0, 0, 255 \n");
    f->paleta(5);
    QCOMPARE(listTexts(*f), (QStringList { "Ecru", "Blanco", "310", "Ecru" }));
    QCOMPARE(f->st.num_dmc, Integer(4));
}

void TestCatalogue::itemIconIsTheThreadsSwatch()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const int pos = 17;
    const color_dmc& t = f->st.dmc_todos[pos];
    writeText(QStringLiteral("personal.txt"), QStringLiteral("%1,9,9,9\n987654,1,2,3\n").arg(t.numero).toLatin1());
    f->paleta(5);
    QCOMPARE(f->ListView1->count(), 2);
    const QImage icon = f->ListView1->item(0)->icon().pixmap(QSize(13, 11)).toImage();
    // the swatch of the full catalogue's thread, not the colour the personal file gave it
    QCOMPARE(QColor(icon.pixel(8, 5)), QColor(t.rojo, t.verde, t.azul));
    QCOMPARE(QColor(icon.pixel(0, 5)), QColor(Qt::white));
    // a number the full catalogue lacks is still listed, with an icon of its own
    QCOMPARE(f->ListView1->item(1)->text(), QStringLiteral("987654"));
    QVERIFY(!f->ListView1->item(1)->icon().isNull());
}

void TestCatalogue::noLoadWhileBusy()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const QStringList before = listTexts(*f);
    f->st.listo = False;
    f->paleta(4);
    QCOMPARE(f->st.num_dmc, Integer(248));
    QCOMPARE(listTexts(*f), before);
    QCOMPARE(f->st.listo, False);
}

void TestCatalogue::everyCatalogueNumber_data()
{
    QTest::addColumn<int>("catalogo");
    QTest::addColumn<int>("threads");
    QTest::newRow("1 Mínima: dmc1.txt") << 1 << 57;
    QTest::newRow("2 Media: dmc5.txt") << 2 << 112;
    QTest::newRow("3 Grande: dmc10.txt") << 3 << 248;
    QTest::newRow("4 Completa: dmc.txt") << 4 << 426;
}

void TestCatalogue::everyCatalogueNumber()
{
    QFETCH(int, catalogo);
    QFETCH(int, threads);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->paleta(Integer(catalogo));
    QCOMPARE(int(f->st.num_dmc), threads);
    QCOMPARE(f->ListView1->count(), threads);
}

void TestCatalogue::tooLongPersonalNeverStoredPast426()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const std::vector<color_dmc> before = f->st.dmc_activos;
    writeCatalogue(QStringLiteral("personal.txt"), 430);
    f->paleta(5);
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(d.shown[0].buttons, vbCritical);
    QVERIFY(d.shown[0].prompt.contains(QStringLiteral("personal.txt")));
    QCOMPARE(int(f->st.dmc_activos.size()), kCatalogueSize);
    for (int i = 0; i < kCatalogueSize; ++i)
        QVERIFY(sameThread(f->st.dmc_activos[i], before[i]));
    QCOMPARE(f->st.num_dmc, Integer(248));
    QCOMPARE(f->ListView1->count(), 248);
}

void TestCatalogue::fullPersonalOf426Loads()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    writeCatalogue(QStringLiteral("personal.txt"), 426);
    f->paleta(5);
    QVERIFY(d.shown.empty());
    QCOMPARE(f->st.num_dmc, Integer(426));
    QCOMPARE(f->st.dmc_activos[426].numero, Long(5425));
}

void TestCatalogue::badFileLeavesActiveCatalogue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("missing");
    QTest::newRow("missing file") << QByteArray() << true;
    QTest::newRow("record cut short") << QByteArray("310,1,2,3\n311,4\n") << false;
    QTest::newRow("text in a number field") << QByteArray("310,rojo,2,3\n") << false;
    QTest::newRow("colour out of range") << QByteArray("310,1,2,256\n") << false;
}

void TestCatalogue::badFileLeavesActiveCatalogue()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, missing);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const std::vector<color_dmc> before = f->st.dmc_activos;
    const QStringList listBefore = listTexts(*f);
    if (missing)
        QVERIFY(QFile::remove(QStringLiteral("personal.txt")));
    else
        writeText(QStringLiteral("personal.txt"), content);
    f->paleta(5);
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    QVERIFY(d.shown[0].prompt.contains(QStringLiteral("\"personal.txt\"")));
    for (int i = 0; i < kCatalogueSize; ++i)
        QVERIFY(sameThread(f->st.dmc_activos[i], before[i]));
    QCOMPARE(f->st.num_dmc, Integer(248));
    QCOMPARE(listTexts(*f), listBefore);
    QCOMPARE(f->st.listo, True);
}

void TestCatalogue::dmcnFindsTheFirstPosition()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const WorkState& st = f->st;
    QCOMPARE(dmcn(st, st.dmc_todos[1].numero), Integer(1));
    QCOMPARE(dmcn(st, st.dmc_todos[200].numero), Integer(200));
    QCOMPARE(dmcn(st, st.dmc_todos[426].numero), Integer(426));
    QCOMPARE(dmcn(st, 987654), Integer(427));
    // a number listed twice is found at its first place
    WorkState twice;
    twice.dmc_todos[3].numero = 42;
    twice.dmc_todos[9].numero = 42;
    QCOMPARE(dmcn(twice, 42), Integer(3));
    // entry 0 is never searched
    WorkState zero;
    for (int i = 1; i <= kFullCatalogue; ++i)
        zero.dmc_todos[i].numero = 7;
    QCOMPARE(dmcn(zero, 0), Integer(427));
}

void TestCatalogue::partialCatalogueRefused_data()
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

void TestCatalogue::partialCatalogueRefused()
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

void TestCatalogue::catalogueCopyChecked_data()
{
    QTest::addColumn<QString>("pipe"); // a catalogue replaced by a named pipe, or none
    QTest::newRow("plain files") << QString();
    QTest::newRow("a pipe named dmc5.txt") << "dmc5.txt";
}

void TestCatalogue::catalogueCopyChecked()
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

// Emptying the personal catalogue would wait for ever on a pipe of that name.
void TestCatalogue::personalPipeNeverOpened()
{
    WorkFolder folder;
    QCOMPARE(::mkfifo("personal.txt", 0600), 0);
    QVERIFY(!emptyPersonalCatalogue());
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
