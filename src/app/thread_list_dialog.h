#pragma once
// "Lista de hilos": every thread of a pattern with its symbol, swatch, number, name, stitches,
// metres and skeins, in thread-number order; the fabric and strands to choose, the finished size,
// the fabric to buy and the totals.
#include "colour/pattern.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

class ThreadListDialog : public QDialog {
    Q_OBJECT
public:
    explicit ThreadListDialog(const Pattern& pattern, QWidget* parent = nullptr);

    // The fabric (an index of fabrics()) and the strands the figures are for.
    void setFabric(int index);
    void setStrands(int strands);
    int fabric() const;
    int strands() const;
    const QTableWidget* table() const { return m_table; }
    QString sizeText() const;
    QString totalsText() const;

private:
    void refresh();

    Pattern m_pattern;
    QComboBox* m_fabric = nullptr;
    QSpinBox* m_strands = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_totals = nullptr;
};
