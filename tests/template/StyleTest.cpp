#include "../platform/ScratchFolder.h"

#include "platform/IniFile.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"
#include "template/GlobalOption.h"
#include "platform/FileText.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A classic template that also keeps walls and arrows, and counts the arrow reloads.
class StyledShablon : public TClassicShablon {
public:
    StyledShablon(bool walls = true, bool arrows = true) : TClassicShablon(5, 5) {
        UsesWalls = walls;
        UsesArrows = arrows;
    }
    void LoadArrowPictures() override { ++ArrowReloads; }
    int ArrowReloads = 0;
};

TKletkaForm SomeForm(int seed) {
    TKletkaForm form;
    form.ImportType = static_cast<TKletkaImport>(seed % 3);
    form.Form = static_cast<uint8_t>(seed);
    form.Param1 = seed + 1;
    form.Param2 = 2 * seed;
    form.Param3 = 10 * seed;
    form.Param4 = seed * 7;
    form.File1 = "pic" + std::to_string(seed) + ".jpg";
    form.File2 = "pic" + std::to_string(seed) + ".cdr";
    form.ScriptFile = "форма" + std::to_string(seed) + ".txt";
    return form;
}

TDigitGraphics SomeDigits(int seed) {
    return TDigitGraphics{true, TColorValue{0x01020300u + seed, TColorModel::Cmyk}, "Times " + std::to_string(seed),
                          static_cast<uint8_t>(20 + seed), FontStyle::Italic, -3 - seed, 40 + seed,
                          static_cast<uint8_t>(seed % 3), static_cast<uint8_t>(2 - seed % 3)};
}

// Every stored field different from its default.
void ChangeEveryField(TShablon& t) {
    t.CellSize = 80;
    t.Scale = 3;
    t.PenWidth = 11;
    t.LetterCellLook = {false, true, TColorValue{0x123456, TColorModel::Rgb}, TColorValue{0xFF000000u, TColorModel::Cmyk},
                        false, SomeForm(1)};
    t.BlankCellLook = {false, true, TColorValue{0x654321}, TColorValue{0x0000FF}, true, SomeForm(5)};
    t.KeyWordCellLook = {false, true, TColorValue{0x00FF00}, TColorValue{0x10203040, TColorModel::Cmyk}, false,
                         SomeForm(8)};
    t.DigitLook = SomeDigits(1);
    t.KeyWordDigitLook = SomeDigits(2);
    t.WallScale = 1.5f;
    t.WallColor = TColorValue{0x808080};
    t.ArrowLook = {false, TColorValue{0x00FFFF}, 9, 41, 31, 16, 8, 45, "arrows.ini", false, true};
    t.WideOutline = {true, TColorValue{0x112233}, 33, false};
    t.ShowKeyWordTable = false;
    t.BeginNumber = 7;
    t.CanUnite = false;
    t.CmykAdaptation = false;
    t.BackgroundPicture = "фон.jpg";
}

class Style : public testing::Test {
protected:
    void TearDown() override { TGlobalOption::Instance() = TGlobalOption{}; }

    std::string Path(const char* name) const { return scratch.Path(name); }
    std::string Write(const char* name, const std::string& text) const { return scratch.Write(name, text); }
    static std::string Read(const std::string& path) { return ScratchFolder::Read(path); }

    ScopedRecordingUi ui;
    ScratchFolder scratch{"style"};
    const fs::path& dir = scratch.Dir();
};

