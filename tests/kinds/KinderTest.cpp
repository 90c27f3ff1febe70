#include "kinds/Kinder.h"
#include "kinds/KinderShablon.h"

#include "../crossword/FillFixture.h"

#include "export/ComExport.h"
#include "platform/Clock.h"
#include "platform/FileText.h"

#include <set>
#include <stdexcept>
#include <utility>

namespace {

class KinderTest : public CrosswordTest {
protected:
    // A children's crossword of the field with key-word cells, in key-word order, and a fill
    // ready to run.
    std::unique_ptr<TKinder> Kinder(const GridPicture& grid, const std::vector<std::string>& words,
                                    const std::vector<std::pair<int, int>>& keyCells = {}, int orientation = 0) {
        auto crossword = Make<TKinder>(grid, words);
        crossword->Shape().Orientation = static_cast<uint8_t>(orientation);
        for (const auto& [x, y] : keyCells) {
            crossword->Template->KeyWordCells += static_cast<char>(x);
            crossword->Template->KeyWordCells += static_cast<char>(y);
        }
        crossword->Running = 1;
        return crossword;
    }

    static int Put(TKinder& crossword, int x, int y, const std::string& path, const std::string& word) {
        int slot = -1;
        return crossword.PutWordAtCoord(TCoord(x, y, path, crossword.Width, crossword.Height), Cp(word), {}, slot);
    }

    static bool FillAll(TKinder& crossword, int& errCode) {
        TFillResult best;
        return crossword.Fill(0, 0, crossword.Width, crossword.Height, true, errCode, best);
    }

    // The cells the export draws as letter or key-word cells, as (column, row).
    static std::set<std::pair<int, int>> ExportedCells(TKinder& crossword) {
        TComExport list;
        crossword.ExportCrosswordScript(list, 0);
        int size = 0, unused = 0;
        crossword.Template->CellToExport(1, 0, size, unused);
        std::set<std::pair<int, int>> cells;
        for (int i = 0; i < list.Count(); ++i) {
            const bool letterCell = list.Kind(i) == static_cast<int>(TExportKind::Cell) && list.Value(i) == CellKind::Letter;
            if (letterCell || list.Kind(i) == static_cast<int>(TExportKind::KeyWordNumber))
                cells.emplace(list.X(i) / size, -list.Y(i) / size);
        }
        return cells;
    }
};

const GridPicture Field5x4 = {".....", ".....", ".....", "....."};
const std::vector<std::pair<int, int>> Row2 = {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}};

}  // namespace

TEST(KinderShablonTest, TextKeepsOrientationCellsAndTheKeptFlag) {
    for (const int orientation : {0, 1}) {
        TKinderShablon shape(3, 2);
        shape.Orientation = static_cast<uint8_t>(orientation);
        shape.SetLetterCell(1, 0, false);
        shape.RawCell(2, 1).Flags |= TKinderShablon::KeptFlag;
        const std::string text = shape.SerializeTemplate(0, 0, 2, 1);
        EXPECT_EQ(text, std::string("=32") + static_cast<char>('0' + orientation) + "\x01\x01\x02\x01\x01\x03");

        ScopedRecordingUi ui;
        TKinderShablon read(3, 2);
        ASSERT_TRUE(read.ParseTemplate(text, 0, 0));
        EXPECT_EQ(read.Orientation, orientation);
        EXPECT_EQ(PictureOf(read), (GridPicture{".#.", "..."}));
        EXPECT_TRUE(read.RawCell(2, 1).Flags & TKinderShablon::KeptFlag);
        EXPECT_EQ(read.SerializeTemplate(0, 0, 2, 1), text);
    }
}

