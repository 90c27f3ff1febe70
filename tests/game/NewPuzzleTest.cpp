#include "dictionary/DictionaryWriter.h"
#include "dictionary/LetterCase.h"
#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

void WaitForFill(TGame& game) {
    for (int i = 0; i < 60000 && game.Filling; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        RunPostedTasks();
    }
}

// Points the game's templates at the generated "templates.col" and reads it.
bool LoadGeneratedTemplates(TGame& game) {
    game.Templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
    return game.Templates.LoadFromFile();
}

// Makes a puzzle of W x H and waits for it; true when it is ready.
bool MakePuzzle(TGame& game, int W, int H) {
    if (!game.CreatePuzzle(W, H)) return false;
    WaitForFill(game);
    return !game.Filling && game.PuzzleReady;
}

const std::string NoPuzzle(
    "Не удалось создать кроссворд: ни один шаблон этого размера из templates.col не заполняется словами словаря."_cp);

// An 8 x 8 template text of letter cells only: no fill finds 16 words of 8 letters that cross.
const std::string Dense8x8 = "SHABLON  088" + std::string(64, '\x01');

// An 8 x 8 template text whose only slot is the two cells at the top left.
std::string TwoCells8x8() {
    std::string text = "SHABLON  088";
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) text += x < 2 && y == 0 ? '\x01' : '\x02';
    return text;
}

// The first 8 x 8 template of the generated "templates.col".
std::string Generated8x8() {
    TIndexCollection templates;
    templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
    if (!templates.LoadFromFile()) return {};
    for (int i = 0; i < templates.Count(); ++i)
        if (const std::string text = templates.EntryText(i); text.compare(9, 3, "088") == 0) return text;
    return {};
}

// A folder holding "dic1.wdi" and "dic2.wdi" of the same (UTF-8) words, for a game of its own.
class WordFolder {
public:
    explicit WordFolder(const std::vector<std::string>& utf8Words)
        : mPath(std::filesystem::temp_directory_path() /
                ("zelvana-game-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(mPath);
        std::vector<DictionaryWord> words;
        for (const std::string& word : utf8Words) words.push_back({FromUtf8(word)});
        SortInDictionaryOrder(words, CellFormatSingle);
        for (const char* name : {"dic1.wdi", "dic2.wdi"})
            EXPECT_TRUE(WriteDictionaryFile((mPath / name).string(), DictionaryLayout{}, words));
    }
    ~WordFolder() { std::filesystem::remove_all(mPath); }
    std::string Path() const { return mPath.string(); }

private:
    std::filesystem::path mPath;
};

}  // namespace

