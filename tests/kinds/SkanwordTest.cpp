#include "kinds/Skanword.h"
#include "kinds/SkanwordShablon.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"

#include "crossword/CrosswordFactory.h"
#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "kinds/Kinds.h"
#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "template/ShablonFactory.h"

#include <fstream>

namespace {

// Where the clue of each code lies, by the test's own table: {dx, dy} for vertical words; the
// horizontal words differ in code 6 only (below instead of right).
constexpr int VerticalClue[8][2] = {{0, 0}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {1, 1}, {1, 0}, {1, -1}};

bool ClueOf(int x, int y, int code, bool horizontal, int& cx, int& cy) {
    if (code < 1 || code > 7) return false;
    cx = x + (horizontal && code == 6 ? 0 : VerticalClue[code][0]);
    cy = y + (horizontal && code == 6 ? 1 : VerticalClue[code][1]);
    return true;
}

struct TArrow {
    int X;
    int Y;
    int Bits;
};

struct TTurn {
    int X;
    int Y;
    int Bits;
};

// Draws the grid, gives every word start the first clue place it allows (or the arrows given)
// and numbers the template.
void MakeScanword(TShablon& shablon, const GridPicture& grid, const std::vector<TArrow>& arrows = {},
                  const std::vector<TTurn>& turns = {}) {
    DrawGrid(shablon, grid);
    auto& scanword = dynamic_cast<TSkanwordShablon&>(shablon);
    if (arrows.empty()) {
        for (int x = 0; x < shablon.Width; ++x)
            for (int y = 0; y < shablon.Height; ++y) {
                scanword.NextHorzArrow(x, y);
                scanword.NextVertArrow(x, y);
            }
    }
    for (const TArrow& arrow : arrows) shablon.SetAttrB(arrow.X, arrow.Y, arrow.Bits);
    for (const TTurn& turn : turns) shablon.SetAttrC(turn.X, turn.Y, turn.Bits);
    shablon.NumberCells();
}

// Three across words of four letters on rows 1, 3 and 5, two down words of six letters; the
// first row and column hold the clues.
const GridPicture Lattice = {
    "#####", "#....", "#.#.#", "#....", "#.#.#", "#....", "#.#.#",
};

// The lattice with a full last row, where the third scanword's words bend: the down word of
// column 1 turns right at the bottom, the across word of row 5 turns down at its end.
const GridPicture BentLattice = {
    "#####", "#....", "#.#.#", "#....", "#.#.#", "#....", "#....",
};
const std::vector<TArrow> BentArrows = {{1, 1, 1 | 1 << 3}, {1, 3, 2 << 3}, {1, 5, 2 << 3}, {3, 1, 1}};
const std::vector<TTurn> BentTurns = {{1, 6, 1}, {4, 5, 4}};

// A word that walks right, up, left and down again through the cell it passed second.
const GridPicture Loop = {"#..", "...", "#.#", "###"};
const std::vector<TArrow> LoopArrows = {{0, 1, 1 << 3}};
const std::vector<TTurn> LoopTurns = {{2, 1, 8}, {2, 0, 32}, {1, 0, 64}};

using TCells = std::vector<std::pair<int, int>>;

TCells CellsOf(const TCoord& coord) {
    TCells cells;
    for (const TCell& cell : coord.Cells()) cells.emplace_back(cell.x, cell.y);
    return cells;
}

std::unique_ptr<TShablon> MakeKind(TShablonKind kind) {
    RegisterKinds();
    return CreateTemplate(1, 1, static_cast<int>(kind));
}

constexpr TShablonKind ScanwordKinds[] = {TShablonKind::Skanword, TShablonKind::Skanword2, TShablonKind::Skanword3};

}  // namespace

using SkanwordTest = CrosswordTest;

// ---- texts ----

TEST_F(SkanwordTest, TextsRoundTripWithArrowsAndTurnMarks) {
    struct TCase {
        TShablonKind Kind;
        std::vector<TArrow> Arrows;
        std::vector<TTurn> Turns;
    };
    // Arrows on the border cells and inside, the inside-the-clue bits of the second kind, turn
    // marks of the third.
    const TCase cases[] = {
        {TShablonKind::Skanword, {{1, 1, 1 | 3 << 3}, {4, 3, 5}, {1, 5, 6 << 3}}, {}},
        {TShablonKind::Skanword2, {{1, 1, 0x41 | 0x80 | 3 << 3}, {3, 1, 1}, {1, 3, 2 << 3}}, {}},
        {TShablonKind::Skanword3, BentArrows, BentTurns},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Kind));
        const auto original = MakeKind(c.Kind);
        MakeScanword(*original, BentLattice, c.Arrows, c.Turns);
        const std::string text = original->SerializeTemplate(0, 0, original->Width - 1, original->Height - 1);
        const auto copy = MakeKind(c.Kind);
        copy->SetSize(original->Width, original->Height);
        ASSERT_TRUE(copy->ParseTemplate(text, 0, 0));
        copy->NumberCells();
        EXPECT_EQ(copy->SerializeTemplate(0, 0, copy->Width - 1, copy->Height - 1), text);
        for (int x = 0; x < original->Width; ++x)
            for (int y = 0; y < original->Height; ++y) {
                EXPECT_EQ(copy->IsLetterCell(x, y), original->IsLetterCell(x, y)) << x << "," << y;
                EXPECT_EQ(copy->GetAttrB(x, y), original->GetAttrB(x, y)) << x << "," << y;
                EXPECT_EQ(copy->GetAttrC(x, y), original->GetAttrC(x, y)) << x << "," << y;
                EXPECT_EQ(copy->IsClueCell(x, y), original->IsClueCell(x, y)) << x << "," << y;
            }
        for (const TArrow& arrow : c.Arrows) EXPECT_EQ(copy->GetAttrB(arrow.X, arrow.Y), arrow.Bits);
        for (const TTurn& turn : c.Turns) EXPECT_EQ(copy->GetAttrC(turn.X, turn.Y), turn.Bits);
    }
}

