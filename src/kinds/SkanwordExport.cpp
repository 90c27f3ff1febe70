// The scanword templates' export: united clue blocks and the clue arrows, for the whole picture
// and for the shuffled word blocks.

#include "SkanwordShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/Coord.h"
#include "template/UsedArea.h"

#include <algorithm>
#include <exception>

namespace {

constexpr int64_t ExportUnits = 1000;

// The arrow of one word of the clue map, as its first cell holds it.
struct TWordArrow {
    int X = 0;
    int Y = 0;
    bool Vertical = false;
    int Code = 0;  // 1..7; 0 when the first cell carries no outside arrow of the word's direction

    int Bits() const { return Vertical ? Code : Code << 3; }
};

TWordArrow ArrowOf(const TShablon& shablon, std::string_view tag) {
    TWordArrow arrow;
    if (tag.size() < 3) return arrow;
    arrow.X = static_cast<uint8_t>(tag[0]);
    arrow.Y = static_cast<uint8_t>(tag[1]);
    arrow.Vertical = tag[2] == '2';
    if (shablon.IsOutside(arrow.X, arrow.Y) || !shablon.HasAttrB(arrow.X, arrow.Y)) return arrow;
    const int bits = shablon.GetAttrB(arrow.X, arrow.Y);
    if (arrow.Vertical)
        arrow.Code = bits & 0x40 ? 0 : bits & 7;
    else if (tag[2] == '6')
        arrow.Code = bits & 0x80 ? 0 : bits >> 3 & 7;
    return arrow;
}

// Whether the arrow stands at the middle of a cell side.
bool AtSide(const TWordArrow& a) {
    return a.Vertical ? a.Code == 3 || a.Code == 6 : a.Code == 3;
}

// Whether the word of the arrow starts above its clue cell's row.
bool StartsAbove(const TWordArrow& a) {
    return a.Vertical ? a.Code == 4 || a.Code == 5 : a.Code >= 4 && a.Code <= 6;
}

// The quarter cells arrow a moves up (1) or down (-1) when it shares its clue cell with b, so
// that it faces its own half of the cell. splitSides: the two side arrows of a clue cell between
// two down words part, the one on the cell's right (code 3) going down.
int PairMove(const TWordArrow& a, const TWordArrow& b, bool splitSides) {
    if (splitSides && a.Vertical && b.Vertical) {
        if (a.Code == 3 && b.Code == 6) return -1;
        if (a.Code == 6 && b.Code == 3) return 1;
    }
    if (!AtSide(a)) return 0;
    return StartsAbove(b) ? -1 : 1;
}

bool InBlock(const TCellBlock& block, int x, int y) {
    return x >= block.X && x < block.X + block.Width && y >= block.Y && y < block.Y + block.Height;
}

// Runs one pass of arrow items; a failure shows the message and ends the pass.
template <class TPass>
void ArrowPass(TPass&& pass) {
    try {
        pass();
    } catch (const std::exception&) {
        TheUi().Message("OLE-ошибка!"_cp);
    }
}

// The arrow items of the words of map whose first cell lies in block (every word without one),
// each at its first cell moved with the block; the origin is the used area's top-left cell.
void ExportArrows(const TSkanwordShablon& shablon, TComExport& list, const TCoordList& map, const TUsedArea& area,
                  const TCellBlock* block, bool splitSides) {
    const int64_t quarter = int64_t{shablon.Scale} * shablon.CellSize * ExportUnits / 4;
    const int dx = block ? block->DX : 0, dy = block ? block->DY : 0;
    for (int i = 0; i < map.Count(); ++i) {
        const std::vector<std::string>& tags = map.Tags(i);
        std::vector<TWordArrow> arrows;
        for (const std::string& tag : tags) arrows.push_back(ArrowOf(shablon, tag));
        for (std::size_t k = 0; k < arrows.size(); ++k) {
            const TWordArrow& a = arrows[k];
            if (a.Code == 0 || (block && !InBlock(*block, a.X, a.Y))) continue;
            const int move = arrows.size() == 2 ? PairMove(a, arrows[1 - k], splitSides) : 0;
            int ex = 0, ey = 0;
            shablon.CellToExport(a.X - area.MinX + dx, a.Y - area.MinY + dy, ex, ey);
            list.AddArrows(ex, ToEditorRange(ey + move * quarter), a.Bits());
        }
    }
}

// The export position of cell (x, y) of the used area moved by (dx, dy) cells.
void MovedExport(const TShablon& shablon, const TUsedArea& area, int x, int y, int dx, int dy, int& ex, int& ey) {
    shablon.CellToExport(x - area.MinX + dx, y - area.MinY + dy, ex, ey);
}

std::vector<TClueBlock> BlocksOf(const TCoordList& list) {
    std::vector<TClueBlock> blocks;
    for (int i = 0; i < list.Count(); ++i)
        for (const std::string& tag : list.Tags(i)) blocks.push_back(ClueBlockOf(tag));
    return blocks;
}

}  // namespace

