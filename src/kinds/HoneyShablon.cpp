#include "HoneyShablon.h"

#include "export/ComExport.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/Coord.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;
constexpr std::size_t FirstRowAt = 3;
constexpr std::size_t RingDirectionAt = 4;
constexpr std::size_t RingModeAt = 5;
constexpr std::size_t CellsAt = 6;
constexpr int MaxRingMode = 3;
constexpr std::string_view LineEnd = "\r\n";
constexpr double Sqrt3 = std::numbers::sqrt3;

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void FormatError() {
    TheUi().Message("Неверный формат шаблона!"_cp);
}

// Runs its action when the scope ends, however it ends.
template <typename TAction>
class TOnExit {
public:
    explicit TOnExit(TAction action) : mAction(std::move(action)) {}
    ~TOnExit() { mAction(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    TAction mAction;
};

}  // namespace

TBaseHoneyShablon::TBaseHoneyShablon(int width, int height, TShablonKind kind) : TClassicShablon(width, height, kind) {
    UsesDigits = true;
    UsesWalls = false;
    UsesArrows = false;
}

int TBaseHoneyShablon::RingWordLength() const {
    return RingSize() + (RingMode == 0 ? 0 : RingMode == 3 ? 2 : 1);
}

int TBaseHoneyShablon::RingCells(int x, int y, std::vector<std::pair<int, int>>& cells) const {
    cells.clear();
    int d = StartDirectionOf(x, y);
    if (d == NoDirection) d = DefaultStart();
    for (int i = 0; i < RingSize(); ++i) {
        const auto cell = Neighbour(x, y, d);
        if (!IsOutside(cell.first, cell.second)) cells.push_back(cell);
        d = NextRingDirection(d, RingDirection == 0);
    }
    return static_cast<int>(cells.size());
}

uint8_t TBaseHoneyShablon::StartDirectionOf(int x, int y) const {
    if (IsOutside(x, y) || !IsNumbered(x, y)) return NoDirection;
    // A centre marked without a stored direction may hold any byte there.
    const int d = (RawCell(x, y).Attr >> 8) & 0xFF;
    return IsDirection(d) ? static_cast<uint8_t>(d) : NoDirection;
}

void TBaseHoneyShablon::SetStartDirectionOnly(int x, int y, int d) {
    if (IsOutside(x, y)) return;
    SetMarkE(x, y, d != NoDirection);
    uint32_t& attr = RawCell(x, y).Attr;
    attr = (attr & ~uint32_t{0xFF00}) | (static_cast<uint32_t>(d & 0xFF) << 8);
}

void TBaseHoneyShablon::SetStartDirection(int x, int y, int d) {
    if (IsOutside(x, y)) return;
    SetStartDirectionOnly(x, y, d);
    if (!SymmetryOn()) return;
    const int mirrored = d == NoDirection ? d : MirroredDirection(d);
    const int mx = MirrorX.MirrorOf(x);
    const int my = MirrorY.MirrorOf(y);
    const bool byX = MirrorX.Enabled && mx != x;
    const bool byY = MirrorY.Enabled && my != y;
    if (byX) SetStartDirectionOnly(mx, y, mirrored);
    if (byY) SetStartDirectionOnly(x, my, mirrored);
    if (byX && byY) SetStartDirectionOnly(mx, my, mirrored);
}

bool TBaseHoneyShablon::IsRingCentre(int x, int y) const {
    if (IsOutside(x, y) || !HasMarkE(x, y) || IsLetterCell(x, y)) return false;
    std::vector<std::pair<int, int>> ring;
    if (RingCells(x, y, ring) != RingSize()) return false;
    return std::all_of(ring.begin(), ring.end(), [this](const auto& c) { return IsLetterCell(c.first, c.second); });
}

int TBaseHoneyShablon::RingStart(int x, int y) const {
    const int d = StartDirectionOf(x, y);
    return d == NoDirection ? DefaultStart() : d;
}

std::pair<int, int> TBaseHoneyShablon::MovedCell(int x, int y, int dx, int dy) const {
    return {x + dx + ParityStep(y + dy, dy), y + dy};
}

std::pair<int, int> TBaseHoneyShablon::SourceCell(int x, int y, int dx, int dy) const {
    return {x - dx - ParityStep(y, dy), y - dy};
}

void TBaseHoneyShablon::ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, Width - 1);
    y1 = std::min(y1, Height - 1);
    const std::vector<TShablonCell> before = Cells;
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            const auto [fromX, fromY] = SourceCell(x, y, dx, dy);
            Cells[Index(x, y)] = IsOutside(fromX, fromY) ? TShablonCell{} : before[Index(fromX, fromY)];
        }
    NumberCells();
}

