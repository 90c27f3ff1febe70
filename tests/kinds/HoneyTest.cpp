// The honeycomb crosswords: one slot per numbered centre, the centre letter where the ring mode
// puts it, the closed-ring rule of the centre, ring, centre mode and fills of both kinds.

#include "kinds/Honey.h"

#include "FieldCheck.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <type_traits>

namespace {

class HoneyTest : public CrosswordTest {
protected:
    // rows: "#" blank, "." letter cell, "o" a centre with its default start.
    template <class TKind>
    std::unique_ptr<TKind> Make(const std::vector<std::string>& rows, int mode,
                                const std::vector<std::string>& utf8Words) {
        auto crossword = std::make_unique<TKind>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(utf8Words)));
        crossword->SetWidth(static_cast<int>(rows[0].size()));
        crossword->SetHeight(static_cast<int>(rows.size()));
        TBaseHoneyShablon& honey = crossword->Honey();
        honey.RingMode = static_cast<uint8_t>(mode);
        for (int y = 0; y < honey.Height; ++y)
            for (int x = 0; x < honey.Width; ++x) {
                honey.SetLetterCellOnly(x, y, rows[y][x] == '.');
                if (rows[y][x] == 'o') honey.SetStartDirection(x, y, honey.Kind == TShablonKind::Honey ? 0 : 4);
            }
        honey.NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }
};

TEST_F(HoneyTest, EveryNumberedCentreGivesOneRingSlot) {
    auto hex = Make<THoney>({".....", ".o.o.", ".....", "o...."}, 0, {"абвгде"});
    ASSERT_EQ(hex->Words.Count(), 2);
    EXPECT_EQ(hex->Words.WordLength(0), 6);
    EXPECT_EQ((std::pair{hex->Words.WordX(0), hex->Words.WordY(0)}), (std::pair{0, 1}));
    EXPECT_EQ((std::pair{hex->Words.WordX(1), hex->Words.WordY(1)}), (std::pair{2, 1}));
    EXPECT_EQ(hex->CluesInGrid, 1);
    EXPECT_TRUE(hex->BuildDirectionClues({}).empty());
}

TEST_F(HoneyTest, FillsPutTheCentreLetterWhereTheModeSays) {
    const std::vector<std::string> square = {"...", ".o.", "..."};
    struct TCase {
        int Mode;
        std::string Word;
        int CentreAt;  // index of the centre's letter in the word, -1 none
    };
    const TCase cases[] = {
        {0, "абвгдежз", -1},
        {1, "абвгдежзи", 0},
        {2, "абвгдежзи", 8},
        {3, "абвгдежзиа", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Mode);
        ScopedRecordingUi ui;
        auto crossword = Make<THoney_8>(square, c.Mode, {c.Word});
        ASSERT_EQ(crossword->Words.Count(), 1);
        crossword->FillParameters.TimeLimit = 20;
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 2, 2, false, errCode, best)) << errCode;
        const std::string word = FromUtf8(c.Word);
        EXPECT_EQ(SlotLetters(*crossword, 0), word);
        // The ring starts at the left neighbour and runs clockwise.
        const std::string ring = c.Mode == 1 || c.Mode == 3 ? word.substr(1, 8) : word.substr(0, 8);
        EXPECT_EQ(crossword->CellText(0, 1) + crossword->CellText(0, 0) + crossword->CellText(1, 0), ring.substr(0, 3));
        if (c.CentreAt >= 0) { EXPECT_EQ(crossword->CellText(1, 1), word.substr(c.CentreAt, 1)); }
    }
}

TEST_F(HoneyTest, ClosedRingModeRefusesWordsWithDifferentEnds) {
    auto crossword = Make<THoney_8>({"...", ".o.", "..."}, 3, {"абвгдежзиа", "абвгдежзик"});
    EXPECT_EQ(crossword->TryPutWord(0, FromUtf8("абвгдежзик"), {}), PutCode::RingEnds);
    EXPECT_FALSE(crossword->Words.SlotFilled(0));
    EXPECT_EQ(crossword->TryPutWord(0, FromUtf8("абвгдежзиа"), {}), PutCode::Placed);
}

