// The crossword's style file sections: "RTF_PARAMETERS", "CROSSWORD_MAIN", "SKANWORD_OPR" (with
// clues in the grid only) and "SAPPER", after the template's own sections.

#include "Crossword.h"

#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/GlobalOption.h"

#include <type_traits>
#include <variant>
#include <vector>

namespace {

// Field kinds beside plain booleans, numbers and texts.
struct TSizeField {
    uint8_t* Size;  // points, 1 .. 255
};
struct TByteField {
    uint8_t* Value;  // 0 .. 255
};
struct TCenterField {
    uint8_t* Alignment;  // a boolean key kept as alignment 2 (centred) or 0
};
struct TColorField {
    TColorValue* Color;  // two keys: NAME the value, NAME_T the model
};
using TStyleField = std::variant<bool*, int32_t*, std::string*, TSizeField, TByteField, TCenterField, TColorField>;

// One key of a section: its field, and the value a present but malformed number gives.
struct TStyleKey {
    std::string Key;
    TStyleField Field;
    int32_t Malformed = 0;
};

struct TStyleSection {
    std::string Name;
    std::vector<TStyleKey> Keys;  // in the order they are written
};

// Reads the keys that the section holds; the others keep their fields. A number held to its
// field's range is noted in clamps.
void ReadSection(const TIniFile& ini, const TStyleSection& section, std::vector<TIniClamp>& clamps) {
    const auto present = [&](const std::string& key) { return ini.ValueExists(section.Name, key); };
    const auto number = [&](const std::string& key, int32_t malformed) {
        return ini.ReadInteger(section.Name, key, malformed);
    };
    const auto ranged = [&](const std::string& key, int32_t malformed, int32_t min, int32_t max) {
        return ReadIniInRange(ini, section.Name, key, malformed, min, max, clamps);
    };
    for (const TStyleKey& key : section.Keys) {
        const auto& name = key.Key;
        std::visit(
            [&](auto field) {
                using T = decltype(field);
                if constexpr (std::is_same_v<T, TColorField>) {
                    if (present(name)) field.Color->Value = static_cast<uint32_t>(number(name, key.Malformed));
                    if (present(name + "_T")) field.Color->Model = ReadIniColorModel(ini, section.Name, name + "_T", clamps);
                } else if (!present(name)) {
                    return;
                } else if constexpr (std::is_same_v<T, bool*>) {
                    *field = number(name, key.Malformed) != 0;
                } else if constexpr (std::is_same_v<T, int32_t*>) {
                    *field = number(name, key.Malformed);
                } else if constexpr (std::is_same_v<T, std::string*>) {
                    *field = ini.ReadString(section.Name, name, "");
                } else if constexpr (std::is_same_v<T, TSizeField>) {
                    *field.Size = ClampFontSize(ranged(name, key.Malformed, 1, 255));
                } else if constexpr (std::is_same_v<T, TByteField>) {
                    *field.Value = ClampByte(ranged(name, key.Malformed, 0, 255));
                } else if constexpr (std::is_same_v<T, TCenterField>) {
                    *field.Alignment = number(name, key.Malformed) != 0 ? 2 : 0;
                }
            },
            key.Field);
    }
}

// Writes every key of the section; false when one cannot be stored.
bool WriteSection(TIniFile& ini, const TStyleSection& section) {
    bool ok = true;
    const auto integer = [&](const std::string& key, int64_t value) {
        ok = ini.WriteInteger(section.Name, key, static_cast<int32_t>(value)) && ok;
    };
    for (const TStyleKey& key : section.Keys) {
        std::visit(
            [&](auto field) {
                using T = decltype(field);
                if constexpr (std::is_same_v<T, bool*>) {
                    ok = ini.WriteBool(section.Name, key.Key, *field) && ok;
                } else if constexpr (std::is_same_v<T, int32_t*>) {
                    integer(key.Key, *field);
                } else if constexpr (std::is_same_v<T, std::string*>) {
                    ok = ini.WriteString(section.Name, key.Key, *field) && ok;
                } else if constexpr (std::is_same_v<T, TSizeField>) {
                    integer(key.Key, *field.Size);
                } else if constexpr (std::is_same_v<T, TByteField>) {
                    integer(key.Key, *field.Value);
                } else if constexpr (std::is_same_v<T, TCenterField>) {
                    ok = ini.WriteBool(section.Name, key.Key, *field.Alignment == 2) && ok;
                } else if constexpr (std::is_same_v<T, TColorField>) {
                    integer(key.Key, static_cast<int32_t>(field.Color->Value));
                    integer(key.Key + "_T", static_cast<uint8_t>(field.Color->Model));
                }
            },
            key.Field);
    }
    return ok;
}

void AddTextStyle(TStyleSection& section, const std::string& n, TRTFParameters& style, bool malformedBold) {
    section.Keys.insert(section.Keys.end(), {
        {"FONT_NAME" + n, &style.FontName},
        {"FONT_SIZE" + n, TSizeField{&style.FontSize}, 8},
        {"BOLD" + n, &style.Bold, malformedBold},
        {"ITALIC" + n, &style.Italic, false},
        {"FONT_COLOR" + n, TColorField{&style.FontColor}, 0},
    });
}

// The sections of the crossword's looks, bound to its records, in the order they are written.
// Every look is read and written through this one table.
std::vector<TStyleSection> StyleSections(TCrossword& crossword) {
    std::vector<TStyleSection> sections;

    TStyleSection& text = sections.emplace_back(TStyleSection{"RTF_PARAMETERS", {}});
    AddTextStyle(text, "1", crossword.TextStyle1, false);
    AddTextStyle(text, "2", crossword.TextStyle2, true);

    TCrosswordChars& chars = crossword.Chars;
    sections.push_back({"CROSSWORD_MAIN", {
        {"NOPAINT", &chars.NoPaint, true},
        {"FONT_NAME", &chars.FontName},
        {"FONT_SIZE", TSizeField{&chars.FontSize}, 14},
        {"BOLD", &chars.Bold, false},
        {"ITALIC", &chars.Italic, false},
        {"FONT_COLOR", TColorField{&chars.FontColor}, 0xFF0000},
        {"CENTER", &chars.Center, true},
        {"DX", &chars.DX, 10},
        {"DY", &chars.DY, 10},
        {"FILL_EMPTY", &chars.FillEmpty, true},
        {"SHOW_FRAGMENTS", &chars.ShowFragments, true},
        {"FRAGMENTS_TYPE_SHOW", &chars.FragmentsTypeShow, 0},
    }});

    if (crossword.CluesInGrid == 1) {
        TOprText& opr = crossword.OprText;
        TFormatParameters& format = crossword.OprFormat;
        sections.push_back({"SKANWORD_OPR", {
            {"NO_PAINT", &opr.NoPaint, true},
            {"FONT_NAME", &format.FontName},
            {"FONT_SIZE", TSizeField{&format.FontSize}, 6},
            {"BOLD", &format.Bold, false},
            {"ITALIC", &format.Italic, false},
            {"FONT_COLOR", TColorField{&format.FontColor}, 0},
            {"CENTER", TCenterField{&format.Alignment}, true},
            {"EMPTY_OPR", &opr.EmptyOpr, false},
            {"EMPTY_OPR_FILE_NAME", &opr.EmptyOprFileName},
            {"LETTERS_OUT", &opr.LettersOut},
            {"OPR_SHOW_TYPE", &opr.OprShowType, 0},
            {"FONT_WIDTH", TByteField{&format.FontWidth}, 100},
            {"INTERLINE", TByteField{&format.Interline}, 100},
            {"SPACE_TYPE", TByteField{&format.SpaceType}, 0},
            {"SPACE_SIZE", &format.SpaceSize, 10},
        }});
    }

    TFormatParameters& sapper = crossword.SapperFormat;
    sections.push_back({"SAPPER", {
        {"FONT_NAME", &sapper.FontName},
        {"FONT_SIZE", TSizeField{&sapper.FontSize}, 6},
        {"BOLD", &sapper.Bold, false},
        {"ITALIC", &sapper.Italic, false},
        {"FONT_COLOR", TColorField{&sapper.FontColor}, 0},
        {"CENTER", TCenterField{&sapper.Alignment}, true},
        {"SHOW_PICTURE", &crossword.Sapper.ShowPicture, false},
        {"PICTURE_FILENAME", &crossword.Sapper.PictureFileName},
    }});
    return sections;
}

}  // namespace

