// Pattern files through the work: a saved pattern reopened writes the same pictures, the last
// pattern follows every swap and undo, and a file that cannot be opened changes nothing on show.
#include "render/clear_symbols.h"
#include "test_support.h"
#include "views/undo_file.h"
#include "work/work.h"
#include "work_loader.h"

#include <QtTest>
#include <set>

namespace {
// Swaps the second colour of the first group with two colours for the first.
bool swapInFirstGroup(Work& work)
{
    std::size_t g = 0;
    while (work.state().num_tono[g] < 2)
        ++g;
    load(work).color_nuevo = work.state().tono[g][0];
    return work.swapPick(int(g), 1, work.state().tono[g][1]) == Work::SwapResult::Done;
}

// A started work in a fresh folder with a 180 x 120 picture made into a single-stitch pattern.
struct Bench {
    WorkFolder folder;
    ScriptedDialogs answers;
    Work work { answers };

    bool start()
    {
        return work.startUp()
            && work.openPicture(savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(180, 120)));
    }
    bool made()
    {
        if (!start())
            return false;
        work.makePattern(false);
        return work.hasPattern();
    }
    bool swap() { return swapInFirstGroup(work); }
    int errors() const { return answers.countTitled(QStringLiteral("Error")); }
};

QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        QFile f(info.filePath());
        files.insert(info.fileName(), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return files;
}

Pattern lastPattern(Work& work)
{
    work.finishLastPattern();
    return readOxsFile(lastPatternFileName(), work.state().dmc_todos).pattern;
}

bool samePattern(const Pattern& a, const Pattern& b)
{
    if (a.cells != b.cells || a.palette.size() != b.palette.size())
        return false;
    for (std::size_t i = 0; i < a.palette.size(); ++i)
        if (a.palette[i].colour != b.palette[i].colour || a.palette[i].symbol != b.palette[i].symbol)
            return false;
    return true;
}
} // namespace

class TestWorkPatternFile : public QObject {
    Q_OBJECT
private slots:
    void reopenedPatternWritesTheSamePictures_data()
    {
        QTest::addColumn<bool>("clearSymbols");
        QTest::addColumn<bool>("swapped");
        QTest::newRow("a symbol font: symbols by palette place") << false << false;
        QTest::newRow("\"Símbolos claros\" after a swap: every thread keeps its own symbol") << true << true;
    }
    void reopenedPatternWritesTheSamePictures()
    {
        QFETCH(bool, clearSymbols);
        QFETCH(bool, swapped);
        Bench b;
        loadSettings(b.work).chart.symbolFont = clearSymbols ? clearSymbolsName() : QStringLiteral("DejaVu Sans");
        QVERIFY(b.made());
        if (swapped) {
            QVERIFY(b.swap());
            b.work.redrawEmbroidery();
        }
        const Pattern saved = b.work.pattern();
        const QString file = b.folder.file(QStringLiteral("rosa.oxs"));
        QCOMPARE(b.work.savePattern(file), QString());
        QVERIFY(QDir().mkpath(b.folder.file(QStringLiteral("antes"))));
        QCOMPARE(b.work.saveImages(b.folder.file(QStringLiteral("antes"))), QString());

        // another work, as after the program was closed and started again
        ScriptedDialogs answers;
        Work again(answers);
        QVERIFY(again.startUp());
        loadSettings(again).chart.symbolFont = b.work.settings().chart.symbolFont;
        QVERIFY(again.openPattern(file));
        QVERIFY(samePattern(again.pattern(), saved));
        QCOMPARE(again.patternDetails().title, QStringLiteral("dibujo"));
        QVERIFY(QDir().mkpath(b.folder.file(QStringLiteral("despues"))));
        QCOMPARE(again.saveImages(b.folder.file(QStringLiteral("despues"))), QString());
        const QMap<QString, QByteArray> before = filesIn(b.folder.file(QStringLiteral("antes")));
        const QMap<QString, QByteArray> after = filesIn(b.folder.file(QStringLiteral("despues")));
        QCOMPARE(after.keys(), before.keys());
        for (const QString& name : before.keys())
            QVERIFY2(after[name] == before[name], qPrintable(name));
        QVERIFY(answers.shown.empty());
        // the opened pattern swaps and undoes like a made one
        QVERIFY(swapInFirstGroup(again));
        QVERIFY(again.undoSwap());
        QVERIFY(samePattern(again.pattern(), saved));
        // the pattern's stitches are the working picture: a new pattern can be made from them
        again.makePattern(false);
        QVERIFY(answers.shown.empty());
        QCOMPARE(again.state().ancho_puntos, b.work.state().ancho_puntos);
    }

