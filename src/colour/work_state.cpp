#include "colour/work_state.h"

WorkState::WorkState()
    : lista_puntos(kMaxStitches)
    , dmc_todos(kCatalogueSize)
    , dmc_activos(kCatalogueSize)
{
    for (auto& t : tono)
        t.assign(kGroupSize, 0);
    for (auto& b : brillo)
        b.assign(kGroupSize, 0);
}

int WorkState::paletteSize() const
{
    int n = 0;
    for (Integer c : num_tono)
        n += c;
    return n;
}
