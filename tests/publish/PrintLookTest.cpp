// The print look on drawn grids: in a dense grid with numbers of up to three digits and key-word
// numbers beside them, every block that touches a letter cell is painted dark and no number's
// box meets a letter's or another number's; a scanword's clue cells are framed and shaded.

#include "../cli/PictureFiles.h"
#include "../crossword/CrosswordFixture.h"

#include "kinds/Kinds.h"
#include "kinds/Skanword.h"
#include "platform/Metafile.h"
#include "publish/PrintLook.h"

#include <gtest/gtest.h>

namespace {

struct TBox {
    int Left, Top, Right, Bottom;

    bool Meets(const TBox& o) const { return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom; }
};

int Brightness(TColor32 pixel) {
    return ((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF)) / 3;
}

// The top-left corner of cell (x, y) in the crossword's picture.
TPoint CellCorner(const TShablon& t, int x, int y) {
    int dx = 0, dy = 0, px = 0, py = 0;
    t.ExportMove(dx, dy);
    t.CellToCanvas(x + dx, y + dy, px, py);
    return {px, py};
}

class PrintLook : public CrosswordTest {
protected:
    // The picture's pixels, red in bits 16..23.
    TDIB Pixels(const TMetafile& picture) const {
        const std::string file = Path("picture.png");
        EXPECT_TRUE(picture.WritePng(file));
        return ReadPng(file);
    }
};

TEST_F(PrintLook, DenseGridPaintsEveryBlockAtALetterAndKeepsNumbersClearOfLetters) {
    // Blocks on a diagonal lattice, on the sides and in the corners too: every cell of a slot
    // is crossed, and the slots run to numbers of three digits.
    GridPicture grid(26, std::string(26, '.'));
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 26; ++x)
            if ((x + 2 * y) % 5 == 0) grid[y][x] = '#';
    auto crossword = Make(grid, {"ж"});
    TShablon& t = *crossword->Template;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 26; ++x)
            if (t.IsLetterCell(x, y)) crossword->SetCellText(x, y, Cp("ж"));
    // Key-word numbers share the cells of clue numbers.
    int keyWordCells = 0;
    for (int y = 0; y < 26 && keyWordCells < 12; ++y)
        for (int x = 0; x < 26 && keyWordCells < 12; ++x)
            if (t.IsNumbered(x, y)) t.SetKeyWordCell(x, y, ++keyWordCells);
    ApplyPrintLook(*crossword, TPrintLook{});

    TMetafile picture;
    crossword->DrawToMetafile(picture, 0);
    const TTextMetrics& metrics = CairoTextMetrics();
    std::vector<TBox> numbers, letters;
    for (const TCanvasCall& call : picture.Calls()) {
        if (call.Op == TCanvasOp::Metafile) letters.push_back({call.Rect.Left, call.Rect.Top, call.Rect.Right, call.Rect.Bottom});
        if (call.Op != TCanvasOp::Text) continue;
        ASSERT_EQ(call.Align, TTextAlign::Baseline);
        const TLineMetrics line = metrics.LineMetrics(call.Font);
        numbers.push_back({call.At.X, call.At.Y - line.Ascent, call.At.X + metrics.TextWidth(call.Font, call.Text),
                           call.At.Y + line.Descent});
    }
    int numbered = 0, letterCells = 0, largest = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 26; ++x) {
            numbered += t.IsNumbered(x, y) ? 1 : 0;
            letterCells += t.IsLetterCell(x, y) ? 1 : 0;
            largest = std::max(largest, t.GetNumber(x, y));
        }
    ASSERT_GE(largest, 100);
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(numbered + keyWordCells));
    ASSERT_EQ(letters.size(), static_cast<std::size_t>(letterCells));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        for (const TBox& letter : letters) ASSERT_FALSE(numbers[i].Meets(letter)) << "number " << i;
        for (std::size_t j = i + 1; j < numbers.size(); ++j) ASSERT_FALSE(numbers[i].Meets(numbers[j])) << i << ", " << j;
    }

    const TDIB pixels = Pixels(picture);
    const int cell = t.GetCellPixelWidth();
    int blocks = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 26; ++x) {
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    touches = touches || (!t.IsOutside(x + dx, y + dy) && t.IsLetterCell(x + dx, y + dy));
            if (t.IsLetterCell(x, y) || !touches) continue;
            ++blocks;
            const TPoint corner = CellCorner(t, x, y);
            for (int py = corner.Y + cell / 4; py < corner.Y + 3 * cell / 4; py += 5)
                for (int px = corner.X + cell / 4; px < corner.X + 3 * cell / 4; px += 5)
                    ASSERT_LT(Brightness(pixels.Pixel(px, py)), 40) << "block " << x << "," << y;
        }
    EXPECT_GT(blocks, 100);
}

TEST_F(PrintLook, ChosenShadePaintsTheBlocksGrey) {
    auto crossword = Make({"#..", "...", "..#"}, {"ж"});
    ApplyPrintLook(*crossword, TPrintLook{.BlockShade = 40});
    TMetafile picture;
    crossword->DrawToMetafile(picture, 1);
    const TDIB pixels = Pixels(picture);
    const int cell = crossword->Template->GetCellPixelWidth();
    for (const TPoint block : {TPoint{0, 0}, TPoint{2, 2}}) {
        const TPoint corner = CellCorner(*crossword->Template, block.X, block.Y);
        EXPECT_NEAR(Brightness(pixels.Pixel(corner.X + cell / 2, corner.Y + cell / 2)), 255 * 60 / 100, 3);
    }
}

TEST_F(PrintLook, ScanwordClueCellsAreFramedAndShaded) {
    RegisterKinds();
    auto crossword = Make<TSkanword>({"#....", "#....", "#...."}, {"кот"});
    TShablon& t = *crossword->Template;
    // Every row's word has its clue on its left (horizontal arrow code 3).
    for (int y = 0; y < t.Height; ++y) t.SetAttrB(1, y, 3 * 8);
    t.NumberCells();
    crossword->PrepareForFill();
    ApplyPrintLook(*crossword, TPrintLook{});
    TMetafile picture;
    crossword->DrawToMetafile(picture, 1);
    const TDIB pixels = Pixels(picture);
    const int cell = t.GetCellPixelWidth();
    for (int y = 0; y < 3; ++y) {
        ASSERT_TRUE(t.IsClueCell(0, y));
        const TPoint corner = CellCorner(t, 0, y);
        const int inside = Brightness(pixels.Pixel(corner.X + cell / 2, corner.Y + cell / 2));
        EXPECT_GT(inside, 200) << y;
        EXPECT_LT(inside, 250) << y;
        EXPECT_LT(Brightness(pixels.Pixel(corner.X + cell / 2, corner.Y)), 100) << y;
        // The arrow in the word's first cell, beside the clue cell, is drawn in black.
        const TPoint first = CellCorner(t, 1, y);
        int dark = 0;
        for (int py = first.Y + cell / 4; py < first.Y + 3 * cell / 4; ++py)
            for (int px = first.X + 2; px < first.X + cell / 2; ++px) dark += Brightness(pixels.Pixel(px, py)) < 60 ? 1 : 0;
        EXPECT_GT(dark, 20) << y;
    }
}

}  // namespace
