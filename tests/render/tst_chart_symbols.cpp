// The symbols of the chart and the key page: which symbol a palette entry carries, every symbol
// of a font visible and unlike the others, the key's rows and entries, and the strips' symbols.
#include "chart_bench.h"
#include "render/clear_symbols.h"
#include "views/swap.h"

#include <QSet>
#include <QtTest>

class TestChartSymbols : public QObject {
    Q_OBJECT
private slots:
    void paletteSymbols_data();
    void paletteSymbols();
    void lookupFindsTheFirstEntry();
    void everySymbolVisibleAndDistinct_data();
    void everySymbolVisibleAndDistinct();
    void keyRows();
    void keySymbols_data();
    void keySymbols();
    void keyListsExtras_data();
    void keyListsExtras();
    void stripSymbols();
    void clearSymbolsKeptThroughSwaps();
    void clearSymbolsDistinctInCells();
    void symbolsStayInTheirCells_data();
    void symbolsStayInTheirCells();
};

void TestChartSymbols::paletteSymbols_data()
{
    QTest::addColumn<QList<int>>("counts"); // entries of groups 1..6 (group 6 filled below)
    QTest::addColumn<QList<Long>>("group6");
    QTest::addColumn<int>("group0");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("whiteException");
    QTest::addColumn<QString>("symbol");
    const QList<Long> bw { kWhite, 0 };
    const QList<Long> withWhite { RGB(90, 90, 90), kWhite };
    QTest::newRow("group 1 entry 0: '!'") << QList<int> { 3, 0, 0, 0, 0 } << withWhite << 0 << 0 << true << "!";
    QTest::newRow("group 3 counts groups before") << QList<int> { 3, 2, 5, 0, 0 } << withWhite << 2 << 0 << true << "&";
    QTest::newRow("224th colour: code 255")
        << QList<int> { 100, 100, 30, 0, 0 } << withWhite << 2 << 23 << true << QString(charFromCode(255));
    QTest::newRow("white of group 6 on the chart: none")
        << QList<int> { 3, 0, 0, 0, 0 } << withWhite << 5 << 1 << true << "";
    QTest::newRow("white of group 6 on a strip: its symbol")
        << QList<int> { 3, 0, 0, 0, 0 } << withWhite << 5 << 1 << false << "%";
    QTest::newRow("white of group 6 past 255: code 255")
        << QList<int> { 100, 100, 100, 0, 0 } << withWhite << 5 << 1 << true << QString(charFromCode(255));
    QTest::newRow("white of group 6 at index 222 (code 255 of its own): none")
        << QList<int> { 100, 100, 21, 0, 0 } << withWhite << 5 << 1 << true << "";
    QTest::newRow("grey of group 6 at index 221: code 254")
        << QList<int> { 100, 100, 21, 0, 0 } << withWhite << 5 << 0 << true << QString(charFromCode(254));
    QTest::newRow("black and white: X on black") << QList<int> { 0, 0, 0, 0, 0 } << bw << 5 << 1 << true << "X";
    QTest::newRow("black and white: none on white") << QList<int> { 0, 0, 0, 0, 0 } << bw << 5 << 0 << false << "";
}

void TestChartSymbols::paletteSymbols()
{
    QFETCH(QList<int>, counts);
    QFETCH(QList<Long>, group6);
    QFETCH(int, group0);
    QFETCH(int, k);
    QFETCH(bool, whiteException);
    QFETCH(QString, symbol);
    ChartBench b(1, 1);
    for (int g = 0; g < 5; ++g)
        for (int n = 0; n < counts[g]; ++n)
            b.add(g, RGB(g * 40, n % 256, 7));
    for (Long c : group6)
        b.add(5, c);
    QCOMPARE(paletteSymbol(b.st, group0, k, whiteException), symbol);
}

