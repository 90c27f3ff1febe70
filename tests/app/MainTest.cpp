#include "app/Main.h"
#include "banner/GifWriter.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/RecordFile.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

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
    TfmMain form{TDisplayMode::Headless, TDataFolders::In(ZELVANA_DATA_DIR)};
    TGame& game = form.Game();
    std::vector<TSound> sounds;
    const TShiftState leftHeld{true, false, false};
    const TShiftState noneHeld{};
};

// A folder of its own for a test, removed when the test ends however it ends.
class ScopedFolder {
public:
    explicit ScopedFolder(std::string_view name)
        : mPath(fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()))) {
        fs::remove_all(mPath);
        fs::create_directories(mPath);
    }
    ~ScopedFolder() { fs::remove_all(mPath); }
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;

    std::string Path() const { return mPath.string(); }
    std::string File(std::string_view name) const { return (mPath / name).string(); }

private:
    fs::path mPath;
};

// A rekl.col of one single-frame banner per link.
std::string BannersLinkingTo(const std::vector<std::string>& links) {
    TGifFrame frame{TDIB(4, 2), 5, std::nullopt};
    const std::string gif = EncodeGif(4, 2, {frame}, true);
    std::string file;
    for (const std::string& link : links) AppendTwoPartRecord(file, IntToBytes(1) + link, gif);
    return file;
}

}  // namespace

