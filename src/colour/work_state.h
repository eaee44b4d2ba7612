#pragma once
// The work state shared by every command for the whole run: fixed arrays of the documented
// bounds, allocated once, with their counters beside them. Procedures take it by reference.
#include "surface/basic.h"
#include "surface/fresh_memory.h"
#include "surface/progress.h"

#include <QString>
#include <array>
#include <unordered_map>
#include <vector>

// One catalogue thread: its number as read (1 is "Ecru", 0 "Blanco") and its colour.
struct color_dmc {
    Long numero = 0;
    Integer rojo = 0;
    Integer verde = 0;
    Integer azul = 0;
};

constexpr int kMaxColumns = 1201; // stitch columns 0..1200
constexpr int kMaxRows = 769; // stitch rows 0..768
constexpr int kMaxStitches = 786433; // lista_puntos 0..786432
constexpr int kGroupSize = 100001; // tono1..tono6 0..100000
constexpr int kCatalogueSize = 427; // dmc_todos, dmc_activos 0..426
constexpr int kFullCatalogue = 426;
// puntos of a cell where nothing is stitched (a pattern opened from a file): the cloth shows
// there. It reads as white, like a point outside a surface; no palette entry ever holds it.
constexpr Long kNoStitchColour = -1;

// The stitch grid: puntos(column, row), nought where nothing was read yet.
class StitchGrid {
public:
    StitchGrid()
        : m_cells(std::size_t(kMaxColumns) * kMaxRows)
    {
    }
    Long& operator()(int i, int j) { return m_cells[std::size_t(j) * kMaxColumns + std::size_t(i)]; }
    Long operator()(int i, int j) const { return m_cells[std::size_t(j) * kMaxColumns + std::size_t(i)]; }
    bool operator==(const StitchGrid& o) const { return m_cells == o.m_cells; }
    // Cell (i, j) is data()[j * kMaxColumns + i].
    const Long* data() const { return m_cells.data(); }

private:
    FreshArray<Long> m_cells;
};

struct WorkState {
    WorkState();

    Integer listo = 0;
    Long num_colores = 0;
    Integer punto_doble = 0;
    Integer ancho_puntos = 0;
    Integer alto_puntos = 0;
    StitchGrid puntos;
    FreshArray<Long> lista_puntos; // 0..786432
    Long num_puntos = 0;
    // Hue groups: tono[K - 1] is group K (tono1..tono6), brillo[K - 1] its sort keys,
    // num_tono[K - 1] its count.
    std::array<std::vector<Long>, 6> tono;
    std::array<std::vector<Long>, 6> brillo;
    std::array<Integer, 6> num_tono {};
    Long paso_gama = 0;
    std::vector<color_dmc> dmc_todos; // 0..426, entries 1..426 used
    std::vector<color_dmc> dmc_activos; // 0..426
    Integer num_dmc = 0;
    Single factor_reduccion = 0;
    Single x_arrastre = 0;
    Single y_arrastre = 0;
    Integer arrastrando = 0;
    Long color_nuevo = 0;
    Long color_viejo = 0;
    Integer ayuda_inicio = 0;
    Integer ayuda_abrir = 0;
    Integer ayuda_imagen = 0;
    // Each palette colour's number in the "Símbolos claros" set: given when a pattern is made and
    // kept by colour swaps and their undo, so a thread keeps its symbol on sheets printed earlier.
    std::unordered_map<Long, int> threadSymbols;

    // Sum of the six group counts (the palette size after the palette step).
    int paletteSize() const;
};
