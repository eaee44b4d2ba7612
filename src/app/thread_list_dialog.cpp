#include "app/thread_list_dialog.h"

#include "colour/colour_value.h"
#include "output/thread_amounts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
enum Column { SymbolColumn, SwatchColumn, CodeColumn, NameColumn, StitchesColumn, MetresColumn, SkeinsColumn };

QIcon swatchIcon(Long colour)
{
    const Components c = split(colour);
    QPixmap px(16, 16);
    px.fill(QColor(c.r, c.g, c.b));
    QPainter p(&px);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 15);
    return QIcon(px);
}

QTableWidgetItem* item(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* i = new QTableWidgetItem(text);
    i->setTextAlignment(align);
    i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return i;
}

QTableWidgetItem* number(const QString& text) { return item(text, Qt::AlignRight | Qt::AlignVCenter); }
} // namespace

ThreadListDialog::ThreadListDialog(const Pattern& pattern, QWidget* parent)
    : QDialog(parent)
    , m_pattern(pattern)
{
    setWindowTitle(QStringLiteral("Lista de hilos"));
    m_fabric = new QComboBox(this);
    for (const Fabric& f : fabrics())
        m_fabric->addItem(f.name);
    m_fabric->setCurrentIndex(kDefaultFabric);
    m_strands = new QSpinBox(this);
    m_strands->setRange(1, 6);
    m_strands->setValue(kDefaultStrands);

    m_table = new QTableWidget(0, 7, this);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Signo"), QStringLiteral("Color"), QStringLiteral("Hilo"),
        QStringLiteral("Nombre"), QStringLiteral("Puntadas"), QStringLiteral("Metros"), QStringLiteral("Madejas") });
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);

    m_size = new QLabel(this);
    m_totals = new QLabel(this);
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Tela:"), m_fabric);
    options->addRow(QStringLiteral("Hebras:"), m_strands);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(m_table);
    layout->addWidget(m_size);
    layout->addWidget(m_totals);
    layout->addWidget(buttons);
    resize(640, 520);

    connect(m_fabric, &QComboBox::currentIndexChanged, this, &ThreadListDialog::refresh);
    connect(m_strands, &QSpinBox::valueChanged, this, &ThreadListDialog::refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refresh();
}

void ThreadListDialog::setFabric(int index) { m_fabric->setCurrentIndex(index); }
void ThreadListDialog::setStrands(int strands) { m_strands->setValue(strands); }
int ThreadListDialog::fabric() const { return m_fabric->currentIndex(); }
int ThreadListDialog::strands() const { return m_strands->value(); }
QString ThreadListDialog::sizeText() const { return m_size->text(); }
QString ThreadListDialog::totalsText() const { return m_totals->text(); }

// The figures for the fabric and strands chosen now.
void ThreadListDialog::refresh()
{
    const int fabric = std::max(0, m_fabric->currentIndex());
    const int perInch = fabrics()[std::size_t(fabric)].stitchesPerInch;
    const std::vector<ThreadAmount> threads = threadAmounts(m_pattern, { perInch, m_strands->value(), kDefaultWaste });
    m_table->setRowCount(int(threads.size()));
    QFont symbolFont(QStringLiteral("DejaVu Sans"));
    symbolFont.setPointSize(12);
    long stitches = 0;
    double metres = 0;
    int skeins = 0;
    for (int r = 0; r < int(threads.size()); ++r) {
        const ThreadAmount& t = threads[std::size_t(r)];
        QTableWidgetItem* symbol = item(t.symbol, Qt::AlignCenter);
        symbol->setFont(symbolFont);
        m_table->setItem(r, SymbolColumn, symbol);
        QTableWidgetItem* swatch = item(QString());
        swatch->setIcon(swatchIcon(t.colour));
        m_table->setItem(r, SwatchColumn, swatch);
        m_table->setItem(r, CodeColumn, item(t.code));
        m_table->setItem(r, NameColumn, item(t.name));
        m_table->setItem(r, StitchesColumn, number(QString::number(t.stitches)));
        // a few stitches still need a few centimetres: never shown as nothing
        m_table->setItem(r, MetresColumn, number(QString::number(t.metres, 'f', t.metres < 1 ? 2 : 1)));
        m_table->setItem(r, SkeinsColumn, number(QString::number(t.skeins)));
        stitches += t.stitches;
        metres += t.metres;
        skeins += t.skeins;
    }
    m_table->resizeColumnsToContents();
    const FinishedSize s = finishedSize(m_pattern.width, m_pattern.height, perInch);
    m_size->setText(QStringLiteral("Tamaño terminado: %1\nTela a comprar (5 cm de margen por cada lado): %2")
                        .arg(s.sizeText(), s.fabricText()));
    m_totals->setText(QStringLiteral("Total: %1 hilos, %2 puntadas, %3 m, %4 madejas")
                          .arg(threads.size())
                          .arg(stitches)
                          .arg(QString::number(metres, 'f', 1))
                          .arg(skeins));
}
