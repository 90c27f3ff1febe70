#pragma once

// The crossword's own looks and output settings, besides its template's: the grid letters, the
// clue texts printed inside clue cells, the two text styles of the clue lists, the sapper
// addition, and what the clue lists and the export modes print. Style files keep the looks.

#include "export/FormatParameters.h"
#include "platform/ColorValue.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <string>

// The grid letters.
struct TCrosswordChars {
    bool NoPaint = false;
    std::string FontName = "Arial Cyr";
    uint8_t FontSize = 16;  // points
    bool Bold = true;
    bool Italic = false;
    TColorValue FontColor = RgbColor(0xFF0000);
    bool Center = true;
    int32_t DX = 0;
    int32_t DY = 0;
    bool FillEmpty = false;        // empty letter cells get a random letter in the export
    bool ShowFragments = true;
    int32_t FragmentsTypeShow = 0;
    bool CapitalLetters = true;    // letters and labels are upper-cased before export

    bool operator==(const TCrosswordChars&) const = default;
};

// How clue texts are laid out in clue cells; their font is the crossword's clue format.
struct TOprText {
    bool NoPaint = false;
    bool EmptyOpr = true;          // clue cells without a definition show the pictures below
    std::string EmptyOprFileName;  // those pictures' names, separated by "|"
    std::string LettersOut{"аяеиоуюэюё"_cp};  // a letter set of the clue layout
    int32_t OprShowType = 0;

    bool operator==(const TOprText&) const = default;
};

// One text style of the clue lists: style 1 for "~#1" texts, style 2 for "~#2" texts.
struct TRTFParameters {
    std::string FontName = "Arial Cyr";
    uint8_t FontSize = 8;  // points
    bool Bold = false;
    bool Italic = false;
    TColorValue FontColor;

    bool operator==(const TRTFParameters&) const = default;
};

// The sapper addition's picture; its texts take the crossword's sapper format.
struct TAddishenSapperParameters {
    bool ShowPicture = false;
    std::string PictureFileName;

    bool operator==(const TAddishenSapperParameters&) const = default;
};

// The "~#2" style a crossword starts with: bold.
inline TRTFParameters DefaultEmphasisStyle() {
    TRTFParameters style;
    style.Bold = true;
    return style;
}

// Alphabets of the row and column labels of the grouped clue list and the Italian export.
namespace LabelAlphabet {
constexpr uint8_t Cyrillic = 0;
constexpr uint8_t Latin = 1;
constexpr uint8_t Digits = 2;
}  // namespace LabelAlphabet

// The label of row or column number n (from 1): decimal digits, or letters counted like
// spreadsheet columns, so that every number has its own label and labels keep the numbers' order.
std::string LabelText(int n, uint8_t alphabet);

// What the clue lists and the export modes print besides the looks.
struct TCrosswordOutput {
    uint8_t RowLabels = LabelAlphabet::Latin;
    uint8_t ColumnLabels = LabelAlphabet::Digits;
    TColorValue MarkerColor;        // fill of the marked-word markers
    uint8_t HintMarkerCount = 0;    // hint markers of the Italian export
    bool ShuffleNumbers = false;    // the codeword numbering shuffles the letters' numbers

    bool operator==(const TCrosswordOutput&) const = default;
};

// The clue text format a crossword starts with: the default format at 7 points.
inline TFormatParameters DefaultOprFormat() {
    TFormatParameters format;
    format.FontSize = 7;
    return format;
}

// The sapper format a crossword starts with: red bold 10 points, no syllable division.
inline TFormatParameters DefaultSapperFormat() {
    TFormatParameters format;
    format.FontColor = RgbColor(255);
    format.Bold = true;
    format.HFlag = false;
    format.SpaceSize = 0;
    return format;
}

// The bounds of the byte fields of a format read from a file, a style or markup: sizes of 1 to
// 255 points (0 would be the canvas's default size), percentages and counts clamped to a byte,
// colour types other than 0 and 1 taken as 0.
constexpr uint8_t ClampFontSize(int64_t size) {
    return static_cast<uint8_t>(std::clamp<int64_t>(size, 1, 255));
}
constexpr uint8_t ClampByte(int64_t value) {
    return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
}
