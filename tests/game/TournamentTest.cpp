#include "game/Game.h"
#include "WinGame.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Points, PointsForFollowsTheRatingCurve) {
    struct Case {
        int rating, shards;
        bool hard;
        int points;
    };
    const Case cases[] = {
        {0, 4, false, 240},    {0, 4, true, 264},     {0, 9, false, 540},  {0, 9, true, 594},
        {3000, 9, false, 315}, {12000, 16, false, 229}, {0, 25, true, 1650}, {2000, 10, false, 400},
        {4000, 10, false, 300}, {10000, 10, false, 150}, {55000, 10, false, 0}, {58000, 10, false, -10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TGame::PointsFor(c.rating, c.shards, c.hard), c.points) << c.rating << " " << c.shards;
}

class Tournament : public testing::Test {
protected:
    void SetUp() override {
        RandSeed(1);
        game.SimpleMode = false;
        game.InitTournament();
    }

    // Starts the rating game of W x H in w x h shards as the begin button does.
    void StartGame(int W, int H, int w, int h) {
        game.SetupGeometry(W, H, w, h);
        game.LayoutTray();
        game.ResetBoard();
    }

    ManualClock clock;
    TGame game;
};

TEST_F(Tournament, InitialTableIsUnplayedWithTheListedSizes) {
    EXPECT_EQ(game.PlayedCount(), 0);
    for (const auto& e : game.Tournament) {
        EXPECT_EQ(e.Order, -1);
        EXPECT_TRUE(TGame::IsTournamentSize(e.W, e.H, e.w, e.h));
    }
    EXPECT_EQ(game.FindTournamentEntry(16, 16, 4, 4, true), 17);
    EXPECT_FALSE(TGame::IsTournamentSize(16, 16, 3, 3));
}

TEST_F(Tournament, AWonGameScoresItsPointsLessTheWholeSeconds) {
    StartGame(9, 9, 3, 3);
    EXPECT_EQ(game.MaxPoints, 540);
    const int entry = game.PlayedCount() - 1;
    EXPECT_EQ(game.Tournament[entry].Points, -1);  // started counts as played
    clock.Advance(100900);
    WinByLastDrop(game);
    ASSERT_TRUE(game.Won);
    EXPECT_EQ(game.Tournament[entry].Seconds, 100);
    EXPECT_EQ(game.Tournament[entry].Points, 440);
    EXPECT_EQ(game.Rating, 440);
}

TEST_F(Tournament, AGameWonAfterItsPointsRanOutScoresNothing) {
    StartGame(12, 12, 4, 4);
    StartGame(9, 9, 3, 3);
    clock.Advance(541000);
    WinByLastDrop(game);
    EXPECT_EQ(game.Tournament[1].Points, -1);
    EXPECT_EQ(game.Tournament[1].Seconds, 541);
    EXPECT_EQ(game.Rating, 0);
}

TEST_F(Tournament, PlayedEntriesMoveToTheFrontInPlayOrder) {
    StartGame(16, 16, 4, 4);
    StartGame(16, 16, 4, 4);
    EXPECT_EQ(game.FindTournamentEntry(16, 16, 4, 4, true), -1);  // a third is not offered
    StartGame(9, 9, 3, 3);
    EXPECT_EQ(game.PlayedCount(), 3);
    EXPECT_EQ(game.Tournament[0].W, 16);
    EXPECT_EQ(game.Tournament[1].Order, 1);
    EXPECT_EQ(game.Tournament[2].W, 9);
    EXPECT_EQ(game.Tournament[2].Order, 2);
}

TEST_F(Tournament, AfterEveryEntryIsPlayedNoSizeIsLeft) {
    for (int i = 0; i < TournamentSize; ++i) {
        const TTournamentEntry next = game.Tournament[game.PlayedCount()];
        StartGame(next.W, next.H, next.w, next.h);
    }
    EXPECT_EQ(game.PlayedCount(), -1);
    for (const auto& e : game.Tournament) EXPECT_EQ(game.FindTournamentEntry(e.W, e.H, e.w, e.h, true), -1);
}

TEST_F(Tournament, TheSimpleModeRecordsNothing) {
    game.SimpleMode = true;
    StartGame(9, 9, 3, 3);
    WinByLastDrop(game);
    EXPECT_TRUE(game.Won);
    EXPECT_EQ(game.Rating, 0);
    EXPECT_EQ(game.Tournament[0].Points, -1);
}
