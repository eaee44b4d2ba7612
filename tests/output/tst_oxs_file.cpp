// Pattern files: what is written, a pattern made from a picture surviving save and open with
// both groupings, a failed save keeping the earlier file, a file from another program, and the
// files that are refused.
#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "colour/hue_groups.h"
#include "colour/palette.h"
#include "colour/stitch_reading.h"
#include "output/oxs_file.h"
#include "render/chart.h"

#include "extras_text.h"
#include "pipe_device.h"
#include "test_support.h"

#include <QBuffer>
#include <QtTest>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
std::vector<color_dmc> fullCatalogue()
{
    std::vector<color_dmc> all(kCatalogueSize);
    readFullCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), all, kFullCatalogue);
    return all;
}

OxsRead readText(const QByteArray& text)
{
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readOxs(buffer, QStringLiteral("mal.oxs"), fullCatalogue());
}

QByteArray written(const Pattern& p, const OxsDetails& d = {})
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    return writeOxs(buffer, p, d) ? data : QByteArray();
}

// White, ecru and black threads over 3 x 2 cells, one without a stitch; symbols XML must escape.
Pattern smallPattern()
{
    Pattern p;
    p.width = 3;
    p.height = 2;
    p.palette = { { 0, RGB(255, 255, 255), QStringLiteral("&") }, { 1, RGB(240, 234, 218), QStringLiteral("<") },
        { 310, 0, QStringLiteral("\"") } };
    p.cells = { 0, 1, Pattern::kNoStitch, 2, 2, 0 };
    return p;
}

// The symbols the chart draws, by palette index.
std::function<QString(int)> chartSymbols(const WorkState& st)
{
    return [&st](int index) {
        int g = 0;
        while (index >= st.num_tono[std::size_t(g)])
            index -= st.num_tono[std::size_t(g++)];
        return paletteSymbol(st, g, index, true);
    };
}

QByteArray chartDocument(const QByteArray& size, const QByteArray& palette, const QByteArray& stitches)
{
    return "<?xml version=\"1.0\"?>\n<chart><properties oxsversion=\"1.0\" " + size + "/>" + palette + stitches
        + "</chart>\n";
}
const QByteArray kSize2x2 = "chartwidth=\"2\" chartheight=\"2\"";
const QByteArray kPalette = "<palette><palette_item index=\"0\" number=\"cloth\"/>"
                            "<palette_item index=\"1\" number=\"DMC 310\"/></palette>";
void row(const char* name, const QByteArray& text, const char* reason)
{
    QTest::newRow(name) << text << QString::fromUtf8(reason);
}

const QByteArray kStitch = "<fullstitches><stitch x=\"1\" y=\"1\" palindex=\"1\"/></fullstitches>";

// All that reading a document gives: the refusal, or the pattern written back and the notice.
QByteArray readingOf(QIODevice& device)
{
    const OxsRead r = readOxs(device, QStringLiteral("mal.oxs"), fullCatalogue());
    return r.ok() ? written(r.pattern, r.details) + r.notice(QStringLiteral("mal.oxs")).toUtf8() : r.error.toUtf8();
}
} // namespace

class TestOxsFile : public QObject {
    Q_OBJECT
private slots:
    void writesTheFormatAndReadsItBack();
    void madePatternSurvivesSaveAndOpen_data();
    void madePatternSurvivesSaveAndOpen();
    void failedSaveKeepsTheEarlierFile_data();
    void failedSaveKeepsTheEarlierFile();
    void foreignFile();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void readsTheSameFromAPipe_data();
    void readsTheSameFromAPipe();
    void coordinatesReadToTheNearestDouble();
    void titleKeptBounded_data();
    void titleKeptBounded();
    void manyReplacedThreadsListedShort();
    void extrasSurviveOpenAndSave();
};

