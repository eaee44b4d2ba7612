#include "app/quality_report_dialog.h"

#include "colour/catalogue.h"
#include "colour/thread_names.h"
#include "surface/colour_rgb.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// Figures as the user's locale writes them (its decimal mark).
QString deltaText(double d) { return QLocale().toString(d, 'f', 1); }
QString countText(long n) { return QLocale().toString(qlonglong(n)); }

// "DMC 310 Black": the thread's code and, when the full catalogue has it, its name.
QString threadText(Long numero)
{
    const QString name = threadName(numero);
    return name.isEmpty() ? threadCode(numero) : threadCode(numero) + QLatin1Char(' ') + name;
}

QTableWidgetItem* numberItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QIcon swatch(Long colour)
{
    QPixmap pm(14, 14);
    pm.fill(QColor::fromRgb(rgbFromColour(colour)));
    return QIcon(pm);
}
} // namespace

QualityReportDialog::QualityReportDialog(const QualityReport& r, QWidget* parent, bool faithful)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calidad del patrón"));
    auto* layout = new QVBoxLayout(this);
    QStringList worst;
    for (int index : r.worst)
        worst << threadListText(r.threads[std::size_t(index)].numero);
    const double loneShare = r.stitches > 0 ? 100.0 * double(r.lone) / double(r.stitches) : 0.0;
    m_summary = new QLabel(r.stitches == 0
            ? QStringLiteral("El patrón no tiene puntos: no hay nada que comparar con la imagen.")
            : QStringLiteral("%1 puntos. Diferencia media con la imagen: %2 (%3).\n"
                             "Puntos sueltos (sin vecino del mismo hilo): %4 (%5 %).\n"
                             "Hilos más lejanos: %6.")
                  .arg(countText(r.stitches), deltaText(r.meanDeltaE), r.grade, countText(r.lone), deltaText(loneShare),
                      worst.isEmpty() ? QStringLiteral("ninguno") : worst.join(QStringLiteral(", "))));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_advice = new QLabel(qualityAdvice(r, faithful));
    m_advice->setWordWrap(true);
    QFont bold = m_advice->font();
    bold.setBold(true);
    m_advice->setFont(bold);
    layout->addWidget(m_advice);

    m_table = new QTableWidget(int(r.threads.size()), 5, this);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Hilo"), QStringLiteral("Puntos"), QStringLiteral("Diferencia"),
        QStringLiteral("Calidad"), QStringLiteral("Sueltos") });
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    int row = 0;
    for (int index : threadsWorstFirst(r)) {
        const ThreadQuality& t = r.threads[std::size_t(index)];
        m_table->setItem(row, 0, new QTableWidgetItem(swatch(t.colour), threadText(t.numero)));
        m_table->setItem(row, 1, numberItem(countText(t.stitches)));
        m_table->setItem(row, 2, numberItem(deltaText(t.meanDeltaE)));
        m_table->setItem(row, 3, new QTableWidgetItem(t.grade));
        m_table->setItem(row, 4, numberItem(countText(t.lone)));
        ++row;
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(m_table);
    auto* note = new QLabel(QStringLiteral("La diferencia es ΔE2000 entre cada hilo y %1: por debajo de 1 el ojo "
                                           "no la ve; por encima de 10 el hilo se ve de otro color.")
                                .arg(qualityReference()));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 480);
}

QString QualityReportDialog::summaryText() const { return m_summary->text(); }

QString QualityReportDialog::adviceText() const { return m_advice->text(); }

#include "moc_quality_report_dialog.cpp"
