// The scanword's clues in the grid: which clue area serves a slot, the clue order and numbers,
// the choice of definitions that fit their areas, the clue items of the export and the arrow
// pictures that travel with the crossword.

#include "ClueBoxes.h"
#include "Skanword.h"
#include "SkanwordShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Text.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

constexpr int64_t ExportUnits = 1000;
constexpr std::string_view PoleStyle = "CHAR_POLE";
constexpr std::string_view CluesCaption = "Экспорт в формате CDR. Определения..."_cp;
// The arrow pictures a crossword carries: one per code of each direction.
constexpr int ArrowCodes = 7;

std::vector<std::string> ArrowPictureNames() {
    std::vector<std::string> names;
    for (const char* direction : {"STRELKA_H_", "STRELKA_V_"})
        for (int code = 1; code <= ArrowCodes; ++code) names.push_back(direction + std::to_string(code));
    return names;
}

// Slot indices by their clue-map tags.
std::unordered_map<std::string, int> SlotsByTag(const TCrossword& crossword) {
    std::unordered_map<std::string, int> slots;
    const TCrosswordWords& words = crossword.Words;
    for (int slot = 0; slot < words.Count(); ++slot)
        slots.emplace(ClueWordTag(words.WordX(slot), words.WordY(slot), words.WordPath(slot)), slot);
    return slots;
}

int SlotOfTag(const std::unordered_map<std::string, int>& slots, const std::string& tag) {
    const auto found = slots.find(tag);
    return found == slots.end() ? -1 : found->second;
}

// The clue block keyed at a clue cell; none: the cell alone.
TClueBlock ClueBlockAt(const TCoordList& blocks, int x, int y) {
    const int i = blocks.IndexOfCell(x, y);
    if (i >= 0)
        for (const std::string& tag : blocks.Tags(i)) {
            const TClueBlock block = ClueBlockOf(tag);
            if (!block.Empty) return block;
        }
    return TClueBlock{x, y, 1, 1, false};
}

TClueContent PictureClue(const TCrossword& crossword, std::string name) {
    TClueContent clue;
    clue.Text = std::move(name);
    clue.Picture = true;
    clue.Format = crossword.OprFormat;
    return clue;
}

}  // namespace

// ---- where a clue stands ----

const TSkanword::TClueLayout& TSkanword::ClueLayout() const {
    auto* shablon = dynamic_cast<TSkanwordShablon*>(Template.get());
    std::string key = Template->SerializeTemplate(0, 0, Template->Width - 1, Template->Height - 1);
    key += Template->CanUnite ? '1' : '0';
    if (key == mClueLayout.Key) return mClueLayout;
    mClueLayout.Key = std::move(key);
    mClueLayout.Map.Clear();
    mClueLayout.Blocks.Clear();
    if (!shablon) return mClueLayout;
    shablon->NumberCells();
    shablon->ClueCellWords(mClueLayout.Map);
    // The blocks end where the picture does, as the template's export unites them: free cells
    // beyond the used area are never drawn.
    int x0 = 0, y0 = 0, endX = 1, endY = 1;
    shablon->GetUsedBounds(x0, y0, endX, endY);
    shablon->UniteClueCells(x0, y0, mClueLayout.Blocks, mClueLayout.Map, endY, endX);
    // The blocks flagged their cells as clue cells; the template goes back to its own flags.
    shablon->NumberCells();
    return mClueLayout;
}

TSkanword::TClueArea TSkanword::ClueAreaOfSlot(int slot) const {
    TClueArea area;
    const auto* shablon = dynamic_cast<const TSkanwordShablon*>(Template.get());
    if (!shablon || slot < 0 || slot >= Words.Count()) return area;
    const TClueLayout& layout = ClueLayout();
    const int x = Words.WordX(slot), y = Words.WordY(slot);
    const std::string_view path = Words.WordPath(slot);
    const int i = shablon->FindClueCell(layout.Map, x, y, path);
    if (i < 0) return area;
    area.X = layout.Map.X(i);
    area.Y = layout.Map.Y(i);
    const std::vector<std::string>& tags = layout.Map.Tags(i);
    area.WordsInCell = static_cast<int>(tags.size());
    area.Place = static_cast<int>(std::find(tags.begin(), tags.end(), ClueWordTag(x, y, path)) - tags.begin());
    const TClueBlock block = ClueBlockAt(layout.Blocks, area.X, area.Y);
    area.Width = block.Width;
    area.Height = block.Height;
    return area;
}

bool TSkanword::ClueAreaOfSlot(int slot, int& width, int& height, int& wordsInCell) const {
    const TClueArea area = ClueAreaOfSlot(slot);
    width = area.Width;
    height = area.Height;
    wordsInCell = area.WordsInCell;
    return area.X >= 0;
}

// ---- order and numbers ----