TEST_F(Style, EveryStoredFieldComesBack) {
    StyledShablon saved;
    ChangeEveryField(saved);
    ASSERT_TRUE(saved.SaveStyle(Path("all.ini")));

    StyledShablon loaded;
    loaded.ArrowLook.PenInset = true;  // not kept in style files: the loading template's own stays
    loaded.LetterCellLook.NoPaint = true;
    ASSERT_TRUE(loaded.LoadStyle(Path("all.ini")));
    EXPECT_TRUE(ui->Messages.empty());

    EXPECT_EQ(loaded.CellSize, 80);
    EXPECT_EQ(loaded.Scale, 3);
    EXPECT_EQ(loaded.PenWidth, 11);
    TKletkaGraphics letter = saved.LetterCellLook;
    letter.NoPaint = true;
    EXPECT_EQ(loaded.LetterCellLook, letter);
    EXPECT_EQ(loaded.BlankCellLook, saved.BlankCellLook);
    EXPECT_EQ(loaded.KeyWordCellLook, saved.KeyWordCellLook);
    EXPECT_EQ(loaded.DigitLook, saved.DigitLook);
    EXPECT_EQ(loaded.KeyWordDigitLook, saved.KeyWordDigitLook);
    EXPECT_EQ(loaded.WallScale, 1.5f);
    EXPECT_EQ(loaded.WallColor, saved.WallColor);
    TStrelkaGraphics arrows = saved.ArrowLook;
    arrows.PenInset = true;
    EXPECT_EQ(loaded.ArrowLook, arrows);
    EXPECT_EQ(loaded.ArrowReloads, 1);
    EXPECT_EQ(loaded.WideOutline, saved.WideOutline);
    EXPECT_FALSE(loaded.ShowKeyWordTable);
    EXPECT_EQ(loaded.BeginNumber, 7);
    EXPECT_FALSE(loaded.CanUnite);
    EXPECT_FALSE(loaded.CmykAdaptation);
    EXPECT_EQ(loaded.BackgroundPicture, "фон.jpg");
}

TEST_F(Style, TheDefaultClassicStyleFile) {
    const auto form = [](const std::string& p) {
        return p + "IMPORTTYPE=0\r\n" + p + "FORM=0\r\n" + p + "PARAM1=0\r\n" + p + "PARAM2=0\r\n" + p + "PARAM3=0\r\n" +
               p + "PARAM4=0\r\n" + p + "FILE1=\r\n" + p + "FILE2=\r\n" + p + "SCRIPTFILE=\r\n";
    };
    const auto digits = [](int size, int align) {
        const std::string a = std::to_string(align);
        return "VISIBLE=1\r\nFONT_NAME=Arial Cyr\r\nFONT_SIZE=" + std::to_string(size) +
               "\r\nFONT_BOLD=0\r\nFONT_ITALIC=0\r\nFONT_COLOR=255\r\nFONT_COLOR_T=0\r\nALIGN_X=" + a + "\r\nALIGN_Y=" + a +
               "\r\nDX=10\r\nDY=10\r\n";
    };
    TClassicShablon shablon(3, 3);
    ASSERT_TRUE(shablon.SaveStyle(Path("default.ini")));
    EXPECT_EQ(Read(Path("default.ini")),
              "[SHABLON_MAIN]\r\nWIDTH=100\r\nSCALE=1\r\nPEN_WIDTH=7\r\nCHARKLETKA_NOFILL=0\r\n"
              "CHARKLETKA_BRUSH_COLOR=16777215\r\nCHARKLETKA_PEN_COLOR=0\r\nCHARKLETKA_BRUSH_COLOR_T=0\r\n"
              "CHARKLETKA_PEN_COLOR_T=0\r\n" +
                  form("CHAR_") +
                  "NOT_CHARKLETKA_NOPAINT=1\r\nNOT_CHARKLETKA_NOFILL=0\r\nNOT_CHARKLETKA_BRUSH_COLOR=0\r\n"
                  "NOT_CHARKLETKA_PEN_COLOR=0\r\nNOT_CHARKLETKA_BRUSH_COLOR_T=0\r\nNOT_CHARKLETKA_PEN_COLOR_T=0\r\n"
                  "SHOW_OUTSIDE=0\r\n" +
                  form("NOT_CHAR_") +
                  "CAN_UNITE=1\r\nCMYK_ADAPTATION=1\r\nBACKGROUND_PICTURE=\r\n"
                  "[WIDE_ABRIS]\r\nSHOW=0\r\nWIDTH=20\r\nCOLOR=12632256\r\nCOLOR_T=0\r\nOUTLINE_ONLY=1\r\n"
                  "[KEYWORD]\r\nNOPAINT=1\r\nNOFILL=0\r\nBRUSH_COLOR=16777215\r\nBRUSH_COLOR_T=0\r\nPEN_COLOR=255\r\n"
                  "PEN_COLOR_T=0\r\n" +
                  form("FORM_") + digits(10, 1) + "SHOWTABLE=1\r\nBEGIN_NUMBER=1\r\n[SHABLON_DIGITS]\r\n" +
                  digits(14, 0));
}