// The first and last cells are compared as cells of the dictionary's format, pieces of any
// length too.
TEST_F(HoneyTest, ClosedRingComparesTheFirstAndLastCellsInTheDictionarysFormat) {
    struct TCase {
        uint8_t Format;
        std::string Word;
        bool Closes;
    };
    const TCase cases[] = {
        {CellFormatPieces, "аб~в~г~д~е~ж~з~и~к~аб", true},
        {CellFormatPieces, "аб~в~г~д~е~ж~з~и~к~а", false},
        {CellFormatPieces, "а~в~г~д~е~ж~з~и~к~ба", false},
        {CellFormatPairs, "абвгдежзиклмнопрстаб", true},
        {CellFormatPairs, "абвгдежзиклмнопрстба", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Word);
        auto crossword = Make<THoney_8>({"...", ".o.", "..."}, 3, {"абвгдежзиа"});
        DictionaryLayout layout;
        layout.cellFormat = c.Format;
        ASSERT_TRUE(WriteDictionaryFile(Path("cells.wdi"), layout, DictionaryWords({c.Word})));
        ASSERT_TRUE(crossword->LoadDictionary(Path("cells.wdi")));
        crossword->PrepareForFill();
        const std::string word = FromUtf8(c.Word);
        EXPECT_EQ(crossword->RingWordCloses(word), c.Closes);
        EXPECT_EQ(crossword->TryPutWord(0, word, {}) == PutCode::RingEnds, !c.Closes);
    }
}

TEST_F(HoneyTest, ClosedRingFillUsesOnlyClosingWordsAndGivesTheOthersBack) {
    ScopedRecordingUi ui;
    const std::vector<std::string> words = {"абвгдежзик", "бвгдежзикл", "вгдежзиклв", "гдежзиклмн"};
    auto crossword = Make<THoney_8>({"...", ".o.", "..."}, 3, words);
    crossword->FillParameters.TimeLimit = 20;
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 2, 2, false, errCode, best)) << errCode;
    EXPECT_EQ(ToUtf8(std::string(crossword->Words.SlotWord(0))), "вгдежзиклв");
    for (const std::string& word : words) {
        int i = 0;
        ASSERT_TRUE(crossword->Dictionary.Find(FromUtf8(word), i));
        EXPECT_EQ(crossword->Dictionary.EntryCategory(i),
                  word == "вгдежзиклв" ? WordCategory::Unavailable : WordCategory::Ordinary)
            << word;
    }
    // With no closing word the fill fails and still gives every word back.
    auto hopeless = Make<THoney_8>({"...", ".o.", "..."}, 3, {"абвгдежзик", "бвгдежзикл"});
    hopeless->FillParameters.TimeLimit = 5;
    EXPECT_FALSE(hopeless->Fill(0, 0, 2, 2, false, errCode, best));
    for (int i = 0; i < hopeless->Dictionary.Count(); ++i)
        EXPECT_EQ(hopeless->Dictionary.EntryCategory(i), WordCategory::Ordinary);
}

// Two hexagon rings share one cell; with the first ring's start turned away no word pair
// agrees there, so only turning rings fills the grid, with the backtracking and the propagating
// fill alike. Words without a common letter never agree.
TEST_F(HoneyTest, TurningRingsFillsAStuckTemplateAndStopsAtTheTimeLimit) {
    struct TCase {
        TFillMethod Method;
        std::vector<std::string> Words;
        int TimeLimit;
        bool Filled;
    };
    const TCase cases[] = {
        {TFillMethod::Default, {"абвгде", "гзиклм"}, 20, true},
        {TFillMethod::Default, {"абвгде", "жзиклм"}, 1, false},
        {TFillMethod::Propagate, {"абвгде", "гзиклм"}, 20, true},
        {TFillMethod::Propagate, {"абвгде", "жзиклм"}, 1, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Method));
        ScopedRecordingUi ui;
        auto crossword = Make<THoney>({".....", ".o.o.", "....."}, 0, c.Words);
        crossword->Honey().SetStartDirection(1, 1, 1);
        crossword->Honey().NumberCells();
        crossword->PrepareForFill();
        crossword->FillParameters.FillMethod = c.Method;
        crossword->FillParameters.TimeLimit = c.TimeLimit;
        int errCode = 0;
        TFillResult best;
        EXPECT_EQ(crossword->Fill(0, 0, 4, 2, false, errCode, best), c.Filled) << errCode;
        if (!c.Filled) { EXPECT_EQ(errCode, FillError::TimeLimit); }
        // Every slot has the ring its centre now has (after a failure, the template that came
        // furthest), and every word lies on it.
        TShablonWords through;
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {3, 1}}) {
            crossword->Honey().WordsThroughCell(x, y, through);
            const int slot = crossword->Words.FindSlot(through.WordX(0), through.WordY(0), through.WordPath(0));
            ASSERT_GE(slot, 0);
            if (!c.Filled) continue;
            ASSERT_TRUE(crossword->Words.SlotFilled(slot));
            EXPECT_EQ(SlotLetters(*crossword, slot), std::string(crossword->Words.SlotWord(slot)));
        }
    }
}

