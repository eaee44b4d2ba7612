// The PDF chart read back with poppler's tools, as tracking apps read it.
#include "output/chart_pdf.h"
#include "output/thread_amounts.h"
#include "render/clear_symbols.h"
#include "surface/colour_rgb.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A pattern of w x h stitches in n threads of the full catalogue, every stitch given by cell(x, y).
template <class F> Pattern makePattern(int w, int h, int n, F cell)
{
    static const Long numbers[] = { 310, 208, 1, 0, 550, 3865, 799, 321, 907, 3755, 444, 666 };
    Pattern p;
    p.width = w;
    p.height = h;
    for (int i = 0; i < n; ++i)
        p.palette.push_back(
            { i < 12 ? numbers[i] : 3000 + i, RGB((i * 53) % 256, (i * 101) % 256, (i * 29) % 256), clearSymbol(i) });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.cells.push_back(cell(x, y));
    return p;
}

QString run(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
// The page contents of a PDF, each stream inflated.
QByteArray inflatedStreams(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = f.readAll();
    QByteArray all;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
        const qsizetype start = at + 7, end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        // qUncompress takes the length first; a guess that is short only makes it grow
        QByteArray data = QByteArray("\x00\x10\x00\x00", 4) + pdf.mid(start, end - start);
        all += qUncompress(data) + '\n';
        at = end + 9; // past "endstream"
    }
    return all;
}

// The symbols of a page's text lines, top to bottom, each line's left to right.
QStringList symbolRows(const QString& file, int page)
{
    const QString n = QString::number(page);
    QStringList rows;
    for (const QString& line : run("pdftotext", { "-layout", "-f", n, "-l", n, file, "-" }).split(QLatin1Char('\n'))) {
        QString symbols;
        for (QChar c : line)
            for (int i = 0; i < 12; ++i)
                if (QString(c) == clearSymbol(i))
                    symbols += c;
        if (!symbols.isEmpty())
            rows << symbols;
    }
    return rows;
}
} // namespace

class TestChartPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesFontsCellsAndKey();
    void keyOverSeveralPages();
    void overlapShowsTheNextPages_data();
    void overlapShowsTheNextPages();
    void statesWhatTheAmountsAreFor();
    void pagesCutOnTens_data();
    void pagesCutOnTens();
    void pagesSplitEvenly_data();
    void pagesSplitEvenly();
    void writtenWholeOrNotAtAll();
    void paperOfTheLocale_data();
    void paperOfTheLocale();
    void largestPatternFast();
    void backstitchAsStrokesNamedInTheKey_data();
    void backstitchAsStrokesNamedInTheKey();
    void clothInUnstitchedCells_data();
    void clothInUnstitchedCells();

private:
    QTemporaryDir m_dir;
};

void TestChartPdf::initTestCase()
{
    // PUNTELA_KEEP_PDF=1 keeps the documents to look at
    m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("PUNTELA_KEEP_PDF"));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils is not installed");
}

