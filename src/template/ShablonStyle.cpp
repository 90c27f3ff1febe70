// Style files: the template's looks in the sections SHABLON_MAIN, WIDE_ABRIS, KEYWORD,
// SHABLON_DIGITS, SHABLON_STENKI and SHABLON_STRELKI, and the arrow offsets.

#include "GlobalOption.h"
#include "Shablon.h"

#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

namespace {

constexpr const char* MainSection = "SHABLON_MAIN";
constexpr const char* WideOutlineSection = "WIDE_ABRIS";
constexpr const char* KeyWordSection = "KEYWORD";
constexpr const char* DigitsSection = "SHABLON_DIGITS";
constexpr const char* WallsSection = "SHABLON_STENKI";
constexpr const char* ArrowsSection = "SHABLON_STRELKI";

// The ranges of the looks' numbers beside MaxStyleLength.
constexpr int32_t LastAlignment = 2;          // left (top), right (bottom), centre
constexpr int32_t MaxWallScaleTenths = 1000;  // walls a hundred pens wide
// The arrows are drawn in a box of 100 units, the lengths in percent of a cell: a pen or a
// stroke beyond it would only smear the cell (a huge pen takes minutes to stroke).
constexpr int32_t ArrowBoxPercent = 100;
constexpr int32_t MaxArrowAngle = 180;

// Keys of the arrow offsets by index 1..28 (entry 0 unused).
constexpr std::array<const char*, ArrowOffsetCount + 1> ArrowOffsetKeys = {
    "",
    "DOWN", "DOWNRIGHT_DOWN", "RIGHT_DOWN", "UPRIGHT_DOWN", "UPLEFT_DOWN", "LEFT_DOWN", "DOWNLEFT_DOWN",
    "DOWN_RIGHT", "DOWNRIGHT_RIGHT", "RIGHT", "UPRIGHT_RIGHT", "UPLEFT_RIGHT", "UP_RIGHT", "DOWNLEFT_RIGHT",
    "INDOWN_DOWN", "INDOWN_DOWNRIGHT", "INDOWN_RIGHT", "INDOWN_UPRIGHT", "INDOWN_UPLEFT", "INDOWN_LEFT",
    "INDOWN_DOWNLEFT",
    "INRIGHT_DOWN", "INRIGHT_DOWNRIGHT", "INRIGHT_RIGHT", "INRIGHT_UPRIGHT", "INRIGHT_UP", "INRIGHT_UPLEFT",
    "INRIGHT_DOWNLEFT",
};

// Reads the keys of one section: a key that is there replaces its field, taking the given
// malformed value when it is not a whole number; a key that is not there leaves the field alone.
// A number outside what its field holds is held to the field's range and noted in clamps.
class TSectionReader {
public:
    TSectionReader(const TIniFile& ini, std::string section, std::vector<TIniClamp>& clamps)
        : mIni(ini), mSection(std::move(section)), mClamps(clamps) {}

