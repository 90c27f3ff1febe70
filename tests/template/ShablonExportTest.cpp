#include "GridPicture.h"

#include "export/ComExport.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

// A classic template drawn from a picture.
class PictureShablon : public TClassicShablon {
public:
    explicit PictureShablon(const GridPicture& rows) : TClassicShablon(1, 1) { DrawGrid(*this, rows); }
};

struct TItem {
    int Kind, Value, X, Y, X2, Y2;
    bool operator==(const TItem&) const = default;
};

void PrintTo(const TItem& item, std::ostream* out) {
    *out << "{kind " << item.Kind << ", value " << item.Value << ", " << item.X << ", " << item.Y << ", " << item.X2
         << ", " << item.Y2 << "}";
}

std::vector<TItem> ItemsOf(const TComExport& list) {
    std::vector<TItem> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back({list.Kind(i), list.Value(i), list.X(i), list.Y(i), list.X2(i), list.Y2(i)});
    return items;
}

// A contour as the start cell, the side code and the steps: "0,0 4 6248".
std::string Describe(const std::string& contour) {
    return std::to_string(static_cast<uint8_t>(contour[0])) + "," + std::to_string(static_cast<uint8_t>(contour[1])) +
           " " + std::to_string(static_cast<uint8_t>(contour[2])) + " " + contour.substr(3);
}

std::vector<std::string> Contours(const TShablon& shablon, bool withInnerBlanks) {
    std::vector<std::string> contours{"stale"};
    shablon.TraceOutline(withInnerBlanks, contours);
    std::vector<std::string> described;
    for (const std::string& c : contours) described.push_back(Describe(c));
    return described;
}

constexpr int Cell = 100000;  // one cell in export units at the defaults
constexpr int Letter = CellKind::Letter;
constexpr int Other = CellKind::Other;
constexpr int CellItem = static_cast<int>(TExportKind::Cell);
constexpr int NumberItem = static_cast<int>(TExportKind::Number);
constexpr int KeyWordItem = static_cast<int>(TExportKind::KeyWordNumber);

}  // namespace

TEST(Geometry, CellsSitInsideHalfTheMargin) {
    struct Case {
        const char* what;
        int scale;
        bool outline;
        int outlineWidth;
        int px, py;      // cell (2, 3)
        int width;       // GetPixelWidth of four columns
        int canvasFull;  // ExportToCanvas of cell (2, 3) with the whole margin: x
    };
    const std::vector<Case> cases = {
        {"defaults", 1, false, 20, 203, 303, 407, 207},
        {"scale 2", 2, false, 20, 406, 606, 407, 414},
        {"wide outline", 1, true, 20, 210, 310, 420, 220},
        {"outline thinner than the pen", 1, true, 5, 203, 303, 407, 207},
    };
    for (const Case& c : cases) {
        PictureShablon shablon({"....", "....", "....", "...."});
        shablon.Scale = static_cast<uint8_t>(c.scale);
        shablon.WideOutline.Show = c.outline;
        shablon.WideOutline.Width = c.outlineWidth;
        int px = 0, py = 0, ex = 0, ey = 0;
        shablon.CellToCanvas(2, 3, px, py);
        EXPECT_EQ(px, c.px) << c.what;
        EXPECT_EQ(py, c.py) << c.what;
        shablon.CellToExport(2, 3, ex, ey);
        EXPECT_EQ(ex, 2 * Cell * c.scale) << c.what;
        EXPECT_EQ(ey, -3 * Cell * c.scale) << c.what;
        shablon.ExportToCanvas(ex, ey, px, py, false);
        EXPECT_EQ(px, c.px) << c.what;
        EXPECT_EQ(py, c.py) << c.what;
        shablon.ExportToCanvas(ex, ey, px, py, true);
        EXPECT_EQ(px, c.canvasFull) << c.what;
        EXPECT_EQ(shablon.GetPixelWidth(), c.width) << c.what;
        EXPECT_EQ(shablon.GetCellPixelWidth(), 100 * c.scale) << c.what;
        EXPECT_EQ(shablon.GetExportWidth(), 4 * Cell * c.scale) << c.what;
    }
}

