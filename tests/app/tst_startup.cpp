// Start-up and the end of the run: the starting state, the personal catalogue emptied, the
// thread swatches, the symbol font, the start help shown once, the help and error messages,
// and an orderly end when the full catalogue cannot be read.
#include "app/help_texts.h"
#include "colour/catalogue.h"
#include "render/symbol_font.h"
#include "window_support.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QtTest>

namespace {
void writeText(const QString& name, const QByteArray& text)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// The first `records` lines of the delivered full catalogue.
QByteArray deliveredLines(int records)
{
    QFile f(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray out;
    for (int i = 0; i < records && !f.atEnd(); ++i)
        out += f.readLine();
    return out;
}

// A window loaded from scratch, the start help not yet shown.
std::unique_ptr<Form1> loadedForm(bool* loaded = nullptr)
{
    auto f = std::make_unique<Form1>();
    const bool ok = f->Form_Load();
    if (loaded)
        *loaded = ok;
    return f;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void defaultsAfterLoad();
    void personalCatalogueEmptiedEvenWhenItHeldThreads();
    void swatchOfEveryThread();
    void symbolFontChosenFromTheInstalledList_data();
    void symbolFontChosenFromTheInstalledList();
    void noFontsEndsTheProgram();
    void startHelpShownOnce();
    void finEndsWithoutAQuestion();
    void emptyDefaultCatalogueRefused();
    void closingTheWindowEndsWithoutAQuestion();
    void badFullCatalogueEndsInOrder_data();
    void badFullCatalogueEndsInOrder();
    void longerFullCatalogueReadsTheFirst426();
    void erIsACriticalErrorBox();
    void helpButtonShowsTheContact();
    void viewSwitches();
};

void TestStartup::cleanup() { setInstalledFontNames({}); }

void TestStartup::defaultsAfterLoad()
{
    WorkFolder folder;
    ScriptedDialogs d;
    bool ok = false;
    auto f = loadedForm(&ok);
    QVERIFY(ok);
    QVERIFY(!f->endRequested());
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->Text1->text(), QStringLiteral("248"));
    QCOMPARE(f->VScroll1->value(), 248);
    QCOMPARE(f->work.state().num_colores, Long(248));
    QCOMPARE(f->Text4->text(), QStringLiteral("100"));
    QCOMPARE(f->Text5->text(), QStringLiteral("100"));
    QVERIFY(f->Option1[2]->isChecked());
    for (int i : { 0, 1, 3, 4 })
        QVERIFY(!f->Option1[i]->isChecked());
    QCOMPARE(f->work.state().num_dmc, Integer(248));
    QCOMPARE(f->ListView1->count(), 248);
    QCOMPARE(f->Label1->text(), QString());
    QCOMPARE(f->Label2->text(), QString());
    QCOMPARE(f->Label3->text(), QString());
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela 1.2 Demo"));
    QVERIFY(QFile::exists(QStringLiteral("personal.txt")));
    QCOMPARE(QFileInfo(QStringLiteral("personal.txt")).size(), 0);
    // the embroidery frame is 300 by 300 inside, and the size spinners say so
    QCOMPARE(f->work.Picture2.ScaleWidth(), 300.0);
    QCOMPARE(f->VScroll4->value(), 300);
    QCOMPARE(f->VScroll5->value(), 300);
    QCOMPARE(f->Check10->checkState(), Qt::Unchecked);
    QCOMPARE(f->ayuda_inicio, False);
    QVERIFY(d.shown.empty());
}

void TestStartup::personalCatalogueEmptiedEvenWhenItHeldThreads()
{
    WorkFolder folder;
    writeText(QStringLiteral("personal.txt"), "310,0,0,0\n1,240,234,218\n");
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(QFileInfo(QStringLiteral("personal.txt")).size(), 0);
    f->paleta(5);
    QCOMPARE(f->work.state().num_dmc, Integer(0));
}

void TestStartup::swatchOfEveryThread()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QCOMPARE(int(f->work.ImageList1.size()), kFullCatalogue + 1);
    for (int i : { 1, 2, 100, 213, 426 }) {
        const QImage& im = f->work.ImageList1[i];
        QCOMPARE(im.size(), QSize(13, 11));
        const color_dmc& t = f->work.state().dmc_todos[i];
        // a white stripe over columns 0..2 (the white box ends at 2, inclusive), the thread's
        // colour from column 3 to the right edge, on every row
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x <= 2; ++x)
                QCOMPARE(colourFromRgb(im.pixel(x, y)), RGB(255, 255, 255));
            for (int x = 3; x < 13; ++x)
                QCOMPARE(colourFromRgb(im.pixel(x, y)), RGB(t.rojo, t.verde, t.azul));
        }
    }
}

