// The chart drawn straight from a work state filled by hand: sheet arithmetic, cells read back
// from the chart surface, symbol colours and rules, the grid's thick lines, the stamp, the key
// page and the failure paths.
#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "render/chart.h"
#include "render/stamp.h"

#include <QSet>
#include <QtTest>

namespace {
constexpr Long kWhite = 0xFFFFFF;

// A pattern of W x H stitches with its own embroidery, chart and stamp surfaces.
struct Bench {
    WorkState st;
    Surface picture2;
    Surface chart { 300, 300 };
    Surface stamp { 100, 30, 0 };
    ChartOptions options;
    QStringList reported;

    explicit Bench(int W, int H, bool doubleStitch = false)
        : picture2(W * (doubleStitch ? 9 : 3), H * (doubleStitch ? 9 : 3))
    {
        st.punto_doble = doubleStitch ? True : False;
        options.symbolFont = options.plainFont = QStringLiteral("DejaVu Sans");
        drawStamp(stamp);
    }
    void add(int group0, Long colour) { st.tono[std::size_t(group0)][std::size_t(st.num_tono[group0]++)] = colour; }
    // Every stitch takes colour(i, j).
    template <class F> void fill(int W, int H, F colour)
    {
        for (int j = 0; j < H; ++j)
            for (int i = 0; i < W; ++i)
                st.puntos(i, j) = colour(i, j);
    }
    ChartJob job()
    {
        Progress p;
        p.error = [this](const QString& s) { reported << s; };
        return { st, patternSize(st, picture2), chart, stamp, options, p };
    }
};

// Pixels of the 7 x 7 corner of sheet cell (i, j) that no grid line covers.
QVector<Long> cellPixels(const Surface& c, int i, int j)
{
    QVector<Long> px;
    for (int y = 1; y <= 7; ++y)
        for (int x = 1; x <= 7; ++x)
            px << c.Point(9 * i + x, 9 * j + y);
    return px;
}

int countOther(const QVector<Long>& px, Long background)
{
    return int(std::count_if(px.begin(), px.end(), [&](Long p) { return p != background; }));
}

// Grey pixels on row y between x - 2 and x + 2: 2 where a thick line stands, 1 for a thin one.
int greyAcross(const Surface& c, int x, int y)
{
    int n = 0;
    for (int d = -2; d <= 2; ++d)
        n += c.Point(x + d, y) == kGridColour ? 1 : 0;
    return n;
}
} // namespace

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void sheetSelectors_data();
    void sheetSelectors();
    void sheetPosition_data();
    void sheetPosition();
    void firstSheetSize_data();
    void firstSheetSize();
    void laterSheetCellsAreShifted();
    void cellColoursAndBlankCells();
    void thickLines_data();
    void thickLines();
    void symbolColour_data();
    void symbolColour();
    void noSymbolsWhenSymbolsOff();
    void stampCopy_data();
    void stampCopy();
    void paletteSymbols_data();
    void paletteSymbols();
    void lookupFindsTheFirstEntry();
    void everySymbolVisibleAndDistinct_data();
    void everySymbolVisibleAndDistinct();
    void oneStitchHigh_data();
    void oneStitchHigh();
    void noMemory_data();
    void noMemory();
    void keyRows();
    void keySymbols_data();
    void keySymbols();
    void stripSymbols();
};

void TestChart::sheetSelectors_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<int>("vMax");
    QTest::addColumn<int>("total");
    QTest::newRow("width 75: one sheet across and the key") << 75 << 100 << 2 << 1 << 2;
    QTest::newRow("width 76: two sheets across") << 76 << 100 << 3 << 1 << 3;
    QTest::newRow("height 110: one sheet down") << 100 << 110 << 3 << 1 << 3;
    QTest::newRow("height 111: two sheets down") << 100 << 111 << 3 << 2 << 5;
    QTest::newRow("height 150: two sheets down") << 100 << 150 << 3 << 2 << 5;
    QTest::newRow("100 x 300: 2 x 3 sheets, 7 in all") << 100 << 300 << 3 << 3 << 7;
}

