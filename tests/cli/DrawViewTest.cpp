// Real pictures: the game's templates drawn through Cairo with the real fonts, read back from
// SVG, PNG and PDF, and crossgen's draw and view commands.

#include "PictureFiles.h"

#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "platform/IndexCollection.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

constexpr std::pair<int, int> GameSizes[] = {
    {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
    {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
};

bool Reddish(TColor32 pixel) {
    return (pixel >> 16 & 0xFF) > 200 && (pixel >> 8 & 0xFF) < 100 && (pixel & 0xFF) < 100;
}

// The first game template of the size in the built collection.
std::unique_ptr<TClassicShablon> GameTemplate(int width, int height) {
    TIndexCollection collection;
    collection.FileName = DataDir + "/templates.col";
    if (!collection.LoadFromFile()) return nullptr;
    for (int i = 0; i < collection.Count(); ++i) {
        const std::string text = collection.EntryText(i);
        if (static_cast<unsigned char>(text[10]) - 48 != width || static_cast<unsigned char>(text[11]) - 48 != height)
            continue;
        auto shablon = std::make_unique<TClassicShablon>(width, height);
        if (shablon->ParseTemplate(std::string_view(text).substr(TShablon::Prefix.size()), 0, 0)) return shablon;
    }
    return nullptr;
}

// What a picture of the 15 x 15 template must show: black borders of letter cells at 3 + 100 k
// (the 7-unit pen centred on the cell edge) round white insides, and red clue numbers.
void ExpectGamePicture(const TDIB& pixels, const TShablon& shablon, const char* what) {
    ASSERT_EQ(pixels.Width(), 1507) << what;
    ASSERT_EQ(pixels.Height(), 1507) << what;
    int letters = 0, red = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            if (!shablon.IsLetterCell(x, y)) continue;
            ++letters;
            EXPECT_EQ(pixels.Pixel(3 + 100 * x, 3 + 100 * y + 60), 0u) << what << " left border of " << x << "," << y;
            EXPECT_EQ(pixels.Pixel(3 + 100 * x + 60, 3 + 100 * y), 0u) << what << " top border of " << x << "," << y;
            EXPECT_EQ(pixels.Pixel(3 + 100 * x + 60, 3 + 100 * y + 60), 0xFFFFFFu) << what << " inside " << x << "," << y;
            if (!shablon.IsNumbered(x, y)) continue;
            int cellRed = 0;
            for (int py = 3 + 100 * y + 8; py < 3 + 100 * y + 50; ++py)
                for (int px = 3 + 100 * x + 8; px < 3 + 100 * x + 50; ++px) cellRed += Reddish(pixels.Pixel(px, py)) ? 1 : 0;
            EXPECT_GT(cellRed, 20) << what << " number of " << x << "," << y;
            red += cellRed;
        }
    EXPECT_GT(letters, 100) << what;
    EXPECT_GT(red, 0) << what;
}

class DrawView : public CrosswordTest {
protected:
    struct Outcome {
        int exitCode;
        std::string out;
        std::string err;
    };

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {DataDir + "/templates.col", DataDir + "/dic1.wdi"});
        return {code, out.str(), err.str()};
    }

    std::string WriteTemplate(const GridPicture& grid) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, grid);
        shablon.FileName = Path("grid.shb");
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }
};

}  // namespace

TEST_F(DrawView, AGameTemplateDrawsAt1507UnitsInEveryFormat) {
    auto shablon = GameTemplate(15, 15);
    ASSERT_TRUE(shablon);
    TMetafile picture;
    shablon->DrawToMetafile(picture);
    EXPECT_EQ(picture.Width(), 1507);
    EXPECT_EQ(picture.Height(), 1507);

    const auto svg = TPicture::FromData(TPictureKind::Metafile, picture.SvgData());
    ASSERT_TRUE(svg);
    ExpectGamePicture(svg->Pixels(), *shablon, "SVG");

    ASSERT_TRUE(picture.WritePng(Path("game.png")));
    ExpectGamePicture(ReadPng(Path("game.png")), *shablon, "PNG");

    ASSERT_TRUE(picture.WritePdf(Path("game.pdf")));
    const std::string pdf = FileBytes(Path("game.pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-1."));
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 1507 1507 ]"), std::string::npos);
    const auto xref = pdf.rfind("startxref");
    ASSERT_NE(xref, std::string::npos);
    const std::size_t xrefAt = std::stoul(pdf.substr(xref + 10));
    EXPECT_EQ(pdf.compare(xrefAt, 4, "xref"), 0);  // the cross-reference table is where the trailer says
}

TEST_F(DrawView, CrossgenDrawsEveryGameSizeInEveryFormat) {
    for (const auto& [width, height] : GameSizes) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        for (const char* extension : {".svg", ".pdf", ".png"}) {
            const std::string file = Path(size + extension);
            const Outcome run = Run({"draw", "--size", size, "--seed", "3", "--out", file});
            ASSERT_EQ(run.exitCode, ExitCode::Filled) << size << extension << ": " << run.err;
            const std::string bytes = FileBytes(file);
            if (std::string(extension) == ".png") {
                const TDIB png = ReadPng(file);
                EXPECT_EQ(png.Width(), 100 * width + 7) << size;
                EXPECT_EQ(png.Height(), 100 * height + 7) << size;
            } else if (std::string(extension) == ".svg") {
                const auto svg = TPicture::FromData(TPictureKind::Metafile, bytes);
                ASSERT_TRUE(svg) << size;
                EXPECT_EQ(svg->Width(), 100 * width + 7) << size;
            } else {
                EXPECT_TRUE(bytes.starts_with("%PDF-")) << size;
            }
        }
    }
}