void TestOxsFile::extrasSurviveOpenAndSave()
{
    // as another program writes them: threads used only outside full stitches, a comma decimal,
    // a three-quarter stitch in two threads, attributes this program has no use for
    const QByteArray text = chartDocument("chartwidth=\"6\" chartheight=\"5\"",
        "<palette><palette_item index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
        "<palette_item index=\"1\" number=\"DMC    310\" color=\"000000\"/>"
        "<palette_item index=\"2\" number=\"DMC 666\" color=\"E31D42\"/>"
        "<palette_item index=\"3\" number=\"DMC 798\" color=\"4A6FA5\"/>"
        "<palette_item index=\"4\" number=\"DMC 321\" color=\"C72B3B\"/></palette>",
        "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"4\"/>"
        "</fullstitches><partstitches>"
        "<partstitch x=\"2\" y=\"1\" palindex1=\"1\" palindex2=\"0\" direction=\"3\"/>"
        "<partstitch x=\"3\" y=\"1\" palindex1=\"4\" palindex2=\"0\" direction=\"4\"/>"
        "<partstitch x=\"4\" y=\"1\" palindex1=\"1\" palindex2=\"4\" direction=\"1\"/>"
        "<partstitch x=\"5\" y=\"2\" palindex1=\"0\" palindex2=\"4\" direction=\"2\" marked=\"true\"/>"
        "</partstitches><backstitches>"
        "<backstitch x1=\"0\" y1=\"0\" x2=\"2.5\" y2=\"1.5\" palindex=\"2\" objecttype=\"backstitch\" sequence=\"3\"/>"
        "<backstitch x1=\"2,5\" y1=\"1,5\" x2=\"6\" y2=\"5\" palindex=\"2\" objecttype=\"daisy\" sequence=\"0\"/>"
        "<backstitch x1=\"1\" y1=\"4\" x2=\"4\" y2=\"4\" palindex=\"1\" objecttype=\"backstitch\"/>"
        "</backstitches><ornaments_inc_knots_and_beads>"
        "<object x1=\"1.5\" y1=\"2.5\" palindex=\"3\" objecttype=\"knot\"/>"
        "<object x1=\"3\" y1=\"3\" palindex=\"3\" objecttype=\"bead2.5mm\"/>"
        "<object x1=\"0.5\" y1=\"3\" palindex=\"4\" objecttype=\"quarter\" petit=\"false\"/>"
        "<object x1=\"4\" y1=\"2\" palindex=\"1\" objecttype=\"3x2\"/>"
        "<object x1=\"9\" y1=\"2\" palindex=\"1\" objecttype=\"knot\"/>"
        "</ornaments_inc_knots_and_beads>");
    const OxsRead read = readText(text);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const QStringList elements = extrasText(read.pattern.extras);
    QCOMPARE(elements,
        (QStringList { "cell 2 1 310 -1 3 ", "cell 3 1 321 -1 4 ", "cell 4 1 310 321 1 ",
            "cell 5 2 -1 321 2 marked=true", "back 0 0 2.5 1.5 666 backstitch 3 ", "back 2.5 1.5 6 5 666 daisy 0 ",
            "back 1 4 4 4 310 backstitch 0 ", "object 1.5 2.5 798 knot ", "object 3 3 798 bead2.5mm ",
            "object 0.5 3 321 quarter petit=false", "object 4 2 310 3x2 " }));
    QCOMPARE(read.notice(QStringLiteral("mal.oxs")),
        QStringLiteral("El patrón \"mal.oxs\" se ha abierto con cambios.\nNo se dibujan 1 adorno, que el patrón guarda "
                       "igualmente.\nSe han dejado fuera 1 elemento fuera del patrón o sin hilo."));

    // saved as the window saves it: the palette of the full stitches on show, the extras beside it
    WorkState st;
    st.dmc_todos = fullCatalogue();
    QVERIFY(putPatternInState(read.pattern, st));
    Pattern shown = patternFromState(st);
    QCOMPARE(shown.palette.size(), std::size_t(2));
    shown.extras = read.pattern.extras;
    const QByteArray saved = written(shown);
    QVERIFY(saved.contains("x1=\"2.5\" y1=\"1.5\""));
    QVERIFY(saved.contains("palettecount=\"4\""));
    const OxsRead again = readText(saved);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(extrasText(again.pattern.extras), elements);
    QCOMPARE(again.pattern.palette[std::size_t(again.pattern.at(1, 0))].numero, Long(321));
}