TEST_F(MainWindow, TheBannerStripSwallowsEveryPress) {
    form.Banner().Clear();
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
    banner.Clear();
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

TEST_F(MainWindow, AnUnchangedScreenIsNotDrawnAgain) {
    form.Banner().Clear();
    game.SetScreen(ScreenSimpleMenu);
    form.Paint();
    for (int i = 0; i < 50; ++i) {
        clock.Advance(10);
        form.Tick();
        ASSERT_FALSE(form.DXDraw().Invalidated()) << "tick " << i;
    }
    form.MouseDown(TMouseButton::Left, leftHeld, 5, 5);
    EXPECT_TRUE(form.DXDraw().Invalidated());
}

TEST_F(MainWindow, TheClockTheGlowAndTheBannerAskForNewFramesAsTheyChange) {
    form.Banner().Clear();
    form.Tick();
    form.Paint();
    clock.Advance(50);  // the clock shows tenths: nothing new yet
    form.Tick();
    EXPECT_FALSE(form.DXDraw().Invalidated());
    clock.Advance(50);
    form.Tick();
    EXPECT_TRUE(form.DXDraw().Invalidated());
    form.Paint();

    game.GiveUp();  // the clock stops
    form.Tick();
    form.Paint();
    clock.Advance(1000);
    form.Tick();
    EXPECT_FALSE(form.DXDraw().Invalidated());
    game.GameOver = false;
    game.MouseX = game.BoardSlotLeft(0) + 1;
    game.MouseY = game.BoardSlotTop(0) + 1;
    game.EndTick = game.StartTick = clock.Now();
    form.Tick();
    form.Paint();
    form.Tick();  // the glow deepens under the mouse
    EXPECT_TRUE(form.DXDraw().Invalidated());

    game.SetScreen(ScreenSimpleMenu);
    TGifFrame first{TDIB(4, 2), 20, std::nullopt}, second{TDIB(4, 2), 20, std::nullopt};
    second.Image.SetPixel(0, 0, 0xFFFFFF);
    form.Banner().AddBanner(EncodeGif(4, 2, {first, second}, true));
    form.Tick();  // the first frame
    EXPECT_TRUE(form.DXDraw().Invalidated());
    form.Paint();
    clock.Advance(100);
    form.Tick();
    EXPECT_FALSE(form.DXDraw().Invalidated());
    clock.Advance(100);
    form.Tick();  // 200 ms: the second frame
    EXPECT_TRUE(form.DXDraw().Invalidated());
}

TEST_F(MainWindow, ABannerLinkToADocumentOpensTheDocumentBesideTheBannersOrSaysItIsMissing) {
    const ScopedFolder folder("zelvana-links");
    fs::create_directories(folder.File("docs"));
    ASSERT_TRUE(WriteFileText(folder.File("docs/rules of play.md"), "# Rules\n"));
    ASSERT_TRUE(WriteFileText(folder.File("rekl.col"),
                              BannersLinkingTo({"docs/rules of play.md", "docs/gone.md", "https://example.org/a b"})));
    TReklama& banner = form.Banner();
    banner.FileName = folder.File("rekl.col");
    ASSERT_TRUE(banner.LoadFromFile());
    ASSERT_EQ(banner.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        banner.CurrentBanner = i;
        form.MouseDown(TMouseButton::Left, leftHeld, 100, 495);
    }
    EXPECT_EQ(ui->Links, (std::vector<std::string>{"file://" + folder.Path() + "/docs/rules%20of%20play.md",
                                                   "https://example.org/a b"}));
    EXPECT_EQ(ui->Messages,
              std::vector<std::string>{Format("Файл %s не найден!"_cp, folder.File("docs/gone.md"))});
}

TEST(MainWindowStart, ABannerThatCannotBeDecodedDoesNotStopTheStartAndIsReported) {
    ScopedRecordingUi ui;
    const ScopedFolder folder("zelvana-start");
    TGifFrame frame{TDIB(4, 2), 5, std::nullopt};
    const std::string gif = EncodeGif(4, 2, {frame, frame}, true);
    std::string file;
    AppendTwoPartRecord(file, IntToBytes(1) + "https://a.example", gif);
    AppendTwoPartRecord(file, IntToBytes(1) + "https://b.example", gif.substr(0, 20));
    AppendTwoPartRecord(file, IntToBytes(1) + "https://c.example", gif);
    ASSERT_TRUE(WriteFileText(folder.File("rekl.col"), file));

    // The banners come from the first folder that holds them, the artwork from the next.
    TfmMain form(TDisplayMode::Headless, {{folder.Path(), ZELVANA_DATA_DIR}, {ZELVANA_DATA_DIR}});
    EXPECT_TRUE(form.FormShow());
    EXPECT_EQ(form.Game().Screen, ScreenSimpleMenu);
    EXPECT_GT(form.Game().Templates.Count(), 0);
    ASSERT_EQ(form.Banner().Count(), 2);
    EXPECT_EQ(form.Banner().Link(1), "https://c.example");
    EXPECT_EQ(ui->Messages, std::vector<std::string>{Format("Файл %s повреждён: загружена только его часть"_cp,
                                                            folder.File("rekl.col"))});
}

TEST(MainWindowStart, WithoutItsArtworkTheGameSaysWhereItLookedAndDoesNotStart) {
    ScopedRecordingUi ui;
    const ScopedFolder empty("zelvana-empty"), fontOnly("zelvana-font-only");
    fs::copy_file(std::string(ZELVANA_DATA_DIR) + "/font.col", fontOnly.File("font.col"));
    for (const auto& [folders, missing] : {std::pair{std::vector{empty.Path()}, "graph.col"},
                                           {std::vector{fontOnly.Path(), empty.Path()}, "graph.col"},
                                           {std::vector{empty.Path(), std::string(ZELVANA_DATA_DIR)}, ""}}) {
        ui->Messages.clear();
        TfmMain form(TDisplayMode::Headless, {folders, {ZELVANA_DATA_DIR}});
        if (std::string_view(missing).empty()) {
            EXPECT_TRUE(form.FormShow());
            EXPECT_TRUE(ui->Messages.empty());
            continue;
        }
        EXPECT_FALSE(form.FormShow());
        std::string searched;
        for (const std::string& folder : folders) searched += "\n" + folder;
        EXPECT_EQ(ui->Messages,
                  std::vector<std::string>{Format("Не найден файл %s. Он искался в папках:%s"_cp, missing, searched)});
    }
}
