// The symbol font start-up chooses from the installed fonts.
#include "render/symbol_font.h"

#include <QtTest>

class TestSymbolFont : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void plainFamilies_data();
    void plainFamilies();
    void installedListCanBeReplaced();
};

void TestSymbolFont::choice_data()
{
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<int>("chosen");
    QTest::newRow("Arial before Small Fonts picks Arial") << QStringList { "Courier", "Arial", "Small Fonts" } << 1;
    QTest::newRow("Small Fonts before Arial picks Small Fonts") << QStringList { "Small Fonts", "Arial" } << 0;
    QTest::newRow("Arial last") << QStringList { "A", "B", "C", "Arial" } << 3;
    QTest::newRow("neither picks entry 0") << QStringList { "DejaVu Sans", "Courier" } << 0;
    QTest::newRow("exact: lower case is another font") << QStringList { "Courier", "arial", "Arial" } << 2;
    QTest::newRow("exact: a longer name is another font") << QStringList { "Arial Black", "Small Fonts Bold" } << 0;
    QTest::newRow("exact: trailing space") << QStringList { "X", "Arial " } << 0;
    QTest::newRow("one font") << QStringList { "Z" } << 0;
    QTest::newRow("no fonts installed") << QStringList {} << -1;
}

void TestSymbolFont::choice()
{
    QFETCH(QStringList, fonts);
    QFETCH(int, chosen);
    QCOMPARE(chooseSymbolFont(fonts), chosen);
}

void TestSymbolFont::plainFamilies_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("foundries dropped, each family once")
        << QStringList { "C059 [UKWN]", "C059 [urw]", "D050000L [URW ]" } << QStringList { "C059", "D050000L" };
    QTest::newRow("sorted without regard to case") << QStringList { "Nimbus Sans", "DejaVu Serif", "bitstream",
        "DejaVu Sans" } << QStringList { "bitstream", "DejaVu Sans", "DejaVu Serif", "Nimbus Sans" };
    QTest::newRow("a plain name and a foundry name of one family")
        << QStringList { "Z003 [urw]", "Z003" } << QStringList { "Z003" };
    QTest::newRow("brackets inside a name stay")
        << QStringList { "Fuente [1] Sans" } << QStringList { "Fuente [1] Sans" };
}

void TestSymbolFont::plainFamilies()
{
    QFETCH(QStringList, families);
    QFETCH(QStringList, listed);
    QCOMPARE(plainFontFamilies(families), listed);
}

void TestSymbolFont::installedListCanBeReplaced()
{
    setInstalledFontNames([] { return QStringList { "Uno", "Dos" }; });
    QCOMPARE(installedFontNames(), (QStringList { "Uno", "Dos" }));
    setInstalledFontNames({});
    // the screen's list again, the clear symbols first, so start-up takes them where neither
    // "Small Fonts" nor "Arial" is installed
    const QStringList screen = installedFontNames();
    QCOMPARE(screen.value(0), QStringLiteral("Símbolos claros"));
    QVERIFY(screen.contains(QStringLiteral("DejaVu Sans")));
    if (!screen.contains(QStringLiteral("Arial")) && !screen.contains(QStringLiteral("Small Fonts")))
        QCOMPARE(chooseSymbolFont(screen), 0);
}

QTEST_MAIN(TestSymbolFont)
#include "tst_symbol_font.moc"
