#include "gfx/BrevCollections.h"
#include "platform/GraphCollection.h"
#include "platform/RecordingUi.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor32 White = 0xFFFFFF;

// Surfaces for controls: a round-ish mask (corners black), three button images, the box images.
class Controls : public ::testing::Test {
protected:
    Controls() {
        TDIB mask(10, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x)
                if (!((x == 0 || x == 9) && (y == 0 || y == 5))) mask.SetPixel(x, y, White);
        surfaces.AddNamed("MASK", mask);
        for (int i = 1; i <= 3; ++i) surfaces.AddNamed("B" + std::to_string(i), Solid(10, 6, 0x100000 * i));
        surfaces.AddNamed("CHECKON", Solid(8, 8, 0x00FF00));
        surfaces.AddNamed("CHECKOFF", Solid(8, 8, 0xFF0000));

        TGraphCollection font;
        for (const char c : std::string("abc:x"))
            font.AddGraphic(std::to_string(static_cast<unsigned char>(c)), *TPicture::FromImage(TPictureKind::Bitmap, Solid(4, 6, White)));
        letters.LoadGlyphSet(font, {TGlyphEffectKind::Plain, White, 0}, 0);
    }

    static TDIB Solid(int w, int h, TColor32 color) {
        TDIB image(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.SetPixel(x, y, color);
        return image;
    }

    std::unique_ptr<TBrevDXButton> Button(int left, int top) {
        auto button = std::make_unique<TBrevDXButton>();
        button->Surfaces = &surfaces;
        button->Left = left;
        button->Top = top;
        button->SetImages("B1|B2|B3");
        button->SetMasks("MASK|MASK|MASK");
        return button;
    }

    ScopedRecordingUi ui;
    TSurfaceSortCollection surfaces;
    TLettersCollection letters;
};

}  // namespace

TEST_F(Controls, ButtonHitsFollowTheMaskAndItsState) {
    TBrevButtonCollection buttons;
    TBrevDXButton& button = buttons.Add("BT", Button(100, 50));
    EXPECT_EQ(buttons.HitTest(101, 51), 0);
    EXPECT_EQ(buttons.HitTest(100, 50), -1);  // inside the rectangle, but the mask is black there
    EXPECT_EQ(buttons.HitTest(110, 51), -1);  // right of the mask
    EXPECT_EQ(buttons.HitTest(99, 52), -1);
    button.SetState(TControlState::Disabled);
    EXPECT_EQ(buttons.HitTest(101, 51), -1);
    button.SetState(TControlState::Normal);
    button.SetMasks("NONE");
    EXPECT_EQ(buttons.HitTest(101, 51), -1);
    button.Surfaces = nullptr;
    EXPECT_EQ(buttons.HitTest(101, 51), -1);
}

TEST_F(Controls, ImageAndMaskNamesSplitAtBars) {
    TBrevDXButton button;
    button.SetImages("BT_SAVE1|BT_SAVE2|BT_SAVE3");
    EXPECT_EQ(button.Images[2], "BT_SAVE3");
    button.SetMasks("ONE");
    EXPECT_EQ(button.Masks, (std::array<std::string, 3>{"ONE", "", ""}));
    button.SetMasks("A||C|D");
    EXPECT_EQ(button.Masks, (std::array<std::string, 3>{"A", "", "C"}));
}

TEST_F(Controls, APressClicksOnceAfterFiveTicksAndShowsEachStatesImage) {
    TBrevButtonCollection buttons;
    TBrevDXButton& first = buttons.Add("first", Button(0, 0));
    TBrevDXButton& second = buttons.Add("second", Button(20, 0));
    first.Press();
    EXPECT_EQ(buttons.HitTest(1, 1), -1);  // a pressed button cannot be pressed again

    TDirectDrawSurface target(40, 10);
    buttons.DrawAll(target, 0, 0);
    EXPECT_EQ(target.Pixel(1, 1), 0x200000u);
    EXPECT_EQ(target.Pixel(21, 1), 0x100000u);

    for (int tick = 1; tick < TBrevDXButton::ClickTicks; ++tick) {
        EXPECT_FALSE(buttons.TickAll());
        if (tick == 2) second.Press();
    }
    EXPECT_TRUE(buttons.TickAll());
    EXPECT_TRUE(first.Clicked());
    EXPECT_FALSE(first.Clicked());
    EXPECT_FALSE(second.Clicked());
    EXPECT_FALSE(buttons.TickAll());
    EXPECT_TRUE(buttons.TickAll());
    EXPECT_TRUE(second.Clicked());

    second.SetState(TControlState::Disabled);
    buttons.DrawAll(target, 0, 2);
    EXPECT_EQ(target.Pixel(21, 3), 0x300000u);
    EXPECT_FALSE(second.Clicked());
}

