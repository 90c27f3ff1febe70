#include "FieldShablon.h"

#include "export/ComExport.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;

bool Malformed() {
    TheUi().Message("Неверный формат шаблона!"_cp);
    return false;
}

}  // namespace

bool AcceptsFieldKind(const TFieldHeader& header, std::initializer_list<TShablonKind> accepted) {
    for (const TShablonKind kind : accepted)
        if (header.Kind == static_cast<int>(kind)) return true;
    TheUi().Message("Несовместимый тип шаблона!"_cp);
    return false;
}

bool ParseFieldCells(TShablon& shablon, std::string_view text, const TFieldHeader& header, int x0, int y0) {
    shablon.ClearRect(x0, y0, x0 + header.Width - 1, y0 + header.Height - 1, false);
    std::size_t p = header.CellsAt;
    for (int x = x0; x < x0 + header.Width; ++x)
        for (int y = y0; y < y0 + header.Height; ++y, ++p) {
            if (p >= text.size()) return Malformed();
            if (!shablon.IsOutside(x, y)) shablon.SetLetterCell(x, y, text[p] == LetterCellByte);
        }
    return true;
}

bool ParseFieldText(TShablon& shablon, std::string_view text, int x0, int y0,
                    std::initializer_list<TShablonKind> accepted) {
    if (text.size() < 3) return Malformed();
    const TFieldHeader header{SmallNumberOf(text[0]), SmallNumberOf(text[1]), SmallNumberOf(text[2]), 3};
    return AcceptsFieldKind(header, accepted) && ParseFieldCells(shablon, text, header, x0, y0);
}

std::string SerializeFieldText(const TShablon& shablon, int x0, int y0, int x1, int y1, std::string_view afterHeader) {
    std::string text;
    text += SmallNumberChar(static_cast<int>(shablon.Kind));
    text += SmallNumberChar(x1 - x0 + 1);
    text += SmallNumberChar(y1 - y0 + 1);
    text += afterHeader;
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) text += shablon.IsLetterCell(x, y) ? LetterCellByte : OtherCellByte;
    return text;
}

void ExportFieldCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list) {
    if (shablon.IsOutside(x, y)) return;
    int ex = 0, ey = 0;
    shablon.CellToExport(x - x0, y - y0, ex, ey);
    if (shablon.IsLetterCell(x, y))
        list.AddCell(ex, ey, false, CellKind::Letter);
    else if (shablon.BlankCellLook.ShowOutside || shablon.IsInnerBlank(x, y))
        list.AddCell(ex, ey, false, CellKind::Other);
}

TFieldShablon::TFieldShablon(int width, int height, TShablonKind kind) : TShablon(width, height, kind) {
    KeyWordAllowed = false;
    ClearRect(0, 0, Width - 1, Height - 1, true);
}

void TFieldShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    ExportFieldCell(*this, x, y, x0, y0, list);
}

bool TFieldShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    return ParseFieldText(*this, text, x0, y0, {Kind, TShablonKind::Classic});
}

std::string TFieldShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    return SerializeFieldText(*this, x0, y0, x1, y1, {});
}
