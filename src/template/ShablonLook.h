#pragma once

// The looks of a template: how its cells, numbers, walls, arrows and outline are drawn. The
// template holds one record of each (with its defaults) and keeps them in style files.

#include "cellshape/KletkaForm.h"
#include "platform/ColorValue.h"

#include <array>
#include <cstdint>
#include <string>

// The largest length a style may give (cell sizes, pens, distances, in drawing units): a cell this
// large already makes a picture too large to export.
constexpr int32_t MaxStyleLength = 10000;

// A kind of cell: letter cells, the other cells, key-word cells.
struct TKletkaGraphics {
    bool NoPaint = false;      // cells of this look are not drawn
    bool NoFill = false;       // drawn without fill
    TColorValue BrushColor;
    TColorValue PenColor;
    bool ShowOutside = false;  // other cells only: every non-letter cell is drawn, not just inner blanks
    TKletkaForm Form;

    bool operator==(const TKletkaGraphics&) const = default;
};

// FontStyle bits of TDigitGraphics.
namespace FontStyle {
constexpr uint8_t Bold = 0x01;
constexpr uint8_t Italic = 0x02;
}  // namespace FontStyle

// Clue numbers (and key-word numbers).
struct TDigitGraphics {
    bool Hidden = false;
    TColorValue FontColor;
    std::string FontName;
    uint8_t FontSize = 0;    // points; drawn at round(FontSize * 3.58 * Scale) drawing units
    uint8_t FontStyle = 0;   // FontStyle bits
    int32_t DX = 0;          // from the aligned cell side, drawing units before Scale
    int32_t DY = 0;
    uint8_t AlignX = 0;      // 0 left, 1 right, 2 centre; anything else acts as 0
    uint8_t AlignY = 0;      // 0 top, 1 bottom, 2 middle; anything else acts as 0

    bool operator==(const TDigitGraphics&) const = default;
};

// Arrows of the kinds that draw them. Lengths are percent of a cell.
struct TStrelkaGraphics {
    bool Show = false;
    TColorValue Color;       // pen of the line arrows
    int32_t Width = 0;       // pen width of the line arrows
    uint8_t Len1 = 0;        // long stroke
    uint8_t Len2 = 0;        // short stroke
    uint8_t Len3 = 0;        // each barb of an arrow head
    uint8_t Len4 = 0;        // notch depth of an arrow head
    uint8_t Angle = 0;       // between a barb and the shaft, degrees
    std::string FileName;    // ini file naming one picture per arrow code; empty: line arrows
    bool PenInset = false;        // arrows in a word's first cell start half a PenWidth in
    bool PenInsetInside = false;  // the same inside the clue cell (not kept in style files)

    bool operator==(const TStrelkaGraphics&) const = default;
};

// Picture settings.
struct TAddishenGraphics {
    bool CanUnite = false;        // clue cells may unite into blocks
    bool CmykAdaptation = false;
    std::string BackgroundPicture;  // a file name, or "background" for the template's own picture

    bool operator==(const TAddishenGraphics&) const = default;
};

// The wide line around the letter area.
struct TWideOutline {
    bool Show = false;
    TColorValue Color;
    int32_t Width = 0;         // drawing units before Scale
    bool OutlineOnly = false;  // only the outside of the letter area, not around inner blanks

    bool operator==(const TWideOutline&) const = default;
};

// Where an arrow picture sits in its cell, percent of a cell.
struct TArrowOffset {
    int32_t X = 0;
    int32_t Y = 0;

    bool operator==(const TArrowOffset&) const = default;
};

// Offsets by arrow index 1..28 (entry 0 is unused and stays zero): 1..7 and 15..21 place the first
// (vertical) arrow, 8..14 and 22..28 the second (horizontal) arrow; 15..28 are the arrows drawn
// inside the clue cell.
constexpr int ArrowOffsetCount = 28;
using TArrowOffsets = std::array<TArrowOffset, ArrowOffsetCount + 1>;
