#include "Shablon.h"

#include "dictionary/FileHelpers.h"

#include <algorithm>

namespace {

// How much of a template file the header reader looks at.
constexpr int HeaderReadLimit = 256;

int ClampSide(int n) {
    return std::clamp(n, 0, TShablon::MaxSide);
}

}  // namespace

TShablon::TShablon(int width, int height, TShablonKind kind)
    : Width(static_cast<uint8_t>(ClampSide(width))),
      Height(static_cast<uint8_t>(ClampSide(height))),
      Kind(kind),
      Marks(MaxSide * MaxSide, 0),
      Cells(MaxSide * MaxSide) {
    ClearRect(0, 0, Width - 1, Height - 1, false);
    SetDefaultLooks();
}

void TShablon::SetDefaultLooks() {
    LetterCellLook = TKletkaGraphics{};
    LetterCellLook.BrushColor = RgbColor(0xFFFFFF);
    BlankCellLook = TKletkaGraphics{};
    BlankCellLook.NoPaint = true;
    KeyWordCellLook = TKletkaGraphics{};
    KeyWordCellLook.NoPaint = true;
    KeyWordCellLook.BrushColor = RgbColor(0xFFFFFF);
    KeyWordCellLook.PenColor = RgbColor(0x0000FF);

    DigitLook = TDigitGraphics{};
    DigitLook.FontColor = RgbColor(0x0000FF);
    DigitLook.FontName = "Arial Cyr";
    DigitLook.FontSize = 14;
    DigitLook.DX = 10;
    DigitLook.DY = 10;
    KeyWordDigitLook = DigitLook;
    KeyWordDigitLook.FontSize = 10;
    KeyWordDigitLook.AlignX = 1;
    KeyWordDigitLook.AlignY = 1;

    ArrowLook = TStrelkaGraphics{};
    ArrowLook.Show = true;
    ArrowLook.Color = RgbColor(0xFF0000);
    ArrowLook.Width = 5;
    ArrowLook.Len1 = 40;
    ArrowLook.Len2 = 30;
    ArrowLook.Len3 = 15;
    ArrowLook.Len4 = 7;
    ArrowLook.Angle = 30;
    ArrowLook.PenInsetInside = true;

    WideOutline = TWideOutline{};
    WideOutline.Color = RgbColor(0xC0C0C0);
    WideOutline.Width = 20;
    WideOutline.OutlineOnly = true;
}

bool TShablon::ReadTemplateHeader(const std::string& fileName, TShablonHeader& header) {
    header = TShablonHeader{};
    std::string text;
    return ReadFileText(fileName, text, HeaderReadLimit) && ParseTemplateHeader(text, header);
}

bool TShablon::ParseTemplateHeader(std::string_view text, TShablonHeader& header) {
    header = TShablonHeader{};
    if (!text.starts_with(Prefix) || text.size() <= Prefix.size() + 3) return false;
    header.Kind = SmallNumberOf(text[Prefix.size()]);
    header.Width = SmallNumberOf(text[Prefix.size() + 1]);
    header.Height = SmallNumberOf(text[Prefix.size() + 2]);
    return header.Width <= MaxSide && header.Height <= MaxSide;
}

void TShablon::ClearRect(int x0, int y0, int x1, int y1, bool letter) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, Width - 1);
    y1 = std::min(y1, Height - 1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            Cells[Index(x, y)] = TShablonCell{};
            SetLetterCell(x, y, letter);
        }
}

int TShablon::GetNumber(int x, int y) const {
    return IsNumbered(x, y) ? Cells[Index(x, y)].Number : 0;
}

void TShablon::SetNumber(int x, int y, int n) {
    SetNumbered(x, y, true);
    if (InArray(x, y)) Cells[Index(x, y)].Number = static_cast<uint16_t>(n);
}

void TShablon::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
}

bool TShablon::KeyWordCell(int n, int& x, int& y) const {
    if (n < 1 || KeyWordCells.size() < static_cast<std::size_t>(2 * n)) return false;
    x = static_cast<uint8_t>(KeyWordCells[2 * n - 2]);
    y = static_cast<uint8_t>(KeyWordCells[2 * n - 1]);
    return true;
}

void TShablon::SetWidth(int width) {
    width = ClampSide(width);
    if (width == Width) return;
    const int old = Width;
    Width = static_cast<uint8_t>(width);
    if (width > old) ClearRect(old, 0, width - 1, Height - 1, false);
}

void TShablon::SetHeight(int height) {
    height = ClampSide(height);
    if (height == Height) return;
    const int old = Height;
    Height = static_cast<uint8_t>(height);
    if (height > old) ClearRect(0, old, Width - 1, height - 1, false);
}

int TShablon::GetAttrC(int x, int y) const {
    return HasAttrC(x, y) ? static_cast<int>(Cells[Index(x, y)].Attr >> 16) : 0;
}

int TShablon::GetAttrA(int x, int y) const {
    return HasAttrA(x, y) ? static_cast<int>(Cells[Index(x, y)].Attr & 0xFF) : 0;
}

int TShablon::GetAttrB(int x, int y) const {
    return HasAttrB(x, y) ? static_cast<int>(Cells[Index(x, y)].Attr & 0xFFFF) : 0;
}

