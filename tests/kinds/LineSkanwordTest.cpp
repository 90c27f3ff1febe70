#include "kinds/LineShablon.h"
#include "kinds/Kinds.h"
#include "kinds/LineSkanword.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "FieldCheck.h"

#include "export/ComExport.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"

#include <set>

namespace {

TCoord RowRun(int x, int y, int length) {
    return TCoord(x, y, std::string(std::max(length - 1, 0), '6'), TCrossword::MaxSide, TCrossword::MaxSide);
}

// The letters of a row in UTF-8, "." for an empty cell.
std::string RowLetters(const TCrossword& crossword, int y) {
    std::string row;
    for (int x = 0; x < crossword.Width; ++x)
        row += crossword.IsCellEmpty(x, y) ? "." : ToUtf8(crossword.CellText(x, y));
    return row;
}

class LineSkanwordTest : public CrosswordTest {
protected:
    std::unique_ptr<TLineSkanword> Strip(int width, const std::vector<std::string>& words) {
        return StripWith(width, WriteDictionary(words));
    }
    std::unique_ptr<TLineSkanword> StripWith(int width, const std::string& dictionary) {
        auto crossword = std::make_unique<TLineSkanword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(dictionary));
        crossword->SetWidth(width);
        crossword->SetHeight(2);
        crossword->Template->ClearRect(0, 0, width - 1, 1, true);
        crossword->PrepareForFill();
        crossword->Running = 1;
        return crossword;
    }
    // Places a UTF-8 word in row y from column x; its put code.
    static int Put(TLineSkanword& crossword, int x, int y, const std::string& word) {
        int slot = -1;
        const std::string text = Cp(word);
        return crossword.PutWordAtCoord(RowRun(x, y, static_cast<int>(text.size())), text, {}, slot);
    }
};