void TestChartSymbols::lookupFindsTheFirstEntry()
{
    ChartBench b(1, 1);
    const Long twice = RGB(10, 200, 30);
    b.add(1, RGB(1, 1, 1));
    b.add(1, twice);
    b.add(3, twice);
    b.add(3, RGB(5, 5, 5));
    b.add(3, RGB(1, 1, 1));
    const PaletteLookup lookup(b.st);
    for (Long c : { twice, RGB(1, 1, 1), RGB(5, 5, 5), RGB(9, 9, 9) }) {
        int g = -1, k = -1;
        const bool found = findInPalette(b.st, c, g, k);
        const PaletteEntry* e = lookup.find(c);
        QCOMPARE(e != nullptr, found);
        if (e) {
            QCOMPARE(e->group0, g);
            QCOMPARE(e->k, k);
            QCOMPARE(e->index, paletteIndex(b.st, g, k));
        }
    }
}

void TestChartSymbols::everySymbolVisibleAndDistinct_data()
{
    QTest::addColumn<QString>("font");
    QTest::newRow("DejaVu Sans") << "DejaVu Sans";
    QTest::newRow("DejaVu Serif") << "DejaVu Serif";
    QTest::newRow("a font that is not installed") << "No Such Font";
}

void TestChartSymbols::everySymbolVisibleAndDistinct()
{
    QFETCH(QString, font);
    ChartBench b(75, 4);
    b.options.symbolFont = font;
    for (int n = 0; n < 224; ++n)
        b.add(n / 40, RGB(n, 255 - n, (n * 7) % 256));
    auto colourOf = [&](int n) { return b.st.tono[std::size_t(n / 40)][std::size_t(n % 40)]; };
    b.fill(75, 4, [&](int i, int j) { return colourOf(std::min(223, j * 75 + i)); });
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    // what a symbol shows: the pixels of its cell that are not the cell's colour
    auto look = [&](int n) {
        QVector<bool> on;
        for (Long p : cellPixels(b.chart, n % 75, n / 75))
            on << (p != colourOf(std::min(n, 223)));
        return on;
    };
    QSet<QVector<bool>> looks;
    for (int n = 0; n < 223; ++n) {
        const QVector<bool> l = look(n);
        QVERIFY2(l.count(true) >= 3, qPrintable(QStringLiteral("index %1 is hard to see").arg(n)));
        QVERIFY2(!looks.contains(l), qPrintable(QStringLiteral("index %1 looks like another").arg(n)));
        looks.insert(l);
    }
    // the 224th colour shares code 255 with the 223rd
    QCOMPARE(look(223), look(222));
}

void TestChartSymbols::keyRows()
{
    ChartBench b(1, 1);
    for (int n = 0; n < 12; ++n)
        b.add(n < 6 ? 0 : 2, RGB(10 * n, 60, 120));
    QList<Long> asked;
    QCOMPARE(drawKey(b.job(), 4,
                 [&](Long c) {
                     asked << c;
                     return QStringLiteral(" 310");
                 }),
        ChartResult::Drawn);
    QCOMPARE(asked.size(), 12);
    QCOMPARE(asked.front(), RGB(0, 60, 120));
    QCOMPARE(asked.back(), RGB(110, 60, 120));
    // swatch pixels of the entry at (x, y) in a colour
    auto swatch = [&](int x, int y, Long colour) {
        int n = 0;
        for (int px = x + 1; px <= x + 9; ++px)
            for (int py = y; py <= y + 8; ++py)
                n += b.chart.Point(px, py) == colour ? 1 : 0;
        return n;
    };
    QCOMPARE(b.chart.Point(30, 68), 0); // first entry's outline
    QVERIFY(swatch(30, 69, RGB(0, 60, 120)) > 40);
    QCOMPARE(b.chart.Point(580, 68), 0); // the eleventh ends the row
    QVERIFY(swatch(580, 69, RGB(100, 60, 120)) > 40);
    QCOMPARE(b.chart.Point(635, 68), kWhite);
    QCOMPARE(b.chart.Point(30, 83), 0); // the twelfth starts the next row 15 lower
    QVERIFY(swatch(30, 84, RGB(110, 60, 120)) > 40);
    int labelPixels = 0;
    for (int x = 41; x < 80; ++x)
        for (int y = 84; y < 93; ++y)
            labelPixels += b.chart.Point(x, y) == 0 ? 1 : 0;
    QVERIFY(labelPixels > 5);
}

