#include "SkanwordShablon.h"

#include "export/ComExport.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;
constexpr char ArrowCellByte = 0x04;

// Where the clue cell of each code lies from the word's first cell; horizontal words put code 6
// below instead of right.
constexpr int ClueDX[8] = {0, 0, -1, -1, -1, 1, 1, 1};
constexpr int ClueDY[8] = {0, -1, -1, 0, 1, 1, 0, -1};

bool AcceptedKind(int kind) {
    return kind == static_cast<int>(TShablonKind::Classic) || kind == static_cast<int>(TShablonKind::Skanword) ||
           kind == static_cast<int>(TShablonKind::Skanword2) || kind == static_cast<int>(TShablonKind::Skanword3);
}

// Calls visit(cx, cy) for each cell inside the grid that an outside arrow of (x, y) points to.
template <class TVisit>
void ForEachArrowTarget(const TShablon& shablon, int x, int y, TVisit visit) {
    const int bits = shablon.GetAttrB(x, y);
    int cx = 0, cy = 0;
    if (!(bits & 0x40) && ArrowClueCell(x, y, bits & 7, false, cx, cy) && !shablon.IsOutside(cx, cy)) visit(cx, cy);
    if (!(bits & 0x80) && ArrowClueCell(x, y, bits >> 3 & 7, true, cx, cy) && !shablon.IsOutside(cx, cy)) visit(cx, cy);
}

// Calls visit(cx, cy) for each cell inside the grid that an inside arrow of (x, y) points into.
template <class TVisit>
void ForEachInsideArrowTarget(const TShablon& shablon, int x, int y, TVisit visit) {
    const int bits = shablon.GetAttrB(x, y);
    int cx = 0, cy = 0;
    if ((bits & 0x40) && InsideArrowClueCell(x, y, bits & 7, false, cx, cy) && !shablon.IsOutside(cx, cy))
        visit(cx, cy);
    if ((bits & 0x80) && InsideArrowClueCell(x, y, bits >> 3 & 7, true, cx, cy) && !shablon.IsOutside(cx, cy))
        visit(cx, cy);
}

bool Malformed() {
    TheUi().Message("Неверный формат шаблона!"_cp);
    return false;
}

// One arrow of attribute B: the cell carrying it, its word's direction, whether it is drawn in
// the clue cell (and then stands on the word's last cell) and its code.
struct TCellArrow {
    int X;
    int Y;
    bool Horizontal;
    bool Inside;
    int Code;
};

// Where the clue cell of a code lies from the cell carrying the arrow.
bool ClueOffset(int code, bool horizontal, bool inside, int& dx, int& dy) {
    return inside ? InsideArrowClueCell(0, 0, code, horizontal, dx, dy) : ArrowClueCell(0, 0, code, horizontal, dx, dy);
}

// The code whose clue cell lies at (dx, dy) from the carrying cell; 0 for none.
int CodeOfOffset(int dx, int dy, bool horizontal, bool inside) {
    for (int code = 1; code <= 7; ++code) {
        int cx = 0, cy = 0;
        if (ClueOffset(code, horizontal, inside, cx, cy) && cx == dx && cy == dy) return code;
    }
    return 0;
}

// The turn bits of attribute C seen in the mirror: a left-right mirror swaps the turns to the
// right and to the left and the words moving right and left, a top-bottom one those moving down
// and up and the turns down and up.
int MirroredTurns(int turns, const TMirror& mirror) {
    const auto swapBits = [&turns](int a, int b) {
        const int both = turns & (a | b);
        turns &= ~(a | b);
        if (both & a) turns |= b;
        if (both & b) turns |= a;
    };
    if (mirror.LeftRight) {
        swapBits(1, 2);
        swapBits(4, 64);
        swapBits(8, 128);
        swapBits(16, 32);
    }
    if (mirror.TopBottom) {
        swapBits(1, 16);
        swapBits(2, 32);
        swapBits(4, 8);
        swapBits(64, 128);
    }
    return turns;
}

}  // namespace

bool ArrowClueCell(int x, int y, int code, bool horizontal, int& clueX, int& clueY) {
    if (code < 1 || code > 7) return false;
    clueX = x + (horizontal && code == 6 ? 0 : ClueDX[code]);
    clueY = y + (horizontal && code == 6 ? 1 : ClueDY[code]);
    return true;
}

// ---- cells ----

TSkanwordShablon::TSkanwordShablon(int width, int height, TShablonKind kind) : TClassicShablon(width, height, kind) {
    UsesDigits = false;
    UsesArrows = true;
}