void TestOxsFile::writesTheFormatAndReadsItBack()
{
    const QByteArray text = written(smallPattern(), { QStringLiteral("rosa"), 16 });
    for (const char* part : { "software=\"Puntela\"", "chartwidth=\"3\" chartheight=\"2\" charttitle=\"rosa\"",
             "stitchesperinch=\"16\" stitchesperinch_y=\"16\" palettecount=\"3\"",
             "<palette_item index=\"0\" number=\"cloth\" name=\"cloth\" color=\"FFFFFF\"/>",
             "index=\"1\" number=\"DMC Blanc\" name=\"White\" color=\"FFFFFF\" strands=\"2\" symbol=\"&amp;\"",
             "index=\"2\" number=\"DMC Ecru\" name=\"Ecru\" color=\"F0EADA\"",
             "index=\"3\" number=\"DMC 310\" name=\"Black\" color=\"000000\" strands=\"2\" symbol=\"&quot;\"",
             "<stitch x=\"1\" y=\"1\" palindex=\"3\"/>", "<partstitches/>", "<backstitches/>" })
        QVERIFY2(text.contains(part), part);
    QCOMPARE(text.count("<stitch "), 5);
    QVERIFY(!text.contains("<stitch x=\"2\" y=\"0\""));

    const OxsRead back = readText(text);
    QVERIFY2(back.ok(), qPrintable(back.error));
    QCOMPARE(back.pattern.cells, smallPattern().cells);
    QCOMPARE(back.pattern.palette[1].symbol, QStringLiteral("<"));
    QCOMPARE(back.details.title, QStringLiteral("rosa"));
    QCOMPARE(back.details.stitchesPerInch, 16);
    QCOMPARE(back.notice(QStringLiteral("rosa.oxs")), QString());
}

void TestOxsFile::madePatternSurvivesSaveAndOpen_data()
{
    QTest::addColumn<bool>("byLeadingComponent");
    QTest::newRow("groups sorted by brightness") << false;
    QTest::newRow("groups sorted by their leading component (Check9)") << true;
}

void TestOxsFile::madePatternSurvivesSaveAndOpen()
{
    QFETCH(bool, byLeadingComponent);
    WorkState st;
    st.dmc_todos = fullCatalogue();
    st.dmc_activos = st.dmc_todos;
    st.num_dmc = kFullCatalogue;
    st.num_colores = 60;
    Surface picture;
    picture.setPicture(gradientPicture(160, 80));
    const Surface box(50 * 3, 25 * 3);
    QVERIFY(colores(st, picture, box, Progress()));
    byLeadingComponent ? separa1(st, Progress()) : separa(st, Progress());
    QVERIFY(gama(st, Progress(), {}));
    Strips strips;
    gama1(st, strips, Progress(), {});
    QVERIFY(st.num_colores > 20);
    // with the leading-component key some group is out of brightness order: a re-sort would show
    bool outOfBrightnessOrder = false;
    for (std::size_t g = 0; g < 6; ++g)
        for (int k = 1; k < st.num_tono[g]; ++k)
            outOfBrightnessOrder
                |= split(st.tono[g][std::size_t(k)]).sum() > split(st.tono[g][std::size_t(k - 1)]).sum();
    QCOMPARE(outOfBrightnessOrder, byLeadingComponent);

    const Pattern saved = patternFromState(st, chartSymbols(st));
    const OxsRead read = readText(written(saved));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QVERIFY(read.replaced.isEmpty());
    WorkState back;
    back.punto_doble = True;
    QVERIFY(putPatternInState(read.pattern, back));
    QCOMPARE(back.ancho_puntos, st.ancho_puntos);
    QCOMPARE(back.alto_puntos, st.alto_puntos);
    QCOMPARE(back.punto_doble, False);
    QCOMPARE(back.num_colores, st.num_colores);
    QCOMPARE(back.num_tono, st.num_tono);
    for (std::size_t g = 0; g < 6; ++g)
        for (int k = 0; k < st.num_tono[g]; ++k)
            QCOMPARE(back.tono[g][std::size_t(k)], st.tono[g][std::size_t(k)]);
    for (int y = 0; y < st.alto_puntos; ++y)
        for (int x = 0; x < st.ancho_puntos; ++x)
            QCOMPARE(back.puntos(x, y), st.puntos(x, y));
    const Pattern reopened = patternFromState(back, chartSymbols(back));
    for (std::size_t i = 0; i < saved.palette.size(); ++i)
        QCOMPARE(reopened.palette[i].symbol, saved.palette[i].symbol);
}

