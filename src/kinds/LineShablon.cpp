#include "LineShablon.h"

#include "FieldShablon.h"

#include "platform/ColorValue.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace {

constexpr uint32_t NonLetterFill = 0xC0C0C0;

}  // namespace

TLineShablon::TLineShablon(int width, int) : TShablon(width, Rows, TShablonKind::Line) {
    KeyWordAllowed = false;
    BlankCellLook.BrushColor = RgbColor(NonLetterFill);
    ClearRect(0, 0, Width - 1, Height - 1, true);
}

void TLineShablon::SetHeight(int) {
    TShablon::SetHeight(Rows);
}

void TLineShablon::SetLetterCell(int x, int, bool on) {
    const auto setColumn = [&](int column) {
        for (int y = 0; y < Rows; ++y) SetLetterCellOnly(column, y, on);
    };
    setColumn(x);
    if (SymmetryOn() && MirrorX.Enabled) setColumn(MirrorX.MirrorOf(x));
}

bool TLineShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() < 3) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    const TFieldHeader header{SmallNumberOf(text[0]), SmallNumberOf(text[1]), SmallNumberOf(text[2]), 3};
    if (!AcceptsFieldKind(header, {TShablonKind::Line, TShablonKind::Classic})) return false;
    if (text.size() < header.CellsAt + static_cast<std::size_t>(header.Width) * header.Height) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    return ParseFieldCells(*this, text, header, x0, y0);
}

std::string TLineShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    return SerializeFieldText(*this, x0, y0, x1, y1, {});
}

int TLineShablon::GetPixelHeight() const {
    return Rows * CellSize + PenWidth;
}

void TLineShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    ExportFieldCell(*this, x, y, x0, y0, list);
}

void TLineShablon::BuildExport(TComExport& list) {
    const TUpperRowOnly upper(*this);
    TShablon::BuildExport(list);
}

TUpperRowOnly::TUpperRowOnly(TShablon& shablon) : mShablon(shablon) {
    for (int x = 0; x < TShablon::MaxSide; ++x) {
        mLower.push_back(shablon.RawCell(x, 1));
        shablon.RawCell(x, 1) = TShablonCell{};
    }
}

TUpperRowOnly::~TUpperRowOnly() {
    for (int x = 0; x < TShablon::MaxSide; ++x) mShablon.RawCell(x, 1) = mLower[x];
}