TEST(KinderShablonTest, RefusedTextsKeepTheCellsRead) {
    struct Case {
        std::string text;
        std::string message;
        GridPicture cells;
    };
    const std::string malformed = "Неверный формат шаблона!", foreign = "Несовместимый тип шаблона!";
    const Case cases[] = {
        {"=2", malformed, {"..", ".."}},
        {"=22", malformed, {"..", ".."}},
        {std::string("022\x01\x01\x01\x01"), foreign, {"..", ".."}},
        {"=225\x01\x01\x01\x01", malformed, {"..", ".."}},
        // Ends after the first column: it is read, the second is left cleared.
        {"=220\x02\x01", malformed, {"##", ".#"}},
    };
    for (const Case& c : cases) {
        ScopedRecordingUi ui;
        TKinderShablon shape(2, 2);
        EXPECT_FALSE(shape.ParseTemplate(c.text, 0, 0)) << c.text;
        EXPECT_EQ(ui->Messages, (std::vector<std::string>{Cp(c.message)})) << c.text;
        EXPECT_EQ(PictureOf(shape), c.cells) << c.text;
    }
}

TEST(KinderShablonTest, NumbersTheFirstFlaggedCellOfEveryLine) {
    struct Case {
        int orientation;
        std::vector<std::pair<int, int>> flagged;
        std::vector<std::pair<int, int>> numbered;  // in number order
    };
    const Case cases[] = {
        {0, {{2, 0}, {0, 1}, {0, 2}, {1, 2}}, {{0, 1}, {1, 2}, {2, 0}}},
        {1, {{2, 0}, {0, 1}, {0, 2}, {1, 2}}, {{2, 0}, {0, 1}, {0, 2}}},
    };
    for (const Case& c : cases) {
        TKinderShablon shape(3, 3);
        shape.Orientation = static_cast<uint8_t>(c.orientation);
        for (const auto& [x, y] : c.flagged) shape.SetNumbered(x, y, true);
        shape.NumberCells();
        std::vector<std::pair<int, int>> numbered;
        for (int n = 1; n <= 9; ++n)
            for (int x = 0; x < 3; ++x)
                for (int y = 0; y < 3; ++y)
                    if (shape.GetNumber(x, y) == n) numbered.emplace_back(x, y);
        EXPECT_EQ(numbered, c.numbered) << "orientation " << c.orientation;
    }
}

TEST(KinderShablonTest, NewFieldIsLetterCellsWithPaintedKeyWordCellsAndNoTable) {
    const TKinderShablon shape(3, 2);
    EXPECT_EQ(PictureOf(shape), (GridPicture{"...", "..."}));
    EXPECT_EQ(shape.Orientation, 0);
    EXPECT_EQ(shape.MarkedOnly, 0);
    EXPECT_FALSE(shape.KeyWordCellLook.NoPaint);
    EXPECT_FALSE(shape.ShowKeyWordTable);
    EXPECT_TRUE(shape.UsesDigits);
    EXPECT_FALSE(shape.UsesWalls);
    EXPECT_FALSE(shape.UsesArrows);
}

TEST(KinderShablonTest, MarkedOnlyLeavesTheMarkedLetterCells) {
    TKinderShablon shape(2, 1);
    EXPECT_EQ(shape.GetWordLayout(), 1);
    shape.SetMarkE(1, 0, true);
    EXPECT_TRUE(shape.IsLetterCell(0, 0));
    shape.MarkedOnly = 1;
    EXPECT_FALSE(shape.IsLetterCell(0, 0));
    EXPECT_TRUE(shape.IsLetterCell(1, 0));
}

TEST_F(KinderTest, FiveColumnsCompleteTheFieldAndSpellTheKeyWord) {
    auto crossword = Kinder(Field5x4, {"кот", "лось", "сок", "рак", "дом", "лук", "мир", "код", "сон", "нос", "шар"},
                            Row2);
    EXPECT_EQ(crossword->Unformatted, 1);
    crossword->SetKeyword(Cp("тоорк"), {});
    int errCode = 0;
    EXPECT_TRUE(FillAll(*crossword, errCode));
    EXPECT_EQ(errCode, 0);
    EXPECT_EQ(crossword->FilledCount(), 5);
    EXPECT_TRUE(crossword->IsComplete());
    for (int i = 0; i < crossword->Words.Count(); ++i) {
        const TCoord cells = crossword->SlotCells(i);
        EXPECT_EQ(cells.CellX(0), i) << "one word per column, in column order";
        EXPECT_EQ(crossword->Template->GetNumber(cells.CellX(0), cells.CellY(0)), i + 1);
        EXPECT_GE(cells.IndexOfCell(i, 2), 0) << "through the key-word cell";
        EXPECT_EQ(crossword->SlotsThroughCell(i, 2), std::vector<int>{i});
    }
    EXPECT_EQ(Letters(*crossword)[2], "тоорк");
}

