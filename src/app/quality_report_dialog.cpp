#include "app/quality_report_dialog.h"

#include "colour/catalogue.h"
#include "surface/colour_rgb.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString deltaText(double d) { return QLocale(QLocale::Spanish).toString(d, 'f', 1); }

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

QualityReportDialog::QualityReportDialog(const QualityReport& r, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calidad del patrón"));
    auto* layout = new QVBoxLayout(this);
    QStringList worst;
    for (int index : r.worst)
        worst << threadListText(r.threads[std::size_t(index)].numero);
    m_summary = new QLabel(r.stitches == 0
            ? QStringLiteral("El patrón no tiene puntos: no hay nada que comparar con la imagen.")
            : QStringLiteral("%1 puntos. Diferencia media con la imagen: %2 (%3).\n"
                             "Puntos sueltos (sin vecino del mismo hilo): %4.\n"
                             "Hilos más lejanos: %5.")
                  .arg(r.stitches)
                  .arg(deltaText(r.meanDeltaE), r.grade)
                  .arg(r.lone)
                  .arg(worst.isEmpty() ? QStringLiteral("ninguno") : worst.join(QStringLiteral(", "))));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_table = new QTableWidget(int(r.threads.size()), 5, this);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Hilo"), QStringLiteral("Puntos"), QStringLiteral("Diferencia"),
        QStringLiteral("Calidad"), QStringLiteral("Sueltos") });
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < int(r.threads.size()); ++row) {
        const ThreadQuality& t = r.threads[std::size_t(row)];
        m_table->setItem(row, 0, new QTableWidgetItem(swatch(t.colour), threadListText(t.numero)));
        m_table->setItem(row, 1, numberItem(QString::number(t.stitches)));
        m_table->setItem(row, 2, numberItem(deltaText(t.meanDeltaE)));
        m_table->setItem(row, 3, new QTableWidgetItem(t.grade));
        m_table->setItem(row, 4, numberItem(QString::number(t.lone)));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(m_table);
    auto* note = new QLabel(QStringLiteral("La diferencia es ΔE2000: por debajo de 1 el ojo no la ve; "
                                           "por encima de 10 el hilo se ve de otro color."));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(460, 460);
}

QString QualityReportDialog::summaryText() const { return m_summary->text(); }

#include "moc_quality_report_dialog.cpp"
