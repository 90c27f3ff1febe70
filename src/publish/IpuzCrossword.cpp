#include "IpuzCrossword.h"

#include "crossword/Crossword.h"
#include "crossword/CrosswordFactory.h"
#include "dictionary/LetterCase.h"
#include "kinds/ClueBoxes.h"
#include "kinds/Skanword.h"
#include "kinds/Walls.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <span>

namespace {

// Sides of a cell in ipuz bar letters and as wall bits.
struct TSide {
    char Bar;
    int Wall;
};
constexpr TSide Sides[] = {{'T', WallBit::Above}, {'L', WallBit::Left}, {'B', WallBit::Below}, {'R', WallBit::Right}};

// Where a scanword's clue cell lies from its word's first cell, by arrow code 1..7 (the template
// stores the code in attribute B: bits 0-2 for a vertical word, bits 3-5 for a horizontal one).
struct TArrowPlace {
    int Dx, Dy;
};
constexpr TArrowPlace VerticalArrows[] = {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {1, 1}, {1, 0}, {1, -1}};
constexpr TArrowPlace HorizontalArrows[] = {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {1, 1}, {0, 1}, {1, -1}};

// The letters a word field shows in a cell no word covers.
constexpr std::string_view FillerLetters = "абвгдежзийклмнопрстуфхцчшщыьэюя";

enum class TShape { None, Crossword, Arrowword, WordSearch, ZigZagSearch };

TShape ShapeOf(TCrosswordKind kind) {
    switch (kind) {
        case TCrosswordKind::Classic:
        case TCrosswordKind::Estonish:
        case TCrosswordKind::American:
        case TCrosswordKind::Kinder:
        case TCrosswordKind::Diagonal: return TShape::Crossword;
        case TCrosswordKind::Skanword:
        case TCrosswordKind::Skanword2:
        case TCrosswordKind::Skanword3: return TShape::Arrowword;
        case TCrosswordKind::English: return TShape::WordSearch;
        case TCrosswordKind::FillWord: return TShape::ZigZagSearch;
        default: return TShape::None;
    }
}

std::string UpperUtf8(const TCrossword& crossword, std::string_view text) {
    return ToUtf8(crossword.Dictionary.ToUpperText(text));
}

// The clue of a slot: its definition as plain text (a picture clue has none).
std::string ClueText(const TCrossword& crossword, int slot) {
    const TCrosswordWords& words = crossword.Words;
    if (!words.SlotFilled(slot) || !words.SlotHasDefinition(slot)) return {};
    const TDefinitionMarkup markup = crossword.FormatDefinition(words.SlotDefinition(slot), false);
    if (markup.Picture) return {};
    return ToUtf8(markup.Text);
}

// The step text between two neighbouring cells as a keypad digit; 0 when they are no neighbours.
char StepBetween(const TIpuzCellRef& from, const TIpuzCellRef& to) {
    static constexpr char Keypad[3][3] = {{'7', '8', '9'}, {'4', 0, '6'}, {'1', '2', '3'}};
    const int dx = to.first - from.first, dy = to.second - from.second;
    if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return 0;
    return Keypad[dy + 1][dx + 1];
}

std::string Named(const TIpuzClue& clue) {
    std::string name = "the clue " + clue.Direction;
    if (clue.Number > 0) name += " " + std::to_string(clue.Number);
    return name;
}

// The clue numbers of the puzzle's cells where words start, row by row, for kinds that number
// none themselves.
void NumberWordStarts(TIpuzPuzzle& puzzle) {
    std::set<TIpuzCellRef> starts;
    for (const TIpuzClue& clue : puzzle.Clues) starts.emplace(clue.Cells.front().second, clue.Cells.front().first);
    std::map<TIpuzCellRef, int> numbers;
    for (const auto& [y, x] : starts) {
        const int number = static_cast<int>(numbers.size()) + 1;
        numbers[{x, y}] = number;
        puzzle.Cell(x, y).Number = number;
    }
    for (TIpuzClue& clue : puzzle.Clues) clue.Number = numbers[clue.Cells.front()];
}

// Ipuz readers take every run of letter cells for a word. The cells that no word covers, which
// the children's crossword leaves out of its puzzle, are false in the result, and neighbouring
// cells that follow each other in no word (its columns side by side) get a wall between them.
std::vector<bool> KeepToWords(const TCrossword& crossword, std::vector<int>& walls) {
    const int width = crossword.Width, height = crossword.Height;
    std::vector<bool> inWords(walls.size());
    std::set<std::pair<int, int>> linked;  // the indices of cells that follow each other in a word
    for (int slot = 0; slot < crossword.Words.Count(); ++slot) {
        const TCoord coord = crossword.SlotCells(slot);
        const std::vector<TCell>& cells = coord.Cells();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int at = cells[i].y * width + cells[i].x;
            inWords[at] = true;
            if (i == 0) continue;
            const int before = cells[i - 1].y * width + cells[i - 1].x;
            linked.emplace(std::min(at, before), std::max(at, before));
        }
    }
    // One side of a wall is enough, as the Estonian template keeps it.
    const auto part = [&](int at, int next, int wall, int opposite) {
        if (!inWords[at] || !inWords[next] || linked.contains({at, next}) || (walls[at] & wall) ||
            (walls[next] & opposite))
            return;
        walls[at] |= wall;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int at = y * width + x;
            if (x + 1 < width) part(at, at + 1, WallBit::Right, WallBit::Left);
            if (y + 1 < height) part(at, at + width, WallBit::Below, WallBit::Above);
        }
    return inWords;
}