void TestChartSymbols::keySymbols_data()
{
    QTest::addColumn<QList<Long>>("group6");
    QTest::addColumn<bool>("symbols");
    QTest::addColumn<bool>("colours");
    QTest::addColumn<QList<int>>("symbolPixels"); // per entry: 0 none, 1 some
    QTest::addColumn<QList<Long>>("symbolColour");
    const QList<Long> withWhite { RGB(40, 40, 40), kWhite };
    const QList<Long> bw { kWhite, 0 };
    QTest::newRow("white entry: no symbol")
        << withWhite << true << true << QList<int> { 1, 0 } << QList<Long> { kWhite, 0 };
    QTest::newRow("symbols off: the key still has them")
        << withWhite << false << true << QList<int> { 1, 0 } << QList<Long> { kWhite, 0 };
    QTest::newRow("colours off: black on bare outlines")
        << withWhite << true << false << QList<int> { 1, 0 } << QList<Long> { 0, 0 };
    QTest::newRow("black and white: X on black")
        << bw << true << true << QList<int> { 0, 1 } << QList<Long> { 0, kWhite };
}

void TestChartSymbols::keySymbols()
{
    QFETCH(QList<Long>, group6);
    QFETCH(bool, symbols);
    QFETCH(bool, colours);
    QFETCH(QList<int>, symbolPixels);
    QFETCH(QList<Long>, symbolColour);
    ChartBench b(1, 1);
    for (Long c : group6)
        b.add(5, c);
    b.options.symbols = symbols;
    b.options.colours = colours;
    QCOMPARE(drawKey(b.job(), 2, [](Long) { return QStringLiteral(" Blanco"); }), ChartResult::Drawn);
    for (int e = 0; e < group6.size(); ++e) {
        const int x = 30 + 55 * e, y = 69;
        const Long fill = colours ? group6[e] : kWhite;
        int inside = 0, symbol = 0;
        for (int px = x + 1; px <= x + 9; ++px)
            for (int py = y; py <= y + 8; ++py) {
                inside += b.chart.Point(px, py) != fill ? 1 : 0;
                symbol += b.chart.Point(px, py) == symbolColour[e] ? 1 : 0;
            }
        QCOMPARE(b.chart.Point(x, y - 1), 0);
        QCOMPARE(inside > 0, symbolPixels[e] == 1);
        QCOMPARE(symbol == inside, true);
    }
}

void TestChartSymbols::keyListsExtras_data()
{
    QTest::addColumn<QString>("kind"); // what the extras thread is used for
    QTest::addColumn<int>("thread"); // 0: the palette's colour, 1: a thread of its own
    QTest::addColumn<bool>("colours");
    QTest::addColumn<int>("labelsAsked"); // of the palette's colour
    QTest::newRow("half stitches only: an entry beside the palette's, no heading") << "half" << 1 << true << 1;
    QTest::newRow("backstitch: under a heading, its line in its colour") << "backstitch" << 1 << true << 1;
    QTest::newRow("backstitch in black and white: the line in black") << "backstitch" << 1 << false << 1;
    QTest::newRow("knot of a palette thread: listed again, labelled as its entry") << "knot" << 0 << true << 2;
    QTest::newRow("bead: a ring round a bare centre") << "bead" << 1 << true << 1;
}

