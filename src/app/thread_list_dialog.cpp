#include "app/thread_list_dialog.h"

#include "colour/colour_value.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
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

// a few stitches still need a few centimetres: never shown as nothing
// figures in the user's own decimal mark, as every figure the window shows
QString metresText(double metres) { return QLocale().toString(metres, 'f', metres < 1 ? 2 : 1); }
QString countText(long n) { return QLocale().toString(qlonglong(n)); }

QString strandsText(int strands)
{
    return strands == 1 ? QStringLiteral("1 hebra") : QStringLiteral("%1 hebras").arg(strands);
}

QString metresHeading(int strands) { return QStringLiteral("Metros de hebra\n(a %1)").arg(strandsText(strands)); }

// The printed list, in millimetres: the heading block, the pitch of a thread's line, the block
// of totals and assumptions under the last, and the left edges of the columns.
constexpr double kHeadMm = 24, kLineMm = 6, kFootMm = 34;
constexpr double kColumnsMm[] = { 0, 12, 24, 46, 108, 130, 162 };
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
    m_backstitchStrands = new QSpinBox(this);
    m_backstitchStrands->setRange(1, 6);
    m_backstitchStrands->setValue(kDefaultBackstitchStrands);

    m_table = new QTableWidget(0, 7, this);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Signo"), QStringLiteral("Color"), QStringLiteral("Hilo"),
        QStringLiteral("Nombre"), QStringLiteral("Puntadas"), QStringLiteral("Metros"), QStringLiteral("Madejas") });
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);

    m_size = new QLabel(this);
    m_totals = new QLabel(this);
    m_assumptions = new QLabel(this);
    m_assumptions->setWordWrap(true);
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Tela:"), m_fabric);
    options->addRow(QStringLiteral("Hebras:"), m_strands);
    options->addRow(QStringLiteral("Hebras del pespunte:"), m_backstitchStrands);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    m_saveCsv = buttons->addButton(QStringLiteral("Guardar CSV…"), QDialogButtonBox::ActionRole);
    m_print = buttons->addButton(QStringLiteral("Imprimir…"), QDialogButtonBox::ActionRole);
    for (QPushButton* b : { m_saveCsv, m_print }) {
        b->setVisible(false);
        b->setAutoDefault(false); // Enter closes the list, never writes or prints
    }
    connect(m_saveCsv, &QPushButton::clicked, this, &ThreadListDialog::saveCsvClick);
    connect(m_print, &QPushButton::clicked, this, &ThreadListDialog::printClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(m_table);
    layout->addWidget(m_size);
    layout->addWidget(m_totals);
    layout->addWidget(m_assumptions);
    layout->addWidget(buttons);
    resize(640, 520);

    connect(m_fabric, &QComboBox::currentIndexChanged, this, &ThreadListDialog::refresh);
    connect(m_strands, &QSpinBox::valueChanged, this, &ThreadListDialog::refresh);
    connect(m_backstitchStrands, &QSpinBox::valueChanged, this, &ThreadListDialog::refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refresh();
}

void ThreadListDialog::setFabric(int index) { m_fabric->setCurrentIndex(index); }
void ThreadListDialog::setStrands(int strands) { m_strands->setValue(strands); }
int ThreadListDialog::fabric() const { return m_fabric->currentIndex(); }
int ThreadListDialog::strands() const { return m_strands->value(); }
QString ThreadListDialog::sizeText() const { return m_size->text(); }
QString ThreadListDialog::totalsText() const { return m_totals->text(); }
QString ThreadListDialog::assumptionsText() const { return m_assumptions->text(); }

AmountOptions ThreadListDialog::amountOptions() const
{
    return { fabrics()[std::size_t(std::max(0, fabric()))].stitchesPerInch, strands(), kDefaultWaste,
        m_backstitchStrands->value() };
}

void ThreadListDialog::offerOutputs(std::function<void()> saveCsv, std::function<void()> print)
{
    m_saveCsvAction = std::move(saveCsv);
    m_printAction = std::move(print);
    m_saveCsv->setVisible(bool(m_saveCsvAction));
    m_print->setVisible(bool(m_printAction));
}

void ThreadListDialog::saveCsvClick()
{
    if (m_saveCsvAction)
        m_saveCsvAction();
}

void ThreadListDialog::printClick()
{
    if (m_printAction)
        m_printAction();
}

int ThreadListDialog::printedPages(const QRectF& area, double dpi) const
{
    const double mm = dpi / 25.4;
    const int lines = std::max(1, int((area.height() / mm - kHeadMm - kFootMm) / kLineMm));
    return std::max(1, (int(m_threads.size()) + lines - 1) / lines);
}

void ThreadListDialog::drawPrintedPage(QPainter& p, const QRectF& area, double dpi, int page) const
{
    const double mm = dpi / 25.4;
    const int lines = std::max(1, int((area.height() / mm - kHeadMm - kFootMm) / kLineMm));
    const int pages = printedPages(area, dpi);
    auto at = [&](double x) { return area.left() + x * mm; };
    QFont font(QStringLiteral("DejaVu Sans"));
    // letter spacing of its own turns ligatures off: "Coffee" prints to PDF as text that copies back
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.01 * mm);
    font.setPointSizeF(14);
    p.setFont(font);
    p.setPen(Qt::black);
    double y = area.top() + 8 * mm;
    p.drawText(QPointF(at(0), y), QStringLiteral("Lista de hilos"));
    font.setPointSizeF(9);
    p.setFont(font);
    p.drawText(QRectF(area.left(), area.top(), area.width(), 8 * mm), Qt::AlignRight | Qt::AlignTop,
        QStringLiteral("Hoja %1 de %2").arg(page + 1).arg(pages));
    y += 7 * mm;
    p.drawText(QPointF(at(0), y), QStringLiteral("Tela: %1; %2").arg(m_fabric->currentText(), strandsText(strands())));
    y = area.top() + kHeadMm * mm;
    const QStringList headings { QStringLiteral("Signo"), QStringLiteral("Color"), QStringLiteral("Hilo"),
        QStringLiteral("Nombre"), QStringLiteral("Puntadas"), QStringLiteral("Metros de hebra"),
        QStringLiteral("Madejas") };
    for (int c = 0; c < headings.size(); ++c)
        p.drawText(QPointF(at(kColumnsMm[c]), y), headings[c]);
    p.drawLine(QLineF(area.left(), y + 1.5 * mm, area.right(), y + 1.5 * mm));
    const QFontMetricsF fm(font, p.device());
    const int first = page * lines, end = std::min(int(m_threads.size()), first + lines);
    for (int n = first; n < end; ++n) {
        const ThreadAmount& t = m_threads[std::size_t(n)];
        y += kLineMm * mm;
        const Components c = split(t.colour);
        p.setBrush(QColor(c.r, c.g, c.b));
        p.drawRect(QRectF(at(kColumnsMm[1] + 2), y - 3.2 * mm, 4 * mm, 4 * mm));
        p.setBrush(Qt::NoBrush);
        const QStringList cells { t.symbol, QString(), t.code,
            fm.elidedText(t.name, Qt::ElideRight, (kColumnsMm[4] - kColumnsMm[3] - 2) * mm), countText(t.stitches),
            metresText(t.metres), countText(t.skeins) };
        for (int k = 0; k < cells.size(); ++k)
            p.drawText(QPointF(at(kColumnsMm[k] + (k == 0 ? 2 : 0)), y), cells[k]);
    }
    if (page + 1 < pages)
        return;
    y += kLineMm * mm;
    const QString foot
        = m_totals->text() + QLatin1Char('\n') + m_size->text() + QLatin1Char('\n') + m_assumptions->text();
    p.drawText(QRectF(area.left(), y, area.width(), area.bottom() - y), Qt::TextWordWrap, foot);
}

