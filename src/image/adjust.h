#pragma once
// The step adjustments of the working picture: brightness, contrast and each colour
// component, 15 at a time, held to 0..255.
#include "colour/colour_value.h"
#include "surface/surface.h"

enum class Adjustment {
    BrightnessUp,
    BrightnessDown,
    RedUp,
    RedDown,
    GreenUp,
    GreenDown,
    BlueUp,
    BlueDown,
    ContrastUp,
    ContrastDown,
};

constexpr int kAdjustStep = 15;
// Components above this count as light for the contrast steps; 126 itself is dark.
constexpr int kContrastPivot = 126;

// The adjustment of button Command12 .. Command21 (12 "+ Brillo" .. 21 "+ Contraste").
Adjustment adjustmentForButton(int button);
// One step applied to a colour's components; the ones the step does not name stay.
Components adjustComponents(Components c, Adjustment a);
// One step applied to every pixel of the picture, each taken apart with split.
void adjustPicture(Surface& picture, Adjustment a);
