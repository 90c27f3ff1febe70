#include "template/TextFitting.h"

#include "platform/Metafile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

std::string Cp(const std::string& utf8) {
    return FromUtf8(utf8);
}

// Texts are written in UTF-8 with "|" for CR LF.
std::string Lines(const std::string& utf8) {
    std::string text;
    for (const char c : Cp(utf8)) text += c == '|' ? std::string("\r\n") : std::string(1, c);
    return text;
}

// A canvas on a metafile measured with the fixed metrics: a positive height h has letters e =
// 4h/5 high and e/2 wide; a negative height -e the same letters in a line of 5e/4.
class TextFittingTest : public ::testing::Test {
protected:
    TMetafile target{1000, 1000, FixedTextMetrics()};
    TCanvas canvas{target};

    static TFormatParameters Format(int size) {
        TFormatParameters format;
        format.FontSize = static_cast<uint8_t>(size);
        return format;
    }

    // The lines of the largest height from the top down to 3 that fit, tried one by one.
    std::string EveryHeight(const std::string& text, const TRect& rect, const TFormatParameters& format) {
        for (int height = 4 * format.FontSize; height >= 3; --height)
            if (auto lines = LayoutCellText(canvas, text, 4 * rect.Width(), 4 * rect.Height(), format, height))
                return *lines;
        return {};
    }

    // The one block the canvas received.
    const TCanvasCall& Block() const {
        EXPECT_EQ(target.Calls().size(), 1u);
        EXPECT_EQ(target.Calls().front().Op, TCanvasOp::Metafile);
        return target.Calls().front();
    }
};

}  // namespace

TEST_F(TextFittingTest, WrappingFindsTheLargestHeightThatFits) {
    const std::string texts[] = {
        "Столица Франции",
        "Крупное хищное животное семейства кошачьих",
        "Прибор для измерения атмосферного давления",
        "Электрификация",
        "Очень длинное определение, в котором много слов и запятых, чтобы строк было много",
        "а~бв~гд~ежз и-к-л мно",
    };
    const TRect boxes[] = {{0, 0, 100, 100}, {0, 0, 200, 100}, {0, 0, 60, 30}, {0, 0, 300, 40}, {0, 0, 25, 25}, {0, 0, 2, 2}};
    struct Variant {
        int size;
        bool hyphens;
        int fontWidth;
        int spercent;
        int interline;
    };
    const Variant variants[] = {{25, true, 100, 100, 100}, {25, false, 100, 100, 100}, {40, true, 50, 100, 150},
                                {12, true, 200, 12, 80}, {60, false, 100, 20, 100}};
    int fitted = 0, empty = 0;
    for (const std::string& utf8 : texts)
        for (const TRect& box : boxes)
            for (const Variant& v : variants) {
                TFormatParameters format = Format(v.size);
                format.HFlag = v.hyphens;
                format.FontWidth = static_cast<uint8_t>(v.fontWidth);
                format.SPercent = static_cast<uint8_t>(v.spercent);
                format.Interline = static_cast<uint8_t>(v.interline);
                const std::string text = Cp(utf8);
                const std::string wrapped = WrapCellText(canvas, text, box, format);
                EXPECT_EQ(wrapped, EveryHeight(text, box, format)) << utf8 << " " << box.Right << "x" << box.Bottom;
                (wrapped.empty() ? empty : fitted)++;
            }
    // The table reaches both ends.
    EXPECT_GT(fitted, 0);
    EXPECT_GT(empty, 0);
}