void TestChartSymbols::keyListsExtras()
{
    QFETCH(QString, kind);
    QFETCH(int, thread);
    QFETCH(bool, colours);
    QFETCH(int, labelsAsked);
    ChartBench b(1, 1);
    const Long palette = RGB(10, 60, 120), own = RGB(227, 29, 66);
    b.add(0, palette);
    b.options.colours = colours;
    StitchExtras x;
    x.threads = { { 310, palette, QStringLiteral("A") }, { 666, own, QStringLiteral("B") } };
    if (kind == QLatin1String("half"))
        x.parts = { { 0, 0, thread, -1, 3, {} } };
    else if (kind == QLatin1String("backstitch"))
        x.backs = { { 0, 0, 1, 1, thread, QStringLiteral("backstitch"), 0, {} } };
    else
        x.objects = { { 0, 0, thread, kind, {} } };
    int asked = 0;
    QCOMPARE(drawKey(
                 b.job(), 2,
                 [&](Long c) {
                     asked += c == palette ? 1 : 0;
                     return QStringLiteral(" 310");
                 },
                 x),
        ChartResult::Drawn);
    QCOMPARE(asked, labelsAsked);
    auto count = [&](int x0, int y0, int x1, int y1, Long colour) {
        int n = 0;
        for (int px = x0; px <= x1; ++px)
            for (int py = y0; py <= y1; ++py)
                n += b.chart.Point(px, py) == colour ? 1 : 0;
        return n;
    };
    const Long drawn = colours ? (thread == 0 ? palette : own) : 0;
    if (kind == QLatin1String("half")) {
        QVERIFY(count(86, 69, 94, 77, own) > 40); // the second entry's swatch
        QCOMPARE(count(30, 84, 200, 110, kWhite), 171 * 27); // nothing below the row
        return;
    }
    // the heading one row and a gap below the palette's, the thread's entry a row under it
    QVERIFY(count(30, 89, 70, 97, 0) > 10);
    const int y = 104;
    if (kind == QLatin1String("backstitch"))
        QCOMPARE(count(31, y + 4, 47, y + 4, drawn), 17);
    else if (kind == QLatin1String("knot"))
        QCOMPARE(b.chart.Point(35, y + 4), drawn);
    else
        QVERIFY(b.chart.Point(35, y + 4) == kWhite && count(30, y, 40, y + 9, kWhite) < 110 - 8);
    const int label = kind == QLatin1String("backstitch") ? 50 : 41;
    QVERIFY(count(label, y, label + 20, y + 9, 0) > 5);
}

void TestChartSymbols::stripSymbols()
{
    ChartBench b(1, 1);
    b.add(5, kWhite);
    b.add(5, 0);
    std::array<Surface, 6> strips { Surface(200, 11, 0), Surface(200, 11, 0), Surface(200, 11, 0), Surface(200, 11, 0),
        Surface(200, 11, 0), Surface(200, 11, 0) };
    strips[5].Line(10, 0, 20, 10, 0, LineKind::FilledBox);
    drawStripSymbols(strips, b.st, QStringLiteral("DejaVu Sans"));
    auto count = [&](int k, Long colour) {
        int n = 0;
        for (int x = 10 * k + 1; x <= 10 * k + 9; ++x)
            for (int y = 1; y <= 9; ++y)
                n += strips[5].Point(x, y) == colour ? 1 : 0;
        return n;
    };
    QVERIFY(count(1, kWhite) >= 3); // "X" on the black swatch
    QCOMPARE(count(0, 0), 0); // nothing on the white one

    // without the black-and-white case the white entry shows its index's symbol
    strips[5].Cls();
    drawStripSymbols(strips, b.st, QStringLiteral("DejaVu Sans"), false);
    QVERIFY(count(0, 0) >= 3);

    // not black and white: the white entry carries its symbol on the strip
    b.st.tono[5][1] = RGB(50, 50, 50);
    strips[5].Cls();
    drawStripSymbols(strips, b.st, QStringLiteral("DejaVu Sans"));
    QVERIFY(count(0, 0) >= 3);
}

// With "Símbolos claros" a thread keeps its symbol when another colour is swapped away and
// when the swap is undone; with a font the later colours take the next codes.
void TestChartSymbols::clearSymbolsKeptThroughSwaps()
{
    ChartBench b(4, 1);
    const Long colours[] = { RGB(200, 10, 10), RGB(10, 200, 10), RGB(10, 10, 200), RGB(90, 90, 90) };
    b.add(0, colours[0]);
    b.add(0, colours[1]);
    b.add(2, colours[2]);
    b.add(5, colours[3]);
    b.fill(4, 1, [&](int i, int) { return colours[i]; });
    b.st.ancho_puntos = 4;
    b.st.alto_puntos = 1;
    assignThreadSymbols(b.st);
    const QString clear = clearSymbolsName();
    auto symbols = [&](const QString& font) {
        const std::vector<QString> v = ::paletteSymbols(b.st, font, true);
        return QStringList(v.begin(), v.end());
    };
    const QStringList before = symbols(clear);
    QCOMPARE(before, (QStringList { clearSymbol(0), clearSymbol(1), clearSymbol(2), clearSymbol(3) }));

    const SwapRecord r = planSwap(b.st, 0, 1);
    applySwap(b.st, r, colours[0]);
    QCOMPARE(symbols(clear), (QStringList { clearSymbol(0), clearSymbol(2), clearSymbol(3) }));
    QCOMPARE(symbols(QStringLiteral("DejaVu Sans")), (QStringList { "!", "\"", "#" }));
    // the chart draws the kept symbol in the cell of the third colour
    const PaletteLookup lookup(b.st, clear);
    QCOMPARE(lookup.find(colours[2])->symbol, clearSymbol(2));
    QCOMPARE(patternWithClearSymbols(b.st).palette[1].symbol, clearSymbol(2));
    QVERIFY(undoSwap(b.st, r, colours[1]));
    QCOMPARE(symbols(clear), before);

    // a colour that was never given one takes the lowest symbol no other colour holds
    b.st.threadSymbols.erase(colours[0]);
    b.st.threadSymbols[colours[2]] = 7;
    QCOMPARE(symbols(clear), (QStringList { clearSymbol(0), clearSymbol(1), clearSymbol(7), clearSymbol(3) }));
}

