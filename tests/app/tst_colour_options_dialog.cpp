// "Opciones de color": the dialog shows the options it is given and gives back what is ticked,
// the options kept for the next start, and the quality report shown from it.
#include "app/colour_options_dialog.h"
#include "app/colour_options_settings.h"
#include "app/quality_report_dialog.h"
#include "surface/colour_rgb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestColourOptionsDialog : public QObject {
    Q_OBJECT
private slots:
    void showsAndGivesBackTheOptions();
    void optionsAreKept();
    void reportRowsWorstFirstInTheLocale_data();
    void reportRowsWorstFirstInTheLocale();
};

void TestColourOptionsDialog::showsAndGivesBackTheOptions()
{
    ColourOptionsDialog off { ColourOptions() };
    QVERIFY(off.options() == ColourOptions());
    QVERIFY(!off.mergeBelow->isEnabled());

    ColourOptions o;
    o.perceptual = true;
    o.dither = 50;
    o.clean = true;
    o.cleanSize = 4;
    o.mergeBelow = 12;
    ColourOptionsDialog d(o);
    QVERIFY(d.options() == o);
    QVERIFY(d.cleanSize->isEnabled());
    d.dither->setCurrentIndex(3);
    d.mergeRare->setChecked(true);
    QVERIFY(d.mergeBelow->isEnabled());
    d.mergeBelow->setValue(500); // held to its limit
    const ColourOptions edited = d.options();
    QCOMPARE(edited.dither, 100);
    QVERIFY(edited.mergeRare);
    QCOMPARE(edited.mergeBelow, 100);
    QVERIFY(edited.valid());

    // the faithful colours choose by ΔE2000 already: the other search cannot be ticked beside them
    d.faithful->setChecked(true);
    QVERIFY(d.options().faithful);
    QVERIFY(!d.perceptual->isEnabled());
}

void TestColourOptionsDialog::optionsAreKept()
{
    QTemporaryDir dir;
    QSettings kept(dir.filePath(QStringLiteral("puntela.conf")), QSettings::IniFormat);
    QVERIFY(readColourOptions(kept) == ColourOptions());
    ColourOptions o;
    o.faithful = true;
    o.dither = 25;
    o.clean = true;
    o.cleanSize = 3;
    writeColourOptions(kept, o);
    QSettings again(dir.filePath(QStringLiteral("puntela.conf")), QSettings::IniFormat);
    QVERIFY(readColourOptions(again) == o);
    // values no option allows read as the defaults
    again.setValue(QStringLiteral("opciones_color/mezcla"), 33);
    again.setValue(QStringLiteral("opciones_color/manchas_hasta"), 9);
    const ColourOptions read = readColourOptions(again);
    QCOMPARE(read.dither, ColourOptions().dither);
    QCOMPARE(read.cleanSize, ColourOptions().cleanSize);
    QVERIFY(read.faithful && read.clean);
}

void TestColourOptionsDialog::reportRowsWorstFirstInTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("worstFigure");
    QTest::newRow("Spanish: decimal comma") << QLocale(QLocale::Spanish, QLocale::Spain) << QStringLiteral("7,5");
    QTest::newRow("English: decimal point")
        << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("7.5");
}

void TestColourOptionsDialog::reportRowsWorstFirstInTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, worstFigure);
    const QLocale previous;
    QLocale::setDefault(locale);
    QualityReport r;
    const auto thread = [](int index, Long numero, Long colour, double mean, long lone) {
        ThreadQuality t;
        t.index = index;
        t.numero = numero;
        t.colour = colour;
        t.stitches = 10;
        t.meanDeltaE = mean;
        t.grade = qualityGrade(mean);
        t.lone = lone;
        return t;
    };
    r.threads = { thread(0, 310, 0, 1.25, 0), thread(1, 666, RGB(220, 30, 20), 7.5, 1) };
    r.stitches = 20;
    r.meanDeltaE = 4.375;
    r.lone = 1;
    QualityReportDialog d(r);
    QLocale::setDefault(previous);
    QCOMPARE(d.table()->item(0, 0)->text(), QStringLiteral("DMC 666 Bright Red"));
    QCOMPARE(d.table()->item(0, 2)->text(), worstFigure);
    QVERIFY(d.summaryText().contains(locale.toString(4.4, 'f', 1)));
    QCOMPARE(d.adviceText(), qualityAdvice(r, false));
}

QTEST_MAIN(TestColourOptionsDialog)
#include "tst_colour_options_dialog.moc"