void TestOxsFile::failedSaveKeepsTheEarlierFile_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("folder that cannot be written") << false;
    QTest::newRow("disk full while writing") << true;
}

void TestOxsFile::failedSaveKeepsTheEarlierFile()
{
    QFETCH(bool, diskFull);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rosa.oxs"));
    QCOMPARE(saveOxsFile(path, smallPattern(), {}), QString());
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    const QByteArray before = earlier.readAll();
    earlier.close();

    Pattern larger = smallPattern();
    larger.width = 300;
    larger.height = 100;
    larger.cells.assign(30000, 2);
    QString message;
    if (diskFull) {
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 64 * 1024;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        message = saveOxsFile(path, larger, {});
        setrlimit(RLIMIT_FSIZE, &old);
    } else {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        // the super-user writes anywhere: the check runs as nobody
        const bool root = geteuid() == 0;
        if (root)
            setfsuid(65534);
        message = saveOxsFile(path, larger, {});
        if (root)
            setfsuid(0);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QVERIFY(message.startsWith(QStringLiteral("No se ha podido guardar el patrón \"%1\".").arg(path)));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("rosa.oxs") });
}

void TestOxsFile::foreignFile()
{
    const QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart>\n<format comments01=\"x\"/>\n"
                            "<properties oxsversion=\"1.0\" chartwidth=\"4\" chartheight=\"3\" charttitle=\"Flor\" "
                            "stitchesperinch=\"18\" palettecount=\"5\"/>\n<palette>\n"
                            "<color index=\"0\" number=\"cloth\" name=\"cloth\" color=\"F0E0D0\"/>\n"
                            "<color index=\"1\" number=\"DMC    310\" name=\"Black\" color=\"123456\"/>\n"
                            "<color index=\"2\" number=\"dmc blanc\" color=\"FFFFFF\"/>\n"
                            "<color index=\"3\" number=\"Anchor 403\" color=\"000000\"/>\n"
                            "<color index=\"4\" number=\"DMC B5200\" color=\"FFFFFF\"/>\n"
                            "<color index=\"5\" number=\"DMC 666\" color=\"E31D42\"/>\n</palette>\n"
                            "<fullstitches>\n<stitch x=\"0\" y=\"0\" palindex=\"1\"/>\n"
                            "<stitch x=\"1\" y=\"0\" palindex=\"2\"/>\n<stitch x=\"2\" y=\"0\" palindex=\"3\"/>\n"
                            "<stitch x=\"3\" y=\"1\" palindex=\"4\"/>\n<stitch x=\"0\" y=\"2\" palindex=\"5\"/>\n"
                            "<stitch x=\"1\" y=\"2\" palindex=\"0\"/>\n</fullstitches>\n<partstitches>"
                            "<partstitch x=\"1\" y=\"1\" palindex1=\"1\" palindex2=\"0\" direction=\"1\"/>"
                            "</partstitches>\n<backstitches><backstitch x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" "
                            "palindex=\"1\" objecttype=\"backstitch\" sequence=\"0\"/></backstitches>\n</chart>\n";
    const OxsRead read = readText(text);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const Pattern& p = read.pattern;
    QCOMPARE(p.palette.size(), std::size_t(3));
    QCOMPARE(p.palette[0].numero, Long(310));
    QCOMPARE(p.palette[0].colour, Long(0)); // the catalogue's colour, not the file's
    QCOMPARE(p.palette[1].numero, Long(0));
    QCOMPARE(p.palette[2].colour, RGB(227, 29, 66));
    const int E = Pattern::kNoStitch;
    QCOMPARE(p.cells, (std::vector<int> { 0, 1, 0, E, E, E, E, 1, 2, E, E, E }));
    QCOMPARE(read.replaced, (QStringList { "Anchor 403 por DMC 310", "DMC B5200 por DMC Blanc" }));
    QCOMPARE(read.notice(QStringLiteral("flor.oxs")),
        QStringLiteral("El patrón \"flor.oxs\" se ha abierto con cambios.\nHilos que no están en el catálogo completo, "
                       "cambiados por el más parecido: Anchor 403 por DMC 310, DMC B5200 por DMC Blanc."));

    WorkState st;
    QVERIFY(putPatternInState(p, st));
    QCOMPARE(st.puntos(3, 0), kNoStitchColour);
    QCOMPARE(st.num_puntos, Long(5));
    QCOMPARE(st.num_tono, (std::array<Integer, 6> { 0, 1, 0, 0, 0, 2 }));
    // the chart, the key and the counts see the empty cells as no stitch at all
    const Pattern shown = patternFromState(st);
    QCOMPARE(shown.cells[3], E);
    QCOMPARE(shown.stitchCounts(), (std::vector<long> { 1, 2, 2 }));
}

