// The working view: pixels of the bitmap it paints, at zoom 100 unless a case says otherwise
// (48 pixels a cell).

#include "GridPicture.h"

#include "platform/Bitmap.h"
#include "platform/Picture.h"
#include "template/ClassicShablon.h"
#include "template/CoordList.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor32 ButtonFace = 0xF0F0F0;
constexpr TColor32 WhitePixel = 0xFFFFFF;
constexpr TColor32 BluePixel = 0x0000FF;
constexpr TColor32 YellowPixel = 0xFFFF00;
constexpr TColor32 RedPixel = 0xFF0000;
constexpr TColor32 NavyPixel = 0x000080;
constexpr TColor32 OlivePixel = 0x909000;

// A kind whose cells carry the attributes A (walls), B (arrows) and C (turns) by their flags.
class TAttributedShablon : public TClassicShablon {
public:
    TAttributedShablon() : TClassicShablon(1, 1) {}
    bool HasAttrA(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrA); }
    int GetAttrA(int x, int y) const override { return RawCell(x, y).Attr & 0xFF; }
    bool HasAttrB(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrB); }
    int GetAttrB(int x, int y) const override { return RawCell(x, y).Attr & 0xFFFF; }
    bool HasAttrC(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrC); }
    int GetAttrC(int x, int y) const override { return RawCell(x, y).Attr >> 16; }
};

TDIB Filled(int width, int height, TColor32 color) {
    TDIB image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, color);
    return image;
}

TDIB View(TShablon& shablon, const TFastDrawParameters& parameters, int width, int height) {
    TBitmap bitmap(width, height);
    shablon.FastDraw(parameters, bitmap);
    return bitmap.Pixels();
}

// The middle of the square of the view's cell (i, j) at zoom 100.
TColor32 Middle(const TDIB& pixels, int i, int j) {
    return pixels.Pixel(48 * i + 24, 48 * j + 24);
}

int CountPixels(const TDIB& pixels, TColor32 color, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += pixels.Pixel(x, y) == color ? 1 : 0;
    return n;
}

}  // namespace

TEST(TemplateView, ZoomDecidesTheCellsAWindowShows) {
    TClassicShablon shablon(20, 20);
    struct Case {
        int zoom;
        int columns, rows;
    };
    const Case cases[] = {{100, 10, 5}, {50, 20, 10}, {51, 20, 10}, {200, 5, 3}, {1, 480, 240}, {0, 480, 240}, {-50, 480, 240}};
    for (const Case& c : cases) {
        TFastDrawParameters p;
        p.Zoom = c.zoom;
        int columns = 0, rows = 0;
        shablon.PixelsToCells(480, 240, p, columns, rows);
        EXPECT_EQ(columns, c.columns) << c.zoom;
        EXPECT_EQ(rows, c.rows) << c.zoom;
    }
}

