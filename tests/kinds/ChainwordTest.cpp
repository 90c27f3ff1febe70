#include "kinds/Chainword.h"
#include "kinds/ChainwordShablon.h"

#include "../crossword/CrosswordFixture.h"

#include "kinds/Walls.h"
#include "platform/RecordingUi.h"

#include <tuple>

namespace {

using namespace WallBit;

// Lays a chainword chain: each row a text of direction digits ('2', '4', '6', '8'; '.' none).
void LayChain(TChainwordShablon& shape, const GridPicture& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            shape.SetAttrD(x, y, rows[y][x] == '.' ? 0 : rows[y][x] - '0');
}

// Lays a crossing chain: a direction byte per cell, rows of columns.
void LayCrossChain(TCrossChainwordShablon& shape, const std::vector<std::vector<int>>& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) shape.SetAttrD(x, y, rows[y][x]);
}

std::vector<std::pair<int, int>> CellsOf(const TCoord& coord) {
    std::vector<std::pair<int, int>> cells;
    for (const TCell& cell : coord.Cells()) cells.emplace_back(cell.x, cell.y);
    return cells;
}

TCoord CellRun(int x, int y, const std::string& path) {
    return TCoord(x, y, path, TCrossword::MaxSide, TCrossword::MaxSide);
}

class ChainwordTest : public CrosswordTest {
protected:
    // An unformatted chainword of the chain, its dictionary holding the words.
    std::unique_ptr<TChainword> Chainword(const GridPicture& rows, int overlap, const std::vector<std::string>& words) {
        auto crossword = std::make_unique<TChainword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(words)));
        crossword->SetWidth(static_cast<int>(rows[0].size()));
        crossword->SetHeight(static_cast<int>(rows.size()));
        auto& shape = static_cast<TChainwordShablon&>(*crossword->Template);
        LayChain(shape, rows);
        shape.Overlap = static_cast<uint8_t>(overlap);
        shape.NumberCells();
        crossword->Unformatted = 1;
        crossword->PrepareForFill();
        crossword->Running = 1;
        return crossword;
    }

    std::unique_ptr<TCrossChainword> CrossChainword(const std::vector<std::vector<int>>& rows,
                                                    const std::vector<std::string>& words, int startY = 0) {
        auto crossword = std::make_unique<TCrossChainword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(words)));
        crossword->SetWidth(static_cast<int>(rows[0].size()));
        crossword->SetHeight(static_cast<int>(rows.size()));
        auto& shape = static_cast<TCrossChainwordShablon&>(*crossword->Template);
        LayCrossChain(shape, rows);
        shape.ChainStartY = static_cast<uint8_t>(startY);
        shape.NumberCells();
        crossword->PrepareForFill();
        crossword->Running = 1;
        return crossword;
    }

    // A crossing chainword of a chain laid by moves from (x, y).
    std::unique_ptr<TCrossChainword> CrossChainwordByMoves(int width, int height, int x, int y, const std::string& moves) {
        auto crossword = std::make_unique<TCrossChainword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary({"кот"})));
        crossword->SetWidth(width);
        crossword->SetHeight(height);
        auto& shape = static_cast<TCrossChainwordShablon&>(*crossword->Template);
        EXPECT_TRUE(shape.LayMoves(x, y, moves));
        shape.NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    // The words read off the grid along the crossword's slots, in UTF-8.
    static std::vector<std::string> PlacedWords(const TCrossword& crossword) {
        std::vector<std::string> words;
        for (int i = 0; i < crossword.Words.Count(); ++i) {
            std::string word;
            const TCoord cells = crossword.SlotCells(i);
            for (const TCell& cell : cells.Cells()) word += ToUtf8(crossword.CellText(cell.x, cell.y));
            words.push_back(word);
        }
        return words;
    }
};

// Clears the crossword's Running switch at the first pause for messages, as a user cancelling.
class CancellingUi : public RecordingUi {
public:
    explicit CancellingUi(TCrossword& crossword) : mCrossword(crossword) {}
    void ProcessMessages() override { mCrossword.Running = 0; }

private:
    TCrossword& mCrossword;
};

