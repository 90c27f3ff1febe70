#include "SmallCrossword.h"

#include "platform/FileText.h"
#include "template/GlobalOption.h"

#include <fstream>

namespace {

// A CMYK colour with more than 2^31 in it.
constexpr TColorValue DeepCyan{0xC0102030u, TColorModel::Cmyk};

// Gives every field kept in style files a value other than its default.
void SetEveryField(TCrossword& crossword) {
    crossword.Template->CellSize = 80;
    crossword.TextStyle1 = {"Courier", 11, true, true, DeepCyan};
    crossword.TextStyle2 = {"Tahoma", 12, false, true, RgbColor(0x123456)};
    TCrosswordChars& chars = crossword.Chars;
    chars.NoPaint = true, chars.FontName = "Verdana", chars.FontSize = 20, chars.Bold = false, chars.Italic = true;
    chars.FontColor = DeepCyan, chars.Center = false, chars.DX = -3, chars.DY = 7, chars.FillEmpty = true;
    chars.ShowFragments = false, chars.FragmentsTypeShow = 2;
    TOprText& opr = crossword.OprText;
    opr.NoPaint = true, opr.EmptyOpr = false, opr.EmptyOprFileName = "a.bmp|b.bmp", opr.LettersOut = Cp("аэю");
    opr.OprShowType = 3;
    TFormatParameters& format = crossword.OprFormat;
    format.FontName = "Georgia", format.FontSize = 9, format.Bold = true, format.Italic = true;
    format.FontColor = RgbColor(0xFF00FF), format.Alignment = 0, format.FontWidth = 80, format.Interline = 130;
    format.SpaceType = 2, format.SpaceSize = 25;
    TFormatParameters& sapper = crossword.SapperFormat;
    sapper.FontName = "Impact", sapper.FontSize = 15, sapper.Bold = false, sapper.Italic = true;
    sapper.FontColor = DeepCyan, sapper.Alignment = 0;
    crossword.Sapper = {true, "sapper.bmp"};
}

class CrosswordStyleTest : public CrosswordTest {
protected:
    std::string WriteStyle(const std::string& text, const std::string& name = "style.ini") {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    static std::string FileText(const std::string& path) {
        std::string text;
        EXPECT_TRUE(ReadFileText(path, text));
        return text;
    }
};

}  // namespace

TEST_F(CrosswordStyleTest, EveryFieldComesBack) {
    TClueGridCrossword source;
    SetEveryField(source);
    const std::string path = Path("every.ini");
    ASSERT_TRUE(source.SaveStyles(path));

    TClueGridCrossword target;
    ASSERT_TRUE(target.LoadStyles(path));
    EXPECT_TRUE(mUi->Messages.empty());
    EXPECT_EQ(target.Template->CellSize, 80);
    EXPECT_EQ(target.TextStyle1, source.TextStyle1);
    EXPECT_EQ(target.TextStyle2, source.TextStyle2);
    EXPECT_EQ(target.Chars, source.Chars);
    EXPECT_EQ(target.OprText, source.OprText);
    EXPECT_EQ(target.OprFormat, source.OprFormat);
    EXPECT_EQ(target.SapperFormat, source.SapperFormat);
    EXPECT_EQ(target.Sapper, source.Sapper);

    // The template's sections come first, then the crossword's keys in their order.
    const std::string text = FileText(path);
    std::vector<std::string> sections;
    for (std::size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1))
        sections.push_back(text.substr(at + 1, text.find(']', at) - at - 1));
    EXPECT_EQ(sections, (std::vector<std::string>{"SHABLON_MAIN", "WIDE_ABRIS", "KEYWORD", "SHABLON_DIGITS",
                                                  "RTF_PARAMETERS", "CROSSWORD_MAIN", "SKANWORD_OPR", "SAPPER"}));
    const std::string main = text.substr(text.find("[CROSSWORD_MAIN]"));
    std::size_t last = 0;
    for (const char* key : {"NOPAINT=1", "FONT_NAME=Verdana", "FONT_SIZE=20", "BOLD=0", "ITALIC=1",
                            "FONT_COLOR=-1072685008", "FONT_COLOR_T=1", "CENTER=0", "DX=-3", "DY=7", "FILL_EMPTY=1",
                            "SHOW_FRAGMENTS=0", "FRAGMENTS_TYPE_SHOW=2"}) {
        const std::size_t at = main.find(std::string("\r\n") + key + "\r\n");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
    EXPECT_NE(text.find("[SKANWORD_OPR]\r\nNO_PAINT=1\r\nFONT_NAME=Georgia\r\n"), std::string::npos);
    EXPECT_NE(text.find("CENTER=0\r\nSHOW_PICTURE=1\r\nPICTURE_FILENAME=sapper.bmp"), std::string::npos);
}

TEST_F(CrosswordStyleTest, PresentAbsentAndMalformedKeys) {
    TClueGridCrossword crossword;
    SetEveryField(crossword);
    const TClueGridCrossword defaults;
    const std::string path = WriteStyle(
        "[RTF_PARAMETERS]\r\nFONT_SIZE1=999\r\nBOLD2=yes\r\nFONT_COLOR2_T=7\r\n"
        "[CROSSWORD_MAIN]\r\nFONT_SIZE=abc\r\nDX=x\r\nFILL_EMPTY=zz\r\nBOLD=0\r\nFONT_COLOR=$FF\r\nCENTER=\r\n"
        "[SKANWORD_OPR]\r\nCENTER=1\r\nFONT_SIZE=0\r\nINTERLINE=999\r\nSPACE_TYPE=-5\r\nFONT_WIDTH=x\r\n"
        "SPACE_SIZE=?\r\nNO_PAINT=0\r\n");
    TClueGridCrossword expected;
    SetEveryField(expected);
    expected.TextStyle1.FontSize = 255;
    expected.TextStyle2.Bold = true;
    expected.TextStyle2.FontColor.Model = TColorModel::Rgb;
    expected.Chars.FontSize = 14;
    expected.Chars.DX = 10;
    expected.Chars.FillEmpty = true;
    expected.Chars.Bold = false;
    expected.Chars.FontColor.Value = 0xFF;
    expected.Chars.Center = true;
    expected.OprFormat.Alignment = 2;
    expected.OprFormat.FontSize = 1;
    expected.OprFormat.Interline = 255;
    expected.OprFormat.SpaceType = 0;
    expected.OprFormat.FontWidth = 100;
    expected.OprFormat.SpaceSize = 10;
    expected.OprText.NoPaint = false;

    ASSERT_TRUE(crossword.LoadStyles(path));
    EXPECT_EQ(crossword.TextStyle1, expected.TextStyle1);
    EXPECT_EQ(crossword.TextStyle2, expected.TextStyle2);
    EXPECT_EQ(crossword.Chars, expected.Chars);
    EXPECT_EQ(crossword.OprFormat, expected.OprFormat);
    EXPECT_EQ(crossword.OprText, expected.OprText);
    // No SAPPER section: the sapper settings stay.
    EXPECT_EQ(crossword.SapperFormat, expected.SapperFormat);
    EXPECT_EQ(crossword.Sapper, expected.Sapper);
    EXPECT_NE(crossword.Sapper, defaults.Sapper);
}

TEST_F(CrosswordStyleTest, CluesInTheGridSectionOnlyForThoseKinds) {
    auto classic = Make({"..", ".."}, {"кот"});
    classic->OprFormat.FontSize = 9;
    const std::string path = Path("classic.ini");
    ASSERT_TRUE(classic->SaveStyles(path));
    EXPECT_EQ(FileText(path).find("SKANWORD_OPR"), std::string::npos);

    const std::string opr = WriteStyle("[SKANWORD_OPR]\r\nFONT_SIZE=12\r\nCENTER=0\r\n", "opr.ini");
    ASSERT_TRUE(classic->LoadStyles(opr));
    EXPECT_EQ(classic->OprFormat.FontSize, 9);
    EXPECT_EQ(classic->OprFormat.Alignment, 2);

    TClueGridCrossword grid;
    ASSERT_TRUE(grid.LoadStyles(opr));
    EXPECT_EQ(grid.OprFormat.FontSize, 12);
    EXPECT_EQ(grid.OprFormat.Alignment, 0);
    ASSERT_TRUE(grid.SaveStyles(opr));
    EXPECT_NE(FileText(opr).find("[SKANWORD_OPR]\r\nFONT_SIZE=12\r\nCENTER=0\r\n"), std::string::npos);
}

TEST_F(CrosswordStyleTest, FilesThatAreNotThere) {
    TClueGridCrossword crossword;
    EXPECT_FALSE(crossword.LoadStyles("no-such-style.ini"));
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{Format("Ошибка чтения файла стилей %s"_cp, "no-such-style.ini")});