TEST_F(Style, WallsAndArrowsHaveTheirSections) {
    StyledShablon shablon;
    shablon.WallScale = 1.5f;
    ASSERT_TRUE(shablon.SaveStyle(Path("s.ini")));
    const TIniFile ini(Path("s.ini"));
    EXPECT_EQ(ini.ReadSection("SHABLON_STENKI"), (std::vector<std::string>{"SCALE", "COLOR", "COLOR_T"}));
    EXPECT_EQ(ini.ReadString("SHABLON_STENKI", "SCALE", ""), "15");
    EXPECT_EQ(ini.ReadSection("SHABLON_STRELKI"),
              (std::vector<std::string>{"SHOW_STRELKS", "COLOR", "COLOR_T", "WIDTH", "LEN1", "LEN2", "LEN3", "LEN4",
                                        "ANGLE", "FILENAME"}));
    EXPECT_EQ(ini.ReadString("SHABLON_STRELKI", "COLOR", ""), "16711680");
}

TEST_F(Style, MalformedValuesTakeTheirTableValues) {
    // Every key present with a value that is not a number.
    std::string text;
    const auto section = [&](const char* name, std::initializer_list<const char*> keys) {
        text += std::string("[") + name + "]\n";
        for (const char* key : keys) text += std::string(key) + "=bad\n";
    };
    section("SHABLON_MAIN", {"WIDTH", "SCALE", "PEN_WIDTH", "CHARKLETKA_NOFILL", "CHARKLETKA_BRUSH_COLOR",
                             "CHARKLETKA_BRUSH_COLOR_T", "CHARKLETKA_PEN_COLOR", "CHARKLETKA_PEN_COLOR_T",
                             "CHAR_FORM", "NOT_CHARKLETKA_NOPAINT", "NOT_CHARKLETKA_NOFILL",
                             "NOT_CHARKLETKA_BRUSH_COLOR", "NOT_CHARKLETKA_BRUSH_COLOR_T", "NOT_CHARKLETKA_PEN_COLOR",
                             "NOT_CHARKLETKA_PEN_COLOR_T", "SHOW_OUTSIDE", "CMYK_ADAPTATION", "CAN_UNITE"});
    section("SHABLON_DIGITS", {"VISIBLE", "FONT_SIZE", "FONT_BOLD", "FONT_ITALIC", "FONT_COLOR", "FONT_COLOR_T",
                               "ALIGN_X", "ALIGN_Y", "DX", "DY"});
    section("KEYWORD", {"NOPAINT", "NOFILL", "BRUSH_COLOR", "BRUSH_COLOR_T", "PEN_COLOR", "PEN_COLOR_T", "VISIBLE",
                        "FONT_SIZE", "FONT_BOLD", "FONT_ITALIC", "FONT_COLOR", "FONT_COLOR_T", "ALIGN_X", "ALIGN_Y",
                        "DX", "DY", "SHOWTABLE", "BEGIN_NUMBER"});
    section("SHABLON_STENKI", {"SCALE", "COLOR", "COLOR_T"});
    section("SHABLON_STRELKI", {"SHOW_STRELKS", "COLOR", "COLOR_T", "WIDTH", "LEN1", "LEN2", "LEN3", "LEN4", "ANGLE"});
    section("WIDE_ABRIS", {"SHOW", "WIDTH", "COLOR", "COLOR_T", "OUTLINE_ONLY"});

    StyledShablon shablon;
    ChangeEveryField(shablon);
    ASSERT_TRUE(shablon.LoadStyle(Write("bad.ini", text)));

    EXPECT_EQ(shablon.CellSize, 100);
    EXPECT_EQ(shablon.Scale, 1);
    EXPECT_EQ(shablon.PenWidth, 7);
    EXPECT_EQ(shablon.LetterCellLook, (TKletkaGraphics{false, false, RgbColor(0xFFFFFF), RgbColor(0), false, {}}));
    EXPECT_EQ(shablon.BlankCellLook, (TKletkaGraphics{true, false, RgbColor(0), RgbColor(0), false, {}}));
    EXPECT_TRUE(shablon.CmykAdaptation);
    EXPECT_FALSE(shablon.CanUnite);
    EXPECT_EQ(shablon.BackgroundPicture, "фон.jpg");  // absent: kept
    EXPECT_EQ(shablon.DigitLook,
              (TDigitGraphics{true, RgbColor(255), "Times 1", 12, FontStyle::Bold, 10, 10, 0, 0}));
    EXPECT_EQ(shablon.KeyWordCellLook, (TKletkaGraphics{true, false, RgbColor(0), RgbColor(0), false, {}}));
    EXPECT_EQ(shablon.KeyWordDigitLook, (TDigitGraphics{false, RgbColor(255), "Times 2", 10, 0, 10, 10, 0, 0}));
    EXPECT_TRUE(shablon.ShowKeyWordTable);
    EXPECT_EQ(shablon.BeginNumber, 1);
    EXPECT_EQ(shablon.WallScale, 2.0f);
    EXPECT_EQ(shablon.WallColor, RgbColor(0));
    EXPECT_EQ(shablon.ArrowLook,
              (TStrelkaGraphics{true, RgbColor(0x8000), 10, 40, 20, 15, 5, 30, "arrows.ini", false, true}));
    EXPECT_EQ(shablon.WideOutline, (TWideOutline{false, RgbColor(0xC0C0C0), 20, true}));
}