// The crossing chain of the edge cases: from (0, 1) right through (1, 1), up and round, then down
// through (1, 1) again and on to (1, 2).
const std::vector<std::vector<int>> LoopedChain = {{0, 12, 48}, {1, 65, 3}, {0, 64, 0}};

}  // namespace

TEST_F(ChainwordTest, FiveCellChainNumbersWordsAndWallsByOverlap) {
    struct Case {
        int overlap;
        std::string firstPath, secondPath;
    };
    for (const Case& c : {Case{1, "66", "66"}, Case{2, "666", "66"}}) {
        TChainwordShablon shape(5, 1);
        LayChain(shape, {"44444"});
        shape.Overlap = static_cast<uint8_t>(c.overlap);
        shape.SetMarkE(2, 0, true);
        shape.NumberCells();
        const std::string context = "overlap " + std::to_string(c.overlap);
        EXPECT_EQ(shape.GetNumber(0, 0), 1) << context;
        EXPECT_EQ(shape.GetNumber(2, 0), 2) << context;
        for (int x = 0; x < 5; ++x) EXPECT_TRUE(shape.IsLetterCell(x, 0)) << context;
        EXPECT_EQ(shape.ChainWordPath(0, 0), c.firstPath) << context;
        EXPECT_EQ(shape.ChainWordPath(2, 0), c.secondPath) << context;
        EXPECT_EQ(shape.ChainWordPath(1, 0), "") << context;
        EXPECT_EQ(shape.GetAttrA(0, 0), Above | Below | Left) << context;
        EXPECT_EQ(shape.GetAttrA(4, 0), Above | Below | Right) << context;
        TShablonWords words;
        shape.WordsThroughCell(2, 0, words);
        ASSERT_EQ(words.Count(), 2) << context;
        shape.WordsThroughCell(4, 0, words);
        ASSERT_EQ(words.Count(), 1) << context;
        EXPECT_EQ(words.WordX(0), 2) << context;
    }
    // A mark on the chain's last cell starts no word.
    TChainwordShablon shape(5, 1);
    LayChain(shape, {"44444"});
    shape.SetMarkE(4, 0, true);
    shape.NumberCells();
    EXPECT_FALSE(shape.IsNumbered(4, 0));
    EXPECT_EQ(shape.ChainWordPath(0, 0), "6666");
}

TEST_F(ChainwordTest, ChainRunningIntoItselfEndsAtTheCellBefore) {
    TChainwordShablon shape(2, 3);
    // (0, 0) right, down the right column, left, then up into the start again.
    LayChain(shape, {"42", "82", "86"});
    shape.NumberCells();
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {1, 2}, {0, 2}, {0, 1}})
        EXPECT_TRUE(shape.IsLetterCell(x, y)) << x << "," << y;
    EXPECT_TRUE(shape.ChainEndsAt(0, 1));
    EXPECT_FALSE(shape.ChainEndsAt(0, 2));
    EXPECT_EQ(shape.ChainWordPath(0, 0), "62248");
    TShablonWords words;
    shape.WordsThroughCell(0, 1, words);
    ASSERT_EQ(words.Count(), 1);
    EXPECT_EQ(words.WordLength(0), 6);
    // A start outside the grid makes no chain.
    shape.ChainStartX = 7;
    shape.NumberCells();
    EXPECT_FALSE(shape.IsLetterCell(0, 0));
}

TEST_F(ChainwordTest, ChainwordDigitsMirrorWithTheGrid) {
    TChainwordShablon shape(4, 4);
    shape.MirrorX = {true, 1, true};
    shape.MirrorY = {true, 1, true};
    shape.SetAttrD(0, 0, 4);
    shape.SetAttrD(0, 1, 2);
    EXPECT_EQ(shape.GetAttrD(3, 0), 6);
    EXPECT_EQ(shape.GetAttrD(0, 3), 4);
    EXPECT_EQ(shape.GetAttrD(3, 3), 6);
    EXPECT_EQ(shape.GetAttrD(0, 2), 8);
    EXPECT_EQ(shape.GetAttrD(3, 2), 8);
    // No step of the chain: the template text could not hold it.
    for (const int value : {1, 3, 5, 9, 65}) {
        shape.SetAttrD(1, 1, value);
        EXPECT_FALSE(shape.HasAttrD(1, 1)) << value;
        EXPECT_EQ(shape.GetAttrD(1, 1), 0) << value;
    }
}

