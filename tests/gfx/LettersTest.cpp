#include "gfx/LettersCollection.h"
#include "gfx/SurfaceCollection.h"
#include "platform/GraphCollection.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor32 White = 0xFFFFFF;

// A glyph picture of w x h with the pixels of `set` ("#" set, "." black), row by row.
TDIB Picture(int w, int h, std::string_view set = {}) {
    TDIB image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (set.empty() || set[y * w + x] == '#') image.SetPixel(x, y, White);
    return image;
}

// Glyph pictures of the given widths (all 8 high but "." which is 3 high) under their codes.
TGraphCollection Font() {
    TGraphCollection font;
    const auto add = [&](unsigned char code, int w, int h) {
        font.AddGraphic(std::to_string(code), *TPicture::FromImage(TPictureKind::Bitmap, Picture(w, h)));
    };
    add('A', 5, 8);
    add('B', 6, 8);
    add('&', 4, 8);
    add('.', 2, 3);
    add(static_cast<unsigned char>("Ж"_cp[0]), 9, 8);
    return font;
}

class Letters : public ::testing::Test {
protected:
    Letters() {
        const TGraphCollection font = Font();
        letters.LoadGlyphSet(font, {TGlyphEffectKind::Plain, 0xFFFFFF, 0}, 0);
        letters.LoadGlyphSet(font, {TGlyphEffectKind::Plain, 0xFFFF00, 0}, 1);
    }
    ScopedRecordingUi ui;
    TLettersCollection letters;
};

}  // namespace

TEST_F(Letters, MarksSwitchSetsAndADoubleAmpersandDrawsOne) {
    const int a0 = letters.Glyph(0, 'A'), a1 = letters.Glyph(1, 'A'), amp0 = letters.Glyph(0, '&');
    const int amp1 = letters.Glyph(1, '&');
    ASSERT_GE(a0, 0);
    ASSERT_NE(a0, a1);
    struct Case {
        std::string text;
        std::vector<int> glyphs;
    };
    const Case cases[] = {
        {"A", {a0}},
        {"&1A", {a1}},
        {"&1A&0A", {a1, a0}},
        {"&&", {amp0}},
        {"&1&&A", {amp1, a1}},
        {"&1&BA", {a0}},                                       // "&B" switches to set 0; B is not drawn
        {"A&", {a0}},                                          // a lone "&" at the end draws nothing
        {"&5A", {-1}},                                         // set 5 holds no glyphs
        {"Az", {a0, -1}},
    };
    for (const auto& c : cases) EXPECT_EQ(letters.ParseMarkup(c.text), c.glyphs) << c.text;
}

TEST_F(Letters, WidthHeightAndAlignment) {
    EXPECT_EQ(letters.TextWidth("AB"), (5 + 2) + (6 + 2));
    EXPECT_EQ(letters.TextWidth("&1A?"), 5 + 2 + 10);
    EXPECT_EQ(letters.TextWidth(""), 0);
    EXPECT_EQ(letters.TextHeight("A."), 8);
    EXPECT_EQ(letters.TextHeight("."), 3);
    EXPECT_EQ(letters.TextHeight("??"), 0);
    EXPECT_EQ(letters.TextWidth("Ж"_cp), 11);

    struct Case {
        THorzAlign horz;
        TVertAlign vert;
        int left, top;  // where "A.B" (width 19, height 8) starts when anchored at (50, 40)
    };
    const Case cases[] = {
        {THorzAlign::Left, TVertAlign::Top, 50, 40},
        {THorzAlign::Center, TVertAlign::Center, 50 - 9, 40 - 4},
        {THorzAlign::Right, TVertAlign::Bottom, 50 - 19, 40 - 8},
    };
    for (const auto& c : cases) {
        TDirectDrawSurface target(100, 80);
        letters.DrawText(target, 50, 40, "A.B", c.horz, c.vert);
        EXPECT_EQ(target.Pixel(c.left, c.top), White);
        EXPECT_EQ(target.Pixel(c.left - 1, c.top), 0u);
        EXPECT_EQ(target.Pixel(c.left, c.top - 1), 0u);
        EXPECT_EQ(target.Pixel(c.left + 4, c.top + 7), White);  // A fills 5 x 8
        EXPECT_EQ(target.Pixel(c.left + 5, c.top), 0u);          // 2 pixels of spacing
        EXPECT_EQ(target.Pixel(c.left + 7, c.top + 2), White);  // "." (3 high) shares the top row
        EXPECT_EQ(target.Pixel(c.left + 7, c.top + 3), 0u);
        EXPECT_EQ(target.Pixel(c.left + 11, c.top), White);  // B after A and "."
    }
}

TEST_F(Letters, MissingCharactersAdvanceTenPixelsAndDrawNothing) {
    TDirectDrawSurface target(60, 20);
    letters.DrawText(target, 0, 0, "?A", THorzAlign::Left, TVertAlign::Top);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(target.Pixel(x, 0), 0u);
    EXPECT_EQ(target.Pixel(10, 0), White);
}

