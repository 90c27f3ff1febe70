#include "IpuzFormat.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace {

using TJson = nlohmann::ordered_json;

constexpr std::string_view VersionUri = "http://ipuz.org/v2";
constexpr std::string_view CrosswordUri = "http://ipuz.org/crossword#1";
constexpr std::string_view ArrowwordUri = "http://ipuz.org/crossword/arrowword#1";
constexpr std::string_view WordSearchUri = "http://ipuz.org/wordsearch#1";
constexpr std::string_view BlockText = "#";

// Deeper nesting than any ipuz file needs is refused before parsing: the parser's work and
// the value's teardown grow with it.
constexpr int MaxNesting = 16;
// Clue texts and solution letters longer than this are not clues or letters.
constexpr std::size_t MaxTextLength = 4096;
constexpr int MaxSide = 200;

struct TDirection {
    char Step;
    const char* Name;
};
constexpr TDirection Directions[] = {{'6', "Across"}, {'2', "Down"}, {'3', "Diagonal"}, {'1', "Diagonal Down Left"}};

// --- writing ---

TJson CellRef(const TIpuzCellRef& cell) {
    return TJson::array({cell.first + 1, cell.second + 1});
}

TJson PuzzleCell(const TIpuzPuzzle& puzzle, const TIpuzCell& cell) {
    if (cell.Omitted) return nullptr;
    if (!cell.Letter) return BlockText;
    if (puzzle.Kind == TIpuzKind::WordSearch) return cell.Solution;
    if (cell.Bars.empty()) return cell.Number;
    return {{"cell", cell.Number}, {"style", {{"barred", cell.Bars}}}};
}

TJson SolutionCell(const TIpuzCell& cell) {
    if (cell.Omitted) return nullptr;
    if (!cell.Letter) return BlockText;
    return cell.Solution;
}

TJson Grid(const TIpuzPuzzle& puzzle, TJson (*value)(const TIpuzPuzzle&, const TIpuzCell&)) {
    TJson rows = TJson::array();
    for (int y = 0; y < puzzle.Height; ++y) {
        TJson row = TJson::array();
        for (int x = 0; x < puzzle.Width; ++x) row.push_back(value(puzzle, puzzle.Cell(x, y)));
        rows.push_back(std::move(row));
    }
    return rows;
}

TJson Clue(const TIpuzClue& clue) {
    TJson object = TJson::object();
    if (clue.Number > 0) object["number"] = clue.Number;
    object["clue"] = clue.Text;
    if (!clue.Cells.empty()) {
        object["enumeration"] = std::to_string(clue.Cells.size());
        TJson cells = TJson::array();
        for (const TIpuzCellRef& cell : clue.Cells) cells.push_back(CellRef(cell));
        object["cells"] = std::move(cells);
    }
    if (clue.HasLocation) object["location"] = CellRef(clue.Location);
    return object;
}

// --- reading ---

// A complaint about the file; caught once at the top of ReadIpuz.
struct TBadFile : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Bad(const std::string& what) {
    throw TBadFile(what);
}

// True when the JSON text nests arrays and objects no deeper than MaxNesting.
bool ShallowEnough(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > MaxNesting) return false;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

std::string Text(const TJson& value, const std::string& what) {
    if (!value.is_string()) Bad(what + " is not a text");
    std::string text = value.get<std::string>();
    if (text.size() > MaxTextLength) Bad(what + " is longer than " + std::to_string(MaxTextLength) + " bytes");
    return text;
}

std::string OptionalText(const TJson& root, const char* key) {
    const auto it = root.find(key);
    if (it == root.end() || it->is_null()) return {};
    return Text(*it, std::string("\"") + key + "\"");
}

// A whole number from a JSON number or a text of digits.
std::optional<int> WholeNumber(const TJson& value) {
    if (value.is_number_integer()) {
        const auto n = value.get<int64_t>();
        if (n < 0 || n > 1000000) return std::nullopt;
        return static_cast<int>(n);
    }
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        int n = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (error == std::errc() && end == text.data() + text.size() && !text.empty() && n >= 0) return n;
    }
    return std::nullopt;
}

std::string Where(int x, int y) {
    return "[" + std::to_string(x + 1) + ", " + std::to_string(y + 1) + "]";
}

struct TGridTokens {
    TJson Block = std::string(BlockText);
    TJson Empty = 0;
};

