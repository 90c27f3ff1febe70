#include "WinGame.h"
#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <climits>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A 12 x 12 game in 4 x 4 shards, part played: letters set, two shards on the board, hint used.
void PlaySomeOf(TGame& game) {
    game.SetupGeometry(12, 12, 4, 4);
    game.LayoutTray();
    game.ResetBoard();
    for (int id = 0; id < MaxShards; ++id)
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) game.ShardLetters[id][c][r] = static_cast<char>(0xC0 + (id + c + r) % 32);
    game.ShardLetters[3][1][2] = '*';
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) game.Tray[c][r].Shard = static_cast<int16_t>(c * 3 + r);
    game.TakeShard(4);
    game.PutShard(4, 1, 1, TPutKind::Board);
    game.TakeShard(8);
    game.PutShard(8, 0, 2, TPutKind::Board);
    game.HintUsed = true;
}

std::string WithByte(std::string text, std::size_t at, uint8_t value) {
    text[at] = static_cast<char>(value);
    return text;
}

// Everything a loaded game sets, to see that a refused load changed none of it.
auto GameState(const TGame& game) {
    std::vector<int> board, tray;
    for (int c = 0; c < MaxShardCols; ++c)
        for (int r = 0; r < MaxShardRows; ++r) {
            board.insert(board.end(), {game.Board[c][r].X, game.Board[c][r].Y, game.Board[c][r].Shard});
            tray.insert(tray.end(), {game.Tray[c][r].X, game.Tray[c][r].Y, game.Tray[c][r].Shard});
        }
    return std::tuple(std::vector<int>{game.CrossWidth, game.CrossHeight, game.ShardWidth, game.ShardHeight,
                                       game.ShardCols, game.ShardRows, game.OriginX, game.OriginY, game.OffsetCol,
                                       game.OffsetRow, game.MaxPoints, game.MouseX, game.MouseY},
                      std::vector<bool>{game.HintUsed, game.GameOver, game.Won, game.Dragging}, game.StartTick,
                      game.ShardLetters, board, tray, game.Glow, game.Tournament[0].Order);
}

}  // namespace

TEST(SavedGame, SaveAndLoadRestoreBoardTrayLettersHintAndClock) {
    ScopedRecordingUi ui;
    ManualClock clock(50000);
    TGame saved;
    PlaySomeOf(saved);
    clock.Advance(65300);
    const std::string text = saved.SaveGameText();
    EXPECT_EQ(text.size(), 9u + 400u + 2u * 9u);

    clock.Advance(1000000);
    TGame loaded;
    loaded.SetupGeometry(8, 9, 4, 3);  // whatever the menu showed before
    ASSERT_TRUE(loaded.LoadSaved(text));
    EXPECT_EQ(loaded.CrossWidth, 12);
    EXPECT_EQ(loaded.ShardWidth, 4);
    EXPECT_EQ(loaded.ShardCols, 3);
    EXPECT_EQ(loaded.ElapsedTenths(), 653u);  // the clock resumes from the saved time
    EXPECT_TRUE(loaded.HintUsed);
    EXPECT_EQ(loaded.ShardLetters, saved.ShardLetters);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(loaded.Board[c][r].Shard, saved.Board[c][r].Shard);
            EXPECT_EQ(loaded.Board[c][r].X, saved.Board[c][r].X);
            EXPECT_EQ(loaded.Tray[c][r].Shard, saved.Tray[c][r].Shard);
            EXPECT_EQ(loaded.Tray[c][r].Y, saved.Tray[c][r].Y);
        }
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(SavedGame, TextsThatAreNotASavedGameChangeNothing) {
    ScopedRecordingUi ui;
    ManualClock clock;
    TGame source;
    PlaySomeOf(source);
    const std::string good = source.SaveGameText();
    const std::string broken[] = {
        "",
        good.substr(0, 408),               // shorter than the letters
        good.substr(0, good.size() - 1),   // a slot byte missing
        WithByte(good, 0, 10),             // 10 x 12 is no template size
        WithByte(good, 2, 3),              // 3 x 4 shards: 16 slot pairs, only 9 stored
        WithByte(good, 3, 5),              // 4 x 5 shards
        WithByte(good, 409, 9),            // shard 9 of 9
        WithByte(good, 409 + 2, 0),        // shard 0 twice, another missing
        WithByte(good, 7, 0x80),           // played for less than no time
        WithByte(WithByte(good, 4, 0xFF), 7, 0xFF),  // -1 ms
    };
    TGame game;
    game.InitTournament();
    PlaySomeOf(game);
    game.HintUsed = false;
    clock.Advance(777);
    game.MouseX = 5;
    game.Glow[1][1] = -4;
    const auto before = GameState(game);
    for (const std::string& text : broken) {
        ui->Messages.clear();
        EXPECT_FALSE(game.LoadSaved(text)) << &text - broken;
        EXPECT_EQ(ui->Messages, std::vector<std::string>{std::string("Ошибка формата файла!"_cp)});
        EXPECT_TRUE(GameState(game) == before) << &text - broken;
    }
}