TEST(NewPuzzle, EverySizeIsFilledCutAndDealtFromTheGeneratedFiles) {
    ScopedRecordingUi ui;
    RandSeed(5);
    TGame game(ZELVANA_DATA_DIR);
    ASSERT_TRUE(LoadGeneratedTemplates(game));
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

TEST(NewPuzzle, FiveHundredPuzzlesInARowAreAllMade) {
    ScopedRecordingUi ui;
    RandSeed(11);
    TGame game(ZELVANA_DATA_DIR);
    ASSERT_TRUE(LoadGeneratedTemplates(game));
    for (const bool hard : {false, true}) {
        game.SetHard(hard);
        for (const TSize size : {TemplateSizes().front(), TemplateSizes().back()}) {
            SCOPED_TRACE(SizeText(size) + (hard ? " hard" : " normal"));
            int released = 0;
            for (int i = 0; i < 500; ++i) {
                ASSERT_TRUE(MakePuzzle(game, size.Width, size.Height)) << "puzzle " << i;
                released += game.LastMaking().WordsReleased;
            }
            // The run outlasts the words of some length: the oldest came back.
            EXPECT_GT(released, 0);
        }
    }
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(NewPuzzle, ATemplateThatCannotBeFilledInTimeGivesWayToAnother) {
    ScopedRecordingUi ui;
    TGame game(ZELVANA_DATA_DIR);
    const std::string generated = Generated8x8();
    ASSERT_FALSE(generated.empty());
    // The unfillable template is the one chosen first.
    RandSeed(3);
    const bool denseFirst = RandomInt(2) == 0;
    RandSeed(3);
    game.Templates.Add("a", denseFirst ? Dense8x8 : generated);
    game.Templates.Add("b", denseFirst ? generated : Dense8x8);
    ASSERT_TRUE(MakePuzzle(game, 8, 8));
    // The search ran out of time on the dense template, the propagating method failed there too,
    // and the search filled the other one.
    EXPECT_GE(game.LastMaking().Fills, 3);
    EXPECT_GE(game.LastMaking().TimedOut, 1);
    EXPECT_EQ(game.Crossword->Template->SerializeTemplate(0, 0, 7, 7), generated.substr(9));
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(NewPuzzle, TheOldestUsedWordsComeBackWhenALengthRunsDry) {
    ScopedRecordingUi ui;
    // Twelve words for one slot: a fill keeps ten of them on offer.
    const WordFolder folder({"ад", "ар", "да", "еж", "ил", "ом", "он", "ум", "ус", "юг", "яд", "як"});
    TGame game(folder.Path());
    game.Templates.Add("pair", TwoCells8x8());
    const auto placed = [&] { return game.Crossword->CellText(0, 0) + game.Crossword->CellText(1, 0); };
    std::vector<std::string> used;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(MakePuzzle(game, 8, 8));
        EXPECT_EQ(game.LastMaking().WordsReleased, 0);
        used.push_back(placed());
    }
    EXPECT_EQ(std::set<std::string>(used.begin(), used.end()).size(), 3u);

    // Nine left: the oldest comes back, the two after it stay out.
    ASSERT_TRUE(MakePuzzle(game, 8, 8));
    EXPECT_EQ(game.LastMaking().WordsReleased, 1);
    EXPECT_TRUE(!game.Crossword->IsWordUsed(used[0]) || placed() == used[0]);
    EXPECT_TRUE(game.Crossword->IsWordUsed(used[1]));
    EXPECT_TRUE(game.Crossword->IsWordUsed(used[2]));
    EXPECT_NE(placed(), used[1]);
    EXPECT_NE(placed(), used[2]);

    for (int i = 0; i < 40; ++i) ASSERT_TRUE(MakePuzzle(game, 8, 8)) << "puzzle " << i;
    EXPECT_EQ(AvailableWords(game.Crossword->Dictionary, 2), 9);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(NewPuzzle, UsedWordsStayOutOfTheOtherLevelsDictionary) {
    ScopedRecordingUi ui;
    std::vector<std::string> words;  // 24 words of two letters: no reserve to keep for a while
    for (const std::string first : {"б", "в", "г", "д", "ж", "з"})
        for (const std::string second : {"а", "е", "о", "у"}) words.push_back(first + second);
    const WordFolder folder(words);
    TGame game(folder.Path());
    game.Templates.Add("pair", TwoCells8x8());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(MakePuzzle(game, 8, 8));
    EXPECT_EQ(AvailableWords(game.Crossword->Dictionary, 2), 21);
    game.SetHard(true);
    EXPECT_EQ(AvailableWords(game.Crossword->Dictionary, 2), 21);
    ASSERT_TRUE(MakePuzzle(game, 8, 8));
    EXPECT_EQ(AvailableWords(game.Crossword->Dictionary, 2), 20);
    EXPECT_EQ(game.LastMaking().WordsReleased, 0);
}

TEST(NewPuzzle, NoFillableTemplateIsReportedToThePlayer) {
    ScopedRecordingUi ui;
    const WordFolder folder({"дом", "кот"});  // no word of two letters
    TGame game(folder.Path());
    game.Templates.Add("pair", TwoCells8x8());
    game.Templates.Add("same", TwoCells8x8());
    EXPECT_FALSE(MakePuzzle(game, 8, 8));
    EXPECT_FALSE(game.Filling);
    EXPECT_EQ(ui->Messages, std::vector<std::string>{NoPuzzle});
}

TEST(NewPuzzle, ATemplateThatNeverFillsIsReported) {
    ScopedRecordingUi ui;
    TGame game(ZELVANA_DATA_DIR);
    game.Templates.Add("dense", Dense8x8);
    EXPECT_FALSE(MakePuzzle(game, 8, 8));
    EXPECT_FALSE(game.Filling);
    // The search ran out of time, the propagating method out of time or of words.
    EXPECT_GE(game.LastMaking().Fills, 2);
    EXPECT_GE(game.LastMaking().TimedOut, 1);
    EXPECT_EQ(ui->Messages, std::vector<std::string>{NoPuzzle});
}

TEST(NewPuzzle, StoppingEndsTheMakingWithoutAMessage) {
    ScopedRecordingUi ui;
    TGame game(ZELVANA_DATA_DIR);
    for (int i = 0; i < 24; ++i) game.Templates.Add("dense", Dense8x8);
    ASSERT_TRUE(game.CreatePuzzle(8, 8));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // somewhere among the templates
    game.SetFilling(false);
    EXPECT_FALSE(game.Filling);
    EXPECT_FALSE(game.PuzzleReady);
    EXPECT_EQ(game.Crossword->Running, 0);
    EXPECT_TRUE(ui->Messages.empty());
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
