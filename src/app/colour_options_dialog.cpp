#include "app/colour_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// A line of small print under an option, saying what it does to the pattern.
QLabel* hint(const QString& text)
{
    auto* l = new QLabel(text);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    l->setFont(f);
    return l;
}

// A check box followed by a number and its unit on one line; the number only counts when ticked.
QHBoxLayout* checkWithNumber(QCheckBox* check, QSpinBox* number, const QString& unit)
{
    auto* row = new QHBoxLayout;
    row->addWidget(check);
    row->addWidget(number);
    row->addWidget(new QLabel(unit));
    row->addStretch();
    QObject::connect(check, &QCheckBox::toggled, number, &QSpinBox::setEnabled);
    number->setEnabled(check->isChecked());
    return row;
}
} // namespace

ColourOptionsDialog::ColourOptionsDialog(const ColourOptions& o, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Opciones de color"));
    auto* layout = new QVBoxLayout(this);

    auto* matching = new QGroupBox(QStringLiteral("Elegir los hilos"));
    auto* matchingLayout = new QVBoxLayout(matching);
    faithful = new QCheckBox(QStringLiteral("Colores fieles a la imagen"));
    faithful->setChecked(o.faithful);
    matchingLayout->addWidget(faithful);
    matchingLayout->addWidget(
        hint(QStringLiteral("Cada punto toma el color que la imagen tiene bajo él, y los hilos se "
                            "eligen para esta imagen: el bordado se parece más a la foto con los "
                            "mismos colores.")));
    perceptual = new QCheckBox(QStringLiteral("Buscar el hilo que más se parece a la vista"));
    perceptual->setChecked(o.perceptual);
    matchingLayout->addWidget(perceptual);
    // the faithful threads are chosen by ΔE2000 already
    connect(faithful, &QCheckBox::toggled, perceptual, &QCheckBox::setDisabled);
    perceptual->setDisabled(o.faithful);
    matchingLayout->addWidget(hint(QStringLiteral("Compara los colores como los ve el ojo. Los tonos suelen salir "
                                                  "más fieles; la primera vez tarda algo más.")));
    auto* ditherRow = new QHBoxLayout;
    ditherRow->addWidget(new QLabel(QStringLiteral("Mezclar hilos para los tonos intermedios:")));
    dither = new QComboBox;
    dither->addItems({ QStringLiteral("No"), QStringLiteral("Poco (25 %)"), QStringLiteral("Bastante (50 %)"),
        QStringLiteral("Mucho (100 %)") });
    for (int k = 0; k < int(ColourOptions::kDitherSteps.size()); ++k)
        if (ColourOptions::kDitherSteps[std::size_t(k)] == o.dither)
            dither->setCurrentIndex(k);
    ditherRow->addWidget(dither);
    ditherRow->addStretch();
    matchingLayout->addLayout(ditherRow);
    matchingLayout->addWidget(hint(QStringLiteral("Alterna puntos de hilos vecinos para imitar los degradados, "
                                                  "pero deja más puntos sueltos.")));
    layout->addWidget(matching);

    auto* tidy = new QGroupBox(QStringLiteral("Limpiar el patrón"));
    auto* tidyLayout = new QVBoxLayout(tidy);
    mergeRare = new QCheckBox(QStringLiteral("Quitar los colores con menos de"));
    mergeRare->setChecked(o.mergeRare);
    mergeBelow = new QSpinBox;
    mergeBelow->setRange(ColourOptions::kMergeLeast, ColourOptions::kMergeMost);
    mergeBelow->setValue(o.mergeBelow);
    tidyLayout->addLayout(checkWithNumber(mergeRare, mergeBelow, QStringLiteral("puntos")));
    tidyLayout->addWidget(hint(QStringLiteral("Sus puntos pasan al color más parecido: hay que comprar menos "
                                              "madejas.")));
    clean = new QCheckBox(QStringLiteral("Quitar puntos sueltos: manchas de hasta"));
    clean->setChecked(o.clean);
    cleanSize = new QSpinBox;
    cleanSize->setRange(ColourOptions::kCleanLeast, ColourOptions::kCleanMost);
    cleanSize->setValue(o.cleanSize);
    tidyLayout->addLayout(checkWithNumber(clean, cleanSize, QStringLiteral("puntos")));
    tidyLayout->addWidget(hint(QStringLiteral("Cada mancha tan pequeña toma el color de los puntos que la rodean: "
                                              "menos hebras que empezar y rematar.")));
    layout->addWidget(tidy);

    layout->addWidget(hint(QStringLiteral("Las opciones se aplican al pulsar «Punto sencillo» o «Punto doble».")));
    applyNow = new QCheckBox(QStringLiteral("Limpiar ya el patrón que se ve (se puede deshacer)"));
    applyNow->setVisible(false);
    layout->addWidget(applyNow);
    auto* bottom = new QHBoxLayout;
    report = new QPushButton(QStringLiteral("Calidad del patrón..."));
    report->setVisible(false);
    bottom->addWidget(report);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    bottom->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addLayout(bottom);
}

ColourOptions ColourOptionsDialog::options() const
{
    ColourOptions o;
    o.faithful = faithful->isChecked();
    o.perceptual = perceptual->isChecked();
    o.dither = ColourOptions::kDitherSteps[std::size_t(std::max(dither->currentIndex(), 0))];
    o.mergeRare = mergeRare->isChecked();
    o.mergeBelow = mergeBelow->value();
    o.clean = clean->isChecked();
    o.cleanSize = cleanSize->value();
    return o;
}

void ColourOptionsDialog::offerPattern(const std::function<void()>& showReport)
{
    applyNow->setVisible(true);
    // only the clean-up acts on a pattern already made
    const auto follow = [this] { applyNow->setEnabled(options().changesPalette()); };
    connect(mergeRare, &QCheckBox::toggled, this, follow);
    connect(clean, &QCheckBox::toggled, this, follow);
    follow();
    report->setVisible(true);
    connect(report, &QPushButton::clicked, this, showReport);
}

bool ColourOptionsDialog::applyToPattern() const
{
    return !applyNow->isHidden() && applyNow->isEnabled() && applyNow->isChecked();
}

#include "moc_colour_options_dialog.cpp"
