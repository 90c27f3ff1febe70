#include "ChainwordShablon.h"

#include "Walls.h"

#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/Coord.h"

#include <charconv>
#include <unordered_map>

namespace {

constexpr char PlainByte = 0x01;
constexpr char DigitByte = 0x05;  // followed by the direction byte
constexpr char MarkByte = 0x06;
constexpr std::size_t HeadLength = 6;
constexpr int MaxOverlap = 24;
constexpr uint16_t LoopMark = 0x0002;

// A chainword digit's step, wall side, the facing side of the next cell and path character.
struct TDigitStep {
    int dx, dy;
    int exitWall;
    int facingWall;
    char pathChar;
};

bool IsDigit(int d) {
    return d == 2 || d == 4 || d == 6 || d == 8;
}

TDigitStep DigitStep(int d) {
    switch (d) {
        case 2: return {0, 1, WallBit::Below, WallBit::Above, '2'};
        case 4: return {1, 0, WallBit::Right, WallBit::Left, '6'};
        case 6: return {-1, 0, WallBit::Left, WallBit::Right, '4'};
        default: return {0, -1, WallBit::Above, WallBit::Below, '8'};
    }
}

int ReverseDigit(int d) {
    return 10 - d;
}

int MirroredDigit(int d, bool acrossX, bool acrossY) {
    if (acrossX && (d == 4 || d == 6)) return ReverseDigit(d);
    if (acrossY && (d == 2 || d == 8)) return ReverseDigit(d);
    return d;
}

// Directions of the crossing chain, in the order of the 2-bit fields of a cell's byte.
enum TWay { Right = 0, Left = 1, Up = 2, Down = 3 };

constexpr int WayDx[4] = {1, -1, 0, 0};
constexpr int WayDy[4] = {0, 0, -1, 1};
// The way out for an entry way and a field value 1 (straight), 2 (clockwise), 3 (counter).
constexpr TWay WayOut[4][3] = {{Right, Down, Up}, {Left, Up, Down}, {Up, Right, Left}, {Down, Left, Right}};

int Field(int value, int way) {
    return (value >> (2 * way)) & 3;
}

bool IsCrossing(int value) {
    int fields = 0;
    for (int way = 0; way < 4; ++way) fields += Field(value, way) != 0;
    return fields >= 2;
}

// The walls between two consecutive chain cells: on the first, then on the second.
void StepWalls(int dx, int dy, int& first, int& second) {
    if (dy > 0) first = WallBit::Below, second = WallBit::Above;
    else if (dy < 0) first = WallBit::Above, second = WallBit::Below;
    else if (dx > 0) first = WallBit::Right, second = WallBit::Left;
    else first = WallBit::Left, second = WallBit::Right;
}

// The decimal value of a WordStarts entry; 0 when it is not a number.
int PositionOf(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The digit and the crossing way of a move character; false for another character.
bool MoveOf(char move, int& digit, int& way) {
    switch (move) {
        case 'R': digit = 4, way = Right; return true;
        case 'L': digit = 6, way = Left; return true;
        case 'U': digit = 8, way = Up; return true;
        case 'D': digit = 2, way = Down; return true;
        default: return false;
    }
}

bool Opposite(int way, int other) {
    return (way ^ 1) == other;
}

bool Malformed() {
    TheUi().Message("Неверный формат шаблона!"_cp);
    return false;
}

}  // namespace

TChainwordShablon::TChainwordShablon(int width, int height, TShablonKind kind)
    : TEstonishShablon(width, height, kind) {
    UsesArrows = false;
    SetAttrD(0, 0, 4);
}

void TChainwordShablon::SetAttrA(int x, int y, int value) {
    if (IsOutside(x, y)) return;
    TShablonCell& cell = RawCell(x, y);
    cell.Attr = (cell.Attr & ~uint32_t{0xFF}) | static_cast<uint32_t>(value & 0xFF);
    SetFlagA(x, y, (value & 0xFF) != 0);
}

void TChainwordShablon::SetFlagD(int x, int y, bool on) {
    if (!IsOutside(x, y)) SetFlag(x, y, CellFlag::AttrD, on);
}

void TChainwordShablon::SetAttrD(int x, int y, int value) {
    // Any other value would be written into the template text, which refuses it on reading.
    if (value != 0 && !IsDigit(value)) return;
    const auto set = [&](int cx, int cy, int d) {
        if (IsOutside(cx, cy)) return;
        TShablonCell& cell = RawCell(cx, cy);
        cell.Attr = (cell.Attr & 0xFF) | (static_cast<uint32_t>(d & 0xFF) << 8);
        SetFlagD(cx, cy, d != 0);
    };
    set(x, y, value);
    if (!SymmetryOn()) return;
    const bool mx = MirrorX.Enabled, my = MirrorY.Enabled;
    if (mx) set(MirrorX.MirrorOf(x), y, MirroredDigit(value, true, false));
    if (my) set(x, MirrorY.MirrorOf(y), MirroredDigit(value, false, true));
    if (mx && my) set(MirrorX.MirrorOf(x), MirrorY.MirrorOf(y), MirroredDigit(value, true, true));
}

void TChainwordShablon::SetMarkE(int x, int y, bool on) {
    if (!IsOutside(x, y)) SetFlag(x, y, CellFlag::MarkE, on);
}

bool TChainwordShablon::ChainEndsAt(int x, int y) const {
    const int d = GetAttrD(x, y);
    return !IsDigit(d) || (GetAttrA(x, y) & DigitStep(d).exitWall) != 0;
}

void TChainwordShablon::NumberCells() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            SetLetterCellOnly(x, y, false);
            SetNumbered(x, y, false);
            SetAttrA(x, y, 0);
        }
    int x = ChainStartX, y = ChainStartY;
    if (IsOutside(x, y) || !IsDigit(GetAttrD(x, y))) return;
    SetNumber(x, y, 1);
    int entry = GetAttrD(x, y);
    SetAttrA(x, y, DigitStep(ReverseDigit(entry)).exitWall);
    int number = 2;
    // Every step walls a cell on two sides, so a sound chain ends well before this.
    for (int steps = Width * Height; steps > 0; --steps) {
        SetLetterCellOnly(x, y, true);
        const int exit = GetAttrD(x, y);
        const TDigitStep out = DigitStep(exit);
        if (GetAttrA(x, y) & out.exitWall) break;
        const int entrySide = DigitStep(entry).facingWall;
        if (entrySide == out.exitWall) break;
        SetAttrA(x, y, GetAttrA(x, y) | (0xF & ~entrySide & ~out.exitWall));
        const int nx = x + out.dx, ny = y + out.dy;
        if (IsOutside(nx, ny) || (GetAttrA(nx, ny) & out.facingWall)) break;
        const int next = GetAttrD(nx, ny);
        if (!IsDigit(next) || next == ReverseDigit(exit)) break;
        x = nx;
        y = ny;
        entry = exit;
        if (HasMarkE(x, y)) SetNumber(x, y, number++);
    }
    // The last cell ends the chain on the side it was entered towards and on its exit side.
    SetAttrA(x, y, GetAttrA(x, y) | DigitStep(entry).exitWall | DigitStep(GetAttrD(x, y)).exitWall);
    if (x != ChainStartX || y != ChainStartY) SetNumbered(x, y, false);
}

