#include "ClassicShablon.h"

#include "export/ComExport.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;

}  // namespace

TClassicShablon::TClassicShablon(int width, int height, TShablonKind kind) : TShablon(width, height, kind) {
    UsesDigits = true;
}

void TClassicShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (!IsLetterCell(x, y)) return;

    int start = x;
    while (start > 0 && IsLetterCell(start - 1, y)) --start;
    int length = 1;
    while (start + length < Width && IsLetterCell(start + length, y)) ++length;
    if (length > 1) words.AddWord(start, y, length, std::string(length - 1, '6'));

    start = y;
    while (start > 0 && IsLetterCell(x, start - 1)) --start;
    length = 1;
    while (start + length < Height && IsLetterCell(x, start + length)) ++length;
    if (length > 1) words.AddWord(x, start, length, std::string(length - 1, '2'));
}

bool TClassicShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() < 3) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    const int kind = SmallNumberOf(text[0]);
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    if (kind != static_cast<int>(TShablonKind::Classic)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = 3;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y, ++p) {
            if (p >= text.size()) {
                TheUi().Message("Неверный формат шаблона!"_cp);
                return false;
            }
            if (x < Width && y < Height) SetLetterCell(x, y, text[p] == LetterCellByte);
        }
    return true;
}

std::string TClassicShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TextHead(x0, y0, x1, y1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) text += IsLetterCell(x, y) ? LetterCellByte : OtherCellByte;
    return text;
}

void TClassicShablon::NumberCells() {
    NumberWordStarts();
}

void TClassicShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    ExportSquareCell(*this, x, y, x0, y0, list);
}

void ExportSquareCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list) {
    if (shablon.IsOutside(x, y)) return;
    int ex = 0, ey = 0;
    shablon.CellToExport(x - x0, y - y0, ex, ey);
    if (shablon.IsLetterCell(x, y)) {
        if (shablon.KeyWordCellLook.NoPaint || shablon.KeyWordNumberAt(x, y) < 0)
            list.AddCell(ex, ey, false, CellKind::Letter);
        else
            list.AddKeyWordNumber(ex, ey, x, y);
        if (shablon.IsNumbered(x, y)) list.AddNumber(ex, ey, shablon.GetNumber(x, y));
    } else if (shablon.BlankCellLook.ShowOutside || shablon.IsInnerBlank(x, y)) {
        list.AddCell(ex, ey, false, CellKind::Other);
    }
}
