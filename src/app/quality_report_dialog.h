#pragma once
// "Calidad del patrón": how near each thread is to the picture and how many lone stitches the
// pattern holds, as the quality report gives them.
#include "colour/quality_report.h"

#include <QDialog>

class QLabel;
class QTableWidget;

class QualityReportDialog : public QDialog {
    Q_OBJECT
public:
    // The threads worst first; every figure in the locale's way of writing numbers. The advice
    // suggests "Colores fieles a la imagen" while `faithful` is off.
    explicit QualityReportDialog(const QualityReport& report, QWidget* parent = nullptr, bool faithful = false);

    const QTableWidget* table() const { return m_table; }
    QString summaryText() const;
    QString adviceText() const;

private:
    QLabel* m_summary = nullptr;
    QLabel* m_advice = nullptr;
    QTableWidget* m_table = nullptr;
};
