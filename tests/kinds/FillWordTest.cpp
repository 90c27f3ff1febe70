#include "kinds/EnglishShablon.h"
#include "kinds/FillWordCrossword.h"
#include "kinds/FillWordShablon.h"
#include "kinds/FootBallShablon.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "FieldCheck.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Clock.h"
#include "template/ClassicShablon.h"

#include <fstream>

namespace {

// Letter cells for every character but "#".
std::unique_ptr<TFillWordCrossword> FillWordOf(const GridPicture& grid, const std::string& dictionary) {
    auto crossword = std::make_unique<TFillWordCrossword>();
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(static_cast<int>(grid[0].size()));
    crossword->SetHeight(static_cast<int>(grid.size()));
    DrawGrid(*crossword->Template, grid);
    crossword->PrepareForFill();
    return crossword;
}

GridPicture OpenField(int width, int height) {
    return GridPicture(height, std::string(width, '.'));
}

}  // namespace

TEST_F(CrosswordTest, FieldTextsComeBackAsTheyWere) {
    const GridPicture grid = {"..#.", "#...", "...."};
    const std::vector<std::function<std::unique_ptr<TShablon>()>> makers = {
        [] { return std::make_unique<TFillWordShablon>(1, 1); },
        [] { return std::make_unique<TEnglishShablon>(1, 1); },
    };
    for (const auto& make : makers) {
        const auto written = make();
        DrawGrid(*written, grid);
        const std::string text = written->SerializeTemplate(0, 0, 3, 2);
        EXPECT_EQ(text[0], SmallNumberChar(static_cast<int>(written->Kind)));
        const auto read = make();
        read->SetSize(4, 3);
        ASSERT_TRUE(read->ParseTemplate(text, 0, 0));
        EXPECT_EQ(PictureOf(*read), grid);
    }
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(CrosswordTest, FieldsStartAsLetterCellsAndNumberNothing) {
    TFillWordShablon fillWord(3, 2);
    TEnglishShablon field(3, 2);
    for (TShablon* shablon : std::initializer_list<TShablon*>{&fillWord, &field}) {
        EXPECT_EQ(PictureOf(*shablon), GridPicture({"...", "..."}));
        EXPECT_EQ(shablon->GetWordLayout(), 1);
        shablon->NumberCells();
        TShablonWords words;
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 2; ++y) {
                EXPECT_FALSE(shablon->IsNumbered(x, y));
                shablon->WordsThroughCell(x, y, words);
                EXPECT_EQ(words.Count(), 0);
            }
        // Plain cells: no numbers and no key-word cells.
        shablon->KeyWordCells = std::string("\0\0", 2);
        shablon->SetLetterCellOnly(2, 1, false);
        TComExport list;
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 2; ++y) shablon->ExportCell(x, y, 0, 0, list);
        ASSERT_EQ(list.Count(), 5);
        for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Kind(i), static_cast<int>(TExportKind::Cell));
    }
}

TEST_F(CrosswordTest, FieldTemplatesTakeTheirOwnAndClassicTexts) {
    struct Case {
        TShablonKind reader;
        TShablonKind writer;
        bool taken;
    };
    const Case cases[] = {
        {TShablonKind::FillWord, TShablonKind::FillWord, true}, {TShablonKind::FillWord, TShablonKind::Classic, true},
        {TShablonKind::FillWord, TShablonKind::English, false}, {TShablonKind::FillWord, TShablonKind::FootBall, false},
        {TShablonKind::English, TShablonKind::English, true},   {TShablonKind::English, TShablonKind::Classic, true},
        {TShablonKind::English, TShablonKind::FillWord, false}, {TShablonKind::English, TShablonKind::Skanword, false},
    };
    for (const Case& c : cases) {
        const std::string context = std::to_string(static_cast<int>(c.reader)) + " reads " +
                                    std::to_string(static_cast<int>(c.writer));
        std::unique_ptr<TShablon> reader;
        if (c.reader == TShablonKind::FillWord)
            reader = std::make_unique<TFillWordShablon>(2, 2);
        else
            reader = std::make_unique<TEnglishShablon>(2, 2);
        // A classic text with its kind character replaced.
        TClassicShablon classic(2, 2);
        DrawGrid(classic, {".#", ".."});
        std::string text = classic.SerializeTemplate(0, 0, 1, 1);
        text[0] = SmallNumberChar(static_cast<int>(c.writer));
        mUi->Messages.clear();
        EXPECT_EQ(reader->ParseTemplate(text, 0, 0), c.taken) << context;
        if (c.taken) {
            EXPECT_EQ(PictureOf(*reader), GridPicture({".#", ".."})) << context;
            EXPECT_TRUE(mUi->Messages.empty()) << context;
        } else {
            ASSERT_EQ(mUi->Messages.size(), 1u) << context;
            EXPECT_EQ(mUi->Messages[0], "Несовместимый тип шаблона!"_cp) << context;
        }
    }
}

