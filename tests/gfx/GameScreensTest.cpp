#include "game/Game.h"
#include "gfx/ScreenLayout.h"
#include "platform/Clock.h"
#include "platform/GraphCollection.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor32 Back = 0x102030;
constexpr TColor32 LineH = 0x00FF01;
constexpr TColor32 LineV = 0x0001FF;
constexpr TColor32 Frame = 0x808000;
constexpr TColor32 Tile = 0xEEEEEE;

TDIB Solid(int w, int h, TColor32 color) {
    TDIB image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.SetPixel(x, y, color);
    return image;
}

// A glyph for every printable code, each of its own width and pattern, so that two texts draw
// the same pixels only when they are the same text.
TGraphCollection DistinctFont() {
    TGraphCollection font;
    for (int code = 32; code < 256; ++code) {
        TDIB glyph(2 + code % 5, 7);
        for (int x = 0; x < glyph.Width(); ++x)
            for (int y = 0; y < 7; ++y)
                if ((code >> ((x * 7 + y) % 8)) & 1 || y == 0) glyph.SetPixel(x, y, 0xFFFFFF);
        font.AddGraphic(std::to_string(code), *TPicture::FromImage(TPictureKind::Bitmap, glyph));
    }
    return font;
}

class Screens : public ::testing::Test {
protected:
    Screens() {
        game.Surfaces.AddNamed("BACK", Solid(ScreenWidth, ScreenHeight, Back));
        game.Surfaces.AddNamed("LINE_H", Solid(FieldCells * CellPixels + 1, 1, LineH));
        game.Surfaces.AddNamed("LINE_V", Solid(1, FieldCells * CellPixels + 1, LineV));
        game.Surfaces.AddNamed("CHAR", Solid(CellPixels, CellPixels, Tile));
        game.Surfaces.AddNamed("44", Solid(4 * CellPixels + 4, 4 * CellPixels + 4, Frame));
        const TGraphCollection font = DistinctFont();
        for (int set = 0; set < 4; ++set)
            game.Letters.LoadGlyphSet(font, {TGlyphEffectKind::Plain, 0xFFFFFFu - static_cast<TColor32>(set), 0}, set);
    }

    // True when the target shows text drawn at (x, y) with its top there and nothing else in
    // the text's rectangle (over the plain background).
    bool ShowsText(int x, int y, THorzAlign horz, std::string_view text) const {
        TDirectDrawSurface expected(ScreenWidth, ScreenHeight);
        expected.Fill({0, 0, ScreenWidth, ScreenHeight}, Back);
        game.Letters.DrawText(expected, x, y, text, horz, TVertAlign::Top);
        const int width = game.Letters.TextWidth(text);
        const int left = horz == THorzAlign::Left ? x : horz == THorzAlign::Center ? x - width / 2 : x - width;
        for (int py = y; py < y + game.Letters.TextHeight(text); ++py)
            for (int px = left; px < left + width; ++px)
                if (target.Pixel(px, py) != expected.Pixel(px, py)) return false;
        return true;
    }

    // A game of W x H with w x h shards, shards dealt into the tray, the board empty.
    void StartGame(int W, int H, int w, int h) {
        game.SetupGeometry(W, H, w, h);
        for (auto& shard : game.ShardLetters)
            for (auto& column : shard) column.fill('A');
        game.DealShards();
        game.ResetBoard();
        game.BuildPlayButtons();
        game.SetScreen(ScreenPlay);
    }

    ScopedRecordingUi ui;
    ManualClock clock;
    TGame game;
    TDirectDrawSurface target{ScreenWidth, ScreenHeight};
};

int CountInColumn(const TDirectDrawSurface& surface, int x, TColor32 color) {
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y) count += surface.Pixel(x, y) == color;
    return count;
}

int CountInRow(const TDirectDrawSurface& surface, int y, TColor32 color) {
    int count = 0;
    for (int x = 0; x < surface.Width(); ++x) count += surface.Pixel(x, y) == color;
    return count;
}

}  // namespace