TEST_F(KinderTest, ChangedKeyWordAfterTheFillDropsTheDisagreeingWordsAndTheFillTakesTheirLines) {
    auto crossword = Kinder(Field5x4, {"кот", "лось", "сок", "рак", "дом", "лук", "мир", "код", "сон", "нос", "шар"},
                            Row2);
    crossword->SetKeyword(Cp("тоорк"), {});
    int errCode = 0;
    ASSERT_TRUE(FillAll(*crossword, errCode));
    const GridPicture filled = Letters(*crossword);
    // Columns 3 and 4 swap their key letters: their words no longer agree.
    crossword->SetKeyword(Cp("тоокр"), {});
    ASSERT_EQ(crossword->Words.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(crossword->Words.WordX(i), i);
        EXPECT_EQ(crossword->Template->GetNumber(i, crossword->Words.WordY(i)), i + 1);
    }
    // Rows compared in cp1251, one byte a cell.
    const GridPicture kept = Letters(*crossword);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Cp(kept[y]).substr(0, 3), Cp(filled[y]).substr(0, 3)) << "row " << y;
        EXPECT_EQ(Cp(kept[y]).substr(3), Cp(y == 2 ? "кр" : "..")) << "row " << y;
    }

    ASSERT_TRUE(FillAll(*crossword, errCode));
    EXPECT_EQ(crossword->Words.Count(), 5);
    const GridPicture refilled = Letters(*crossword);
    EXPECT_EQ(refilled[2], "тоокр");
    for (int y = 0; y < 4; ++y) { EXPECT_EQ(Cp(refilled[y]).substr(0, 3), Cp(filled[y]).substr(0, 3)) << "row " << y; }
}

TEST_F(KinderTest, FillStopsAtTheLineAfterAMessageRunThatCancelsOrPassesTheTimeLimit) {
    const std::string letters = "абвгдежзийклмноп";
    std::vector<std::string> words;
    for (std::size_t a = 0; a < 32; a += 2)
        for (std::size_t b = 0; b < 8; b += 2) words.push_back(letters.substr(a, 2) + letters.substr(b, 2));
    for (const int stop : {FillError::Stopped, FillError::TimeLimit}) {
        auto crossword = Kinder({"................", "................"}, words);
        crossword->FillParameters.TimeLimit = 1;
        ManualClock clock;
        ScopedUi<HookUi> ui;
        ui->Hook = [&] {
            if (stop == FillError::Stopped)
                crossword->Running = 0;
            else
                clock.Advance(1000);
        };
        int errCode = 0;
        EXPECT_FALSE(FillAll(*crossword, errCode)) << stop;
        EXPECT_EQ(errCode, stop);
        // Messages are processed after every 15 lines; the check before the 16th ends the fill.
        EXPECT_EQ(crossword->Words.Count(), 15) << stop;
    }
}

TEST_F(KinderTest, RowsTakeTheWordsWithOrientationOne) {
    auto crossword = Kinder({"...", "...", "..."}, {"кот", "дом", "сон", "мир"}, {{1, 0}, {1, 1}, {1, 2}}, 1);
    crossword->SetKeyword(Cp("оои"), {});
    int errCode = 0;
    EXPECT_TRUE(FillAll(*crossword, errCode));
    EXPECT_EQ(crossword->Words.Count(), 3);
    for (int i = 0; i < crossword->Words.Count(); ++i) EXPECT_EQ(crossword->Words.WordPath(i), "66");
    EXPECT_EQ(Letters(*crossword)[2], "мир");
}