TEST_F(ChainwordTest, TemplateTextsRoundTripAndBadOnesAreRefused) {
    TChainwordShablon shape(3, 2);
    LayChain(shape, {"442", "..6"});
    shape.ChainStartX = 0;
    shape.Overlap = 2;
    shape.SetMarkE(1, 0, true);
    const std::string text = shape.SerializeTemplate(0, 0, 2, 1);
    EXPECT_EQ(text.substr(0, 6), std::string("3320") + "02");
    TChainwordShablon read(3, 2);
    ASSERT_TRUE(read.ParseTemplate(text, 0, 0));
    EXPECT_EQ(read.SerializeTemplate(0, 0, 2, 1), text);
    EXPECT_EQ(read.Overlap, 2);
    EXPECT_TRUE(read.HasMarkE(1, 0));

    // A text placed partly outside the grid keeps reading its cells in step.
    TChainwordShablon narrow(2, 2);
    ASSERT_TRUE(narrow.ParseTemplate(text, 1, 0));
    EXPECT_EQ(narrow.GetAttrD(1, 0), 4);
    EXPECT_FALSE(narrow.HasMarkE(1, 0));
    EXPECT_EQ(narrow.GetAttrD(1, 1), 0);

    const std::string head = "3210" "01";
    struct Case {
        std::string text, message;
    };
    const std::string bad(Cp("Неверный формат шаблона!"));
    const Case cases[] = {
        {"32100", bad},                                        // no overlap
        {head + "\x05\x04\x01", bad},                          // ends before the last cell
        {head + "\x05\x04\x01\x05", bad},                      // ends between chr(5) and its value
        {head + "\x05\x03\x01\x01\x01", bad},                  // no such digit
        {head + "\x07\x01\x01\x01", bad},                      // an unknown cell byte
        {"321000\x01\x01\x01\x01", bad},                       // overlap 0
        {std::string("3210") + "0I" + "\x01\x01\x01\x01", bad},  // overlap 25
        {"?21001\x01\x01", Cp("Несовместимый тип шаблона!")},
    };
    for (const Case& c : cases) {
        mUi->Messages.clear();
        TChainwordShablon target(2, 1);
        EXPECT_FALSE(target.ParseTemplate(c.text, 0, 0)) << ToUtf8(c.text);
        ASSERT_EQ(mUi->Messages.size(), 1u) << ToUtf8(c.text);
        EXPECT_EQ(mUi->Messages[0], c.message);
        EXPECT_GE(target.Overlap, 1);
        EXPECT_LE(target.Overlap, 24);
    }
    // The cells read before the fault stay.
    TChainwordShablon target(2, 1);
    EXPECT_FALSE(target.ParseTemplate(head + "\x05\x06\x06\x05", 0, 0));
    EXPECT_EQ(target.GetAttrD(0, 0), 6);
    EXPECT_TRUE(target.HasMarkE(0, 0));
}

TEST_F(ChainwordTest, UnformattedFillLaysOverlappingWordsToTheChainEnd) {
    struct Case {
        GridPicture chain;
        int overlap;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {{"44444"}, 1, {"кот", "ток"}},
        {{"442", "266", "444"}, 1, {"кот", "ток", "кит", "тик", "сок", "кос"}},
        {{"444444"}, 2, {"кора", "рана", "нас"}},
    };
    for (const Case& c : cases) {
        auto crossword = Chainword(c.chain, c.overlap, c.words);
        crossword->FillParameters.TimeLimit = 20;
        int errCode = 0;
        TFillResult best;
        EXPECT_TRUE(crossword->Fill(0, 0, crossword->Width - 1, crossword->Height - 1, false, errCode, best))
            << c.chain[0] << " error " << errCode;
        EXPECT_TRUE(crossword->IsComplete());
        for (const std::string& word : PlacedWords(*crossword))
            EXPECT_NE(std::find(c.words.begin(), c.words.end(), word), c.words.end()) << word;
    }
}

