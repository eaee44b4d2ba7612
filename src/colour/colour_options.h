#pragma once
// The colour options of a pattern, all off by default: with every option off the pattern is made
// exactly as it always was. They apply to the next pattern made (and may be applied to the pattern
// on show).
#include <array>

struct ColourOptions {
    static constexpr std::array<int, 4> kDitherSteps { 0, 25, 50, 100 };
    static constexpr int kMergeLeast = 1, kMergeMost = 100, kMergeDefault = 5;
    static constexpr int kCleanLeast = 1, kCleanMost = 5, kCleanDefault = 2;

    // Each stitch takes the thread nearest by ΔE2000 instead of the channel-order search.
    bool perceptual = false;
    // Each stitch's colour is the picture's mean over its area, and the threads are chosen for the
    // picture (at most the colour count) to keep the sum of ΔE2000 small; no thinning follows.
    bool faithful = false;
    // Floyd-Steinberg error diffusion in CIELAB while reading the stitches, in percent.
    int dither = 0;
    // After the palette step, every colour with fewer than mergeBelow stitches joins the nearest one.
    bool mergeRare = false;
    int mergeBelow = kMergeDefault;
    // After the palette step, every same-thread patch of at most cleanSize cells joins a neighbour.
    bool clean = false;
    int cleanSize = kCleanDefault;

    bool changesReading() const { return faithful || perceptual || dither != 0; }
    bool changesPalette() const { return mergeRare || clean; }
    bool operator==(const ColourOptions& o) const
    {
        return faithful == o.faithful && perceptual == o.perceptual && dither == o.dither && mergeRare == o.mergeRare
            && mergeBelow == o.mergeBelow && clean == o.clean && cleanSize == o.cleanSize;
    }
    bool operator!=(const ColourOptions& o) const { return !(*this == o); }
    // True when every value is one the options allow (dither a step, sizes within their limits).
    bool valid() const
    {
        bool step = false;
        for (int d : kDitherSteps)
            step = step || d == dither;
        return step && mergeBelow >= kMergeLeast && mergeBelow <= kMergeMost && cleanSize >= kCleanLeast
            && cleanSize <= kCleanMost;
    }
};