bool TChainwordShablon::NextChainCell(int& x, int& y) const {
    if (ChainEndsAt(x, y)) return false;
    const TDigitStep out = DigitStep(GetAttrD(x, y));
    if (IsOutside(x + out.dx, y + out.dy)) return false;
    x += out.dx;
    y += out.dy;
    return true;
}

char TChainwordShablon::ChainStepChar(int x, int y) const {
    return DigitStep(GetAttrD(x, y)).pathChar;
}

std::string TChainwordShablon::ChainWordPath(int x, int y) const {
    std::string path;
    if (IsOutside(x, y) || !IsNumbered(x, y)) return path;
    int countdown = Overlap;
    bool running = false;
    for (int steps = Width * Height; steps > 0; --steps) {
        const char step = ChainStepChar(x, y);
        if (!NextChainCell(x, y)) break;
        path += step;
        if (!running && IsNumbered(x, y)) running = true;
        if (running && --countdown <= 0) break;
    }
    return path;
}

void TChainwordShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y) || !IsLetterCell(x, y)) return;
    int budget = Overlap;
    for (int steps = Width * Height; steps > 0; --steps) {
        const bool numbered = IsNumbered(x, y);
        if (numbered) {
            const std::string path = ChainWordPath(x, y);
            words.AddWord(x, y, static_cast<int>(path.size()) + 1, path);
        }
        if ((x == ChainStartX && y == ChainStartY) || (numbered && budget == 0)) return;
        // The predecessor lies behind the cell's other open side.
        const int exitWall = DigitStep(GetAttrD(x, y)).exitWall;
        const int walls = GetAttrA(x, y);
        int px = -1, py = -1;
        for (const int d : {8, 6, 4, 2}) {
            const TDigitStep side = DigitStep(d);
            if (side.exitWall == exitWall || (walls & side.exitWall)) continue;
            px = x + side.dx;
            py = y + side.dy;
            break;
        }
        if (IsOutside(px, py) || !IsLetterCell(px, py)) return;
        x = px;
        y = py;
        if (budget > 0) --budget;
    }
}

