#pragma once
// "Opciones de color": the options of the next pattern, edited in a dialog of their own.
#include "colour/colour_options.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

class ColourOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColourOptionsDialog(const ColourOptions& options, QWidget* parent = nullptr);
    // The options as the dialog shows them now.
    ColourOptions options() const;

    QCheckBox* perceptual = nullptr;
    QComboBox* dither = nullptr;
    QCheckBox* mergeRare = nullptr;
    QSpinBox* mergeBelow = nullptr;
    QCheckBox* clean = nullptr;
    QSpinBox* cleanSize = nullptr;
};