TEST_F(TextFittingTest, WrappingEdgeCases) {
    const TRect tiny{0, 0, 1, 1};
    EXPECT_EQ(WrapCellText(canvas, Cp("  Кот \r\n"), tiny, Format(10)), Cp("Кот"));
    EXPECT_EQ(canvas.Font.Charset, 1);  // a short text sets no font

    // A word too wide at every height, without a break: no layout at all.
    TFormatParameters plain = Format(10);
    plain.HFlag = false;
    EXPECT_EQ(WrapCellText(canvas, Cp("Электрификация"), {0, 0, 3, 100}, plain), "");
    EXPECT_EQ(canvas.Font.Charset, 204);
    EXPECT_EQ(canvas.Font.Name, "Arial Cyr");

    // Divided at a syllable, the first line ending in "-".
    const std::string divided = WrapCellText(canvas, Cp("Электрификация"), {0, 0, 3, 100}, Format(10));
    ASSERT_NE(divided.find("-\r\n"), std::string::npos);
    std::string joined = divided;
    for (std::size_t at; (at = joined.find("-\r\n")) != std::string::npos;) joined.erase(at, 3);
    EXPECT_EQ(joined, Cp("Электрификация"));

    // At a height where "абвгд" does not fit one line: a "~" after the first character is no break.
    TFormatParameters marked = Format(10);
    marked.HFlag = false;
    const int height = 20;  // letters 8 wide
    EXPECT_EQ(LayoutCellText(canvas, Cp("а~бвгд"), 30, 200, marked, height), std::nullopt);
    EXPECT_EQ(LayoutCellText(canvas, Cp("аб~вгд"), 30, 200, marked, height), Lines("аб-|вгд"));
    EXPECT_EQ(LayoutCellText(canvas, Cp("аб-вгд"), 30, 200, marked, height), Lines("аб-|вгд"));
    EXPECT_EQ(LayoutCellText(canvas, Cp("аб вгд"), 30, 200, marked, height), Lines("аб|вгд"));
    // The lines must fit the height too.
    EXPECT_EQ(LayoutCellText(canvas, Cp("аб вгд"), 30, 39, marked, height), std::nullopt);
    EXPECT_EQ(LayoutCellText(canvas, Cp("аб вгд"), 30, 40, marked, height), Lines("аб|вгд"));

    // The Z flag: the text's own breaks, unmeasured.
    TFormatParameters own = Format(10);
    own.Z = true;
    EXPECT_EQ(WrapCellText(canvas, Cp("один~два"), tiny, own), Lines("один|два"));

    // A size of 0 counts as 1.
    EXPECT_EQ(WrapCellText(canvas, "abcd", {0, 0, 100, 100}, Format(0)), "abcd");
    EXPECT_EQ(canvas.Font.Height, 4);
}

TEST_F(TextFittingTest, BlocksKeepTheirProportions) {
    // "ab" / "cd" at height 20: lines 16 wide, 20 high with a leading of 4, so the block is 16 x 36.
    struct Case {
        TRect box;
        bool centred;
        int fontWidth;
        TRect expected;
        double ratio;
    };
    const Case cases[] = {
        {{10, 10, 109, 109}, true, 100, {51, 41, 67, 77}, 1},
        {{10, 10, 109, 109}, false, 100, {10, 10, 26, 46}, 1},
        {{10, 10, 109, 109}, true, 50, {55, 41, 63, 77}, 1},
        {{10, 10, 109, 109}, true, 200, {43, 41, 75, 77}, 1},
        {{0, 0, 17, 17}, true, 100, {4, 0, 12, 18}, 2},            // 18 high: half size
        {{0, 0, 17, 17}, false, 200, {0, 0, 16, 18}, 2},
        {{0, 0, 7, 71}, true, 200, {0, 31, 8, 40}, 4},              // 32 wide into 8
    };
    for (const Case& c : cases) {
        target.Clear();
        TFormatParameters format = Format(20);
        format.FontWidth = static_cast<uint8_t>(c.fontWidth);
        format.FontColor = RgbColor(0x0000FF);
        double size = -1;
        DrawTextBlock(canvas, "ab\r\ncd", c.box, format, c.centred, false, size);
        const TCanvasCall& block = Block();
        EXPECT_EQ(block.Rect, c.expected) << c.box.Right << " " << c.fontWidth;
        EXPECT_DOUBLE_EQ(size, 20 / (c.ratio * 3.58)) << c.box.Right;
        ASSERT_TRUE(block.Metafile);
        EXPECT_EQ(block.Metafile->Width(), 16);
        EXPECT_EQ(block.Metafile->Height(), 36);
        const auto& lines = block.Metafile->Calls();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1].At, (TPoint{0, 20}));
        EXPECT_EQ(lines[1].Text, "cd");
        EXPECT_EQ(lines[1].Font.Color, 0x0000FFu);
        EXPECT_EQ(lines[1].Font.Charset, 204);
        EXPECT_EQ(lines[1].Brush.Style, TBrushStyle::Clear);
    }
}