// --- reading ---

class TImporter {
public:
    explicit TImporter(const TIpuzPuzzle& puzzle) : mPuzzle(puzzle) {}

    TIpuzImport Run();

private:
    bool Fail(std::string error) {
        mResult.Error = std::move(error);
        return false;
    }
    bool DrawGrid();
    bool PlaceArrows();
    bool PlaceArrow(const TIpuzClue& clue);
    // The slot of a clue; -1 after a complaint.
    int SlotOfClue(const TIpuzClue& clue);
    bool PlaceWords(const std::vector<int>& clueSlots);

    const TIpuzPuzzle& mPuzzle;
    TIpuzImport mResult;
    TCrossword* mCrossword = nullptr;
};

TIpuzImport TImporter::Run() {
    if (mPuzzle.Kind == TIpuzKind::WordSearch) {
        mResult.Error = "holds a word search, not a crossword";
        return std::move(mResult);
    }
    const auto isDiagonal = [](const TIpuzClue& clue) {
        const char step = IpuzStepOfDirection(clue.Direction);
        return step == '3' || step == '1';
    };
    const bool diagonal = !mPuzzle.Clues.empty() && isDiagonal(mPuzzle.Clues.front());
    for (const TIpuzClue& clue : mPuzzle.Clues) {
        if (IpuzStepOfDirection(clue.Direction) == 0) {
            mResult.Error = "has clues " + clue.Direction + ": only across, down and diagonal words are read";
            return std::move(mResult);
        }
        if (isDiagonal(clue) != diagonal) {
            mResult.Error = "mixes diagonal words with across and down words";
            return std::move(mResult);
        }
    }
    const bool barred = std::any_of(mPuzzle.Cells.begin(), mPuzzle.Cells.end(),
                                    [](const TIpuzCell& cell) { return !cell.Bars.empty(); });
    TCrosswordKind kind = barred ? TCrosswordKind::Estonish : TCrosswordKind::Classic;
    if (diagonal) kind = TCrosswordKind::Diagonal;
    if (mPuzzle.Kind == TIpuzKind::Arrowword) kind = TCrosswordKind::Skanword;
    auto crossword = CreateCrossword(static_cast<int>(kind));
    if (!crossword) {
        mResult.Error = "needs a crossword kind this build does not make";
        return std::move(mResult);
    }
    mCrossword = crossword.get();
    mCrossword->Interactive = 0;
    mCrossword->Dictionary.ShowProgress = false;
    if (!DrawGrid() || !PlaceArrows()) return std::move(mResult);
    mCrossword->Template->NumberCells();
    mCrossword->PrepareForFill();

    std::vector<int> clueSlots;
    for (const TIpuzClue& clue : mPuzzle.Clues) {
        const int slot = SlotOfClue(clue);
        if (slot < 0) return std::move(mResult);
        if (std::find(clueSlots.begin(), clueSlots.end(), slot) != clueSlots.end()) {
            mResult.Error = Named(clue) + " is the second clue of one word";
            return std::move(mResult);
        }
        clueSlots.push_back(slot);
    }
    if (!PlaceWords(clueSlots)) return std::move(mResult);
    mResult.Crossword = std::move(crossword);
    return std::move(mResult);
}