TEST_F(ChainwordTest, FillKeepsALockedWordAtTheStartAndGoesOnAfterIt) {
    auto crossword = Chainword({"44444"}, 1, {"кот", "ток", "тук"});
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(0, 0, "66"), Cp("ток"), {}, slot), PutCode::Placed);
    crossword->Words.SetSlotLocked(slot, true);
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->FillSpecial(0, 0, 4, 0, errCode, best));
    ASSERT_EQ(crossword->Words.Count(), 2);
    EXPECT_EQ(Letters(*crossword)[0], "токот");
    EXPECT_TRUE(crossword->Words.SlotLocked(crossword->Words.FindSlot(0, 0, "66")));
    EXPECT_TRUE(crossword->IsComplete());
}

TEST_F(ChainwordTest, WordNoLongerThanTheOverlapEndsTheFillWithoutReadingBeforeIt) {
    auto crossword = Chainword({"444444"}, 2, {"да", "дар", "арка"});
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(0, 0, "6"), Cp("да"), {}, slot), PutCode::Placed);
    EXPECT_FALSE(crossword->IsComplete());
    int errCode = 0;
    TFillResult best;
    EXPECT_FALSE(crossword->FillSpecial(0, 0, 5, 0, errCode, best));
    EXPECT_EQ(errCode, FillError::PlaceFailed);
}

TEST_F(ChainwordTest, ManyCandidatesOfOneCategoryAreAllDrawable) {
    // 256 three-letter words, the only ones a three-cell chain can take: a byte counter reads none.
    std::vector<std::string> words;
    const std::vector<std::string> letters = {"а", "б", "в", "г", "д", "е", "ж"};
    for (const auto& a : letters)
        for (const auto& b : letters)
            for (const auto& c : letters)
                if (words.size() < 256) words.push_back(a + b + c);
    auto crossword = Chainword({"444"}, 1, words);
    int errCode = 0;
    TFillResult best;
    EXPECT_TRUE(crossword->FillSpecial(0, 0, 2, 0, errCode, best)) << errCode;
    EXPECT_TRUE(crossword->IsComplete());

    auto cross = CrossChainword({{1, 1, 1}}, words);
    ASSERT_EQ(cross->Chain.Count(), 3);
    EXPECT_TRUE(cross->FillSpecial(0, 0, 2, 0, errCode, best)) << errCode;
    EXPECT_TRUE(cross->IsComplete());
}

TEST_F(ChainwordTest, CrossChainWallsAndCrossingCells) {
    TCrossChainwordShablon straight(3, 1);
    LayCrossChain(straight, {{1, 1, 0}});
    straight.NumberCells();
    TCoord chain(200, 200);
    int loopStart = 0;
    straight.ChainCells(chain, loopStart);
    EXPECT_EQ(CellsOf(chain), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
    EXPECT_EQ(loopStart, -1);
    EXPECT_FALSE(straight.IsLetterCell(2, 0));
    EXPECT_EQ(straight.GetAttrA(0, 0), Below | Above | Left);
    EXPECT_EQ(straight.GetAttrA(1, 0), Below | Right | Above);

    TCrossChainwordShablon looped(3, 3);
    LayCrossChain(looped, LoopedChain);
    looped.ChainStartY = 1;
    looped.NumberCells();
    looped.ChainCells(chain, loopStart);
    EXPECT_EQ(CellsOf(chain),
              (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {2, 0}, {1, 0}, {1, 1}, {1, 2}}));
    EXPECT_TRUE(looped.IsLetterCell(1, 1));
    EXPECT_EQ(looped.GetAttrA(1, 1), 0);
    EXPECT_EQ(looped.GetAttrA(1, 2), Below | Right | Left);

    // A closed chain lists its start again and opens the walls between its ends.
    TCrossChainwordShablon closed(2, 2);
    LayCrossChain(closed, {{33, 2}, {8, 128}});
    closed.NumberCells();
    closed.ChainCells(chain, loopStart);
    EXPECT_EQ(CellsOf(chain), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}));
    EXPECT_EQ(loopStart, -1);
    EXPECT_EQ(closed.GetAttrA(0, 0), Above | Left);
    EXPECT_EQ(closed.GetAttrA(0, 1), Below | Left);
}