// Runs that share no letter leave the turning nothing but turning; between its rounds the user's
// cancel gets through (-1, the best run kept) and a 1-second limit ends it (-4).
TEST_F(HoneyTest, TurningThatNeverFillsEndsAtACancelOrTheTimeLimit) {
    ExpectCancelAndTimeLimitEnd([&]() -> std::unique_ptr<TCrossword> {
        auto crossword = Make<THoney>({".....", ".o.o.", "....."}, 0, {"абвгде", "жзиклм"});
        crossword->FillParameters.FillMethod = TFillMethod::Default;
        return crossword;
    });
}

// Six interlocking rings of the centre, ring, centre mode, each word passing its centre twice.
// No closing words of the default dictionary fit the rings as they start, which both searches
// prove on their own (the backtracking fill with the words that do not close held back, the
// propagating one by the word passing its centre twice); the propagating fill, as crossgen runs
// it by default, then turns rings until the words fit, as the backtracking fill does.
TEST_F(HoneyTest, ClosedRingsThatFitNoWordsAreTurnedUntilTheyDo) {
    const GridPicture rows = {"#########", "......###", ".o.o.o.##", ".......##",
                              "#.o.o.o.#", "#......##", "#########"};
    ScopedRecordingUi ui;
    auto crossword = Make<THoney>(rows, 3, {"абв"});
    ASSERT_TRUE(crossword->LoadDictionary(DefaultDictionaryPath()));
    crossword->PrepareForFill();
    ASSERT_EQ(crossword->Words.Count(), 6);
    crossword->FillParameters.TimeLimit = 60;
    TBaseHoneyShablon& honey = crossword->Honey();
    const std::string startingRings = honey.SerializeTemplate(0, 0, honey.Width - 1, honey.Height - 1);
    for (const bool propagate : {false, true}) {
        int errCode = 0;
        TFillResult best;
        crossword->Running = 1;
        crossword->FillParameters.FillMethod = TFillMethod::Backtrack;
        const bool filled = propagate ? crossword->TCrossword::FillPropagate(0, 0, honey.Width, honey.Height, errCode, best)
                                      : crossword->Fill(0, 0, honey.Width, honey.Height, false, errCode, best);
        EXPECT_FALSE(filled);
        EXPECT_EQ(errCode, FillError::Exhausted) << propagate;
        crossword->ClearWords(0, 0, honey.Width, honey.Height, true);
    }
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        RandSeed(seed);
        crossword->ClearWords(0, 0, honey.Width, honey.Height, true);
        crossword->FillParameters.FillMethod = TFillMethod::Propagate;
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, honey.Width, honey.Height, false, errCode, best)) << seed << " " << errCode;
        EXPECT_NE(honey.SerializeTemplate(0, 0, honey.Width - 1, honey.Height - 1), startingRings);
        EXPECT_TRUE(WordsStandInTheGrid(*crossword, crossword->Dictionary));
        for (const std::string& word : PlacedWords(*crossword)) EXPECT_EQ(word.front(), word.back()) << ToUtf8(word);
    }
}

using Cells = std::vector<std::pair<int, int>>;

// The rings of the centres (1, 1) and (3, 1) of a 5 x 3 grid from their default starts,
// clockwise, worked out by hand from the kinds' direction tables.
struct TRingCase {
    bool Hexagons;
    std::vector<Cells> Rings;
};
const TRingCase HexRings = {true,
                            {{{0, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}},
                             {{2, 1}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {3, 2}}}};
const TRingCase SquareRings = {false,
                               {{{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}},
                                {{2, 1}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {3, 2}, {2, 2}}}};
const Cells TwoCentres = {{1, 1}, {3, 1}};