    void lastPatternFollowsSwapAndUndo()
    {
        Bench b;
        QVERIFY(b.made());
        const Pattern made = b.work.pattern();
        QVERIFY(samePattern(lastPattern(b.work), made));
        QVERIFY(b.swap());
        QVERIFY(!samePattern(lastPattern(b.work), made));
        QVERIFY(samePattern(lastPattern(b.work), b.work.pattern()));
        QVERIFY(b.work.undoSwap());
        QVERIFY(samePattern(lastPattern(b.work), made));
        QVERIFY(b.answers.shown.empty());
    }

    void lastPatternFailureToldOnce()
    {
        Bench b;
        // a folder where the file should go: it can never be written
        QVERIFY(QDir().mkdir(b.folder.file(lastPatternFileName())));
        QVERIFY(b.made());
        QVERIFY(b.swap());
        QVERIFY(b.work.undoSwap());
        b.work.makePattern(false);
        b.work.finishLastPattern();
        QCOMPARE(b.answers.prompts().filter(lastPatternFileName()).size(), 1);
        // the message names the working folder the pattern could not be kept in
        QCOMPARE(b.answers.prompts()
                     .filter(QStringLiteral("carpeta de trabajo \"%1\"").arg(QDir::toNativeSeparators(b.folder.path())))
                     .size(),
            1);
        QCOMPARE(b.errors(), 0);
        QVERIFY(b.work.hasPattern());
        // written again once the way is clear
        QVERIFY(QDir().rmdir(b.folder.file(lastPatternFileName())));
        QVERIFY(b.swap());
        QVERIFY(samePattern(lastPattern(b.work), b.work.pattern()));
    }