TEST_F(SkanwordTest, TheScanwordsTakeTheirOwnAndClassicTexts) {
    // A 2 x 1 text: an arrow cell (horizontal code 3) and a letter cell, under each kind character.
    const auto textOf = [](char kind) { return std::string{kind, '2', '1', 0x04, 3 << 3, 0x01}; };
    struct TCase {
        char Kind;
        bool Accepted;
    };
    const TCase cases[] = {{'0', true}, {'2', true}, {'>', true}, {'A', true}, {'1', false}, {'<', false}, {'6', false}};
    for (const TShablonKind kind : ScanwordKinds)
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(1, c.Kind) + " into " + std::to_string(static_cast<int>(kind)));
            mUi->Messages.clear();
            const auto shablon = MakeKind(kind);
            shablon->SetSize(2, 1);
            EXPECT_EQ(shablon->ParseTemplate(textOf(c.Kind), 0, 0), c.Accepted);
            if (c.Accepted) {
                EXPECT_TRUE(mUi->Messages.empty());
                EXPECT_EQ(shablon->GetAttrB(0, 0), 3 << 3);
                EXPECT_TRUE(shablon->IsLetterCell(1, 0));
            } else {
                EXPECT_EQ(mUi->Messages, std::vector<std::string>{std::string("Несовместимый тип шаблона!"_cp)});
            }
        }
    mUi->Messages.clear();
    const auto classic = MakeKind(TShablonKind::Classic);
    classic->SetSize(2, 1);
    EXPECT_FALSE(classic->ParseTemplate(textOf('2'), 0, 0));
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{std::string("Несовместимый тип шаблона!"_cp)});
}

TEST_F(SkanwordTest, ATextCutShortIsReportedAndKeepsWhatWasRead) {
    struct TCase {
        TShablonKind Kind;
        std::string Text;
        const char* What;
    };
    // Three cells in a column: a letter cell, an arrow cell, a letter cell.
    const std::string whole{'2', '1', '3', 0x01, 0x04, 0x08, 0x01};
    const std::string third{'A', '1', '3', 0x01, 0x04, 0x08, 0x01};
    const TCase cases[] = {
        {TShablonKind::Skanword, whole.substr(0, 6), "a cell missing"},
        {TShablonKind::Skanword2, whole.substr(0, 5), "the arrow byte missing"},
        {TShablonKind::Skanword3, third + std::string{0x01, 0x02}, "the turn byte missing"},
        {TShablonKind::Skanword3, third + std::string{0x01, 0x01}, "the second pass cut"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        mUi->Messages.clear();
        const auto shablon = MakeKind(c.Kind);
        shablon->SetSize(1, 3);
        EXPECT_FALSE(shablon->ParseTemplate(c.Text, 0, 0));
        EXPECT_EQ(mUi->Messages, std::vector<std::string>{std::string("Неверный формат шаблона!"_cp)});
        EXPECT_TRUE(shablon->IsLetterCell(0, 0));
    }
    // Without its second pass a third scanword text has no turn marks.
    const auto shablon = MakeKind(TShablonKind::Skanword3);
    shablon->SetSize(1, 3);
    mUi->Messages.clear();
    EXPECT_TRUE(shablon->ParseTemplate(third, 0, 0));
    EXPECT_TRUE(mUi->Messages.empty());
    EXPECT_EQ(shablon->GetAttrB(0, 1), 0x08);
}

// ---- arrows and clue cells ----

TEST_F(SkanwordTest, ArrowCodesPointAtTheirClueCells) {
    // B = 3 + 8 x 6: the vertical word's clue on the left, the horizontal word's below.
    const auto shablon = MakeKind(TShablonKind::Skanword);
    MakeScanword(*shablon, {"#..", "#..", "###"}, {{1, 0, 3 + 8 * 6}});
    EXPECT_TRUE(shablon->IsClueCell(0, 0));
    EXPECT_FALSE(shablon->IsClueCell(1, 1));  // a letter cell holds no clue
    EXPECT_FALSE(shablon->IsClueCell(0, 1));
    // An arrow pointing outside the grid marks nothing, one at a non-letter cell marks it.
    MakeScanword(*shablon, {"..", "#."}, {{0, 0, 1 | 6 << 3}});
    EXPECT_TRUE(shablon->IsClueCell(0, 1));
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y)
            if (x != 0 || y != 1) {
                EXPECT_FALSE(shablon->IsClueCell(x, y)) << x << "," << y;
            }
    // A cell that is no longer a letter cell loses its arrows at the next numbering.
    shablon->SetLetterCellOnly(0, 0, false);
    shablon->NumberCells();
    EXPECT_FALSE(shablon->HasAttrB(0, 0));
    EXPECT_FALSE(shablon->IsClueCell(0, 1));
}

TEST_F(SkanwordTest, TheArrowKeysOfACodeNameItsPictures) {
    // The arrow settings name one picture for "RIGHT_DOWN" and one for "UP_RIGHT", beside the
    // settings file; the export imports each for the code of B = 3 + 8 x 6.
    const std::string settings = Path("arrows.ini");
    std::ofstream(settings) << "[STRELKI]\nRIGHT_DOWN=left.svg\nUP_RIGHT=below.svg\n";
    for (const char* name : {"left.svg", "below.svg"}) {
        TMetafile picture(10, 10);
        TCanvas canvas(picture);
        canvas.Rectangle(0, 0, 10, 10);
        ASSERT_TRUE(picture.WriteSvg(Path(name)));
    }
    const auto shablon = MakeKind(TShablonKind::Skanword);
    TStrelkaGraphics look = shablon->ArrowLook;
    look.FileName = settings;
    shablon->SetArrowLook(look);
    std::vector<std::string> lines;
    TScriptWriter writer(lines, false);
    shablon->EditorLoadArrowShapes(writer);
    const auto rememberedAfter = [&](const std::string& file) {
        const auto at = std::find(lines.begin(), lines.end(), ".FileImport \"" + Path(file) + "\"");
        const auto named = std::find_if(at, lines.end(), [](const std::string& line) {
            return line.find("=.GetObjectsCDRStaticID()") != std::string::npos;
        });
        return at == lines.end() || named == lines.end() ? std::string() : named->substr(0, named->find('='));
    };
    EXPECT_EQ(rememberedAfter("left.svg"), "STRELKA3&");
    EXPECT_EQ(rememberedAfter("below.svg"), "STRELKA48&");
    // Every other code of the fourteen is a drawn line arrow.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ".ApplyStyle \"STRELKA_NORMAL\""), 12);
    EXPECT_EQ(shablon->ArrowPictures.Count(), 14);
    EXPECT_GE(shablon->ArrowPictures.IndexOfName("STRELKA_V_3"), 0);
    EXPECT_GE(shablon->ArrowPictures.IndexOfName("STRELKA_H_6"), 0);
}