TEST_F(Controls, SelectorStepsWrapsAndKeepsItsChoiceForUnknownValues) {
    TBrevSelector selector(10, 20);
    selector.Letters = &letters;
    selector.Caption = "a:";
    selector.Items = {"ab", "b", "c"};
    EXPECT_EQ(selector.DisplayText(), "&0a: ab");
    const int width = letters.TextWidth(selector.DisplayText());
    // Glyphs 6 rows high, centred on row 20: rows 17 .. 22.
    EXPECT_FALSE(selector.HitTest(10 + width, 20));
    EXPECT_FALSE(selector.HitTest(9, 20));
    EXPECT_FALSE(selector.HitTest(10, 16));
    EXPECT_FALSE(selector.HitTest(10, 23));
    EXPECT_EQ(selector.ItemIndex, 0);
    selector.ItemIndex = 2;
    EXPECT_TRUE(selector.HitTest(10, 17));
    EXPECT_EQ(selector.ItemIndex, 0);
    EXPECT_TRUE(selector.HitTest(10 + width - 1, 22));
    EXPECT_EQ(selector.Value(), "b");

    selector.SetValue("c");
    EXPECT_EQ(selector.ItemIndex, 2);
    selector.SetValue("C");
    EXPECT_EQ(selector.ItemIndex, 2);

    selector.Items.clear();
    selector.ItemIndex = 0;
    EXPECT_EQ(selector.DisplayText(), "&0a:");
    EXPECT_TRUE(selector.HitTest(10, 20));
    EXPECT_EQ(selector.ItemIndex, 0);
    EXPECT_EQ(selector.Value(), "");
}

TEST_F(Controls, ASelectorIsHitOnEveryRowItsTextIsDrawnOnAndNowhereElse) {
    for (const int height : {0, 7, 12}) {
        TBrevSelector selector(10, 20);
        selector.Letters = &letters;
        selector.Caption = "abc";
        selector.Height = height;
        TDirectDrawSurface target(60, 50);
        selector.Draw(target, 0, 0);
        for (int y = 0; y < target.Height(); ++y) {
            bool drawn = false;
            for (int x = 0; x < target.Width(); ++x) drawn = drawn || target.Pixel(x, y) != 0;
            EXPECT_EQ(selector.HitTest(12, y), drawn) << "height " << height << ", row " << y;
        }
    }
}

TEST_F(Controls, OnlyTheFirstOfTwoOverlappingCheckBoxesToggles) {
    TBrevControlCollection controls;
    TBrevCheckBox& first = controls.Add("HARD", std::make_unique<TBrevCheckBox>(0, 0, 50, 10));
    TBrevCheckBox& second = controls.Add("OTHER", std::make_unique<TBrevCheckBox>(20, 0, 50, 10));
    EXPECT_EQ(controls.HitTest(30, 5), 0);
    EXPECT_TRUE(first.Checked);
    EXPECT_FALSE(second.Checked);
    EXPECT_EQ(controls.HitTest(60, 5), 1);
    EXPECT_TRUE(second.Checked);
    first.SetState(TControlState::Disabled);
    EXPECT_EQ(controls.HitTest(30, 5), 1);
    EXPECT_EQ(controls.FindCheckBox("HARD"), &first);
    EXPECT_EQ(controls.FindSelector("HARD"), nullptr);
    EXPECT_EQ(controls.IndexOfName("none"), -1);
    EXPECT_EQ(controls.ControlAt(2), nullptr);
}

TEST_F(Controls, CheckBoxDrawsCaptionLeftAndTheBoxOfItsStateRight) {
    TBrevCheckBox box(10, 10, 60, 12);
    box.Surfaces = &surfaces;
    box.Letters = &letters;
    box.Caption = "abc";
    TDirectDrawSurface target(100, 40);
    box.Draw(target, 0, 0);
    EXPECT_EQ(target.Pixel(10, 13), White);          // caption centred on row 16: rows 13..18
    EXPECT_EQ(target.Pixel(10, 12), 0u);
    EXPECT_EQ(target.Pixel(62, 12), 0xFF0000u);      // the off box: 8 x 8 at x 62, y 12
    EXPECT_EQ(target.Pixel(61, 12), 0u);
    box.Checked = true;
    box.Draw(target, 0, 0);
    EXPECT_EQ(target.Pixel(69, 19), 0x00FF00u);

    box.Surfaces = nullptr;  // without images only the caption is drawn
    TDirectDrawSurface bare(100, 40);
    box.Draw(bare, 0, 0);
    EXPECT_EQ(bare.Pixel(62, 12), 0u);
    EXPECT_EQ(bare.Pixel(10, 13), White);
}