void TChainwordShablon::ClearChain() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            TShablonCell& cell = RawCell(x, y);
            cell.Attr &= 0xFF;
            SetFlagD(x, y, false);
            SetMarkE(x, y, false);
        }
    ChainStartX = ChainStartY = MaxSide - 1;
}

bool TChainwordShablon::LayMoves(int x, int y, std::string_view moves) {
    ClearChain();
    const auto refuse = [&] {
        ClearChain();
        NumberCells();
        return false;
    };
    if (IsOutside(x, y)) return refuse();
    std::vector<bool> passed(Width * Height, false);
    int lastWay = -1, digit = 4, way = Right;
    ChainStartX = static_cast<uint8_t>(x);
    ChainStartY = static_cast<uint8_t>(y);
    for (const char move : moves) {
        if (!MoveOf(move, digit, way) || (lastWay >= 0 && Opposite(way, lastWay))) return refuse();
        passed[x * Height + y] = true;
        TShablonCell& cell = RawCell(x, y);
        cell.Attr = (cell.Attr & 0xFF) | (static_cast<uint32_t>(digit) << 8);
        SetFlagD(x, y, true);
        x += WayDx[way];
        y += WayDy[way];
        if (IsOutside(x, y) || passed[x * Height + y]) return refuse();
        lastWay = way;
    }
    TShablonCell& last = RawCell(x, y);
    last.Attr = (last.Attr & 0xFF) | (static_cast<uint32_t>(digit) << 8);
    SetFlagD(x, y, true);
    NumberCells();
    return true;
}

void TChainwordShablon::LaySerpentine() {
    std::string moves;
    for (int y = 0; y < Height; ++y) {
        moves.append(Width - 1, y % 2 == 0 ? 'R' : 'L');
        if (y + 1 < Height) moves += 'D';
    }
    LayMoves(0, 0, moves);
}

bool TChainwordShablon::ParseHead(std::string_view text, char kind) {
    if (text.size() < HeadLength) return Malformed();
    if (text[0] != kind) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    ChainStartX = static_cast<uint8_t>(SmallNumberOf(text[3]));
    ChainStartY = static_cast<uint8_t>(SmallNumberOf(text[4]));
    Overlap = static_cast<uint8_t>(SmallNumberOf(text[5]));
    return true;
}

bool TChainwordShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    const uint8_t overlap = Overlap;
    if (!ParseHead(text, '3')) return false;
    if (Overlap < 1 || Overlap > MaxOverlap) {
        Overlap = overlap;
        return Malformed();
    }
    const int w = SmallNumberOf(text[1]), h = SmallNumberOf(text[2]);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = HeadLength;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y) {
            if (p >= text.size()) return Malformed();
            const char c = text[p++];
            int digit = 0;
            if (c == DigitByte) {
                if (p >= text.size()) return Malformed();
                digit = static_cast<uint8_t>(text[p++]);
                if (!IsDigit(digit)) return Malformed();
            } else if (c != PlainByte) {
                return Malformed();
            }
            if (p >= text.size()) return Malformed();
            const bool mark = text[p++] == MarkByte;
            if (IsOutside(x, y)) continue;
            TShablonCell& cell = RawCell(x, y);
            cell.Attr = (cell.Attr & 0xFF) | (static_cast<uint32_t>(digit) << 8);
            SetFlagD(x, y, digit != 0);
            SetMarkE(x, y, mark);
        }
    return true;
}

std::string TChainwordShablon::ChainText(int x0, int y0, int x1, int y1, bool withMarks) const {
    std::string text = TextHead(x0, y0, x1, y1);
    text += SmallNumberChar(ChainStartX);
    text += SmallNumberChar(ChainStartY);
    text += SmallNumberChar(Overlap);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (HasAttrD(x, y)) {
                text += DigitByte;
                text += static_cast<char>(GetAttrD(x, y));
            } else {
                text += PlainByte;
            }
            if (withMarks) text += HasMarkE(x, y) ? MarkByte : PlainByte;
        }
    return text;
}

std::string TChainwordShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    return ChainText(x0, y0, x1, y1, true);
}

bool TChainwordShablon::LoadFromText(std::string_view text) {
    if (!ParseTemplate(text, 0, 0)) return false;
    NumberCells();
    return true;
}