TEST_F(Screens, GridHasOneLineMoreForEvenSizes) {
    struct Case {
        int W, H, w, h;
        int horizontal, vertical;
    };
    for (const Case c : {Case{9, 9, 3, 3, 16, 16}, {12, 12, 4, 4, 17, 17}, {12, 9, 4, 3, 16, 17}, {9, 12, 3, 4, 17, 16}}) {
        StartGame(c.W, c.H, c.w, c.h);
        game.GiveUp();  // over: no outline or tray to cover the lines
        game.Board = {};
        game.DrawPlay(target);
        // Column 1 and row 1 cross the field between the lines of the other direction.
        EXPECT_EQ(CountInColumn(target, FieldLeft + 1, LineH), c.horizontal) << c.W << "x" << c.H;
        EXPECT_EQ(CountInRow(target, FieldTop + 1, LineV), c.vertical) << c.W << "x" << c.H;
        EXPECT_EQ(target.Pixel(FieldLeft + 1, game.OriginY), LineH);
        EXPECT_EQ(target.Pixel(game.OriginX, FieldTop + 1), LineV);
    }
}

TEST_F(Screens, TrayFramesStandAtTheirSlotsWithShardsTwoPixelsIn) {
    StartGame(12, 12, 4, 4);  // 3 x 3 shards of 96 pixels, 30 apart, centred right of the field
    game.DrawPlay(target);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            const int x = 416 + c * 126, y = 4 + r * 126;
            EXPECT_EQ(game.Tray[c][r].X, x);
            EXPECT_EQ(game.Tray[c][r].Y, y);
            EXPECT_EQ(target.Pixel(x, y), Frame);
            EXPECT_EQ(target.Pixel(x + 1, y + 1), Frame);
            EXPECT_EQ(target.Pixel(x + 2, y + 2), Tile);
            EXPECT_EQ(target.Pixel(x - 1, y), Back);
        }
}

TEST_F(Screens, TimeTextAfter65Point3Seconds) {
    StartGame(12, 12, 4, 4);
    clock.Advance(65300);
    game.DrawPlay(target);
    EXPECT_TRUE(ShowsText(TimeTextAt.X, TimeTextAt.Y, THorzAlign::Left, "Время: &11:05.3 "_cp));
    EXPECT_FALSE(ShowsText(TimeTextAt.X, TimeTextAt.Y, THorzAlign::Left, "Время: &11:5.3 "_cp));

    game.GiveUp();
    clock.Advance(5000);  // the clock stops at the end
    game.DrawPlay(target);
    EXPECT_TRUE(ShowsText(TimeTextAt.X, TimeTextAt.Y, THorzAlign::Left, "Время: &11:05.3 &2Игра окончена"_cp));
}

TEST_F(Screens, OnlyTheSlotUnderTheMouseGlowsAndTheGlowFades) {
    StartGame(12, 12, 4, 4);
    game.MouseX = game.BoardSlotLeft(1) + 40;
    game.MouseY = game.BoardSlotTop(2) + 40;
    for (int tick = 0; tick < 20; ++tick) game.Step();
    game.DrawPlay(target);
    const auto centre = [&](int c, int r) {
        return target.Pixel(game.BoardSlotLeft(c) + 50, game.BoardSlotTop(r) + 50);
    };
    EXPECT_GT(centre(1, 2) & 0xFF, Back & 0xFF);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            if (c != 1 || r != 2) {
                EXPECT_EQ(centre(c, r), Back) << c << "," << r;
            }

    game.MouseX = game.MouseY = -1;
    for (int tick = 0; tick < -GlowFloor; ++tick) game.Step();
    game.DrawPlay(target);
    EXPECT_EQ(centre(1, 2), Back);
}