TEST_F(KinderTest, KeyWordBindsOnlyItsOwnCells) {
    auto crossword = Kinder(Field5x4, {"кот"}, Row2);
    crossword->SetKeyword(Cp("ток"), {});
    // A key word shorter than the cells leaves the rest empty and open.
    EXPECT_EQ(Letters(*crossword)[2], "ток..");
    EXPECT_EQ(crossword->KeywordText(), Cp("ток"));
    const TCoord column3(3, 0, "222", crossword->Width, crossword->Height);
    EXPECT_EQ(crossword->PatternAtCoord(TCoord(1, 1, "22", crossword->Width, crossword->Height)), Cp(" о "));
    EXPECT_EQ(crossword->PatternAtCoord(column3), "    ");
    EXPECT_EQ(Put(*crossword, 0, 1, "22", "кот"), PutCode::DoesNotFit);
    EXPECT_EQ(Put(*crossword, 0, 0, "22", "кот"), PutCode::Placed);
    EXPECT_EQ(crossword->SlotPattern(0), Cp("  т"));
}

TEST_F(KinderTest, KeyWordLettersFollowTheKeyWordNumbersWhateverTheCellOrder) {
    // Listed right to left: the letters written and the letters that bind are the same ones.
    auto crossword = Kinder({"...", "...", "..."}, {"око", "тот"}, {{2, 1}, {1, 1}, {0, 1}});
    crossword->SetKeyword(Cp("кот"), {});
    EXPECT_EQ(Letters(*crossword)[1], "ток");
    EXPECT_EQ(crossword->PatternAtCoord(TCoord(2, 0, "22", crossword->Width, crossword->Height)), Cp(" к "));
    EXPECT_EQ(Put(*crossword, 2, 0, "22", "око"), PutCode::Placed);
    EXPECT_EQ(Put(*crossword, 0, 0, "22", "око"), PutCode::DoesNotFit);
    EXPECT_EQ(Put(*crossword, 0, 0, "22", "тот"), PutCode::DoesNotFit);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"..о", "ток", "..о"}));
}

TEST_F(KinderTest, LimitsFollowTheLineAndRefuseASecondWord) {
    auto crossword = Kinder({"..", "..", "#.", ".."}, {"кот"});
    struct Case {
        int x, y;
        std::string steps;
    };
    for (const Case& c : {Case{0, 0, "2"}, Case{0, 2, ""}, Case{0, 3, ""}, Case{1, 0, "222"}}) {
        std::string steps, pattern;
        const TCoord start(c.x, c.y, "", crossword->Width, crossword->Height);
        crossword->SlotExtraText(start, steps);
        EXPECT_EQ(steps, c.steps) << c.x << "," << c.y;
        const TWordLengthLimits limits = crossword->WordLengthLimits(start, pattern);
        EXPECT_EQ(limits.Flag, !c.steps.empty()) << c.x << "," << c.y;
        EXPECT_EQ(limits.Max, static_cast<int>(c.steps.size()) + 1) << c.x << "," << c.y;
    }
    ASSERT_EQ(Put(*crossword, 1, 1, "22", "кот"), PutCode::Placed);
    std::string steps;
    crossword->SlotExtraText(TCoord(1, 0, "", crossword->Width, crossword->Height), steps);
    EXPECT_EQ(steps, "");
}

TEST_F(KinderTest, ChangedKeyWordKeepsTheWordsThatAgree) {
    auto crossword = Kinder(Field5x4, {"кот", "дом", "сок"}, {{0, 1}, {1, 1}, {2, 1}});
    crossword->SetKeyword(Cp("оок"), {});
    ASSERT_EQ(Put(*crossword, 0, 0, "22", "кот"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 1, 0, "22", "дом"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 2, 1, "22", "кот"), PutCode::Unavailable);
    ASSERT_EQ(Put(*crossword, 2, 0, "22", "сок"), PutCode::DoesNotFit);
    crossword->Words.SetSlotLocked(1, true);
    crossword->SetKeyword(Cp("коо"), {});
    ASSERT_EQ(crossword->Words.Count(), 1);
    EXPECT_EQ(crossword->Words.SlotWord(0), Cp("дом"));
    EXPECT_TRUE(crossword->Words.SlotLocked(0));
    EXPECT_EQ(crossword->Template->GetNumber(1, 0), 1);
    EXPECT_FALSE(crossword->Template->IsNumbered(0, 0));
    EXPECT_EQ(Letters(*crossword), (GridPicture{".д...", "коо..", ".м...", "....."}));
    // Taking a word out leaves the key word's letter in its cell.
    crossword->RemoveWordAtCoord(crossword->SlotCells(0));
    EXPECT_EQ(Letters(*crossword), (GridPicture{".....", "коо..", ".....", "....."}));
    EXPECT_FALSE(crossword->Template->IsNumbered(1, 0));
}

