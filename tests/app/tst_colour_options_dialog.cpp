// "Opciones de color": the dialog shows the options it is given and gives back what is ticked.
#include "app/colour_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

class TestColourOptionsDialog : public QObject {
    Q_OBJECT
private slots:
    void showsAndGivesBackTheOptions();
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
}

QTEST_MAIN(TestColourOptionsDialog)
#include "tst_colour_options_dialog.moc"