void TBaseHoneyShablon::CropSpan(int dy, int& first, int& last) const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    first = MaxSide;
    last = -1;
    for (int y = minY; y < endY; ++y)
        for (int x = minX; x < endX; ++x)
            if (IsLetterCell(x, y) || IsClueCell(x, y)) {
                first = std::min(first, x + ParityStep(y + dy, dy));
                last = std::max(last, x + ParityStep(y + dy, dy));
            }
    if (last < 0) first = last = minX;
}

void TBaseHoneyShablon::CropMove(int& dx, int& dy, int& width, int& height) const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    int first = 0, last = 0;
    dy = -minY;
    CropSpan(dy, first, last);
    // A grid of the widest size has no room for the half-column move: one row stays on top.
    if (last - first + 1 > MaxSide) CropSpan(++dy, first, last);
    dx = -first;
    width = last - first + 1;
    height = endY + dy;
}

void TBaseHoneyShablon::ExportMove(int& dx, int& dy) const {
    int width = 1, height = 1;
    CropMove(dx, dy, width, height);
}

void TBaseHoneyShablon::Crop(int& dx, int& dy) {
    int width = 1, height = 1;
    CropMove(dx, dy, width, height);
    if (width > Width) SetWidth(width);
    ShiftCells(0, 0, Width - 1, Height - 1, dx, dy);
    SetSize(width, height);
    NumberCells();
}

void TBaseHoneyShablon::CropToUsed() {
    int dx = 0, dy = 0;
    Crop(dx, dy);
}

void TBaseHoneyShablon::MarkInnerBlanks() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) SetInnerBlank(x, y, !IsLetterCell(x, y));
    std::vector<std::pair<int, int>> reached;
    const auto reach = [&](int x, int y) {
        if (IsOutside(x, y) || !IsInnerBlank(x, y)) return;
        SetInnerBlank(x, y, false);
        reached.emplace_back(x, y);
    };
    for (int x = 0; x < Width; ++x) {
        reach(x, 0);
        reach(x, Height - 1);
    }
    for (int y = 0; y < Height; ++y) {
        reach(0, y);
        reach(Width - 1, y);
    }
    const std::vector<int> sides = SideDirections();
    while (!reached.empty()) {
        const auto [x, y] = reached.back();
        reached.pop_back();
        for (const int d : sides) {
            const auto [nx, ny] = Neighbour(x, y, d);
            reach(nx, ny);
        }
    }
}

void TBaseHoneyShablon::BuildExport(TComExport& list) {
    const std::vector<TShablonCell> cells = Cells;
    const std::string keyWordCells = KeyWordCells;
    const int width = Width, height = Height;
    const TOnExit restore([&] {
        SetSize(width, height);
        Cells = cells;
        KeyWordCells = keyWordCells;
        NumberCells();
        MarkInnerBlanks();
    });
    int dx = 0, dy = 0;
    Crop(dx, dy);
    for (std::size_t i = 0; i + 1 < KeyWordCells.size(); i += 2) {
        const auto [x, y] = MovedCell(static_cast<uint8_t>(KeyWordCells[i]), static_cast<uint8_t>(KeyWordCells[i + 1]), dx, dy);
        KeyWordCells[i] = static_cast<char>(static_cast<uint8_t>(x));
        KeyWordCells[i + 1] = static_cast<char>(static_cast<uint8_t>(y));
    }
    const int first = list.Count();
    TClassicShablon::BuildExport(list);
    // Key-word items name their cell, which is looked up again once the grid is back.
    for (int i = first; i < list.Count(); ++i) {
        const auto kind = static_cast<TExportKind>(list.Kind(i));
        if (kind != TExportKind::KeyWordNumber && kind != TExportKind::KeyWordNumberShaped &&
            kind != TExportKind::CanvasKeyWordNumber)
            continue;
        const auto [x, y] = SourceCell(list.X2(i), list.Y2(i), dx, dy);
        list.SetX2(i, x);
        list.SetY2(i, y);
    }
    if (!HoneyStroke.Show || !ExportFits()) return;
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    const int size = ClampToInt(int64_t{CellSize} * Scale);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!IsRingCentre(x, y)) continue;
            int ex = 0, ey = 0;
            CellToExport(x - minX, y - minY, ex, ey);
            list.AddHoneyArrows(ex, ey, RingStart(x, y), size);
        }
}