    void badFileChangesNothingOnShow_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not XML") << QByteArray("<chart><properties") << "rosa.oxs";
        QTest::newRow("stitch outside the chart")
            << QByteArray("<chart><properties chartwidth=\"2\" chartheight=\"2\"/><palette>"
                          "<palette_item index=\"0\" number=\"cloth\"/><palette_item index=\"1\" number=\"DMC 310\"/>"
                          "</palette><fullstitches><stitch x=\"5\" y=\"0\" palindex=\"1\"/></fullstitches></chart>")
            << "rosa.oxs";
    }
    void badFileChangesNothingOnShow()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        Bench b;
        QVERIFY(b.made());
        QVERIFY(b.swap());
        const WorkState st = b.work.state();
        const QImage embroidery = b.work.Picture2.Image(), chart = b.work.Picture11.Image(),
                     picture = b.work.Picture3.Image();
        const double width = b.work.settings().width;
        QFile file(b.folder.file(QStringLiteral("rosa.oxs")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        QVERIFY(!b.work.openPattern(file.fileName()));
        QCOMPARE(b.errors(), 1);
        QVERIFY(b.answers.prompts().last().contains(reason));
        QVERIFY(b.work.state().puntos == st.puntos);
        QVERIFY(b.work.state().tono == st.tono);
        QCOMPARE(b.work.state().num_tono, st.num_tono);
        QCOMPARE(b.work.state().listo, True);
        QCOMPARE(b.work.Picture2.Image(), embroidery);
        QCOMPARE(b.work.Picture11.Image(), chart);
        QCOMPARE(b.work.Picture3.Image(), picture);
        QCOMPARE(b.work.settings().width, width);
        // the swap can still be undone
        QVERIFY(b.work.undoSwap());
    }

    // The colour count on show after a pattern is made or opened is the threads its stitches use:
    // a thread the file lists twice counts once, one no stitch uses not at all, and only replaced
    // threads that reach the chart are told.
    void colourCountIsTheThreadsUsed_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: a pattern made from a picture
        QTest::addColumn<QString>("told");
        QTest::newRow("made") << QByteArray() << QString();
        QTest::newRow("opened, a thread twice, two threads unused")
            << QByteArray("<chart><properties chartwidth=\"3\" chartheight=\"2\"/><palette>"
                          "<palette_item index=\"0\" number=\"cloth\"/><palette_item index=\"1\" number=\"DMC 310\"/>"
                          "<palette_item index=\"2\" number=\"dmc 310\"/><palette_item index=\"3\" number=\"DMC 666\"/>"
                          "<palette_item index=\"4\" number=\"Anchor 1\" color=\"FF0000\"/>"
                          "<palette_item index=\"5\" number=\"Anchor 2\" color=\"00FF00\"/></palette><fullstitches>"
                          "<stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"2\"/>"
                          "<stitch x=\"2\" y=\"1\" palindex=\"5\"/></fullstitches></chart>")
            << "Anchor 2 por";
    }
    void colourCountIsTheThreadsUsed()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, told);
        Bench b;
        if (file.isEmpty()) {
            QVERIFY(b.made());
        } else {
            QVERIFY(b.work.startUp());
            QFile f(b.folder.file(QStringLiteral("flor.oxs")));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
            f.close();
            QVERIFY(b.work.openPattern(f.fileName()));
            const QStringList prompts = b.answers.prompts();
            QCOMPARE(prompts.size(), 1);
            QVERIFY2(prompts.first().contains(told) && !prompts.first().contains(QStringLiteral("Anchor 1")),
                qPrintable(prompts.first()));
        }
        const Pattern p = b.work.pattern();
        std::set<Long> used;
        for (const int c : p.cells)
            if (c != Pattern::kNoStitch)
                used.insert(p.palette[std::size_t(c)].colour);
        QCOMPARE(b.work.settings().colours, int(used.size()));
        QCOMPARE(int(b.work.state().num_colores), int(used.size()));
        QVERIFY(used.size() >= 2);
    }

    void foreignFileToldAndDrawnOnTheCloth()
    {
        Bench b;
        QVERIFY(b.work.startUp());
        QFile file(b.folder.file(QStringLiteral("flor.oxs")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<chart><properties chartwidth=\"3\" chartheight=\"2\"/><palette>"
                   "<palette_item index=\"0\" number=\"cloth\"/><palette_item index=\"1\" number=\"DMC 310\"/>"
                   "</palette><fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/>"
                   "<stitch x=\"2\" y=\"1\" palindex=\"1\"/></fullstitches><partstitches/><backstitches>"
                   "<backstitch x1=\"0\" y1=\"0\" x2=\"2\" y2=\"2\" palindex=\"1\"/></backstitches></chart>");
        file.close();
        QVERIFY(b.work.openPattern(file.fileName()));
        QCOMPARE(b.errors(), 0);
        // the backstitch is kept and drawn, so there is nothing to tell
        QCOMPARE(b.answers.prompts().size(), 0);
        QCOMPARE(b.work.stitchExtras().backs.size(), std::size_t(1));
        // 3 pixels a stitch: a dark stitch where stitched, the white cloth where not, the black
        // backstitch line across the empty cell (1, 1)
        QVERIFY(qGray(b.work.Picture2.scanLine(1)[1]) < 100);
        QCOMPARE(b.work.Picture2.scanLine(1)[4] & 0xFFFFFF, 0xFFFFFFu);
        QVERIFY(qGray(b.work.Picture2.scanLine(4)[4]) < 160);
        // and over the empty cell (1, 1) of the first sheet, whose cells start 6 pixels in
        QVERIFY(qGray(b.work.Picture11.image().pixel(19, 19)) < 160);
        QCOMPARE(b.work.Picture11.image().pixel(21, 17) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(b.work.state().num_puntos, 2);
        QCOMPARE(b.work.patternDetails().title, QStringLiteral("flor"));
    }
};

QTEST_MAIN(TestWorkPatternFile)
#include "tst_work_pattern_file.moc"