bool TImporter::DrawGrid() {
    mCrossword->SetWidth(mPuzzle.Width);
    mCrossword->SetHeight(mPuzzle.Height);
    TShablon& shablon = *mCrossword->Template;
    const bool lattice = mCrossword->Kind == TCrosswordKind::Diagonal;
    for (int y = 0; y < mPuzzle.Height; ++y)
        for (int x = 0; x < mPuzzle.Width; ++x) {
            // The diagonal lattice uses only the cells whose column and row have equal parity.
            if (lattice && mPuzzle.Cell(x, y).Letter && (x + y) % 2 != 0)
                return Fail("has diagonal words and a letter cell [" + std::to_string(x + 1) + ", " +
                            std::to_string(y + 1) + "] off their lattice");
            shablon.SetLetterCellOnly(x, y, mPuzzle.Cell(x, y).Letter);
        }
    if (!shablon.UsesWalls) return true;
    // Walls need both cells of a side in place.
    for (int y = 0; y < mPuzzle.Height; ++y)
        for (int x = 0; x < mPuzzle.Width; ++x) {
            int walls = 0;
            for (const TSide& side : Sides)
                if (mPuzzle.Cell(x, y).Bars.find(side.Bar) != std::string::npos) walls |= side.Wall;
            if (walls) shablon.SetAttrA(x, y, walls);
        }
    return true;
}

bool TImporter::PlaceArrows() {
    if (mPuzzle.Kind != TIpuzKind::Arrowword) return true;
    for (const TIpuzClue& clue : mPuzzle.Clues)
        if (!PlaceArrow(clue)) return false;
    return true;
}

bool TImporter::PlaceArrow(const TIpuzClue& clue) {
    if (clue.Cells.size() < 2) return Fail(Named(clue) + " lists no cells of its word");
    const TIpuzCellRef first = clue.Cells[0];
    const bool across = clue.Cells[1] == TIpuzCellRef{first.first + 1, first.second};
    if (!across && clue.Cells[1] != TIpuzCellRef{first.first, first.second + 1})
        return Fail(Named(clue) + " has a word that starts neither across nor down");
    // Without a location the clue stands in the block just before its word.
    TIpuzCellRef location = clue.Location;
    if (!clue.HasLocation) location = across ? TIpuzCellRef{first.first - 1, first.second} : TIpuzCellRef{first.first, first.second - 1};
    const std::span<const TArrowPlace> places = across ? std::span<const TArrowPlace>(HorizontalArrows)
                                                       : std::span<const TArrowPlace>(VerticalArrows);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (location.first - first.first != places[i].Dx || location.second - first.second != places[i].Dy) continue;
        if (location.first < 0 || location.second < 0 || location.first >= mPuzzle.Width ||
            location.second >= mPuzzle.Height || mPuzzle.Cell(location.first, location.second).Letter)
            break;
        TShablon& shablon = *mCrossword->Template;
        const int code = static_cast<int>(i) + 1;
        const int bits = shablon.HasAttrB(first.first, first.second) ? shablon.GetAttrB(first.first, first.second) : 0;
        shablon.SetAttrB(first.first, first.second, bits | (across ? code << 3 : code));
        return true;
    }
    return Fail(Named(clue) + " stands in no block beside the first cell of its word");
}

