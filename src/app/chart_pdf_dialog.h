#pragma once
// "Exportar PDF": the fabric and strands the amounts are for, the paper, the cell size, the rows
// and columns repeated from the next pages and a chart of symbols only. The choices are
// remembered for the next export in the user's settings.
#include "output/chart_pdf.h"
#include "surface/dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

class ChartPdfDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChartPdfDialog(const PdfChoices& choices, QWidget* parent = nullptr);
    PdfChoices choices() const;

private:
    QComboBox* m_fabric = nullptr;
    QSpinBox* m_strands = nullptr;
    QComboBox* m_paper = nullptr;
    QDoubleSpinBox* m_cell = nullptr;
    QSpinBox* m_overlap = nullptr;
    QCheckBox* m_symbolsOnly = nullptr;
    QSpinBox* m_backstitchStrands = nullptr;
};

// The choices of the last export, or the defaults (14-count Aida, 2 strands, the locale's paper,
// 2.5 mm cells, no overlap, colour) the first time; a stored value out of range is taken as unset.
PdfChoices rememberedPdfChoices();
void rememberPdfChoices(const PdfChoices& choices);
// The chart options the choices stand for.
ChartPdfOptions chartPdfOptions(const PdfChoices& choices);