void ReadPuzzleCell(const TJson& value, const TGridTokens& tokens, TIpuzCell& cell, const std::string& where) {
    const TJson* label = &value;
    if (value.is_object()) {
        const auto style = value.find("style");
        if (style != value.end() && style->is_object()) {
            const auto barred = style->find("barred");
            if (barred != style->end()) {
                const std::string bars = Text(*barred, "the bars of cell " + where);
                if (bars.find_first_not_of("TLBRtlbr") != std::string::npos)
                    Bad("the bars of cell " + where + " are not made of T, L, B and R");
                for (const char side : std::string_view("TLBR"))
                    if (bars.find_first_of(std::string{side, static_cast<char>(side - 'A' + 'a')}) != std::string::npos)
                        cell.Bars += side;
            }
        }
        const auto inner = value.find("cell");
        if (inner == value.end()) {
            cell.Letter = true;
            return;
        }
        label = &*inner;
    }
    if (label->is_null()) {
        cell.Omitted = true;
        return;
    }
    if (*label == tokens.Block) return;
    if (*label == tokens.Empty) {
        cell.Letter = true;
        return;
    }
    if (const std::optional<int> number = WholeNumber(*label)) {
        cell.Letter = true;
        cell.Number = *number;
        return;
    }
    if (label->is_string()) {
        // A label that is no number ("1a", a letter given) still marks a cell to fill.
        cell.Letter = true;
        return;
    }
    Bad("cell " + where + " of \"puzzle\" is neither a number, a text, a block nor null");
}

void ReadSolutionCell(const TJson& value, const TGridTokens& tokens, TIpuzCell& cell, const std::string& where) {
    const TJson* letter = &value;
    if (value.is_object()) {
        const auto inner = value.find("value");
        if (inner == value.end()) return;
        letter = &*inner;
    }
    if (letter->is_null() || *letter == tokens.Block) {
        if (cell.Letter && !letter->is_null()) Bad("cell " + where + " is a letter cell in \"puzzle\" but a block in \"solution\"");
        return;
    }
    const std::string text = Text(*letter, "cell " + where + " of \"solution\"");
    if (text.empty() || text == " ") return;
    if (!cell.Letter) Bad("cell " + where + " is a block in \"puzzle\" but holds a letter in \"solution\"");
    cell.Solution = text;
}

// The rows of a grid field, checked against the dimensions.
const TJson& GridRows(const TJson& root, const char* key, const TIpuzPuzzle& puzzle) {
    const TJson& rows = root.at(key);
    const std::string name = std::string("\"") + key + "\"";
    if (!rows.is_array() || static_cast<int>(rows.size()) != puzzle.Height)
        Bad(name + " is not a list of " + std::to_string(puzzle.Height) + " rows");
    for (std::size_t y = 0; y < rows.size(); ++y)
        if (!rows[y].is_array() || static_cast<int>(rows[y].size()) != puzzle.Width)
            Bad("row " + std::to_string(y + 1) + " of " + name + " is not a list of " + std::to_string(puzzle.Width) +
                " cells");
    return rows;
}

TIpuzKind KindOf(const TJson& root) {
    const auto kinds = root.find("kind");
    if (kinds == root.end() || !kinds->is_array() || kinds->empty()) Bad("no \"kind\" list");
    bool crossword = false, arrowword = false;
    std::string other;
    for (const TJson& kind : *kinds) {
        const std::string uri = Text(kind, "a \"kind\"");
        std::string_view path = uri;
        for (const std::string_view scheme : {"http://", "https://"})
            if (path.starts_with(scheme)) path.remove_prefix(scheme.size());
        if (path.starts_with("www.")) path.remove_prefix(4);
        if (path.starts_with("ipuz.org/crossword")) {
            crossword = true;
            arrowword = arrowword || path.find("arrowword") != std::string_view::npos;
        } else if (other.empty()) {
            other = uri;
        }
    }
    if (!crossword) Bad("holds a puzzle of kind " + other + ", not a crossword");
    const auto placement = root.find("clueplacement");
    if (placement != root.end() && placement->is_string() && *placement == "blocks") arrowword = true;
    return arrowword ? TIpuzKind::Arrowword : TIpuzKind::Crossword;
}

// The coordinates of one clue field, as the file gives them (not yet made 0-based).
std::vector<TIpuzCellRef> RawCells(const TJson& list, const std::string& what) {
    if (!list.is_array()) Bad(what + " is not a list of cells");
    std::vector<TIpuzCellRef> cells;
    for (const TJson& cell : list) {
        if (!cell.is_array() || cell.size() != 2) Bad(what + " holds something other than [column, row]");
        const std::optional<int> x = WholeNumber(cell[0]), y = WholeNumber(cell[1]);
        if (!x || !y || cell[0].is_string() || cell[1].is_string()) Bad(what + " holds a coordinate that is no number");
        cells.emplace_back(*x, *y);
    }
    if (cells.size() > static_cast<std::size_t>(MaxSide) * MaxSide) Bad(what + " lists too many cells");
    return cells;
}

