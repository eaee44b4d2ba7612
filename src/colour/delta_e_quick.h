#pragma once
// ΔE2000 from one colour to many threads at once, in single precision and without calls to the
// maths library, so the compiler can measure eight or sixteen threads in one go. Within
// kQuickTolerance of the exact difference; where the mean hue of a pair is in doubt (hues almost
// opposite) it gives a floor under the difference instead.
#include "colour/delta_e.h"

#include <cstdint>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

// The largest gap, in ΔE2000, between a quick difference and the exact one: ten times the largest
// seen over every thread of the full catalogue and a million colours.
constexpr float kQuickTolerance = 2e-3f;

// Subnormal numbers flushed to nought while it lives, on the thread that makes it: a few pairs
// meet them (squares of tiny hue angles and rotations), and each costs a hundred times an ordinary
// operation. Differences stay within the tolerance either way.
class FlushSubnormals {
public:
#if defined(__SSE__)
    FlushSubnormals()
        : m_saved(_mm_getcsr())
    {
        _mm_setcsr(m_saved | 0x8040); // flush to zero, denormals are zero
    }
    ~FlushSubnormals() { _mm_setcsr(m_saved); }
    FlushSubnormals(const FlushSubnormals&) = delete;
    FlushSubnormals& operator=(const FlushSubnormals&) = delete;

private:
    unsigned m_saved;
#endif
};

// The copies of the loops below: plain, or in AVX2 or AVX-512 vectors. The widest the processor
// runs is chosen when first needed; each gives the same nearest threads.
enum class QuickKernel { Plain, Avx2, Avx512 };
bool quickKernelRuns(QuickKernel kernel);
QuickKernel quickKernel();
// For the tests, which run every copy the processor has: uses `kernel` from now on; false, changing
// nothing, when the processor cannot run it.
bool forceQuickKernel(QuickKernel kernel);

// Threads are measured in blocks of this many.
constexpr int kQuickBlock = 16;

// CIELAB of 24-bit colour values (as labFromColour, in single precision), into L, a, b.
void quickLabs(const std::uint32_t* colours, int count, float* L, float* a, float* b);

// The threads' CIELAB, CIELAB chroma and hue direction (a, b over the chroma; nought for a grey),
// one array each, in the order they are measured.
struct QuickThreads {
    const float* L;
    const float* a;
    const float* b;
    const float* chroma;
    const float* hueX;
    const float* hueY;
};

// The colour each thread is measured from.
struct QuickColours {
    const float* L;
    const float* a;
    const float* b;
};

// Squared quick ΔE2000 from colour i to thread i, for i below `pairs` (a multiple of kQuickBlock),
// into out[i]; a floor f under it, where the mean hue is in doubt, is written as -(f + 1). Many
// pairs are measured together faster than a few at a time.
void quickSquaredDifferences(const QuickColours& colours, const QuickThreads& threads, int pairs, float* out);

// For a pair given a floor above, hues almost opposite: the lesser of the quick squared
// differences with the mean hue on either side, each within the tolerance of the difference when
// the mean hue lies there, so the lesser is a floor under it within the tolerance.
float quickSquaredEitherSide(float L1, float a1, float b1, float L2, float a2, float b2, float chroma2);

// Colours within a box of CIELAB, of chroma at most `chroma`, whose hues run counterclockwise from
// the direction hue1 to hue2 (at most 30° apart; both (0, 0) for one colour without chroma) when
// hueKnown.
struct QuickBox {
    float Lmin, Lmax, amin, amax, bmin, bmax, chroma;
    float hue1X, hue1Y, hue2X, hue2Y;
    bool hueKnown;
};
// The box of one colour.
QuickBox quickBox(const Lab& colour);
// The box round `count` colours (at least one), with the range of their hues when none is almost
// grey and all lie within 30° of the first.
QuickBox quickBox(const float* L, const float* a, const float* b, int count);

// A floor under the squared ΔE2000 from any colour of the box to threads first..last-1, into
// out[first..last-1], from the lightness difference and the a, b distance alone: cheap enough to
// pass over many threads and keep only the few that may be nearest. first and last are
// multiples of kQuickBlock; the least floor of each block goes to least[block].
void quickSquaredFloors(
    const QuickBox& box, const QuickThreads& threads, int first, int last, float* out, float* least);