void TestChart::sheetSelectors()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, hMax);
    QFETCH(int, vMax);
    QFETCH(int, total);
    QCOMPARE(hScrollMax(W), hMax);
    QCOMPARE(vScrollMax(H), vMax);
    QCOMPARE(sheetTotal(hScrollMax(W), vScrollMax(H)), total);
}

void TestChart::sheetPosition_data()
{
    QTest::addColumn<bool>("doubleStitch");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("V");
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<int>>("stitches"); // first and last column, first and last row
    QTest::newRow("(2, 3) single stitch: sheet 6") << false << 2 << 3 << 6 << QList<int> { 75, 99, 220, 299 };
    QTest::newRow("(2, 3) double stitch: sheet 6") << true << 2 << 3 << 6 << QList<int> { 75, 99, 220, 299 };
    QTest::newRow("(1, 2): sheet 3") << false << 1 << 2 << 3 << QList<int> { 0, 74, 110, 219 };
}

void TestChart::sheetPosition()
{
    QFETCH(bool, doubleStitch);
    QFETCH(int, H);
    QFETCH(int, V);
    QFETCH(int, number);
    QFETCH(QList<int>, stitches);
    Bench b(100, 300, doubleStitch);
    const PatternSize p = patternSize(b.st, b.picture2);
    QCOMPARE(sheetNumber(H, V, hScrollMax(p.W())), number);
    const SheetExtent e = sheetExtent(p, H, V);
    QCOMPARE((QList<int> { e.x0 / p.s, (e.x1 - p.s) / p.s, e.y0 / p.s, (e.y1 - p.s) / p.s }), stitches);
}

void TestChart::firstSheetSize_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("30 x 20: the whole pattern") << 30 << 20 << 9 * 30 + 15 << 9 * 20 + 45;
    QTest::newRow("100 x 300: clipped to 75 x 110") << 100 << 300 << 9 * 75 + 15 << 9 * 110 + 45;
}

void TestChart::firstSheetSize()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, width);
    QFETCH(int, height);
    Bench b(W, H);
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(b.chart.Width(), width);
    QCOMPARE(b.chart.Height(), height);
    // one unit per pixel from -5: the border's far corner is the last cell's
    QCOMPARE(b.chart.Point(9 * std::min(W, 75), 9 * std::min(H, 110)), 0);
}

void TestChart::laterSheetCellsAreShifted()
{
    Bench b(100, 300);
    for (int k = 0; k < 10; ++k)
        b.add(0, RGB(20 * k, 100, 200 - 10 * k));
    b.fill(100, 300, [&](int i, int j) { return b.st.tono[0][std::size_t((i + 3 * j) % 10)]; });
    b.options.symbols = false;
    QCOMPARE(drawSheet(b.job(), 2, 3, 3, 3), ChartResult::Drawn);
    QCOMPARE(b.chart.Width(), 689);
    QCOMPARE(b.chart.Height(), 1034);
    QCOMPARE(b.chart.Point(4, 4), b.st.puntos(75, 220));
    QCOMPARE(b.chart.Point(9 * 24 + 4, 9 * 79 + 4), b.st.puntos(99, 299));
    QCOMPARE(b.chart.Point(9 * 25 + 4, 4), kWhite); // beyond the pattern's last column
    QCOMPARE(b.chart.Point(4, 9 * 80 + 4), kWhite); // below its last row
}

void TestChart::cellColoursAndBlankCells()
{
    Bench b(20, 10);
    b.add(0, RGB(200, 40, 40));
    b.add(3, RGB(40, 40, 200));
    b.fill(20, 10, [](int i, int j) { return (i + j) % 2 ? RGB(200, 40, 40) : RGB(40, 40, 200); });
    b.st.puntos(5, 5) = RGB(1, 2, 3); // in no group
    b.options.symbols = false;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(b.chart.Point(9 * 1 + 4, 4), RGB(200, 40, 40));
    QCOMPARE(b.chart.Point(4, 4), RGB(40, 40, 200));
    QCOMPARE(b.chart.Point(9 * 19 + 5, 9 * 9 + 5), RGB(40, 40, 200));
    QCOMPARE(b.chart.Point(9 * 5 + 4, 9 * 5 + 4), kWhite);
}

