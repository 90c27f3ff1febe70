#pragma once

// A colour as the style files and the export items keep it: a 32-bit value and its model.
// Model 0: a Windows RGB colour 0x00BBGGRR (red in the low byte). Model 1: four ink amounts,
// cyan in bits 24..31, magenta 16..23, yellow 8..15, black 0..7.

#include <algorithm>
#include <cstdint>

enum class TColorModel : uint8_t {
    Rgb = 0,
    Cmyk = 1,
};

// Windows RGB(r, g, b).
constexpr uint32_t RGB(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(b & 0xFF) << 16;
}

struct TColorValue {
    uint32_t Value = 0;
    TColorModel Model = TColorModel::Rgb;

    // The Windows RGB colour this value shows on screen. A model other than 1 (only 0 and 1 are
    // valid; a file may hold anything) is taken as RGB.
    constexpr uint32_t ToRgb() const {
        if (Model != TColorModel::Cmyk) return Value & 0xFFFFFF;
        const int c = Value >> 24 & 0xFF, m = Value >> 16 & 0xFF, y = Value >> 8 & 0xFF, k = Value & 0xFF;
        return RGB(std::max(0, 255 - c - k), std::max(0, 255 - m - k), std::max(0, 255 - y - k));
    }

    bool operator==(const TColorValue&) const = default;
};

// The model a stored colour type names: 1 CMYK, anything else (only 0 and 1 are valid) RGB.
constexpr TColorModel ColorModelOf(int64_t type) {
    return type == 1 ? TColorModel::Cmyk : TColorModel::Rgb;
}

// An RGB colour value (model 0).
constexpr TColorValue RgbColor(uint32_t rgb) {
    return TColorValue{rgb, TColorModel::Rgb};
}

// The lightness of a colour as shown, 0 (black) to 255 (white).
constexpr int Lightness(TColorValue colour) {
    const uint32_t rgb = colour.ToRgb();
    return static_cast<int>((299 * (rgb & 0xFF) + 587 * (rgb >> 8 & 0xFF) + 114 * (rgb >> 16 & 0xFF)) / 1000);
}

// Text and ground this far apart in lightness read well together.
constexpr int ReadableLightnessGap = 100;

// The colour for text on a ground: wanted when it stands apart from the ground, else black on a
// light ground and white on a dark one.
constexpr TColorValue ContrastingColor(TColorValue wanted, TColorValue ground) {
    const int gap = Lightness(wanted) - Lightness(ground);
    if (gap >= ReadableLightnessGap || -gap >= ReadableLightnessGap) return wanted;
    return Lightness(ground) >= 128 ? RgbColor(0x000000) : RgbColor(0xFFFFFF);
}