void TChainwordShablon::GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const {
    TShablon::GetUsedBounds(minX, minY, endX, endY);
    bool any = false;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) any = any || IsLetterCell(x, y) || IsClueCell(x, y);
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (!HasAttrD(x, y)) continue;
            minX = any ? std::min(minX, x) : x;
            minY = any ? std::min(minY, y) : y;
            endX = any ? std::max(endX, x + 1) : x + 1;
            endY = any ? std::max(endY, y + 1) : y + 1;
            any = true;
        }
}

void TChainwordShablon::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    TEstonishShablon::MirrorCells(x0, y0, x1, y1, axes);
    const TMirror m(x0, y0, x1, y1, axes);
    TurnAttrByte(m, 8, [&](int d) { return MirroredDirection(d, m); });
    if (m.Contains(ChainStartX, ChainStartY)) {
        ChainStartX = static_cast<uint8_t>(m.X(ChainStartX));
        ChainStartY = static_cast<uint8_t>(m.Y(ChainStartY));
    }
}

int TChainwordShablon::MirroredDirection(int d, const TMirror& mirror) const {
    return MirroredDigit(d, mirror.LeftRight, mirror.TopBottom);
}

void TChainwordShablon::ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) {
    if (ChainStartX >= x0 && ChainStartX <= x1 && ChainStartY >= y0 && ChainStartY <= y1) {
        ChainStartX = static_cast<uint8_t>(ChainStartX + dx);
        ChainStartY = static_cast<uint8_t>(ChainStartY + dy);
    }
    TShablon::ShiftCells(x0, y0, x1, y1, dx, dy);
}

TCrossChainwordShablon::TCrossChainwordShablon(int width, int height)
    : TChainwordShablon(width, height, TShablonKind::CrossChainword) {
    SetAttrD(0, 0, 1);
}

void TCrossChainwordShablon::SetAttrD(int x, int y, int value) {
    if (IsOutside(x, y)) return;
    TShablonCell& cell = RawCell(x, y);
    cell.Attr = (cell.Attr & 0xFF) | (static_cast<uint32_t>(value & 0xFF) << 8);
    SetFlagD(x, y, (value & 0xFF) != 0);
}

int TCrossChainwordShablon::MirroredDirection(int d, const TMirror& mirror) const {
    // A left-right mirror swaps the ways right and left, a top-bottom one up and down; either
    // alone turns a clockwise turn counterclockwise.
    static constexpr TWay LeftRight[4] = {Left, Right, Up, Down};
    static constexpr TWay TopBottom[4] = {Right, Left, Down, Up};
    const bool handed = mirror.LeftRight != mirror.TopBottom;
    int mirrored = 0;
    for (int in = 0; in < 4; ++in) {
        int value = d >> (2 * in) & 3;
        if (value == 0) continue;
        if (handed && value != 1) value = 5 - value;
        int way = in;
        if (mirror.LeftRight) way = LeftRight[way];
        if (mirror.TopBottom) way = TopBottom[way];
        mirrored |= value << (2 * way);
    }
    return mirrored;
}

std::string TCrossChainwordShablon::PositionText(int position) {
    const std::string digits = "00000000" + std::to_string(position);
    return digits.substr(digits.size() - 8);
}

void TCrossChainwordShablon::ChainCells(TCoord& list, int& loopStart) const {
    list.Clear();
    loopStart = -1;
    int x = ChainStartX, y = ChainStartY;
    if (IsOutside(x, y) || GetAttrD(x, y) == 0) return;
    const int startValue = GetAttrD(x, y);
    int out = 0;
    for (int way = 0; way < 4; ++way)
        if (const int field = Field(startValue, way)) {
            out = WayOut[way][field - 1];
            break;
        }
    list.AddCell(x, y);
    // The first position of every step walked, keyed by its two cells.
    std::unordered_map<uint32_t, int> steps;
    const auto stepKey = [](int ax, int ay, int bx, int by) {
        return static_cast<uint32_t>(ax) << 24 | static_cast<uint32_t>(ay) << 16 | static_cast<uint32_t>(bx) << 8 |
               static_cast<uint32_t>(by);
    };
    for (;;) {
        const int nx = x + WayDx[out], ny = y + WayDy[out];
        if (IsOutside(nx, ny)) return;
        const int field = Field(GetAttrD(nx, ny), out);
        if (field == 0) return;
        list.AddCell(nx, ny);
        if (nx == ChainStartX && ny == ChainStartY) return;
        const int position = list.Count() - 2;
        const auto [known, added] = steps.try_emplace(stepKey(x, y, nx, ny), position);
        if (!added && IsCrossing(GetAttrD(x, y))) {
            loopStart = known->second;
            return;
        }
        // Each cell is entered at most once per way, so a chain that does not repeat a step ends
        // within this many.
        if (list.Count() > 4 * Width * Height + 1) return;
        out = WayOut[out][field - 1];
        x = nx;
        y = ny;
    }
}

