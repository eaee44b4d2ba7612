#pragma once
// Nearest thread of a catalogue for a colour. A colour only ever matches a thread of its own hue
// cell (the largest component and the order of the other two); among those the smallest sum of
// absolute component differences wins, the later entry on a tie, and entry 1 when none fits.
#include "colour/work_state.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

// Hue cell of a colour's components: 0/1 red largest (green above blue / not), 2/3 green largest
// (red above blue / not), 4/5 blue largest (red above green / not). Ties go to the earlier class.
int matchCell(int r, int g, int b);
// True when a thread with components r, g, b may stand for a colour of hue cell `cell`.
bool threadAdmissible(int cell, int r, int g, int b);

// Position (1..count) of the nearest thread of catalogue entries 1..count to `colour`; 1 when no
// entry is admissible or the catalogue is empty. -1 (a point outside a picture) reads as white.
int nearestThread(const std::vector<color_dmc>& catalogue, int count, Long colour);

// Colour value of the nearest thread of the active catalogue.
Long dmcj(const WorkState& st, Long colour);
// Colour value of the nearest thread of the full catalogue (entries 1..426).
Long dmck(const WorkState& st, Long colour);
// Label of the nearest thread of the active catalogue: " Ecru" for number 1, " Blanco" for a
// pure white thread, otherwise the number after a space.
QString dmci(const WorkState& st, Long colour);
// The thread the colour key names for a colour (the nearest of the active catalogue), as a tool
// tip shows it: "DMC 310 Black", "DMC Blanc", "DMC Ecru", or the code alone for a thread without
// a name.
QString threadTip(const WorkState& st, Long colour);

// The same search over a fixed copy of a catalogue, for reading many stitches. Colour space is cut
// into boxes of 16 x 16 x 16; for each box and hue cell the threads that can be nearest to some
// colour of the box are listed once, in catalogue order, and only they are measured. The answers
// are those of nearestThread. Lists are made on first use: not for use from several threads.
class ThreadMatcher {
public:
    ThreadMatcher(const std::vector<color_dmc>& catalogue, int count);
    // True when built from exactly these entries (the answers still hold).
    bool holds(const std::vector<color_dmc>& catalogue, int count) const;
    // Position of the nearest thread, as nearestThread.
    int nearest(Long colour);
    // Colour value of the nearest thread, as dmcj.
    Long nearestColour(Long colour) { return m_colourAt[std::size_t(nearest(colour))]; }

private:
    struct Entry {
        int r, g, b, position;
    };
    struct Span {
        int begin = -1, end = -1; // candidates in m_pool; begin -1 while not yet listed
    };
    const Span& candidates(int cell, int r, int g, int b);

    std::vector<color_dmc> m_entries; // 1..count as given, entry 1 even when count is 0
    int m_count = 0;
    std::array<std::vector<Entry>, 6> m_cells; // admissible threads of each hue cell, in order
    std::vector<Long> m_colourAt;
    std::vector<Span> m_boxes; // per hue cell and box
    std::vector<Entry> m_pool;
};

// How many of the entries 1..count a catalogue holds.
int usableCount(const std::vector<color_dmc>& catalogue, int count);
// Entry i of a catalogue; an empty entry past its end.
const color_dmc& entryAt(const std::vector<color_dmc>& catalogue, int i);
// True when `kept` (entries 1.., as a matcher copies them for `keptCount`) still has the numbers
// and colours of the first entries of `catalogue` and the same usable count.
bool sameEntries(const std::vector<color_dmc>& kept, int keptCount, const std::vector<color_dmc>& catalogue, int count);

// A matcher for the catalogue as it is now; the same one is handed out while the entries stay
// the same, and a new one is built when they change.
ThreadMatcher& cachedMatcher(const std::vector<color_dmc>& catalogue, int count);
// The matcher in `kept` while it holds these entries, else a new one built from them and kept.
template <class Matcher>
Matcher& keptMatcher(std::unique_ptr<Matcher>& kept, const std::vector<color_dmc>& catalogue, int count)
{
    if (!kept || !kept->holds(catalogue, count))
        kept = std::make_unique<Matcher>(catalogue, count);
    return *kept;
}
// Drops the remembered answers, so the next reading starts cold (for timing).
void forgetCachedMatcher();