// Values beyond what their fields hold are held to the fields' ranges, not wrapped round in a
// byte, and each is noted for the caller to report.
TEST_F(Style, OutOfRangeValuesAreHeldToTheirRangesAndNoted) {
    StyledShablon shablon;
    ASSERT_TRUE(shablon.LoadStyle(Write("wide.ini", "[SHABLON_MAIN]\nWIDTH=0\nSCALE=300\nCHAR_FORM=300\nPEN_WIDTH=7\n"
                                                    "[SHABLON_STRELKI]\nWIDTH=2147483647\nANGLE=-1\n"
                                                    "[KEYWORD]\nBEGIN_NUMBER=70000\n")));
    EXPECT_EQ(shablon.CellSize, 1);
    EXPECT_EQ(shablon.Scale, 255);
    EXPECT_EQ(shablon.LetterCellLook.Form.Form, KletkaForm::Last);
    EXPECT_EQ(shablon.PenWidth, 7);
    EXPECT_EQ(shablon.ArrowLook.Width, 100);
    EXPECT_EQ(shablon.ArrowLook.Angle, 0);
    EXPECT_EQ(shablon.BeginNumber, 65535);
    std::vector<std::string> noted;
    for (const TIniClamp& clamp : shablon.StyleClamps) noted.push_back(clamp.Section + " " + clamp.Key + "=" + std::to_string(clamp.Value));
    EXPECT_EQ(noted, (std::vector<std::string>{"SHABLON_MAIN WIDTH=0", "SHABLON_MAIN SCALE=300", "SHABLON_MAIN CHAR_FORM=300",
                                               "KEYWORD BEGIN_NUMBER=70000", "SHABLON_STRELKI WIDTH=2147483647",
                                               "SHABLON_STRELKI ANGLE=-1"}));
    // The next load starts a new list.
    ASSERT_TRUE(shablon.LoadStyle(Write("fine.ini", "[SHABLON_MAIN]\nSCALE=2\n")));
    EXPECT_TRUE(shablon.StyleClamps.empty());
}