int TShablon::GetAttrD(int x, int y) const {
    return HasAttrD(x, y) ? static_cast<int>(Cells[Index(x, y)].Attr >> 8) : 0;
}

void TShablon::SetLetterCellOnly(int x, int y, bool on) {
    if (IsOutside(x, y)) return;
    SetFlag(x, y, CellFlag::Letter, on);
}

void TShablon::SetLetterCell(int x, int y, bool on) {
    SetLetterCellOnly(x, y, on);
    if (!SymmetryOn()) return;
    if (MirrorX.Enabled) SetLetterCellOnly(MirrorX.MirrorOf(x), y, on);
    if (MirrorY.Enabled) SetLetterCellOnly(x, MirrorY.MirrorOf(y), on);
    if (MirrorX.Enabled && MirrorY.Enabled) SetLetterCellOnly(MirrorX.MirrorOf(x), MirrorY.MirrorOf(y), on);
}

int TShablon::KeyWordNumberAt(int x, int y) const {
    for (std::size_t i = 0; i + 1 < KeyWordCells.size(); i += 2)
        if (static_cast<uint8_t>(KeyWordCells[i]) == x && static_cast<uint8_t>(KeyWordCells[i + 1]) == y)
            return BeginNumber + static_cast<int>(i / 2);
    return -1;
}

void TShablon::SetKeyWordCell(int x, int y, int number) {
    if (number <= 0) return;
    const int place = static_cast<uint8_t>(number - (BeginNumber & 0xFF) + 1);  // 1-based, modulo 256
    const std::size_t p = static_cast<std::size_t>(place) * 2;
    const char pair[2] = {static_cast<char>(static_cast<uint8_t>(x)), static_cast<char>(static_cast<uint8_t>(y))};
    if (KeyWordCells.size() < p)
        KeyWordCells.append(pair, 2);
    else
        KeyWordCells.insert(p >= 2 ? p - 2 : 0, pair, 2);
}

bool TShablon::LoadFromFile() {
    std::string text;
    if (!ReadFileText(FileName, text) || !text.starts_with(Prefix)) return false;
    return LoadFromText(std::string_view(text).substr(Prefix.size()));
}

std::string TShablon::FileText() const {
    return std::string(Prefix) + SerializeTemplate(0, 0, Width - 1, Height - 1);
}

bool TShablon::SaveToFile() {
    return WriteFileText(FileName, FileText());
}

void TShablon::GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const {
    minX = Width;
    minY = Height;
    endX = 0;
    endY = 0;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (!IsLetterCell(x, y) && !IsClueCell(x, y)) continue;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            endX = std::max(endX, x + 1);
            endY = std::max(endY, y + 1);
        }
    if (endX == 0) {
        minX = minY = 0;
        endX = endY = 1;
    }
}

void TShablon::ExportMove(int& dx, int& dy) const {
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    dx = -minX;
    dy = -minY;
}

void TShablon::CropToUsed() {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    ShiftCells(0, 0, Width - 1, Height - 1, -minX, -minY);
    SetSize(endX - minX, endY - minY);
}

void TShablon::ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, MaxSide - 1);
    y1 = std::min(y1, MaxSide - 1);
    if (dx < 0) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                if (x - dx > Width - 1)
                    SetLetterCell(x, y, false);
                else
                    Cells[Index(x, y)] = Cells[Index(x - dx, y)];
            }
    } else if (dx > 0) {
        for (int x = x1; x >= x0; --x)
            for (int y = y0; y <= y1; ++y) {
                if (x < dx)
                    SetLetterCell(x, y, false);
                else
                    Cells[Index(x, y)] = Cells[Index(x - dx, y)];
            }
    }
    if (dy < 0) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                if (y - dy > Height - 1)
                    SetLetterCell(x, y, false);
                else
                    Cells[Index(x, y)] = Cells[Index(x, y - dy)];
            }
    } else if (dy > 0) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y1; y >= y0; --y) {
                if (y < dy)
                    SetLetterCell(x, y, false);
                else
                    Cells[Index(x, y)] = Cells[Index(x, y - dy)];
            }
    }
    NumberCells();
}

std::string TShablon::TextHead(int x0, int y0, int x1, int y1) const {
    return {SmallNumberChar(static_cast<int>(Kind)), SmallNumberChar(x1 - x0 + 1), SmallNumberChar(y1 - y0 + 1)};
}

void TShablon::NumberWordStarts() {
    TShablonWords words;
    int counter = 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            SetNumbered(x, y, false);
            if (!IsLetterCell(x, y)) continue;
            WordsThroughCell(x, y, words);
            for (int i = 0; i < words.Count(); ++i)
                if (words.WordX(i) == x && words.WordY(i) == y) {
                    SetNumber(x, y, counter++);
                    break;
                }
        }
}

void TShablon::SetFlag(int x, int y, uint16_t flag, bool on) {
    if (!InArray(x, y)) return;
    uint16_t& flags = Cells[Index(x, y)].Flags;
    flags = on ? static_cast<uint16_t>(flags | flag) : static_cast<uint16_t>(flags & ~flag);
}
