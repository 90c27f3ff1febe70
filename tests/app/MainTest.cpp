#include "app/Main.h"
#include "banner/GifWriter.h"
#include "platform/FileText.h"
#include "platform/RecordFile.h"

#include <filesystem>
#include <unistd.h>
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The main window without a display, on the play screen of an 8 x 8 game in 4 x 4 shards with
// shard i in the i-th tray slot.
class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.FormShow());
        game.PlaySound = [this](TSound s) { sounds.push_back(s); };
        game.SetupGeometry(8, 8, 4, 4);
        game.LayoutTray();
        game.ResetBoard();
        int id = 0;
        for (int c = 0; c < 2; ++c)
            for (int r = 0; r < 2; ++r) game.Tray[c][r].Shard = static_cast<int16_t>(id++);
        game.SetScreen(ScreenPlay);
    }

    int TrayX(int c) const { return game.Tray[c][0].X + 10; }
    int TrayY(int r) const { return game.Tray[0][r].Y + 10; }

    ScopedRecordingUi ui;
    ManualClock clock;
    TfmMain form{TDisplayMode::Headless};
    TGame& game = form.Game();
    std::vector<TSound> sounds;
    const TShiftState leftHeld{true, false, false};
    const TShiftState noneHeld{};
};

}  // namespace

TEST_F(MainWindow, TheBannerStripSwallowsEveryPress) {
    game.Tray[0][0].Y = 470;  // a shard lying inside the strip
    for (const auto button : {TMouseButton::Left, TMouseButton::Right}) {
        form.MouseDown(button, leftHeld, TrayX(0), 480);
        EXPECT_FALSE(game.Dragging);
    }
    form.MouseDown(TMouseButton::Left, leftHeld, TrayX(0), 464);  // just above the strip
    EXPECT_FALSE(game.Dragging);
    form.MouseDown(TMouseButton::Left, leftHeld, 10, 10);
    EXPECT_FALSE(game.Dragging);
    EXPECT_TRUE(ui->Links.empty());  // no banner loaded: nothing is opened
}

TEST_F(MainWindow, OnlyALeftReleaseDropsTheDraggedShard) {
    form.MouseDown(TMouseButton::Left, leftHeld, TrayX(1), TrayY(1));
    ASSERT_TRUE(game.Dragging);
    const int boardX = game.BoardSlotLeft(0) + 5, boardY = game.BoardSlotTop(0) + 5;
    form.MouseMove(leftHeld, boardX, boardY);
    form.MouseUp(TMouseButton::Right, leftHeld, boardX, boardY);
    EXPECT_TRUE(game.Dragging);
    EXPECT_EQ(game.Board[0][0].Shard, -1);
    form.MouseUp(TMouseButton::Left, noneHeld, boardX, boardY);
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(game.Board[0][0].Shard, 3);
    EXPECT_EQ(sounds, std::vector<TSound>{TSound::BlockSet});
}

TEST_F(MainWindow, AMoveWithTheLeftButtonUpCancelsTheDragSilently) {
    form.MouseDown(TMouseButton::Left, leftHeld, TrayX(0), TrayY(1));
    ASSERT_TRUE(game.Dragging);
    form.MouseMove(leftHeld, 200, 200);
    EXPECT_TRUE(game.Dragging);
    EXPECT_EQ(game.MouseX, 200);
    form.MouseMove(noneHeld, 210, 210);
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(game.Tray[0][1].Shard, 1);  // the first free tray slot in reading order is its own
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MainWindow, MenusIgnoreTheMouseForTheGame) {
    game.SetScreen(ScreenSimpleMenu);
    form.MouseDown(TMouseButton::Left, leftHeld, TrayX(0), TrayY(0));
    form.MouseMove(noneHeld, 5, 5);
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(game.MouseX, -1);
}

TEST_F(MainWindow, EveryTickStepsTheGameAndPaintsOneFrame) {
    game.MouseX = game.BoardSlotLeft(0) + 1;
    game.MouseY = game.BoardSlotTop(0) + 1;
    const int flips = form.DXDraw().FlipCount();
    form.Tick();
    form.Paint();
    EXPECT_EQ(game.Glow[0][0], -1);
    EXPECT_EQ(form.DXDraw().FlipCount(), flips + 1);
}

TEST_F(MainWindow, APressInTheStripOpensTheCurrentBannersLinkAndPaintDrawsIt) {
    TGifFrame frame{TDIB(468, 60), 0, std::nullopt};
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 468; ++x) frame.Image.SetPixel(x, y, 0x00A000);
    TReklama& banner = form.Banner();
    banner.SetItemText(banner.AddBanner(EncodeGif(468, 60, {frame}, true)), IntToBytes(1) + "https://example.org/rules");
    game.Tray[0][0].Y = 470;
    form.MouseDown(TMouseButton::Right, noneHeld, TrayX(0), 490);
    EXPECT_EQ(ui->Links, std::vector<std::string>{"https://example.org/rules"});
    EXPECT_FALSE(game.Dragging);

    form.Paint();
    const TDirectDrawSurface& screen = form.DXDraw().Surface();
    EXPECT_EQ(screen.Pixel(22, 465), 0x00A000u);   // top-left: x = 22, y = 495 - 60 / 2
    EXPECT_EQ(screen.Pixel(489, 524), 0x00A000u);  // bottom-right
    EXPECT_NE(screen.Pixel(21, 495), 0x00A000u);
    EXPECT_NE(screen.Pixel(22, 525), 0x00A000u);
}

TEST(MainWindowStart, ABannerThatCannotBeDecodedDoesNotStopTheStart) {
    namespace fs = std::filesystem;
    ScopedRecordingUi ui;
    const fs::path dir = fs::temp_directory_path() / ("zelvana-start-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TGifFrame frame{TDIB(4, 2), 5, std::nullopt};
    const std::string gif = EncodeGif(4, 2, {frame, frame}, true);
    std::string file;
    AppendTwoPartRecord(file, IntToBytes(1) + "https://a.example", gif);
    AppendTwoPartRecord(file, IntToBytes(1) + "https://b.example", gif.substr(0, 20));
    AppendTwoPartRecord(file, IntToBytes(1) + "https://c.example", gif);
    ASSERT_TRUE(WriteFileText((dir / "rekl.col").string(), file));

    const fs::path before = fs::current_path();
    fs::current_path(dir);
    {
        TfmMain form(TDisplayMode::Headless);
        EXPECT_TRUE(form.FormShow());
        EXPECT_EQ(form.Game().Screen, ScreenSimpleMenu);
        ASSERT_EQ(form.Banner().Count(), 2);
        EXPECT_EQ(form.Banner().Link(1), "https://c.example");
    }
    fs::current_path(before);
    fs::remove_all(dir);
}