TEST_F(SkanwordTest, CyclingTakesTheAllowedCodesInTurn) {
    // The across word at (1, 1) may have its clue above (code 1) or on the left (code 3) only.
    const auto shablon = MakeKind(TShablonKind::Skanword);
    auto& scanword = dynamic_cast<TSkanwordShablon&>(*shablon);
    DrawGrid(*shablon, {".#.", "#..", "..."});
    ASSERT_EQ(scanword.AllowedHorzArrows(1, 1), 0b0000101);
    std::vector<int> codes{shablon->GetAttrB(1, 1) >> 3 & 7};
    for (int i = 0; i < 3; ++i) {
        scanword.NextHorzArrow(1, 1);
        codes.push_back(shablon->GetAttrB(1, 1) >> 3 & 7);
    }
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 3, 0}));
    // The vertical code of the cell is left as it was.
    shablon->SetAttrB(1, 1, 2);
    scanword.NextHorzArrow(1, 1);
    EXPECT_EQ(shablon->GetAttrB(1, 1), 2 | 1 << 3);
}

TEST_F(SkanwordTest, AllowedArrowsStayInsideTheGrid) {
    struct TCase {
        GridPicture Grid;
        int X;
        int Y;
        int Horizontal;
        int Vertical;
        const char* What;
    };
    const TCase cases[] = {
        {{"..", "##"}, 0, 0, 0b0110000, 0, "top-left corner: below-right and below"},
        {{".#", ".#"}, 0, 0, 0, 0b0110000, "top-left corner: below-right and right"},
        {{"##.", "#.."}, 1, 1, 0b0000111, 0, "bottom row: above, above-left and left"},
        {{"#.", "#."}, 1, 0, 0, 0b0001100, "top of the last column: left and below-left"},
        {{"...", "###"}, 1, 0, 0, 0, "no word starts in the middle of a run"},
        {{".#", "##"}, 0, 0, 0, 0, "a single letter cell starts no word"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = MakeKind(TShablonKind::Skanword);
        auto& scanword = dynamic_cast<TSkanwordShablon&>(*shablon);
        DrawGrid(*shablon, c.Grid);
        EXPECT_EQ(scanword.AllowedHorzArrows(c.X, c.Y), c.Horizontal);
        EXPECT_EQ(scanword.AllowedVertArrows(c.X, c.Y), c.Vertical);
    }
}

TEST_F(SkanwordTest, CroppingKeepsTheClueCellsOnTheBorder) {
    // The clue column on the left and the clue row above are no letter cells; cropping right
    // after reading (before the clue flags exist) must keep them.
    const auto shablon = MakeKind(TShablonKind::Skanword);
    MakeScanword(*shablon, {"####", "##..", "##..", "####"}, {{2, 1, 1 | 3 << 3}});
    const std::string text = shablon->SerializeTemplate(0, 0, 3, 3);
    const auto read = MakeKind(TShablonKind::Skanword);
    read->SetSize(4, 4);
    ASSERT_TRUE(read->ParseTemplate(text, 0, 0));
    read->CropToUsed();
    EXPECT_EQ(read->Width, 3);
    EXPECT_EQ(read->Height, 3);
    EXPECT_EQ(read->GetAttrB(1, 1), 1 | 3 << 3);
    EXPECT_TRUE(read->IsClueCell(0, 1));
    EXPECT_TRUE(read->IsClueCell(1, 0));
}

TEST_F(SkanwordTest, CroppingKeepsTheClueCellsOfInsideArrows) {
    // The down word of column 1 has its clue below its end, drawn inside that clue cell; the
    // across word of row 0 takes its clue on the left. Column 3 and row 4 serve nothing.
    const GridPicture grid = {"#..#", "#.##", "#.##", "####", "####"};
    const auto shablon = MakeKind(TShablonKind::Skanword2);
    MakeScanword(*shablon, grid, {{1, 0, 3 << 3}, {1, 2, 0x40 | 1}});
    int minX = -1, minY = -1, endX = -1, endY = -1;
    shablon->GetUsedBounds(minX, minY, endX, endY);
    EXPECT_EQ(std::make_tuple(minX, minY, endX, endY), std::make_tuple(0, 0, 3, 4));
    const std::string text = shablon->SerializeTemplate(0, 0, 3, 4);
    const auto read = MakeKind(TShablonKind::Skanword2);
    read->SetSize(4, 5);
    ASSERT_TRUE(read->ParseTemplate(text, 0, 0));
    read->CropToUsed();
    EXPECT_EQ(read->Width, 3);
    EXPECT_EQ(read->Height, 4);
    read->NumberCells();
    TCoordList map;
    dynamic_cast<TSkanwordShablon&>(*read).ClueCellWords(map);
    ASSERT_EQ(map.Count(), 2);
    EXPECT_EQ(std::make_pair(map.X(0), map.Y(0)), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(map.X(1), map.Y(1)), std::make_pair(1, 3));
}

// ---- bending words ----

TEST_F(SkanwordTest, BendingWordsTurnAtTheirMarks) {
    const auto shablon = MakeKind(TShablonKind::Skanword3);
    MakeScanword(*shablon, BentLattice, BentArrows, BentTurns);
    const auto& third = dynamic_cast<const TSkanwordShablon3&>(*shablon);
    struct TWord {
        int X;
        int Y;
        std::string Path;
    };
    // Columns outer, rows inner; across before down at one cell.
    const std::vector<TWord> expected = {
        {1, 1, "666"}, {1, 1, "22222666"}, {1, 3, "666"}, {1, 5, "6662"}, {3, 1, "22222"},
    };
    const TShablonWords& words = third.BendingWords();
    ASSERT_EQ(words.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < words.Count(); ++i) {
        EXPECT_EQ(words.WordX(i), expected[i].X) << i;
        EXPECT_EQ(words.WordY(i), expected[i].Y) << i;
        EXPECT_EQ(words.WordPath(i), expected[i].Path) << i;
        EXPECT_EQ(words.WordLength(i), static_cast<int>(expected[i].Path.size()) + 1) << i;
    }
    // The cell (4, 6) lies on the bent down word of column 1 and the bent across word of row 5.
    TShablonWords through;
    shablon->WordsThroughCell(4, 6, through);
    ASSERT_EQ(through.Count(), 2);
    EXPECT_EQ(through.WordPath(0), "22222666");
    EXPECT_EQ(through.WordPath(1), "6662");
    // A turn mark no neighbour can take is dropped at the numbering.
    shablon->SetAttrC(3, 3, 4);  // moving right, turn down into (3, 4): a letter cell, kept
    shablon->SetAttrC(2, 3, 4);  // turn down into (2, 4): no letter cell, dropped
    shablon->NumberCells();
    EXPECT_EQ(shablon->GetAttrC(3, 3), 4);
    EXPECT_EQ(shablon->GetAttrC(2, 3), 0);
}

TEST_F(SkanwordTest, ABendingWordStopsAt26CellsAndOneCellIsNoSlot) {
    const auto shablon = MakeKind(TShablonKind::Skanword3);
    // A row of 30 letter cells under a clue row, and a lone arrow cell at its end.
    GridPicture grid = {std::string(31, '#'), "#" + std::string(30, '.'), std::string(31, '#')};
    grid[2][30] = '.';
    grid[1][29] = '#';
    MakeScanword(*shablon, grid, {{1, 1, 1 << 3}, {30, 2, 1 << 3}});
    const auto& words = dynamic_cast<const TSkanwordShablon3&>(*shablon).BendingWords();
    ASSERT_EQ(words.Count(), 1);
    EXPECT_EQ(words.WordLength(0), TSkanwordShablon3::MaxBendingCells);
    TShablonWords through;
    shablon->WordsThroughCell(30, 2, through);
    EXPECT_EQ(through.Count(), 0);
    shablon->WordsThroughCell(27, 1, through);
    EXPECT_EQ(through.Count(), 0);  // past the 26th cell
}

TEST_F(SkanwordTest, ASelfCrossingSlotTakesOnlyEqualLettersInItsCell) {
    // The loop passes (1, 1) second and sixth: "колобок" has "о" both times, the others differ.
    const std::vector<std::string> words = {"самолет", "паровоз", "телефон", "колобок"};
    auto crossword = std::make_unique<TSkanword3>();
    crossword->Dictionary.ShowProgress = false;
    ASSERT_TRUE(crossword->LoadDictionary(WriteDictionary(words)));
    crossword->SetWidth(3);
    crossword->SetHeight(4);
    MakeScanword(*crossword->Template, Loop, LoopArrows, LoopTurns);
    crossword->PrepareForFill();
    ASSERT_EQ(crossword->Words.Count(), 1);
    EXPECT_EQ(CellsOf(crossword->SlotCells(0)), (TCells{{0, 1}, {1, 1}, {2, 1}, {2, 0}, {1, 0}, {1, 1}, {1, 2}}));
    for (const char* word : {"самолет", "паровоз", "телефон"})
        EXPECT_EQ(crossword->TryPutWord(0, Cp(word), {}), PutCode::TwoLetters) << word;
    EXPECT_EQ(crossword->FilledCount(), 0);
    EXPECT_EQ(crossword->TryPutWord(0, Cp("колобок"), {}), PutCode::Placed);
    EXPECT_EQ(crossword->CellText(1, 1), Cp("о"));
    crossword->RemoveWord(0);

    for (int seed = 1; seed <= 4; ++seed) {
        RandSeed(seed);
        crossword->PrepareForFill();
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 3, 4, false, errCode, best)) << seed;
        EXPECT_EQ(crossword->Words.SlotWord(0), Cp("колобок")) << seed;
        crossword->RemoveWord(0);
    }
}