TIpuzCellRef RawLocation(const TJson& value, const std::string& what) {
    const std::vector<TIpuzCellRef> cells = RawCells(TJson::array({value}), what);
    return cells[0];
}

void ReadClues(const TJson& root, TIpuzPuzzle& puzzle) {
    const auto clues = root.find("clues");
    if (clues == root.end() || clues->is_null()) return;
    if (!clues->is_object()) Bad("\"clues\" is not an object of directions");
    for (const auto& [key, list] : clues->items()) {
        // "Across:По горизонтали" names the direction and how to show it.
        const std::string direction = key.substr(0, key.find(':'));
        if (!list.is_array()) Bad("the clues \"" + key + "\" are not a list");
        for (const TJson& entry : list) {
            TIpuzClue clue;
            clue.Direction = direction;
            const std::string what = "a clue of \"" + key + "\"";
            if (entry.is_string()) {
                clue.Text = Text(entry, what);
            } else if (entry.is_array()) {
                if (entry.size() != 2) Bad(what + " is not [number, text]");
                clue.Number = WholeNumber(entry[0]).value_or(0);
                clue.Text = Text(entry[1], what);
            } else if (entry.is_object()) {
                const auto number = entry.find("number");
                if (number != entry.end()) clue.Number = WholeNumber(*number).value_or(0);
                const auto text = entry.find("clue");
                if (text != entry.end() && !text->is_null()) clue.Text = Text(*text, what);
                const auto cells = entry.find("cells");
                if (cells != entry.end()) clue.Cells = RawCells(*cells, "the cells of " + what);
                const auto location = entry.find("location");
                if (location != entry.end()) {
                    clue.Location = RawLocation(*location, "the location of " + what);
                    clue.HasLocation = true;
                }
            } else {
                Bad(what + " is neither a text, [number, text] nor an object");
            }
            puzzle.Clues.push_back(std::move(clue));
        }
    }
}

// The file counts cells from 1; some writers count from 0, which shows as a 0 anywhere while
// every coordinate still fits the grid from 0.
void MakeCellsZeroBased(TIpuzPuzzle& puzzle) {
    bool zeroSeen = false, fitFromZero = true;
    const auto look = [&](const TIpuzCellRef& cell) {
        zeroSeen = zeroSeen || cell.first == 0 || cell.second == 0;
        fitFromZero = fitFromZero && cell.first < puzzle.Width && cell.second < puzzle.Height;
    };
    for (const TIpuzClue& clue : puzzle.Clues) {
        for (const TIpuzCellRef& cell : clue.Cells) look(cell);
        if (clue.HasLocation) look(clue.Location);
    }
    const int shift = zeroSeen && fitFromZero ? 0 : 1;
    const auto move = [&](TIpuzCellRef& cell, const std::string& what) {
        cell.first -= shift;
        cell.second -= shift;
        if (cell.first < 0 || cell.second < 0 || cell.first >= puzzle.Width || cell.second >= puzzle.Height)
            Bad(what + " names a cell outside the grid");
    };
    for (TIpuzClue& clue : puzzle.Clues) {
        const std::string what = "the clue " + clue.Direction + " " + std::to_string(clue.Number);
        for (TIpuzCellRef& cell : clue.Cells) move(cell, what);
        if (clue.HasLocation) move(clue.Location, what);
    }
}