bool TCrossChainwordShablon::LayMoves(int x, int y, std::string_view moves) {
    ClearChain();
    const auto refuse = [&] {
        ClearChain();
        NumberCells();
        return false;
    };
    if (IsOutside(x, y)) return refuse();
    ChainStartX = static_cast<uint8_t>(x);
    ChainStartY = static_cast<uint8_t>(y);
    TCoord wanted(MaxSide, MaxSide);
    wanted.AddCell(x, y);
    // Each passage sets the field of the way it entered by to the way it leaves by.
    const auto setField = [&](int cx, int cy, int in, int out) {
        for (int value = 1; value <= 3; ++value)
            if (WayOut[in][value - 1] == out) {
                if (Field(GetAttrD(cx, cy), in) != 0) return false;
                SetAttrD(cx, cy, GetAttrD(cx, cy) | value << (2 * in));
                return true;
            }
        return false;
    };
    int digit = 0, in = -1, out = Right;
    for (const char move : moves) {
        if (!MoveOf(move, digit, out) || (in >= 0 && Opposite(out, in))) return refuse();
        if (!setField(x, y, in < 0 ? out : in, out)) return refuse();
        x += WayDx[out];
        y += WayDy[out];
        if (IsOutside(x, y)) return refuse();
        wanted.AddCell(x, y);
        in = out;
    }
    const bool closed = x == ChainStartX && y == ChainStartY && moves.size() > 0;
    if (!closed && !setField(x, y, in < 0 ? out : in, in < 0 ? out : in)) return refuse();
    if (closed && Field(GetAttrD(x, y), in) == 0 && !setField(x, y, in, in)) return refuse();
    TCoord chain(MaxSide, MaxSide);
    int loopStart = -1;
    ChainCells(chain, loopStart);
    if (loopStart >= 0 || chain.Cells() != wanted.Cells()) return refuse();
    NumberCells();
    return true;
}

void TCrossChainwordShablon::CheckTemplate() {
    TShablon::CheckTemplate();
    TCoord chain(MaxSide, MaxSide);
    int loopStart = -1;
    ChainCells(chain, loopStart);
    if (loopStart < 0) return;
    for (int i = loopStart; i < chain.Count(); ++i) Marks[Index(chain.CellX(i), chain.CellY(i))] |= LoopMark;
}

void TCrossChainwordShablon::NumberCells() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            SetLetterCellOnly(x, y, false);
            SetNumbered(x, y, false);
            SetAttrA(x, y, 0);
        }
    TCoord chain(MaxSide, MaxSide);
    int loopStart = -1;
    ChainCells(chain, loopStart);
    if (chain.Count() == 0) return;
    for (const TCell& cell : chain.Cells()) {
        SetLetterCellOnly(cell.x, cell.y, true);
        SetAttrA(cell.x, cell.y, 0xF);
    }
    for (int i = 0; i + 1 < chain.Count(); ++i) {
        const TCell a = chain.Cell(i), b = chain.Cell(i + 1);
        int first = 0, second = 0;
        StepWalls(b.x - a.x, b.y - a.y, first, second);
        SetAttrA(a.x, a.y, GetAttrA(a.x, a.y) & ~first);
        SetAttrA(b.x, b.y, GetAttrA(b.x, b.y) & ~second);
    }
    SetNumber(chain.CellX(0), chain.CellY(0), 1);
    int number = 2;
    for (const std::string& entry : WordStarts.Items()) {
        const int position = PositionOf(entry);
        if (position <= 0 || position >= chain.Count()) continue;
        const TCell cell = chain.Cell(position);
        // A crossing cell where two words start keeps the number it got first.
        if (IsNumbered(cell.x, cell.y)) continue;
        SetNumber(cell.x, cell.y, number++);
    }
}

bool TCrossChainwordShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    const uint8_t overlap = Overlap;
    if (!ParseHead(text, '?')) return false;
    if (Overlap < 1 || Overlap > MaxOverlap) Overlap = overlap;
    const int w = SmallNumberOf(text[1]), h = SmallNumberOf(text[2]);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = HeadLength;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y) {
            if (p >= text.size()) return Malformed();
            const char c = text[p++];
            int value = 0;
            if (c == DigitByte) {
                if (p >= text.size()) return Malformed();
                value = static_cast<uint8_t>(text[p++]);
            } else if (c != PlainByte) {
                return Malformed();
            }
            SetAttrD(x, y, value);
        }
    return true;
}

std::string TCrossChainwordShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    return ChainText(x0, y0, x1, y1, false);
}
