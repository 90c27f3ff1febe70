// The artwork the build draws ("graph.col", "font.col"), checked against the screens that use it.

#include "game/Game.h"
#include "gfx/GraphicsLoader.h"
#include "gfx/ScreenLayout.h"
#include "platform/GraphCollection.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

class Artwork : public ::testing::Test {
protected:
    Artwork() {
        ui->Messages.clear();  // only what the loaders say counts here
        EXPECT_TRUE(LoadGraphics(game.Surfaces, DataDir + "/graph.col"));
        EXPECT_TRUE(LoadFont(game.Letters, DataDir + "/font.col"));
    }

    // Every button of every screen, as the screens build them (the create button with its stop
    // images too).
    std::vector<std::vector<TBrevDXButton>> ScreensButtons() {
        std::vector<std::vector<TBrevDXButton>> screens;
        const auto keep = [&] {
            std::vector<TBrevDXButton> buttons(game.Buttons.Count());
            for (int i = 0; i < game.Buttons.Count(); ++i) {
                const TBrevDXButton& button = *game.Buttons.ButtonAt(i);
                buttons[i].Left = button.Left;
                buttons[i].Top = button.Top;
                buttons[i].Images = button.Images;
                buttons[i].Masks = button.Masks;
            }
            screens.push_back(std::move(buttons));
        };
        game.BuildSimpleMenu();
        keep();
        game.SetScreen(ScreenGenerating);
        keep();
        game.SimpleMode = false;
        game.BuildRatingMenu();
        keep();
        game.BuildPlayButtons();
        keep();
        return screens;
    }

    const TDirectDrawSurface& Image(const std::string& name) const {
        const TDirectDrawSurface* image = game.Surfaces.Find(name);
        if (!image) throw std::runtime_error("no image " + name);
        return *image;
    }

    ScopedRecordingUi ui;
    TGame game;
};

// What a menu control holds: the chosen item of a selector, the check box's state.
int Value(const TBrevDXClass& control) {
    if (control.Kind() == TControlKind::Selector) return static_cast<const TBrevSelector&>(control).ItemIndex;
    return static_cast<const TBrevCheckBox&>(control).Checked ? 1 : 0;
}

int ColourDistance(TColor32 a, TColor32 b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return sum;
}

}  // namespace

TEST_F(Artwork, HoldsEveryImageTheScreensNameAtItsSize) {
    EXPECT_TRUE(ui->Messages.empty());
    for (const auto& buttons : ScreensButtons())
        for (const auto& button : buttons)
            for (int state = 0; state < 3; ++state) {
                EXPECT_NE(game.Surfaces.Find(button.Images[state]), nullptr) << button.Images[state];
                EXPECT_NE(game.Surfaces.Find(button.Masks[state]), nullptr) << button.Masks[state];
            }
    struct Size {
        const char* name;
        int width, height;
    };
    const Size sizes[] = {
        {"BACK", ScreenWidth, ScreenHeight}, {"LINE_H", 385, 1}, {"LINE_V", 1, 385}, {"CHAR", 24, 24},
        {"NCHAR", 24, 24}, {"CHAR2", 24, 24}, {"33", 76, 76}, {"34", 76, 100}, {"43", 100, 76}, {"44", 100, 100},
    };
    for (const Size& size : sizes) {
        EXPECT_EQ(Image(size.name).Width(), size.width) << size.name;
        EXPECT_EQ(Image(size.name).Height(), size.height) << size.name;
    }
    for (const char* name : {"MBOX", "MBOX1", "LB", "SEL_H", "SEL_V", "CHECKON", "CHECKOFF"})
        EXPECT_NE(game.Surfaces.Find(name), nullptr) << name;
    EXPECT_EQ(Image("LB").Width(), ScreenWidth);
    EXPECT_GE(BottomPanelAt.Y + Image("LB").Height(), ScreenHeight);
}

