#include "app/Main.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/MainThread.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The main window without a display, reading the generated data files: the real artwork and
// templates.
class Commands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.FormShow()); }

    // Presses a button as the mouse does (a disabled one does not react).
    void Press(const char* name) {
        TBrevDXButton* button = game.Buttons.Find(name);
        ASSERT_NE(button, nullptr) << name;
        const TDirectDrawSurface* mask = game.Surfaces.Find(button->Masks[0]);
        ASSERT_NE(mask, nullptr);
        form.MouseDown(TMouseButton::Left, {true}, button->Left + mask->Width() / 2, button->Top + mask->Height() / 2);
    }

    // Presses a button and runs the ticks until its command has run.
    void Click(const char* name) {
        Press(name);
        for (int i = 0; i < TBrevDXButton::ClickTicks; ++i) form.Tick();
    }

    // Clicks a menu control (a selector steps, the check box toggles) as the mouse does.
    void ClickControl(const char* name) {
        const TBrevDXClass* control = game.Controls.ControlAt(game.Controls.IndexOfName(name));
        ASSERT_NE(control, nullptr) << name;
        form.MouseDown(TMouseButton::Left, {true}, control->Left + 2, control->Top + control->Height / 2);
    }

    bool Enabled(const char* name) const {
        const TBrevDXButton* button = game.Buttons.Find(name);
        return button && button->State() != TControlState::Disabled;
    }

    // Lets the fill thread finish and its completion run, as the window's loop does.
    void WaitForFill() {
        for (int i = 0; i < 20000 && game.Filling; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            RunPostedTasks();
        }
        ASSERT_FALSE(game.Filling);
    }

    ScopedRecordingUi ui;
    TfmMain form{TDisplayMode::Headless, TDataFolders::In(ZELVANA_DATA_DIR)};
    TGame& game = form.Game();
};

}  // namespace

