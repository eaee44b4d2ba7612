// The work without a window: the settings rules, the pattern steps in their order, swap and undo,
// the page walk and the failures that must leave the work as it was.
#include "colour/stitch_reading.h"
#include "render/pattern_settings.h"
#include "test_support.h"
#include "views/swap.h"
#include "work/work.h"
#include "work_loader.h"

#include <QtTest>

namespace {
// The gradient with grain, so the pattern holds lone stitches.
QImage noisyPicture(int w, int h)
{
    QImage im = gradientPicture(w, h).convertToFormat(QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 27) - 16;
            const QRgb p = im.pixel(x, y);
            im.setPixel(x, y,
                qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) - n, 0, 255),
                    std::clamp(qBlue(p) + n, 0, 255)));
        }
    return im;
}

// A started work in a fresh folder with a 180 x 120 picture loaded (100 x 66 stitches).
struct Bench {
    WorkFolder folder;
    ScriptedDialogs answers;
    Recorder recorder;
    Work work { answers, recorder.progress() };

    bool start(const QImage& picture = gradientPicture(180, 120))
    {
        return work.startUp() && work.openPicture(savePicture(folder, QStringLiteral("dibujo.bmp"), picture));
    }
    int errors() const { return answers.countTitled(QStringLiteral("Error")); }
};
} // namespace

class TestWork : public QObject {
    Q_OBJECT
private slots:
    void oneSideKeepsTheOtherInStep_data()
    {
        QTest::addColumn<bool>("width");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("frameHeight");
        QTest::newRow("width 150: height 100 cut to 99") << true << 150 << 150 << 99;
        QTest::newRow("height 90: width 135") << false << 90 << 135 << 90;
        // 1086 x 724 stitches of a 3:2 picture is the most the stitch grid holds
        QTest::newRow("width past the grid: stops where the proportions still fit") << true << 3600 << 3260 << 2172;
    }
    void oneSideKeepsTheOtherInStep()
    {
        QFETCH(bool, width);
        QFETCH(int, pixels);
        QFETCH(int, frameWidth);
        QFETCH(int, frameHeight);
        Bench b;
        QVERIFY(b.start());
        b.work.setFrameSide(width, pixels);
        const Settings& s = b.work.settings();
        QCOMPARE(s.frameWidth, frameWidth);
        QCOMPARE(s.frameHeight, frameHeight);
        QCOMPARE(s.width, double(frameWidth / 3));
        QCOMPARE(s.height, double(frameHeight / 3));
        QCOMPARE(b.work.Picture2.Width(), frameWidth + 4);
        QCOMPARE(b.work.Picture2.Height(), frameHeight + 4);
        QCOMPARE(b.work.Picture2.Left(), centredPosition(frameWidth + 4));
    }

    void stitchesAndCatalogues()
    {
        Bench b;
        QVERIFY(b.start());
        QCOMPARE(b.work.setStitches(true, 60), QString());
        QCOMPARE(b.work.settings().height, 40.0);
        QVERIFY(b.work.setStitches(false, 800).startsWith(QStringLiteral("Tamaño imposible")));
        QCOMPARE(b.work.settings().height, 40.0);
        b.work.chooseCatalogue(1);
        QCOMPARE(b.work.settings().colours, 57);
        QCOMPARE(int(b.work.state().num_dmc), int(b.work.catalogueList.size()));
        // the personal catalogue starts empty: at least 3 colours are still asked
        b.work.chooseCatalogue(5);
        QCOMPARE(b.work.settings().colours, 3);
        QCOMPARE(b.work.state().num_colores, 3);
    }

