#pragma once

// The answer lines of the fill-word and the knight path: one line through the centres of a
// word's cells, in the style "STRIKE_OUT", with its look kept in the style section
// "FILLWORD_STRIKEOUT".

#include "crossword/Crossword.h"
#include "platform/ColorValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TComExport;
class TCommandWriter;

struct TStrikeOutLook {
    bool ShowLine = false;
    int32_t Width = 4;
    TColorValue Color{0xFF0000, TColorModel::Rgb};

    bool operator==(const TStrikeOutLook&) const = default;
};

// The export style of the lines.
constexpr std::string_view StrikeOutStyle = "STRIKE_OUT";

// The kinds that draw answer lines carry their look here, so that copying styles between them
// takes it along.
class TStrikeOutOwner {
public:
    virtual ~TStrikeOutOwner() = default;
    TStrikeOutLook StrikeOut;
};

// Reads the keys the section holds from the style file (found as the template finds it), a width
// or model held to its range noted in clamps; false, with "Ошибка чтения файла стилей %s", when
// there is none.
bool LoadStrikeOutLook(const std::string& path, TStrikeOutLook& look, std::vector<TIniClamp>& clamps);
// Sets the section's keys in a style file's text; false when a value cannot be set.
bool WriteStrikeOutLook(TIniFile& ini, const TStrikeOutLook& look);
// The look as the text a crossword file keeps for it ("SHOW_LINE=1 WIDTH=4 COLOR=255 COLOR_T=0"),
// and that text read back; false, the look unchanged, for a text that is not one.
std::string StrikeOutLookText(const TStrikeOutLook& look);
bool ReadStrikeOutLookText(std::string_view text, TStrikeOutLook& look);
// Takes other's look when other draws answer lines too.
void CopyStrikeOutLook(const TCrossword& other, TStrikeOutLook& look);
// One polyline item per slot through the centres of its cells, placed as the crossword's export
// places the cells.
void AddStrikeOutLines(const TCrossword& crossword, const std::vector<int>& slots, const TStrikeOutLook& look,
                       TComExport& list);
// Defines the line style: the look's width and colour, no fill.
void DefineStrikeOutStyle(TCommandWriter& writer, const TShablon& shablon, const TStrikeOutLook& look);