TEST_F(DrawView, ItemsListTheDrawingItems) {
    const std::string grid = WriteTemplate({"..", ".#"});
    const Outcome run = Run({"draw", "--template", grid, "--items"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    std::istringstream lines(run.out);
    std::vector<std::string> items;
    for (std::string line; std::getline(lines, line);) items.push_back(line);
    // The caption, then the cells (non-letter cells first) column by column, each with its number.
    const std::vector<std::string> expected = {
        "0 Text=\"Экспорт в формате CDR. Шаблон...\"",
        "1 Value=0 X=0 Y=0 Flag=0",
        "6 X=0 Y=0 X2=1",
        "1 Value=0 X=0 Y=-100000 Flag=0",
        "1 Value=0 X=100000 Y=0 Flag=0",
    };
    EXPECT_EQ(items, expected);
}

TEST_F(DrawView, DrawComplaintsExitWithTwo) {
    const std::string grid = WriteTemplate({"...", "..."});
    std::ofstream(Path("huge.sty")) << "[SHABLON_MAIN]\r\nWIDTH=100000000\r\n";
    const std::vector<std::vector<std::string>> cases = {
        {"draw", "--template", grid},
        {"draw", "--template", grid, "--items", "--out", Path("a.svg")},
        {"draw", "--template", grid, "--out", Path("a.gif")},
        {"draw", "--template", grid, "--out", Path("no/such/dir/a.png")},
        {"draw", "--template", grid, "--style", Path("missing.sty"), "--out", Path("a.png")},
        {"draw", "--template", grid, "--style", Path("huge.sty"), "--out", Path("a.png")},
        {"draw", "--template", Path("missing.shb"), "--out", Path("a.png")},
        {"view", "--template", grid},
        {"view", "--template", grid, "--out", Path("a.svg")},
        {"view", "--template", grid, "--window", "0x10", "--out", Path("a.png")},
        {"view", "--template", grid, "--window", "16385x1", "--out", Path("a.png")},
        {"view", "--template", grid, "--window", "5000x5000", "--out", Path("a.png")},
        {"view", "--template", grid, "--first", "1", "--out", Path("a.png")},
        {"view", "--template", grid, "--select", "1,2,3", "--out", Path("a.png")},
        {"view", "--template", grid, "--zoom", "x", "--out", Path("a.png")},
        {"view", "--template", grid, "--out", Path("no/such/dir/a.png")},
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << joined;
    }
    for (const char* command : {"draw", "view"}) {
        const Outcome help = Run({command, "--help"});
        EXPECT_EQ(help.exitCode, ExitCode::Filled);
        for (const char* option : {"--size", "--template", "--style", "--out"})
            EXPECT_NE(help.out.find(option), std::string::npos) << command << " " << option;
    }
}

TEST_F(DrawView, ViewPaintsTheWindow) {
    const std::string grid = WriteTemplate({"...", ".#.", "..."});
    const Outcome plain = Run({"view", "--template", grid, "--out", Path("v.png")});
    ASSERT_EQ(plain.exitCode, ExitCode::Filled) << plain.err;
    const TDIB view = ReadPng(Path("v.png"));
    EXPECT_EQ(view.Width(), 800);
    EXPECT_EQ(view.Height(), 600);
    EXPECT_EQ(view.Pixel(24, 24), 0xFFFFFFu);
    EXPECT_EQ(view.Pixel(300, 300), 0xF0F0F0u);

    const Outcome zoomed = Run({"view", "--template", grid, "--zoom", "50", "--first", "1,1", "--window", "100x60",
                                "--select", "2,2,2,2", "--details", "--marks", "--out", Path("z.png")});
    ASSERT_EQ(zoomed.exitCode, ExitCode::Filled) << zoomed.err;
    const TDIB small = ReadPng(Path("z.png"));
    EXPECT_EQ(small.Width(), 100);
    EXPECT_EQ(small.Height(), 60);
    EXPECT_EQ(small.Pixel(12, 12), 0xF0F0F0u);  // (1, 1) is a block
    EXPECT_EQ(small.Pixel(36, 40), 0x0000FFu);  // (2, 2) is selected
    EXPECT_EQ(small.Pixel(80, 12), 0xF0F0F0u);  // past the grid
}

TEST_F(DrawView, AViewStartingBeforeTheGridDrawsNoLinesWhereNoCellIs) {
    const std::string grid = WriteTemplate({"...", ".#.", "..."});
    const Outcome run =
        Run({"view", "--template", grid, "--first", "-3,-2", "--window", "400x300", "--out", Path("before.png")});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    const TDIB view = ReadPng(Path("before.png"));
    ASSERT_EQ(view.Width(), 400);
    // The grid's cells begin three columns and two rows into the window, 48 pixels a cell.
    int marked = 0;
    for (int y = 0; y < view.Height(); ++y)
        for (int x = 0; x < view.Width(); ++x)
            if ((x < 3 * 48 - 1 || y < 2 * 48 - 1) && view.Pixel(x, y) != 0xF0F0F0u) ++marked;
    EXPECT_EQ(marked, 0);
    EXPECT_EQ(view.Pixel(3 * 48 + 24, 2 * 48 + 24), 0xFFFFFFu);
    EXPECT_EQ(view.Pixel(3 * 48, 2 * 48 + 24), 0x000000u);
}
