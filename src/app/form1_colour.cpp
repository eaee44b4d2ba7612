// "Opciones de color": the options of the next pattern, applied to the pattern on show on
// request, and the quality report of that pattern.
#include "app/colour_options_dialog.h"
#include "app/colour_options_settings.h"
#include "app/form1.h"
#include "app/quality_report_dialog.h"

#include <QSettings>

void Form1::colourOptions_Click()
{
    focusSink();
    if (!work.state().listo)
        return;
    ColourOptionsDialog d(work.settings().colourOptions, this);
    // not in the middle of a swap, whose undo the step would take over
    if (work.hasPattern() && checkValue(Check7) == 0)
        d.offerPattern([this, &d] {
            QualityReportDialog report(work.qualityReport(), &d, d.options().faithful);
            report.exec();
        });
    if (d.exec() != QDialog::Accepted)
        return;
    work.setColourOptions(d.options());
    if (remembersColourOptions) {
        QSettings kept(QStringLiteral("puntela"), QStringLiteral("puntela"));
        writeColourOptions(kept, work.settings().colourOptions);
    }
    if (!d.applyToPattern())
        return;
    // one step: "Deshacer cambio" puts the palette and stitches back as they were
    if (work.applyColourOptions())
        Command4->setEnabled(true);
}

void Form1::restoreColourOptions()
{
    remembersColourOptions = true;
    QSettings kept(QStringLiteral("puntela"), QStringLiteral("puntela"));
    work.setColourOptions(readColourOptions(kept));
}

void Form1::showColourOptionsLine()
{
    Label3->setText(colourOptionsLine(work.settings().colourOptions, work.state().paletteSize()));
}
