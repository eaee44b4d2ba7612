#pragma once
// "Opciones de color": the options of the next pattern, edited in a dialog of their own.
#include "colour/colour_options.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

class ColourOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColourOptionsDialog(const ColourOptions& options, QWidget* parent = nullptr);
    // The options as the dialog shows them now.
    ColourOptions options() const;
    // Offers, for a pattern on show, to apply the clean-up to it at once, and a button that
    // calls `showReport` ("Calidad del patrón").
    void offerPattern(const std::function<void()>& showReport);
    // True when the user asked to apply the options to the pattern on show.
    bool applyToPattern() const;

    QCheckBox* faithful = nullptr;
    QCheckBox* perceptual = nullptr;
    QComboBox* dither = nullptr;
    QCheckBox* mergeRare = nullptr;
    QSpinBox* mergeBelow = nullptr;
    QCheckBox* clean = nullptr;
    QSpinBox* cleanSize = nullptr;
    QCheckBox* applyNow = nullptr; // hidden until a pattern is offered
    QPushButton* report = nullptr;
};