// The cells a ring word covers in a ring mode: the centre first, last, both or not at all.
Cells WordCells(std::pair<int, int> centre, const Cells& ring, int mode) {
    Cells cells;
    if (mode == 1 || mode == 3) cells.push_back(centre);
    cells.insert(cells.end(), ring.begin(), ring.end());
    if (mode == 2 || mode == 3) cells.push_back(centre);
    return cells;
}

TEST_F(HoneyTest, DictionaryFillsLayEveryWordOnItsRingInEveryMode) {
    const std::string dic1 = DefaultDictionaryPath();
    for (const TRingCase* kind : {&HexRings, &SquareRings})
        for (int mode = 0; mode <= 3; ++mode) {
            SCOPED_TRACE(std::to_string(mode) + (kind->Hexagons ? " hexagons" : " squares"));
            ScopedRecordingUi ui;
            std::unique_ptr<TBaseHoney> crossword;
            if (kind->Hexagons)
                crossword = Make<THoney>({".....", ".o.o.", "....."}, mode, {"абв"});
            else
                crossword = Make<THoney_8>({".....", ".o.o.", "....."}, mode, {"абв"});
            ASSERT_TRUE(crossword->LoadDictionary(dic1));
            crossword->PrepareForFill();
            EXPECT_EQ(crossword->AllCellsHoldLetters, mode != 0 ? 1 : 0);
            crossword->FillParameters.TimeLimit = 60;
            int errCode = 0;
            TFillResult best;
            ASSERT_TRUE(crossword->Fill(0, 0, 4, 2, false, errCode, best)) << errCode;
            const std::vector<std::string> placed = PlacedWords(*crossword);
            ASSERT_EQ(placed.size(), 2u);
            EXPECT_NE(placed[0], placed[1]);
            for (std::size_t c = 0; c < TwoCentres.size(); ++c) {
                std::string word;
                for (const auto& [x, y] : WordCells(TwoCentres[c], kind->Rings[c], mode)) word += crossword->CellText(x, y);
                EXPECT_NE(std::find(placed.begin(), placed.end(), word), placed.end()) << ToUtf8(word);
                int i = 0;
                EXPECT_TRUE(crossword->Dictionary.Find(word, i)) << ToUtf8(word);
                if (mode == 3) { EXPECT_EQ(word.front(), word.back()) << ToUtf8(word); }
                EXPECT_EQ(crossword->IsCellEmpty(TwoCentres[c].first, TwoCentres[c].second), mode == 0);
            }
        }
}

// Mirrored centres start opposite ways; only the turn that gives both words the shared letter
// at the same place fills the grid, and every turn moves both rings.
TEST_F(HoneyTest, TurningAMirroredRingTurnsItsMirrorAndItsSlot) {
    ScopedRecordingUi ui;
    auto crossword = Make<THoney>({".....", ".o.o.", "....."}, 0, {"абвгде", "жзвклм"});
    TBaseHoneyShablon& honey = crossword->Honey();
    honey.MirrorX = {.Enabled = true, .Axis = 2};
    honey.SetStartDirection(1, 1, 0);
    EXPECT_EQ(honey.StartDirectionOf(3, 1), 3);
    crossword->PrepareForFill();
    crossword->FillParameters.FillMethod = TFillMethod::Default;
    crossword->FillParameters.TimeLimit = 30;
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 4, 2, false, errCode, best)) << errCode;
    EXPECT_EQ(honey.StartDirectionOf(1, 1), 1);
    EXPECT_EQ(honey.StartDirectionOf(3, 1), 4);
    TShablonWords through;
    for (const auto& [x, y] : TwoCentres) {
        honey.WordsThroughCell(x, y, through);
        const int slot = crossword->Words.FindSlot(through.WordX(0), through.WordY(0), through.WordPath(0));
        ASSERT_GE(slot, 0);
        ASSERT_TRUE(crossword->Words.SlotFilled(slot));
        EXPECT_EQ(SlotLetters(*crossword, slot), std::string(crossword->Words.SlotWord(slot)));
    }
}