TEST_F(Screens, ResultsShowPlayedEntriesAndDashesForTheRest) {
    game.InitTournament();
    game.Tournament[0] = {9, 9, 3, 3, 100, 440, 0, false};
    game.Tournament[1] = {12, 12, 4, 4, 0, -1, 1, false};  // given up
    game.Rating = 440;
    target.Fill({0, 0, ScreenWidth, ScreenHeight}, Back);
    game.DrawResults(target, 500, 30);
    struct Row {
        int i;
        const char* size;
        const char* time;
        const char* points;
    };
    for (const Row row : {Row{0, "&09x9 (3x3)", "&01:40", "&0440"}, {1, "&112x12 (4x4)", "&10:00", "&10"}}) {
        const int top = 30 + 20 + 16 * row.i;
        EXPECT_TRUE(ShowsText(500, top, THorzAlign::Left, row.size)) << row.i;
        EXPECT_TRUE(ShowsText(700, top, THorzAlign::Right, row.time)) << row.i;
        EXPECT_TRUE(ShowsText(770, top, THorzAlign::Right, row.points)) << row.i;
    }
    EXPECT_TRUE(ShowsText(700, 30 + 20 + 16 * 2, THorzAlign::Right, "&0-"));
    EXPECT_TRUE(ShowsText(770, 30 + 20 + 16 * 2, THorzAlign::Right, "&0-"));
    EXPECT_TRUE(ShowsText(500, 30 + 360, THorzAlign::Left, "&2Текущий рейтинг: &1440"_cp));
}

TEST_F(Screens, MissingImagesDrawPlainStandInsInsteadOfOldPixels) {
    TGame bare;
    bare.SetupGeometry(12, 12, 4, 4);
    bare.ShardLetters[0][0][0] = 'A';
    bare.DealShards();
    bare.ResetBoard();
    target.Fill({0, 0, ScreenWidth, ScreenHeight}, 0xABCDEF);
    bare.DrawPlay(target);
    for (int y = 0; y < ScreenHeight; y += 7)
        for (int x = 0; x < ScreenWidth; x += 7) ASSERT_NE(target.Pixel(x, y), 0xABCDEFu) << x << "," << y;
    target.Fill({0, 0, ScreenWidth, ScreenHeight}, 0xABCDEF);
    bare.DrawMenu(target);
    EXPECT_NE(target.Pixel(400, 300), 0xABCDEFu);
}

TEST_F(Screens, ButtonStatesFollowTheScreenAndTheReadyPuzzle) {
    game.BuildSimpleMenu();
    game.SetScreen(ScreenSimpleMenu);
    const auto state = [&](const char* name) { return game.Buttons.Find(name)->State(); };
    EXPECT_EQ(state("BT_BEGIN"), TControlState::Disabled);
    EXPECT_EQ(state("BT_CREATE"), TControlState::Normal);
    ASSERT_EQ(game.Controls.Count(), 3);
    EXPECT_EQ(game.Controls.FindSelector("CROSSSIZE")->Value(), "12x12");
    EXPECT_EQ(game.Controls.FindSelector("BLOCKSIZE")->Items, (std::vector<std::string>{"3x3", "4x3", "3x4", "4x4"}));
    EXPECT_EQ(game.Controls.FindCheckBox("HARD")->Height, game.Letters.TextHeight("1"));

    game.SetScreen(ScreenGenerating);
    EXPECT_EQ(game.Buttons.Find("BT_CREATE")->Images[0], "BT_STOP1");
    EXPECT_EQ(state("BT_LOAD"), TControlState::Disabled);
    game.SetReady(true);
    game.SetScreen(ScreenSimpleMenu);
    EXPECT_EQ(state("BT_BEGIN"), TControlState::Normal);
    EXPECT_EQ(state("BT_CREATE"), TControlState::Disabled);
    EXPECT_EQ(game.Buttons.Find("BT_CREATE")->Images[2], "BT_CREATE3");
    game.SetReady(false);
    EXPECT_EQ(state("BT_BEGIN"), TControlState::Disabled);
    EXPECT_EQ(state("BT_CREATE"), TControlState::Normal);

    // The rating menu offers nothing to create until its size list is filled.
    game.SimpleMode = false;
    game.BuildRatingMenu();
    game.SetScreen(ScreenRatingMenu);
    game.SetReady(true);
    EXPECT_EQ(state("BT_CREATE2"), TControlState::Disabled);
    EXPECT_EQ(state("BT_BEGIN2"), TControlState::Disabled);
    game.Controls.FindSelector("SIZE")->Items = {"9x9 (3x3)"};
    game.SetReady(false);
    game.SetScreen(ScreenRatingMenu);
    EXPECT_EQ(state("BT_CREATE2"), TControlState::Normal);

    // Rating play: no saving and no hint; a finished game leaves only the close button.
    StartGame(12, 12, 4, 4);
    EXPECT_EQ(state("BT_SAVE"), TControlState::Disabled);
    EXPECT_EQ(state("BT_HINT"), TControlState::Disabled);
    EXPECT_EQ(state("BT_CLEAR"), TControlState::Normal);
    game.GiveUp();
    game.SetScreen(ScreenPlay);
    for (int i = 0; i < game.Buttons.Count(); ++i)
        EXPECT_EQ(game.Buttons.ButtonAt(i)->State(),
                  game.Buttons.NameAt(i) == "BT_CLOSE" ? TControlState::Normal : TControlState::Disabled)
            << game.Buttons.NameAt(i);
}