TEST(LettersLoading, GlyphNamesAreDecimalCodesModulo256) {
    ScopedRecordingUi ui;
    TGraphCollection font;
    for (const char* name : {"448", "x", "65"})
        font.AddGraphic(name, *TPicture::FromImage(TPictureKind::Bitmap, Picture(3, 3)));
    TLettersCollection letters;
    letters.LoadGlyphSet(font, {}, 2);
    letters.LoadGlyphSet(font, {}, 10);  // ignored
    EXPECT_EQ(letters.Count(), 3);
    EXPECT_EQ(letters.Glyph(2, 192), 0);
    EXPECT_EQ(letters.Glyph(2, 0), 1);
    EXPECT_EQ(letters.Glyph(2, 'A'), 2);
    EXPECT_EQ(letters.Glyph(0, 'A'), -1);
    EXPECT_EQ(letters.Surface(0).TransparentColor(), 0u);
    EXPECT_EQ(ui->ProcessMessagesCalls, 1);
}

TEST(Glyphs, EffectsColourShadowAndOutline) {
    const TDIB dot = Picture(2, 2, "#...");  // one set pixel at (0, 0)
    const TColor32 c1 = 0xFFFF00, c2 = 0x000040;

    const TDIB plain = TLettersCollection::MakeGlyph(dot, {TGlyphEffectKind::Plain, c1, c2});
    EXPECT_EQ(plain.Width(), 2);
    EXPECT_EQ(plain.Pixel(0, 0), c1);
    EXPECT_EQ(plain.Pixel(1, 1), 0u);

    const TDIB shadowed = TLettersCollection::MakeGlyph(Picture(2, 2, "##.#"), {TGlyphEffectKind::Shadowed, c1, c2});
    EXPECT_EQ(shadowed.Width(), 3);
    EXPECT_EQ(shadowed.Height(), 3);
    EXPECT_EQ(shadowed.Pixel(1, 1), c1);  // a set pixel is never covered by a shadow
    EXPECT_EQ(shadowed.Pixel(2, 2), c2);
    EXPECT_EQ(shadowed.Pixel(0, 1), 0u);

    const TDIB outlined = TLettersCollection::MakeGlyph(dot, {TGlyphEffectKind::Outlined, c1, c2});
    EXPECT_EQ(outlined.Width(), 4);
    EXPECT_EQ(outlined.Pixel(1, 1), c1);
    for (auto [x, y] : {std::pair{0, 1}, {2, 1}, {1, 0}, {1, 2}}) EXPECT_EQ(outlined.Pixel(x, y), c2);
    EXPECT_EQ(outlined.Pixel(0, 0), 0u);

    TDIB levels(3, 3);
    levels.SetPixel(0, 0, 0x0000FF);
    levels.SetPixel(1, 0, 0x000080);  // 128 / 255 is just above one half
    levels.SetPixel(2, 0, 0x00007F);  // just below: dropped
    levels.SetPixel(2, 2, 0x0000FF);  // its pixel would fall outside
    const TDIB shaded = TLettersCollection::MakeGlyph(levels, {TGlyphEffectKind::Shaded, 0xC8C8C8, 0});
    EXPECT_EQ(shaded.Width(), 3);
    EXPECT_EQ(shaded.Pixel(1, 1), 0xC8C8C8u);
    EXPECT_EQ(shaded.Pixel(2, 1), 0x646464u);
    EXPECT_EQ(shaded.Pixel(0, 0), 0u);
    EXPECT_EQ(shaded.Pixel(2, 2), 0u);

    EXPECT_EQ(TLettersCollection::MakeGlyph(levels, {}).Pixel(1, 0), 0x000080u);
}

TEST(SurfaceSortCollection, KeepsNamesSortedAndReplacesByName) {
    TSurfaceSortCollection surfaces;
    for (std::string_view name : {"LINE_V", "BT_MASK", "\xC0", "BT", "33", "LINE_H"})
        surfaces.AddNamed(name, TDIB(1, 1));
    EXPECT_EQ(surfaces.AddFromDIB(TDIB(1, 1)), -1);
    ASSERT_EQ(surfaces.Count(), 6);
    const char* order[] = {"33", "BT", "BT_MASK", "LINE_H", "LINE_V", "\xC0"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(surfaces.Name(i), order[i]);

    EXPECT_EQ(surfaces.AddNamed("BT", TDIB(7, 2)), 1);
    EXPECT_EQ(surfaces.Count(), 6);
    EXPECT_EQ(surfaces.Find("BT")->Width(), 7);

    struct Case {
        const char* name;
        bool found;
        int index;
    };
    for (const Case c : {Case{"33", true, 0}, {"0", false, 0}, {"BT_", false, 2}, {"LINE_V", true, 4}, {"\xFF", false, 6}}) {
        const TNameSearch search = surfaces.FindName(c.name);
        EXPECT_EQ(search.Found, c.found) << c.name;
        EXPECT_EQ(search.Index, c.index) << c.name;
    }
    EXPECT_EQ(surfaces.Find("bt"), nullptr);
}
