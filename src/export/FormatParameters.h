#pragma once

// TFormatParameters: how a text block is set (clue texts, grid letters, the sapper texts). A
// new record holds the engine's default format: "Arial Cyr" 10 in black, centred.

#include "platform/ColorValue.h"

#include <cstdint>
#include <string>

struct TFormatParameters {
    std::string FontName = "Arial Cyr";
    uint8_t FontSize = 10;      // points
    TColorValue FontColor;      // value and colour type
    bool Bold = false;
    bool Italic = false;
    uint8_t CharSet = 0;        // 0 Cyrillic, 1 ANSI, 2 and 3 the default set
    uint8_t FontWidth = 100;    // horizontal scale of the text, percent
    bool HFlag = true;          // words may be divided into syllables at line ends
    uint8_t SPercent = 100;     // the most characters a line may hold
    uint8_t Interline = 100;    // line pitch, percent of the line height
    bool Z = false;             // the text carries its own line breaks, marked "~"
    uint8_t CaseMode = 0;       // 0 as written, 1 upper case, 2 lower case
    uint8_t Alignment = 2;      // 2 centred
    uint8_t SpaceType = 0;
    int32_t SpaceSize = 10;

    bool operator==(const TFormatParameters&) const = default;
};