TEST_F(Screens, RememberSizesReadsTheSimpleMenusSelectors) {
    game.BuildSimpleMenu();
    game.Controls.FindSelector("CROSSSIZE")->SetValue("15x12");
    game.FillShardSizes(15, 12);
    game.Controls.FindSelector("BLOCKSIZE")->SetValue("3x4");
    game.RememberSizes();
    EXPECT_EQ(game.LastSize, (std::array<uint8_t, 4>{15, 12, 3, 4}));
    EXPECT_EQ(game.Controls.FindSelector("BLOCKSIZE")->Items, (std::vector<std::string>{"3x3", "3x4"}));
}

TEST_F(Screens, TheHintMarksTheSolutionsLetterCellsAndSaysItIsOn) {
    constexpr TColor32 Mark = 0xAA2200;
    game.Surfaces.AddNamed("CHAR2", Solid(CellPixels, CellPixels, Mark));
    StartGame(12, 12, 4, 4);
    for (int id = 0; id < MaxShards; ++id)
        for (int cx = 0; cx < 4; ++cx)
            for (int cy = 0; cy < 4; ++cy) game.ShardLetters[id][cx][cy] = (id + cx + cy) % 3 == 0 ? '*' : 'A';
    const std::string_view status = "Подсказка: &1активирована"_cp;
    for (const bool hint : {true, false}) {
        game.HintUsed = hint;
        game.DrawPlay(target);
        // Board slot (c, r) shows the marks of shard c * 3 + r, the one cut from there.
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                for (int cx = 0; cx < 4; ++cx)
                    for (int cy = 0; cy < 4; ++cy) {
                        const bool letter = (c * 3 + r + cx + cy) % 3 != 0;
                        const TColor32 shown = target.Pixel(game.BoardSlotLeft(c) + CellPixels * cx + 12,
                                                            game.BoardSlotTop(r) + CellPixels * cy + 12);
                        EXPECT_EQ(shown, hint && letter ? Mark : Back) << c << "," << r << " cell " << cx << "," << cy;
                    }
        EXPECT_EQ(ShowsText(SecondLineAt.X, SecondLineAt.Y, THorzAlign::Left, status), hint);
    }
}

TEST_F(Screens, RatingPointsShowOnlyWhileTheyCanStillBeWon) {
    game.SimpleMode = false;
    StartGame(9, 9, 3, 3);  // 540 points at rating 0
    clock.Advance(10400);
    game.DrawPlay(target);
    const std::string points = std::string("Рейтинг-очки: &1530"_cp);
    EXPECT_TRUE(ShowsText(SecondLineAt.X, SecondLineAt.Y, THorzAlign::Left, points));

    game.GiveUp();
    game.DrawPlay(target);
    const int width = game.Letters.TextWidth(points), height = game.Letters.TextHeight(points);
    for (int y = SecondLineAt.Y; y < SecondLineAt.Y + height; ++y)
        for (int x = SecondLineAt.X; x < SecondLineAt.X + width; ++x) ASSERT_EQ(target.Pixel(x, y), Back) << x << "," << y;
}