    // A number of any value (a colour).
    void Int(const std::string& key, int32_t& field, int32_t malformed) const {
        if (mIni.ValueExists(mSection, key)) field = mIni.ReadInteger(mSection, key, malformed);
    }
    template <typename Field>
    void Ranged(const std::string& key, Field& field, int32_t malformed, int32_t min, int32_t max) const {
        if (mIni.ValueExists(mSection, key))
            field = static_cast<Field>(ReadIniInRange(mIni, mSection, key, malformed, min, max, mClamps));
    }
    template <typename Small>
    void Byte(const std::string& key, Small& field, int32_t malformed, int32_t min = 0, int32_t max = 255) const {
        uint8_t value = static_cast<uint8_t>(field);
        Ranged(key, value, malformed, min, max);
        field = static_cast<Small>(value);
    }
    void Bool(const std::string& key, bool& field, bool malformed) const {
        int32_t value = field ? 1 : 0;
        Int(key, value, malformed ? 1 : 0);
        field = value != 0;
    }
    void Bit(const std::string& key, uint8_t& bits, uint8_t bit, bool malformed) const {
        bool on = (bits & bit) != 0;
        Bool(key, on, malformed);
        bits = static_cast<uint8_t>(on ? bits | bit : bits & ~bit);
    }
    // A number kept in tenths.
    void Tenths(const std::string& key, float& field, int32_t malformed, int32_t min, int32_t max) const {
        if (mIni.ValueExists(mSection, key))
            field = static_cast<float>(ReadIniInRange(mIni, mSection, key, malformed, min, max, mClamps)) / 10;
    }
    void String(const std::string& key, std::string& field) const {
        if (mIni.ValueExists(mSection, key)) field = mIni.ReadString(mSection, key, "");
    }
    // A cell form is read whole: its absent keys take the form's defaults.
    void Form(const std::string& prefix, TKletkaForm& form) const { ReadCellForm(mIni, mSection, prefix, form, mClamps); }
    // NAME holds the value, NAME_T the model (0 or 1).
    void Color(const std::string& key, TColorValue& color, uint32_t malformed) const {
        int32_t value = static_cast<int32_t>(color.Value);
        Int(key, value, static_cast<int32_t>(malformed));
        color.Value = static_cast<uint32_t>(value);
        if (mIni.ValueExists(mSection, key + "_T")) color.Model = ReadIniColorModel(mIni, mSection, key + "_T", mClamps);
    }

private:
    const TIniFile& mIni;
    std::string mSection;
    std::vector<TIniClamp>& mClamps;
};

// Writes keys in the order asked; clears ok when one cannot be stored.
class TSectionWriter {
public:
    TSectionWriter(TIniFile& ini, std::string section, bool& ok) : mIni(ini), mSection(std::move(section)), mOk(ok) {}

