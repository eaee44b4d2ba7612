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
    explicit QualityReportDialog(const QualityReport& report, QWidget* parent = nullptr);

    const QTableWidget* table() const { return m_table; }
    QString summaryText() const;

private:
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
};
