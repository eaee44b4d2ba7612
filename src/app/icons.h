#pragma once
// The small pictures on the picture buttons, drawn by the program itself.
#include <QIcon>

enum class IconKind {
    SingleStitch,
    DoubleStitch,
    FullScreen,
    Undo,
    Hide,
    Reset,
    BrightUp,
    BrightDown,
    ContrastUp,
    ContrastDown,
    RedUp,
    RedDown,
    GreenUp,
    GreenDown,
    BlueUp,
    BlueDown,
    Print,
    Save,
    Help,
    Quit,
    Magnifier,
    Grid,
    Chart,
    Colours,
    Picker,
    CatalogueMin,
    CatalogueMid,
    CatalogueLarge,
    CatalogueFull,
    CataloguePersonal,
    ThreadList,
    ChartPdf,
    SavePattern,
    ColourOptions,
    EditPattern
};

QIcon makeIcon(IconKind kind);