TEST_F(CrosswordTest, ATruncatedFieldTextKeepsTheCellsRead) {
    TFillWordShablon shablon(3, 2);
    // Columns of two cells: the first read whole, the second cut after one cell.
    const std::string text = std::string("6") + SmallNumberChar(3) + SmallNumberChar(2) + "\x02\x01\x02";
    EXPECT_FALSE(shablon.ParseTemplate(text, 0, 0));
    ASSERT_EQ(mUi->Messages.size(), 1u);
    EXPECT_EQ(mUi->Messages[0], "Неверный формат шаблона!"_cp);
    EXPECT_EQ(PictureOf(shablon), GridPicture({"###", ".##"}));
    EXPECT_FALSE(shablon.ParseTemplate("6", 0, 0));
}

TEST_F(CrosswordTest, FillWordRunsGoAcrossAndDownOverFreeCellsOnly) {
    auto crossword = FillWordOf({"...", "...", ".#."}, WriteDictionary({"дом", "кот"}));
    TCoord start(1, 1, "", 3, 3);
    TCoord cells(3, 3);
    crossword->ExtraCells(start, cells);
    EXPECT_EQ(cells.Count(), 3);  // up, right, left; below is a block
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "66", 3, 3), Cp("дом"), {}, slot), PutCode::Placed);
    // From the middle the free cells are the five below the word; no path takes more than three,
    // turning left or right (the block below stops the straight way down).
    std::string pattern;
    TWordLengthLimits limits = crossword->WordLengthLimits(start, pattern);
    EXPECT_TRUE(limits.Flag);
    EXPECT_EQ(limits.Min, 2);
    EXPECT_EQ(limits.Max, 3);
    EXPECT_EQ(pattern, "   ");
    crossword->ExtraCells(start, cells);
    EXPECT_EQ(cells.Count(), 2);
    // A covered cell gives its word's length and pattern, not allowed.
    limits = crossword->WordLengthLimits(TCoord(2, 0, "", 3, 3), pattern);
    EXPECT_FALSE(limits.Flag);
    EXPECT_EQ(limits.Max, 3);
    EXPECT_EQ(pattern, Cp("   "));
    // A block gives nothing.
    limits = crossword->WordLengthLimits(TCoord(1, 2, "", 3, 3), pattern);
    EXPECT_FALSE(limits.Flag);
    EXPECT_TRUE(pattern.empty());
    TShablonWords through;
    crossword->WordsThroughCell(2, 0, through);
    ASSERT_EQ(through.Count(), 1);
    EXPECT_EQ(through.WordPath(0), "66");
    EXPECT_FALSE(crossword->IsComplete());
}

// Every letter cell lies in exactly one word, words step across and down only, and the words
// are dictionary words standing once, spelt by the grid.
TEST_F(CrosswordTest, FillWordFillsCoverTheFieldWithDictionaryWords) {
    const auto dictionary = DefaultDictionary();
    const GridPicture grids[] = {OpenField(8, 8), {"......", "..##..", "......", "...#..", "......"}};
    for (const GridPicture& grid : grids)
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            RandSeed(seed);
            auto crossword = FillWordOf(grid, DefaultDictionaryPath());
            crossword->FillParameters.TimeLimit = 60;
            int errCode = 99;
            TFillResult best;
            const std::string context = std::to_string(grid[0].size()) + " seed " + std::to_string(seed);
            ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) << context;
            EXPECT_EQ(errCode, 0) << context;
            EXPECT_TRUE(crossword->IsComplete()) << context;
            EXPECT_TRUE(WordsStandInTheGrid(*crossword, *dictionary)) << context;
            std::vector<int> cover(crossword->Width * crossword->Height, 0);
            for (int i = 0; i < crossword->Words.Count(); ++i) {
                const std::vector<FieldCell> cells = CellsOfSlot(*crossword, i);
                for (std::size_t k = 0; k < cells.size(); ++k) {
                    ASSERT_TRUE(crossword->Template->IsLetterCell(cells[k].x, cells[k].y)) << context;
                    ++cover[cells[k].x * crossword->Height + cells[k].y];
                    if (k == 0) continue;
                    EXPECT_EQ(std::abs(cells[k].x - cells[k - 1].x) + std::abs(cells[k].y - cells[k - 1].y), 1)
                        << context;
                }
            }
            for (int x = 0; x < crossword->Width; ++x)
                for (int y = 0; y < crossword->Height; ++y)
                    EXPECT_EQ(cover[x * crossword->Height + y], grid[y][x] == '#' ? 0 : 1)
                        << context << " at " << x << "," << y;
        }
}