// Drawn in the cells of a sheet, the 426 clear symbols are all visible and no two alike.
void TestChartSymbols::clearSymbolsDistinctInCells()
{
    ChartBench b(75, 6);
    b.options.symbolFont = clearSymbolsName();
    b.options.colours = false;
    b.options.grid = false;
    const int n = clearSymbolCount();
    for (int k = 0; k < n; ++k)
        b.add(k / 80, RGB(k % 256, k / 256, 9));
    assignThreadSymbols(b.st);
    b.fill(75, 6, [&](int i, int j) {
        const int k = std::min(n - 1, j * 75 + i);
        return b.st.tono[std::size_t(k / 80)][std::size_t(k % 80)];
    });
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QSet<QVector<Long>> looks;
    for (int k = 0; k < n; ++k) {
        const QVector<Long> look = cellPixels(b.chart, k % 75, k / 75);
        QVERIFY2(countOther(look, kWhite) >= 3, qPrintable(QStringLiteral("symbol %1 is hard to see").arg(k)));
        QVERIFY2(!looks.contains(look), qPrintable(QStringLiteral("symbol %1 looks like another").arg(k)));
        looks.insert(look);
    }
}

void TestChartSymbols::symbolsStayInTheirCells_data()
{
    QTest::addColumn<QString>("font");
    QTest::newRow("Símbolos claros") << clearSymbolsName();
    QTest::newRow("DejaVu Sans") << "DejaVu Sans";
    // its 5-point symbols reach into the cell below when drawn whole
    QTest::newRow("C059") << "C059";
}

// Every other stitch is left out (a colour of no palette entry): each symbol's pixels lie in
// its own cell, and the clear symbols sit centred in the cell's free corner.
void TestChartSymbols::symbolsStayInTheirCells()
{
    QFETCH(QString, font);
    ChartBench b(75, 6);
    b.options.symbolFont = font;
    b.options.colours = false;
    b.options.grid = false;
    for (int n = 0; n < 224; ++n)
        b.add(n / 40, RGB(n, 255 - n, (n * 7) % 256));
    assignThreadSymbols(b.st);
    auto stitched = [](int i, int j) { return (i + j) % 2 == 0; };
    b.fill(75, 6, [&](int i, int j) {
        const int n = (j * 75 + i) / 2 % 224;
        return stitched(i, j) ? b.st.tono[std::size_t(n / 40)][std::size_t(n % 40)] : RGB(1, 2, 3);
    });
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 75; ++i) {
            int ink = 0, x0 = 9, x1 = -1, y0 = 9, y1 = -1;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (b.chart.Point(9 * i + x, 9 * j + y) == 0) {
                        ++ink;
                        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                    }
            QVERIFY2(stitched(i, j) || ink == 0, qPrintable(QStringLiteral("cell %1, %2 has ink").arg(i).arg(j)));
            if (stitched(i, j) && font == clearSymbolsName()) {
                QVERIFY(ink > 0);
                // centred in the 7 x 7 corner (pixels 1..7): the margins differ by at most one
                QVERIFY(std::abs((x0 - 1) - (7 - x1)) <= 1 && std::abs((y0 - 1) - (7 - y1)) <= 1);
            }
        }
}

QTEST_MAIN(TestChartSymbols)
#include "tst_chart_symbols.moc"
