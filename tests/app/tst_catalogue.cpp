// Loading a catalogue into the active catalogue and its list with paleta in the started window,
// and finding a thread with dmcn.
#include "catalogue_support.h"
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "window_support.h"
#include "work_loader.h"

#include <QFile>
#include <QtTest>

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

QStringList listTexts(const Form1& f)
{
    QStringList out;
    for (int i = 0; i < f.ListView1->count(); ++i)
        out << f.ListView1->item(i)->text();
    return out;
}
} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
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
};

void TestCatalogue::startUpLoadsGrande()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QCOMPARE(f->ListView1->count(), 248);
    std::vector<color_dmc> expected(kCatalogueSize);
    QCOMPARE(readCatalogueFile(QStringLiteral("dmc10.txt"), expected, kFullCatalogue).count, 248);
    for (int i = 1; i <= 248; ++i)
        QVERIFY2(sameThread(f->work.state().dmc_activos[i], expected[i]), qPrintable(QString::number(i)));
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
    QCOMPARE(f->work.state().num_dmc, Integer(0));
    QVERIFY(d.shown.empty());
}

void TestCatalogue::shorterCatalogueLeavesTheRestAsItWas()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->paleta(2);
    QCOMPARE(f->work.state().num_dmc, Integer(112));
    const std::vector<color_dmc> before = f->work.state().dmc_activos;
    writeCatalogue(QStringLiteral("personal.txt"), 20);
    f->paleta(5);
    QCOMPARE(f->work.state().num_dmc, Integer(20));
    QCOMPARE(f->ListView1->count(), 20);
    for (int i = 1; i <= 20; ++i)
        QCOMPARE(f->work.state().dmc_activos[i].numero, Long(5000 + i - 1));
    for (int i = 21; i <= 112; ++i)
        QVERIFY2(sameThread(f->work.state().dmc_activos[i], before[i]), qPrintable(QString::number(i)));
}

void TestCatalogue::namedThreadsWhateverTheirColour()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    writeText(QStringLiteral("personal.txt"), "1,255,0,0\n0,0,0,0\n310,255,255,255\n  1  , 0, 0, 255 \n");
    f->paleta(5);
    QCOMPARE(listTexts(*f), (QStringList { "Ecru", "Blanco", "310", "Ecru" }));
    QCOMPARE(f->work.state().num_dmc, Integer(4));
}

void TestCatalogue::itemIconIsTheThreadsSwatch()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const int pos = 17;
    const color_dmc& t = f->work.state().dmc_todos[pos];
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
    load(f->work).listo = False;
    f->paleta(4);
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QCOMPARE(listTexts(*f), before);
    QCOMPARE(f->work.state().listo, False);
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
    QCOMPARE(int(f->work.state().num_dmc), threads);
    QCOMPARE(f->ListView1->count(), threads);
}

void TestCatalogue::tooLongPersonalNeverStoredPast426()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const std::vector<color_dmc> before = f->work.state().dmc_activos;
    writeCatalogue(QStringLiteral("personal.txt"), 430);
    f->paleta(5);
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(d.shown[0].buttons, vbCritical);
    QVERIFY(d.shown[0].prompt.contains(QStringLiteral("personal.txt")));
    QCOMPARE(int(f->work.state().dmc_activos.size()), kCatalogueSize);
    for (int i = 0; i < kCatalogueSize; ++i)
        QVERIFY(sameThread(f->work.state().dmc_activos[i], before[i]));
    QCOMPARE(f->work.state().num_dmc, Integer(248));
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
    QCOMPARE(f->work.state().num_dmc, Integer(426));
    QCOMPARE(f->work.state().dmc_activos[426].numero, Long(5425));
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
    const std::vector<color_dmc> before = f->work.state().dmc_activos;
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
        QVERIFY(sameThread(f->work.state().dmc_activos[i], before[i]));
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QCOMPARE(listTexts(*f), listBefore);
    QCOMPARE(f->work.state().listo, True);
}

void TestCatalogue::dmcnFindsTheFirstPosition()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    const WorkState& st = load(f->work);
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

// Emptying the personal catalogue would wait for ever on a pipe of that name.
QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
