// Editing the pattern: the tools on a small grid, the history putting the pattern back exactly,
// "Deshacer cambio" after editor steps, the palette following the threads in use, thread numbers,
// marks and cloth through a pattern file, and the embroidery redrawn only where it changed.
#include "colour/hue_groups.h"
#include "colour/matching.h"
#include "colour/palette_index.h"
#include "render/clear_symbols.h"
#include "test_support.h"
#include "work/work.h"
#include "work_loader.h"

#include <QtTest>
#include <map>

namespace {
// Grids written as text: '.' the cloth, 'a' a red, 'b' a red a shade away, 'c' a blue.
Long colourOfChar(QChar ch)
{
    switch (ch.toLatin1()) {
    case 'a':
        return RGB(200, 30, 40);
    case 'b':
        return RGB(203, 32, 42);
    case 'c':
        return RGB(20, 90, 160);
    default:
        return kNoStitchColour;
    }
}

QChar charOfColour(Long c)
{
    for (char ch : { 'a', 'b', 'c' })
        if (colourOfChar(QLatin1Char(ch)) == c)
            return QLatin1Char(ch);
    return c == kNoStitchColour ? QLatin1Char('.') : QLatin1Char('?');
}

struct TextGrid {
    int columns = 0, rows = 0;
    std::vector<Long> cells;
    explicit TextGrid(const QStringList& lines)
        : columns(int(lines.first().size()))
        , rows(int(lines.size()))
    {
        for (const QString& line : lines)
            for (QChar ch : line)
                cells.push_back(colourOfChar(ch));
    }
    GridView view() const { return { columns, rows, cells.data(), std::size_t(columns) }; }
    QStringList text() const
    {
        QStringList lines;
        for (int y = 0; y < rows; ++y) {
            QString line;
            for (int x = 0; x < columns; ++x)
                line += charOfColour(cells[std::size_t(y * columns + x)]);
            lines << line;
        }
        return lines;
    }
    // Applies edits whose `before` must be what the grid holds.
    bool apply(const std::vector<CellEdit>& edits)
    {
        for (const CellEdit& e : edits) {
            Long& c = cells[std::size_t(e.y * columns + e.x)];
            if (c != e.before)
                return false;
            c = e.after;
        }
        return true;
    }
};

Clip turned(const Clip& c, int turn)
{
    switch (turn) {
    case 1:
        return rotated90(c, true);
    case 2:
        return rotated90(c, false);
    case 3:
        return mirrored(c, true);
    case 4:
        return mirrored(c, false);
    default:
        return c;
    }
}

std::vector<CellEdit> toolEdits(const GridView& g, const QString& op, const QList<int>& a, Long colour)
{
    if (op == QLatin1String("line"))
        return editLine(g, { a[0], a[1] }, { a[2], a[3] }, colour);
    if (op == QLatin1String("rectangle") || op == QLatin1String("ellipse")) {
        const QRect r(QPoint(a[0], a[1]), QPoint(a[2], a[3]));
        return op == QLatin1String("rectangle") ? editRectangle(g, r, a[4] != 0, colour)
                                                : editEllipse(g, r, a[4] != 0, colour);
    }
    if (op == QLatin1String("fill"))
        return editFill(g, { a[0], a[1] }, colour);
    if (op == QLatin1String("replace"))
        return editReplace(g, g.at(a[0], a[1]), colour);
    if (op == QLatin1String("region"))
        return editCellsTo(g, similarRegion(g, { a[0], a[1] }, a[2]), kNoStitchColour);
    if (op == QLatin1String("border"))
        return editCellsTo(g, borderBackground(g, a[0]), kNoStitchColour);
    // paste: the clip of (a0, a1)-(a2, a3), turned by a4, placed at (a5, a6)
    const Clip clip = turned(copyClip(g, QRect(QPoint(a[0], a[1]), QPoint(a[2], a[3]))), a[4]);
    return editPaste(g, clip, { a[5], a[6] });
}

// The pattern as compared through undo and redo: cells, palette colours and symbols, and marks.
struct Snapshot {
    Pattern pattern;
    std::vector<bool> marks;
    bool operator==(const Snapshot& o) const
    {
        if (pattern.cells != o.pattern.cells || pattern.palette.size() != o.pattern.palette.size() || marks != o.marks)
            return false;
        for (std::size_t i = 0; i < pattern.palette.size(); ++i)
            if (pattern.palette[i].colour != o.pattern.palette[i].colour
                || pattern.palette[i].symbol != o.pattern.palette[i].symbol)
                return false;
        return true;
    }
};

Snapshot snapshot(const Work& w)
{
    Snapshot s { w.threadList(), {} };
    for (int y = 0; y < w.patternRows(); ++y)
        for (int x = 0; x < w.patternColumns(); ++x)
            s.marks.push_back(w.isDone(x, y));
    return s;
}

// A started work in a fresh folder with a picture made into a pattern `width` stitches across.
struct Bench {
    WorkFolder folder;
    ScriptedDialogs answers;
    Work work { answers };