TEST(TemplateView, PixelsMapToCellsAndMinusOneOffTheGrid) {
    TClassicShablon shablon(6, 4);
    TFastDrawParameters p;
    p.FirstColumn = 3;
    struct Case {
        int px, py;
        int x, y;
    };
    const Case cases[] = {{47, 0, 3, 0}, {48, 0, 4, 0}, {100, 150, 5, 3}, {150, 0, -1, 0}, {0, 200, 3, -1}};
    for (const Case& c : cases) {
        int x = 0, y = 0;
        shablon.PixelToCell(c.px, c.py, p, x, y);
        EXPECT_EQ(x, c.x) << c.px << "," << c.py;
        EXPECT_EQ(y, c.y) << c.px << "," << c.py;
    }
    p.FirstColumn = -2;
    p.FirstRow = -1;
    int x = 0, y = 0;
    shablon.PixelToCell(10, 10, p, x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
}

TEST(TemplateView, FillsLayerSelectionHighlightAndPath) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"....#", "....#"});
    TCoordList highlight, path;
    for (int x = 0; x < 5; ++x) highlight.AddTag(x, 0, "h");
    path.AddTag(2, 1, "p");
    path.AddTag(3, 1, "p");
    TCoord word(5, 2);
    word.AddCell(1, 0);
    word.AddCell(3, 1);

    TFastDrawParameters p;
    p.SelectionOn = true;
    p.SelX0 = 1, p.SelY0 = 0, p.SelX1 = 4, p.SelY1 = 1;
    const TDIB selected = View(shablon, p, 240, 96);
    EXPECT_EQ(Middle(selected, 0, 0), WhitePixel);
    EXPECT_EQ(Middle(selected, 2, 0), BluePixel);
    EXPECT_EQ(Middle(selected, 4, 0), NavyPixel);  // a selected block
    EXPECT_EQ(Middle(selected, 4, 1), NavyPixel);

    p.HighlightOn = true;
    p.HighlightCells = &highlight;
    const TDIB highlighted = View(shablon, p, 240, 96);
    EXPECT_EQ(Middle(highlighted, 0, 0), YellowPixel);
    EXPECT_EQ(Middle(highlighted, 2, 0), 0x7F7FFFu);  // highlighted in the selection
    EXPECT_EQ(Middle(highlighted, 2, 1), BluePixel);

    p.PathMode = 1;
    p.PathCells = &path;
    p.CurrentWord = &word;
    const TDIB onPath = View(shablon, p, 240, 96);
    EXPECT_EQ(Middle(onPath, 2, 1), YellowPixel);  // path over selection
    EXPECT_EQ(Middle(onPath, 3, 1), BluePixel);    // the current word over the path
    EXPECT_EQ(Middle(onPath, 1, 0), BluePixel);    // the current word over the highlight
    EXPECT_EQ(Middle(onPath, 0, 1), WhitePixel);

    p.PathMode = 3;  // no path mode
    const TDIB noPath = View(shablon, p, 240, 96);
    EXPECT_EQ(Middle(noPath, 2, 1), BluePixel);
    EXPECT_EQ(Middle(noPath, 1, 0), 0x7F7FFFu);
}

TEST(TemplateView, MarksShowUnderTheMask) {
    struct Case {
        uint16_t mark;
        uint16_t mask;
        bool lower, upper;
    };
    const Case cases[] = {
        {0x0002, 0xFFFF, true, false}, {0x0400, 0xFFFF, true, false}, {0x0001, 0xFFFF, false, true},
        {0x0100, 0xFFFF, false, true}, {0x0002, 0x0000, false, false}, {0x1000, 0x0000, true, false},
        {0x2000, 0x0000, false, true}, {0x0009, 0x0008, false, true},  {0x0206, 0x0200, true, false},
    };
    for (const Case& c : cases) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, {"..", ".."});
        shablon.Marks[1 * TShablon::MaxSide + 1] = c.mark;
        shablon.MarkMask = c.mask;
        TFastDrawParameters p;
        p.ShowMarks = true;
        const TDIB pixels = View(shablon, p, 96, 96);
        EXPECT_EQ(pixels.Pixel(48 + 40, 48 + 40) == RedPixel, c.lower) << c.mark << " under " << c.mask;
        EXPECT_EQ(pixels.Pixel(48 + 40, 48 + 28) == OlivePixel, c.upper) << c.mark << " under " << c.mask;
        p.ShowMarks = false;
        EXPECT_EQ(View(shablon, p, 96, 96).Pixel(48 + 40, 48 + 40), WhitePixel);
    }

    // With AutoCheck the view checks the template first and shows its marks with the details.
    TClassicShablon lonely(1, 1);
    DrawGrid(lonely, {"#.", "##"});
    lonely.AutoCheck = true;
    TFastDrawParameters p;
    p.ShowDetails = true;
    EXPECT_EQ(View(lonely, p, 96, 96).Pixel(48 + 40, 28), OlivePixel);
    p.ShowDetails = false;
    EXPECT_EQ(View(lonely, p, 96, 96).Pixel(48 + 40, 28), WhitePixel);
}

