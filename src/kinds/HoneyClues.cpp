// The honeycomb's clues: each numbered centre shows its ring word's clue between the vertical
// sides of its cell, clear of its number, the other blanks the empty-cell picture.

#include "ClueBoxes.h"
#include "Honey.h"

#include "export/ComExport.h"
#include "platform/Text.h"

#include <cmath>

namespace {

constexpr int64_t ExportUnits = 1000;
constexpr double UnitsPerPoint = 3.58;

// The band of a centre's box that its clue number takes, export units: the number's height and
// its distance from the cell side, at the top or the bottom as the digits are aligned (none for
// hidden or middle-aligned digits, which the clue text then shares its box with).
int64_t NumberBand(const TShablon& t) {
    const TDigitGraphics& look = t.DigitLook;
    if (look.Hidden || look.AlignY == 2) return 0;
    return int64_t{t.Scale} * (std::llround(look.FontSize * UnitsPerPoint) + look.DY) * ExportUnits;
}

}  // namespace

void TBaseHoney::ExportCrosswordScript(TComExport& list, int mode) {
    TCrossword::ExportCrosswordScript(list, mode);
    if (OprText.NoPaint || !Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Определения..."_cp);
    const TBaseHoneyShablon& honey = Honey();
    // The template exports its grid cropped to the used cells; the clues go where it put them.
    int minX = 0, minY = 0, endX = 1, endY = 1, dx = 0, dy = 0;
    honey.GetUsedBounds(minX, minY, endX, endY);
    honey.ExportMove(dx, dy);
    const int64_t width = int64_t{honey.GetCellPixelWidth()} * ExportUnits;
    const int64_t height = int64_t{honey.GetCellPixelHeight()} * ExportUnits;
    const auto box = [&](int x, int y) {
        const auto [cx, cy] = honey.MovedCell(x, y, dx, dy);
        int ex = 0, ey = 0;
        honey.CellToExport(cx, cy, ex, ey);
        return TClueBox{ex, ey, width, height};
    };
    // A centre's clue keeps clear of its number.
    const int64_t band = NumberBand(honey);
    const int64_t bandAbove = honey.DigitLook.AlignY == 0 ? band : 0;
    const std::vector<std::pair<int, int>> centres = Centres();
    for (int slot = 0; slot < Words.Count() && slot < static_cast<int>(centres.size()); ++slot) {
        const auto [x, y] = centres[slot];
        TClueBox clueBox = box(x, y);
        clueBox.Y -= bandAbove;
        clueBox.Height -= band;
        AddClueItem(list, *this, clueBox, SlotClue(*this, slot, honey.GetNumber(x, y)));
    }
    const TClueContent picture = EmptyBoxPicture(*this);
    if (picture.Text.empty()) return;
    for (int y = minY; y < endY; ++y)
        for (int x = minX; x < endX; ++x)
            if (!honey.IsLetterCell(x, y) && !honey.HasMarkE(x, y) &&
                (honey.IsInnerBlank(x, y) || honey.BlankCellLook.ShowOutside))
                AddClueItem(list, *this, box(x, y), picture);
}

void TBaseHoney::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineClueStyle(writer, *this);
}

bool TBaseHoney::PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                                const TDefinitionChoice& choice) const {
    if (!choice.CheckFits || choice.Slot < 0 || choice.Slot >= Words.Count())
        return TCrossword::PickDefinition(applyCase, definitions, text, choice);
    const std::string fitting =
        FittingDefinitionsInBox(*this, definitions, Template->GetCellPixelWidth(),
                                Template->GetCellPixelHeight() - NumberBand(*Template) / ExportUnits, choice.MinFontSize);
    return TCrossword::PickDefinition(applyCase, fitting, text, choice);
}
