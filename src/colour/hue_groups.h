#pragma once
// The first stage of the colour reduction: every distinct stitch colour once, in one of six hue
// groups, each group sorted by a brightness key, highest first; equal keys keep the order in which
// the stitches first showed them.
#include "colour/colour_value.h"
#include "colour/work_state.h"

// Hue group 1..6 of a colour's components (strict comparisons; every grey is in group 6).
int hueGroup(const Components& c);

enum class HueKey {
    Sum, // R + G + B in every group
    LeadingComponent, // R in groups 1 and 2, G in 3 and 4, B in 5 and 6
};
int hueKey(HueKey kind, int group, const Components& c);

// Sorts lista_puntos(0..num_puntos - 1) into tono, brillo and num_tono by the key `kind`.
// Progress 80..90. With exactly one stitch it reports "Debe haber más de un color" and leaves the
// groups empty, the pointer and listo busy.
void sortIntoHueGroups(WorkState& st, HueKey kind, const Progress& progress);
// The two variants by name: the sum key, and the group's leading component.
inline void separa(WorkState& st, const Progress& progress) { sortIntoHueGroups(st, HueKey::Sum, progress); }
inline void separa1(WorkState& st, const Progress& progress)
{
    sortIntoHueGroups(st, HueKey::LeadingComponent, progress);
}