TEST(TemplateView, AxesWithAndWithoutTheHalfStep) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"....", "....", "...."});
    struct Case {
        int firstColumn;
        bool halfStep;
        int drawnAt;  // the view's x of the axis, -1 when it is not drawn
    };
    const Case cases[] = {{0, false, 72}, {0, true, 96}, {1, false, 24}, {2, false, -1}};
    for (const Case& c : cases) {
        TFastDrawParameters p;
        p.FirstColumn = c.firstColumn;
        p.XAxis = {true, 0x101, c.halfStep};  // the low byte: column 1
        const TDIB pixels = View(shablon, p, 480, 240);
        for (int x : {24, 72, 96})
            EXPECT_EQ(pixels.Pixel(x + 1, 20) == RedPixel, x == c.drawnAt) << c.firstColumn << " at " << x;
        if (c.drawnAt >= 0) {
            EXPECT_EQ(pixels.Pixel(c.drawnAt + 1, 140), RedPixel);
            EXPECT_EQ(pixels.Pixel(c.drawnAt + 1, 160), ButtonFace);  // it stops after the last row
        }
    }
    TFastDrawParameters p;
    p.YAxis = {true, 2, true};
    const TDIB pixels = View(shablon, p, 480, 240);
    EXPECT_EQ(pixels.Pixel(20, 145), RedPixel);
    EXPECT_EQ(pixels.Pixel(190, 145), RedPixel);
    EXPECT_EQ(pixels.Pixel(200, 145), ButtonFace);  // it stops after the last column
}

TEST(TemplateView, GridLinesStopAfterTheLastShownCell) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"...", "..."});
    TFastDrawParameters p;
    p.FirstColumn = 1;
    const TDIB pixels = View(shablon, p, 480, 240);
    EXPECT_EQ(pixels.Pixel(48, 30), 0u);
    EXPECT_EQ(pixels.Pixel(96, 30), 0u);
    EXPECT_EQ(pixels.Pixel(30, 96), 0u);
    EXPECT_EQ(Middle(pixels, 1, 1), WhitePixel);
    EXPECT_EQ(pixels.Pixel(100, 30), ButtonFace);
    EXPECT_EQ(pixels.Pixel(30, 100), ButtonFace);
    EXPECT_EQ(Middle(pixels, 2, 0), ButtonFace);
}

TEST(TemplateView, AWideGridScrolledFarShowsOnlyItsOwnColumns) {
    TClassicShablon shablon(200, 2);
    shablon.SetLetterCellOnly(14, 0, true);
    shablon.SetLetterCellOnly(155, 0, true);
    shablon.SetLetterCellOnly(199, 0, true);
    TFastDrawParameters p;
    p.FirstColumn = 150;
    const TDIB pixels = View(shablon, p, 48 * 130, 48);
    EXPECT_EQ(Middle(pixels, 5, 0), WhitePixel);
    EXPECT_EQ(Middle(pixels, 49, 0), WhitePixel);
    EXPECT_EQ(Middle(pixels, 120, 0), ButtonFace);  // column 270 is no column 14
    EXPECT_EQ(pixels.Pixel(48 * 50, 20), 0u);       // the last grid line
    EXPECT_EQ(pixels.Pixel(48 * 51, 20), ButtonFace);

    p.FirstColumn = 250;  // past the grid: nothing but the face
    const TDIB past = View(shablon, p, 480, 48);
    EXPECT_EQ(CountPixels(past, ButtonFace, 0, 0, 480, 48), 480 * 48);
}

TEST(TemplateView, TinyAndNegativeZoomsDrawOnePixelACell) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"..", "#."});
    for (int zoom : {1, 0, -50}) {
        TFastDrawParameters p;
        p.Zoom = zoom;
        const TDIB pixels = View(shablon, p, 10, 10);
        EXPECT_EQ(pixels.Pixel(9, 9), ButtonFace) << zoom;
        EXPECT_NE(pixels.Pixel(0, 0), ButtonFace) << zoom;
    }
    TFastDrawParameters half;
    half.Zoom = 50;
    const TDIB pixels = View(shablon, half, 96, 96);
    EXPECT_EQ(pixels.Pixel(12, 12), WhitePixel);
    EXPECT_EQ(pixels.Pixel(36, 36), WhitePixel);
    EXPECT_EQ(pixels.Pixel(12, 36), ButtonFace);
    EXPECT_EQ(pixels.Pixel(60, 12), ButtonFace);
}

