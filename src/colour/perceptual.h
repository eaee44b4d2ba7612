#pragma once
// The thread of a catalogue that looks nearest to a colour: the least ΔE2000 over every entry,
// whatever its hue; on equal differences the lower position wins; entry 1 for an empty catalogue.
#include "colour/delta_e.h"
#include "colour/work_state.h"
#include "surface/fresh_memory.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

class PerceptualMatcher {
public:
    PerceptualMatcher(const std::vector<color_dmc>& catalogue, int count);
    ~PerceptualMatcher();
    // True when built from exactly these entries (the remembered answers still hold).
    bool holds(const std::vector<color_dmc>& catalogue, int count) const;
    // Position (1..count) of the nearest thread to a CIELAB colour.
    int nearest(const Lab& lab);
    // Position of the nearest thread to a colour value, remembered for the next time it is asked.
    int nearest(Long colour);
    Long nearestColour(Long colour) { return m_colourAt[std::size_t(nearest(colour))]; }
    // nearestColour of every colour of a list, in its order: the colours not asked before are
    // worked out together, neighbours with neighbours and on every processor core, and
    // remembered.
    std::vector<Long> nearestColours(const std::vector<Long>& colours);

    class Search; // the working rows of one search, one for each thread of the processor

private:
    friend class Search;

    std::vector<color_dmc> m_entries;
    int m_count = 0;
    std::vector<Long> m_colourAt;
    // the catalogue sorted by L, in whole blocks of quick differences: single-precision CIELAB,
    // chroma and hue direction for the quick differences and floors, the exact CIELAB and the
    // position for deciding between near equals
    std::vector<float> m_L, m_a, m_b, m_chroma, m_hueX, m_hueY;
    std::vector<Lab> m_sortedLab;
    std::vector<int> m_sortedPosition;
    std::vector<int> m_sortedPlace; // the sorted place of each position
    static constexpr int kLightnessSteps = 102;
    std::vector<int> m_fromLightness; // for each whole lightness 0..kLightnessSteps, the first thread as light
    std::unique_ptr<Search> m_search; // for colours asked one at a time
    // The answers remembered, by colour key (cube, then place in it): 0 while not yet asked. The
    // memory comes zeroed from the system page by page as answers are written; a cube's answers
    // are read only once it holds some, since reading a page never written maps the system's
    // page of noughts, and writing it then has every processor told.
    std::uint16_t* answers();
    std::vector<std::uint8_t> m_cubeAnswered;
    FreshArray<std::uint16_t> m_answers;
};

// A matcher for the catalogue as it is now, kept while its entries stay the same.
PerceptualMatcher& cachedPerceptualMatcher(const std::vector<color_dmc>& catalogue, int count);
void forgetCachedPerceptualMatcher();