// A relative picture or script name in a style file is looked for beside the style file, then
// where it stands (the working directory).
TEST_F(Style, RelativeFilesAreFoundBesideTheStyleFile) {
    fs::create_directories(dir / "looks");
    const std::string style = (dir / "looks" / "style.ini").string();
    std::ofstream(style) << "[SHABLON_MAIN]\nCHAR_IMPORTTYPE=1\nCHAR_FILE1=cell.bmp\n";
    const std::string picture = (dir / "looks" / "cell.bmp").string();
    ASSERT_TRUE(WriteFileText(picture, TPicture::FromImage(TPictureKind::Bitmap, TDIB(2, 2))->Data()));
    TClassicShablon shablon(1, 1);
    shablon.SetLetterCell(0, 0, true);
    ASSERT_TRUE(shablon.LoadStyle(style));
    EXPECT_EQ(shablon.StyleFile("cell.bmp"), picture);
    EXPECT_EQ(shablon.StyleFile("elsewhere.bmp"), "elsewhere.bmp");
    EXPECT_EQ(shablon.StyleFile(picture), picture);
    TMetafile metafile;
    shablon.DrawToMetafile(metafile);
    const auto& calls = metafile.Calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const TCanvasCall& call) { return call.Picture != nullptr; }));
}

// A picture file that is there but cannot be read (an enhanced metafile, which nothing here
// plays) is reported once per drawing, naming it; a missing one draws nothing silently.
TEST_F(Style, APictureThatCannotBeReadIsReported) {
    const std::string emf = Write("cell.emf", "not a metafile");
    TClassicShablon shablon(2, 1);
    shablon.SetLetterCell(0, 0, true);
    shablon.SetLetterCell(1, 0, true);
    for (const std::string& file : {emf, Path("missing.bmp")}) {
        ui->Messages.clear();
        shablon.LetterCellLook.Form.ImportType = TKletkaImport::Picture;
        shablon.LetterCellLook.Form.File1 = file;
        TMetafile metafile;
        shablon.DrawToMetafile(metafile);
        if (file == emf) {
            ASSERT_EQ(ui->Messages.size(), 1u);
            EXPECT_NE(ui->Messages[0].find("cell.emf"), std::string::npos);
        } else {
            EXPECT_TRUE(ui->Messages.empty());
        }
    }
}

TEST_F(Style, AbsentKeysKeepTheirValues) {
    StyledShablon shablon;
    ChangeEveryField(shablon);
    const TDigitGraphics digits = shablon.DigitLook;
    const TStrelkaGraphics arrows = shablon.ArrowLook;
    ASSERT_TRUE(shablon.LoadStyle(Write("w.ini", "[SHABLON_MAIN]\r\nwidth=80\r\n[shablon_stenki]\r\nScale=25\r\n")));
    EXPECT_EQ(shablon.CellSize, 80);
    EXPECT_EQ(shablon.PenWidth, 11);
    EXPECT_EQ(shablon.Scale, 3);
    EXPECT_TRUE(shablon.LetterCellLook.NoFill);
    EXPECT_EQ(shablon.LetterCellLook.Form, TKletkaForm{});  // a form is read whole: its absent keys are defaults
    EXPECT_EQ(shablon.DigitLook, digits);
    EXPECT_EQ(shablon.ArrowLook, arrows);
    EXPECT_EQ(shablon.WallScale, 2.5f);
    EXPECT_EQ(shablon.WideOutline.Width, 33);
    // KEYWORD is missing, yet its two always-read keys reset.
    EXPECT_TRUE(shablon.ShowKeyWordTable);
    EXPECT_EQ(shablon.BeginNumber, 1);
}

struct DigitCase {
    const char* text;
    bool digitsHidden;
    bool digitsBold;
    bool keyWordHidden;
    bool keyWordBold;
};