class TournamentFile : public testing::Test {
protected:
    void SetUp() override {
        path = fs::temp_directory_path() / ("zelvana-" + std::to_string(::getpid()) + ".tur");
        RandSeed(3);
        game.SimpleMode = false;
        game.TournamentFile = path.string();
        game.InitTournament();
        // Two won games, then one started and not finished.
        Play(9, 9, 3, 3, 100900);
        Play(15, 9, 3, 3, 61000);
        game.SetupGeometry(12, 12, 4, 4);
    }
    void TearDown() override { fs::remove(path); }

    void Play(int W, int H, int w, int h, uint32_t ms) {
        game.SetupGeometry(W, H, w, h);
        game.ResetBoard();
        clock.Advance(ms);
        WinByLastDrop(game);
        ASSERT_TRUE(game.Won);
    }

    // Position (from 0) of table byte j in the file.
    static std::size_t PositionOf(std::size_t j) {
        static const int steps[] = {3, -1, 3, -1, 4, -1, -1, 4, -1, 3, -1, 4, -1, -1, 4, -1, 3, -1, 3};
        int p = 1;
        for (std::size_t i = 0; i <= j; ++i) p += steps[i % 19];
        return static_cast<std::size_t>(p - 1);
    }

    std::string FileBytes() const {
        std::string text;
        EXPECT_TRUE(ReadFileText(path.string(), text));
        return text;
    }

    // Adds delta to the little-endian number stored at table bytes j .. j + 3.
    static std::string AddToNumber(std::string text, std::size_t j, int delta) {
        const auto p = PositionOf(j);
        text[p] = static_cast<char>(static_cast<uint8_t>(text[p]) + delta);
        return text;
    }

    // Whether a fresh game reads text as a tournament file.
    bool Reads(const std::string& text, TGame& reader) {
        EXPECT_TRUE(WriteFileText(path.string(), text));
        reader.TournamentFile = path.string();
        return reader.ReadTournament();
    }

    ScopedRecordingUi ui;
    ManualClock clock;
    TGame game;
    fs::path path;
};

