// "Lista de hilos": the threads of a pattern with their amounts for the fabric and strands chosen.
#include "app/thread_list_dialog.h"

#include <QTableWidget>
#include <QtTest>

class TestThreadListDialog : public QObject {
    Q_OBJECT
private slots:
    void threadsByNumberWithAmounts();
};

void TestThreadListDialog::threadsByNumberWithAmounts()
{
    QLocale::setDefault(QLocale::c());
    Pattern p;
    p.width = 100;
    p.height = 80;
    p.palette = { { 310, 0, QStringLiteral("■") }, { 208, 0x800080, QStringLiteral("▲") },
        { 0, 0xFFFFFF, QStringLiteral("●") } };
    // 5,000 stitches of 310, 2,999 of 208, one of white (0)
    for (int n = 0; n < 8000; ++n)
        p.cells.push_back(n < 5000 ? 0 : n < 7999 ? 1 : 2);
    ThreadListDialog d(p);
    const QTableWidget* t = d.table();
    QCOMPARE(t->rowCount(), 3);
    auto row = [t](int r) {
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c)
            cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
        return cells;
    };
    QCOMPARE(row(0), (QStringList { "●", "", "DMC Blanc", "White", "1", "0.02", "1" }));
    QCOMPARE(row(2), (QStringList { "■", "", "DMC 310", "Black", "5000", "105.1", "3" }));
    QVERIFY(d.sizeText().startsWith(QStringLiteral("Tamaño terminado: 18.1 × 14.5 cm (7.1 × 5.7 in)")));
    QVERIFY(d.sizeText().contains(QStringLiteral("28.1 × 24.5 cm")));

    // three strands on 18-count: 5,000 stitches need 5000 x 4.828427 x 25.4 / 18 x 3 x 1.2 mm
    d.setFabric(3);
    d.setStrands(3);
    QCOMPARE(row(2).mid(4), (QStringList { "5000", "122.6", "3" }));
    QVERIFY(d.sizeText().startsWith(QStringLiteral("Tamaño terminado: 14.1 × 11.3 cm")));
    QCOMPARE(d.totalsText(), QStringLiteral("Total: 3 hilos, 8000 puntadas, 196.2 m, 6 madejas"));
    // what the metres count, said in the heading and under the table
    QCOMPARE(t->horizontalHeaderItem(5)->text(), QStringLiteral("Metros de hebra\n(a 3 hebras)"));
    QCOMPARE(d.assumptionsText(),
        QStringLiteral("Metros de hebra sola para bordar con 3 hebras, con un 20 % más por desperdicio; una madeja "
                       "tiene 8 m de seis hebras (48 m de hebra sola)."));
    // figures in the user's decimal mark
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    d.setStrands(2);
    d.setStrands(3);
    QCOMPARE(row(2)[5], QStringLiteral("122,6"));
    QVERIFY2(d.totalsText().contains(QStringLiteral("196,2 m")), qPrintable(d.totalsText()));
    QVERIFY(d.sizeText().startsWith(QStringLiteral("Tamaño terminado: 14,1 × 11,3 cm")));
    QLocale::setDefault(QLocale::c());
    if (!qEnvironmentVariableIsEmpty("PUNTELA_SHOT"))
        d.grab().save(qEnvironmentVariable("PUNTELA_SHOT"));
}

QTEST_MAIN(TestThreadListDialog)
#include "tst_thread_list_dialog.moc"