TEST_F(Style, VisibleAndBoldKeys) {
    const DigitCase cases[] = {
        {"VISIBLE=0\nFONT_BOLD=1", true, true, true, true},
        {"VISIBLE=1\nFONT_BOLD=0", false, false, false, false},
        {"VISIBLE=no\nFONT_BOLD=yes", true, true, false, false},
        {"VISIBLE=$10\nFONT_BOLD=-1", false, true, false, true},
    };
    for (const DigitCase& c : cases) {
        TClassicShablon shablon(3, 3);
        const std::string keys = c.text;
        ASSERT_TRUE(shablon.LoadStyle(Write("d.ini", "[SHABLON_DIGITS]\n" + keys + "\n[KEYWORD]\n" + keys + "\n")));
        EXPECT_EQ(shablon.DigitLook.Hidden, c.digitsHidden) << c.text;
        EXPECT_EQ((shablon.DigitLook.FontStyle & FontStyle::Bold) != 0, c.digitsBold) << c.text;
        EXPECT_EQ(shablon.KeyWordDigitLook.Hidden, c.keyWordHidden) << c.text;
        EXPECT_EQ((shablon.KeyWordDigitLook.FontStyle & FontStyle::Bold) != 0, c.keyWordBold) << c.text;
    }
}

TEST_F(Style, SectionsOfKindsWithoutThemAreNeitherReadNorWritten) {
    TClassicShablon shablon(3, 3);
    ASSERT_TRUE(shablon.LoadStyle(Write("k.ini", "[SHABLON_STENKI]\nSCALE=15\n[SHABLON_STRELKI]\nWIDTH=1\n")));
    EXPECT_EQ(shablon.WallScale, 2.0f);
    EXPECT_EQ(shablon.ArrowLook.Width, 5);
    ASSERT_TRUE(shablon.SaveStyle(Path("k2.ini")));
    const TIniFile ini(Path("k2.ini"));
    EXPECT_FALSE(ini.SectionExists("SHABLON_STENKI"));
    EXPECT_FALSE(ini.SectionExists("SHABLON_STRELKI"));
    EXPECT_TRUE(ini.SectionExists("SHABLON_DIGITS"));

    TClassicShablon noDigits(3, 3);
    noDigits.UsesDigits = false;
    ASSERT_TRUE(noDigits.LoadStyle(Write("n.ini", "[SHABLON_DIGITS]\nFONT_SIZE=30\n")));
    EXPECT_EQ(noDigits.DigitLook.FontSize, 14);
}

TEST_F(Style, CrosswordSectionsSurviveASave) {
    const std::string crossword = "[CROSSWORD_MAIN]\r\n; by hand\r\nFONT = Courier\r\n\r\n[RTF_PARAMETERS]\r\nA=1\r\n";
    const std::string path = Write("c.ini", "[SHABLON_MAIN]\r\nWIDTH=55\r\nOLD_KEY=1\r\n" + crossword);
    TClassicShablon shablon(3, 3);
    ASSERT_TRUE(shablon.SaveStyle(path));
    const std::string text = Read(path);
    EXPECT_NE(text.find(crossword), std::string::npos);
    EXPECT_TRUE(text.starts_with("[SHABLON_MAIN]\r\nWIDTH=100\r\nOLD_KEY=1\r\nSCALE=1\r\n"));
}

TEST_F(Style, MissingAndUnreadableFiles) {
    TClassicShablon shablon(3, 3);
    EXPECT_FALSE(shablon.LoadStyle(Path("нет.ini")));
    EXPECT_FALSE(shablon.LoadStyle(dir.string()));
    ASSERT_EQ(ui->Messages.size(), 2u);
    EXPECT_EQ(ui->Messages[0], Format("Ошибка чтения файла стилей %s"_cp, FromUtf8(Path("нет.ini"))));
    EXPECT_EQ(ui->Messages[1], Format("Ошибка чтения файла стилей %s"_cp, FromUtf8(dir.string())));
}

