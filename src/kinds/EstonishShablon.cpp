#include "EstonishShablon.h"

#include "Walls.h"

#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <climits>

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;
constexpr char WalledCellByte = 0x03;  // followed by the walls byte

constexpr int64_t ExportUnitsPerDrawingUnit = 1000;

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

bool AcceptedKind(int kind) {
    return kind == static_cast<int>(TShablonKind::Classic) || kind == static_cast<int>(TShablonKind::Estonish) ||
           kind == static_cast<int>(TShablonKind::American);
}

// The number of words of the given direction met walking a row (or column) from its start: a
// word counts once, and the walk goes on after its last cell.
template <class TCellAt>
int WordsAlong(const TShablon& shablon, int cells, char direction, TCellAt&& cellAt) {
    TShablonWords words;
    int count = 0;
    for (int i = 0; i < cells; ++i) {
        const auto [x, y] = cellAt(i);
        if (!shablon.IsLetterCell(x, y)) continue;
        shablon.WordsThroughCell(x, y, words);
        for (int w = 0; w < words.Count(); ++w)
            if (words.WordPath(w).front() == direction) {
                ++count;
                i = (direction == '6' ? words.WordX(w) : words.WordY(w)) + words.WordLength(w) - 1;
                break;
            }
    }
    return count;
}

}  // namespace

TEstonishShablon::TEstonishShablon(int width, int height, TShablonKind kind) : TShablon(width, height, kind) {
    UsesDigits = true;
    UsesWalls = true;
}

void TEstonishShablon::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    TShablon::MirrorCells(x0, y0, x1, y1, axes);
    const TMirror m(x0, y0, x1, y1, axes);
    TurnAttrByte(m, 0, [&m](int walls) { return MirrorWalls(walls, m.LeftRight, m.TopBottom); });
}

void TEstonishShablon::SetFlagA(int x, int y, bool on) {
    if (!IsOutside(x, y)) SetFlag(x, y, CellFlag::AttrA, on);
}

void TEstonishShablon::SetAttrA(int x, int y, int value) {
    ForWallImages(*this, x, y, value, [&](int cx, int cy, int walls) {
        if (IsOutside(cx, cy)) return;
        const int kept = FilterWalls(*this, cx, cy, walls);
        TShablonCell& cell = RawCell(cx, cy);
        cell.Attr = (cell.Attr & ~uint32_t{0xFF}) | static_cast<uint32_t>(kept);
        SetFlagA(cx, cy, kept != 0);
    });
}

void TEstonishShablon::FilterAllWalls() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) SetAttrA(x, y, GetAttrA(x, y));
}

void TEstonishShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    ExportWallCell(*this, x, y, x0, y0, list);
}

void TEstonishShablon::ExportCellOverlay(int x, int y, int x0, int y0, TComExport& list) const {
    ExportWallOverlay(*this, x, y, x0, y0, list);
}

void TEstonishShablon::CellToCanvas(int x, int y, int& px, int& py) const {
    const int half = WallMargin(*this) / 2;
    px = ClampToInt(int64_t{Scale} * (int64_t{x} * CellSize + half));
    py = ClampToInt(int64_t{Scale} * (int64_t{y} * CellSize + half));
}

void TEstonishShablon::ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const {
    const int margin = WallMargin(*this);
    const int64_t f = int64_t{Scale} * (full ? margin : margin / 2);
    px = ClampToInt(ex / ExportUnitsPerDrawingUnit + f);
    py = ClampToInt(-int64_t{ey} / ExportUnitsPerDrawingUnit + f);
}

int TEstonishShablon::GetPixelWidth() const {
    return ClampToInt(int64_t{TShablon::GetPixelWidth()} + WallPictureExtra(*this));
}

int TEstonishShablon::GetPixelHeight() const {
    return ClampToInt(int64_t{TShablon::GetPixelHeight()} + WallPictureExtra(*this));
}

void TEstonishShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y) || !IsLetterCell(x, y)) return;

    int start = x;
    while (start > 0 && IsLetterCell(start - 1, y) && OpenToRight(*this, start - 1, y)) --start;
    int end = x;
    while (end + 1 < Width && IsLetterCell(end + 1, y) && OpenToRight(*this, end, y)) ++end;
    if (end > start) words.AddWord(start, y, end - start + 1, std::string(end - start, '6'));

    start = y;
    while (start > 0 && IsLetterCell(x, start - 1) && OpenBelow(*this, x, start - 1)) --start;
    end = y;
    while (end + 1 < Height && IsLetterCell(x, end + 1) && OpenBelow(*this, x, end)) ++end;
    if (end > start) words.AddWord(x, start, end - start + 1, std::string(end - start, '2'));
}

bool TEstonishShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    const auto malformed = [] {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    };
    if (text.size() < 3) return malformed();
    if (!AcceptedKind(SmallNumberOf(text[0]))) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = 3;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y) {
            if (p >= text.size()) return malformed();
            const char c = text[p++];
            int walls = 0;
            if (c == WalledCellByte) {
                if (p >= text.size()) return malformed();
                walls = static_cast<uint8_t>(text[p++]);
            }
            if (IsOutside(x, y)) continue;
            SetLetterCell(x, y, c == LetterCellByte || c == WalledCellByte);
            TShablonCell& cell = RawCell(x, y);
            cell.Attr = (cell.Attr & ~uint32_t{0xFF}) | static_cast<uint32_t>(walls);
            SetFlagA(x, y, walls != 0);
        }
    return true;
}

std::string TEstonishShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TextHead(x0, y0, x1, y1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (!IsLetterCell(x, y)) {
                text += OtherCellByte;
            } else if (const int walls = GetAttrA(x, y); walls != 0) {
                text += WalledCellByte;
                text += static_cast<char>(walls);
            } else {
                text += LetterCellByte;
            }
        }
    return text;
}

void TEstonishShablon::NumberCells() {
    FilterAllWalls();
    NumberWordStarts();
}

TAmericanShablon::TAmericanShablon(int width, int height) : TEstonishShablon(width, height, TShablonKind::American) {
    UsesDigits = false;
}

void TAmericanShablon::NumberCells() {
    FilterAllWalls();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) SetNumbered(x, y, false);
    int rows = 0;
    for (int y = 0; y < Height; ++y)
        rows = std::max(rows, WordsAlong(*this, Width, '6', [y](int i) { return std::pair{i, y}; }));
    int columns = 0;
    for (int x = 0; x < Width; ++x)
        columns = std::max(columns, WordsAlong(*this, Height, '2', [x](int i) { return std::pair{x, i}; }));
    MaxWordsPerRow = static_cast<uint8_t>(rows);
    MaxWordsPerColumn = static_cast<uint8_t>(columns);
}