void TestOxsFile::badFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    const QByteArray good = chartDocument(kSize2x2, kPalette, kStitch);
    row("empty file", QByteArray(), "el archivo está vacío.");
    row("malformed", QByteArray(good).replace("</palette>", "</paleta>"),
        "el archivo está dañado: no es un documento XML válido (línea 2, columna");
    row("truncated", good.left(good.size() - 30), "el archivo está cortado");
    row("entities that expand",
        "<?xml version=\"1.0\"?><!DOCTYPE chart [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><chart>&b;</chart>",
        "el archivo declara entidades (DTD)");
    row("entity never declared", QByteArray("<chart>&b;</chart>"),
        "el archivo está dañado: no es un documento XML válido");
    row("not a chart", QByteArray("<pattern/>"), "no es un patrón OXS: falta el elemento «chart».");
    row("no properties", QByteArray("<chart><palette/><fullstitches/></chart>"), "falta la sección «properties».");
    row("no palette", chartDocument(kSize2x2, "", kStitch), "falta la sección «palette».");
    row("no full stitches", chartDocument(kSize2x2, kPalette, ""), "falta la sección «fullstitches».");
    row("wider than the grid", chartDocument("chartwidth=\"1202\" chartheight=\"10\"", kPalette, kStitch),
        "el patrón mide 1202 x 10");
    row("more stitches than the grid holds",
        chartDocument("chartwidth=\"1201\" chartheight=\"769\"", kPalette, kStitch), "el patrón mide 1201 x 769");
    row("one stitch high", chartDocument("chartwidth=\"10\" chartheight=\"1\"", kPalette, kStitch),
        "el patrón mide 10 x 1 puntos y debe tener al menos 2");
    row("no size", chartDocument("chartwidth=\"ancho\"", kPalette, kStitch),
        "el tamaño del patrón (chartwidth, chartheight) falta");
    row("index outside the palette", QByteArray(good).replace("palindex=\"1\"", "palindex=\"2\""),
        "el punto x = 1, y = 1 usa el color 2, que no está en la paleta.");
    row("coordinates outside the chart", QByteArray(good).replace("x=\"1\"", "x=\"2\""),
        "el punto x = 2, y = 1 está fuera del patrón, que mide 2 x 2 puntos.");
    row("index given twice", QByteArray(good).replace("item index=\"1\"", "item index=\"0\""),
        "el índice 0 de la paleta está repetido.");
    QByteArray items;
    for (int i = 0; i <= 1000; ++i)
        items += "<palette_item index=\"" + QByteArray::number(i) + "\" number=\"DMC 310\"/>";
    row("a thousand and one palette items", chartDocument(kSize2x2, "<palette>" + items + "</palette>", kStitch),
        "la paleta tiene más de 1000 colores.");
    row("other brand without its colour", QByteArray(good).replace("DMC 310\"", "Anchor 403\" color=\"negro\""),
        "el color \"Anchor 403\" de la paleta no tiene un color RRGGBB válido (\"negro\").");
}

void TestOxsFile::badFilesAreRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    const OxsRead read = readText(text);
    QVERIFY(!read.ok());
    QVERIFY2(read.error.startsWith(QStringLiteral("No se puede abrir el patrón \"mal.oxs\": ") + reason),
        qPrintable(read.error));
    QVERIFY(read.pattern.cells.empty());
}