TEST_F(Style, FoundThroughTheOptionDirectories) {
    Write("look.ini", "[SHABLON_MAIN]\nWIDTH=60\n");
    TClassicShablon shablon(3, 3);
    TGlobalOption::Instance().SecondDirectory = dir.string();
    ASSERT_TRUE(shablon.LoadStyle("look.ini"));
    EXPECT_EQ(shablon.CellSize, 60);
    TGlobalOption::Instance().SecondDirectory.clear();
    TGlobalOption::Instance().FirstDirectory = dir.string() + "/";
    shablon.CellSize = 1;
    ASSERT_TRUE(shablon.LoadStyle("look.ini"));
    EXPECT_EQ(shablon.CellSize, 60);
    TGlobalOption::Instance().FirstDirectory.clear();
    EXPECT_FALSE(shablon.LoadStyle("look.ini"));
}

TEST_F(Style, AFailedSaveSaysSoAndKeepsTheOldFile) {
    TClassicShablon shablon(3, 3);
    const std::string missing = Path("none/s.ini");
    EXPECT_FALSE(shablon.SaveStyle(missing));

    const std::string path = Write("old.ini", "[CROSSWORD_MAIN]\nA=1\n");
    shablon.BackgroundPicture = "a.jpg\r\n[SHABLON_MAIN]";  // a line break would inject keys
    EXPECT_FALSE(shablon.SaveStyle(path));
    EXPECT_EQ(Read(path), "[CROSSWORD_MAIN]\nA=1\n");

    ASSERT_EQ(ui->Messages.size(), 2u);
    EXPECT_EQ(ui->Messages[0], Format("Ошибка записи файла стилей %s"_cp, FromUtf8(missing)));
    EXPECT_EQ(ui->Messages[1], Format("Ошибка записи файла стилей %s"_cp, FromUtf8(path)));
}

struct ColorCase {
    TColorValue color;
    uint32_t rgb;
};

TEST(ColorValue, ScreenColours) {
    const ColorCase cases[] = {
        {RgbColor(0x123456), 0x123456},
        {TColorValue{0xFF123456u, TColorModel::Rgb}, 0x123456},
        {TColorValue{0x00000000, TColorModel::Cmyk}, RGB(255, 255, 255)},
        {TColorValue{0x000000FF, TColorModel::Cmyk}, RGB(0, 0, 0)},
        {TColorValue{0xFF000000u, TColorModel::Cmyk}, RGB(0, 255, 255)},
        {TColorValue{0x10203040, TColorModel::Cmyk}, RGB(255 - 0x10 - 0x40, 255 - 0x20 - 0x40, 255 - 0x30 - 0x40)},
        {TColorValue{0xC8003264u, TColorModel::Cmyk}, RGB(0, 155, 105)},  // C + K = 300 > 255
        {TColorValue{0xFFFFFFFFu, TColorModel::Cmyk}, RGB(0, 0, 0)},
        {TColorValue{0x123456, static_cast<TColorModel>(7)}, 0x123456},
    };
    for (const ColorCase& c : cases) EXPECT_EQ(c.color.ToRgb(), c.rgb) << std::hex << c.color.Value;
}

TEST_F(Style, CmykColoursLoad) {
    TClassicShablon shablon(3, 3);
    ASSERT_TRUE(shablon.LoadStyle(
        Write("cmyk.ini", "[SHABLON_MAIN]\nCHARKLETKA_BRUSH_COLOR=$C8003264\nCHARKLETKA_BRUSH_COLOR_T=1\n")));
    EXPECT_EQ(shablon.LetterCellLook.BrushColor, (TColorValue{0xC8003264u, TColorModel::Cmyk}));
    EXPECT_EQ(shablon.LetterCellLook.BrushColor.ToRgb(), RGB(0, 155, 105));
}