void TSkanwordShablon::BuildExport(TComExport& list) {
    TShablon::BuildExport(list);
    if (!ExportFits()) return;
    const TUsedArea area = UsedArea(*this);
    TCoordList map;
    ClueCellWords(map);
    if (CanUnite) {
        list.AddCaption("Экспорт в формате CDR. Шаблон..."_cp);
        TCoordList united;
        UniteClueCells(area.MinX, area.MinY, united, map, area.EndY, area.EndX);
        for (const TClueBlock& b : BlocksOf(united)) {
            int ex = 0, ey = 0;
            MovedExport(*this, area, b.X, b.Y, 0, 0, ex, ey);
            list.AddCellEx(ex, ey, b.Width, b.Height, CellKind::Other);
        }
        // The picture done, the clue cells are the arrows' again.
        NumberCells();
    }
    if (!UsesArrows) return;
    list.AddCaption("Экспорт в формате CDR. Стрелки..."_cp);
    ArrowPass([&] { ExportArrows(*this, list, map, area, nullptr, true); });
}

void TSkanwordShablon2::BuildExport(TComExport& list) {
    TSkanwordShablon::BuildExport(list);
    if (!ExportFits() || !UsesArrows) return;
    const TUsedArea area = UsedArea(*this);
    TCoordList map;
    ClueCellWords(map);
    ArrowPass([&] {
        for (int i = 0; i < map.Count(); ++i)
            for (const std::string& tag : map.Tags(i)) {
                if (tag.size() < 3) continue;
                const TCoord cells(static_cast<uint8_t>(tag[0]), static_cast<uint8_t>(tag[1]),
                                   std::string_view(tag).substr(2), Width, Height);
                const TCell& last = cells.Cells().back();
                const bool vertical = tag[2] == '2';
                const int bits = GetAttrB(last.x, last.y);
                if (!HasAttrB(last.x, last.y) || !(bits & (vertical ? 0x40 : 0x80))) continue;
                int ex = 0, ey = 0;
                MovedExport(*this, area, last.x, last.y, 0, 0, ex, ey);
                list.AddArrows(ex, ey, bits & (vertical ? 0x47 : 0xB8));
            }
    });
}

void TSkanwordShablon::BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) {
    TShablon::BuildWordExport(list, blocks);
    if (!ExportFits()) return;
    const TUsedArea area = UsedArea(*this);
    TCoordList map;
    ClueCellWords(map);
    if (CanUnite) {
        TCoordList unitedList;
        UniteClueCells(area.MinX, area.MinY, unitedList, map, area.EndY, area.EndX);
        const std::vector<TClueBlock> united = BlocksOf(unitedList);
        for (const TCellBlock& moved : blocks)
            for (const TClueBlock& b : united) {
                const int x0 = std::max(b.X, moved.X), x1 = std::min(b.X + b.Width, moved.X + moved.Width);
                const int y0 = std::max(b.Y, moved.Y), y1 = std::min(b.Y + b.Height, moved.Y + moved.Height);
                if (x0 >= x1 || y0 >= y1) continue;
                int ex = 0, ey = 0;
                if (x0 == b.X && y0 == b.Y && x1 == b.X + b.Width && y1 == b.Y + b.Height) {
                    MovedExport(*this, area, b.X, b.Y, moved.DX, moved.DY, ex, ey);
                    list.AddCellEx(ex, ey, b.Width, b.Height, CellKind::Other);
                } else {
                    MovedExport(*this, area, x0, y0, moved.DX, moved.DY, ex, ey);
                    list.AddCellPart(ex, ey, b.Width, b.Height, CellKind::Other,
                                     TItemRect{x0 - b.X, y0 - b.Y, x1 - 1 - b.X, y1 - 1 - b.Y});
                }
            }
        NumberCells();
    }
    if (!UsesArrows) return;
    list.AddCaption("Экспорт в формате CDR. Стрелки..."_cp);
    ArrowPass([&] {
        for (const TCellBlock& moved : blocks) ExportArrows(*this, list, map, area, &moved, false);
    });
}

void TSkanwordShablon2::BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) {
    TSkanwordShablon::BuildWordExport(list, blocks);
    if (!ExportFits() || !UsesArrows) return;
    const TUsedArea area = UsedArea(*this);
    ArrowPass([&] {
        for (const TCellBlock& moved : blocks)
            for (int x = std::max(moved.X, 0); x < moved.X + moved.Width && x < Width; ++x)
                for (int y = std::max(moved.Y, 0); y < moved.Y + moved.Height && y < Height; ++y) {
                    if (!HasAttrB(x, y)) continue;
                    const int bits = GetAttrB(x, y);
                    const int inside = (bits & 0x40 ? bits & 0x47 : 0) | (bits & 0x80 ? bits & 0xB8 : 0);
                    if (inside == 0) continue;
                    int ex = 0, ey = 0;
                    MovedExport(*this, area, x, y, moved.DX, moved.DY, ex, ey);
                    list.AddArrows(ex, ey, inside);
                }
    });
}
