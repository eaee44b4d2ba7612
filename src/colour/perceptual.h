#pragma once
// The thread of a catalogue that looks nearest to a colour: the least ΔE2000 over every entry,
// whatever its hue; on equal differences the lower position wins; entry 1 for an empty catalogue.
#include "colour/delta_e.h"
#include "colour/work_state.h"

#include <cstdint>
#include <vector>

class PerceptualMatcher {
public:
    PerceptualMatcher(const std::vector<color_dmc>& catalogue, int count);
    // True when built from exactly these entries (the remembered answers still hold).
    bool holds(const std::vector<color_dmc>& catalogue, int count) const;
    // Position (1..count) of the nearest thread to a CIELAB colour.
    int nearest(const Lab& lab);
    // Position of the nearest thread to a colour value, remembered for the next time it is asked.
    int nearest(Long colour);
    Long nearestColour(Long colour) { return m_colourAt[std::size_t(nearest(colour))]; }
    // CIELAB of the thread at a position.
    const Lab& labAt(int position) const { return m_labAt[std::size_t(position)]; }

private:
    struct Thread {
        Lab lab;
        double chroma;
        int position;
    };
    struct Floor {
        double squared;
        int k;
    };

    std::vector<color_dmc> m_entries;
    int m_count = 0;
    std::vector<Thread> m_byLightness; // the catalogue sorted by L
    std::vector<Long> m_colourAt;
    std::vector<Lab> m_labAt;
    std::vector<std::uint16_t> m_answers; // per 24-bit colour: its position, 0 while not yet asked
    std::vector<Floor> m_floors; // working list of one search
    int m_lastK = 0; // where the last answer stood in m_byLightness: neighbouring stitches look alike
};

// A matcher for the catalogue as it is now, kept while its entries stay the same.
PerceptualMatcher& cachedPerceptualMatcher(const std::vector<color_dmc>& catalogue, int count);
void forgetCachedPerceptualMatcher();
