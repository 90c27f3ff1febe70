// The American crossword's clues: the strips of clue boxes left of every row and above every
// column, their place in the picture, and the choice of definitions that fit one box.

#include "ClueBoxes.h"
#include "EstonishCrossword.h"
#include "EstonishShablon.h"

#include "export/ComExport.h"
#include "platform/Metafile.h"
#include "platform/Text.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t ExportUnits = 1000;
// The box every alternative is laid out in by the fit test, drawing units.
constexpr int FitBoxSide = 100;

}  // namespace

bool TAmerican::PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                               const TDefinitionChoice& choice) const {
    if (!choice.CheckFits) return TCrossword::PickDefinition(applyCase, definitions, text, choice);
    const std::string fitting = FittingDefinitions(*this, definitions, FitBoxSide, FitBoxSide, choice.MinFontSize);
    return TCrossword::PickDefinition(applyCase, fitting, text, choice);
}

std::vector<TAmerican::TClueBoxPlace> TAmerican::ClueBoxPlaces() const {
    const auto* american = dynamic_cast<const TAmericanShablon*>(Template.get());
    const int rowStrip = american ? american->MaxWordsPerRow : 0;
    const int columnStrip = american ? american->MaxWordsPerColumn : 0;
    // The across (down) slot starting at each cell, [x * Height + y].
    std::vector<int> across(Width * Height, -1), down(Width * Height, -1);
    for (int slot = 0; slot < Words.Count(); ++slot) {
        const int x = Words.WordX(slot), y = Words.WordY(slot);
        const std::string_view path = Words.WordPath(slot);
        if (x >= Width || y >= Height || path.empty()) continue;
        if (path[0] == '6') across[x * Height + y] = slot;
        if (path[0] == '2') down[x * Height + y] = slot;
    }
    std::vector<TClueBoxPlace> places;
    for (int y = 0; y < Height; ++y) {
        int k = 0;
        for (int x = Width - 1; x >= 0; --x) {
            const int slot = across[x * Height + y];
            if (slot >= 0 && Template->IsLetterCell(x, y)) places.push_back({-++k, y, slot});
        }
        while (k < rowStrip) places.push_back({-++k, y, -1});
    }
    for (int x = 0; x < Width; ++x) {
        int k = 0;
        for (int y = Height - 1; y >= 0; --y) {
            const int slot = down[x * Height + y];
            if (slot >= 0 && Template->IsLetterCell(x, y)) places.push_back({x, -++k, slot});
        }
        while (k < columnStrip) places.push_back({x, -++k, -1});
    }
    return places;
}

void TAmerican::ExportCrosswordScript(TComExport& list, int mode) {
    TCrossword::ExportCrosswordScript(list, mode);
    if (OprText.NoPaint || !Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Американский..."_cp);
    const TShablon& t = *Template;
    int x0 = 0, y0 = 0, endX = 1, endY = 1;
    t.GetUsedBounds(x0, y0, endX, endY);
    const std::vector<int> numbers = ClueNumbers(*this);
    const TClueContent emptyPicture = EmptyBoxPicture(*this);
    const int64_t cellWidth = int64_t{t.GetCellPixelWidth()} * ExportUnits;
    const int64_t cellHeight = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    for (const TClueBoxPlace& place : ClueBoxPlaces()) {
        // A strip box lies left of (above) the used area's first column (row).
        const int x = place.X < 0 ? place.X : place.X - x0;
        const int y = place.Y < 0 ? place.Y : place.Y - y0;
        int ex = 0, ey = 0;
        t.CellToExport(x, y, ex, ey);
        list.AddCell(ex, ey, false, CellKind::Other);
        TClueContent clue;
        if (place.Slot >= 0) clue = SlotClue(*this, place.Slot, numbers[place.Slot]);
        AddClueItem(list, *this, TClueBox{ex, ey, cellWidth, cellHeight}, clue.Text.empty() ? emptyPicture : clue);
    }
}

void TAmerican::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineClueStyle(writer, *this);
}

void TAmerican::DrawToMetafile(TMetafile& metafile, int mode) {
    TShablon& shablon = *Template;
    shablon.BeginDrawing();
    metafile.Clear();
    metafile.SetSize(0, 0);
    if (!shablon.ExportFits()) return;
    const auto* american = dynamic_cast<const TAmericanShablon*>(Template.get());
    const int64_t rowStrip = american ? american->MaxWordsPerRow : 0;
    const int64_t columnStrip = american ? american->MaxWordsPerColumn : 0;
    const int64_t cellWidth = shablon.GetCellPixelWidth(), cellHeight = shablon.GetCellPixelHeight();
    int64_t width = int64_t{shablon.Scale} * shablon.GetPixelWidth() + rowStrip * cellWidth;
    int64_t height = int64_t{shablon.Scale} * shablon.GetPixelHeight() + columnStrip * cellHeight;
    if (mode == 2) height += (2 * (LetterCounts.Count() / std::max<int>(Width, 1) + 1) + 1) * cellHeight;
    const int64_t dx = rowStrip * cellWidth * ExportUnits, dy = -columnStrip * cellHeight * ExportUnits;
    constexpr int64_t most = std::numeric_limits<int32_t>::max();
    if (width > most || height > most || dx > most || -dy > most) return;
    TComExport list;
    BuildModeExport(list, mode);
    list.ShiftItems(static_cast<int32_t>(dx), static_cast<int32_t>(dy));
    metafile.SetSize(static_cast<int>(width), static_cast<int>(height));
    DrawItemsToMetafile(list, metafile);
}