void TBaseHoneyShablon::NumberCells() {
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) SetNumbered(x, y, false);
    int counter = 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (IsRingCentre(x, y)) SetNumber(x, y, counter++);
}

void TBaseHoneyShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y)) return;
    std::vector<std::pair<int, int>> candidates;
    if (IsNumbered(x, y) && !IsLetterCell(x, y))
        candidates.emplace_back(x, y);
    else
        RingCells(x, y, candidates);
    std::vector<std::pair<int, int>> ring;
    for (const auto& [cx, cy] : candidates) {
        if (!IsNumbered(cx, cy) || IsLetterCell(cx, cy)) continue;
        RingCells(cx, cy, ring);
        TCoord coord(Width, Height);
        if (RingMode == 1 || RingMode == 3) coord.AddCell(cx, cy);
        for (const auto& [rx, ry] : ring) coord.AddCell(rx, ry);
        if (RingMode == 2 || RingMode == 3) coord.AddCell(cx, cy);
        words.AddWord(coord.CellX(0), coord.CellY(0), RingWordLength(), coord.ToPath());
    }
}

bool TBaseHoneyShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() <= CellsAt) {
        FormatError();
        return false;
    }
    if (SmallNumberOf(text[0]) != static_cast<int>(Kind)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int mode = SmallNumberOf(text[RingModeAt]);
    if (mode > MaxRingMode) {
        FormatError();
        return false;
    }
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    const int firstRow = SmallNumberOf(text[FirstRowAt]);
    RingDirection = static_cast<uint8_t>(SmallNumberOf(text[RingDirectionAt]));
    RingMode = static_cast<uint8_t>(mode);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = CellsAt;
    for (int i = 0; i < w; ++i)
        for (int j = 0; j < h; ++j, p += 2) {
            if (p + 1 >= text.size()) {
                FormatError();
                return false;
            }
            const int d = static_cast<unsigned char>(text[p + 1]);
            // A ring read from a direction the kind lacks would be garbage.
            if (d != NoDirection && !IsDirection(d)) {
                FormatError();
                return false;
            }
            const int y = y0 + j;
            const int x = x0 + i + ParityStep(y, y0 - firstRow);
            if (IsOutside(x, y)) continue;
            SetLetterCell(x, y, text[p] == LetterCellByte);
            SetStartDirection(x, y, d);
        }
    NumberCells();
    return true;
}

std::string TBaseHoneyShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TextHead(x0, y0, x1, y1);
    text += SmallNumberChar(y0);
    text += SmallNumberChar(RingDirection);
    text += SmallNumberChar(RingMode);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            text += IsLetterCell(x, y) ? LetterCellByte : OtherCellByte;
            uint8_t d = NoDirection;
            if (IsNumbered(x, y) && !IsLetterCell(x, y)) {
                d = StartDirectionOf(x, y);
                // chr(255) would read back as no centre at all; the default start makes the same ring.
                if (d == NoDirection) d = static_cast<uint8_t>(DefaultStart());
            }
            text += static_cast<char>(d);
        }
    return text;
}

void TBaseHoneyShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    if (IsOutside(x, y) || IsLetterCell(x, y) || !IsNumbered(x, y)) {
        TClassicShablon::ExportCell(x, y, x0, y0, list);
        return;
    }
    int ex = 0, ey = 0;
    CellToExport(x - x0, y - y0, ex, ey);
    list.AddCell(ex, ey, false, CellKind::Other);
    list.AddNumber(ex, ey, GetNumber(x, y));
}

std::string TBaseHoneyShablon::GetStatistics() const {
    int words = 0, cells = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (IsLetterCell(x, y)) ++cells;
            if (IsRingCentre(x, y)) ++words;
        }
    const int kind = static_cast<int>(Kind);
    std::string text = Format("Тип кроссворда - %s"_cp, kind < ShablonKindCount ? KindNames[kind] : "");
    text += LineEnd;
    text += Format("Общее число слов в кроссворде - %d"_cp, words);
    text += LineEnd;
    text += Format("Общее число рабочих клеток - %d"_cp, cells);
    text += LineEnd;
    return text;
}

THoneyShablon::THoneyShablon(int width, int height) : TBaseHoneyShablon(width, height, TShablonKind::Honey) {}

int THoneyShablon::NextRingDirection(int d, bool clockwise) const {
    return clockwise ? (d + 1) % 6 : (d + 5) % 6;
}