TEST_F(ChainwordTest, RepeatingChainIsCutAndItsLoopMarked) {
    TCrossChainwordShablon shape(3, 2);
    // Right through (1, 0), round the right part and up into (1, 0) again, then right once more.
    LayCrossChain(shape, {{1, 33, 2}, {0, 8, 128}});
    TCoord chain(200, 200);
    int loopStart = -1;
    shape.ChainCells(chain, loopStart);
    EXPECT_EQ(CellsOf(chain),
              (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 0}, {2, 0}}));
    EXPECT_EQ(loopStart, 1);
    shape.NumberCells();
    shape.CheckTemplate();
    EXPECT_EQ(shape.MarksAt(0, 0) & 0x0002, 0);
    for (const auto& [x, y] : {std::pair{1, 0}, {2, 0}, {2, 1}, {1, 1}}) EXPECT_NE(shape.MarksAt(x, y) & 0x0002, 0);
}

TEST_F(ChainwordTest, CrossChainTextRoundTripsAndTruncatedOnesAreRefused) {
    TCrossChainwordShablon shape(3, 3);
    LayCrossChain(shape, LoopedChain);
    shape.ChainStartY = 1;
    // The text keeps no word-start marks, so the template takes none.
    shape.SetMarkE(1, 1, true);
    EXPECT_FALSE(shape.HasMarkE(1, 1));
    const std::string text = shape.SerializeTemplate(0, 0, 2, 2);
    TCrossChainwordShablon read(3, 3);
    ASSERT_TRUE(read.ParseTemplate(text, 0, 0));
    EXPECT_EQ(read.SerializeTemplate(0, 0, 2, 2), text);
    EXPECT_EQ(read.GetAttrD(1, 1), 65);
    // Two cells, both with a value: cut before the last value, the text ends after its chr(5).
    const std::string pair = std::string("?21001") + "\x05\x01" + "\x05\x01";
    for (const std::string& cutText : {text.substr(0, text.size() - 1), text.substr(0, 5), pair.substr(0, 9)}) {
        mUi->Messages.clear();
        TCrossChainwordShablon target(3, 3);
        EXPECT_FALSE(target.ParseTemplate(cutText, 0, 0)) << cutText.size();
        ASSERT_EQ(mUi->Messages.size(), 1u);
        EXPECT_EQ(mUi->Messages[0], "Неверный формат шаблона!"_cp);
    }
    // The cells of a text placed partly outside the grid are read in step.
    TCrossChainwordShablon narrow(2, 1);
    ASSERT_TRUE(narrow.ParseTemplate(std::string("?31001") + "\x05\x41" + "\x05\x01" + "\x05\x04", 1, 0));
    EXPECT_EQ(narrow.GetAttrD(1, 0), 65);
}