TEST_F(KinderTest, ShorterKeyWordKeepsTheLettersOfWordsPastIt) {
    auto crossword = Kinder({"..", ".."}, {"кот", "ос", "он"}, {{0, 0}, {1, 0}});
    ASSERT_EQ(Put(*crossword, 0, 0, "2", "ос"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 1, 0, "2", "он"), PutCode::Placed);
    crossword->SetKeyword(Cp("о"), {});
    ASSERT_EQ(crossword->Words.Count(), 2);
    crossword->RemoveWordAtCoord(crossword->SlotCells(0));
    EXPECT_EQ(Letters(*crossword), (GridPicture{"оо", ".н"}));
}

TEST_F(KinderTest, ExportShowsOnlyWordAndKeyWordCellsAndRestoresTheMarks) {
    auto crossword = Kinder({".....", ".....", ".....", ".....", "....."}, {"кот"},
                            {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
    ASSERT_EQ(Put(*crossword, 3, 1, "22", "кот"), PutCode::Placed);
    TKinderShablon& shape = crossword->Shape();
    shape.SetMarkE(0, 4, true);
    const std::set<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {3, 1}, {3, 2}, {3, 3}};
    EXPECT_EQ(ExportedCells(*crossword), expected);
    EXPECT_EQ(shape.MarkedOnly, 0);
    EXPECT_TRUE(shape.HasMarkE(0, 4));
    EXPECT_FALSE(shape.HasMarkE(3, 1));
    EXPECT_FALSE(shape.HasMarkE(0, 0));
    // A switch set beforehand is the template's own and stays.
    shape.MarkedOnly = 1;
    ExportedCells(*crossword);
    EXPECT_EQ(shape.MarkedOnly, 1);
    EXPECT_TRUE(shape.HasMarkE(0, 4));
    EXPECT_FALSE(shape.HasMarkE(3, 2));
}

TEST_F(KinderTest, ExportThatEndsEarlyOrFailsRestoresTheMarksToo) {
    // A field whose export fails at its last cell.
    class FailingField : public TKinderShablon {
    public:
        using TKinderShablon::TKinderShablon;
        void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override {
            if (x == Width - 1 && y == Height - 1) throw std::runtime_error("export failed");
            TKinderShablon::ExportCell(x, y, x0, y0, list);
        }
    };
    for (const bool failing : {false, true}) {
        auto crossword = Kinder({"...", "...", "..."}, {"кот"});
        if (failing) {
            crossword->Template = std::make_unique<FailingField>(3, 3);
            crossword->PrepareForFill();
        } else {
            // Cells too large for the export's coordinates: it stops before drawing anything.
            crossword->Template->CellSize = INT32_MAX;
            ASSERT_FALSE(crossword->Template->ExportFits());
        }
        crossword->Template->KeyWordCells = std::string("\x00\x01\x01\x01\x02\x01", 6);
        ASSERT_EQ(Put(*crossword, 2, 0, "22", "кот"), PutCode::Placed);
        TKinderShablon& shape = crossword->Shape();
        shape.SetMarkE(0, 0, true);
        TComExport list;
        bool thrown = false;
        try {
            crossword->ExportCrosswordScript(list, 0);
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        EXPECT_EQ(thrown, failing);
        EXPECT_EQ(shape.MarkedOnly, 0) << failing;
        EXPECT_EQ(PictureOf(shape), (GridPicture{"...", "...", "..."})) << failing;
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y) {
                EXPECT_EQ(shape.HasMarkE(x, y), x == 0 && y == 0) << failing << " " << x << "," << y;
            }
    }
}

TEST_F(KinderTest, FileKeepsKeyWordItsCellsAndTheWords) {
    auto crossword = Kinder(Field5x4, {"кот", "дом", "сок"}, {{0, 1}, {1, 1}, {2, 1}});
    crossword->SetKeyword(Cp("оо"), {});
    ASSERT_EQ(Put(*crossword, 0, 0, "22", "кот"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 1, 0, "22", "дом"), PutCode::Placed);
    crossword->FileName = Path("kids.crw");
    ASSERT_TRUE(crossword->Save(false));
    std::string data;
    ASSERT_TRUE(ReadFileText(crossword->FileName, data));
    EXPECT_EQ(data[28], 2) << "version";

    const auto check = [&](TKinder& read, const std::string& keyCells) {
        EXPECT_EQ(read.KeywordText(), Cp("оо"));
        EXPECT_EQ(read.Template->KeyWordCells, keyCells);
        EXPECT_EQ(read.Unformatted, 1);
        ASSERT_EQ(read.Words.Count(), 2);
        EXPECT_EQ(read.Template->GetNumber(1, 0), 2);
        EXPECT_EQ(Letters(read)[1], "оо...");
    };
    TKinder read;
    read.FileName = crossword->FileName;
    ASSERT_TRUE(read.Load(false, false));
    check(read, crossword->Template->KeyWordCells);

    // A file without the cell list (as the kind's older files are) still gives its words.
    const std::size_t cellsLength = crossword->Template->KeyWordCells.size();
    std::string older = data.substr(0, data.size() - cellsLength);
    older.replace(48, 4, std::string(4, '\0'));
    older[28] = 1;
    ASSERT_TRUE(WriteFileText(Path("older.crw"), older));
    TKinder old;
    old.FileName = Path("older.crw");
    ASSERT_TRUE(old.Load(false, false));
    check(old, "");

    // Another version is a format error leaving an empty 1 x 1 crossword.
    data[28] = 3;
    ASSERT_TRUE(WriteFileText(Path("v3.crw"), data));
    TKinder refused;
    refused.FileName = Path("v3.crw");
    EXPECT_FALSE(refused.Load(false, true));
    EXPECT_EQ(refused.Width, 1);
    EXPECT_EQ(mUi->Messages.back(), Format("Ошибка формата файла %s"_cp, FromUtf8(refused.FileName)));
}

TEST_F(KinderTest, FileWithABrokenTemplateLeavesAnEmptyCrossword) {
    auto crossword = Kinder(Field5x4, {"кот"}, {{0, 1}, {1, 1}});
    crossword->SetKeyword(Cp("оо"), {});
    ASSERT_EQ(Put(*crossword, 0, 0, "22", "кот"), PutCode::Placed);
    crossword->FileName = Path("kids.crw");
    ASSERT_TRUE(crossword->Save(false));
    std::string data;
    ASSERT_TRUE(ReadFileText(crossword->FileName, data));
    const std::size_t text = data.find("=54");
    ASSERT_NE(text, std::string::npos);
    data[text + 3] = '7';  // no orientation
    ASSERT_TRUE(WriteFileText(crossword->FileName, data));

    mUi->Messages.clear();
    EXPECT_FALSE(crossword->Load(false, true));
    EXPECT_EQ(mUi->Messages, (std::vector<std::string>{Cp("Неверный формат шаблона!"),
                                                       Cp("Ошибка чтения шаблона кроссворда!"),
                                                       Format("Ошибка формата файла %s"_cp, FromUtf8(crossword->FileName))}));
    EXPECT_EQ(crossword->Width, 1);
    EXPECT_EQ(crossword->Height, 1);
    EXPECT_EQ(crossword->Words.Count(), 0);
    EXPECT_EQ(crossword->Template->KeyWordCells, "");
    EXPECT_EQ(crossword->KeywordText(), "");
}

TEST_F(KinderTest, WithoutAWholeLineWordTheFillTakesARunThroughTheKeyWordCell) {
    // No five-letter word: the column takes a shorter run, and only runs through row 3 do.
    for (const uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        auto crossword = Kinder({".", ".", ".", ".", "."}, {"кит", "сук", "дом", "ос", "лев", "як"}, {{0, 3}});
        crossword->SetKeyword(Cp("о"), {});
        RandSeed(seed);
        int errCode = 0;
        ASSERT_TRUE(FillAll(*crossword, errCode)) << seed;
        const TCoord cells = crossword->SlotCells(0);
        EXPECT_GE(cells.IndexOfCell(0, 3), 0) << seed;
        EXPECT_EQ(Letters(*crossword)[3], "о") << seed;
    }
}

TEST_F(KinderTest, FillKeepsItsWordsInsideTheArea) {
    // Only two-letter words: every run of two cells takes one.
    const std::string letters = "абвгдежз";
    std::vector<std::string> words;
    for (std::size_t a = 0; a < letters.size(); a += 2)
        for (std::size_t b = 0; b < letters.size(); b += 2) words.push_back(letters.substr(a, 2) + letters.substr(b, 2));
    struct Case {
        int orientation, x1, y1, x2, y2;
        int words;
    };
    const Case cases[] = {
        {0, 1, 0, 2, 3, 2},
        {0, 0, 1, 3, 2, 4},
        {1, 0, 2, 3, 3, 2},
        {1, 1, 0, 3, 3, 4},
    };
    for (const Case& c : cases) {
        auto crossword = Kinder({"....", "....", "....", "...."}, words, {}, c.orientation);
        int errCode = 0;
        TFillResult best;
        crossword->Fill(c.x1, c.y1, c.x2, c.y2, true, errCode, best);
        EXPECT_EQ(crossword->Words.Count(), c.words) << c.orientation << " " << c.x1 << "," << c.y1;
        for (int i = 0; i < crossword->Words.Count(); ++i) {
            const TCoord cells = crossword->SlotCells(i);
            for (const TCell& cell : cells.Cells()) {
                EXPECT_TRUE(cell.x >= c.x1 && cell.x <= c.x2 && cell.y >= c.y1 && cell.y <= c.y2)
                    << c.orientation << " " << c.x1 << "," << c.y1 << ": " << int(cell.x) << "," << int(cell.y);
            }
        }
    }
}

TEST_F(KinderTest, FillStopsAtTheGridWhenGivenItsSizeAsTheFarCorner) {
    auto crossword = Kinder({"...", "...", "..."}, {"кот", "дом", "сон", "ос", "он"});
    // Cells beyond a narrowed grid keep their letter flags.
    crossword->SetWidth(2);
    int errCode = 0;
    EXPECT_TRUE(FillAll(*crossword, errCode));
    EXPECT_EQ(crossword->Words.Count(), 2);
    for (int i = 0; i < crossword->Words.Count(); ++i) EXPECT_LT(crossword->Words.WordX(i), 2);
}

TEST_F(KinderTest, ManyCandidatesOfOneCategoryAreFound) {
    // 256 two-letter words: a byte counter of them would read none.
    const std::string letters = "абвгдежзийклмноп";
    std::vector<std::string> words;
    for (std::size_t a = 0; a < 32; a += 2)
        for (std::size_t b = 0; b < 32; b += 2) words.push_back(letters.substr(a, 2) + letters.substr(b, 2));
    auto crossword = Kinder({".", "."}, words);
    int errCode = 0;
    EXPECT_TRUE(FillAll(*crossword, errCode));
    EXPECT_EQ(crossword->Words.Count(), 1);
}

TEST_F(KinderTest, LineWithoutAWordLeavesTheFillIncomplete) {
    auto crossword = Kinder({"..", ".."}, {"ос"}, {{0, 1}, {1, 1}});
    crossword->SetKeyword(Cp("сх"), {});
    int errCode = 0;
    EXPECT_FALSE(FillAll(*crossword, errCode));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(crossword->Words.Count(), 1);
}

// Both lines take a word, but none crosses the key word's letter: the puzzle lacks its key word.
TEST_F(KinderTest, AKeyWordLetterThatNoWordCrossesLeavesTheFillIncomplete) {
    auto crossword = Kinder({"..", "..", ".."}, {"ос", "да"}, {{1, 2}});
    crossword->SetKeyword(Cp("х"), {});
    int errCode = 0;
    EXPECT_FALSE(FillAll(*crossword, errCode));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(crossword->FilledCount(), 2);
    EXPECT_FALSE(crossword->IsComplete());
}
