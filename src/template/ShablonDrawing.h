#pragma once

// What the template's picture and its working view share: the files a drawing reads and the
// rounding of the drawing formulas.

#include "Shablon.h"

#include "platform/Canvas.h"
#include "platform/Picture.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The nearest integer, halves to the even neighbour, held to the int range. Values are first
// taken to millionths, so that a half the formula means exactly (sin 30 x 15 = 7.5) is not lost
// to the last bit of a floating-point result.
inline int RoundEven(double value) {
    constexpr double Grain = 1e6;
    const double snapped = std::round(value * Grain) / Grain;
    return static_cast<int>(std::clamp(std::nearbyint(snapped), double{INT_MIN}, double{INT_MAX}));
}

// The working views' colours, the square view's and those of the kinds that draw their own cells.
namespace ViewLook {
constexpr TColor WindowColor = RGB(240, 240, 240);
constexpr TColor White = RGB(255, 255, 255);
constexpr TColor Black = RGB(0, 0, 0);
constexpr TColor Red = RGB(255, 0, 0);
constexpr TColor Yellow = RGB(255, 255, 0);
constexpr TColor Blue = RGB(0, 0, 255);
constexpr TColor Navy = RGB(0, 0, 128);
constexpr TColor Silver = RGB(192, 192, 192);
constexpr TColor UpperMark = RGB(144, 144, 0);
}  // namespace ViewLook

// Whether a working view shows a cell's defect marks as its lower (red) or its upper square,
// given the marks it is asked to show; two marks show whatever it is asked.
inline bool ShowsLowerMark(uint16_t marks, uint16_t shown) {
    return (marks & 0x1E66 & shown) != 0 || (marks & 0x1000) != 0;
}
inline bool ShowsUpperMark(uint16_t marks, uint16_t shown) {
    return (marks & 0x0199 & shown) != 0 || (marks & 0x2000) != 0;
}

// The look of a cell kind (CellKind); null for any other value.
inline const TKletkaGraphics* CellKindLook(const TShablon& shablon, int cellKind) {
    switch (cellKind) {
        case CellKind::Letter: return &shablon.LetterCellLook;
        case CellKind::Other: return &shablon.BlankCellLook;
        case CellKind::KeyWord: return &shablon.KeyWordCellLook;
        default: return nullptr;
    }
}

// The vector-editor style of a cell kind.
inline std::string_view CellKindStyle(int cellKind) {
    switch (cellKind) {
        case CellKind::Letter: return "CHAR_POLE";
        case CellKind::Other: return "NOT_CHAR_POLE";
        default: return "KEY_WORD_POLE";
    }
}

// The corners of the marker shape of base form code 0, 2, 3 or 4 in a g x h cell, as offsets
// from its top-left corner with y downward; none for any other code (1 is a circle).
inline std::vector<std::pair<int64_t, int64_t>> ShapedCellCorners(int form, int64_t g, int64_t h) {
    switch (form) {
        case 0: return {{0, h / 2}, {g / 2, 0}, {g, h / 2}, {g / 2, h}};
        case 2: return {{g / 4, h / 2 + h / 4}, {g / 2, 0}, {g, h / 2}};
        case 3:
            return {{g / 4, h / 4},         {g / 2 + g / 8, h / 8},     {g - g / 8, h / 2 - h / 8},
                    {g - g / 4, h - h / 4}, {g / 2 - g / 8, h - h / 8}, {g / 8, h / 2 + h / 8}};
        case 4: {
            const int64_t l = g / 7;
            return {{l, h / 2 - l},     {g / 2 - l, l},     {g / 2 + l, l},     {g - l, h / 2 - l},
                    {g - l, l + h / 2}, {g / 2 + l, h - l}, {g / 2 - l, h - l}, {l, l + h / 2}};
        }
        default: return {};
    }
}

// The picture and outline-script files one drawing reads, each read once however many cells
// use it.
class TDrawingFiles {
public:
    // Relative names are looked for in folder first (the style file's), then as they stand.
    explicit TDrawingFiles(std::string folder) : mFolder(std::move(folder)) {}

    // The picture in the file (by its extension); null when there is none.
    std::shared_ptr<const TPicture> Picture(const std::string& path);
    // The lines of the outline script file; empty when there is none.
    const std::vector<std::string>& Script(const std::string& path);

private:
    std::string mFolder;
    std::map<std::string, std::shared_ptr<const TPicture>> mPictures;
    std::map<std::string, std::vector<std::string>> mScripts;
};