// The centre's letter is exported in its own cell, where the template exports its number,
// only when the ring mode puts a letter there.
TEST_F(HoneyTest, ExportShowsTheCentreLetterWhereTheModePutsOne) {
    struct TCase {
        int Mode;
        std::string Word;
        std::string CentreLetter;  // empty: none
    };
    const TCase cases[] = {{0, "абвгде", ""}, {1, "жабвгде", "ж"}, {2, "абвгдеж", "ж"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Mode);
        auto crossword = Make<THoney>({"...", ".o.", "..."}, c.Mode, {c.Word});
        ASSERT_EQ(crossword->TryPutWord(0, FromUtf8(c.Word), {}), PutCode::Placed);
        TComExport list;
        crossword->BuildModeExport(list, 0);
        const TShablon& t = *crossword->Template;
        const int64_t width = int64_t{t.GetCellPixelWidth()} * 1000, height = int64_t{t.GetCellPixelHeight()} * 1000;
        int number = -1;
        std::vector<int> letters;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Kind(i) == static_cast<int>(TExportKind::Number)) number = i;
            if (list.Kind(i) == static_cast<int>(TExportKind::TextBlock)) letters.push_back(i);
        }
        ASSERT_GE(number, 0);
        EXPECT_EQ(letters.size(), c.CentreLetter.empty() ? 6u : 7u);
        std::string inCentre;
        for (const int i : letters)
            if (list.X(i) >= list.X(number) && list.X(i) < list.X(number) + width && list.Y(i) <= list.Y(number) &&
                list.Y(i) > list.Y(number) - height)
                inCentre += std::string(list.Text(i));
        EXPECT_EQ(ToUtf8(crossword->Dictionary.ToLowerText(inCentre)), c.CentreLetter);

        TComExport none;
        crossword->ExportItalianScript(none);
        crossword->ExportSapperScript(none);
        EXPECT_EQ(none.Count(), 0);
    }
}

// The codeword table stands in hexagon rows below the grid; the picture reaches below its last.
TEST_F(HoneyTest, CodewordPictureHoldsTheWholeTable) {
    auto crossword = Make<THoney>({"...", ".o.", "..."}, 2, {"абвгдеж"});
    ASSERT_EQ(crossword->TryPutWord(0, FromUtf8("абвгдеж"), {}), PutCode::Placed);
    TMetafile picture;
    crossword->DrawToMetafile(picture, 2);
    ASSERT_GT(picture.Height(), 0);
    TComExport list;
    crossword->BuildModeExport(list, 2);
    const TShablon& t = *crossword->Template;
    int lowest = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Kind(i) != static_cast<int>(TExportKind::Cell)) continue;
        int px = 0, py = 0;
        t.ExportToCanvas(list.X(i), list.Y(i), px, py, false);
        lowest = std::max(lowest, py + t.Scale * (t.CellSize + t.CellSize / 2));
    }
    EXPECT_GT(lowest, t.Scale * t.GetPixelHeight());
    EXPECT_GE(picture.Height(), lowest);
}