void TestStartup::symbolFontChosenFromTheInstalledList_data()
{
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("Arial before Small Fonts picks Arial")
        << QStringList { "Courier", "Arial", "Small Fonts" } << "Arial";
    QTest::newRow("Small Fonts before Arial picks Small Fonts")
        << QStringList { "Courier", "Small Fonts", "Arial" } << "Small Fonts";
    QTest::newRow("neither picks entry 0") << QStringList { "DejaVu Sans", "Courier" } << "DejaVu Sans";
    QTest::newRow("other case does not match") << QStringList { "Courier", "arial", "SMALL FONTS" } << "Courier";
}

void TestStartup::symbolFontChosenFromTheInstalledList()
{
    QFETCH(QStringList, fonts);
    QFETCH(QString, chosen);
    WorkFolder folder;
    ScriptedDialogs d;
    setInstalledFontNames([fonts] { return fonts; });
    bool ok = false;
    auto f = loadedForm(&ok);
    QVERIFY(ok);
    QCOMPARE(f->Combo1->count(), fonts.size());
    for (int i = 0; i < fonts.size(); ++i)
        QCOMPARE(f->Combo1->itemText(i), fonts[i]);
    QCOMPARE(f->Combo1->currentText(), chosen);
    QCOMPARE(f->work.state().listo, True);
}

void TestStartup::noFontsEndsTheProgram()
{
    WorkFolder folder;
    ScriptedDialogs d;
    setInstalledFontNames([] { return QStringList(); });
    bool ok = true;
    auto f = loadedForm(&ok);
    QVERIFY(!ok);
    QVERIFY(f->endRequested());
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].prompt, QStringLiteral("No tienes fuentes instaladas!"));
    QCOMPARE(d.shown[0].buttons, vbCritical);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
}

void TestStartup::startHelpShownOnce()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = loadedForm();
    f->Form_Activate();
    f->Form_Activate(); // again after a message box or the full-screen window
    f->Form_Activate();
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].prompt, QStringLiteral("Para comenzar, pulsar el botón 'Abrir'"));
    QCOMPARE(d.shown[0].buttons, vbOKOnly);
    QCOMPARE(d.shown[0].title, QStringLiteral("Ayuda de puntela 1.2 Demo"));
    QCOMPARE(f->ayuda_inicio, True);
}

void TestStartup::finEndsWithoutAQuestion()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    QVERIFY(!f->endRequested());
    f->Command8->click();
    QVERIFY(f->endRequested());
    QVERIFY(d.shown.empty());
    QVERIFY(QFileInfo(QStringLiteral("personal.txt")).size() == 0);
}

void TestStartup::closingTheWindowEndsWithoutAQuestion()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->show();
    QVERIFY(f->close());
    QVERIFY(f->endRequested());
    QVERIFY(d.shown.empty());
}

void TestStartup::badFullCatalogueEndsInOrder_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("missing");
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("short: 300 records") << deliveredLines(300) << false;
    QTest::newRow("425 records") << deliveredLines(425) << false;
    QTest::newRow("malformed record") << QByteArray(deliveredLines(10) + "310,negro,0,0\n" + deliveredLines(426))
                                      << false;
    QTest::newRow("colour out of range") << QByteArray("310,0,0,999\n" + deliveredLines(426)) << false;
}