int TImporter::SlotOfClue(const TIpuzClue& clue) {
    const TCrosswordWords& words = mCrossword->Words;
    const char step = IpuzStepOfDirection(clue.Direction);
    if (!clue.Cells.empty()) {
        std::string path;
        for (std::size_t i = 1; i < clue.Cells.size(); ++i) path += StepBetween(clue.Cells[i - 1], clue.Cells[i]);
        const int slot = words.FindSlot(clue.Cells[0].first, clue.Cells[0].second, path);
        if (slot < 0) Fail(Named(clue) + " lists cells that are no word of the grid");
        return slot;
    }
    if (clue.Number <= 0) {
        Fail(Named(clue) + " has neither a number nor cells");
        return -1;
    }
    for (int y = 0; y < mPuzzle.Height; ++y)
        for (int x = 0; x < mPuzzle.Width; ++x) {
            if (mPuzzle.Cell(x, y).Number != clue.Number) continue;
            for (int slot = 0; slot < words.Count(); ++slot)
                if (words.WordX(slot) == x && words.WordY(slot) == y && words.WordPath(slot).starts_with(step))
                    return slot;
        }
    Fail(Named(clue) + " has no word of its number in the grid");
    return -1;
}

bool TImporter::PlaceWords(const std::vector<int>& clueSlots) {
    std::size_t given = 0, letterCells = 0;
    for (const TIpuzCell& cell : mPuzzle.Cells) {
        letterCells += cell.Letter;
        given += cell.Letter && !cell.Solution.empty();
    }
    if (given == 0) return true;
    if (given < letterCells) return Fail("has a solution that leaves letter cells empty");
    for (int y = 0; y < mPuzzle.Height; ++y)
        for (int x = 0; x < mPuzzle.Width; ++x) {
            const TIpuzCell& cell = mPuzzle.Cell(x, y);
            if (!cell.Letter) continue;
            const std::string letter = FromUtf8(cell.Solution);
            if (letter.size() != 1 || (letter == "?" && cell.Solution != "?"))
                return Fail("has a solution cell [" + std::to_string(x + 1) + ", " + std::to_string(y + 1) +
                            "] that is not one letter of the Russian code page");
            mCrossword->SetCellText(x, y, LowerText(letter));
        }
    TCrosswordWords& words = mCrossword->Words;
    for (int slot = 0; slot < words.Count(); ++slot) {
        std::string word;
        const TCoord cells = mCrossword->SlotCells(slot);
        for (const TCell& cell : cells.Cells()) word += mCrossword->CellText(cell.x, cell.y);
        if (mCrossword->PlaceWord(slot, word, false) != PutCode::Placed)
            return Fail("has the word " + ToUtf8(word) + " twice, which a crossword file cannot hold");
    }
    for (std::size_t i = 0; i < clueSlots.size(); ++i) {
        const std::string text = FromUtf8(mPuzzle.Clues[i].Text);
        if (text.empty()) continue;
        words.SetSlotDefinition(clueSlots[i], text);
        words.SetSlotHasDefinition(clueSlots[i], true);
    }
    mResult.Solved = true;
    return true;
}

}  // namespace

bool IpuzHoldsKind(const TCrossword& crossword) {
    return ShapeOf(crossword.Kind) != TShape::None;
}