    // Each way of setting the colour count keeps its own rule and is told once, with the text the
    // box shows; setting what is already there tells nothing.
    void colourCountWays_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed 12.6: held text, count 13") << "typed" << 126 << 13 << "12.6";
        QTest::newRow("typed 3: held to 7") << "typed" << 30 << 7 << "7";
        QTest::newRow("spinner 3: not held") << "spinner" << 3 << 3 << "3";
        QTest::newRow("spinner past 999") << "spinner" << 1200 << 999 << "999";
        QTest::newRow("catalogue Mínima") << "catalogue" << 1 << 57 << "57";
        QTest::newRow("catalogue Completa") << "catalogue" << 4 << 426 << "426";
    }
    void colourCountWays()
    {
        QFETCH(QString, way);
        QFETCH(int, value);
        QFETCH(int, count);
        QFETCH(QString, shown);
        Bench b;
        QVERIFY(b.start());
        QList<WorkChange> told;
        QObject::connect(&b.work, &Work::changed, [&told](const WorkChange& c) {
            if (c.has(WorkChange::ColourCount))
                told << c;
        });
        const auto set = [&] {
            if (way == QLatin1String("typed"))
                b.work.setColourCount(QString::number(value / 10.0));
            else if (way == QLatin1String("spinner"))
                b.work.setColourCountFromSpinner(value);
            else
                QVERIFY(b.work.chooseCatalogue(value));
        };
        set();
        QCOMPARE(b.work.settings().colours, count);
        QCOMPARE(int(b.work.state().num_colores), count);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.front().colourText, shown);
        set();
        QCOMPARE(told.size(), 1);
    }

    void patternStepsInOrder_data()
    {
        QTest::addColumn<bool>("doble");
        QTest::newRow("single stitch") << false;
        QTest::newRow("double stitch") << true;
    }
    void patternStepsInOrder()
    {
        QFETCH(bool, doble);
        Bench b;
        QVERIFY(b.start());
        b.work.makePattern(doble);
        b.recorder.stages.removeDuplicates();
        QCOMPARE(b.recorder.stages,
            QStringList({ "Leyendo colores...", "Calculando gama", "Dibujando bordado", "Dibujando patrón" }));
        QCOMPARE(b.errors(), 0);
        QCOMPARE(b.work.state().listo, True);
        QCOMPARE(b.recorder.pointers.last(), 0);
        QCOMPARE(int(b.work.state().ancho_puntos), 100);
        QCOMPARE(b.work.Picture2.pixelWidth(), 100 * (doble ? 9 : 3));
        QCOMPARE(b.work.settings().sheetHMax, 3);
        const Pattern p = b.work.pattern();
        QCOMPARE(int(p.palette.size()), b.work.state().paletteSize());
        QCOMPARE(p.palette[std::size_t(p.at(0, 0))].colour, b.work.state().puntos(0, 0));
        // the symbol the chart draws in the symbol font chosen ("Símbolos claros" here)
        QCOMPARE(
            p.palette.front().symbol, paletteSymbols(b.work.state(), b.work.settings().chart.symbolFont, true).front());
    }

    void tooLargeAPatternChangesNothing()
    {
        Bench b;
        QVERIFY(b.start());
        loadSettings(b.work).width = 2000;
        b.work.makePattern(false);
        QCOMPARE(b.answers.prompts(), QStringList({ patternSizeMessage() }));
        QVERIFY(!b.work.hasPattern());
        QCOMPARE(b.work.Picture2.Width(), 304);
    }

    void swapThenUndoRestoresEverything()
    {
        Bench b;
        QVERIFY(b.start());
        b.work.makePattern(false);
        int g = 0;
        while (b.work.state().num_tono[std::size_t(g)] < 2)
            ++g;
        const WorkState before = b.work.state();
        load(b.work).color_nuevo = before.tono[std::size_t(g)][0];
        QCOMPARE(b.work.swapPick(g, 0, before.tono[std::size_t(g)][0]), Work::SwapResult::Ignored);
        QCOMPARE(b.work.swapPick(g, 1, before.tono[std::size_t(g)][1]), Work::SwapResult::Done);
        QCOMPARE(int(b.work.state().num_tono[std::size_t(g)]), before.num_tono[std::size_t(g)] - 1);
        QVERIFY(stitchesOfColour(b.work.state(), before.tono[std::size_t(g)][1]).empty());
        QVERIFY(b.work.undoSwap());
        QVERIFY(b.work.state().puntos == before.puntos);
        QCOMPARE(b.work.state().num_tono, before.num_tono);
        QVERIFY(b.work.state().tono == before.tono);
        QCOMPARE(b.errors(), 0);
    }

    // the options act on the next pattern; on the pattern on show they are one step the undo
    // button takes back, even after an earlier swap
    void colourOptionsThenUndo()
    {
        Bench b;
        QVERIFY(b.start(noisyPicture(180, 120)));
        loadSettings(b.work).colourOptions.clean = true;
        b.work.makePattern(false);
        const long cleaned = b.work.qualityReport().lone;
        loadSettings(b.work).colourOptions = ColourOptions();
        b.work.makePattern(false);
        const WorkState before = b.work.state();
        const QualityReport plain = b.work.qualityReport();
        QCOMPARE(plain.stitches, long(b.work.state().num_puntos));
        QVERIFY2(cleaned < plain.lone, qPrintable(QStringLiteral("%1 %2").arg(cleaned).arg(plain.lone)));
        QVERIFY(!b.work.applyColourOptions()); // nothing asked: nothing to undo
        loadSettings(b.work).colourOptions.clean = true;
        loadSettings(b.work).colourOptions.mergeRare = true;
        loadSettings(b.work).colourOptions.mergeBelow = 20;
        QVERIFY(b.work.applyColourOptions());
        QVERIFY(!(b.work.state().puntos == before.puntos));
        QVERIFY(b.work.qualityReport().lone < plain.lone);
        QVERIFY(b.work.undoSwap());
        QVERIFY(b.work.state().puntos == before.puntos);
        QVERIFY(b.work.state().tono == before.tono);
        QCOMPARE(b.work.state().num_tono, before.num_tono);
        QCOMPARE(b.work.state().num_colores, before.num_colores);
        QCOMPARE(b.errors(), 0);
    }

    void undoWithoutARecordSaysSo()
    {
        Bench b;
        QVERIFY(b.start());
        QVERIFY(!b.work.undoSwap());
        QCOMPARE(b.errors(), 1);
    }

    void pageWalk()
    {
        Bench b;
        QVERIFY(b.start());
        b.work.makePattern(false);
        loadSettings(b.work).chart.colours = false;
        QStringList seen;
        QImage last;
        const bool whole = b.work.walkPages(b.work.chartPages(true, true), [&](const SheetPage& p, const QImage& im) {
            seen << QStringLiteral("%1,%2%3")
                        .arg(b.work.settings().sheetH)
                        .arg(p.V)
                        .arg(b.work.settings().chart.colours ? QStringLiteral("c") : QString());
            last = im.convertToFormat(QImage::Format_RGB32);
            return true;
        });
        QVERIFY(whole);
        QCOMPARE(seen.join(QLatin1Char(' ')), QStringLiteral("2,1c 1,1c 3,1c 2,1 1,1 3,1"));
        // the last page handed out is the key as a fresh drawing makes it
        b.work.patron1();
        QCOMPARE(last, b.work.Picture11.Image().convertToFormat(QImage::Format_RGB32));
        int taken = 0;
        QVERIFY(!b.work.walkPages(
            b.work.chartPages(true, false), [&](const SheetPage&, const QImage&) { return ++taken < 2; }));
        QCOMPARE(taken, 2);
    }

    void unreadablePictureLeavesTheWork()
    {
        Bench b;
        QVERIFY(b.start());
        const QImage shown = b.work.Picture3.Image();
        QFile broken(b.folder.file(QStringLiteral("roto.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("BM no soy una imagen") > 0);
        broken.close();
        QVERIFY(!b.work.openPicture(broken.fileName()));
        QCOMPARE(b.errors(), 1);
        QCOMPARE(b.work.Picture3.Image(), shown);
        QCOMPARE(b.work.state().listo, True);
    }
};

QTEST_MAIN(TestWork)
#include "tst_work.moc"