TEST_F(Style, TheFiftySixOffsetKeys) {
    const char* keys[] = {"DOWN", "DOWNRIGHT_DOWN", "RIGHT_DOWN", "UPRIGHT_DOWN", "UPLEFT_DOWN", "LEFT_DOWN",
                          "DOWNLEFT_DOWN", "DOWN_RIGHT", "DOWNRIGHT_RIGHT", "RIGHT", "UPRIGHT_RIGHT", "UPLEFT_RIGHT",
                          "UP_RIGHT", "DOWNLEFT_RIGHT", "INDOWN_DOWN", "INDOWN_DOWNRIGHT", "INDOWN_RIGHT",
                          "INDOWN_UPRIGHT", "INDOWN_UPLEFT", "INDOWN_LEFT", "INDOWN_DOWNLEFT", "INRIGHT_DOWN",
                          "INRIGHT_DOWNRIGHT", "INRIGHT_RIGHT", "INRIGHT_UPRIGHT", "INRIGHT_UP", "INRIGHT_UPLEFT",
                          "INRIGHT_DOWNLEFT"};
    std::string x = "[OFFSET_X]\n", y = "[offset_y]\n";
    for (int i = 1; i <= ArrowOffsetCount; ++i) {
        const std::string key = keys[i - 1];
        x += key + "=" + std::to_string(i) + "\nCDR_" + key + "=" + std::to_string(-i) + "\n";
        y += key + "=" + std::to_string(100 + i) + "\nCDR_" + key + "=" + std::to_string(-100 - i) + "\n";
    }
    const std::string path = Write("offsets.ini", x + y);

    TClassicShablon shablon(3, 3);
    shablon.ArrowOffsets[0] = {5, 5};
    shablon.ReadArrowOffsets(path);
    shablon.ReadScriptArrowOffsets(path);
    EXPECT_EQ(shablon.ArrowOffsets[0], (TArrowOffset{0, 0}));
    for (int i = 1; i <= ArrowOffsetCount; ++i) {
        EXPECT_EQ(shablon.ArrowOffsets[i], (TArrowOffset{i, 100 + i})) << keys[i - 1];
        EXPECT_EQ(shablon.ScriptArrowOffsets[i], (TArrowOffset{-i, -100 - i})) << keys[i - 1];
    }

    // Absent and malformed keys, and a missing file, read as 0.
    shablon.ReadArrowOffsets(Write("some.ini", "[OFFSET_X]\nDOWN=x\nRIGHT=4\n"));
    EXPECT_EQ(shablon.ArrowOffsets[1], (TArrowOffset{0, 0}));
    EXPECT_EQ(shablon.ArrowOffsets[10], (TArrowOffset{4, 0}));
    EXPECT_EQ(shablon.ArrowOffsets[2], (TArrowOffset{0, 0}));
    shablon.ReadScriptArrowOffsets(Path("missing.ini"));
    EXPECT_EQ(shablon.ScriptArrowOffsets, TArrowOffsets{});
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(Style, PictureFilesOfTheLooks) {
    TClassicShablon shablon(3, 3);
    std::vector<std::string> files{"stale"};
    shablon.ListPictureFiles(files);
    EXPECT_TRUE(files.empty());

    shablon.BackgroundPicture = "back.jpg";
    shablon.ListPictureFiles(files);
    EXPECT_EQ(files, (std::vector<std::string>{"back.jpg"}));

    shablon.KeyWordCellLook.Form = SomeForm(1);   // a picture
    shablon.LetterCellLook.Form = SomeForm(4);    // a picture
    shablon.BlankCellLook.Form = SomeForm(2);     // a script: not listed
    shablon.ListPictureFiles(files);
    EXPECT_EQ(files, (std::vector<std::string>{"back.jpg", "pic4.jpg", "pic1.jpg"}));

    shablon.LetterCellLook.Form.File1.clear();
    shablon.BackgroundPicture.clear();
    shablon.ListPictureFiles(files);
    EXPECT_EQ(files, (std::vector<std::string>{"pic1.jpg"}));
}

TEST_F(Style, SettingTheArrowLookReloadsThePictures) {
    StyledShablon shablon;
    TStrelkaGraphics look;
    look.FileName = "a.ini";
    shablon.SetArrowLook(look);
    EXPECT_EQ(shablon.ArrowLook, look);
    EXPECT_EQ(shablon.ArrowReloads, 1);
}

}  // namespace
