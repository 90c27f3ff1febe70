#pragma once

// What the template's picture and its working view share: the files a drawing reads and the
// rounding of the drawing formulas.

#include "platform/Picture.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The nearest integer, halves to the even neighbour, held to the int range. Values are first
// taken to millionths, so that a half the formula means exactly (sin 30 x 15 = 7.5) is not lost
// to the last bit of a floating-point result.
inline int RoundEven(double value) {
    constexpr double Grain = 1e6;
    const double snapped = std::round(value * Grain) / Grain;
    return static_cast<int>(std::clamp(std::nearbyint(snapped), double{INT_MIN}, double{INT_MAX}));
}

// The picture and outline-script files one drawing reads, each read once however many cells
// use it.
class TDrawingFiles {
public:
    // The picture in the file (by its extension); null when there is none.
    std::shared_ptr<const TPicture> Picture(const std::string& path);
    // The lines of the outline script file; empty when there is none.
    const std::vector<std::string>& Script(const std::string& path);

private:
    std::map<std::string, std::shared_ptr<const TPicture>> mPictures;
    std::map<std::string, std::vector<std::string>> mScripts;
};