// ---- fills ----

namespace {

// A slot as the test finds it on its own: its cells, and whether its first step is across.
struct TExpectedSlot {
    TCells Cells;
    bool Across;
};

// Every run of two letter cells or more, across and down.
std::vector<TExpectedSlot> Runs(const TShablon& shablon) {
    std::vector<TExpectedSlot> runs;
    const auto collect = [&](int x0, int y0, int dx, int dy, int n, bool across) {
        TCells run;
        for (int i = 0; i <= n; ++i) {
            const int x = x0 + i * dx, y = y0 + i * dy;
            if (i < n && shablon.IsLetterCell(x, y)) {
                run.emplace_back(x, y);
                continue;
            }
            if (run.size() >= 2) runs.push_back({run, across});
            run.clear();
        }
    };
    for (int y = 0; y < shablon.Height; ++y) collect(0, y, 1, 0, shablon.Width, true);
    for (int x = 0; x < shablon.Width; ++x) collect(x, 0, 0, 1, shablon.Height, false);
    return runs;
}

// The bent lattice's words, walked by hand.
const std::vector<TExpectedSlot> BentSlots = {
    {{{1, 1}, {2, 1}, {3, 1}, {4, 1}}, true},
    {{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 6}, {3, 6}, {4, 6}}, false},
    {{{1, 3}, {2, 3}, {3, 3}, {4, 3}}, true},
    {{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {4, 6}}, true},
    {{{3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}, false},
};

::testing::AssertionResult SoundScanword(const TCrossword& crossword, const std::vector<TExpectedSlot>& slots) {
    const TShablon& shablon = *crossword.Template;
    std::set<std::string> seen;
    for (const TExpectedSlot& slot : slots) {
        std::string word;
        for (const auto& [x, y] : slot.Cells) word += crossword.CellText(x, y);
        int index = 0;
        if (!crossword.Dictionary.Find(word, index))
            return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" is not in the dictionary";
        if (!seen.insert(word).second) return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" twice";
        const auto [x, y] = slot.Cells[0];
        const int bits = shablon.GetAttrB(x, y);
        const int code = slot.Across ? bits >> 3 & 7 : bits & 7;
        int cx = 0, cy = 0;
        if (!ClueOf(x, y, code, slot.Across, cx, cy) || shablon.IsOutside(cx, cy) || shablon.IsLetterCell(cx, cy) ||
            !shablon.IsClueCell(cx, cy))
            return ::testing::AssertionFailure() << "the word at " << x << "," << y << " has no clue cell beside it";
    }
    if (crossword.FilledCount() != static_cast<int>(slots.size()))
        return ::testing::AssertionFailure() << crossword.FilledCount() << " words for " << slots.size() << " slots";
    return ::testing::AssertionSuccess();
}

std::unique_ptr<TCrossword> MakeCrossword(TShablonKind kind, const GridPicture& grid, const std::string& dictionary,
                                          const std::vector<TArrow>& arrows = {},
                                          const std::vector<TTurn>& turns = {}) {
    RegisterKinds();
    auto crossword = CreateCrossword(static_cast<int>(kind), TKindCode::Template);
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(static_cast<int>(grid[0].size()));
    crossword->SetHeight(static_cast<int>(grid.size()));
    MakeScanword(*crossword->Template, grid, arrows, turns);
    crossword->PrepareForFill();
    return crossword;
}

// The comb grid of the fill tests under a clue row and beside a clue column.
GridPicture CluedComb(int rows) {
    GridPicture grid{std::string(12, '#')};
    for (const std::string& row : Comb(rows)) grid.push_back("#" + row);
    return grid;
}

}  // namespace