TEST_F(Artwork, ButtonsFitTheirPlacesAndTheirMasksMatchTheirShapes) {
    for (const auto& buttons : ScreensButtons())
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const TBrevDXButton& button = buttons[i];
            const TDirectDrawSurface& mask = Image(button.Masks[0]);
            const TDirectDrawSurface& normal = Image(button.Images[0]);
            // No two buttons of a screen can be hit at the same point.
            for (std::size_t j = i + 1; j < buttons.size(); ++j) {
                const TDirectDrawSurface& other = Image(buttons[j].Masks[0]);
                const bool apart = button.Left + mask.Width() <= buttons[j].Left ||
                                   buttons[j].Left + other.Width() <= button.Left ||
                                   button.Top + mask.Height() <= buttons[j].Top ||
                                   buttons[j].Top + other.Height() <= button.Top;
                EXPECT_TRUE(apart) << button.Images[0] << " and " << buttons[j].Images[0];
            }
            // The mask covers what is drawn: every hit point shows the button, and the drawn
            // button inside the mask's rectangle is almost all hit area.
            int hits = 0, drawn = 0;
            for (int y = 0; y < mask.Height(); ++y)
                for (int x = 0; x < mask.Width(); ++x) {
                    const bool hit = mask.Pixel(x, y) != 0, shown = normal.Pixel(x, y) != normal.TransparentColor();
                    if (hit) {
                        EXPECT_TRUE(shown) << button.Images[0] << " at " << x << "," << y;
                    }
                    hits += hit;
                    drawn += shown;
                }
            EXPECT_GE(hits * 100, drawn * 80) << button.Masks[0];  // the rest is the shadow
            // Pressed and disabled look plainly different from normal.
            for (int state = 1; state < 3; ++state) {
                const TDirectDrawSurface& other = Image(button.Images[state]);
                long long distance = 0;
                for (int y = 0; y < mask.Height(); ++y)
                    for (int x = 0; x < mask.Width(); ++x)
                        if (mask.Pixel(x, y) != 0) distance += ColourDistance(normal.Pixel(x, y), other.Pixel(x, y));
                EXPECT_GE(distance / std::max(hits, 1), 40) << button.Images[state];
            }
        }
}

TEST_F(Artwork, GlyphsCoverTheTextsCrispAndOfOneHeight) {
    TGraphCollection font;
    font.FileName = DataDir + "/font.col";
    ASSERT_TRUE(font.LoadFromFile());
    std::set<int> codes;
    int height = -1;
    int inkTop = 1000, inkBottom = 0;  // of the digits
    for (int i = 0; i < font.Count(); ++i) {
        codes.insert(std::stoi(font.Name(i)));
        const TDIB& pixels = font.Picture(i).Pixels();
        if (height < 0) height = pixels.Height();
        EXPECT_EQ(pixels.Height(), height) << font.Name(i);
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x) {
                const TColor32 p = pixels.Pixel(x, y);
                ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << font.Name(i);
                const int code = std::stoi(font.Name(i));
                if (p != 0 && code >= '0' && code <= '9') {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y + 1);
                }
            }
    }
    // The results table has a row every 16 pixels: its numbers must not touch (with the shadow).
    EXPECT_LE(inkBottom - inkTop + 1, 15);
    EXPECT_GE(inkBottom - inkTop, 10);  // and still large on the 24-pixel cells
    for (int code = 32; code < 127; ++code) EXPECT_TRUE(codes.count(code)) << code;
    for (int code = 192; code < 256; ++code) EXPECT_TRUE(codes.count(code)) << code;
    EXPECT_TRUE(codes.count(168) && codes.count(184));  // Ё and ё
}

TEST_F(Artwork, TextsFitTheirPlaces) {
    const TLettersCollection& letters = game.Letters;
    const int line = letters.TextHeight("1");
    // The time line stays left of the arrow buttons even after ten minutes and a give-up.
    EXPECT_LT(TimeTextAt.X + letters.TextWidth("Время: &110:00.0 &2Игра окончена"_cp), UpAt.X);
    // The simple menu's lines stay inside its panel and above its first button.
    EXPECT_LE(CrossSizeAt.X + letters.TextWidth("Размер шаблона 16x16"_cp), SimpleBoxAt.X + Image("MBOX").Width() - 4);
    EXPECT_LE(SimpleHardAt.Y + line, CreateAt.Y);
    EXPECT_LE(RatingHardAt.Y + line, Create2At.Y);
    EXPECT_LE(MenuResultsAt.X + letters.TextWidth("&012x16 (4x4)"), MenuResultsAt.X + 200 - letters.TextWidth("&010:00"));
}

TEST_F(Artwork, AClickOnAMenuLineChangesThatLineOnEveryRowOfItsText) {
    for (const bool simple : {true, false}) {
        game.SimpleMode = simple;
        if (simple) {
            game.BuildSimpleMenu();
        } else {
            game.BuildRatingMenu();
            game.InitTournament();
            game.FillSizeList();
        }
        for (int i = 0; i < game.Controls.Count(); ++i) {
            TBrevDXClass& control = *game.Controls.ControlAt(i);
            // The rows the control's text is drawn on (the check box's image may stand taller).
            TDirectDrawSurface alone(ScreenWidth, ScreenHeight);
            control.Draw(alone, 0, 0);
            const int x = control.Left + 1;
            for (int y = 0; y < ScreenHeight; ++y) {
                bool inked = false;
                for (int px = control.Left; px < control.Left + 40 && !inked; ++px) inked = alone.Pixel(px, y) != 0;
                if (!inked) continue;
                const int before = Value(control);
                EXPECT_EQ(game.Controls.HitTest(x, y), i) << game.Controls.NameAt(i) << " row " << y;
                EXPECT_NE(Value(control), before) << game.Controls.NameAt(i) << " row " << y;
            }
        }
    }
}