std::vector<int> TSkanword::OrderedWords(int mode) const {
    if (mode != 0) return TCrossword::OrderedWords(mode);
    const TClueLayout& layout = ClueLayout();
    std::vector<int> cells;
    for (int i = 0; i < layout.Map.Count(); ++i)
        if (!Template->IsLetterCell(layout.Map.X(i), layout.Map.Y(i))) cells.push_back(i);
    std::stable_sort(cells.begin(), cells.end(), [&](int l, int r) {
        return std::pair(layout.Map.Y(l), layout.Map.X(l)) < std::pair(layout.Map.Y(r), layout.Map.X(r));
    });
    const auto slots = SlotsByTag(*this);
    std::vector<int> order;
    for (const int i : cells)
        for (const std::string& tag : layout.Map.Tags(i)) {
            const int slot = SlotOfTag(slots, tag);
            if (slot >= 0) order.push_back(slot);
        }
    return order;
}

std::string TSkanword::BuildClueText(const TClueListOptions& options) const {
    TClueListOptions numbered = options;
    numbered.SlotNumbers = ClueNumbers(*this);
    return TCrossword::BuildClueText(numbered);
}

std::string TSkanword::BuildCluePages(const TClueListOptions& options, bool withAnswers) const {
    TClueListOptions numbered = options;
    numbered.SlotNumbers = ClueNumbers(*this);
    return TCrossword::BuildCluePages(numbered, withAnswers);
}

bool TSkanword::PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                               const TDefinitionChoice& choice) const {
    if (!choice.CheckFits || choice.Slot < 0 || choice.Slot >= Words.Count())
        return TCrossword::PickDefinition(applyCase, definitions, text, choice);
    const TClueArea area = ClueAreaOfSlot(choice.Slot);
    // A cell of two words gives each the upper half of its own.
    const int64_t cellWidth = Template->GetCellPixelWidth(), cellHeight = Template->GetCellPixelHeight();
    const std::string fitting = FittingDefinitionsInBox(
        *this, definitions, cellWidth * area.Width, area.WordsInCell == 2 ? cellHeight / 2 : cellHeight * area.Height,
        choice.MinFontSize);
    return TCrossword::PickDefinition(applyCase, fitting, text, choice);
}

// ---- export ----

void TSkanword::ExportCrosswordScript(TComExport& list, int mode) {
    TCrossword::ExportCrosswordScript(list, mode);
    if (OprText.NoPaint || !Template->ExportFits()) return;
    int x0 = 0, y0 = 0, endX = 1, endY = 1;
    Template->GetUsedBounds(x0, y0, endX, endY);
    list.AddCaption(CluesCaption);
    ExportClueAreas(list, x0, y0, endX, endY, -x0, -y0);
}

void TSkanword::ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) {
    TCrossword::ExportCellsScript(list, blocks);
    if (OprText.NoPaint || !Template->ExportFits()) return;
    int x0 = 0, y0 = 0, endX = 1, endY = 1;
    Template->GetUsedBounds(x0, y0, endX, endY);
    list.AddCaption(CluesCaption);
    for (const TCellBlock& block : PlacedBlocks(blocks))
        ExportClueAreas(list, block.X, block.Y, std::min<int>(block.X + block.Width, Width),
                        std::min<int>(block.Y + block.Height, Height), block.DX - x0, block.DY - y0);
}

