#pragma once
// The options of "Opciones de color" kept from one start of the window program to the next. A
// value the options do not allow is read as the option's default.
#include "colour/colour_options.h"

#include <QSettings>

ColourOptions readColourOptions(QSettings& settings);
void writeColourOptions(QSettings& settings, const ColourOptions& options);