TEST_F(SkanwordTest, FillsWithTheDefaultDictionaryAreSound) {
    const std::string dic1 = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    struct TCase {
        TShablonKind Kind;
        GridPicture Grid;
        std::vector<TArrow> Arrows;
        std::vector<TTurn> Turns;
    };
    const TCase cases[] = {
        {TShablonKind::Skanword, Lattice, {}, {}},
        {TShablonKind::Skanword2, Lattice, {}, {}},
        {TShablonKind::Skanword3, BentLattice, BentArrows, BentTurns},
    };
    for (const TCase& c : cases) {
        auto crossword = MakeCrossword(c.Kind, c.Grid, dic1, c.Arrows, c.Turns);
        const std::vector<TExpectedSlot> slots = c.Kind == TShablonKind::Skanword3 ? BentSlots : Runs(*crossword->Template);
        ASSERT_EQ(crossword->Words.Count(), static_cast<int>(slots.size()));
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(c.Kind)) + ", seed " + std::to_string(seed));
            RandSeed(seed);
            crossword->ClearWords(0, 0, 255, 255, true);
            int errCode = 0;
            TFillResult best;
            ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best));
            EXPECT_TRUE(SoundScanword(*crossword, slots));
        }
    }
}

TEST_F(SkanwordTest, CancelAndTheTimeLimitEndTheFill) {
    // 42 slots and 40 words: the fill searches until it is stopped.
    const std::string words = WriteDictionary(CombWords());
    for (const TShablonKind kind : ScanwordKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        {
            auto crossword = MakeCrossword(kind, CluedComb(14), words);
            int errCode = 99;
            TFillResult best;
            bool filled = true;
            AtFirstMessageRun([&] { filled = crossword->Fill(0, 0, 12, 28, false, errCode, best); },
                              [&] { crossword->Running = 0; });
            EXPECT_FALSE(filled);
            EXPECT_EQ(errCode, FillError::Stopped);
        }
        {
            const ClockAtMessageRuns clock(600);
            auto crossword = MakeCrossword(kind, CluedComb(14), words);
            crossword->FillParameters.TimeLimit = 1;
            int errCode = 99;
            TFillResult best;
            EXPECT_FALSE(crossword->Fill(0, 0, 12, 28, false, errCode, best));
            EXPECT_EQ(errCode, FillError::TimeLimit);
            EXPECT_EQ(clock.Runs(), 2);
        }
    }
}

// ---- pictures ----

TEST_F(SkanwordTest, ArrowPicturesComeFromTheCollectionOrAreDrawn) {
    struct TCase {
        TShablonKind Kind;
        std::string Setting;
        int Pictures;
        const char* What;
    };
    const TCase cases[] = {
        {TShablonKind::Skanword, "", 14, "line arrows for the seven codes of both words"},
        {TShablonKind::Skanword2, "", 28, "and the arrows inside the clue cell"},
        {TShablonKind::Skanword3, "", 22, "and the eight turn marks"},
        {TShablonKind::Skanword, "saved", 14, "the collection's picture where it has one"},
    };
    TMetafile own(20, 20);
    TCanvas(own).Ellipse(0, 0, 20, 20);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = MakeKind(c.Kind);
        ASSERT_TRUE(shablon->Pictures.AddFromStream(TPictureKind::Metafile, "STRELKA_V_1", own.SvgData()));
        TStrelkaGraphics look = shablon->ArrowLook;
        look.FileName = c.Setting;
        shablon->SetArrowLook(look);
        EXPECT_EQ(shablon->ArrowPictures.Count(), c.Pictures);
        const int entry = shablon->ArrowPictures.IndexOfName("STRELKA_V_1");
        ASSERT_GE(entry, 0);
        EXPECT_EQ(shablon->ArrowPictures.Picture(entry).Data() == shablon->Pictures.Picture(0).Data(), c.Setting == "saved");
    }
}

TEST_F(SkanwordTest, PictureFilesListTheArrowSettings) {
    const std::string down = Path("down.svg");
    {
        TMetafile picture(10, 10);
        TCanvas(picture).Rectangle(0, 0, 10, 10);
        ASSERT_TRUE(picture.WriteSvg(down));
    }
    const std::string settings = Path("arrows.ini");
    std::ofstream(settings) << "[STRELKI]\nDOWN=" << down << "\nRIGHT=\n";
    const auto shablon = MakeKind(TShablonKind::Skanword3);
    std::vector<std::string> files;
    shablon->ListPictureFiles(files);
    EXPECT_TRUE(files.empty());
    TStrelkaGraphics look = shablon->ArrowLook;
    look.FileName = settings;
    shablon->SetArrowLook(look);
    shablon->ListPictureFiles(files);
    // The named file, the pictures' own names for the keys not named, nothing for "RIGHT";
    // "UP_RIGHT" (code 6) comes last.
    ASSERT_EQ(files.size(), 13u);
    EXPECT_EQ(files[0], down);
    EXPECT_EQ(files[1], "STRELKA_V_2");
    EXPECT_EQ(files[7], "STRELKA_H_1");
    EXPECT_EQ(files[8], "STRELKA_H_2");
    EXPECT_EQ(files[9], "STRELKA_H_4");
    EXPECT_EQ(files[11], "STRELKA_H_7");
    EXPECT_EQ(files[12], "STRELKA_H_6");
}