// A file is read straight from its bytes when it is plainly written, and by the full XML reader
// otherwise, as a pipe always is: both read every document alike.
void TestOxsFile::readsTheSameFromAPipe_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("accepted");
    const QByteArray good = chartDocument(kSize2x2, kPalette, kStitch);
    const auto titled = [](const QByteArray& title) {
        return chartDocument(kSize2x2 + " charttitle=\"" + title + "\"", kPalette, kStitch);
    };
    const auto accepted = [](const char* name, const QByteArray& text) { QTest::newRow(name) << text << true; };
    const auto refused = [](const char* name, const QByteArray& text) { QTest::newRow(name) << text << false; };
    accepted("as written", written(smallPattern(), { QStringLiteral("rosa"), 16 }));
    accepted("references in a value", titled("a&amp;b&lt;&gt;&quot;&apos;&#233;&#x263a;"));
    accepted("words outside ASCII", titled("Se\xc3\xb1ora \xf0\x9f\x8c\xbc"));
    accepted("single quotes and spaces", QByteArray(good).replace("palindex=\"1\"", "palindex = '1' "));
    accepted("declaration in full",
        QByteArray(good).replace(
            "<?xml version=\"1.0\"?>", "\xef\xbb\xbf<?xml version='1.0' encoding='utf-8' standalone='yes' ?>"));
    accepted("comments", QByteArray(good).replace("<palette>", "<!-- a - b --><palette><!---->"));
    accepted("elements closed apart", QByteArray(good).replace("palindex=\"1\"/>", "palindex=\"1\"></stitch >"));
    accepted("names in capitals",
        QByteArray(good).replace("<fullstitches>", "<FullStitches>").replace("</fullstitches>", "</FullStitches>"));
    accepted("anything after the chart", good + "<?pi?>text&bad;<");
    accepted("line breaks between elements", QByteArray(good).replace("><", ">\r\n\t<"));
    accepted("tab in a value", titled("a\tb"));
    accepted("line breaks in a value", titled("a\r\nb\rc\nd"));
    accepted("another encoding",
        QByteArray(good)
            .replace("version=\"1.0\"", "version=\"1.0\" encoding=\"ISO-8859-1\"")
            .replace("number=\"cloth\"", "number=\"cloth\" name=\"Se\xf1ora\""));
    accepted(
        "text and instructions", QByteArray(good).replace("<palette>", "<palette>texto<![CDATA[<x>]]><?pi dato?>"));
    accepted(
        "prefixed names", QByteArray(good).replace("<palette_item index=\"0\"", "<palette_item p:q=\"0\" index=\"0\""));
    refused("control character by number", titled("a&#1;b"));
    QByteArray many = "<fullstitches>";
    for (int i = 0; i < 200 * 200; ++i)
        many += "<stitch x=\"" + QByteArray::number(i % 200) + "\" y=\"" + QByteArray::number(i / 200)
            + "\" palindex=\"1\"/>\n";
    accepted("two megabytes, read a block at a time",
        chartDocument("chartwidth=\"200\" chartheight=\"200\"", kPalette, many + "</fullstitches>"));
    refused("undeclared entity", titled("a&nbsp;b"));
    refused("character that is none", titled("a&#xFFFE;b"));
    refused("faulty UTF-8",
        titled("a\xc3"
               "(b"));
    refused("less-than in a value", titled("a<b"));
    refused("attributes run together", QByteArray(good).replace("x=\"1\" y", "x=\"1\"y"));
    refused("attribute given twice", QByteArray(good).replace("x=\"1\"", "x=\"1\" x=\"1\""));
    refused("value without quotes", QByteArray(good).replace("x=\"1\"", "x=1"));
    refused("end tag not the open one", QByteArray(good).replace("</palette>", "</paleta>"));
    refused("double hyphen in a comment", QByteArray(good).replace("<palette>", "<!-- a -- b --><palette>"));
    refused("text before the chart", QByteArray(good).replace("<chart>", "x<chart>"));
    refused("declaration not first", " " + good);
    refused("cut short", good.left(good.size() - 30));
    refused("stitch without a position", QByteArray(good).replace("x=\"1\"", "x=\"uno\""));
}