    void Int(const std::string& key, int32_t value) { mOk = mIni.WriteInteger(mSection, key, value) && mOk; }
    void Bool(const std::string& key, bool value) { Int(key, value ? 1 : 0); }
    void String(const std::string& key, const std::string& value) { mOk = mIni.WriteString(mSection, key, value) && mOk; }
    void ColorValue(const std::string& key, const TColorValue& color) { Int(key, static_cast<int32_t>(color.Value)); }
    void ColorModel(const std::string& key, const TColorValue& color) { Int(key + "_T", static_cast<uint8_t>(color.Model)); }
    void Color(const std::string& key, const TColorValue& color) {
        ColorValue(key, color);
        ColorModel(key, color);
    }
    void Form(const std::string& prefix, const TKletkaForm& form) {
        mOk = WriteCellForm(mIni, mSection, prefix, form) && mOk;
    }

private:
    TIniFile& mIni;
    std::string mSection;
    bool& mOk;
};

// The malformed values of the number keys, which differ between SHABLON_DIGITS and KEYWORD.
struct TDigitDefaults {
    bool Visible;
    int32_t FontSize;
    bool Bold;
};
constexpr TDigitDefaults DigitsDefaults{false, 12, true};
constexpr TDigitDefaults KeyWordDigitDefaults{true, 10, false};

void ReadDigitLook(const TSectionReader& reader, TDigitGraphics& look, const TDigitDefaults& malformed) {
    bool visible = !look.Hidden;
    reader.Bool("VISIBLE", visible, malformed.Visible);
    look.Hidden = !visible;
    reader.String("FONT_NAME", look.FontName);
    reader.Byte("FONT_SIZE", look.FontSize, malformed.FontSize, 1, 255);
    reader.Bit("FONT_BOLD", look.FontStyle, FontStyle::Bold, malformed.Bold);
    reader.Bit("FONT_ITALIC", look.FontStyle, FontStyle::Italic, false);
    reader.Color("FONT_COLOR", look.FontColor, 255);
    reader.Byte("ALIGN_X", look.AlignX, 0, 0, LastAlignment);
    reader.Byte("ALIGN_Y", look.AlignY, 0, 0, LastAlignment);
    reader.Ranged("DX", look.DX, 10, -MaxStyleLength, MaxStyleLength);
    reader.Ranged("DY", look.DY, 10, -MaxStyleLength, MaxStyleLength);
}

void WriteDigitLook(TSectionWriter& writer, const TDigitGraphics& look) {
    writer.Bool("VISIBLE", !look.Hidden);
    writer.String("FONT_NAME", look.FontName);
    writer.Int("FONT_SIZE", look.FontSize);
    writer.Bool("FONT_BOLD", look.FontStyle & FontStyle::Bold);
    writer.Bool("FONT_ITALIC", look.FontStyle & FontStyle::Italic);
    writer.Color("FONT_COLOR", look.FontColor);
    writer.Int("ALIGN_X", look.AlignX);
    writer.Int("ALIGN_Y", look.AlignY);
    writer.Int("DX", look.DX);
    writer.Int("DY", look.DY);
}

// The cell look of SHABLON_MAIN: keys prefix + NOFILL, BRUSH_COLOR ... and the form under formPrefix.
void ReadMainCellLook(const TSectionReader& reader, const std::string& prefix, const std::string& formPrefix,
                      TKletkaGraphics& look, uint32_t malformedBrush) {
    reader.Bool(prefix + "NOFILL", look.NoFill, false);
    reader.Color(prefix + "BRUSH_COLOR", look.BrushColor, malformedBrush);
    reader.Color(prefix + "PEN_COLOR", look.PenColor, 0);
    reader.Form(formPrefix, look.Form);
}

// The two colour values come before their two models.
void WriteMainCellColors(TSectionWriter& writer, const std::string& prefix, const TKletkaGraphics& look) {
    writer.ColorValue(prefix + "BRUSH_COLOR", look.BrushColor);
    writer.ColorValue(prefix + "PEN_COLOR", look.PenColor);
    writer.ColorModel(prefix + "BRUSH_COLOR", look.BrushColor);
    writer.ColorModel(prefix + "PEN_COLOR", look.PenColor);
}

void ReadPictureSettings(const TSectionReader& reader, TAddishenGraphics& pictures) {
    reader.Bool("CMYK_ADAPTATION", pictures.CmykAdaptation, true);
    reader.Bool("CAN_UNITE", pictures.CanUnite, false);
    reader.String("BACKGROUND_PICTURE", pictures.BackgroundPicture);
}

void WritePictureSettings(TSectionWriter& writer, const TAddishenGraphics& pictures) {
    writer.Bool("CAN_UNITE", pictures.CanUnite);
    writer.Bool("CMYK_ADAPTATION", pictures.CmykAdaptation);
    writer.String("BACKGROUND_PICTURE", pictures.BackgroundPicture);
}

// round(WallScale * 10) within 32 bits.
int32_t StoredWallScale(float wallScale) {
    const double tenths = std::nearbyint(static_cast<double>(wallScale) * 10);
    if (std::isnan(tenths)) return 0;
    return static_cast<int32_t>(std::clamp<double>(tenths, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

void ReadOffsets(const std::string& fileName, const std::string& prefix, TArrowOffsets& offsets) {
    offsets = TArrowOffsets{};
    const TIniFile ini(fileName);
    for (int i = 1; i <= ArrowOffsetCount; ++i) {
        offsets[i].X = ini.ReadInteger("OFFSET_X", prefix + ArrowOffsetKeys[i], 0);
        offsets[i].Y = ini.ReadInteger("OFFSET_Y", prefix + ArrowOffsetKeys[i], 0);
    }
}

}  // namespace

bool TShablon::LoadStyle(const std::string& fileName) {
    StyleClamps.clear();
    const std::string path = FindOptionFile(fileName);
    const TIniFile ini(path);
    if (path.empty() || ini.Failed()) {
        TheUi().Message(Format("Ошибка чтения файла стилей %s"_cp, FromUtf8(fileName)));
        return false;
    }
    StyleFolder = std::filesystem::path(path).parent_path().string();
    BeginDrawing();

    const TSectionReader main(ini, MainSection, StyleClamps);
    main.Ranged("WIDTH", CellSize, 100, 1, MaxStyleLength);
    main.Byte("SCALE", Scale, 1, 1, 255);
    main.Ranged("PEN_WIDTH", PenWidth, 7, 0, MaxStyleLength);
    ReadMainCellLook(main, "CHARKLETKA_", "CHAR_", LetterCellLook, 0xFFFFFF);
    main.Bool("NOT_CHARKLETKA_NOPAINT", BlankCellLook.NoPaint, true);
    ReadMainCellLook(main, "NOT_CHARKLETKA_", "NOT_CHAR_", BlankCellLook, 0);
    main.Bool("SHOW_OUTSIDE", BlankCellLook.ShowOutside, false);
    TAddishenGraphics pictures{CanUnite, CmykAdaptation, BackgroundPicture};
    ReadPictureSettings(main, pictures);
    CanUnite = pictures.CanUnite;
    CmykAdaptation = pictures.CmykAdaptation;
    BackgroundPicture = pictures.BackgroundPicture;

    const TSectionReader wide(ini, WideOutlineSection, StyleClamps);
    wide.Bool("SHOW", WideOutline.Show, false);
    wide.Ranged("WIDTH", WideOutline.Width, 20, 0, MaxStyleLength);
    wide.Color("COLOR", WideOutline.Color, 0xC0C0C0);
    wide.Bool("OUTLINE_ONLY", WideOutline.OutlineOnly, true);

    const TSectionReader keyWord(ini, KeyWordSection, StyleClamps);
    keyWord.Bool("NOPAINT", KeyWordCellLook.NoPaint, true);
    keyWord.Bool("NOFILL", KeyWordCellLook.NoFill, false);
    keyWord.Color("BRUSH_COLOR", KeyWordCellLook.BrushColor, 0);
    keyWord.Color("PEN_COLOR", KeyWordCellLook.PenColor, 0);
    keyWord.Form("FORM_", KeyWordCellLook.Form);
    ReadDigitLook(keyWord, KeyWordDigitLook, KeyWordDigitDefaults);
    // These two are read whether there or not: a style without them resets them.
    ShowKeyWordTable = ini.ReadBool(KeyWordSection, "SHOWTABLE", true);
    BeginNumber = static_cast<uint16_t>(
        ReadIniInRange(ini, KeyWordSection, "BEGIN_NUMBER", 1, 0, UINT16_MAX, StyleClamps));

    if (UsesDigits) ReadDigitLook(TSectionReader(ini, DigitsSection, StyleClamps), DigitLook, DigitsDefaults);
    if (UsesWalls) {
        const TSectionReader walls(ini, WallsSection, StyleClamps);
        walls.Tenths("SCALE", WallScale, 20, 0, MaxWallScaleTenths);
        walls.Color("COLOR", WallColor, 0);
    }
    if (UsesArrows) {
        const TSectionReader arrows(ini, ArrowsSection, StyleClamps);
        TStrelkaGraphics look = ArrowLook;
        arrows.Bool("SHOW_STRELKS", look.Show, true);
        arrows.Color("COLOR", look.Color, 0x8000);
        arrows.Ranged("WIDTH", look.Width, 10, 0, ArrowBoxPercent);
        arrows.Byte("LEN1", look.Len1, 40, 0, ArrowBoxPercent);
        arrows.Byte("LEN2", look.Len2, 20, 0, ArrowBoxPercent);
        arrows.Byte("LEN3", look.Len3, 15, 0, ArrowBoxPercent);
        arrows.Byte("LEN4", look.Len4, 5, 0, ArrowBoxPercent);
        arrows.Byte("ANGLE", look.Angle, 30, 0, MaxArrowAngle);
        arrows.String("FILENAME", look.FileName);
        SetArrowLook(look);
    }
    return true;
}

bool TShablon::SaveStyle(const std::string& fileName) {
    // The other sections of the file (the crossword's) stay as they are; the file is replaced
    // whole, so a failed save leaves the old one.
    TIniFile ini(fileName);
    if (!ini.Failed() && WriteStyle(ini) && ini.UpdateFile()) return true;
    TheUi().Message(Format("Ошибка записи файла стилей %s"_cp, FromUtf8(fileName)));
    return false;
}

bool TShablon::WriteStyle(TIniFile& ini) {
    bool ok = true;

    TSectionWriter main(ini, MainSection, ok);
    main.Int("WIDTH", CellSize);
    main.Int("SCALE", Scale);
    main.Int("PEN_WIDTH", PenWidth);
    main.Bool("CHARKLETKA_NOFILL", LetterCellLook.NoFill);
    WriteMainCellColors(main, "CHARKLETKA_", LetterCellLook);
    main.Form("CHAR_", LetterCellLook.Form);
    main.Bool("NOT_CHARKLETKA_NOPAINT", BlankCellLook.NoPaint);
    main.Bool("NOT_CHARKLETKA_NOFILL", BlankCellLook.NoFill);
    WriteMainCellColors(main, "NOT_CHARKLETKA_", BlankCellLook);
    main.Bool("SHOW_OUTSIDE", BlankCellLook.ShowOutside);
    main.Form("NOT_CHAR_", BlankCellLook.Form);
    WritePictureSettings(main, TAddishenGraphics{CanUnite, CmykAdaptation, BackgroundPicture});

    TSectionWriter wide(ini, WideOutlineSection, ok);
    wide.Bool("SHOW", WideOutline.Show);
    wide.Int("WIDTH", WideOutline.Width);
    wide.Color("COLOR", WideOutline.Color);
    wide.Bool("OUTLINE_ONLY", WideOutline.OutlineOnly);

    TSectionWriter keyWord(ini, KeyWordSection, ok);
    keyWord.Bool("NOPAINT", KeyWordCellLook.NoPaint);
    keyWord.Bool("NOFILL", KeyWordCellLook.NoFill);
    keyWord.Color("BRUSH_COLOR", KeyWordCellLook.BrushColor);
    keyWord.Color("PEN_COLOR", KeyWordCellLook.PenColor);
    keyWord.Form("FORM_", KeyWordCellLook.Form);
    WriteDigitLook(keyWord, KeyWordDigitLook);
    keyWord.Bool("SHOWTABLE", ShowKeyWordTable);
    keyWord.Int("BEGIN_NUMBER", BeginNumber);

    if (UsesDigits) {
        TSectionWriter digits(ini, DigitsSection, ok);
        WriteDigitLook(digits, DigitLook);
    }
    if (UsesWalls) {
        TSectionWriter walls(ini, WallsSection, ok);
        walls.Int("SCALE", StoredWallScale(WallScale));
        walls.Color("COLOR", WallColor);
    }
    if (UsesArrows) {
        TSectionWriter arrows(ini, ArrowsSection, ok);
        arrows.Bool("SHOW_STRELKS", ArrowLook.Show);
        arrows.Color("COLOR", ArrowLook.Color);
        arrows.Int("WIDTH", ArrowLook.Width);
        arrows.Int("LEN1", ArrowLook.Len1);
        arrows.Int("LEN2", ArrowLook.Len2);
        arrows.Int("LEN3", ArrowLook.Len3);
        arrows.Int("LEN4", ArrowLook.Len4);
        arrows.Int("ANGLE", ArrowLook.Angle);
        arrows.String("FILENAME", ArrowLook.FileName);
    }
    return ok;
}

void TShablon::ReadArrowOffsets(const std::string& fileName) {
    ReadOffsets(fileName, "", ArrowOffsets);
}

void TShablon::ReadScriptArrowOffsets(const std::string& fileName) {
    ReadOffsets(fileName, "CDR_", ScriptArrowOffsets);
}

void TShablon::SetArrowLook(const TStrelkaGraphics& look) {
    ArrowLook = look;
    LoadArrowPictures();
}

void TShablon::ListPictureFiles(std::vector<std::string>& files) const {
    files.clear();
    if (!BackgroundPicture.empty()) files.push_back(BackgroundPicture);
    for (const TKletkaGraphics* look : {&LetterCellLook, &BlankCellLook, &KeyWordCellLook})
        if (look->Form.ImportType == TKletkaImport::Picture && !look->Form.File1.empty()) files.push_back(look->Form.File1);
}