// The figures for the fabric and strands chosen now.
void ThreadListDialog::refresh()
{
    const int fabric = std::max(0, m_fabric->currentIndex());
    const int perInch = fabrics()[std::size_t(fabric)].stitchesPerInch;
    m_threads = threadAmounts(m_pattern, amountOptions());
    const std::vector<ThreadAmount>& threads = m_threads;
    m_table->horizontalHeaderItem(MetresColumn)->setText(metresHeading(m_strands->value()));
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
        // a thread only backstitch, knots or beads use says so, with what it makes
        m_table->setItem(r, NameColumn, item(t.section.isEmpty() ? t.name : t.section + QStringLiteral(": ") + t.name));
        const QString made = t.section == QLatin1String("Pespunte")
            ? QStringLiteral("%1 cm").arg(countText(std::lround(t.backstitchCells * 2.54 / perInch)))
            : t.section == QLatin1String("Nudos")   ? countText(t.knots)
            : t.section == QLatin1String("Cuentas") ? countText(t.beads)
                                                    : countText(t.stitches);
        m_table->setItem(r, StitchesColumn, number(made));
        m_table->setItem(r, MetresColumn, number(metresText(t.metres)));
        m_table->setItem(r, SkeinsColumn, number(countText(t.skeins)));
        stitches += t.stitches;
        metres += t.metres;
        skeins += t.skeins;
    }
    m_table->resizeColumnsToContents();
    const FinishedSize s = finishedSize(m_pattern.width, m_pattern.height, perInch);
    m_size->setText(QStringLiteral("Tamaño terminado: %1\nTela a comprar (5 cm de margen por cada lado): %2")
                        .arg(s.sizeText(), s.fabricText()));
    m_totals->setText(
        QStringLiteral("Total: %1 hilos, %2 puntadas, %3 m, %4 madejas")
            .arg(countText(long(threads.size())), countText(stitches), metresText(metres), countText(skeins)));
    m_assumptions->setText(QStringLiteral("Metros de hebra sola para bordar con %1, con un 20 % más por "
                                          "desperdicio; una madeja tiene 8 m de seis hebras (48 m de hebra sola).")
                               .arg(strandsText(m_strands->value())));
}