void TSkanwordShablon::SetAttrB(int x, int y, int value) {
    if (IsOutside(x, y)) return;
    const int mask = ArrowMask();
    int bits = IsLetterCell(x, y) ? value & 0xFF & mask : 0;
    // A code meant for the inside of the clue cell is no outside arrow for a kind without them.
    if ((value & 0x40) && !(mask & 0x40)) bits &= ~0x07;
    if ((value & 0x80) && !(mask & 0x80)) bits &= ~0x38;
    if ((bits & 0x07) == 0) bits &= ~0x40;
    if ((bits & 0x38) == 0) bits &= ~0x80;
    TShablonCell& cell = RawCell(x, y);
    cell.Attr = (cell.Attr & ~0xFFFFu) | static_cast<uint32_t>(bits);
    SetFlagB(x, y, bits != 0);
}

// ---- mirror ----

void TSkanwordShablon::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    const TMirror m(x0, y0, x1, y1, axes);
    std::vector<TCellArrow> arrows;
    for (int x = m.X0; x <= std::min(m.X1, Width - 1); ++x)
        for (int y = m.Y0; y <= std::min(m.Y1, Height - 1); ++y) {
            const int bits = GetAttrB(x, y);
            if (bits & 0x07) arrows.push_back({x, y, false, (bits & 0x40) != 0, bits & 0x07});
            if (bits & 0x38) arrows.push_back({x, y, true, (bits & 0x80) != 0, bits >> 3 & 0x07});
            SetAttrB(x, y, 0);
        }
    TShablon::MirrorCells(x0, y0, x1, y1, axes);
    for (const TCellArrow& arrow : arrows) {
        int x = m.X(arrow.X), y = m.Y(arrow.Y), code = arrow.Code;
        if (arrow.Horizontal ? m.LeftRight : m.TopBottom) {
            // The mirror reversed the word, which still reads left to right or downward: the
            // arrow moves to the end of the word it belongs to (the first cell, or the last for
            // one drawn in the clue cell), its clue on the same side of the word as before.
            const int dx = arrow.Horizontal ? (arrow.Inside ? 1 : -1) : 0;
            const int dy = arrow.Horizontal ? 0 : (arrow.Inside ? 1 : -1);
            while (!IsOutside(x + dx, y + dy) && IsLetterCell(x + dx, y + dy)) {
                x += dx;
                y += dy;
            }
        } else {
            int dx = 0, dy = 0;
            ClueOffset(code, arrow.Horizontal, arrow.Inside, dx, dy);
            code = CodeOfOffset(m.LeftRight ? -dx : dx, m.TopBottom ? -dy : dy, arrow.Horizontal, arrow.Inside);
        }
        const int shift = arrow.Horizontal ? 3 : 0;
        const int insideBit = arrow.Horizontal ? 0x80 : 0x40;
        const int kept = GetAttrB(x, y) & ~(0x07 << shift) & ~insideBit;
        SetAttrB(x, y, kept | code << shift | (arrow.Inside ? insideBit : 0));
    }
}

void TSkanwordShablon3::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    TSkanwordShablon::MirrorCells(x0, y0, x1, y1, axes);
    const TMirror m(x0, y0, x1, y1, axes);
    TurnAttrByte(m, 16, [&m](int turns) { return MirroredTurns(turns, m); });
}

// ---- texts ----

bool TSkanwordShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    std::size_t end = 0;
    return ParseCells(text, x0, y0, end);
}

bool TSkanwordShablon::ParseCells(std::string_view text, int x0, int y0, std::size_t& end) {
    if (text.size() < 3) return Malformed();
    if (!AcceptedKind(SmallNumberOf(text[0]))) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int w = SmallNumberOf(text[1]), h = SmallNumberOf(text[2]);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = 3;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y) {
            if (p >= text.size()) return Malformed();
            const char c = text[p++];
            const bool inside = !IsOutside(x, y);
            if (c == ArrowCellByte) {
                if (p >= text.size()) return Malformed();
                const int bits = static_cast<uint8_t>(text[p++]);
                if (!inside) continue;
                SetLetterCell(x, y, true);
                SetAttrB(x, y, bits);
            } else if (inside) {
                SetLetterCell(x, y, c == LetterCellByte);
            }
        }
    end = p;
    return true;
}

std::string TSkanwordShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text;
    text += SmallNumberChar(static_cast<int>(Kind));
    text += SmallNumberChar(x1 - x0 + 1);
    text += SmallNumberChar(y1 - y0 + 1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (!IsLetterCell(x, y)) {
                text += OtherCellByte;
            } else if (HasAttrB(x, y)) {
                text += ArrowCellByte;
                text += static_cast<char>(GetAttrB(x, y) & 0xFF);
            } else {
                text += LetterCellByte;
            }
        }
    return text;
}

// ---- numbering ----

void TSkanwordShablon::RefreshArrows() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            SetClueCell(x, y, false);
            SetAttrB(x, y, GetAttrB(x, y));
        }
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            ForEachArrowTarget(*this, x, y, [&](int cx, int cy) {
                if (!IsLetterCell(cx, cy)) SetClueCell(cx, cy, true);
            });
}

