// The quality report: grades, lone stitches (a checkerboard has none), the stitch-weighted mean,
// the worst threads and the JSON written for the batch command.
#include "colour/delta_e.h"
#include "colour/quality_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {
// A pattern drawn from rows of digits, each the palette index of its stitch; palette entry i has
// thread number 100 + i and the colour given.
Pattern drawn(const QStringList& rows, const std::vector<Long>& colours)
{
    Pattern p;
    p.height = int(rows.size());
    p.width = int(rows[0].size());
    for (std::size_t i = 0; i < colours.size(); ++i)
        p.palette.push_back({ Long(100 + i), colours[i], QString() });
    for (const QString& row : rows)
        for (QChar c : row)
            p.cells.push_back(c.digitValue());
    return p;
}
} // namespace

class TestQualityReport : public QObject {
    Q_OBJECT
private slots:
    void grades_data();
    void grades();
    void loneStitches_data();
    void loneStitches();
    void meansAndWorstThreads();
    void noStitchesNoGrade();
    void advice_data();
    void advice();
};

void TestQualityReport::grades_data()
{
    QTest::addColumn<double>("deltaE");
    QTest::addColumn<QString>("grade");
    QTest::newRow("0.99") << 0.99 << "Exacto";
    QTest::newRow("1 is no longer exact") << 1.0 << "Muy cerca";
    QTest::newRow("3") << 3.0 << "Bien";
    QTest::newRow("5") << 5.0 << "Regular";
    QTest::newRow("10") << 10.0 << "Lejos";
    QTest::newRow("19.99") << 19.99 << "Lejos";
    QTest::newRow("20") << 20.0 << "Muy lejos";
}

void TestQualityReport::grades()
{
    QFETCH(double, deltaE);
    QFETCH(QString, grade);
    QCOMPARE(qualityGrade(deltaE), grade);
}

void TestQualityReport::loneStitches_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<long>>("lone");
    QTest::newRow("checkerboard of two threads") << QStringList { "0101", "1010", "0101" } << QList<long> { 0, 0 };
    QTest::newRow("one stitch alone, corners too") << QStringList { "1000", "0002", "0000" } << QList<long> { 0, 1, 1 };
    QTest::newRow("a pair is not alone") << QStringList { "000", "011", "000" } << QList<long> { 0, 0 };
    QTest::newRow("every stitch of a one-row stripe") << QStringList { "0101" } << QList<long> { 2, 2 };
}

void TestQualityReport::loneStitches()
{
    QFETCH(QStringList, rows);
    QFETCH(QList<long>, lone);
    const Pattern p = drawn(rows, std::vector<Long>(std::size_t(lone.size()), 0));
    const QualityReport r = qualityReport(p, std::vector<Long>(p.cells.size(), 0));
    long all = 0;
    for (int i = 0; i < lone.size(); ++i) {
        QCOMPARE(r.threads[std::size_t(i)].lone, lone[i]);
        all += lone[i];
    }
    QCOMPARE(r.lone, all);
}

void TestQualityReport::meansAndWorstThreads()
{
    // seven threads; thread i stitched i + 1 times, over pixels i levels of grey off its colour
    QStringList rows;
    std::vector<Long> colours, pixels;
    for (int i = 0; i < 7; ++i) {
        colours.push_back(RGB(30 * i, 30 * i, 30 * i));
        rows << QString(i + 1, QLatin1Char('0' + i)) + QString(7 - i - 1, QLatin1Char('0'));
        for (int k = 0; k < 7; ++k) {
            const int index = k <= i ? i : 0;
            const int grey = 30 * index + (k <= i ? 4 * i : 0);
            pixels.push_back(RGB(grey, grey, grey));
        }
    }
    const Pattern p = drawn(rows, colours);
    const QualityReport r = qualityReport(p, pixels);
    QCOMPARE(r.stitches, 49L);
    double total = 0;
    for (int i = 1; i < 7; ++i) {
        const double d = deltaE2000(colours[std::size_t(i)], RGB(30 * i + 4 * i, 30 * i + 4 * i, 30 * i + 4 * i));
        QVERIFY(std::abs(r.threads[std::size_t(i)].meanDeltaE - d) < 1e-9);
        QCOMPARE(r.threads[std::size_t(i)].grade, qualityGrade(d));
        total += d * (i + 1);
    }
    QCOMPARE(r.threads[0].meanDeltaE, 0.0);
    QVERIFY(std::abs(r.meanDeltaE - total / 49) < 1e-9);
    // the farther pixels are worse; only five are named, and never a thread without stitches
    QCOMPARE(r.worst, (std::vector<int> { 6, 5, 4, 3, 2 }));

    const QJsonObject json = QJsonDocument::fromJson(qualityReportJson(r)).object();
    QCOMPARE(json.value("puntos").toInt(), 49);
    QCOMPARE(json.value("delta_e_medio").toDouble(), std::round(r.meanDeltaE * 1e4) / 1e4);
    QCOMPARE(json.value("hilos").toArray().size(), 7);
    const QJsonObject worst = json.value("peores_hilos").toArray().first().toObject();
    QCOMPARE(worst.value("hilo").toString(), QStringLiteral("106"));
    QCOMPARE(worst.value("color").toString(), QStringLiteral("#b4b4b4"));
    QCOMPARE(worst.value("puntos").toInt(), 7);
    QCOMPARE(worst.value("calidad").toString(), r.threads[6].grade);
}

// A pattern with only cloth is no exact likeness: there is nothing to grade.
void TestQualityReport::noStitchesNoGrade()
{
    const QualityReport r = qualityReport(drawn({ "---", "---" }, { RGB(10, 20, 30) }), std::vector<Long>(6, 0));
    QCOMPARE(r.stitches, 0L);
    QCOMPARE(r.grade, QStringLiteral("Sin puntos"));
    QCOMPARE(r.threads[0].grade, QStringLiteral("Sin puntos"));
    QCOMPARE(QJsonDocument::fromJson(qualityReportJson(r)).object().value("calidad").toString(),
        QStringLiteral("Sin puntos"));
}

void TestQualityReport::advice_data()
{
    QTest::addColumn<double>("mean");
    QTest::addColumn<long>("lone"); // of 100 stitches
    QTest::addColumn<bool>("faithful");
    QTest::addColumn<QString>("starts");
    QTest::newRow("far: try the faithful colours") << 5.1 << 0L << false << "Pruebe «Colores fieles a la imagen»";
    QTest::newRow("far even so: more colours") << 5.1 << 0L << true << "Pruebe con más colores";
    QTest::newRow("far comes before lone stitches") << 8.0 << 30L << false << "Pruebe «Colores fieles";
    QTest::newRow("over 5 % lone") << 5.0 << 6L << false << "Quite los puntos sueltos";
    QTest::newRow("5 % lone is no fault") << 2.0 << 5L << false << "El patrón se parece";
}

void TestQualityReport::advice()
{
    QFETCH(double, mean);
    QFETCH(long, lone);
    QFETCH(bool, faithful);
    QFETCH(QString, starts);
    QualityReport r;
    r.stitches = 100;
    r.meanDeltaE = mean;
    r.lone = lone;
    QVERIFY2(qualityAdvice(r, faithful).startsWith(starts), qPrintable(qualityAdvice(r, faithful)));
    QVERIFY(qualityAdvice(QualityReport(), faithful).isEmpty());
}

QTEST_APPLESS_MAIN(TestQualityReport)
#include "tst_quality_report.moc"