void TestOxsFile::readsTheSameFromAPipe()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, accepted);
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray fromBytes = readingOf(buffer);
    PipeDevice pipe(text);
    QCOMPARE(fromBytes, readingOf(pipe));
    QCOMPARE(!fromBytes.startsWith("No se puede abrir"), accepted);
}

// Coordinates as files write them come out as the nearest double, as QString's reading gives.
void TestOxsFile::coordinatesReadToTheNearestDouble()
{
    const QStringList texts = { "0.1", "0.7", "2.3", "17.5", "1023.999999999", "3.14159265358979", "1.000000000000001",
        "699.0000000000001", "0.000000000000001", "007", "1e2", "1,25", " 4.5 " };
    QByteArray backs = "<backstitches>";
    for (const QString& t : texts)
        backs += "<backstitch x1=\"" + t.toUtf8() + "\" y1=\"0\" x2=\"0\" y2=\"0\" palindex=\"1\"/>";
    const OxsRead read = readText(
        chartDocument("chartwidth=\"1024\" chartheight=\"768\"", kPalette, kStitch + backs + "</backstitches>"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.pattern.extras.backs.size(), std::size_t(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        const double expected = QString(texts[i]).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble();
        QVERIFY2(read.pattern.extras.backs[std::size_t(i)].x1 == expected, qPrintable(texts[i]));
    }
}

// A title is kept as read but for control characters, and cut at 256 characters however long it
// is in the file.
void TestOxsFile::titleKeptBounded_data()
{
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("kept");
    QTest::newRow("control characters removed") << "Flor&#9;de&#10;lis"
                                                << "Flordelis";
    QTest::newRow("cut at 256 characters") << QString(300, QLatin1Char('a')) << QString(256, QLatin1Char('a'));
    QTest::newRow("ten megabytes") << QString(10 << 20, QLatin1Char('b')) << QString(256, QLatin1Char('b'));
    // U+1F33C in two halves, the first at character 256
    QTest::newRow("a character cut in two halves")
        << QString(255, QLatin1Char('c')) + QString::fromUtf8("\xF0\x9F\x8C\xBC") << QString(255, QLatin1Char('c'));
}

void TestOxsFile::titleKeptBounded()
{
    QFETCH(QString, inFile);
    QFETCH(QString, kept);
    const QByteArray size = kSize2x2 + " charttitle=\"" + inFile.toUtf8() + "\"";
    const OxsRead read = readText(chartDocument(size, kPalette, kStitch));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.details.title, kept);
}

// A palette of many threads of another brand, each stitched: every one is replaced, and the notice names twenty.
void TestOxsFile::manyReplacedThreadsListedShort()
{
    QByteArray items = "<palette_item index=\"0\" number=\"cloth\"/>";
    QByteArray stitches = "<fullstitches>";
    for (int i = 1; i < 1000; ++i) {
        items += "<palette_item index=\"" + QByteArray::number(i) + "\" number=\"Anchor " + QByteArray::number(i)
            + "\" color=\"" + QByteArray::number(0x100000 + i * 997, 16) + "\"/>";
        stitches += "<stitch x=\"" + QByteArray::number(i % 40) + "\" y=\"" + QByteArray::number(i / 40)
            + "\" palindex=\"" + QByteArray::number(i) + "\"/>";
    }
    const OxsRead read = readText(chartDocument(
        "chartwidth=\"40\" chartheight=\"25\"", "<palette>" + items + "</palette>", stitches + "</fullstitches>"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.replaced.size(), 999);
    const QString notice = read.notice(QStringLiteral("muchos.oxs"));
    QVERIFY2(notice.contains(QStringLiteral("Anchor 20 por ")) && !notice.contains(QStringLiteral("Anchor 21 por ")),
        qPrintable(notice));
    QVERIFY2(notice.contains(QStringLiteral(" y 979 más.")), qPrintable(notice));
}

QTEST_GUILESS_MAIN(TestOxsFile)
#include "tst_oxs_file.moc"