    bool made(int width = 100, bool doble = false)
    {
        if (!work.startUp()
            || !work.openPicture(savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(180, 120))))
            return false;
        if (width != 100)
            work.setStitches(true, width);
        work.makePattern(doble);
        return work.hasPattern();
    }
    // Swaps the second colour of the first group that has two for its first.
    bool swap()
    {
        std::size_t g = 0;
        while (work.state().num_tono[g] < 2)
            ++g;
        load(work).color_nuevo = work.state().tono[g][0];
        return work.swapPick(int(g), 1, work.state().tono[g][1]) == Work::SwapResult::Done;
    }
    // A full-catalogue thread the pattern does not use.
    const color_dmc& unusedThread() const
    {
        for (int i = 1; i <= kFullCatalogue; ++i) {
            const color_dmc& t = work.state().dmc_todos[std::size_t(i)];
            int g = 0, k = 0;
            // a numbered thread (not "Blanco" nor "Ecru", which the key names)
            if (t.numero > 1 && !findInPalette(work.state(), RGB(t.rojo, t.verde, t.azul), g, k)
                && dmci(work.state(), RGB(t.rojo, t.verde, t.azul)).trimmed() != QString::number(t.numero))
                return t;
        }
        return work.state().dmc_todos[1];
    }
};

Long colourOf(const color_dmc& t) { return RGB(t.rojo, t.verde, t.azul); }
} // namespace