TEST(Geometry, SizesCoverTheUsedAreaAndTheKeyWordTable) {
    PictureShablon shablon({"#####", "#..##", "#..##", "#####"});
    EXPECT_EQ(shablon.GetPixelWidth(), 207);
    EXPECT_EQ(shablon.GetPixelHeight(), 207);
    EXPECT_EQ(shablon.GetExportHeight(), 2 * Cell);

    shablon.KeyWordCellLook.NoPaint = false;
    EXPECT_EQ(shablon.GetPixelHeight(), 407);
    shablon.ShowKeyWordTable = false;
    EXPECT_EQ(shablon.GetPixelHeight(), 207);
    shablon.ShowKeyWordTable = true;
    shablon.KeyWordAllowed = false;
    EXPECT_EQ(shablon.GetPixelHeight(), 207);

    // A key word of more letters than the grid has columns widens the picture to its table.
    shablon.KeyWordAllowed = true;
    for (const auto& [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) shablon.SetKeyWordCell(x, y, 99);
    EXPECT_EQ(shablon.KeyWordTableColumns(), 4);
    EXPECT_EQ(shablon.GetPixelWidth(), 407);
    EXPECT_TRUE(shablon.ExportFits());
    shablon.KeyWordCellLook.NoPaint = true;
    EXPECT_EQ(shablon.GetPixelWidth(), 207);
}

TEST(Geometry, PositionsThatDoNotFitLeaveThePictureEmpty) {
    PictureShablon shablon({std::string(TShablon::MaxSide, '.')});
    shablon.Scale = 107;
    EXPECT_TRUE(shablon.ExportFits());
    TComExport list;
    shablon.BuildExport(list);
    EXPECT_GT(list.Count(), TShablon::MaxSide);

    shablon.Scale = 108;
    EXPECT_FALSE(shablon.ExportFits());
    int ex = 0, ey = 0;
    shablon.CellToExport(TShablon::MaxSide, 1, ex, ey);
    EXPECT_EQ(ex, INT32_MAX);
    EXPECT_EQ(ey, -108 * Cell);
    list.Clear();
    shablon.BuildExport(list);
    EXPECT_EQ(list.Count(), 0);

    shablon.Scale = 1;
    shablon.CellSize = INT32_MAX;
    EXPECT_FALSE(shablon.ExportFits());
    EXPECT_EQ(shablon.GetPixelWidth(), INT32_MAX);
    EXPECT_EQ(shablon.GetCellPixelWidth(), INT32_MAX);
}

TEST(TraceOutline, ContoursKeepTheCellsOnTheirRightHand) {
    struct Case {
        const char* what;
        GridPicture grid;
        std::vector<std::string> contours;
    };
    const std::vector<Case> cases = {
        {"one cell", {"#.#"}, {"1,0 4 6248"}},
        {"a pair", {"..#"}, {"0,0 4 662448"}},
        {"an L", {".#", ".."}, {"0,0 4 62624488"}},
        {"three islands", {".#.", "###", "#.#"}, {"0,0 4 6248", "2,0 4 6248", "1,2 4 6248"}},
        {"cells touching at a corner", {".#", "#."}, {"0,0 4 62624848"}},
        {"a hole", {"...", ".#.", "..."}, {"0,0 4 666222444888", "1,0 1 4268"}},
        {"nothing", {"##"}, {}},
    };
    for (const Case& c : cases) {
        PictureShablon shablon(c.grid);
        EXPECT_EQ(Contours(shablon, false), c.contours) << c.what;
    }
}

TEST(TraceOutline, InnerBlanksCanBeLeftOut) {
    PictureShablon shablon({"....", ".##.", "....", "#..#"});
    shablon.MarkInnerBlanks();
    EXPECT_EQ(Contours(shablon, false).size(), 2u);
    EXPECT_EQ(Contours(shablon, true), std::vector<std::string>({"0,0 4 6666222424484888"}));
}

TEST(ExportOutline, OneItemPerContourFromTheSideCodeOn) {
    PictureShablon shablon({"#.#", "#.#"});
    TComExport list;
    shablon.ExportOutline(list, 1, 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(ItemsOf(list)[0], (TItem{static_cast<int>(TExportKind::Outline), 0, 1, 0, 1, 0}));
    EXPECT_EQ(list.Text(0), "\x04" "622488");
}

TEST(BuildExport, CellsNumbersAndKeyWordInPasses) {
    PictureShablon shablon({"...", ".#.", "..."});
    shablon.KeyWordCellLook.NoPaint = false;
    shablon.SetKeyWordCell(2, 2, 1);
    shablon.SetKeyWordCell(1, 0, 2);
    TComExport list;
    shablon.BuildExport(list);

    const std::vector<TItem> expected = {
        {0, 0, 0, 0, 0, 0},
        // blocked cells
        {CellItem, Other, Cell, -Cell, 0, 0},
        // letter cells, columns outer, with their numbers
        {CellItem, Letter, 0, 0, 0, 0},
        {NumberItem, 0, 0, 0, 1, 0},
        {CellItem, Letter, 0, -Cell, 0, 0},
        {CellItem, Letter, 0, -2 * Cell, 0, 0},
        {NumberItem, 0, 0, -2 * Cell, 3, 0},
        {CellItem, Letter, Cell, -2 * Cell, 0, 0},
        {CellItem, Letter, 2 * Cell, 0, 0, 0},
        {NumberItem, 0, 2 * Cell, 0, 2, 0},
        {CellItem, Letter, 2 * Cell, -Cell, 0, 0},
        // key-word cells
        {KeyWordItem, 0, Cell, 0, 1, 0},
        {KeyWordItem, 0, 2 * Cell, -2 * Cell, 2, 2},
        // the key-word table in the row below the grid
        {KeyWordItem, 0, 0, -4 * Cell, 2, 2},
        {KeyWordItem, 0, Cell, -4 * Cell, 1, 0},
    };
    EXPECT_EQ(ItemsOf(list), expected);
    EXPECT_EQ(list.Text(0), "Экспорт в формате CDR. Шаблон..."_cp);
}

TEST(BuildExport, UnpaintedKeyWordCellsAreLetterCells) {
    PictureShablon shablon({"#####", "##..#", "#####"});
    shablon.SetKeyWordCell(3, 1, 1);
    TComExport list;
    shablon.BuildExport(list);
    // Placed from the first used column and row; the blocks round the letters are background.
    const std::vector<TItem> expected = {
        {0, 0, 0, 0, 0, 0},
        {CellItem, Letter, 0, 0, 0, 0},
        {NumberItem, 0, 0, 0, 1, 0},
        {CellItem, Letter, Cell, 0, 0, 0},
    };
    EXPECT_EQ(ItemsOf(list), expected);
}

TEST(BuildExport, BackgroundOutlineAndOutsideCells) {
    PictureShablon shablon({".#", ".."});
    shablon.BackgroundPicture = "paper.jpg";
    shablon.WideOutline.Show = true;
    shablon.BlankCellLook.ShowOutside = true;
    TComExport list;
    shablon.BuildExport(list);
    ASSERT_GE(list.Count(), 4);
    EXPECT_EQ(list.Kind(1), static_cast<int>(TExportKind::Background));
    EXPECT_EQ(list.Text(1), "paper.jpg");
    EXPECT_EQ(list.Kind(2), static_cast<int>(TExportKind::Outline));
    EXPECT_EQ(list.Text(2), "\x04" "62624488");
    EXPECT_EQ(ItemsOf(list)[3], (TItem{CellItem, Other, Cell, 0, 0, 0}));

    // A cell outside the grid exports nothing.
    const int count = list.Count();
    shablon.ExportCell(2, 0, 0, 0, list);
    shablon.ExportCell(0, 5, 0, 0, list);
    EXPECT_EQ(list.Count(), count);
}
