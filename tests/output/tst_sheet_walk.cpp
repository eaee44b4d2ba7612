// The order of the pages of printing and saving, and the names of the saved files.
#include "output/file_names.h"
#include "output/sheet_walk.h"

#include <QtTest>

namespace {
QString describe(const std::vector<SheetPage>& pages)
{
    QStringList l;
    for (const SheetPage& p : pages)
        l << (p.key ? QStringLiteral("key") : QStringLiteral("%1,%2").arg(p.H).arg(p.V))
                + (p.colour ? QString() : QStringLiteral("bw"));
    return l.join(QLatin1Char(' '));
}
} // namespace

class TestSheetWalk : public QObject {
    Q_OBJECT
private slots:
    void passOrder_data()
    {
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<QString>("order");
        QTest::newRow("one sheet: the sheet, then the key") << 1 << 1 << "1,1 key";
        QTest::newRow("3 x 2: each row right to left, rows top down") << 3 << 2 << "3,1 2,1 1,1 3,2 2,2 1,2 key";
        QTest::newRow("1 x 3: one column, three rows") << 1 << 3 << "1,1 1,2 1,3 key";
    }
    void passOrder()
    {
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(QString, order);
        QCOMPARE(describe(passPages(across, down, true)), order);
    }

    void keyStandsOnLastRowAfterLastColumn()
    {
        const std::vector<SheetPage> pages = passPages(3, 2, false);
        QCOMPARE(pages.back().H, 4);
        QCOMPARE(pages.back().V, 2);
        QVERIFY(!pages.back().colour);
    }

    void commandPasses_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<bool>("blackWhite");
        QTest::addColumn<QString>("order");
        QTest::newRow("both: colour pass first") << true << true << "2,1 1,1 key 2,1bw 1,1bw keybw";
        QTest::newRow("colour only") << true << false << "2,1 1,1 key";
        QTest::newRow("black and white only") << false << true << "2,1bw 1,1bw keybw";
        QTest::newRow("neither: nothing") << false << false << "";
    }
    void commandPasses()
    {
        QFETCH(bool, colour);
        QFETCH(bool, blackWhite);
        QFETCH(QString, order);
        QCOMPARE(describe(commandPages(2, 1, colour, blackWhite)), order);
    }

    void savedFiles_data()
    {
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("1 x 1: exactly six files") << 1 << 1
                                                  << QStringList { "bordado_i.bmp", "patron_c1_1.bmp", "patron_c_g.bmp",
                                                         "patron1_1.bmp", "patron_g.bmp", "imagen_i.bmp" };
        QTest::newRow("2 x 2: right to left, row by row")
            << 2 << 2
            << QStringList { "bordado_i.bmp", "patron_c2_1.bmp", "patron_c1_1.bmp", "patron_c2_2.bmp",
                   "patron_c1_2.bmp", "patron_c_g.bmp", "patron2_1.bmp", "patron1_1.bmp", "patron2_2.bmp",
                   "patron1_2.bmp", "patron_g.bmp", "imagen_i.bmp" };
    }
    void savedFiles()
    {
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(QStringList, names);
        QCOMPARE(savedFileNames(across, down), names);
        // the batch command replaces a set by these names
        for (const QString& name : names)
            QVERIFY2(isSavedFileName(name), qPrintable(name));
    }

    void sheetNumbersArePlainDigits()
    {
        QCOMPARE(sheetFileName(12, 3, true), QStringLiteral("patron_c12_3.bmp"));
        QCOMPARE(sheetFileName(1, 10, false), QStringLiteral("patron1_10.bmp"));
    }

    void fileInFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("ordinary folder gets a slash") << "/home/ana/bordados"
                                                      << "/home/ana/bordados/bordado_i.bmp";
        QTest::newRow("root: no doubled slash") << "/"
                                                << "/bordado_i.bmp";
        QTest::newRow("folder ending in a slash") << "/tmp/x/"
                                                  << "/tmp/x/bordado_i.bmp";
    }
    void fileInFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(::fileInFolder(folder, QStringLiteral("bordado_i.bmp")), path);
    }

    // A pattern's title names the file a save suggests: it stays in the folder and in sight.
    void fileNameOfTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain title") << "Rosa de té"
                                     << "Rosa de té";
        QTest::newRow("path separators left out") << "../../etc/flor\\x"
                                                  << "etcflorx";
        QTest::newRow("only dots: the usual name") << ".."
                                                   << "patron";
        QTest::newRow("no hidden file") << ".flor"
                                        << "flor";
    }
    void fileNameOfTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(::fileNameOfTitle(title), name);
    }
};

QTEST_MAIN(TestSheetWalk)
#include "tst_sheet_walk.moc"