TEST_F(SkanwordTest, TurnMarksAreDrawnAndExported) {
    const auto shablon = MakeKind(TShablonKind::Skanword3);
    MakeScanword(*shablon, BentLattice, BentArrows, BentTurns);
    // With the arrows hidden, the pictures drawn are the turn pictures.
    TStrelkaGraphics hidden = shablon->ArrowLook;
    hidden.Show = false;
    shablon->SetArrowLook(hidden);
    TMetafile picture;
    shablon->DrawToMetafile(picture);
    const auto pictures = std::count_if(picture.Calls().begin(), picture.Calls().end(),
                                        [](const TCanvasCall& call) { return call.Op == TCanvasOp::Picture; });
    EXPECT_EQ(pictures, 2);  // one turn picture in each of the two turning cells
    hidden.Show = true;
    shablon->SetArrowLook(hidden);
    // A painted key-word cell is exported as such, without its turn marks.
    const auto turnItems = [&] {
        TComExport list;
        shablon->BuildExport(list);
        int n = 0;
        for (int i = 0; i < list.Count(); ++i) n += list.Kind(i) == static_cast<int>(TExportKind::TurnMarks) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(turnItems(), 2);
    shablon->KeyWordCellLook.NoPaint = false;
    shablon->SetKeyWordCell(4, 5, 1);
    EXPECT_EQ(turnItems(), 1);
    shablon->ClearKeyWord();
    shablon->KeyWordCellLook.NoPaint = true;

    std::vector<std::string> lines;
    shablon->ExportToScript(lines);
    const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(".SaveStyleProp \"STRELKA_USER\", 0, 0"));
    EXPECT_TRUE(has(".SaveStyleProp \"TURN_USER\", 0, 0"));
    EXPECT_TRUE(has(".SaveStyleProp \"TURN_NORMAL\", -1, -1"));
    for (const int bit : {1, 4}) {
        const std::string shape = "TURN" + std::to_string(bit) + "&";
        const auto made = std::find(lines.begin(), lines.end(), shape + "=.GetObjectsCDRStaticID()");
        const auto used = std::find(lines.begin(), lines.end(), ".SelectObjectOfCDRStaticID " + shape);
        ASSERT_NE(made, lines.end()) << shape;
        ASSERT_NE(used, lines.end()) << shape;
        EXPECT_LT(made, used);
        EXPECT_EQ(*(used + 1), ".DuplicateObject 0, 0");
    }
    // The shapes are deleted at the end, the turn shapes after the arrows.
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], ".SelectObjectOfCDRStaticID TURN128&");
    EXPECT_EQ(lines.back(), ".DeleteObject");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ".UnSelectAll"), 1);
}

TEST_F(SkanwordTest, TheWorkingViewShowsTheArrowsOfAFreshTemplate) {
    // The arrow cell's square differs from the same letter cell without arrows only by its
    // arrow, drawn from the pictures the view loads itself.
    const auto shablon = MakeKind(TShablonKind::Skanword);
    MakeScanword(*shablon, {"#..", "#.."}, {{1, 0, 3}});
    TFastDrawParameters parameters;
    parameters.ShowDetails = true;
    const auto square = [&] {
        TBitmap bitmap(3 * 48, 2 * 48);
        shablon->FastDraw(parameters, bitmap);
        const TDIB pixels = bitmap.Pixels();
        std::vector<TColor32> cell;
        for (int y = 0; y < 48; ++y)
            for (int x = 48; x < 96; ++x) cell.push_back(pixels.Pixel(x, y));
        return cell;
    };
    const std::vector<TColor32> withArrow = square();
    EXPECT_GT(shablon->ArrowPictures.Count(), 0);
    shablon->SetAttrB(1, 0, 0);
    EXPECT_NE(square(), withArrow);
}

// ---- clues in the grid ----

namespace {

class SkanwordGridCluesTest : public CrosswordTest {
protected:
    // A first-kind scanword of the grid with only the arrows given, its slots built.
    std::unique_ptr<TSkanword> Scanword(const GridPicture& grid, const std::vector<TArrow>& arrows, bool canUnite) {
        auto crossword = Make<TSkanword>(grid, {"ил", "кот", "скан", "сом"});
        DrawGrid(*crossword->Template, grid);
        for (const TArrow& arrow : arrows) crossword->Template->SetAttrB(arrow.X, arrow.Y, arrow.Bits);
        crossword->Template->CanUnite = canUnite;
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    static int SlotAt(const TCrossword& crossword, int x, int y, char step) {
        for (int slot = 0; slot < crossword.Words.Count(); ++slot)
            if (crossword.Words.WordX(slot) == x && crossword.Words.WordY(slot) == y &&
                crossword.Words.WordPath(slot).front() == step)
                return slot;
        return -1;
    }

    static void Define(TCrossword& crossword, int slot, const std::string& utf8Word, const std::string& definition) {
        ASSERT_EQ(crossword.TryPutWord(slot, Cp(utf8Word), {}), PutCode::Placed);
        crossword.Words.SetSlotDefinition(slot, Cp(definition));
        crossword.Words.SetSlotHasDefinition(slot, true);
    }

    // The export position of cell (x, y) of the grid, the used area starting at (0, 0).
    static std::pair<int, int> At(const TCrossword& crossword, int x, int y) {
        int ex = 0, ey = 0;
        crossword.Template->CellToExport(x, y, ex, ey);
        return {ex, ey};
    }

    // The pictures of the clue export as (x, y, name): the box's corner less the margin.
    static std::vector<std::tuple<int, int, std::string>> Pictures(const TComExport& list) {
        std::vector<std::tuple<int, int, std::string>> pictures;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == static_cast<int>(TExportKind::Picture))
                pictures.emplace_back(list.X(i), list.Y(i), std::string(list.Text(i)));
        return pictures;
    }
};

}  // namespace