class TestWorkEdit : public QObject {
    Q_OBJECT
private slots:
    void tools_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QList<int>>("args");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QStringList>("after");
        const QStringList blank5x3 { ".....", ".....", "....." };
        const QStringList blank5x4 = blank5x3 + QStringList { "....." };
        const QStringList blank5x5 = blank5x4 + QStringList { "....." };
        const QStringList islands { "aa.a", "a.aa", "..a." };
        QTest::newRow("line: both ends drawn, steps along the longer side")
            << blank5x3 << "line" << QList<int> { 0, 0, 4, 2 } << "a" << QStringList { "a....", ".aa..", "...aa" };
        QTest::newRow("rectangle outline cut at the edge: no right side drawn")
            << blank5x4 << "rectangle" << QList<int> { 2, 1, 6, 3, 0 } << "a"
            << QStringList { ".....", "..aaa", "..a..", "..aaa" };
        QTest::newRow("filled rectangle from corners given backwards")
            << blank5x4 << "rectangle" << QList<int> { 3, 2, 1, 0, 1 } << "a"
            << QStringList { ".aaa.", ".aaa.", ".aaa.", "....." };
        QTest::newRow("ellipse outline: a closed ring without the corners")
            << blank5x5 << "ellipse" << QList<int> { 0, 0, 4, 4, 0 } << "a"
            << QStringList { ".aaa.", "a...a", "a...a", "a...a", ".aaa." };
        QTest::newRow("filled ellipse") << blank5x5 << "ellipse" << QList<int> { 0, 0, 4, 4, 1 } << "a"
                                        << QStringList { ".aaa.", "aaaaa", "aaaaa", "aaaaa", ".aaa." };
        QTest::newRow("fill: four-connected, a diagonal does not join")
            << islands << "fill" << QList<int> { 0, 0 } << "c" << QStringList { "cc.a", "c.aa", "..a." };
        QTest::newRow("fill on the cloth")
            << islands << "fill" << QList<int> { 1, 1 } << "b" << QStringList { "aa.a", "abaa", "bba." };
        QTest::newRow("replace: every stitch of the thread, joined or not")
            << islands << "replace" << QList<int> { 0, 0 } << "c" << QStringList { "cc.c", "c.cc", "..c." };
        QTest::newRow("background region: eight-connected, similar shade taken") << QStringList { "ab.c", ".ba.",
            "c..a" } << "region" << QList<int> { 0, 0, 5 } << "." << QStringList { "...c", "....", "c..." };
        QTest::newRow("background region at tolerance 0: the same thread only") << QStringList { "ab.c", ".ba.",
            "c..a" } << "region" << QList<int> { 0, 0, 0 } << "." << QStringList { ".b.c", ".ba.", "c..a" };
        QTest::newRow("background region from the cloth: nothing") << QStringList { "ab.c", ".ba.",
            "c..a" } << "region" << QList<int> { 2, 0, 30 } << "." << QStringList { "ab.c", ".ba.", "c..a" };
        QTest::newRow("border background: the border's commonest thread and what touches it")
            << QStringList { "aaaaa", "abcba", "aacaa", "ccaaa" } << "border" << QList<int> { 5 } << "."
            << QStringList { ".....", "..c..", "..c..", "cc..." };
        QTest::newRow("paste turned clockwise, cut at the bottom")
            << QStringList { "ab...", "c....", "....." } << "paste" << QList<int> { 0, 0, 1, 1, 1, 3, 2 } << "."
            << QStringList { "ab...", "c....", "...ca" };
        QTest::newRow("paste turned back, cut at the left; its empty cell leaves the stitch")
            << QStringList { "ab...", "c....", "....." } << "paste" << QList<int> { 0, 0, 1, 1, 2, -1, 1 } << "."
            << QStringList { "ab...", "c....", "c...." };
        QTest::newRow("paste mirrored left to right, cut at the right")
            << QStringList { "ab...", "c....", "....." } << "paste" << QList<int> { 0, 0, 1, 1, 3, 3, 0 } << "."
            << QStringList { "ab.ba", "c...c", "....." };
        QTest::newRow("paste mirrored top to bottom")
            << QStringList { "ab...", "c....", "....." } << "paste" << QList<int> { 0, 0, 1, 1, 4, 2, 1 } << "."
            << QStringList { "ab...", "c.c..", "..ab." };
    }
    void tools()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, op);
        QFETCH(QList<int>, args);
        QFETCH(QString, colour);
        QFETCH(QStringList, after);
        TextGrid grid(before);
        const std::vector<CellEdit> edits = toolEdits(grid.view(), op, args, colourOfChar(colour.at(0)));
        for (const CellEdit& e : edits)
            QVERIFY2(e.before != e.after, "an edit that changes nothing");
        QVERIFY2(grid.apply(edits), "an edit's colour before is not the grid's");
        QCOMPARE(grid.text(), after);
    }

    void undoAndRedoPutThePatternBackExactly()
    {
        Bench b;
        QVERIFY(b.made(60));
        Work& w = b.work;
        const Long added = colourOf(b.unusedThread());
        std::vector<Snapshot> states { snapshot(w) };
        const auto step = [&](bool done) {
            QVERIFY(done);
            states.push_back(snapshot(w));
            QVERIFY(!(states.back() == states[states.size() - 2]));
        };
        w.beginStroke();
        w.editCells(QStringLiteral("Lápiz"), editLine(w.gridView(), { 0, 0 }, { 20, 10 }, added));
        w.editCells(QStringLiteral("Lápiz"), editLine(w.gridView(), { 20, 10 }, { 40, 0 }, added));
        w.endStroke();
        step(true);
        step(w.markDone({ { 1, 1 }, { 2, 2 }, { 30, 20 }, { 31, 20 } }, true));
        step(b.swap());
        step(w.editCells(QStringLiteral("Relleno"), editFill(w.gridView(), { 30, 20 }, added)));
        step(w.removeBackground({ 5, 30 }, 12) > 0);
        step(w.editCells(QStringLiteral("Reemplazar"), editReplace(w.gridView(), added, w.stitchAt(59, 39))));
        ColourOptions options;
        options.mergeRare = true;
        options.mergeBelow = 40;
        w.setColourOptions(options);
        step(w.applyColourOptions());
        step(w.editCells(QStringLiteral("Rectángulo"), editRectangle(w.gridView(), { 10, 10, 20, 15 }, true, added)));
        // the stroke was one step, the marks one more, each other operation one
        QCOMPARE(w.history().count(), int(states.size()) - 1);
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            w.history().undo();
            QVERIFY2(snapshot(w) == states[i - 1], qPrintable(QStringLiteral("undo to state %1").arg(i - 1)));
        }
        for (std::size_t i = 1; i < states.size(); ++i) {
            w.history().redo();
            QVERIFY2(snapshot(w) == states[i], qPrintable(QStringLiteral("redo to state %1").arg(i)));
        }
        QVERIFY(b.answers.shown.empty());
    }

    void swapUndoOnlyUntilAnEditorStep()
    {
        Bench b;
        QVERIFY(b.made(40));
        Work& w = b.work;
        QVERIFY(!w.canUndoSwap());
        QVERIFY(b.swap());
        QVERIFY(w.canUndoSwap());
        const Snapshot swapped = snapshot(w);
        QVERIFY(w.editCells(QStringLiteral("Lápiz"), { { 0, 0, 0, RGB(1, 2, 3) } }));
        QVERIFY(!w.canUndoSwap());
        const Snapshot edited = snapshot(w);
        QVERIFY(!w.undoSwap());
        QVERIFY(snapshot(w) == edited);
        // the history's own undo of the edit leaves "Deshacer cambio" off as well
        w.history().undo();
        QVERIFY(snapshot(w) == swapped);
        QVERIFY(!w.canUndoSwap());
        // a new swap brings it back
        QVERIFY(b.swap());
        QVERIFY(w.canUndoSwap());
        QVERIFY(w.undoSwap());
        QVERIFY(b.answers.shown.empty());
    }

    void paletteAndSymbolsFollowTheThreads()
    {
        Bench b;
        loadSettings(b.work).chart.symbolFont = clearSymbolsName();
        QVERIFY(b.made(40));
        Work& w = b.work;
        const auto symbolsOf = [&w] {
            std::map<Long, QString> symbols;
            for (const PatternThread& t : w.threadList().palette)
                symbols[t.colour] = t.symbol;
            return symbols;
        };
        const std::map<Long, QString> before = symbolsOf();
        const Long gone = w.stitchAt(0, 0);
        const color_dmc& thread = b.unusedThread();
        const Long fresh = colourOf(thread);
        // every stitch of one thread into a thread new to the pattern
        QVERIFY(w.editCells(QStringLiteral("Reemplazar"), editReplace(w.gridView(), gone, fresh)));
        std::map<Long, QString> after = symbolsOf();
        QCOMPARE(after.count(gone), std::size_t(0));
        QCOMPARE(after.count(fresh), std::size_t(1));
        int g = 0, k = 0;
        QVERIFY(findInPalette(w.state(), fresh, g, k));
        QCOMPARE(g + 1, hueGroup(split(fresh)));
        QCOMPARE(int(w.state().num_colores), int(before.size()));
        const QString freshSymbol = after[fresh];
        after.erase(fresh);
        std::map<Long, QString> kept = before;
        kept.erase(gone);
        QVERIFY(after == kept); // every other thread keeps its symbol
        for (const auto& [colour, symbol] : after)
            QVERIFY(symbol != freshSymbol);
        QVERIFY(!w.symbolsMayMove());
        w.history().undo();
        QVERIFY(symbolsOf() == before);
    }

    void addedThreadKeepsItsNumber()
    {
        Bench b;
        QVERIFY(b.made(40));
        Work& w = b.work;
        w.chooseCatalogue(1); // "Mínima": the added thread is not in it
        const color_dmc& thread = b.unusedThread();
        const Long colour = colourOf(thread);
        QVERIFY(dmci(w.state(), colour).trimmed() != QString::number(thread.numero));
        QVERIFY(w.addThread(thread.numero));
        QVERIFY(!w.addThread(thread.numero));
        QVERIFY(w.editorThreads().back().numero == thread.numero);
        QVERIFY(w.editCells(QStringLiteral("Lápiz"), editLine(w.gridView(), { 0, 0 }, { 5, 0 }, colour)));
        QCOMPARE(w.keyLabel(colour).trimmed(), QString::number(thread.numero));
        const QString file = b.folder.file(QStringLiteral("hilo.oxs"));
        QCOMPARE(w.savePattern(file), QString());
        const OxsRead read = readOxsFile(file, w.state().dmc_todos);
        QVERIFY(read.ok());
        const auto it = std::find_if(read.pattern.palette.begin(), read.pattern.palette.end(),
            [colour](const PatternThread& t) { return t.colour == colour; });
        QVERIFY(it != read.pattern.palette.end());
        QCOMPARE(it->numero, thread.numero);
        QCOMPARE(w.removeUnusedThreads(), 0);
    }

    void marksAndClothThroughAPatternFile()
    {
        Bench b;
        QVERIFY(b.made(40));
        Work& w = b.work;
        QCOMPARE(w.cloth(), qRgb(255, 255, 255));
        QVERIFY(w.removeBackground({ 0, 0 }, 8) > 0);
        QVERIFY(w.stitchAt(0, 0) == kNoStitchColour);
        QVERIFY(!w.markDone({ { 0, 0 } }, true)); // the cloth takes no mark
        const QPoint stitched(39, 25);
        QVERIFY(w.stitchAt(stitched.x(), stitched.y()) != kNoStitchColour);
        QVERIFY(w.markDone({ stitched, { 38, 25 } }, true));
        // editing a stitch takes its mark away
        QVERIFY(w.editCells(QStringLiteral("Lápiz"), { { 38, 25, 0, RGB(1, 2, 3) } }));
        QVERIFY(!w.isDone(38, 25));
        w.setCloth(qRgb(240, 232, 208));
        const QString file = b.folder.file(QStringLiteral("marcas.oxs"));
        QCOMPARE(w.savePattern(file), QString());
        ScriptedDialogs answers;
        Work again(answers);
        QVERIFY(again.startUp());
        QVERIFY(again.openPattern(file));
        QCOMPARE(again.cloth(), qRgb(240, 232, 208));
        QCOMPARE(again.state().puntos(0, 0), kNoStitchColour);
        QVERIFY(again.isDone(stitched.x(), stitched.y()));
        QVERIFY(!again.isDone(38, 25));
        QVERIFY(!again.isDone(0, 1));
        // the cloth shows in the unstitched cells of the embroidery
        QCOMPARE(again.Picture2.Image().pixel(1, 1), qRgb(240, 232, 208));
        // a pattern made starts on white with nothing to undo
        again.makePattern(false);
        QCOMPARE(again.cloth(), qRgb(255, 255, 255));
        QCOMPARE(again.history().count(), 0);
    }

    // ultimo.oxs follows the edits when the editor closes, not at every step
    void lastPatternKeptWhenTheEditorCloses()
    {
        Bench b;
        QVERIFY(b.made(40));
        b.work.finishLastPattern();
        const QByteArray made = fileContents(lastPatternFileName());
        QVERIFY(!made.isEmpty());
        QVERIFY(b.work.editCells(QStringLiteral("Lápiz"), { { 0, 0, 0, RGB(1, 2, 3) } }));
        b.work.finishLastPattern();
        QCOMPARE(fileContents(lastPatternFileName()), made);
        b.work.editorClosed();
        b.work.finishLastPattern();
        QVERIFY(fileContents(lastPatternFileName()) != made);
    }

    void embroideryRedrawnOnlyWhereItChanged_data()
    {
        QTest::addColumn<bool>("doble");
        QTest::newRow("single stitch") << false;
        QTest::newRow("double stitch") << true;
    }
    void embroideryRedrawnOnlyWhereItChanged()
    {
        QFETCH(bool, doble);
        Bench b;
        QVERIFY(b.made(30, doble));
        Work& w = b.work;
        w.setCloth(qRgb(20, 20, 20));
        const auto sameAsWhole = [&w] {
            const QImage partial = w.Picture2.Image().copy();
            w.redrawEmbroidery();
            return partial == w.Picture2.Image();
        };
        QVERIFY(
            w.editCells(QStringLiteral("Elipse"), editEllipse(w.gridView(), { 3, 2, 9, 7 }, true, w.stitchAt(29, 19))));
        QVERIFY(sameAsWhole());
        QVERIFY(w.removeBackground({ 0, 0 }, 10) > 0);
        QVERIFY(sameAsWhole());
        w.history().undo();
        QVERIFY(sameAsWhole());
        w.history().undo();
        QVERIFY(sameAsWhole());
        // a long line and a knot, then stitches under the line's middle, far from its ends
        const StitchExtras& x = w.stitchExtras();
        int thread = -1;
        QVERIFY(
            w.editPattern(QStringLiteral("Pespunte"), {}, inThread(x, w.extrasThread(w.stitchAt(29, 19)), [&](int t) {
                thread = t;
                return placeBackstitch(x, { 0, 1.5 }, { 30, 10 }, t);
            })));
        QVERIFY(sameAsWhole());
        QVERIFY(w.editPattern(QStringLiteral("Nudo francés"), {},
            placeObject(w.stitchExtras(), { 14.5, 6 }, QStringLiteral("knot"), thread)));
        QVERIFY(sameAsWhole());
        QVERIFY(w.editCells(QStringLiteral("Lápiz"), editLine(w.gridView(), { 13, 4 }, { 16, 7 }, w.stitchAt(0, 0))));
        QVERIFY(sameAsWhole());
        w.history().undo();
        QVERIFY(sameAsWhole());
        w.history().undo();
        w.history().undo();
        QVERIFY(sameAsWhole());
    }
};

QTEST_MAIN(TestWorkEdit)
#include "tst_work_edit.moc"