void TSkanwordShablon::NumberCells() {
    RefreshArrows();
    TClassicShablon::NumberCells();
}

void TSkanwordShablon::GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const {
    minX = Width;
    minY = Height;
    endX = 0;
    endY = 0;
    const auto use = [&](int x, int y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        endX = std::max(endX, x + 1);
        endY = std::max(endY, y + 1);
    };
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (IsLetterCell(x, y) || IsClueCell(x, y)) use(x, y);
            ForEachArrowTarget(*this, x, y, use);
        }
    if (endX == 0) {
        minX = minY = 0;
        endX = endY = 1;
    }
}

void TSkanwordShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    if (IsOutside(x, y)) return;
    int ex = 0, ey = 0;
    CellToExport(x - x0, y - y0, ex, ey);
    if (IsLetterCell(x, y)) {
        if (!KeyWordCellLook.NoPaint && KeyWordNumberAt(x, y) >= 0)
            list.AddKeyWordNumber(ex, ey, x, y);
        else
            list.AddCell(ex, ey, false, CellKind::Letter);
    } else if (!CanUnite && (BlankCellLook.ShowOutside || IsInnerBlank(x, y))) {
        list.AddCell(ex, ey, false, CellKind::Other);
    }
}

// ---- arrows of the editor ----

int TSkanwordShablon::AllowedArrows(int x, int y, int dx, int dy, bool horizontal) const {
    if (!IsLetterCell(x, y) || IsLetterCell(x - dx, y - dy) || IsOutside(x + dx, y + dy) ||
        !IsLetterCell(x + dx, y + dy))
        return 0;
    int mask = 0;
    for (int code = 1; code <= 7; ++code) {
        int cx = 0, cy = 0;
        ArrowClueCell(x, y, code, horizontal, cx, cy);
        if (!IsOutside(cx, cy) && !IsLetterCell(cx, cy)) mask |= 1 << (code - 1);
    }
    return mask;
}

int TSkanwordShablon::AllowedHorzArrows(int x, int y) const {
    return AllowedArrows(x, y, 1, 0, true);
}

int TSkanwordShablon::AllowedVertArrows(int x, int y) const {
    return AllowedArrows(x, y, 0, 1, false);
}

void TSkanwordShablon::NextHorzArrow(int x, int y) {
    CycleArrow(x, y, AllowedHorzArrows(x, y), 3);
}

void TSkanwordShablon::NextVertArrow(int x, int y) {
    CycleArrow(x, y, AllowedVertArrows(x, y), 0);
}

void TSkanwordShablon::CycleArrow(int x, int y, int allowed, int shift) {
    if (IsOutside(x, y)) return;
    const int bits = GetAttrB(x, y);
    int next = (bits >> shift & 7) + 1;
    while (next <= 7 && !(allowed & 1 << (next - 1))) ++next;
    if (next > 7) next = 0;
    SetAttrB(x, y, (bits & ~(7 << shift)) | next << shift);
}

// ---- the second scanword ----

TSkanwordShablon2::TSkanwordShablon2(int width, int height, TShablonKind kind) : TSkanwordShablon(width, height, kind) {}

void TSkanwordShablon2::GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const {
    TSkanwordShablon::GetUsedBounds(minX, minY, endX, endY);
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            ForEachInsideArrowTarget(*this, x, y, [&](int cx, int cy) {
                minX = std::min(minX, cx);
                minY = std::min(minY, cy);
                endX = std::max(endX, cx + 1);
                endY = std::max(endY, cy + 1);
            });
}

// ---- the third scanword ----

namespace {

constexpr char TurnCellByte = 0x02;

// A step character and its move.
struct TBendStep {
    char Step;
    int DX;
    int DY;
};
constexpr TBendStep Right{'6', 1, 0}, Down{'2', 0, 1}, Left{'4', -1, 0}, Up{'8', 0, -1};

// The two turns a word moving in a direction may take at a turn mark: the bit of each and the
// direction it turns to.
struct TTurns {
    int FirstBit;
    TBendStep First;
    int SecondBit;
    TBendStep Second;
};

TTurns TurnsOf(char step) {
    switch (step) {
        case '2': return {1, Right, 2, Left};
        case '6': return {4, Down, 8, Up};
        case '8': return {16, Right, 32, Left};
        default: return {64, Down, 128, Up};
    }
}

}  // namespace

TSkanwordShablon3::TSkanwordShablon3(int width, int height, TShablonKind kind) : TSkanwordShablon(width, height, kind) {
    UsesTurnMarks = true;
}