TEST_F(TournamentFile, WritingTwiceGivesOtherBytesThatReadBackToTheSameTable) {
    ASSERT_TRUE(game.WriteTournament());
    const std::string first = FileBytes();
    ASSERT_TRUE(game.WriteTournament());
    const std::string second = FileBytes();
    EXPECT_EQ(first.size(), 512u);
    EXPECT_NE(first, second);

    TGame reader;
    ASSERT_TRUE(Reads(first, reader));
    EXPECT_EQ(reader.Rating, game.Rating);
    EXPECT_EQ(reader.Rating, 440 + 773);  // 9x9: 540 - 100; 15x9 at rating 440: 834 - 61
    for (int i = 0; i < TournamentSize; ++i) {
        EXPECT_EQ(reader.Tournament[i].W, game.Tournament[i].W);
        EXPECT_EQ(reader.Tournament[i].Points, game.Tournament[i].Points);
        EXPECT_EQ(reader.Tournament[i].Order, game.Tournament[i].Order);
        EXPECT_EQ(reader.Tournament[i].Seconds, game.Tournament[i].Seconds);
    }
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(TournamentFile, ChangedValuesBreakTheFileButFillerDoesNot) {
    ASSERT_TRUE(game.WriteTournament());
    const std::string good = FileBytes();
    std::string checksum = good;
    checksum[508] = static_cast<char>(static_cast<uint8_t>(checksum[508]) + 1);
    std::string filler = good;
    filler[0] = static_cast<char>(static_cast<uint8_t>(filler[0]) ^ 0x5A);  // position 1 holds no table byte
    struct Case {
        std::string text;
        bool reads;
    };
    const Case cases[] = {
        {AddToNumber(good, 12, 1), false},       // Order of entry 0
        {AddToNumber(good, 17 + 4, 1), false},   // Seconds of entry 1
        {checksum, false},
        {filler, true},
        {good.substr(0, 400), false},
        {std::string(512, 'x'), false},
    };
    for (const auto& c : cases) {
        TGame reader;
        ui->Messages.clear();
        EXPECT_EQ(Reads(c.text, reader), c.reads);
        EXPECT_EQ(ui->Messages.size(), c.reads ? 0u : 1u);
    }
    EXPECT_EQ(ui->Messages.back(), Format("Ошибка формата файла %s"_cp, path.string()));
}

TEST_F(TournamentFile, RaisedPointsAreCaughtEvenWithARepairedChecksum) {
    // Three more points on entry 0 add 1 to the checksum (points count by thirds).
    game.Tournament[0].Points += 3;
    ASSERT_TRUE(game.WriteTournament());
    TGame reader;
    reader.Rating = 77;
    EXPECT_FALSE(Reads(FileBytes(), reader));
    EXPECT_EQ(reader.Rating, 77);  // a broken file changes nothing
}

TEST_F(TournamentFile, ValuesAtTheEndsOfTheirRangeReadAsBrokenWithoutOverflowing) {
    // Each table is written with a matching checksum, so that the reader gets as far as
    // re-scoring its entries. Entry i gets (seconds, points) of pair i; the others are unplayed.
    const auto shards = [&](int i) {
        const TTournamentEntry& e = game.Tournament[i];
        return (e.W / e.w) * (e.H / e.h);
    };
    const int32_t firstSeconds = -2147483000;
    const int32_t firstPoints = TGame::PointsFor(0, shards(0), false) - firstSeconds;  // just below 2^31
    const int32_t secondSeconds = INT32_MIN + 1000;
    const int32_t secondPoints = TGame::PointsFor(firstPoints, shards(1), false) - secondSeconds;
    const std::vector<std::vector<std::pair<int32_t, int32_t>>> tables = {
        {{0, INT32_MAX}},                                             // checksum terms past 32 bits
        {{INT32_MIN, 5}},                                             // points less seconds
        {{firstSeconds, firstPoints}, {secondSeconds, secondPoints}},  // each scores right; the rating overflows
    };
    for (const auto& pairs : tables) {
        TGame writer;
        writer.TournamentFile = path.string();
        writer.Tournament = game.Tournament;
        for (int i = 0; i < TournamentSize; ++i) {
            TTournamentEntry& entry = writer.Tournament[i];
            entry.Hard = false;
            entry.Order = i < static_cast<int>(pairs.size()) ? (i == 0 && pairs.size() == 1 ? INT32_MAX : i) : -1;
            entry.Seconds = i < static_cast<int>(pairs.size()) ? pairs[i].first : 0;
            entry.Points = i < static_cast<int>(pairs.size()) ? pairs[i].second : 0;
        }
        ASSERT_TRUE(writer.WriteTournament());
        TGame reader;
        reader.Rating = 77;
        ui->Messages.clear();
        EXPECT_FALSE(Reads(FileBytes(), reader)) << pairs.front().first;
        EXPECT_EQ(ui->Messages.size(), 1u);
        EXPECT_EQ(reader.Rating, 77);
    }
}
