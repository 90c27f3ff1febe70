#include "KinderShablon.h"

#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/ClassicShablon.h"
#include "template/ShablonWords.h"

namespace {

constexpr char OtherCellByte = 0x02;
constexpr char KeptLetterByte = 0x03;
constexpr char LetterCellByte = 0x01;
constexpr std::size_t CellsAt = 4;

bool Malformed() {
    TheUi().Message("Неверный формат шаблона!"_cp);
    return false;
}

}  // namespace

TKinderShablon::TKinderShablon(int width, int height) : TShablon(width, height, TShablonKind::Kinder) {
    ClearRect(0, 0, Width - 1, Height - 1, true);
    KeyWordCellLook.NoPaint = false;
    ShowKeyWordTable = false;
    UsesDigits = true;
    UsesWalls = false;
    UsesArrows = false;
}

bool TKinderShablon::IsLetterCell(int x, int y) const {
    return TShablon::IsLetterCell(x, y) && (!MarkedOnly || HasMarkE(x, y));
}

void TKinderShablon::SetMarkE(int x, int y, bool on) {
    if (!IsOutside(x, y)) SetFlag(x, y, CellFlag::MarkE, on);
}

void TKinderShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    ExportSquareCell(*this, x, y, x0, y0, list);
}

void TKinderShablon::WordsThroughCell(int, int, TShablonWords& words) const {
    words.Clear();
}

bool TKinderShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() < 3) return Malformed();
    if (SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Kinder)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    if (text.size() < CellsAt) return Malformed();
    const int w = SmallNumberOf(text[1]), h = SmallNumberOf(text[2]), orientation = SmallNumberOf(text[3]);
    if (orientation != 0 && orientation != 1) return Malformed();
    Orientation = static_cast<uint8_t>(orientation);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = CellsAt;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y, ++p) {
            if (p >= text.size()) return Malformed();
            if (IsOutside(x, y)) continue;
            SetLetterCell(x, y, text[p] != OtherCellByte);
            SetFlag(x, y, KeptFlag, text[p] == KeptLetterByte);
        }
    return true;
}

std::string TKinderShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TextHead(x0, y0, x1, y1);
    text += SmallNumberChar(Orientation);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (!TShablon::IsLetterCell(x, y))
                text += OtherCellByte;
            else
                text += HasFlag(x, y, KeptFlag) ? KeptLetterByte : LetterCellByte;
        }
    return text;
}

void TKinderShablon::LineCell(int line, int i, int& x, int& y) const {
    x = Orientation == 0 ? line : i;
    y = Orientation == 0 ? i : line;
}

void TKinderShablon::NumberCells() {
    int number = 1;
    for (int line = 0; line < LineCount(); ++line) {
        bool numbered = false;
        for (int i = 0; i < LineLength(); ++i) {
            int x = 0, y = 0;
            LineCell(line, i, x, y);
            if (!IsNumbered(x, y)) continue;
            if (numbered) {
                SetNumbered(x, y, false);
            } else {
                SetNumber(x, y, number++);
                numbered = true;
            }
        }
    }
}