TEST_F(SkanwordGridCluesTest, AClueAreaCutByAWordBlockIsFramedByItsVisiblePart) {
    // The clue cell right of the down word unites with the free cells into a 2 x 3 block, which
    // the word blocks of columns 0-1 and 2-3 cut in two.
    auto crossword = Scanword({".##.", ".##.", ".##."}, {{0, 0, 6}}, true);
    Define(*crossword, SlotAt(*crossword, 0, 0, '2'), "кот", "&Iкот.png");
    const std::vector<TCellBlock> blocks = {TCellBlock{0, 0, 2, 3, 0, 0}, TCellBlock{2, 0, 2, 3, 0, 0}};
    const std::vector<TCellBlock> placed = crossword->PlacedBlocks(blocks);
    ASSERT_EQ(placed.size(), 2u);
    const auto [leftX, leftY] = At(*crossword, 1 + placed[0].DX, placed[0].DY);
    const auto [rightX, rightY] = At(*crossword, 2 + placed[1].DX, placed[1].DY);
    const int pen = crossword->Template->PenWidth * 1000;
    using TFramed = std::tuple<int, int, int, int, int, TItemRect, int, std::string>;
    struct TCase {
        const char* What;
        int ShowType;
        TExportKind Whole;
        TExportKind Framed;
        std::string Text;
    };
    const TCase cases[] = {
        {"a number", 1, TExportKind::FormattedText, TExportKind::FramedText, "1"},
        {"a picture", 0, TExportKind::Picture, TExportKind::FramedPicture, Cp("кот.png")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        crossword->OprText.OprShowType = c.ShowType;
        TComExport list;
        crossword->ExportCellsScript(list, blocks);
        std::vector<TFramed> framed;
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_NE(list.Kind(i), static_cast<int>(c.Whole));
            if (list.Kind(i) == static_cast<int>(c.Framed))
                framed.emplace_back(list.Kind(i), list.X(i), list.Y(i), list.X2(i), list.Y2(i), list.Rect(i),
                                    list.Param3(i), std::string(list.Text(i)));
        }
        // Each part shows the whole block's clue, framed by the column the part holds.
        const int kind = static_cast<int>(c.Framed);
        EXPECT_EQ(framed, (std::vector<TFramed>{{kind, leftX, leftY, 2, 3, TItemRect{0, 0, 0, 2}, pen, c.Text},
                                                {kind, rightX, rightY, 2, 3, TItemRect{1, 0, 1, 2}, pen, c.Text}}));
        // The whole picture shows the block in one piece.
        TComExport whole;
        crossword->BuildModeExport(whole, 0);
        int pieces = 0;
        for (int i = 0; i < whole.Count(); ++i) {
            EXPECT_NE(whole.Kind(i), kind);
            pieces += whole.Kind(i) == static_cast<int>(c.Whole) ? 1 : 0;
        }
        EXPECT_EQ(pieces, 1);
    }
}

TEST_F(SkanwordGridCluesTest, WithoutUnitedBlocksTheBlankCellsTakeTheFirstPicture) {
    // (0, 0) serves both words of (1, 0), (4, 0) the down word of column 3 and (0, 2) the
    // across word of row 2; (2, 1) is the one inner blank.
    auto crossword = Scanword({"#...#", "#.#.#", "#...#"}, {{1, 0, 3 | 3 << 3}, {3, 0, 6}, {1, 2, 3 << 3}}, false);
    crossword->OprText.EmptyOprFileName = "|A.png|B.png";
    const int cell = crossword->Template->GetCellPixelWidth() * 1000, pen = crossword->Template->PenWidth * 1000;
    const auto picture = [&](int x, int y) { return std::tuple(x * cell + pen, -y * cell - pen, std::string("A.png")); };
    TComExport list;
    crossword->BuildModeExport(list, 0);
    EXPECT_EQ(Pictures(list), (std::vector{picture(2, 1)}));
    // Shown outside, every blank cell that serves no word takes it.
    crossword->Template->BlankCellLook.ShowOutside = true;
    list.Clear();
    crossword->BuildModeExport(list, 0);
    EXPECT_EQ(Pictures(list), (std::vector{picture(0, 1), picture(2, 1), picture(4, 1), picture(4, 2)}));
}

TEST_F(SkanwordGridCluesTest, ALinkedDefinitionCoversItsEmptyBlock) {
    // Three free 2 x 2 areas and one free cell between letter columns, as the blocks take their
    // pictures in turn; the word of column 0 links its picture to the block at (4, 0) and puts
    // the link's second picture into the corner the mode names.
    const GridPicture grid = {".##.##.##.#", ".##.##.##.."};
    const int cell = 100000;
    const int corners[4][2] = {{4, 0}, {5, 0}, {4, 1}, {5, 1}};
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        auto crossword = Scanword(grid, {}, true);
        ASSERT_EQ(crossword->Template->GetCellPixelWidth() * 1000, cell);
        crossword->OprText.EmptyOprFileName = "A.png|B.png|C.png";
        Define(*crossword, SlotAt(*crossword, 0, 0, '2'), "ил",
               "&CC004000&CA" + std::to_string(mode) + "&CP\"small.png\"&Ibig.png");
        TComExport list;
        crossword->BuildModeExport(list, 0);
        const int pen = crossword->Template->PenWidth * 1000;
        const auto at = [&](int x, int y, const char* name) {
            return std::tuple(x * cell + pen, -y * cell - pen, std::string(name));
        };
        EXPECT_EQ(Pictures(list), (std::vector{at(1, 0, "B.png"), at(4, 0, "big.png"),
                                               at(corners[mode][0], corners[mode][1], "small.png"), at(7, 0, "C.png"),
                                               at(10, 0, "A.png")}));
    }
}