void TestChartPdf::pagesFontsCellsAndKey()
{
    // 45 x 65 stitches on 4 mm cells, up to 40 columns and 60 rows a page: 2 x 2 chart pages,
    // split evenly into 20 and 25 columns, 30 and 35 rows
    const Pattern p = makePattern(45, 65, 12, [](int x, int y) { return (x * 7 + y * 3 + x / 5) % 12; });
    ChartPdfOptions o;
    o.cellMm = 4;
    o.colourCells = true;
    const QString file = m_dir.filePath(QStringLiteral("patron.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(90, 130, QImage::Format_RGB32), QStringLiteral("Prueba"), o), QString());

    QCOMPARE(pdfPages(file), 6);
    const QStringList fonts = run("pdffonts", { file }).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString& f : fonts) // name type encoding emb sub uni object id
        QVERIFY2(f.contains(QRegularExpression(QStringLiteral("\\byes\\s+(yes|no)\\s+yes\\s+\\d+\\s+\\d+\\s*$"))),
            qPrintable(f));

    // chart page 4 (second row, first column) holds columns 0..19 and rows 30..64, cell by cell
    const QStringList rows = symbolRows(file, 4);
    QCOMPARE(rows.size(), 35);
    for (int j = 0; j < 35; ++j) {
        QString expected;
        for (int x = 0; x < 20; ++x)
            expected += p.palette[std::size_t(p.at(x, 30 + j))].symbol;
        QCOMPARE(rows[j], expected);
    }
    QVERIFY(run("pdftotext", { "-f", "4", "-l", "4", file, "-" }).contains(QStringLiteral("Hoja 4 de 6")));

    // the key: one line per thread, "symbol DMC number name strands stitches skeins", by number
    const QString key = run("pdftotext", { "-layout", "-f", "6", "-l", "6", file, "-" });
    const std::vector<ThreadAmount> threads = threadAmounts(p, {});
    int from = 0;
    for (const ThreadAmount& t : threads) {
        const QRegularExpression line(QStringLiteral("%1\\s+%2\\s+%3\\s+2\\s+%4\\s+%5\\n")
                                          .arg(QRegularExpression::escape(t.symbol), t.code,
                                              QRegularExpression::escape(t.name.left(8)) + QStringLiteral(".*?"))
                                          .arg(t.stitches)
                                          .arg(t.skeins));
        const int at = int(key.indexOf(line, from));
        QVERIFY2(at >= 0, qPrintable(t.code + QStringLiteral(" missing or out of order\n") + key));
        from = at + 1;
    }
}

// 150 threads need four pages of key: the page count is the cover, the chart page and those
// four, and the key pages list every thread once, in order, with the totals on the last.
void TestChartPdf::keyOverSeveralPages()
{
    const Pattern p = makePattern(15, 10, 150, [](int x, int y) { return y * 15 + x; });
    const QString file = m_dir.filePath(QStringLiteral("clave.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(), QStringLiteral("Clave"), {}), QString());
    const ChartPdfLayout l = chartPdfLayout(p, {});
    QCOMPARE(l.keyPages, 4);
    QCOMPARE(pdfPages(file), 6);
    QString key;
    for (int page = 3; page <= 6; ++page) {
        const QString text
            = run("pdftotext", { "-layout", "-f", QString::number(page), "-l", QString::number(page), file, "-" });
        QVERIFY2(text.contains(QStringLiteral("Hoja %1 de 6").arg(page)), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("Total: 150 hilos")), page == 6);
        key += text;
    }
    int from = 0;
    for (const ThreadAmount& t : threadAmounts(p, {})) {
        const QRegularExpression line(
            QStringLiteral("%1\\s+%2\\s")
                .arg(QRegularExpression::escape(t.symbol), QRegularExpression::escape(t.code)));
        const int at = int(key.indexOf(line, from));
        QVERIFY2(at >= 0, qPrintable(t.code + QStringLiteral(" missing or out of order")));
        QCOMPARE(key.indexOf(line, at + 1), -1);
        from = at + 1;
    }
    // one thread more than three full pages: the last page takes two lines, not one alone
    const ChartPdfLayout more = chartPdfLayout(
        makePattern(1, 3 * l.keyLinesPerPage + 1, 3 * l.keyLinesPerPage + 1, [](int, int y) { return y; }), {});
    QCOMPARE(more.keyPages, 4);
    QCOMPARE(more.keyPageStart(3), 3 * l.keyLinesPerPage - 1);
    QCOMPARE(more.keyPageStart(4), more.keyLines);
}

void TestChartPdf::overlapShowsTheNextPages_data()
{
    QTest::addColumn<bool>("colour");
    QTest::newRow("colour fills") << true;
    QTest::newRow("symbols only") << false;
}

// With an overlap of two the first page of 80 x 120 stitches shows two more columns and rows (its
// 40 x 60 and the next pages' first two), tinted; the page at the right edge has no columns to repeat.
void TestChartPdf::overlapShowsTheNextPages()
{
    QFETCH(bool, colour);
    const Pattern p = makePattern(80, 120, 12, [](int x, int y) { return (x + 2 * y) % 12; });
    ChartPdfOptions o;
    o.cellMm = 4;
    o.overlap = 2;
    o.colourCells = colour;
    const QString file = m_dir.filePath(QStringLiteral("solapa.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(), QStringLiteral("Solapa"), o), QString());
    const QStringList first = symbolRows(file, 2), right = symbolRows(file, 3);
    QCOMPARE(first.size(), 62);
    QCOMPARE(first[61].size(), 42);
    QCOMPARE(first[61][41], p.palette[std::size_t(p.at(41, 61))].symbol[0]);
    QCOMPARE(right.size(), 62);
    QCOMPARE(right[0].size(), 40);

    // a cell's corner at 300 dpi, between the grid line and the symbol; the chart's corner is 18 mm
    // from the left and 23 mm from the top
    run("pdftoppm", { "-r", "300", "-f", "2", "-l", "2", "-png", "-singlefile", file, m_dir.filePath("solapa") });
    const QImage page(m_dir.filePath(QStringLiteral("solapa.png")));
    QVERIFY(!page.isNull());
    auto cornerOf = [&page](int x, int y) {
        return page.pixelColor(qRound((18 + 4 * x + 0.35) / 25.4 * 300), qRound((23 + 4 * y + 0.35) / 25.4 * 300));
    };
    auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24;
    };
    // the thread's colour on the page's own cells, half way to white on the repeated ones; a
    // chart of symbols only leaves its own cells white and tints the repeated ones a pale blue
    auto fill = [&](int x, int y, bool repeated) {
        const QColor c = QColor::fromRgb(rgbFromColour(p.palette[std::size_t(p.at(x, y))].colour));
        if (!colour)
            return repeated ? QColor(0xE2, 0xEA, 0xF4) : QColor(Qt::white);
        return repeated ? QColor((c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2) : c;
    };
    for (const QPoint cell : { QPoint(39, 10), QPoint(41, 10), QPoint(10, 61), QPoint(10, 59) }) {
        const bool repeated = cell.x() >= 40 || cell.y() >= 60;
        QVERIFY2(near(cornerOf(cell.x(), cell.y()), fill(cell.x(), cell.y(), repeated)),
            qPrintable(cornerOf(cell.x(), cell.y()).name()));
    }
}

// The cover and every key page say what the amounts are for, and text copies as typed: no
// ligature turns "ff" into one letter.
void TestChartPdf::statesWhatTheAmountsAreFor()
{
    const Pattern p = makePattern(20, 20, 60, [](int x, int y) { return (x + y * 20) % 60; });
    ChartPdfOptions o;
    o.fabric = QStringLiteral("Aida 18");
    o.stitchesPerInch = 18;
    o.strands = 3;
    o.cellMm = 4;
    const QString file = m_dir.filePath(QStringLiteral("coffee.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(), QStringLiteral("Coffee"), o), QString());
    const ChartPdfLayout l = chartPdfLayout(p, o);
    QCOMPARE(l.keyPages, 2);
    QCOMPARE(pdfPages(file), l.totalPages());
    for (int page : { 1, l.totalPages() - 1, l.totalPages() }) {
        const QString text = run("pdftotext", { "-f", QString::number(page), "-l", QString::number(page), file, "-" });
        QVERIFY2(text.contains(QStringLiteral("Aida 18, 3 hebras")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Coffee")), qPrintable(text));
    }
    QCOMPARE(fabricAndStrands(ChartPdfOptions()), QStringLiteral("Aida 14, 2 hebras"));
}

void TestChartPdf::pagesCutOnTens_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("cell");
    QTest::addColumn<int>("overlap");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    // A4 leaves a chart area of 182 x 264 mm, Letter 187.9 x 246.4 mm
    QTest::newRow("A4, 2.5 mm") << 0 << 2.5 << 0 << 70 << 100;
    QTest::newRow("A4, 2.5 mm with overlap") << 0 << 2.5 << 2 << 70 << 100;
    QTest::newRow("A4, 2 mm with overlap") << 0 << 2.0 << 2 << 80 << 130;
    QTest::newRow("A4, 2.5 mm, overlap of five") << 0 << 2.5 << 5 << 60 << 100;
    QTest::newRow("Letter, 3 mm") << 1 << 3.0 << 0 << 60 << 80;
    QTest::newRow("cell held to 4 mm") << 0 << 9.0 << 0 << 40 << 60;
}

void TestChartPdf::pagesCutOnTens()
{
    QFETCH(int, paper);
    QFETCH(double, cell);
    QFETCH(int, overlap);
    QFETCH(int, columns);
    QFETCH(int, rows);
    ChartPdfOptions o;
    o.paper = paper == 1 ? Paper::Letter : Paper::A4;
    o.cellMm = cell;
    o.overlap = overlap;
    const Pattern p = makePattern(columns + 1, 2 * rows, 3, [](int x, int) { return x % 3; });
    const ChartPdfLayout l = chartPdfLayout(p, o);
    QCOMPARE(l.columnsPerPage, columns);
    QCOMPARE(l.rowsPerPage, rows);
    QCOMPARE(l.chartPages(), 4);
    QCOMPARE(l.totalPages(), 6);
}

void TestChartPdf::pagesSplitEvenly_data()
{
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("most");
    QTest::addColumn<QList<int>>("edges");
    QTest::newRow("150 on 70: three of 50") << 150 << 70 << QList<int> { 0, 50, 100, 150 };
    QTest::newRow("151 on 70: the rest on the last") << 151 << 70 << QList<int> { 0, 50, 100, 151 };
    QTest::newRow("169 on 70: a spare ten to the first") << 169 << 70 << QList<int> { 0, 60, 110, 169 };
    QTest::newRow("71 on 70") << 71 << 70 << QList<int> { 0, 40, 71 };
    QTest::newRow("exactly one page") << 70 << 70 << QList<int> { 0, 70 };
    QTest::newRow("under ten") << 7 << 70 << QList<int> { 0, 7 };
}

// The fewest pages, cut on tens, none wider than allowed nor narrower than another by more than ten.
void TestChartPdf::pagesSplitEvenly()
{
    QFETCH(int, cells);
    QFETCH(int, most);
    QFETCH(QList<int>, edges);
    const std::vector<int> e = evenPageEdges(cells, most);
    QCOMPARE(QList<int>(e.begin(), e.end()), edges);
    for (int n = 1; n <= 1100; ++n)
        for (int m = 10; m <= 130; m += 10) {
            const std::vector<int> s = evenPageEdges(n, m);
            QCOMPARE(int(s.size()) - 1, (n + m - 1) / m);
            int narrowest = n, widest = 0;
            for (std::size_t k = 1; k < s.size(); ++k) {
                narrowest = std::min(narrowest, s[k] - s[k - 1]);
                widest = std::max(widest, s[k] - s[k - 1]);
                QVERIFY(k + 1 == s.size() || s[k] % 10 == 0);
            }
            QVERIFY2(widest <= m && widest - narrowest <= 10, qPrintable(QStringLiteral("%1 on %2").arg(n).arg(m)));
        }
}

void TestChartPdf::writtenWholeOrNotAtAll()
{
    const Pattern p = makePattern(5, 5, 2, [](int x, int) { return x % 2; });
    const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/p.pdf"));
    QVERIFY(!writeChartPdf(missing, p, QImage(), QStringLiteral("P"), {}).isEmpty());
    QVERIFY(!QFile::exists(missing));
    // a pattern read from a damaged file: cells missing, or a cell naming no thread of the palette
    Pattern shortOfCells = p;
    shortOfCells.cells.pop_back();
    Pattern strayThread = p;
    strayThread.at(4, 4) = 2;
    for (const Pattern& broken : { shortOfCells, strayThread }) {
        const QString file = m_dir.filePath(QStringLiteral("broken.pdf"));
        QVERIFY(!writeChartPdf(file, broken, QImage(), QStringLiteral("P"), {}).isEmpty());
        QVERIFY(!QFile::exists(file));
    }
}

void TestChartPdf::paperOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("letter");
    QTest::newRow("Spain: A4") << "es_ES" << false;
    QTest::newRow("United States: Letter") << "en_US" << true;
    QTest::newRow("Mexico: Letter") << "es_MX" << true;
    QTest::newRow("French Canada: Letter") << "fr_CA" << true;
    QTest::newRow("Argentina: A4") << "es_AR" << false;
    QTest::newRow("no country (C): A4") << "C" << false;
}

void TestChartPdf::paperOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, letter);
    QCOMPARE(paperOfLocale(QLocale(locale)) == Paper::Letter, letter);
}

// The largest pattern, 1024 x 768 stitches in 248 colours scattered at random (no two neighbours
// alike, the worst case for the file): under 5 s and under 25 MB. Run with PUNTELA_PDF_BENCH=1.
void TestChartPdf::largestPatternFast()
{
    if (qEnvironmentVariableIsEmpty("PUNTELA_PDF_BENCH"))
        QSKIP("a timing run: set PUNTELA_PDF_BENCH=1");
    quint32 seed = 12345;
    const Pattern p = makePattern(1024, 768, 248, [&seed](int, int) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % 248);
    });
    QImage picture(1024 * 9, 768 * 9, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QElapsedTimer timer;
    timer.start();
    const QString file = m_dir.filePath(QStringLiteral("large.pdf"));
    QCOMPARE(writeChartPdf(file, p, picture, QStringLiteral("Grande"), {}), QString());
    const qint64 ms = timer.elapsed();
    const qint64 bytes = QFileInfo(file).size();
    qInfo("largest pattern: %lld ms, %lld bytes, %d pages", ms, bytes, chartPdfLayout(p, {}).totalPages());
    QVERIFY(ms < 5000);
    QVERIFY(bytes < 25 * 1000 * 1000);
}

void TestChartPdf::backstitchAsStrokesNamedInTheKey_data()
{
    QTest::addColumn<bool>("colours");
    QTest::newRow("colour chart: the thread's colour") << true;
    QTest::newRow("black and white: black, styled") << false;
}

void TestChartPdf::backstitchAsStrokesNamedInTheKey()
{
    QFETCH(bool, colours);
    Pattern p = makePattern(20, 20, 2, [](int x, int) { return x < 10 ? 0 : -1; });
    // DMC 666 and 798 only outline: threads of their own, out of the palette
    p.extras.threads = { { 666, RGB(227, 29, 66), {} }, { 798, RGB(70, 106, 142), {} } };
    p.extras.backs = { { 2, 2, 12.5, 2, 0, QStringLiteral("backstitch"), 0, {} },
        { 12.5, 2, 12.5, 15, 1, QStringLiteral("backstitch"), 0, {} } };
    ChartPdfOptions o;
    o.colourCells = colours;
    const QString file = m_dir.filePath(QStringLiteral("pespunte.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(), QStringLiteral("Pespunte"), o), QString());

    // the stroke colour, then a line drawn with it: a move, a line and the stroke
    const QString content = QString::fromLatin1(inflatedStreams(file));
    const QRegularExpression stroke(QStringLiteral("([0-9.]+) ([0-9.]+) ([0-9.]+) SCN\\n[^S]*? m\\n[^S]*? l\\nS\\n"));
    bool found = false;
    for (auto m = stroke.globalMatch(content); m.hasNext() && !found;) {
        const QRegularExpressionMatch one = m.next();
        const int r = qRound(one.captured(1).toDouble() * 255), g = qRound(one.captured(2).toDouble() * 255),
                  b = qRound(one.captured(3).toDouble() * 255);
        found = colours ? (r == 227 && g == 29 && b == 66) : (r == 0 && g == 0 && b == 0);
    }
    QVERIFY2(found, "no backstitch stroke in the thread's colour");
    // in black and white the second thread's line is dashed
    QCOMPARE(content.contains(QRegularExpression(QStringLiteral("\\[[0-9. ]+\\]\\s*[0-9.]+\\s+d"))), !colours);

    const ChartPdfLayout l = chartPdfLayout(p, o);
    QCOMPARE(l.keyLines, 4); // two threads, the heading and its thread
    const QString key = run("pdftotext",
        { "-layout", "-f", QString::number(l.totalPages()), "-l", QString::number(l.totalPages()), file, "-" });
    QVERIFY2(key.contains(QRegularExpression(
                 QStringLiteral("Pespunte\\s*\\n\\s*DMC 666\\s+Bright Red\\s+1\\s+.*\\n\\s*DMC 798\\s"))),
        qPrintable(key));
    QVERIFY2(key.contains(QStringLiteral("Total: 3 hilos")), qPrintable(key));
}

void TestChartPdf::clothInUnstitchedCells_data()
{
    QTest::addColumn<bool>("colour");
    QTest::newRow("coloured chart: the cloth") << true;
    QTest::newRow("symbols only: paper") << false;
}

void TestChartPdf::clothInUnstitchedCells()
{
    QFETCH(bool, colour);
    Pattern p = makePattern(20, 20, 3, [](int x, int) { return x % 3; });
    p.at(5, 5) = Pattern::kNoStitch;
    ChartPdfOptions o;
    o.cellMm = 4;
    o.colourCells = colour;
    o.cloth = qRgb(0x20, 0x30, 0x70);
    const QString file = m_dir.filePath(QStringLiteral("tela.pdf"));
    QCOMPARE(writeChartPdf(file, p, QImage(), QStringLiteral("Tela"), o), QString());
    run("pdftoppm", { "-r", "150", "-f", "2", "-l", "2", "-png", "-singlefile", file, m_dir.filePath("tela") });
    const QImage page(m_dir.filePath(QStringLiteral("tela.png")));
    QVERIFY(!page.isNull());
    // the middle of the empty cell (5, 5); the chart's corner is 18 mm from the left, 23 mm from the top
    const QColor c = page.pixelColor(qRound((18 + 4 * 5 + 2) / 25.4 * 150), qRound((23 + 4 * 5 + 2) / 25.4 * 150));
    const QColor expected = colour ? QColor(0x20, 0x30, 0x70) : QColor(Qt::white);
    QVERIFY2(std::abs(c.red() - expected.red()) + std::abs(c.green() - expected.green())
                + std::abs(c.blue() - expected.blue())
            < 24,
        qPrintable(c.name()));
}

QTEST_MAIN(TestChartPdf)
#include "tst_chart_pdf.moc"
