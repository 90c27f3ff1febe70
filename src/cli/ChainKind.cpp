#include "ChainKind.h"

#include "kinds/Chainword.h"

#include <ostream>

namespace {

// "X,Y:MOVES" split; false for a malformed text.
bool SplitChain(std::string_view text, int& x, int& y, std::string_view& moves) {
    const auto colon = text.find(':');
    const auto comma = text.find(',');
    if (colon == std::string_view::npos || comma == std::string_view::npos || comma > colon) return false;
    moves = text.substr(colon + 1);
    return ParseWholeNumber(text.substr(0, comma), x) && ParseWholeNumber(text.substr(comma + 1, colon - comma - 1), y);
}

// The chain's cells in order: the crossing chainword's Chain, a chainword's walk from its start.
TCoord ChainOf(const TCrossword& crossword) {
    if (const auto* cross = dynamic_cast<const TCrossChainword*>(&crossword)) return cross->Chain;
    TCoord cells(TShablon::MaxSide, TShablon::MaxSide);
    const auto& chain = static_cast<const TChainwordShablon&>(*crossword.Template);
    int x = chain.ChainStartX, y = chain.ChainStartY;
    if (chain.IsOutside(x, y) || !chain.IsLetterCell(x, y)) return cells;
    const int limit = chain.Width * chain.Height;
    cells.AddCell(x, y);
    while (cells.Count() < limit && chain.NextChainCell(x, y)) cells.AddCell(x, y);
    return cells;
}

}  // namespace

const char* const ChainOptionsHelp =
    "  --chain X,Y:MOVES  for chainword and crosschainword, instead of --size or with it: a chain\n"
    "                     from (X, Y) taking the moves R, L, U, D in turn (the grid is as large\n"
    "                     as it needs, or of --size); only a crossing chain may pass a cell twice,\n"
    "                     from different directions; --size alone makes a chainword's serpentine\n"
    "  --overlap K        chainword: the letters consecutive words share (1 to 24, default 1)\n"
    "  --formatted        chainword: keep the words where the template's marks start them\n";

void TChainOptions::AddOptions(TOptionParser& parser) {
    parser.Text("--chain", Chain);
    parser.Number("--overlap", Overlap, 1, 24);
    parser.Flag("--formatted", Formatted);
}

bool TChainOptions::ChainSize(int& width, int& height) const {
    int x = 0, y = 0;
    std::string_view moves;
    if (!SplitChain(Chain, x, y, moves)) return false;
    width = x + 1;
    height = y + 1;
    for (const char move : moves) {
        x += move == 'R' ? 1 : move == 'L' ? -1 : 0;
        y += move == 'D' ? 1 : move == 'U' ? -1 : 0;
        if (x < 0 || y < 0) return false;
        width = std::max(width, x + 1);
        height = std::max(height, y + 1);
    }
    return width <= TShablon::MaxSide && height <= TShablon::MaxSide;
}

bool TChainOptions::Apply(TShablon& shablon, std::string& error) const {
    auto* chain = dynamic_cast<TChainwordShablon*>(&shablon);
    if (!chain) {
        if (Chain.empty() && Overlap == 0) return true;
        error = "--chain and --overlap are for chainword and crosschainword";
        return false;
    }
    if (Overlap > 0) chain->Overlap = static_cast<uint8_t>(Overlap);
    if (Chain.empty()) {
        // A serpentine never crosses itself: a crossing chainword takes a chain it is given.
        if (shablon.Kind != TShablonKind::Chainword) {
            error = "a crossing chainword needs its chain (--chain X,Y:MOVES)";
            return false;
        }
        chain->LaySerpentine();
        return true;
    }
    int x = 0, y = 0;
    std::string_view moves;
    if (!SplitChain(Chain, x, y, moves) || !chain->LayMoves(x, y, moves)) {
        error = "--chain " + Chain +
                " is no chain of this grid: it wants X,Y:MOVES of R, L, U, D, staying in the grid, never "
                "turning straight back nor repeating a step";
        return false;
    }
    return true;
}

bool PrepareChainFill(TCrossword& crossword, bool formatted, std::ostream& err) {
    const bool cross = crossword.Kind == TCrosswordKind::CrossChainword;
    if (!cross && crossword.Kind != TCrosswordKind::Chainword) return true;
    // A start without a step out is no chain: its fills would answer true with nothing placed.
    if (ChainOf(crossword).Count() < 2) {
        err << "crossgen: the " << (cross ? "crossing chainword" : "chainword") << " has no chain to fill\n";
        return false;
    }
    if (!cross && !formatted) {
        crossword.Unformatted = 1;
        crossword.PrepareForFill();
    }
    return true;
}

std::string ChainPictureValues(const TShablon& shablon) {
    const auto& chain = static_cast<const TChainwordShablon&>(shablon);
    std::string text = " start=" + std::to_string(chain.ChainStartX) + "," + std::to_string(chain.ChainStartY);
    if (shablon.Kind == TShablonKind::Chainword) text += " overlap=" + std::to_string(chain.Overlap);
    return text;
}

bool SetChainPictureValue(TShablon& shablon, std::string_view key, std::string_view value) {
    auto& chain = static_cast<TChainwordShablon&>(shablon);
    int x = 0, y = 0;
    if (key == "overlap" && shablon.Kind == TShablonKind::Chainword) {
        if (!ParseWholeNumber(value, x) || x < 1 || x > 24) return false;
        chain.Overlap = static_cast<uint8_t>(x);
        return true;
    }
    const auto comma = value.find(',');
    if (key != "start" || comma == std::string_view::npos || !ParseWholeNumber(value.substr(0, comma), x) ||
        !ParseWholeNumber(value.substr(comma + 1), y) || x < 0 || y < 0 || x >= shablon.Width || y >= shablon.Height)
        return false;
    chain.ChainStartX = static_cast<uint8_t>(x);
    chain.ChainStartY = static_cast<uint8_t>(y);
    return true;
}

std::string ChainJsonMembers(const TCrossword& crossword) {
    const TCoord cells = ChainOf(crossword);
    std::string text = ", \"chain\": [";
    for (int i = 0; i < cells.Count(); ++i)
        text += (i ? ", [" : "[") + std::to_string(cells.CellX(i)) + ", " + std::to_string(cells.CellY(i)) + "]";
    return text + "]";
}
