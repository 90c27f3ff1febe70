#include "Shablon.h"

#include "export/ComExport.h"

void TShablon::BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) {
    NumberCells();
    MarkInnerBlanks();
    if (!ExportFits()) return;
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    const bool keyWordPainted = !KeyWordCellLook.NoPaint;
    const auto isKeyWordCell = [&](int x, int y) { return keyWordPainted && KeyWordNumberAt(x, y) >= 0; };
    // Exporting against the origin that the block's move takes the cell away from puts the cell
    // at its new place.
    const auto pass = [&](auto&& wanted) {
        for (const TCellBlock& block : blocks)
            for (int x = block.X; x < block.X + block.Width && x < Width; ++x)
                for (int y = block.Y; y < block.Y + block.Height && y < Height; ++y) {
                    if (!wanted(x, y)) continue;
                    const auto [cx, cy] = MovedCell(x, y, block.DX - minX, block.DY - minY);
                    ExportCell(x, y, x - cx, y - cy, list);
                }
    };
    pass([&](int x, int y) { return !IsLetterCell(x, y); });
    pass([&](int x, int y) { return IsLetterCell(x, y) && !isKeyWordCell(x, y); });
    if (keyWordPainted) pass([&](int x, int y) { return IsLetterCell(x, y) && isKeyWordCell(x, y); });
}