void TestChart::thickLines_data()
{
    QTest::addColumn<int>("H"); // 0: the first sheet
    QTest::addColumn<int>("thickAt");
    QTest::addColumn<int>("thinAt");
    QTest::newRow("first sheet: at 90") << 0 << 90 << 45;
    QTest::newRow("sheet column 1: at 90") << 1 << 90 << 45;
    QTest::newRow("sheet column 2: at 45, before column 80") << 2 << 45 << 90;
    QTest::newRow("sheet column 3: at 90, before column 160") << 3 << 90 << 45;
}

void TestChart::thickLines()
{
    QFETCH(int, H);
    QFETCH(int, thickAt);
    QFETCH(int, thinAt);
    Bench b(250, 110);
    const ChartResult r = H == 0 ? drawFirstSheet(b.job()) : drawSheet(b.job(), H, 1, 5, 1);
    QCOMPARE(r, ChartResult::Drawn);
    QCOMPARE(greyAcross(b.chart, thickAt, 4), 2);
    QCOMPARE(greyAcross(b.chart, thinAt, 4), 1);
    // rows count from the pattern's top on every sheet
    auto greyDown = [&](int y) {
        int n = 0;
        for (int d = -2; d <= 2; ++d)
            n += b.chart.Point(4, y + d) == kGridColour ? 1 : 0;
        return n;
    };
    QCOMPARE(greyDown(90), 2);
    QCOMPARE(greyDown(45), 1);
}

void TestChart::symbolColour_data()
{
    QTest::addColumn<Long>("colour");
    QTest::addColumn<bool>("colours");
    QTest::addColumn<Long>("background");
    QTest::addColumn<Long>("symbol");
    QTest::newRow("light colour: black") << RGB(250, 250, 200) << true << RGB(250, 250, 200) << Long(0);
    QTest::newRow("sum 501 is light: black") << RGB(167, 167, 167) << true << RGB(167, 167, 167) << Long(0);
    QTest::newRow("sum 500 is dark: white") << RGB(166, 167, 167) << true << RGB(166, 167, 167) << kWhite;
    QTest::newRow("dark colour: white") << RGB(20, 30, 90) << true << RGB(20, 30, 90) << kWhite;
    QTest::newRow("colours off: black on white") << RGB(20, 30, 90) << false << kWhite << Long(0);
}

void TestChart::symbolColour()
{
    QFETCH(Long, colour);
    QFETCH(bool, colours);
    QFETCH(Long, background);
    QFETCH(Long, symbol);
    Bench b(4, 4);
    b.add(0, colour);
    b.fill(4, 4, [&](int, int) { return colour; });
    b.options.colours = colours;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    const QVector<Long> px = cellPixels(b.chart, 1, 1);
    QVERIFY(px.count(background) > 0);
    QVERIFY(px.count(symbol) >= 3);
    QCOMPARE(px.count(background) + px.count(symbol), px.size());
}

void TestChart::noSymbolsWhenSymbolsOff()
{
    Bench b(4, 4);
    b.add(0, RGB(20, 30, 90));
    b.fill(4, 4, [](int, int) { return RGB(20, 30, 90); });
    b.options.symbols = false;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    QCOMPARE(countOther(cellPixels(b.chart, 2, 2), RGB(20, 30, 90)), 0);
    QCOMPARE(drawSheet(b.job(), 1, 1, 2, 1), ChartResult::Drawn);
    QCOMPARE(countOther(cellPixels(b.chart, 2, 2), RGB(20, 30, 90)), 0);
}

void TestChart::stampCopy_data()
{
    QTest::addColumn<bool>("colours");
    QTest::newRow("colours on: as it is") << true;
    QTest::newRow("colours off: grey") << false;
}

void TestChart::stampCopy()
{
    QFETCH(bool, colours);
    Bench b(80, 20);
    b.stamp.PSet(7, 3, RGB(200, 10, 4)); // grey Int(214 / 3) = 71
    b.options.colours = colours;
    QCOMPARE(drawFirstSheet(b.job()), ChartResult::Drawn);
    const double top = b.chart.ScaleHeight() - 37;
    QCOMPARE(b.chart.Point(7, top + 3), colours ? RGB(200, 10, 4) : RGB(71, 71, 71));
    int coloured = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const Components c = split(b.chart.Point(x, top + y));
            coloured += c.r != c.g || c.g != c.b ? 1 : 0;
        }
    QCOMPARE(coloured > 0, colours);
}