TEST_F(SkanwordGridCluesTest, TheArrowPicturesTravelWithTheCrossword) {
    // The first crossword's template draws the arrow of vertical code 1 from a picture of its
    // own collection.
    TSkanword first;
    TMetafile own(20, 20);
    TCanvas(own).Ellipse(0, 0, 20, 20);
    ASSERT_TRUE(first.Template->Pictures.AddFromStream(TPictureKind::Metafile, "STRELKA_V_1", own.SvgData()));
    TStrelkaGraphics look = first.Template->ArrowLook;
    look.FileName = "saved";
    first.Template->SetArrowLook(look);

    std::vector<std::string> names;
    first.ListPictures(names);
    const std::vector<std::string> arrows = {"STRELKA_H_1", "STRELKA_H_2", "STRELKA_H_3", "STRELKA_H_4", "STRELKA_H_5",
                                             "STRELKA_H_6", "STRELKA_H_7", "STRELKA_V_1", "STRELKA_V_2", "STRELKA_V_3",
                                             "STRELKA_V_4", "STRELKA_V_5", "STRELKA_V_6", "STRELKA_V_7"};
    EXPECT_EQ(names, arrows);
    first.RegisterPictures();
    const TGraphCollection& collection = first.Template->Pictures;
    for (const std::string& name : arrows) {
        const int entry = first.Template->ArrowPictures.IndexOfName(name);
        ASSERT_GE(entry, 0) << name;
        ASSERT_GE(collection.IndexOfName(name), 0) << name;
        EXPECT_EQ(collection.Picture(collection.IndexOfName(name)).Data(),
                  first.Template->ArrowPictures.Picture(entry).Data())
            << name;
    }

    // A crossword loading that collection draws its arrows from it, the drawn ones included.
    TSkanword second;
    second.LoadPictures(collection.SaveToText());
    EXPECT_EQ(second.Template->ArrowLook.FileName, "saved");
    for (const std::string& name : arrows) {
        const int entry = second.Template->ArrowPictures.IndexOfName(name);
        ASSERT_GE(entry, 0) << name;
        EXPECT_EQ(second.Template->ArrowPictures.Picture(entry).Data(),
                  collection.Picture(collection.IndexOfName(name)).Data())
            << name;
    }
    const int ownEntry = second.Template->ArrowPictures.IndexOfName("STRELKA_V_1");
    const int drawnEntry = second.Template->ArrowPictures.IndexOfName("STRELKA_V_2");
    EXPECT_NE(second.Template->ArrowPictures.Picture(ownEntry).Data(),
              second.Template->ArrowPictures.Picture(drawnEntry).Data());
}

TEST_F(SkanwordGridCluesTest, TheKeptClueLayoutAnswersAsAFreshOne) {
    // Clue cells of one, two and three words, united blocks and empty ones.
    const GridPicture grid = {"########", "#.......", "#.##.#.#", "#.......", "##.#..##", "#.......", "##.##.##"};
    auto crossword = Make<TSkanword>(grid, {"кот"});
    crossword->Template->CanUnite = true;
    MakeScanword(*crossword->Template, grid);
    crossword->PrepareForFill();
    const std::string text = crossword->Template->SerializeTemplate(0, 0, crossword->Width - 1, crossword->Height - 1);
    const auto fresh = [&](int slot) {
        TSkanword other;
        other.SetWidth(crossword->Width);
        other.SetHeight(crossword->Height);
        EXPECT_TRUE(other.Template->ParseTemplate(text, 0, 0));
        other.Template->CanUnite = true;
        other.Template->NumberCells();
        other.PrepareForFill();
        return other.ClueAreaOfSlot(slot);
    };
    const auto same = [](const TSkanword::TClueArea& a, const TSkanword::TClueArea& b) {
        return std::tie(a.X, a.Y, a.Width, a.Height, a.WordsInCell, a.Place) ==
               std::tie(b.X, b.Y, b.Width, b.Height, b.WordsInCell, b.Place);
    };
    bool united = false, shared = false;
    for (int pass = 0; pass < 2; ++pass) {
        // Before the second pass the layout is made once without uniting, every area one cell.
        if (pass == 1) {
            crossword->Template->CanUnite = false;
            for (int slot = 0; slot < crossword->Words.Count(); ++slot) {
                const TSkanword::TClueArea single = crossword->ClueAreaOfSlot(slot);
                EXPECT_EQ(single.Width * single.Height, 1) << slot;
            }
            crossword->Template->CanUnite = true;
        }
        for (int slot = 0; slot < crossword->Words.Count(); ++slot) {
            const TSkanword::TClueArea kept = crossword->ClueAreaOfSlot(slot);
            EXPECT_TRUE(same(kept, fresh(slot))) << slot;
            united = united || kept.Width * kept.Height > 1;
            shared = shared || kept.WordsInCell > 1;
        }
    }
    EXPECT_TRUE(united);
    EXPECT_TRUE(shared);
}

TEST_F(SkanwordGridCluesTest, ClueBlocksEndWithTheUsedArea) {
    // Column 2 serves no clue and is left out of the picture: the clue block of (1, 0) is the
    // column the picture draws, and the clue fills it whole.
    auto crossword = Scanword({".##", ".##"}, {{0, 0, 6}}, true);
    crossword->OprText.OprShowType = 1;
    const TSkanword::TClueArea area = crossword->ClueAreaOfSlot(SlotAt(*crossword, 0, 0, '2'));
    EXPECT_EQ(std::make_tuple(area.X, area.Y, area.Width, area.Height), std::make_tuple(1, 0, 1, 2));
    TComExport list;
    crossword->BuildModeExport(list, 0);
    const int cell = crossword->Template->GetCellPixelWidth() * 1000, pen = crossword->Template->PenWidth * 1000;
    std::vector<std::tuple<int, int, int, int, int>> boxes;
    for (int i = 0; i < list.Count(); ++i) {
        const int kind = list.Kind(i);
        if (kind == static_cast<int>(TExportKind::CellEx) || kind == static_cast<int>(TExportKind::FormattedText) ||
            kind == static_cast<int>(TExportKind::FramedText))
            boxes.emplace_back(kind, list.X(i), list.Y(i), list.X2(i), list.Y2(i));
    }
    EXPECT_EQ(boxes, (std::vector<std::tuple<int, int, int, int, int>>{
                         {static_cast<int>(TExportKind::CellEx), cell, 0, 1, 2},
                         {static_cast<int>(TExportKind::FormattedText), cell + pen, -pen, cell - 2 * pen, 2 * cell - 2 * pen}}));
}
