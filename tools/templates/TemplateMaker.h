#pragma once

// TTemplateMaker: makes candidate shapes for game templates of one size, deterministically
// from a seed. A candidate is a lattice: across slots on a set of rows and down slots on a set
// of columns, two or three cells apart, so that about half the letters of a word are shared
// with crossing words; long lines are then cut into words by blocks, some of them where two
// lines cross. Every candidate keeps the rules of GridShape.h.

#include "GridShape.h"

#include <cstdint>
#include <random>
#include <vector>

class TTemplateMaker {
public:
    TTemplateMaker(int width, int height, uint32_t seed);

    // The next candidate.
    TGridShape Next();

private:
    int Random(int n) { return static_cast<int>(mRandom() % static_cast<uint32_t>(n)); }
    // A random set of line positions 0 .. n - 1: two or three apart, symmetric about the middle.
    std::vector<int> LineSet(int n);
    // Cuts runs of the line (x0, y0) + i * (dx, dy) longer than maxLength with blocks.
    void CutLine(TGridShape& shape, int x0, int y0, int dx, int dy, int maxLength, int extraCuts);
    // Puts a block at (x, y) and its partner unless that leaves a slot shorter than the cuts
    // allow or a letter cell in no slot.
    bool TryBlock(TGridShape& shape, int x, int y);

    int mWidth;
    int mHeight;
    std::mt19937 mRandom;
};