TEST_F(TextFittingTest, BlockLinesAreCentredWithTheirPitch) {
    TFormatParameters format = Format(20);
    format.Interline = 150;
    double size = 0;
    DrawTextBlock(canvas, "abcd\r\nab\r\nabc", {0, 0, 999, 999}, format, true, false, size);
    const auto& lines = Block().Metafile->Calls();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].At, (TPoint{0, 0}));
    EXPECT_EQ(lines[1].At, (TPoint{8, 30}));
    EXPECT_EQ(lines[2].At, (TPoint{4, 60}));
    EXPECT_EQ(Block().Metafile->Height(), 60 + 20 - 4);
}

TEST_F(TextFittingTest, WrappedBlocks) {
    double size = 0;
    DrawTextBlock(canvas, Cp("Крупное хищное животное"), {0, 0, 99, 99}, Format(25), true, true, size);
    const TCanvasCall& block = Block();
    const std::string lines = WrapCellText(canvas, Cp("Крупное хищное животное"), {0, 0, 99, 99}, Format(25));
    std::string drawn;
    for (const TCanvasCall& line : block.Metafile->Calls()) drawn += (drawn.empty() ? "" : "\r\n") + line.Text;
    EXPECT_EQ(drawn, lines);
    EXPECT_GT(size, 0);
}

TEST_F(TextFittingTest, NothingToDraw) {
    struct Case {
        std::string text;
        TRect box;
        bool wrap;
    };
    TFormatParameters plain = Format(10);
    plain.HFlag = false;
    const Case cases[] = {
        {"ab", {10, 10, 10, 50}, false},
        {"ab", {10, 10, 50, 5}, false},
        {"", {0, 0, 50, 50}, false},
        {Cp("Электрификация"), {0, 0, 3, 100}, true},  // no fit
    };
    for (const Case& c : cases) {
        target.Clear();
        double size = -1;
        DrawTextBlock(canvas, c.text, c.box, plain, true, c.wrap, size);
        EXPECT_TRUE(target.Calls().empty()) << c.text;
        EXPECT_EQ(size, 0);
    }
}

TEST_F(TextFittingTest, FittedTextsShrink) {
    // "ABCD" at letter height 20: 40 wide, 25 high.
    struct Case {
        TRect box;
        int height;
        bool centred;
        TPoint at;
        int drawnHeight;
    };
    const Case cases[] = {
        {{0, 0, 40, 40}, 20, true, {0, 7}, -20},
        {{5, 5, 45, 45}, 20, false, {5, 5}, -20},
        {{0, 0, 20, 40}, 20, true, {0, 14}, -10},   // half as wide: half the height
        {{0, 0, 80, 10}, 20, true, {32, 0}, -8},    // 25 high into 10
        {{0, 0, 1, 1}, 5, true, {0, 0}, -1},       // never below 1
    };
    for (const Case& c : cases) {
        target.Clear();
        DrawFittedText(canvas, "ABCD", c.box, c.height, c.centred);
        ASSERT_EQ(target.Calls().size(), 1u);
        EXPECT_EQ(target.Calls()[0].At, c.at) << c.box.Right;
        EXPECT_EQ(target.Calls()[0].Font.Height, c.drawnHeight) << c.box.Right;
    }
    target.Clear();
    DrawFittedText(canvas, "ABCD", {10, 10, 10, 40}, 20, true);
    DrawFittedText(canvas, "ABCD", {10, 10, 40, 9}, 20, true);
    EXPECT_TRUE(target.Calls().empty());
}