// A sound strip: both rows lettered alike, each row cut into consecutive dictionary words, every
// word once, and no word standing at the same columns in the other row.
::testing::AssertionResult SoundStrip(const TLineSkanword& crossword) {
    if (!crossword.IsComplete()) return ::testing::AssertionFailure() << "not complete";
    for (int x = 0; x < crossword.Width; ++x)
        if (crossword.CellText(x, 0) != crossword.CellText(x, 1))
            return ::testing::AssertionFailure() << "column " << x << " differs";
    std::set<std::string> seen;
    std::set<std::pair<int, int>> spans[2];
    for (int y = 0; y < 2; ++y) {
        int x = 0;
        while (x < crossword.Width) {
            if (!crossword.Template->IsLetterCell(x, y)) {
                if (!crossword.IsCellEmpty(x, y)) return ::testing::AssertionFailure() << "a letter in column " << x;
                ++x;
                continue;
            }
            const int slot = crossword.WordStartingAt(x, y);
            if (slot < 0) return ::testing::AssertionFailure() << "no word starts at (" << x << ", " << y << ")";
            const std::string word(crossword.Words.SlotWord(slot));
            const int length = crossword.Words.WordLength(slot);
            int index = 0;
            if (!crossword.Dictionary.Find(word, index))
                return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" is not in the dictionary";
            if (!seen.insert(word).second) return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" twice";
            if (crossword.Words.WordPath(slot) != std::string(length - 1, '6'))
                return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" does not run right";
            std::string letters;
            for (int i = 0; i < length; ++i) letters += crossword.CellText(x + i, y);
            if (letters != word) return ::testing::AssertionFailure() << "the row spells " << ToUtf8(letters);
            spans[y].insert({x, length});
            x += length;
        }
    }
    for (const auto& span : spans[0])
        if (spans[1].count(span)) return ::testing::AssertionFailure() << "a word at column " << span.first << " in both rows";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(LineSkanwordTest, TemplateKeepsTwoRowsAndSetsWholeColumns) {
    TLineShablon shape(6, 5);
    EXPECT_EQ(shape.Height, 2);
    shape.SetHeight(7);
    EXPECT_EQ(shape.Height, 2);
    EXPECT_EQ(shape.GetWordLayout(), 1);
    EXPECT_FALSE(shape.KeyWordAllowed);
    EXPECT_FALSE(shape.UsesDigits || shape.UsesWalls || shape.UsesArrows);
    EXPECT_EQ(shape.BlankCellLook.BrushColor, RgbColor(0xC0C0C0));
    EXPECT_EQ(PictureOf(shape), (GridPicture{"......", "......"}));

    shape.MirrorX = TSymmetry{true, 2, true};
    shape.SetLetterCell(1, 0, false);
    EXPECT_EQ(PictureOf(shape), (GridPicture{".#..#.", ".#..#."}));
    EXPECT_EQ(shape.GetPixelHeight(), 2 * shape.CellSize + shape.PenWidth);

    TLineSkanword crossword;
    crossword.SetWidth(4);
    crossword.SetHeight(6);
    EXPECT_EQ(crossword.Height, 2);
    EXPECT_EQ(crossword.Template->Height, 2);
    EXPECT_EQ(crossword.CluesInGrid, 1);
}

TEST_F(LineSkanwordTest, TemplateTexts) {
    // Column by column: 0x01 a letter cell, 0x02 another.
    const std::string strip = std::string("532") + "\x01\x01" + "\x02\x02" + "\x01\x01";
    struct Case {
        std::string name, text;
        bool read;
        GridPicture picture;
        std::string message;
    };
    const Case cases[] = {
        {"strip", strip, true, {".#.", ".#."}, ""},
        {"classic", "032" + strip.substr(3), true, {".#.", ".#."}, ""},
        {"three rows: the third is read past", std::string("533") + "\x01\x01\x01" + "\x02\x02\x01" + "\x01\x01\x02",
         true, {".#.", ".#."}, ""},
        {"scanword", "232" + strip.substr(3), false, {"...", "..."}, "Несовместимый тип шаблона!"},
        {"truncated", strip.substr(0, 7), false, {"...", "..."}, "Неверный формат шаблона!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mUi->Messages.clear();
        TLineShablon shape(3, 2);
        EXPECT_EQ(shape.ParseTemplate(c.text, 0, 0), c.read);
        EXPECT_EQ(shape.Height, 2);
        EXPECT_EQ(PictureOf(shape), c.picture);
        if (c.message.empty())
            EXPECT_TRUE(mUi->Messages.empty());
        else
            EXPECT_EQ(mUi->Messages, std::vector<std::string>{Cp(c.message)});
    }
    TLineShablon shape(3, 2);
    ASSERT_TRUE(shape.ParseTemplate(strip, 0, 0));
    EXPECT_EQ(shape.SerializeTemplate(0, 0, 2, 1), strip);
}

TEST_F(LineSkanwordTest, OtherRowBindsThePattern) {
    auto crossword = Strip(6, {"кот", "отдых"});
    ASSERT_EQ(Put(*crossword, 0, 0, "кот"), PutCode::Placed);
    EXPECT_EQ(crossword->PatternAtCoord(RowRun(1, 1, 4)), Cp("от  "));
    EXPECT_EQ(crossword->PatternAtCoord(RowRun(0, 0, 3)), "   ");
    // Rows outside the strip have no other row.
    EXPECT_EQ(crossword->PatternAtCoord(RowRun(0, 5, 2)), "  ");

    ASSERT_EQ(Put(*crossword, 1, 1, "отдых"), PutCode::Placed);
    const int lower = crossword->WordStartingAt(1, 1);
    ASSERT_GE(lower, 0);
    EXPECT_EQ(crossword->SlotPattern(lower), Cp("от   "));
    EXPECT_EQ(crossword->TryPutWord(lower, Cp("отдых"), {}), PutCode::Placed);
}

// Placing by hand (a loaded file, an edit) keeps the strip sound: one row, running right, off the
// other words of its row, and bound by the letters of the other row.
TEST_F(LineSkanwordTest, PlacementKeepsToOneRowAndTheOtherRowsLetters) {
    struct Case {
        std::string name;
        TCoord cells;
        std::string word;
        int code;
    };
    const Case cases[] = {
        {"the other row's letters", RowRun(0, 1, 3), "дом", PutCode::DoesNotFit},
        {"matching them", RowRun(0, 1, 2), "ко", PutCode::Placed},
        {"over a word of its row", RowRun(1, 0, 5), "отдых", PutCode::DoesNotFit},
        {"after it", RowRun(3, 0, 3), "дом", PutCode::Placed},
        {"down across the rows", TCoord(4, 0, "2", TCrossword::MaxSide, TCrossword::MaxSide), "ко", PutCode::DoesNotFit},
        {"below the strip", RowRun(0, 2, 2), "ко", PutCode::DoesNotFit},
        {"across a column without letters", RowRun(5, 1, 3), "дом", PutCode::DoesNotFit},
        {"in its own place again", RowRun(0, 0, 3), "кот", PutCode::Placed},
    };
    auto crossword = Strip(8, {"кот", "ко", "дом", "отдых"});
    crossword->Template->SetLetterCell(6, 0, false);
    ASSERT_EQ(Put(*crossword, 0, 0, "кот"), PutCode::Placed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int slot = -1;
        EXPECT_EQ(crossword->PutWordAtCoord(c.cells, Cp(c.word), {}, slot), c.code);
        EXPECT_EQ(slot >= 0, c.code == PutCode::Placed);
    }
    EXPECT_EQ(RowLetters(*crossword, 0), "котдом..");
    EXPECT_EQ(RowLetters(*crossword, 1), "ко......");
    EXPECT_EQ(crossword->Words.Count(), 3);
}

TEST_F(LineSkanwordTest, FreeRunsEndBeforeTheNextWordOfTheirRow) {
    auto crossword = Strip(30, {"кот", "ток"});
    ASSERT_EQ(Put(*crossword, 5, 0, "кот"), PutCode::Placed);
    struct Case {
        int x, y;
        std::string steps;
        bool allowed;
        int max;
    };
    const Case cases[] = {
        {0, 0, "6666", true, 5},                    // up to the word at column 5
        {4, 0, "", false, 1},                       // one cell before it
        {6, 0, "", false, 1},                       // inside the word
        {0, 1, std::string(23, '6'), true, 24},     // at most 24 cells
        {8, 0, std::string(21, '6'), true, 22},     // to the row's end
        {29, 1, "", false, 1},
        {3, 2, "", false, 0},                       // no row there
        {30, 0, "", false, 0},                      // no column there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        std::string steps;
        crossword->SlotExtraText(RowRun(c.x, c.y, 1), steps);
        EXPECT_EQ(steps, c.steps);
        std::string pattern;
        const TWordLengthLimits limits = crossword->WordLengthLimits(RowRun(c.x, c.y, 1), pattern);
        EXPECT_EQ(limits.Flag, c.allowed);
        if (c.max > 0) { EXPECT_EQ(limits.Max, c.max); }
    }
}

TEST_F(LineSkanwordTest, FixedLetterStandsInBothRowsAndOutlivesRemoval) {
    auto crossword = Strip(6, {"кот", "ток", "поток"});
    crossword->SetFixedLetter(3, 0, Cp("о"));
    EXPECT_EQ(RowLetters(*crossword, 0), "...о..");
    EXPECT_EQ(RowLetters(*crossword, 1), "...о..");
    EXPECT_EQ(Put(*crossword, 1, 0, "кот"), PutCode::DoesNotFit);
    ASSERT_EQ(Put(*crossword, 2, 1, "ток"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 0, 0, "поток"), PutCode::Placed);
    crossword->RemoveWordAtCoord(RowRun(0, 0, 5));
    crossword->RemoveWordAtCoord(RowRun(2, 1, 3));
    EXPECT_EQ(RowLetters(*crossword, 0), "...о..");
    EXPECT_EQ(RowLetters(*crossword, 1), "...о..");
    EXPECT_EQ(crossword->Words.Count(), 0);
}

TEST_F(LineSkanwordTest, AnswerAndCompleteness) {
    auto crossword = Strip(7, {"котёл", "ан", "кот", "ёлан"});
    ASSERT_EQ(Put(*crossword, 0, 0, "котёл"), PutCode::Placed);
    EXPECT_EQ(crossword->BuildClueText({}), Cp("котёл??"));
    EXPECT_FALSE(crossword->IsComplete());
    ASSERT_EQ(Put(*crossword, 5, 0, "ан"), PutCode::Placed);
    EXPECT_EQ(crossword->BuildClueText({}), Cp("котёлан"));
    EXPECT_FALSE(crossword->IsComplete());
    ASSERT_EQ(Put(*crossword, 0, 1, "кот"), PutCode::Placed);
    EXPECT_FALSE(crossword->IsComplete());
    ASSERT_EQ(Put(*crossword, 3, 1, "ёлан"), PutCode::Placed);
    EXPECT_TRUE(crossword->IsComplete());
    EXPECT_TRUE(SoundStrip(*crossword));
    crossword->RemoveWordAtCoord(RowRun(0, 0, 5));
    EXPECT_FALSE(crossword->IsComplete());
    EXPECT_EQ(crossword->BuildClueText({}), Cp("?????ан"));
}

TEST_F(LineSkanwordTest, CluePagesListTheUpperWordsThenTheLower) {
    auto crossword = Strip(7, {"котёл", "ан", "кот", "ёлан"});
    ASSERT_EQ(Put(*crossword, 5, 0, "ан"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 0, 0, "котёл"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 0, 1, "кот"), PutCode::Placed);
    const int pot = crossword->WordStartingAt(0, 0);
    crossword->Words.SetSlotDefinition(pot, Cp("Посуда"));
    crossword->Words.SetSlotHasDefinition(pot, true);
    const int cat = crossword->WordStartingAt(0, 1);
    crossword->Words.SetSlotDefinition(cat, Cp("Зверь"));
    crossword->Words.SetSlotHasDefinition(cat, true);
    TClueListOptions options;
    EXPECT_EQ(crossword->BuildCluePages(options, false), Cp("~#1Посуда ??? \r\n\r\n~#1Зверь \r\n\r\n"));
    options.OnePerLine = true;
    EXPECT_EQ(crossword->BuildCluePages(options, true), Cp("~#1Посуда\r\n???\r\n\r\n\r\n~#1Зверь\r\n\r\n\r\n"));
    EXPECT_EQ(crossword->BuildDirectionClues(options), "");
}

TEST_F(LineSkanwordTest, FillsWithTheDefaultDictionaryAreSound) {
    const std::string dic1 = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    for (const int width : {10, 17, 26}) {
        auto crossword = StripWith(width, dic1);
        for (uint32_t seed = 1; seed <= 2; ++seed) {
            SCOPED_TRACE("width " + std::to_string(width) + ", seed " + std::to_string(seed));
            RandSeed(seed);
            crossword->ClearWords(0, 0, 255, 255, true);
            crossword->PrepareForFill();
            int errCode = 0;
            TFillResult best;
            ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) << errCode;
            EXPECT_TRUE(SoundStrip(*crossword));
        }
    }
}

// The columns a strip lost when it shrank still hold letter cells; a fill given the far corner of
// the largest grid keeps to the strip.
TEST_F(LineSkanwordTest, FillGivenTheFarCornerKeepsToTheStrip) {
    auto crossword = StripWith(20, std::string(ZELVANA_DATA_DIR) + "/dic1.wdi");
    crossword->SetWidth(9);
    crossword->PrepareForFill();
    RandSeed(4);
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, TCrossword::MaxSide, TCrossword::MaxSide, false, errCode, best)) << errCode;
    EXPECT_TRUE(SoundStrip(*crossword));
    for (int slot = 0; slot < crossword->Words.Count(); ++slot) {
        EXPECT_LE(crossword->Words.WordX(slot) + crossword->Words.WordLength(slot), 9);
        EXPECT_LT(crossword->Words.WordY(slot), 2);
    }
}

