#pragma once
// "Lista de hilos": every thread of a pattern with its symbol, swatch, number, name, stitches,
// metres and skeins, in thread-number order; the fabric and strands to choose, the finished size,
// the fabric to buy, the totals and what the amounts assume; the list saved as CSV or printed.
#include "colour/pattern.h"
#include "output/thread_amounts.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
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
    QString assumptionsText() const;
    // What the amounts are for: the fabric's count and the strands.
    AmountOptions amountOptions() const;
    // "Guardar CSV…" and "Imprimir…" call these; without them the buttons are not shown.
    void offerOutputs(std::function<void()> saveCsv, std::function<void()> print);
    void saveCsvClick();
    void printClick();

    // The list as printed pages: the number of pages for a printable area of `area` device
    // pixels at `dpi`, and page `page` drawn on `p`.
    int printedPages(const QRectF& area, double dpi) const;
    void drawPrintedPage(QPainter& p, const QRectF& area, double dpi, int page) const;

private:
    void refresh();

    Pattern m_pattern;
    QComboBox* m_fabric = nullptr;
    QSpinBox* m_strands = nullptr;
    QSpinBox* m_backstitchStrands = nullptr; // "Hebras del pespunte"
    QTableWidget* m_table = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_assumptions = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_print = nullptr;
    std::function<void()> m_saveCsvAction, m_printAction;
    std::vector<ThreadAmount> m_threads;
};