TEST_F(CrosswordTest, AFillWordCellThatNoWordCanReachEndsTheFill) {
    RandSeed(3);
    auto crossword = FillWordOf({".#...", "##..."}, WriteDictionary({"дом", "кот", "сок", "лес", "мир"}));
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 5, 2, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(crossword->Running, 0);
}

TEST_F(CrosswordTest, CancelAndTimeLimitEndTheFillWordFill) {
    const std::string dictionary = DefaultDictionaryPath();
    ExpectCancelAndTimeLimitEnd([&] { return FillWordOf(OpenField(20, 20), dictionary); });
}

TEST_F(CrosswordTest, FillWordAnswerLinesRunThroughTheCellCentres) {
    auto crossword = FillWordOf({"...", "..."}, WriteDictionary({"дом", "кот"}));
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "62", 3, 2), Cp("дом"), {}, slot), PutCode::Placed);
    TComExport without;
    crossword->ExportCrosswordScript(without, 0);
    crossword->StrikeOut.ShowLine = true;
    crossword->StrikeOut.Width = 9;
    TComExport with;
    crossword->ExportCrosswordScript(with, 0);
    ASSERT_EQ(with.Count(), without.Count() + 1);
    const int line = with.Count() - 1;
    EXPECT_EQ(with.Kind(line), static_cast<int>(TExportKind::Polyline));
    EXPECT_EQ(with.Name(line), "STRIKE_OUT");
    const int half = crossword->Template->CellSize * 1000 / 2, cell = 2 * half;
    const std::vector<TItemPoint> centres = {{half, -half}, {cell + half, -half}, {cell + half, -cell - half}};
    EXPECT_EQ(with.Points(line), centres);
    EXPECT_EQ(with.X2(line), 9);
}

TEST_F(CrosswordTest, FillWordStylesDefineTheAnswerLine) {
    auto crossword = FillWordOf({".."}, WriteDictionary({"да"}));
    crossword->StrikeOut.Width = 12;
    std::vector<std::string> lines;
    TScriptWriter writer(lines, false);
    crossword->ExportCharStyles(writer, 0);
    const auto saved = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(".SaveStyleProp \"STRIKE_OUT\"") == 0;
    });
    ASSERT_NE(saved, lines.end());
    const auto width = std::find_if(std::make_reverse_iterator(saved), lines.rend(), [](const std::string& line) {
        return line.find(".SetOutlineWidth") == 0;
    });
    ASSERT_NE(width, lines.rend());
    EXPECT_EQ(*width, ".SetOutlineWidth 12000");
}

TEST_F(CrosswordTest, FillWordStrikeOutLookGoesThroughStyleFiles) {
    auto written = FillWordOf({".."}, WriteDictionary({"да"}));
    written->StrikeOut = {true, 12, {0x123456, TColorModel::Cmyk}};
    const std::string path = Path("style.ini");
    ASSERT_TRUE(written->SaveStyles(path));
    auto read = FillWordOf({".."}, WriteDictionary({"да"}, "other.wdi"));
    ASSERT_TRUE(read->LoadStyles(path));
    EXPECT_EQ(read->StrikeOut, written->StrikeOut);
    // Keys a file lacks keep their values.
    std::ofstream(Path("partial.ini")) << "[FILLWORD_STRIKEOUT]\nWIDTH=3\n";
    auto partial = FillWordOf({".."}, WriteDictionary({"да"}, "third.wdi"));
    ASSERT_TRUE(partial->LoadStyles(Path("partial.ini")));
    EXPECT_EQ(partial->StrikeOut, (TStrikeOutLook{false, 3, {0xFF0000, TColorModel::Rgb}}));
    auto copy = FillWordOf({".."}, WriteDictionary({"да"}, "fourth.wdi"));
    copy->CopyStyles(*written);
    EXPECT_EQ(copy->StrikeOut, written->StrikeOut);
}