TEST_F(LineSkanwordTest, WordsKeepOffColumnsWithoutLetters) {
    const std::string dic1 = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    auto crossword = StripWith(14, dic1);
    crossword->Template->SetLetterCell(6, 0, false);
    std::string steps;
    crossword->SlotExtraText(RowRun(2, 1, 1), steps);
    EXPECT_EQ(steps, "666");
    std::string pattern;
    EXPECT_FALSE(crossword->WordLengthLimits(RowRun(6, 1, 1), pattern).Flag);
    for (uint32_t seed = 1; seed <= 2; ++seed) {
        SCOPED_TRACE(seed);
        RandSeed(seed);
        crossword->ClearWords(0, 0, 255, 255, true);
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) << errCode;
        EXPECT_TRUE(SoundStrip(*crossword));
    }
}

TEST_F(LineSkanwordTest, FillKeepsFixedLettersAndStopsOnRequest) {
    const std::string dic1 = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    RandSeed(3);
    auto crossword = StripWith(12, dic1);
    crossword->SetFixedLetter(4, 1, Cp("а"));
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) << errCode;
    EXPECT_TRUE(SoundStrip(*crossword));
    EXPECT_EQ(crossword->CellText(4, 0), Cp("а"));

    // Eight short words cannot cover 40 columns twice: the search runs until it is stopped.
    ExpectCancelAndTimeLimitEnd([&]() -> std::unique_ptr<TCrossword> {
        return Strip(40, {"аб", "ба", "абб", "баа", "ааб", "бба", "аба", "баб"});
    });
    auto hopeless = Strip(5, {"аб", "ба"});
    EXPECT_FALSE(hopeless->Fill(0, 0, 5, 2, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
}

// A definition must fit its word's box: as wide as the word, one cell high. The long one reaches
// 7 points over five columns and less than 6 over two.
TEST_F(LineSkanwordTest, DefinitionsMustFitTheWordsBox) {
    auto crossword = Strip(7, {"котёл", "ан"});
    ASSERT_EQ(Put(*crossword, 0, 0, "котёл"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 5, 0, "ан"), PutCode::Placed);
    const std::string wide = "Большая медная посуда для варки варенья на медленном огне в деревне летом";
    TDefinitionChoice choice;
    choice.CheckFits = true;
    choice.MinFontSize = 6.5;
    struct Case {
        int x;
        std::string definitions, chosen;  // chosen empty: nothing qualifies
    };
    const Case cases[] = {
        {0, wide, wide},
        {5, wide, ""},
        {5, wide + "; &Iкотёл.png", "котёл.png"},
        {5, wide + "; Да", "Да"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definitions + " at column " + std::to_string(c.x));
        choice.Slot = crossword->WordStartingAt(c.x, 0);
        for (int draw = 0; draw < 6; ++draw) {
            std::string text;
            EXPECT_EQ(crossword->PickDefinition(true, Cp(c.definitions), text, choice), !c.chosen.empty());
            EXPECT_EQ(text, Cp(c.chosen));
        }
    }
}

// A saved strip reads back word by word through the strip's own placement, which each word of
// the file passes: both rows and their divisions.
TEST_F(LineSkanwordTest, FileKeepsBothDivisions) {
    RegisterKinds();
    RandSeed(6);
    auto crossword = StripWith(15, std::string(ZELVANA_DATA_DIR) + "/dic1.wdi");
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) << errCode;
    crossword->FileName = Path("strip.crw");
    ASSERT_TRUE(crossword->Save(false));

    TLineSkanword read;
    read.FileName = crossword->FileName;
    ASSERT_TRUE(read.Load(false, false));
    EXPECT_EQ(read.Width, 15);
    EXPECT_EQ(RowLetters(read, 0), RowLetters(*crossword, 0));
    EXPECT_EQ(RowLetters(read, 1), RowLetters(*crossword, 0));
    ASSERT_EQ(read.Words.Count(), crossword->Words.Count());
    for (int slot = 0; slot < crossword->Words.Count(); ++slot) {
        const int x = crossword->Words.WordX(slot), y = crossword->Words.WordY(slot);
        const int same = read.WordStartingAt(x, y);
        ASSERT_GE(same, 0) << x << ", " << y;
        EXPECT_EQ(read.Words.SlotWord(same), crossword->Words.SlotWord(slot));
    }
}