TEST(TemplateView, DetailsShowNumbersMarkersAndTheBackground) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"...", ".#.", "..."});
    shablon.NumberCells();
    shablon.SetKeyWordCell(2, 2, 1);
    TShablonCell& turn = shablon.RawCell(2, 0);
    turn.Flags |= CellFlag::AttrD;
    turn.Attr = 0x01 << 8;  // W to E in magenta
    ASSERT_TRUE(shablon.Pictures.AddBlank("background", TPictureKind::Bitmap, 10, 10));
    shablon.BackgroundPicture = "background";

    TFastDrawParameters p;
    const TDIB plain = View(shablon, p, 144, 144);
    EXPECT_EQ(CountPixels(plain, RedPixel, 0, 0, 48, 24), 0);
    EXPECT_EQ(Middle(plain, 1, 1), ButtonFace);

    p.ShowDetails = true;
    const TDIB detailed = View(shablon, p, 144, 144);
    EXPECT_GT(CountPixels(detailed, RedPixel, 0, 0, 48, 24), 5);             // clue number 1
    EXPECT_GT(CountPixels(detailed, 0xFF00FF, 96, 0, 144, 48), 20);         // the turn figure
    EXPECT_EQ(detailed.Pixel(96 + 45, 96 + 46), 0xC0C0C0u);                 // key-word number box
    EXPECT_GT(CountPixels(detailed, WhitePixel, 96 + 30, 96 + 25, 96 + 47, 96 + 48), 5);
    EXPECT_EQ(Middle(detailed, 1, 1), 0u);                                   // the black background

    shablon.Kind = TShablonKind::Chainword;  // attribute D is a direction arrow there
    turn.Attr = 4 << 8;
    const TDIB chain = View(shablon, p, 144, 144);
    EXPECT_EQ(CountPixels(chain, 0xFF00FF, 96, 0, 144, 48), 0);
    EXPECT_GT(CountPixels(chain, 0x800000, 96, 0, 144, 48), 20);
}

TEST(TemplateView, WallsArrowsAndTurnPicturesOfTheKindsThatHaveThem) {
    TAttributedShablon shablon;
    DrawGrid(shablon, {"...", "..."});
    const auto red = TPicture::FromImage(TPictureKind::Bitmap, Filled(4, 4, RedPixel));
    ASSERT_TRUE(shablon.ArrowPictures.AddGraphic("STRELKA_V_1", *red));
    ASSERT_TRUE(shablon.ArrowPictures.AddGraphic("TURN_2", *red));
    shablon.ArrowOffsets[1] = {50, 0};
    shablon.RawCell(0, 0).Flags |= CellFlag::AttrA;
    shablon.RawCell(0, 0).Attr = 8 | 1;               // walls left and bottom
    shablon.RawCell(1, 0).Flags |= CellFlag::AttrB;
    shablon.RawCell(1, 0).Attr = 0x01;                // the first arrow, code 1
    shablon.RawCell(2, 0).Flags |= CellFlag::AttrC;
    shablon.RawCell(2, 0).Attr = 0x02 << 16;          // turn picture 2

    TFastDrawParameters p;
    const TDIB off = View(shablon, p, 144, 96);
    EXPECT_EQ(off.Pixel(3, 24), WhitePixel);
    EXPECT_EQ(off.Pixel(48 + 30, 24), WhitePixel);
    EXPECT_EQ(Middle(off, 2, 0), WhitePixel);

    shablon.UsesWalls = shablon.UsesArrows = shablon.UsesTurnMarks = true;
    const TDIB plain = View(shablon, p, 144, 96);
    EXPECT_EQ(plain.Pixel(3, 24), 0u);
    EXPECT_EQ(plain.Pixel(24, 45), 0u);
    EXPECT_EQ(plain.Pixel(8, 24), WhitePixel);
    EXPECT_EQ(plain.Pixel(45, 24), WhitePixel);
    EXPECT_EQ(Middle(plain, 2, 0), RedPixel);
    EXPECT_EQ(plain.Pixel(96 + 1, 24), WhitePixel);  // inset by 2
    EXPECT_EQ(plain.Pixel(48 + 30, 24), WhitePixel);  // arrows are details

    p.ShowDetails = true;
    const TDIB detailed = View(shablon, p, 144, 96);
    EXPECT_EQ(detailed.Pixel(48 + 30, 24), RedPixel);  // moved half a square right
    EXPECT_EQ(detailed.Pixel(48 + 20, 24), WhitePixel);
}