void TSkanword::ExportClueAreas(TComExport& list, int x0, int y0, int x1, int y1, int dx, int dy) {
    const TClueLayout& layout = ClueLayout();
    const TShablon& t = *Template;
    const std::vector<int> numbers = ClueNumbers(*this);
    const auto slots = SlotsByTag(*this);
    const int64_t cellWidth = int64_t{t.GetCellPixelWidth()} * ExportUnits;
    const int64_t cellHeight = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    const auto meets = [&](const TClueBlock& b) { return b.X < x1 && b.X + b.Width > x0 && b.Y < y1 && b.Y + b.Height > y0; };
    // A box of cells: whole when the area holds it, else the part the area shows.
    const auto place = [&](const TClueBlock& b, const TClueContent& clue) {
        if (b.X >= x0 && b.Y >= y0 && b.X + b.Width <= x1 && b.Y + b.Height <= y1) {
            int ex = 0, ey = 0;
            t.CellToExport(b.X + dx, b.Y + dy, ex, ey);
            AddClueItem(list, *this, TClueBox{ex, ey, cellWidth * b.Width, cellHeight * b.Height}, clue);
            return;
        }
        const int left = std::max(b.X, x0), top = std::max(b.Y, y0);
        const int right = std::min(b.X + b.Width, x1), bottom = std::min(b.Y + b.Height, y1);
        int ex = 0, ey = 0;
        t.CellToExport(left + dx, top + dy, ex, ey);
        AddFramedClueItem(list, *this,
                          TClueFrame{ex, ey, b.Width, b.Height,
                                     TItemRect{left - b.X, top - b.Y, right - 1 - b.X, bottom - 1 - b.Y}},
                          clue);
    };
    const auto clueOf = [&](const std::string& tag) {
        const int slot = SlotOfTag(slots, tag);
        return slot >= 0 ? SlotClue(*this, slot, numbers[slot]) : TClueContent{};
    };

    for (int i = 0; i < layout.Map.Count(); ++i) {
        const int x = layout.Map.X(i), y = layout.Map.Y(i);
        const std::vector<std::string>& tags = layout.Map.Tags(i);
        if (tags.size() == 1) {
            const TClueBlock block = t.CanUnite ? ClueBlockAt(layout.Blocks, x, y) : TClueBlock{x, y, 1, 1, false};
            if (meets(block)) place(block, clueOf(tags[0]));
        } else if (tags.size() == 2 && meets(TClueBlock{x, y, 1, 1, false})) {
            // One clue above the other, parted by a line across the cell.
            int ex = 0, ey = 0;
            t.CellToExport(x + dx, y + dy, ex, ey);
            const int64_t half = cellHeight / 2;
            AddClueItem(list, *this, TClueBox{ex, ey, cellWidth, half}, clueOf(tags[0]));
            AddClueItem(list, *this, TClueBox{ex, ey - half, cellWidth, cellHeight - half}, clueOf(tags[1]));
            list.AddLine(ex, ToEditorRange(ey - half), ToEditorRange(ex + cellWidth), ToEditorRange(ey - half), PoleStyle);
        }
    }

    const std::vector<std::string> names = EmptyBoxPictures(*this);
    if (names.empty()) return;
    if (!t.CanUnite) {
        Template->MarkInnerBlanks();
        for (int x = x0; x < x1; ++x)
            for (int y = y0; y < y1; ++y)
                if (!t.IsLetterCell(x, y) && layout.Map.IndexOfCell(x, y) < 0 &&
                    (t.IsInnerBlank(x, y) || t.BlankCellLook.ShowOutside))
                    place(TClueBlock{x, y, 1, 1, true}, PictureClue(*this, names[0]));
        return;
    }
    // Definitions whose link names a block's top-left cell cover that block.
    std::vector<TDefinitionMarkup> links;
    for (int slot = 0; slot < Words.Count(); ++slot) {
        if (!Words.SlotFilled(slot) || !Words.SlotHasDefinition(slot)) continue;
        TDefinitionMarkup markup = FormatDefinition(Words.SlotDefinition(slot), true);
        if (markup.Link.Link) links.push_back(std::move(markup));
    }
    std::size_t next = 0;
    for (int i = 0; i < layout.Blocks.Count(); ++i)
        for (const std::string& tag : layout.Blocks.Tags(i)) {
            const TClueBlock block = ClueBlockOf(tag);
            if (!block.Empty || !meets(block)) continue;
            const auto linked = std::find_if(links.begin(), links.end(), [&](const TDefinitionMarkup& m) {
                return m.Link.Number1 == block.X && m.Link.Number2 == block.Y;
            });
            if (linked != links.end()) {
                if (linked->Picture) place(block, PictureClue(*this, linked->Text));
                if (linked->Link.Text2.empty()) continue;
                const int mode = linked->Link.Mode;
                const int cx = block.X + (mode == 1 || mode == 3 ? block.Width - 1 : 0);
                const int cy = block.Y + (mode >= 2 ? block.Height - 1 : 0);
                place(TClueBlock{cx, cy, 1, 1, true}, PictureClue(*this, linked->Link.Text2));
                continue;
            }
            const bool single = (block.Width == 1 && block.Height == 1) || names.size() == 1;
            place(block, PictureClue(*this, single ? names[0] : names[1 + next++ % (names.size() - 1)]));
        }
}

void TSkanword::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineClueStyle(writer, *this);
}

// ---- arrow pictures ----

void TSkanword::RegisterPictures() {
    if (Template->ArrowPictures.Count() == 0) Template->LoadArrowPictures();
    for (const std::string& name : ArrowPictureNames()) {
        const int arrow = Template->ArrowPictures.IndexOfName(name);
        if (arrow < 0) continue;
        const int old = Template->Pictures.IndexOfName(name);
        if (old >= 0) Template->Pictures.Delete(old);
        Template->Pictures.AddGraphic(name, Template->ArrowPictures.Picture(arrow));
    }
    TCrossword::RegisterPictures();
}

void TSkanword::ListPictures(std::vector<std::string>& list) const {
    TCrossword::ListPictures(list);
    for (std::string& name : ArrowPictureNames()) list.push_back(std::move(name));
}

void TSkanword::LoadPictures(std::string_view collectionText) {
    TCrossword::LoadPictures(collectionText);
    Template->ArrowLook.FileName = "saved";
    Template->LoadArrowPictures();
}