TIpuzPuzzle Parse(std::string_view bytes) {
    if (!ShallowEnough(bytes)) Bad("nests lists deeper than " + std::to_string(MaxNesting) + " levels");
    TJson root;
    try {
        root = TJson::parse(bytes.begin(), bytes.end());
    } catch (const TJson::exception& error) {
        Bad(std::string("is not JSON: ") + error.what());
    }
    if (!root.is_object()) Bad("is not a JSON object");

    const auto version = root.find("version");
    if (version == root.end() || !version->is_string() ||
        version->get<std::string>().find("ipuz.org/v") == std::string::npos)
        Bad("has no ipuz \"version\"");

    TIpuzPuzzle puzzle;
    puzzle.Kind = KindOf(root);
    puzzle.Title = OptionalText(root, "title");
    puzzle.Author = OptionalText(root, "author");
    puzzle.Copyright = OptionalText(root, "copyright");
    puzzle.Notes = OptionalText(root, "notes");

    const auto dimensions = root.find("dimensions");
    if (dimensions == root.end() || !dimensions->is_object()) Bad("has no \"dimensions\"");
    for (const auto& [key, side] : {std::pair{"width", &puzzle.Width}, std::pair{"height", &puzzle.Height}}) {
        const auto value = dimensions->find(key);
        const std::optional<int> n = value == dimensions->end() ? std::nullopt : WholeNumber(*value);
        if (!n || !value->is_number() || *n < 1 || *n > MaxSide)
            Bad(std::string("has no \"") + key + "\" from 1 to " + std::to_string(MaxSide) + " in \"dimensions\"");
        *side = *n;
    }
    puzzle.Cells.resize(static_cast<std::size_t>(puzzle.Width) * puzzle.Height);

    TGridTokens tokens;
    if (const auto block = root.find("block"); block != root.end() && !block->is_null()) tokens.Block = *block;
    if (const auto empty = root.find("empty"); empty != root.end() && !empty->is_null()) tokens.Empty = *empty;

    if (!root.contains("puzzle")) Bad("has no \"puzzle\"");
    const TJson& rows = GridRows(root, "puzzle", puzzle);
    for (int y = 0; y < puzzle.Height; ++y)
        for (int x = 0; x < puzzle.Width; ++x) ReadPuzzleCell(rows[y][x], tokens, puzzle.Cell(x, y), Where(x, y));
    if (root.contains("solution") && !root["solution"].is_null()) {
        const TJson& solution = GridRows(root, "solution", puzzle);
        for (int y = 0; y < puzzle.Height; ++y)
            for (int x = 0; x < puzzle.Width; ++x)
                ReadSolutionCell(solution[y][x], tokens, puzzle.Cell(x, y), Where(x, y));
    }
    ReadClues(root, puzzle);
    MakeCellsZeroBased(puzzle);
    return puzzle;
}

}  // namespace

std::string IpuzDirectionOfStep(char step) {
    for (const TDirection& direction : Directions)
        if (direction.Step == step) return direction.Name;
    return {};
}

char IpuzStepOfDirection(const std::string& name) {
    for (const TDirection& direction : Directions)
        if (name == direction.Name) return direction.Step;
    return 0;
}

std::string IpuzText(const TIpuzPuzzle& puzzle) {
    TJson root = TJson::object();
    root["version"] = VersionUri;
    switch (puzzle.Kind) {
        case TIpuzKind::Crossword: root["kind"] = {CrosswordUri}; break;
        case TIpuzKind::Arrowword: root["kind"] = {CrosswordUri, ArrowwordUri}; break;
        case TIpuzKind::WordSearch: root["kind"] = {WordSearchUri}; break;
    }
    for (const auto& [key, value] : {std::pair{"title", &puzzle.Title}, std::pair{"author", &puzzle.Author},
                                      std::pair{"copyright", &puzzle.Copyright}, std::pair{"notes", &puzzle.Notes}})
        if (!value->empty()) root[key] = *value;
    root["origin"] = "Zelvana crossgen";
    root["block"] = BlockText;
    root["empty"] = 0;
    root["dimensions"] = {{"width", puzzle.Width}, {"height", puzzle.Height}};
    root["puzzle"] = Grid(puzzle, PuzzleCell);

    if (puzzle.Kind == TIpuzKind::WordSearch) {
        TJson words = TJson::array();
        for (const TIpuzClue& clue : puzzle.Clues) words.push_back(clue.Text);
        root["solution"] = std::move(words);
        root["zigzag"] = puzzle.ZigZag;
        root["useall"] = puzzle.ZigZag;
        return root.dump(1, ' ', false, TJson::error_handler_t::replace) + "\n";
    }

    root["solution"] = Grid(puzzle, [](const TIpuzPuzzle&, const TIpuzCell& cell) { return SolutionCell(cell); });
    if (puzzle.Kind == TIpuzKind::Arrowword) root["clueplacement"] = "blocks";
    TJson clues = TJson::object();
    for (const TIpuzClue& clue : puzzle.Clues) {
        if (!clues.contains(clue.Direction)) clues[clue.Direction] = TJson::array();
        clues[clue.Direction].push_back(Clue(clue));
    }
    root["clues"] = std::move(clues);
    return root.dump(1, ' ', false, TJson::error_handler_t::replace) + "\n";
}

TIpuzRead ReadIpuz(std::string_view bytes) {
    TIpuzRead read;
    try {
        read.Puzzle = Parse(bytes);
        read.Ok = true;
    } catch (const TBadFile& bad) {
        read.Error = bad.what();
    } catch (const std::exception& error) {
        read.Error = std::string("is not a readable ipuz file: ") + error.what();
    }
    return read;
}