TEST_F(Commands, CreateThenBeginDealsThePuzzle) {
    EXPECT_GT(game.Templates.Count(), 0);
    EXPECT_FALSE(Enabled("BT_BEGIN"));
    Click("BT_CREATE");
    EXPECT_EQ(game.Screen, ScreenGenerating);
    WaitForFill();
    EXPECT_EQ(game.Screen, ScreenSimpleMenu);
    ASSERT_TRUE(game.PuzzleReady);
    EXPECT_TRUE(Enabled("BT_BEGIN"));
    Click("BT_BEGIN");
    EXPECT_EQ(game.Screen, ScreenPlay);
    EXPECT_EQ(game.CrossWidth, 12);
    EXPECT_EQ(game.ShardWidth, 3);
    int dealt = 0;
    for (int c = 0; c < game.ShardCols; ++c)
        for (int r = 0; r < game.ShardRows; ++r) dealt += game.Tray[c][r].Shard >= 0;
    EXPECT_EQ(dealt, 16);
    EXPECT_EQ(game.LastSize, (std::array<uint8_t, 4>{12, 12, 3, 3}));
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(Commands, AModeChangeWhileGeneratingStopsThePuzzle) {
    Click("BT_CREATE");
    ASSERT_TRUE(game.Filling);
    Click("BT_RATING");
    EXPECT_FALSE(game.Filling);
    EXPECT_FALSE(game.PuzzleReady);
    EXPECT_FALSE(game.SimpleMode);
    EXPECT_EQ(game.Screen, ScreenRatingMenu);
    RunPostedTasks();  // a completion still queued from the stopped fill changes nothing
    EXPECT_EQ(game.Screen, ScreenRatingMenu);
    EXPECT_FALSE(game.PuzzleReady);
}

TEST_F(Commands, PressingCreateAgainStopsTheFillAndReturnsToTheMenu) {
    Click("BT_CREATE");
    ASSERT_TRUE(game.Filling);
    Click("BT_CREATE");  // now the stop button
    EXPECT_FALSE(game.Filling);
    EXPECT_EQ(game.Screen, ScreenSimpleMenu);
}

TEST_F(Commands, AFailedCreationSaysWhyAndGoesBackToTheMenu) {
    game.Templates.Clear();
    Click("BT_CREATE");
    EXPECT_EQ(ui->Messages, std::vector<std::string>{std::string("Отсутствует шаблон необходимого размера!"_cp)});
    EXPECT_EQ(game.Screen, ScreenSimpleMenu);
    EXPECT_TRUE(Enabled("BT_CREATE"));
}

TEST_F(Commands, BeginInTheRatingMenuWithoutATournamentFileAndACancelledDialogStartsNothing) {
    Click("BT_RATING");
    Click("BT_CREATE2");
    WaitForFill();
    ASSERT_TRUE(game.PuzzleReady);
    Click("BT_BEGIN2");  // the dialog answers nothing: cancelled
    EXPECT_EQ(ui->Dialogs.size(), 1u);
    EXPECT_EQ(ui->Dialogs[0].title, "Запись турнира"_cp);
    EXPECT_EQ(game.Screen, ScreenRatingMenu);
    EXPECT_TRUE(game.TournamentFile.empty());
}

TEST_F(Commands, AFinishedTournamentOffersNoSize) {
    Click("BT_RATING");
    for (auto& entry : game.Tournament) entry.Order = 0;
    game.FillSizeList();
    game.SetScreen(ScreenRatingMenu);
    EXPECT_TRUE(game.Controls.FindSelector("SIZE")->Items.empty());
    EXPECT_FALSE(Enabled("BT_CREATE2"));
    EXPECT_FALSE(Enabled("BT_BEGIN2"));
}

TEST_F(Commands, ARatingGameIsWrittenToTheTournamentFileWhenItStarts) {
    const fs::path file = fs::temp_directory_path() / ("zelvana-commands-" + std::to_string(::getpid()) + ".tur");
    Click("BT_RATING");
    const std::string first = game.Controls.FindSelector("SIZE")->Value();
    Click("BT_CREATE2");
    WaitForFill();
    ui->Files = {file.string()};
    Click("BT_BEGIN2");
    EXPECT_EQ(game.Screen, ScreenPlay);
    EXPECT_EQ(SizeText({game.CrossWidth, game.CrossHeight}) + " (" + SizeText({game.ShardWidth, game.ShardHeight}) + ")",
              first);
    EXPECT_EQ(game.PlayedCount(), 1);

    TGame reader;
    reader.TournamentFile = file.string();
    ASSERT_TRUE(reader.ReadTournament());
    EXPECT_EQ(reader.PlayedCount(), 1);
    EXPECT_EQ(reader.Tournament[0].Points, -1);  // started: played, not won
    fs::remove(file);
}

TEST_F(Commands, SaveDuringADragPutsTheShardBackFirst) {
    Click("BT_CREATE");
    WaitForFill();
    Click("BT_BEGIN");
    const TShardSlot slot = game.Tray[0][0];
    form.MouseDown(TMouseButton::Left, {true}, slot.X + 5, slot.Y + 5);
    ASSERT_TRUE(game.Dragging);
    const fs::path file = fs::temp_directory_path() / ("zelvana-commands-" + std::to_string(::getpid()) + ".sav");
    ui->Files = {file.string()};
    Click("BT_SAVE");
    EXPECT_FALSE(game.Dragging);
    std::string text;
    ASSERT_TRUE(ReadFileText(file.string(), text));
    EXPECT_EQ(text, game.SaveGameText().substr(0, 4) + text.substr(4, 4) + game.SaveGameText().substr(8));
    fs::remove(file);
}

TEST_F(Commands, ASizeSteppedWhileBeginIsPressedStartsNothing) {
    Click("BT_CREATE");
    WaitForFill();
    ASSERT_TRUE(game.PuzzleReady);
    Press("BT_BEGIN");
    ClickControl("CROSSSIZE");  // within the click's countdown: 12x12 becomes 15x9
    ASSERT_EQ(game.Controls.FindSelector("CROSSSIZE")->Value(), "15x9");
    for (int i = 0; i < TBrevDXButton::ClickTicks; ++i) form.Tick();
    EXPECT_EQ(game.Screen, ScreenSimpleMenu);
    EXPECT_FALSE(Enabled("BT_BEGIN"));
    EXPECT_TRUE(Enabled("BT_CREATE"));
    Click("BT_BEGIN");  // still disabled: nothing is cut from the 12 x 12 crossword
    EXPECT_EQ(game.Screen, ScreenSimpleMenu);
    EXPECT_EQ(game.CrossWidth, 0);
}

TEST_F(Commands, TheHarderLevelTickedWhileBeginIsPressedStartsNothing) {
    Click("BT_RATING");
    Click("BT_CREATE2");
    WaitForFill();
    ASSERT_TRUE(game.PuzzleReady);
    ui->Files = {(fs::temp_directory_path() / ("zelvana-race-" + std::to_string(::getpid()) + ".tur")).string()};
    Press("BT_BEGIN2");
    ClickControl("HARD");  // the normal puzzle is no puzzle of the harder level
    ASSERT_TRUE(game.Hard);
    for (int i = 0; i < TBrevDXButton::ClickTicks; ++i) form.Tick();
    EXPECT_EQ(game.Screen, ScreenRatingMenu);
    EXPECT_TRUE(ui->Dialogs.empty());
    EXPECT_FALSE(Enabled("BT_BEGIN2"));
    EXPECT_EQ(game.PlayedCount(), 0);
}

TEST_F(Commands, ThePlayButtonsShiftClearAndHint) {
    Click("BT_CREATE");
    WaitForFill();
    Click("BT_BEGIN");
    ASSERT_EQ(game.Screen, ScreenPlay);
    const int cols = game.ShardCols, rows = game.ShardRows;  // 4 x 4 shards of 3 x 3
    // The solution on the board: slot (c, r) holds c * rows + r.
    const auto layOut = [&] {
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r) {
                game.Tray[c][r].Shard = -1;
                game.Board[c][r].Shard = static_cast<int16_t>(c * rows + r);
            }
    };
    struct Case {
        const char* button;
        int fromC, fromR;  // board slot (0, 0) then holds the shard of this slot
    };
    for (const Case c : {Case{"BT_LEFT", 1, 0}, {"BT_RIGHT", cols - 1, 0}, {"BT_UP", 0, 1}, {"BT_DOWN", 0, rows - 1}}) {
        layOut();
        Click(c.button);
        EXPECT_EQ(game.Board[0][0].Shard, c.fromC * rows + c.fromR) << c.button;
        EXPECT_EQ(game.Board[1][1].Shard, (1 + c.fromC) % cols * rows + (1 + c.fromR) % rows) << c.button;
    }
    EXPECT_FALSE(game.Won);  // a shift tests nothing

    Click("BT_CLEAR");
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            EXPECT_EQ(game.Board[c][r].Shard, -1);
            EXPECT_GE(game.Tray[c][r].Shard, 0);
        }

    EXPECT_FALSE(game.HintUsed);
    Click("BT_HINT");
    EXPECT_TRUE(game.HintUsed);
    EXPECT_FALSE(Enabled("BT_HINT"));
    EXPECT_TRUE(Enabled("BT_CLEAR"));
}
