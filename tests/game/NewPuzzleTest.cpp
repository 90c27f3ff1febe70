#include "dictionary/LetterCase.h"
#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

void WaitForFill(TGame& game) {
    for (int i = 0; i < 60000 && game.Filling; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        RunPostedTasks();
    }
}

}  // namespace

TEST(NewPuzzle, EverySizeIsFilledCutAndDealtFromTheGeneratedFiles) {
    ScopedRecordingUi ui;
    RandSeed(5);
    TGame game(ZELVANA_DATA_DIR);
    game.Templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
    ASSERT_TRUE(game.Templates.LoadFromFile());
    for (const TSize size : TemplateSizes()) {
        SCOPED_TRACE(SizeText(size));
        ASSERT_TRUE(game.CreatePuzzle(size.Width, size.Height));
        EXPECT_TRUE(game.Filling);
        WaitForFill(game);
        ASSERT_FALSE(game.Filling);
        ASSERT_TRUE(game.PuzzleReady);

        const TSize shard = ShardSizesFor(size.Width, size.Height).back();
        game.SetupGeometry(size.Width, size.Height, shard.Width, shard.Height);
        game.CutAndScatter();
        const TCrossword& crossword = *game.Crossword;
        for (int x = 0; x < size.Width; ++x)
            for (int y = 0; y < size.Height; ++y) {
                const int id = (x / shard.Width) * game.ShardRows + y / shard.Height;
                const char letter = game.ShardLetters[id][x % shard.Width][y % shard.Height];
                if (crossword.Template->IsLetterCell(x, y))
                    ASSERT_EQ(letter, UpperLetter(crossword.CellText(x, y)[0])) << x << "," << y;
                else
                    ASSERT_EQ(letter, '*') << x << "," << y;
            }
        std::multiset<int> dealt;
        for (int c = 0; c < game.ShardCols; ++c)
            for (int r = 0; r < game.ShardRows; ++r) dealt.insert(game.Tray[c][r].Shard);
        std::multiset<int> all;
        for (int id = 0; id < game.ShardCols * game.ShardRows; ++id) all.insert(id);
        EXPECT_EQ(dealt, all);
    }
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(NewPuzzle, TemplatesAreChosenByTheirSizeCharacters) {
    ScopedRecordingUi ui;
    TGame game(ZELVANA_DATA_DIR);
    // 12 x 9 is written "<" and "9".
    game.Templates.Add("a", "SHABLON  0<9");
    game.Templates.Add("b", "SHABLON  099");
    EXPECT_FALSE(game.CreatePuzzle(9, 12));
    EXPECT_EQ(ui->Messages.back(), "Отсутствует шаблон необходимого размера!"_cp);
    EXPECT_FALSE(game.CreatePuzzle(12, 9));  // the one candidate has no body
    EXPECT_EQ(ui->Messages.back(), "Ошибка создания кроссворда!"_cp);
    EXPECT_FALSE(game.Filling);
}

TEST(NewPuzzle, AMissingDictionaryIsReported) {
    ScopedRecordingUi ui;
    TGame game("/nonexistent");
    ASSERT_FALSE(ui->Messages.empty());  // the dictionary reader names the file first
    EXPECT_EQ(ui->Messages.back(), "Отсутствует необходимый словарь dic1.wdi!"_cp);
    game.SetHard(true);
    EXPECT_EQ(ui->Messages.back(), "Отсутствует необходимый словарь dic2.wdi!"_cp);
    EXPECT_TRUE(game.Hard);
}

namespace {

// A game on the simple menu with a 12 x 12 puzzle of the normal level ready (as a finished
// fill leaves it; no fill runs).
class Begin : public testing::Test {
protected:
    void SetUp() override {
        game.BuildSimpleMenu();
        game.Crossword->SetWidth(12);
        game.Crossword->SetHeight(12);
        game.PuzzleHard = false;
        game.SetReady(true);
        game.SetScreen(ScreenSimpleMenu);
    }

    ScopedRecordingUi ui;
    TGame game{"/nonexistent"};  // no dictionary: no fill runs here
};

}  // namespace

TEST_F(Begin, AButtonDisabledDuringItsClickStaysDisabledAndDoesNotClick) {
    TBrevDXButton& begin = *game.Buttons.Find("BT_BEGIN");
    ASSERT_EQ(begin.State(), TControlState::Normal);
    begin.Press();
    // Within the countdown the template size steps, which unreadies the puzzle (as the main
    // window does for a hit selector).
    game.Controls.FindSelector("CROSSSIZE")->SetValue("15x9");
    game.SetReady(false);
    bool clicked = false;
    for (int tick = 0; tick < TBrevDXButton::ClickTicks; ++tick) {
        game.Buttons.TickAll();
        clicked = clicked || begin.Clicked();
    }
    EXPECT_FALSE(clicked);
    EXPECT_EQ(begin.State(), TControlState::Disabled);
    EXPECT_EQ(game.Buttons.Find("BT_CREATE")->State(), TControlState::Normal);
}

TEST_F(Begin, OnlyAPuzzleOfTheChosenSizeAndLevelStarts) {
    struct Case {
        const char* crossSize;
        int w, h;
        bool hard, ready, starts;
    };
    const Case cases[] = {
        {"12x12", 3, 3, false, true, true},
        {"12x12", 4, 3, false, true, true},
        {"15x9", 3, 3, false, true, false},   // the menu's size is not the crossword's
        {"12x12", 3, 3, true, true, false},   // the normal puzzle is not one of the harder level
        {"12x12", 3, 3, false, false, false}, // nothing ready
        {"12x12", 3, 5, false, true, false},  // no such shards
    };
    for (const Case& c : cases) {
        game.CrossWidth = 0;
        game.Controls.FindSelector("CROSSSIZE")->SetValue(c.crossSize);
        game.Hard = c.hard;
        game.PuzzleReady = c.ready;
        EXPECT_EQ(game.StartGame(c.w, c.h), c.starts) << c.crossSize << " " << c.w << "x" << c.h;
        EXPECT_EQ(game.CrossWidth, c.starts ? 12 : 0);
    }
}