TEST_F(LineSkanwordTest, PictureIsTheUpperRowWithDefinitionBoxes) {
    auto crossword = Strip(7, {"котёл", "ан", "кот", "ёлан"});
    ASSERT_EQ(Put(*crossword, 0, 0, "котёл"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 3, 1, "ёлан"), PutCode::Placed);
    for (const auto& [x, y, definition] : {std::tuple{0, 0, "Посуда"}, std::tuple{3, 1, "Область"}}) {
        const int slot = crossword->WordStartingAt(x, y);
        crossword->Words.SetSlotDefinition(slot, Cp(definition));
        crossword->Words.SetSlotHasDefinition(slot, true);
    }
    const TShablon& t = *crossword->Template;
    int cellX = 0, cellY = 0;
    t.CellToExport(1, 1, cellX, cellY);

    TComExport list;
    crossword->BuildModeExport(list, 0);
    std::vector<std::pair<int, std::string>> letters;
    std::vector<std::tuple<int, int, int>> boxes;
    std::vector<std::pair<int, std::string>> definitions;
    int cells = 0;
    for (int i = 0; i < list.Count(); ++i) {
        switch (static_cast<TExportKind>(list.Kind(i))) {
            case TExportKind::Cell:
                ++cells;
                EXPECT_EQ(list.Y(i), 0);
                EXPECT_EQ(list.Value(i), CellKind::Letter);
                break;
            case TExportKind::Number: ADD_FAILURE() << "a clue number"; break;
            case TExportKind::TextBlock:
                EXPECT_EQ(list.Name(i), "CROSSWORD_CHARS");
                letters.emplace_back(list.X(i) / cellX, ToUtf8(std::string(list.Text(i))));
                break;
            case TExportKind::CellEx:
                boxes.emplace_back(list.X(i) / cellX, list.Y(i) / cellY, list.X2(i));
                EXPECT_EQ(list.Value(i), CellKind::Other);
                EXPECT_EQ(list.Y2(i), 1);
                break;
            case TExportKind::FormattedText:
                EXPECT_EQ(list.Name(i), "SKANWORD_OPR");
                definitions.emplace_back(list.X2(i), ToUtf8(std::string(list.Text(i))));
                break;
            default: break;
        }
    }
    EXPECT_EQ(cells, 7);
    // The lower row's letters are not drawn: only the upper row's five.
    EXPECT_EQ(letters, (std::vector<std::pair<int, std::string>>{{0, "К"}, {1, "О"}, {2, "Т"}, {3, "Ё"}, {4, "Л"}}));
    EXPECT_EQ(boxes, (std::vector<std::tuple<int, int, int>>{{0, -1, 5}, {3, 1, 4}}));
    // Each definition lies in its word's box less the pen on both sides.
    const int pen = t.PenWidth * t.Scale * 1000;
    EXPECT_EQ(definitions,
              (std::vector<std::pair<int, std::string>>{{5 * cellX - 2 * pen, "Посуда"}, {4 * cellX - 2 * pen, "Область"}}));

    // The codeword: numbers in the upper row's letter cells, the table of the seven letters below
    // the strip, a cell for the number and one for the letter of each entry.
    list.Clear();
    crossword->BuildModeExport(list, 2);
    std::multiset<int> stripNumbers;
    std::set<std::string> tableNumbers;
    int tableCells = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const int row = list.Y(i) / cellY;
        const auto kind = static_cast<TExportKind>(list.Kind(i));
        if (kind == TExportKind::Cell && row >= 3) ++tableCells;
        if (kind != TExportKind::TextBlock) continue;
        if (row == 0) stripNumbers.insert(std::stoi(std::string(list.Text(i))));
        if (row == 3) tableNumbers.insert(std::string(list.Text(i)));
    }
    EXPECT_EQ(crossword->LetterCounts.Count(), 7);
    EXPECT_EQ(stripNumbers.size(), 5u);
    EXPECT_EQ(tableNumbers, (std::set<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(tableCells, 14);

    crossword->OprText.NoPaint = true;
    crossword->Chars.FillEmpty = true;
    list.Clear();
    crossword->BuildModeExport(list, 0);
    int texts = 0;
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_NE(static_cast<TExportKind>(list.Kind(i)), TExportKind::CellEx);
        if (static_cast<TExportKind>(list.Kind(i)) == TExportKind::TextBlock) {
            ++texts;
            EXPECT_GT(list.Y(i), cellY);
        }
    }
    EXPECT_EQ(texts, 7);

    list.Clear();
    crossword->BuildModeExport(list, 5);
    EXPECT_EQ(list.Count(), 0);

    TMetafile picture;
    crossword->DrawToMetafile(picture, 0);
    EXPECT_EQ(picture.Height(), t.Scale * (t.GetPixelHeight() + t.CellSize));
    EXPECT_EQ(picture.Width(), t.Scale * t.GetPixelWidth());
    crossword->DrawToMetafile(picture, 2);
    const int entries = crossword->LetterCounts.Count();
    EXPECT_GT(entries, 0);
    EXPECT_EQ(picture.Height(),
              t.Scale * (t.GetPixelHeight() + t.CellSize) + (2 * (entries / 7 + 1) + 1) * t.GetCellPixelHeight());
}
