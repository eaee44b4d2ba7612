#include "app/chart_pdf_dialog.h"

#include "output/thread_amounts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kGroup = QStringLiteral("exportar_pdf/");
// the user's settings file, ~/.config/puntela/puntela.conf ($XDG_CONFIG_HOME when set)
const QString kSettingsName = QStringLiteral("puntela");
} // namespace

ChartPdfDialog::ChartPdfDialog(const PdfChoices& c, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Exportar PDF"));
    m_fabric = new QComboBox(this);
    for (const Fabric& f : fabrics())
        m_fabric->addItem(f.name);
    m_fabric->setCurrentIndex(c.fabric);
    m_strands = new QSpinBox(this);
    m_strands->setRange(1, 6);
    m_strands->setValue(c.strands);
    m_paper = new QComboBox(this);
    m_paper->addItems({ QStringLiteral("A4"), QStringLiteral("Carta (Letter)") });
    m_paper->setCurrentIndex(c.letter ? 1 : 0);
    m_cell = new QDoubleSpinBox(this);
    m_cell->setRange(2, 4);
    m_cell->setSingleStep(0.5);
    m_cell->setDecimals(1);
    m_cell->setSuffix(QStringLiteral(" mm"));
    m_cell->setValue(c.cellMm);
    m_overlap = new QSpinBox(this);
    m_overlap->setRange(0, kMostPdfOverlap);
    m_overlap->setValue(c.overlap);
    m_overlap->setToolTip(QStringLiteral("Filas y columnas de las hojas siguientes que se repiten, en color más "
                                         "claro, al borde de cada hoja"));
    m_symbolsOnly = new QCheckBox(QStringLiteral("Solo signos en blanco y negro"), this);
    m_symbolsOnly->setChecked(c.symbolsOnly);
    m_symbolsOnly->setToolTip(QStringLiteral("Un gráfico sin colores de fondo, para impresoras en blanco y negro"));

    m_backstitchStrands = new QSpinBox(this);
    m_backstitchStrands->setRange(1, 6);
    m_backstitchStrands->setValue(c.backstitchStrands);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Tela:"), m_fabric);
    form->addRow(QStringLiteral("Hebras:"), m_strands);
    form->addRow(QStringLiteral("Hebras del pespunte:"), m_backstitchStrands);
    form->addRow(QStringLiteral("Papel:"), m_paper);
    form->addRow(QStringLiteral("Tamaño de la casilla:"), m_cell);
    form->addRow(QStringLiteral("Filas y columnas repetidas:"), m_overlap);
    form->addRow(m_symbolsOnly);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Exportar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PdfChoices ChartPdfDialog::choices() const
{
    PdfChoices c;
    c.fabric = m_fabric->currentIndex();
    c.strands = m_strands->value();
    c.letter = m_paper->currentIndex() == 1;
    c.cellMm = m_cell->value();
    c.overlap = m_overlap->value();
    c.symbolsOnly = m_symbolsOnly->isChecked();
    c.backstitchStrands = m_backstitchStrands->value();
    return c;
}

PdfChoices rememberedPdfChoices()
{
    const QSettings s(kSettingsName, kSettingsName);
    PdfChoices c;
    c.letter = paperOfLocale(QLocale::system()) == Paper::Letter;
    auto number = [&s](const char* key, int least, int most, int fallback) {
        bool ok = false;
        const int v = s.value(kGroup + QLatin1String(key)).toInt(&ok);
        return ok && v >= least && v <= most ? v : fallback;
    };
    c.fabric = number("tela", 0, int(fabrics().size()) - 1, kDefaultFabric);
    c.strands = number("hebras", 1, 6, kDefaultStrands);
    c.overlap = number("solapamiento", 0, kMostPdfOverlap, 0);
    c.backstitchStrands = number("hebras_pespunte", 1, 6, kDefaultBackstitchStrands);
    if (s.contains(kGroup + QLatin1String("papel")))
        c.letter = s.value(kGroup + QLatin1String("papel")).toString() == QLatin1String("letter");
    bool ok = false;
    const double cell = s.value(kGroup + QLatin1String("casilla_mm")).toDouble(&ok);
    if (ok && cell >= 2 && cell <= 4)
        c.cellMm = cell;
    c.symbolsOnly = s.value(kGroup + QLatin1String("solo_signos"), false).toBool();
    return c;
}

void rememberPdfChoices(const PdfChoices& c)
{
    QSettings s(kSettingsName, kSettingsName);
    s.setValue(kGroup + QLatin1String("tela"), c.fabric);
    s.setValue(kGroup + QLatin1String("hebras"), c.strands);
    s.setValue(kGroup + QLatin1String("papel"), c.letter ? QStringLiteral("letter") : QStringLiteral("a4"));
    s.setValue(kGroup + QLatin1String("casilla_mm"), c.cellMm);
    s.setValue(kGroup + QLatin1String("solapamiento"), c.overlap);
    s.setValue(kGroup + QLatin1String("solo_signos"), c.symbolsOnly);
    s.setValue(kGroup + QLatin1String("hebras_pespunte"), c.backstitchStrands);
}

ChartPdfOptions chartPdfOptions(const PdfChoices& c)
{
    const Fabric& fabric = fabrics()[std::size_t(std::clamp(c.fabric, 0, int(fabrics().size()) - 1))];
    ChartPdfOptions o;
    o.paper = c.letter ? Paper::Letter : Paper::A4;
    o.cellMm = c.cellMm;
    o.overlap = c.overlap;
    o.colourCells = !c.symbolsOnly;
    o.stitchesPerInch = fabric.stitchesPerInch;
    o.strands = c.strands;
    o.backstitchStrands = c.backstitchStrands;
    o.fabric = fabric.name;
    return o;
}