void TestChart::paletteSymbols_data()
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
    QTest::newRow("black and white: X on black") << QList<int> { 0, 0, 0, 0, 0 } << bw << 5 << 1 << true << "X";
    QTest::newRow("black and white: none on white") << QList<int> { 0, 0, 0, 0, 0 } << bw << 5 << 0 << false << "";
}

void TestChart::paletteSymbols()
{
    QFETCH(QList<int>, counts);
    QFETCH(QList<Long>, group6);
    QFETCH(int, group0);
    QFETCH(int, k);
    QFETCH(bool, whiteException);
    QFETCH(QString, symbol);
    Bench b(1, 1);
    for (int g = 0; g < 5; ++g)
        for (int n = 0; n < counts[g]; ++n)
            b.add(g, RGB(g * 40, n % 256, 7));
    for (Long c : group6)
        b.add(5, c);
    QCOMPARE(paletteSymbol(b.st, group0, k, whiteException), symbol);
}

void TestChart::lookupFindsTheFirstEntry()
{
    Bench b(1, 1);
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

void TestChart::everySymbolVisibleAndDistinct_data()
{
    QTest::addColumn<QString>("font");
    QTest::newRow("DejaVu Sans") << "DejaVu Sans";
    QTest::newRow("DejaVu Serif") << "DejaVu Serif";
    QTest::newRow("a font that is not installed") << "No Such Font";
}

void TestChart::everySymbolVisibleAndDistinct()
{
    QFETCH(QString, font);
    Bench b(75, 4);
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

void TestChart::oneStitchHigh_data()
{
    QTest::addColumn<bool>("firstSheet");
    QTest::newRow("first sheet") << true;
    QTest::newRow("sheet (1, 1)") << false;
}

void TestChart::oneStitchHigh()
{
    QFETCH(bool, firstSheet);
    Bench b(30, 1);
    b.add(0, RGB(20, 30, 90));
    b.fill(30, 1, [](int, int) { return RGB(20, 30, 90); });
    const ChartResult r = firstSheet ? drawFirstSheet(b.job()) : drawSheet(b.job(), 1, 1, 2, 1);
    QCOMPARE(r, ChartResult::SizeError);
    QCOMPARE(b.reported, QStringList { QStringLiteral("Error en el tamaño de la imagen") });
    QCOMPARE(b.chart.Point(4, 4), kWhite); // no cells, no grid
    QCOMPARE(b.chart.Point(0, 0), kWhite);
    QCOMPARE(b.chart.Point(40, b.chart.ScaleHeight() - 37 + 15), b.stamp.Point(40, 15));
}

void TestChart::noMemory_data()
{
    QTest::addColumn<int>("page"); // 0 first sheet, 1 a later sheet, 2 the key
    QTest::newRow("first sheet") << 0;
    QTest::newRow("later sheet") << 1;
    QTest::newRow("key") << 2;
}

void TestChart::noMemory()
{
    QFETCH(int, page);
    Bench b(75, 110);
    const int saved = chartSideLimit();
    chartSideLimit() = 600;
    const ChartResult r = page == 0 ? drawFirstSheet(b.job())
        : page == 1                 ? drawSheet(b.job(), 1, 1, 2, 1)
                                    : drawKey(b.job(), 2, nullptr);
    chartSideLimit() = saved;
    QCOMPARE(r, ChartResult::NoMemory);
}

void TestChart::keyRows()
{
    Bench b(1, 1);
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

void TestChart::keySymbols_data()
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

void TestChart::keySymbols()
{
    QFETCH(QList<Long>, group6);
    QFETCH(bool, symbols);
    QFETCH(bool, colours);
    QFETCH(QList<int>, symbolPixels);
    QFETCH(QList<Long>, symbolColour);
    Bench b(1, 1);
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

void TestChart::stripSymbols()
{
    Bench b(1, 1);
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

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