void TestStartup::badFullCatalogueEndsInOrder()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, missing);
    WorkFolder folder;
    if (missing)
        QVERIFY(QFile::remove(QStringLiteral("dmc.txt")));
    else
        writeText(QStringLiteral("dmc.txt"), content);
    ScriptedDialogs d;
    bool ok = true;
    auto f = loadedForm(&ok);
    QVERIFY(!ok);
    QVERIFY(f->endRequested());
    QCOMPARE(int(d.shown.size()), 1);
    QVERIFY2(d.shown[0].prompt.contains(QStringLiteral("\"dmc.txt\"")), qPrintable(d.shown[0].prompt));
    QCOMPARE(d.shown[0].buttons, vbCritical);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    // nothing was listed from a partly read catalogue
    QCOMPARE(f->ListView1->count(), 0);
    QCOMPARE(f->work.state().dmc_todos[1].numero, Long(0));
}

void TestStartup::longerFullCatalogueReadsTheFirst426()
{
    WorkFolder folder;
    writeText(QStringLiteral("dmc.txt"), deliveredLines(426) + "99999,1,2,3\nanything\n");
    ScriptedDialogs d;
    bool ok = false;
    auto f = loadedForm(&ok);
    QVERIFY(ok);
    QVERIFY(d.shown.empty());
    std::vector<color_dmc> delivered(kCatalogueSize);
    QCOMPARE(readCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), delivered, kFullCatalogue).count, 426);
    for (int i = 1; i <= kFullCatalogue; ++i)
        QCOMPARE(f->work.state().dmc_todos[i].numero, delivered[i].numero);
    QCOMPARE(f->work.state().num_dmc, Integer(248));
}

void TestStartup::erIsACriticalErrorBox()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->er(QStringLiteral("Debe haber más de un color"));
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].prompt, QStringLiteral("Debe haber más de un color"));
    QCOMPARE(d.shown[0].buttons, 16);
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->work.state().num_colores, Long(248));
}

void TestStartup::helpButtonShowsTheContact()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->Command10->click();
    QCOMPARE(int(d.shown.size()), 1);
    QCOMPARE(d.shown[0].buttons, 32);
    QCOMPARE(d.shown[0].title, QStringLiteral("Ayuda"));
    const QString p = d.shown[0].prompt;
    const QString lead = QStringLiteral("Puede ponerse en contacto con nosotros a la dirección ");
    const QString middle = QStringLiteral(" o visitar nuestra página web ");
    QVERIFY(p.startsWith(lead));
    QCOMPARE(p, lead + help::kContactAddress + middle + help::manualAddress());
    QVERIFY(help::kContactAddress.contains(QLatin1Char('@')));
    // the manual where an installed program has it
    const QString installed = QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/puntela/manual/index.html"));
    QCOMPARE(help::manualAddress(), QUrl::fromLocalFile(installed).toString());
}

void TestStartup::viewSwitches()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->sub1(False);
    QVERIFY(f->Command6->isHidden());
    QVERIFY(f->Check10->isHidden());
    QVERIFY(!f->work.Picture3.Visible());
    QVERIFY(f->work.Picture11.Visible());
    QVERIFY(!f->Combo1->isHidden());
    QVERIFY(!f->HScroll2->isHidden());
    f->sub1(True);
    QVERIFY(!f->Command6->isHidden());
    QVERIFY(!f->Command21->isHidden());
    QVERIFY(f->work.Picture3.Visible());
    QVERIFY(!f->work.Picture11.Visible());
    QVERIFY(f->Combo1->isHidden());
    QVERIFY(f->VScroll2->isHidden());
    f->Picture6->setVisible(false);
    f->Command9_Click();
    QVERIFY(!f->Picture6->isHidden());
}

// An empty "dmc10.txt" once gave an all-black pattern of "248 colores".
void TestStartup::emptyDefaultCatalogueRefused()
{
    WorkFolder folder;
    writeText(QStringLiteral("dmc10.txt"), QByteArray());
    ScriptedDialogs d;
    auto f = loadedForm();
    QCOMPARE(d.prompts(),
        QStringList { QStringLiteral("El catálogo de hilos \"dmc10.txt\" está dañado: no tiene ningún hilo.") });
    QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(f->ListView1->count(), 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