TIpuzPuzzle PuzzleOfCrossword(const TCrossword& crossword, const TIpuzInfo& info) {
    TShape shape = ShapeOf(crossword.Kind);
    const TShablon& shablon = *crossword.Template;
    const TCrosswordWords& words = crossword.Words;
    const auto* scanword = dynamic_cast<const TSkanword*>(&crossword);
    // An arrowword needs a block for every clue; a scanword with words that have no clue cell (a
    // plain grid read into the kind) is a numbered crossword.
    for (int slot = 0; scanword && slot < words.Count(); ++slot)
        if (scanword->ClueAreaOfSlot(slot).X < 0) {
            shape = TShape::Crossword;
            scanword = nullptr;
        }
    TIpuzPuzzle puzzle;
    puzzle.Kind = shape == TShape::Arrowword ? TIpuzKind::Arrowword
                  : shape == TShape::WordSearch || shape == TShape::ZigZagSearch ? TIpuzKind::WordSearch
                                                                                 : TIpuzKind::Crossword;
    puzzle.ZigZag = shape == TShape::ZigZagSearch;
    puzzle.Title = info.Title;
    puzzle.Author = info.Author;
    puzzle.Copyright = info.Copyright;
    puzzle.Notes = info.Notes;
    puzzle.Width = crossword.Width;
    puzzle.Height = crossword.Height;
    puzzle.Cells.resize(static_cast<std::size_t>(puzzle.Width) * puzzle.Height);

    std::vector<int> walls(puzzle.Cells.size());
    for (int y = 0; y < puzzle.Height; ++y)
        for (int x = 0; x < puzzle.Width; ++x)
            if (shablon.UsesWalls && shablon.IsLetterCell(x, y) && shablon.HasAttrA(x, y))
                walls[static_cast<std::size_t>(y) * puzzle.Width + x] = shablon.GetAttrA(x, y);
    const std::vector<bool> inWords = puzzle.Kind == TIpuzKind::WordSearch
                                          ? std::vector<bool>(puzzle.Cells.size(), true)
                                          : KeepToWords(crossword, walls);
    for (int y = 0; y < puzzle.Height; ++y)
        for (int x = 0; x < puzzle.Width; ++x) {
            TIpuzCell& cell = puzzle.Cell(x, y);
            const std::size_t at = static_cast<std::size_t>(y) * puzzle.Width + x;
            cell.Letter = shablon.IsLetterCell(x, y) && inWords[at];
            if (!cell.Letter) continue;
            if (puzzle.Kind == TIpuzKind::Crossword) cell.Number = shablon.GetNumber(x, y);
            for (const TSide& side : Sides)
                if (walls[at] & side.Wall) cell.Bars += side.Bar;
            if (!crossword.IsCellEmpty(x, y))
                cell.Solution = UpperUtf8(crossword, crossword.CellText(x, y));
            else if (puzzle.Kind == TIpuzKind::WordSearch)
                cell.Solution = UpperUtf8(crossword, std::string(1, FillerLetters[RandomInt(static_cast<int>(FillerLetters.size()))]));
        }

    // An arrowword's grid shows no numbers; its clues take their place in the clue order.
    const std::vector<int> clueNumbers = scanword ? ClueNumbers(crossword) : std::vector<int>();
    for (int slot = 0; slot < words.Count(); ++slot) {
        if (puzzle.Kind == TIpuzKind::WordSearch && !words.SlotFilled(slot)) continue;
        TIpuzClue clue;
        const std::string_view path = words.WordPath(slot);
        clue.Direction = IpuzDirectionOfStep(path.empty() ? '6' : path[0]);
        if (clue.Direction.empty() || path.find_first_not_of(path[0]) != std::string_view::npos)
            clue.Direction = path.starts_with('2') ? "Down" : "Across";
        const TCoord cells = crossword.SlotCells(slot);
        for (const TCell& cell : cells.Cells()) clue.Cells.emplace_back(cell.x, cell.y);
        if (puzzle.Kind == TIpuzKind::WordSearch) {
            clue.Text = UpperUtf8(crossword, words.SlotWord(slot));
        } else {
            clue.Number = scanword ? clueNumbers[slot] : shablon.GetNumber(words.WordX(slot), words.WordY(slot));
            clue.Text = ClueText(crossword, slot);
        }
        if (scanword) {
            const TSkanword::TClueArea area = scanword->ClueAreaOfSlot(slot);
            clue.HasLocation = area.X >= 0;
            clue.Location = {area.X, area.Y};
        }
        puzzle.Clues.push_back(std::move(clue));
    }
    if (puzzle.Kind == TIpuzKind::Crossword &&
        std::any_of(puzzle.Clues.begin(), puzzle.Clues.end(), [](const TIpuzClue& clue) { return clue.Number == 0; }))
        NumberWordStarts(puzzle);
    std::stable_sort(puzzle.Clues.begin(), puzzle.Clues.end(), [](const TIpuzClue& a, const TIpuzClue& b) {
        const char stepA = IpuzStepOfDirection(a.Direction), stepB = IpuzStepOfDirection(b.Direction);
        // Across, Down, then the diagonals, each by number.
        const auto rank = [](char step) { return std::string_view("6231").find(step); };
        return rank(stepA) != rank(stepB) ? rank(stepA) < rank(stepB) : a.Number < b.Number;
    });
    return puzzle;
}

TIpuzImport CrosswordOfPuzzle(const TIpuzPuzzle& puzzle) {
    try {
        return TImporter(puzzle).Run();
    } catch (const std::exception& error) {
        TIpuzImport failed;
        failed.Error = std::string("cannot be made into a crossword: ") + error.what();
        return failed;
    }
}