void TSkanwordShablon3::SetAttrC(int x, int y, int value) {
    if (IsOutside(x, y)) return;
    const int bits = IsLetterCell(x, y) ? value & 0xFF : 0;
    TShablonCell& cell = RawCell(x, y);
    cell.Attr = (cell.Attr & 0xFFFFu) | static_cast<uint32_t>(bits) << 16;
    SetFlagC(x, y, bits != 0);
}

bool TSkanwordShablon3::ParseTemplate(std::string_view text, int x0, int y0) {
    std::size_t p = 0;
    if (!ParseCells(text, x0, y0, p)) return false;
    if (p >= text.size()) return true;
    const int w = SmallNumberOf(text[1]), h = SmallNumberOf(text[2]);
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y) {
            if (p >= text.size()) return Malformed();
            if (text[p++] != TurnCellByte) continue;
            if (p >= text.size()) return Malformed();
            SetAttrC(x, y, static_cast<uint8_t>(text[p++]));
        }
    return true;
}

std::string TSkanwordShablon3::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TSkanwordShablon::SerializeTemplate(x0, y0, x1, y1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (HasAttrC(x, y)) {
                text += TurnCellByte;
                text += static_cast<char>(GetAttrC(x, y));
            } else {
                text += LetterCellByte;
            }
        }
    return text;
}

void TSkanwordShablon3::NumberCells() {
    RefreshArrows();
    const auto letter = [&](int x, int y) { return !IsOutside(x, y) && IsLetterCell(x, y); };
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            const int turns = GetAttrC(x, y);
            int kept = 0;
            for (const char step : {'2', '6', '8', '4'}) {
                const TTurns t = TurnsOf(step);
                if ((turns & t.FirstBit) && letter(x + t.First.DX, y + t.First.DY)) kept |= t.FirstBit;
                if ((turns & t.SecondBit) && letter(x + t.Second.DX, y + t.Second.DY)) kept |= t.SecondBit;
            }
            SetAttrC(x, y, kept);
        }
    RebuildBendingWords();
    TClassicShablon::NumberCells();
}

void TSkanwordShablon3::RebuildBendingWords() {
    mBendingWords.Clear();
    mIndexedHeight = Height;
    mWordsAtCell.assign(static_cast<std::size_t>(Width) * Height, {});
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            const int bits = GetAttrB(x, y);
            if (bits & 0x38) AddBendingWord(x, y, Right.Step);
            if (bits & 0x07) AddBendingWord(x, y, Down.Step);
        }
}

void TSkanwordShablon3::AddBendingWord(int x, int y, char step) {
    TBendStep direction = step == Right.Step ? Right : Down;
    std::string path;
    std::vector<std::pair<int, int>> cells{{x, y}};
    const auto letter = [&](int cx, int cy) { return !IsOutside(cx, cy) && IsLetterCell(cx, cy); };
    while (static_cast<int>(cells.size()) < MaxBendingCells && letter(x + direction.DX, y + direction.DY)) {
        x += direction.DX;
        y += direction.DY;
        path += direction.Step;
        cells.emplace_back(x, y);
        const int turns = GetAttrC(x, y);
        const TTurns t = TurnsOf(direction.Step);
        if ((turns & t.FirstBit) && letter(x + t.First.DX, y + t.First.DY))
            direction = t.First;
        else if ((turns & t.SecondBit) && letter(x + t.Second.DX, y + t.Second.DY))
            direction = t.Second;
    }
    if (cells.size() < 2) return;
    const int index = mBendingWords.Count();
    mBendingWords.AddWord(cells[0].first, cells[0].second, static_cast<int>(cells.size()), path);
    for (const auto& [cx, cy] : cells) {
        std::vector<int>& at = mWordsAtCell[static_cast<std::size_t>(cx) * mIndexedHeight + cy];
        if (at.empty() || at.back() != index) at.push_back(index);
    }
}

void TSkanwordShablon3::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y) || !IsLetterCell(x, y) || y >= mIndexedHeight) return;
    const std::size_t at = static_cast<std::size_t>(x) * mIndexedHeight + y;
    if (at >= mWordsAtCell.size()) return;
    for (const int i : mWordsAtCell[at])
        words.AddWord(mBendingWords.WordX(i), mBendingWords.WordY(i), mBendingWords.WordLength(i),
                      mBendingWords.WordPath(i));
}

void TSkanwordShablon3::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    TSkanwordShablon::ExportCell(x, y, x0, y0, list);
    if (IsOutside(x, y) || !IsLetterCell(x, y) || !HasAttrC(x, y)) return;
    if (!KeyWordCellLook.NoPaint && KeyWordNumberAt(x, y) >= 0) return;  // only a letter-cell item has them
    int ex = 0, ey = 0;
    CellToExport(x - x0, y - y0, ex, ey);
    list.AddTurnMarks(ex, ey, GetAttrC(x, y));
}