bool TCrossword::LoadStyles(const std::string& path) {
    // The template reports its own failures.
    if (!Template->LoadStyle(path)) return false;
    const std::string found = FindOptionFile(path);
    const TIniFile ini(found);
    if (found.empty() || ini.Failed()) {
        TheUi().Message(Format("Ошибка чтения файла стилей %s"_cp, FromUtf8(path)));
        return false;
    }
    for (const TStyleSection& section : StyleSections(*this)) ReadSection(ini, section, Template->StyleClamps);
    return true;
}

bool TCrossword::SaveStyles(const std::string& path) {
    TIniFile ini(path);
    if (!ini.Failed() && WriteStyles(ini) && ini.UpdateFile()) return true;
    TheUi().Message(Format("Ошибка записи файла стилей %s"_cp, FromUtf8(path)));
    return false;
}

bool TCrossword::WriteStyles(TIniFile& ini) {
    bool ok = Template->WriteStyle(ini);
    for (const TStyleSection& section : StyleSections(*this)) ok = WriteSection(ini, section) && ok;
    return ok;
}

void TCrossword::CopyStyles(const TCrossword& other) {
    TShablon& to = *Template;
    const TShablon& from = *other.Template;
    to.CellSize = from.CellSize;
    to.Scale = from.Scale;
    to.PenWidth = from.PenWidth;
    to.LetterCellLook = from.LetterCellLook;
    to.BlankCellLook = from.BlankCellLook;
    to.KeyWordCellLook = from.KeyWordCellLook;
    to.DigitLook = from.DigitLook;
    to.KeyWordDigitLook = from.KeyWordDigitLook;
    to.WallScale = from.WallScale;
    to.WallColor = from.WallColor;
    to.ArrowOffsets = from.ArrowOffsets;
    to.ScriptArrowOffsets = from.ScriptArrowOffsets;
    to.WideOutline = from.WideOutline;
    to.ShowKeyWordTable = from.ShowKeyWordTable;
    to.BeginNumber = from.BeginNumber;
    to.CanUnite = from.CanUnite;
    to.CmykAdaptation = from.CmykAdaptation;
    to.BackgroundPicture = from.BackgroundPicture;
    to.SetArrowLook(from.ArrowLook);

    Chars = other.Chars;
    OprText = other.OprText;
    OprFormat = other.OprFormat;
    SapperFormat = other.SapperFormat;
    TextStyle1 = other.TextStyle1;
    TextStyle2 = other.TextStyle2;
    Sapper = other.Sapper;
    Output = other.Output;
    GivenLetters = other.GivenLetters;
    GivenWords = other.GivenWords;
    LetterCounts = other.LetterCounts;
}