std::pair<int, int> THoneyShablon::Neighbour(int x, int y, int d) const {
    const int s = y & 1;
    switch (d) {
        case 0: return {x - 1, y};
        case 1: return {x - 1 + s, y - 1};
        case 2: return {x + s, y - 1};
        case 3: return {x + 1, y};
        case 4: return {x + s, y + 1};
        default: return {x - 1 + s, y + 1};
    }
}

int THoneyShablon::GetCellPixelWidth() const {
    return ClampToInt(std::llround(Sqrt3 * Scale * CellSize));
}

void THoneyShablon::CellToCanvas(int x, int y, int& px, int& py) const {
    const int64_t w = GridMargin();
    const int64_t r = CellSize;
    const int64_t cx = std::llround((x + (y & 1) / 2.0) * static_cast<double>(r) * Sqrt3);
    const int64_t cy = std::llround(y * static_cast<double>(r) * 1.5);
    px = ClampToInt(int64_t{Scale} * (cx + w / 2));
    py = ClampToInt(int64_t{Scale} * (cy + w / 2 + r / 2));
}

void THoneyShablon::CellToExport(int x, int y, int& ex, int& ey) const {
    const int64_t r = CellSize;
    const int64_t cx = std::llround((x + (y & 1) / 2.0) * static_cast<double>(r) * 1000 * Sqrt3);
    const int64_t cy = std::llround(y * static_cast<double>(r) * 1500) + r * 500;
    ex = ClampToInt(int64_t{Scale} * cx);
    ey = ClampToInt(-int64_t{Scale} * cy);
}

int THoneyShablon::GetPixelWidth() const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    // The columns of the picture the export draws, after its crop, or of the key-word table below
    // it when that is wider.
    int first = 0, last = 0;
    CropSpan(-minY, first, last);
    const double r = CellSize;
    const int columns = std::max(last - first + 1, KeyWordTableColumns());
    return ClampToInt(int64_t{GridMargin()} + std::llround(Sqrt3 * r * columns + Sqrt3 * r / 2));
}

int THoneyShablon::GetPixelHeight() const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    const int64_t r = CellSize;
    return ClampToInt(GridMargin() + (r + 3 * r * (endY - minY)) / 2);
}

void THoneyShablon::PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const {
    const double s = std::max(parameters.Zoom, 1);
    const int64_t yy = py + std::llround(parameters.FirstRow * s * 1.5);
    int64_t row = static_cast<int64_t>(std::trunc(static_cast<double>(yy) / (1.5 * s)));
    const bool odd = (row & 1) != 0;
    int64_t xx = px + std::llround(parameters.FirstColumn * s * Sqrt3);
    if (odd) xx -= std::llround(s * Sqrt3 / 2);
    const double v = static_cast<double>(yy - std::llround(row * s * 1.5));
    int64_t col = xx < 0 ? -1 : static_cast<int64_t>(std::trunc(static_cast<double>(xx) / (s * Sqrt3)));
    const double u = static_cast<double>(xx - std::llround(col * s * Sqrt3));
    const double m = u / Sqrt3;
    if (v < s / 2 - m) {
        --row;
        if (!odd) --col;
    } else if (v < m - s / 2) {
        --row;
        if (odd) ++col;
    }
    x = col < 0 || col >= Width ? -1 : static_cast<int>(col);
    y = row < 0 || row >= Height ? -1 : static_cast<int>(row);
}

THoneyShablon_8::THoneyShablon_8(int width, int height) : TBaseHoneyShablon(width, height, TShablonKind::Honey8) {}

int THoneyShablon_8::NextRingDirection(int d, bool clockwise) const {
    static constexpr int Order[] = {4, 7, 8, 9, 6, 3, 2, 1};
    const auto* at = std::find(std::begin(Order), std::end(Order), d);
    if (at == std::end(Order)) return DefaultStart();
    const int i = static_cast<int>(at - std::begin(Order));
    return Order[(i + (clockwise ? 1 : 7)) % 8];
}

std::pair<int, int> THoneyShablon_8::Neighbour(int x, int y, int d) const {
    const TStep step = StepOf(static_cast<char>('0' + d));
    return {x + step.dx, y + step.dy};
}

void THoneyShablon_8::PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const {
    const int64_t s = std::max(parameters.Zoom, 1);
    const int64_t cx = parameters.FirstColumn * s + px;
    const int64_t cy = parameters.FirstRow * s + py;
    x = cx < 0 || cx / s >= Width ? -1 : static_cast<int>(cx / s);
    y = cy < 0 || cy / s >= Height ? -1 : static_cast<int>(cy / s);
}