TEST_F(ChainwordTest, CrossChainPlacementChecksTheCrossingAndTheChainsContinuation) {
    auto crossword = CrossChainword(LoopedChain, {"колокол", "картина", "кол", "лак"}, 1);
    ASSERT_EQ(crossword->Chain.Count(), 7);
    int slot = -1;
    EXPECT_EQ(crossword->PutWordAtCoord(CellRun(0, 1, "668422"), Cp("картина"), {}, slot), PutCode::TwoLetters);
    EXPECT_EQ(crossword->Words.Count(), 0);
    EXPECT_EQ(crossword->PutWordAtCoord(CellRun(0, 1, "668422"), Cp("колокол"), {}, slot), PutCode::Placed);
    EXPECT_TRUE(crossword->IsComplete());
    EXPECT_EQ(crossword->NextOpenPosition(0), -1);
    crossword->RemoveWordAtCoord(CellRun(0, 1, "668422"));

    // Words at positions 2 and 0: numbered in position order from 2, the start keeping 1.
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(2, 1, "84"), Cp("лак"), {}, slot), PutCode::Placed);
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(0, 1, "66"), Cp("кол"), {}, slot), PutCode::Placed);
    EXPECT_EQ(crossword->Template->GetNumber(0, 1), 1);
    EXPECT_EQ(crossword->Template->GetNumber(2, 1), 2);
    EXPECT_EQ(crossword->NextOpenPosition(0), 4);
    EXPECT_FALSE(crossword->IsComplete());
    std::string steps;
    crossword->SlotExtraText(CellRun(1, 0, "2"), steps);
    EXPECT_EQ(steps, "22");

    // A word ending on the crossing cell where a word leaves downward, while the chain goes on to
    // the right from there.
    auto other = CrossChainword(LoopedChain, {"ок", "ко"}, 1);
    ASSERT_EQ(other->PutWordAtCoord(CellRun(1, 1, "2"), Cp("ок"), {}, slot), PutCode::Placed);
    ASSERT_EQ(other->Template->GetNumber(1, 1), 2);
    EXPECT_EQ(other->PutWordAtCoord(CellRun(0, 1, "6"), Cp("ко"), {}, slot), TCrossChainword::BreaksChain);

    // A start beyond the chain gives no number.
    auto& shape = static_cast<TCrossChainwordShablon&>(*crossword->Template);
    shape.WordStarts.Add(TCrossChainwordShablon::PositionText(99));
    shape.NumberCells();
    EXPECT_EQ(shape.GetNumber(0, 1), 1);
}

TEST_F(ChainwordTest, CrossChainFillsCoverTheChain) {
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::RandomRestart}) {
        const std::vector<std::string> words = {"кол", "лак", "кот", "ток", "колокол", "окно", "молоко"};
        auto crossword = CrossChainword(LoopedChain, words, 1);
        crossword->FillParameters.FillMethod = method;
        crossword->FillParameters.TimeLimit = 20;
        int errCode = 0;
        TFillResult best;
        EXPECT_TRUE(crossword->Fill(0, 0, 2, 2, false, errCode, best)) << errCode;
        EXPECT_TRUE(crossword->IsComplete());
        for (const std::string& word : PlacedWords(*crossword))
            EXPECT_NE(std::find(words.begin(), words.end(), word), words.end()) << word;
    }
    // With no template loaded the chain is empty.
    TCrossChainword empty;
    int errCode = 5;
    TFillResult best;
    EXPECT_TRUE(empty.FillSpecial(0, 0, 0, 0, errCode, best));
    EXPECT_TRUE(empty.FillRandomRestart(0, 0, 0, 0, errCode, best));
    EXPECT_FALSE(empty.IsComplete());
}

TEST_F(ChainwordTest, ChainsLaidByMoves) {
    TChainwordShablon serpent(3, 2);
    serpent.LaySerpentine();
    EXPECT_EQ(serpent.ChainWordPath(0, 0), "66244");
    EXPECT_TRUE(serpent.ChainEndsAt(0, 1));

    struct Case {
        int x, y;
        std::string moves;
        bool laid;
    };
    const Case chainCases[] = {
        {0, 0, "RRD", true}, {2, 1, "UL", true}, {0, 0, "", true},  {0, 0, "RL", false},
        {0, 0, "RDLU", false}, {0, 0, "RRR", false}, {0, 0, "RX", false}, {3, 0, "", false},
    };
    for (const Case& c : chainCases) {
        TChainwordShablon shape(3, 2);
        EXPECT_EQ(shape.LayMoves(c.x, c.y, c.moves), c.laid) << c.moves;
        int letters = 0;
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 2; ++y) letters += shape.IsLetterCell(x, y);
        EXPECT_EQ(letters, c.laid ? static_cast<int>(c.moves.size()) + 1 : 0) << c.moves;
    }

    TCrossChainwordShablon looped(3, 3);
    ASSERT_TRUE(looped.LayMoves(0, 1, "RRULDD"));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(looped.GetAttrD(x, y), LoopedChain[y][x]) << x << "," << y;
    const Case crossCases[] = {
        {0, 0, "RDLU", true}, {0, 0, "RL", false}, {0, 0, "RRDLUR", false}, {0, 0, "UR", false},
    };
    for (const Case& c : crossCases) {
        TCrossChainwordShablon shape(3, 2);
        EXPECT_EQ(shape.LayMoves(c.x, c.y, c.moves), c.laid) << c.moves;
        TCoord chain(200, 200);
        int loopStart = -1;
        shape.ChainCells(chain, loopStart);
        EXPECT_EQ(chain.Count(), c.laid ? static_cast<int>(c.moves.size()) + 1 : 0) << c.moves;
    }
}