    mUi->Messages.clear();
    const std::string unwritable = Path("no-such-folder/style.ini");
    EXPECT_FALSE(crossword.SaveStyles(unwritable));
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{Format("Ошибка записи файла стилей %s"_cp, unwritable)});

    // A file found in a look-up directory of the global options.
    WriteStyle("[CROSSWORD_MAIN]\r\nFONT_SIZE=33\r\n", "found.ini");
    TGlobalOption::Instance().SecondDirectory = mDir.string();
    EXPECT_TRUE(crossword.LoadStyles("found.ini"));
    TGlobalOption::Instance().SecondDirectory.clear();
    EXPECT_EQ(crossword.Chars.FontSize, 33);
}

TEST_F(CrosswordStyleTest, CopyStylesCarriesTheLooksAndTheMarkedSets) {
    TClueGridCrossword source;
    SetEveryField(source);
    source.Template->LetterCellLook.BrushColor = RgbColor(0x00FF00);
    source.Template->BackgroundPicture = "back.bmp";
    source.Template->ArrowLook.Len1 = 55;
    source.Output = {LabelAlphabet::Digits, LabelAlphabet::Cyrillic, DeepCyan, 4, true};
    source.Chars.CapitalLetters = false;
    source.OprFormat.CaseMode = 2;
    source.GivenWords.Add(Cp("кот"));
    source.GivenLetters.Add(Cp("к"));
    source.LetterCounts.AddCount(Cp("к"), 3);

    TClueGridCrossword target;
    target.CopyStyles(source);
    EXPECT_EQ(target.Template->CellSize, 80);
    EXPECT_EQ(target.Template->LetterCellLook, source.Template->LetterCellLook);
    EXPECT_EQ(target.Template->BackgroundPicture, "back.bmp");
    EXPECT_EQ(target.Template->ArrowLook, source.Template->ArrowLook);
    EXPECT_EQ(target.Output, source.Output);
    EXPECT_EQ(target.Chars, source.Chars);
    EXPECT_EQ(target.OprText, source.OprText);
    EXPECT_EQ(target.OprFormat, source.OprFormat);
    EXPECT_EQ(target.SapperFormat, source.SapperFormat);
    EXPECT_EQ(target.TextStyle1, source.TextStyle1);
    EXPECT_EQ(target.TextStyle2, source.TextStyle2);
    EXPECT_EQ(target.Sapper, source.Sapper);
    EXPECT_TRUE(target.GivenWords.Contains(Cp("кот")));
    EXPECT_TRUE(target.GivenLetters.Contains(Cp("к")));
    ASSERT_EQ(target.LetterCounts.Count(), 1);
    EXPECT_EQ(target.LetterCounts.CountOf(0), 3);
}