// The working view draws the centre's letter in the modes that put one there.
TEST_F(HoneyTest, WorkingViewDrawsTheCentreLetter) {
    const auto darkInCentre = [&](int mode, const std::string& word, auto kind) {
        using TKind = typename decltype(kind)::type;
        auto crossword = Make<TKind>({"...", ".o.", "..."}, mode, {word});
        EXPECT_EQ(crossword->TryPutWord(0, FromUtf8(word), {}), PutCode::Placed);
        TFastDrawParameters parameters;
        parameters.Zoom = 40;
        TBitmap bitmap(300, 200);
        crossword->DrawToBitmap(parameters, bitmap);
        const TDIB pixels = bitmap.Pixels();
        // The middle of the centre cell, clear of its number in the top left corner.
        const bool hexagons = std::is_same_v<TKind, THoney>;
        const int left = hexagons ? 104 + 25 : 40 + 14, top = hexagons ? 80 + 10 : 40 + 10;
        int dark = 0;
        for (int y = top; y < top + 22; ++y)
            for (int x = left; x < left + 20; ++x) {
                const TColor32 p = pixels.Pixel(x, y);
                if ((p & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100 && ((p >> 16) & 0xFF) < 100) ++dark;
            }
        return dark;
    };
    EXPECT_GT(darkInCentre(2, "абвгдеж", std::type_identity<THoney>{}),
              darkInCentre(0, "абвгде", std::type_identity<THoney>{}));
    EXPECT_GT(darkInCentre(1, "жабвгдези", std::type_identity<THoney_8>{}),
              darkInCentre(0, "абвгдези", std::type_identity<THoney_8>{}));
}

// Where the export puts cell (x, y): the template crops to its used cells, an odd row move taking
// the shifted rows half a column along.
std::pair<int, int> ExportedCellAt(const TBaseHoneyShablon& honey, int x, int y) {
    int dx = 0, dy = 0, width = 0, height = 0;
    honey.CropMove(dx, dy, width, height);
    const auto [cx, cy] = honey.MovedCell(x, y, dx, dy);
    int ex = 0, ey = 0;
    honey.CellToExport(cx, cy, ex, ey);
    return {ex, ey};
}

// Each letter of the ring stands in its own hexagon, also when the used cells begin at an odd
// row or in the second column, so that the crop moves the rows half a column.
TEST_F(HoneyTest, LettersStandInTheirCellsWhereverTheCropMovesThem) {
    const std::vector<std::vector<std::string>> grids = {
        {"#####", ".....", ".o...", "....."},
        {"######", "......", "#.o...", "......"},
        {"######", "######", "#.....", "#.o...", "#....."},
    };
    for (const auto& grid : grids) {
        SCOPED_TRACE(grid[2]);
        auto crossword = Make<THoney>(grid, 0, {"абвгде"});
        ASSERT_EQ(crossword->Words.Count(), 1);
        ASSERT_EQ(crossword->TryPutWord(0, FromUtf8("абвгде"), {}), PutCode::Placed);
        const TBaseHoneyShablon& honey = crossword->Honey();
        TComExport list;
        crossword->BuildModeExport(list, 0);
        const int64_t width = int64_t{honey.GetCellPixelWidth()} * 1000;
        const int64_t height = int64_t{honey.GetCellPixelHeight()} * 1000;
        int letters = 0;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Kind(i) != static_cast<int>(TExportKind::TextBlock)) continue;
            ++letters;
            const std::string letter = crossword->Dictionary.ToLowerText(std::string(list.Text(i)));
            std::pair<int, int> cell{-1, -1};
            for (int y = 0; y < crossword->Height; ++y)
                for (int x = 0; x < crossword->Width; ++x)
                    if (honey.IsLetterCell(x, y) && crossword->CellText(x, y) == letter) cell = {x, y};
            ASSERT_GE(cell.first, 0) << ToUtf8(letter);
            const auto [ex, ey] = ExportedCellAt(honey, cell.first, cell.second);
            EXPECT_TRUE(list.X(i) >= ex && list.X(i) < ex + width && list.Y(i) <= ey && list.Y(i) > ey - height)
                << ToUtf8(letter) << " at " << list.X(i) << "," << list.Y(i) << ", its cell at " << ex << "," << ey;
        }
        EXPECT_EQ(letters, 6);
    }
}

// The shuffled blocks keep their hexagons' shape: a block moved by an odd number of rows takes
// its shifted rows half a column along, so that each ring's letters still stand side by side.
TEST_F(HoneyTest, BlocksMovedByAnOddNumberOfRowsKeepTheirRings) {
    const std::vector<std::string> words = {"абвгде", "жзиклм"};
    auto crossword = Make<THoney>({"...", ".o.", "...", "...", ".o.", "..."}, 0, words);
    ASSERT_EQ(crossword->Words.Count(), 2);
    for (int slot = 0; slot < 2; ++slot) ASSERT_EQ(crossword->TryPutWord(slot, FromUtf8(words[slot]), {}), PutCode::Placed);
    const TShablon& t = *crossword->Template;
    for (int seed = 1; seed <= 2; ++seed) {
        SCOPED_TRACE(seed);
        RandSeed(seed);
        TComExport list;
        crossword->BuildModeExport(list, 5);
        std::map<std::string, std::pair<int64_t, int64_t>> at;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == static_cast<int>(TExportKind::TextBlock))
                at[ToUtf8(crossword->Dictionary.ToLowerText(std::string(list.Text(i))))] = {list.X(i), list.Y(i)};
        ASSERT_EQ(at.size(), 12u);
        // Neighbouring hexagons lie the cell size times the square root of 3 apart.
        const double side = std::numbers::sqrt3 * t.CellSize * t.Scale * 1000;
        for (const std::string& word : words) {
            // Two bytes per letter in UTF-8.
            for (std::size_t k = 0; k < 6; ++k) {
                const std::string a = word.substr(2 * k, 2), b = word.substr(2 * ((k + 1) % 6), 2);
                const double dx = static_cast<double>(at[a].first - at[b].first);
                const double dy = static_cast<double>(at[a].second - at[b].second);
                EXPECT_NEAR(std::hypot(dx, dy), side, 2.0) << a << " and " << b;
            }
        }
    }
}

}  // namespace