// Walls keep every walk short; with the walls gone (digits edited after the numbering) the walks
// still end within as many steps as the grid has cells.
TEST_F(ChainwordTest, ChainWalksEndWithinTheGridWhenTheWallsAreGone) {
    // From (0, 0) right, then round the right part and up into (1, 0) again: a cycle.
    const GridPicture cycle = {"442", ".86"};
    const auto stripWalls = [](TChainwordShablon& shape) {
        for (int x = 0; x < shape.Width; ++x)
            for (int y = 0; y < shape.Height; ++y) shape.SetAttrA(x, y, 0);
    };
    TChainwordShablon shape(3, 2);
    LayChain(shape, cycle);
    shape.NumberCells();
    stripWalls(shape);
    EXPECT_LE(shape.ChainWordPath(0, 0).size(), 6u);
    TShablonWords words;
    shape.WordsThroughCell(1, 1, words);
    EXPECT_LE(words.Count(), 6);

    // Words round the cycle, each starting where the one before ends.
    auto crossword = Chainword(cycle, 1, {"кот"});
    int slot = -1;
    for (const auto& [x, y, path, word] : {std::tuple{0, 0, "6", "ко"}, {1, 0, "62", "оно"}, {2, 1, "48", "осо"}})
        ASSERT_EQ(crossword->PutWordAtCoord(CellRun(x, y, path), Cp(word), {}, slot), PutCode::Placed) << word;
    stripWalls(static_cast<TChainwordShablon&>(*crossword->Template));
    EXPECT_FALSE(crossword->IsComplete());
}

// A word refused for a start letter (code 3) is not placed: the next candidate is drawn, and
// with none left the search is exhausted.
TEST_F(ChainwordTest, StartLetterRefusalDrawsTheNextCandidate) {
    auto crossword = Chainword({"44444"}, 1, {"сны"});
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(2, 0, "66"), Cp("ыка"), {}, slot), PutCode::Placed);
    crossword->Words.SetSlotLocked(slot, true);
    crossword->AvoidStartLetters = 1;
    crossword->FillParameters.TimeLimit = 30;
    int errCode = 0;
    TFillResult best;
    EXPECT_FALSE(crossword->FillSpecial(0, 0, 4, 0, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(crossword->Words.Count(), 1);
}

// The chain starts inside a pasted word that does not start there: no run is allowed and no
// word can be followed, a level without candidates.
TEST_F(ChainwordTest, PositionInsideAForeignWordIsALevelWithoutCandidates) {
    // From (1, 0) right, down, and back left along row 1 and up to (0, 0).
    auto crossword = Chainword({"442", "866"}, 1, {"кот", "тот"});
    auto& shape = static_cast<TChainwordShablon&>(*crossword->Template);
    shape.ChainStartX = 1;
    shape.NumberCells();
    ASSERT_TRUE(shape.ChainEndsAt(0, 0));
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(0, 0, "66"), Cp("кот"), {}, slot), PutCode::Placed);
    int errCode = 0;
    TFillResult best;
    EXPECT_FALSE(crossword->FillSpecial(0, 0, 2, 1, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
}

// The driver passes the far corner (Width, Height); the chain fills keep to the grid.
TEST_F(ChainwordTest, ChainFillsTakeTheFarCornerTheDriverPasses) {
    auto chainword = Chainword({"44444"}, 1, {"кот", "ток"});
    int errCode = 0;
    TFillResult best;
    EXPECT_TRUE(chainword->Fill(0, 0, 5, 1, false, errCode, best)) << errCode;
    EXPECT_TRUE(chainword->IsComplete());
    auto cross = CrossChainword(LoopedChain, {"кол", "лак", "кот", "ток", "колокол", "окно", "молоко"}, 1);
    EXPECT_TRUE(cross->Fill(0, 0, 3, 3, false, errCode, best)) << errCode;
    EXPECT_TRUE(cross->IsComplete());
}

TEST_F(ChainwordTest, CrossChainwordIsUnformattedAndAStartOutsideMakesNoChain) {
    EXPECT_TRUE(TCrossChainword().Unformatted);
    TCrossChainwordShablon shape(3, 3);
    LayCrossChain(shape, LoopedChain);
    shape.ChainStartX = 3;
    TCoord chain(200, 200);
    int loopStart = 0;
    shape.ChainCells(chain, loopStart);
    EXPECT_EQ(chain.Count(), 0);
    shape.NumberCells();
    EXPECT_FALSE(shape.IsLetterCell(1, 1));
}

// A word ending on the chain's last cell has no follower to check, nor has a word off the chain.
TEST_F(ChainwordTest, CrossChainEndCheckKeepsToTheChain) {
    // (0, 1) right to (2, 1), up, left, and down into (1, 1) again: the last cell is a crossing.
    auto crossword = CrossChainwordByMoves(3, 3, 0, 1, "RRULD");
    ASSERT_EQ(crossword->Chain.Count(), 6);
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(CellRun(1, 1, "6"), Cp("ко"), {}, slot), PutCode::Placed);
    ASSERT_EQ(crossword->Template->GetNumber(1, 1), 2);
    EXPECT_EQ(crossword->PutWordAtCoord(CellRun(2, 0, "42"), Cp("рак"), {}, slot), PutCode::Placed);
    EXPECT_EQ(crossword->PutWordAtCoord(CellRun(2, 1, "4"), Cp("ок"), {}, slot), PutCode::Placed);
}

// Words leave the crossing cell (1, 1) at positions 1 and 5: it keeps the number it got first,
// and the next start takes the next number.
TEST_F(ChainwordTest, TwoWordStartsOnACrossingCellShareItsNumber) {
    auto crossword = CrossChainword(LoopedChain, {"кот"}, 1);
    int slot = -1;
    for (const auto& [x, y, path, word] : {std::tuple{1, 1, "2", "ко"}, {2, 0, "42", "ток"}, {1, 1, "68", "кот"}})
        ASSERT_EQ(crossword->PutWordAtCoord(CellRun(x, y, path), Cp(word), {}, slot), PutCode::Placed) << word;
    EXPECT_EQ(crossword->Template->GetNumber(0, 1), 1);
    EXPECT_EQ(crossword->Template->GetNumber(1, 1), 2);
    EXPECT_EQ(crossword->Template->GetNumber(2, 0), 3);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y) EXPECT_LE(crossword->Template->GetNumber(x, y), 3) << x << "," << y;
}

// No word fits the chain: the depth-first fill gives up at once, while fill method 1, the random
// fill, takes back and tries again until it is cancelled.
TEST_F(ChainwordTest, FillMethodOneRunsTheRandomFill) {
    struct Case {
        TFillMethod method;
        int errCode;
    };
    for (const Case& c : {Case{TFillMethod::Backtrack, FillError::Exhausted},
                          Case{TFillMethod::Propagate, FillError::Exhausted},
                          Case{TFillMethod::RandomRestart, FillError::Stopped}}) {
        auto crossword = CrossChainword({{1, 1, 1}}, {"кошка"});
        crossword->FillParameters.FillMethod = c.method;
        std::unique_ptr<Ui> previous = InstallUi(std::make_unique<CancellingUi>(*crossword));
        int errCode = 0;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, 2, 0, true, errCode, best));
        InstallUi(std::move(previous));
        EXPECT_EQ(errCode, c.errCode) << static_cast<int>(c.method);
    }
}
