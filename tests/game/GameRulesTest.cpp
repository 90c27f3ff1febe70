#include "game/Game.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// A game of W x H cells in w x h shards with shard i dealt into the i-th tray slot (columns outer),
// an empty board and every played sound recorded.
class GameRules : public testing::Test {
protected:
    void Start(int W, int H, int w, int h) {
        game.PlaySound = [this](TSound s) { sounds.push_back(s); };
        game.SetupGeometry(W, H, w, h);
        game.LayoutTray();
        game.ResetBoard();
        int id = 0;
        for (int c = 0; c < game.ShardCols; ++c)
            for (int r = 0; r < game.ShardRows; ++r) game.Tray[c][r].Shard = static_cast<int16_t>(id++);
        game.Screen = ScreenPlay;
    }

    // Centre pixel of a board slot and of a tray slot.
    std::pair<int, int> BoardPoint(int c, int r) const {
        return {game.BoardSlotLeft(c) + 12, game.BoardSlotTop(r) + 12};
    }
    std::pair<int, int> TrayPoint(int c, int r) const { return {game.Tray[c][r].X + 12, game.Tray[c][r].Y + 12}; }

    void Drag(std::pair<int, int> from, std::pair<int, int> to) {
        game.PickUp(from.first, from.second);
        ASSERT_TRUE(game.Dragging);
        game.Drop(to.first, to.second);
    }

    // Every shard id lies in exactly one slot, or is the one being dragged.
    void ExpectEveryShardOnce() const {
        std::map<int, int> seen;
        for (int c = 0; c < game.ShardCols; ++c)
            for (int r = 0; r < game.ShardRows; ++r) {
                if (game.Board[c][r].Shard >= 0) ++seen[game.Board[c][r].Shard];
                if (game.Tray[c][r].Shard >= 0) ++seen[game.Tray[c][r].Shard];
            }
        if (game.Dragging) ++seen[game.DragShard];
        for (int id = 0; id < game.ShardCols * game.ShardRows; ++id) EXPECT_EQ(seen[id], 1) << "shard " << id;
    }

    ManualClock clock;
    TGame game;
    std::vector<TSound> sounds;
};

}  // namespace

TEST_F(GameRules, GeometryCentresEvenAndOddSizes) {
    struct Case {
        int W, H, w, h;
        int originX, offsetCol, originY, offsetRow, cols, rows;
    };
    const Case cases[] = {
        {8, 8, 4, 4, 4, 4, 4, 4, 2, 2},
        {9, 12, 3, 4, 16, 3, 4, 2, 3, 3},
        {15, 9, 3, 3, 16, 0, 16, 3, 5, 3},
        {16, 16, 4, 4, 4, 0, 4, 0, 4, 4},
    };
    for (const auto& c : cases) {
        game.SetupGeometry(c.W, c.H, c.w, c.h);
        EXPECT_EQ(game.OriginX, c.originX);
        EXPECT_EQ(game.OffsetCol, c.offsetCol);
        EXPECT_EQ(game.OriginY, c.originY);
        EXPECT_EQ(game.OffsetRow, c.offsetRow);
        EXPECT_EQ(game.ShardCols, c.cols);
        EXPECT_EQ(game.ShardRows, c.rows);
        // The crossword's centre is always at (196, 196).
        EXPECT_EQ(game.OriginX + 24 * game.OffsetCol + 12 * c.W, 196) << c.W;
    }
}

TEST_F(GameRules, TrayLayoutFollowsTheGapTables) {
    Start(12, 12, 4, 4);  // 3 x 3 shards of 96 pixels, gaps 30
    EXPECT_EQ(game.Tray[0][0].X, (400 - (3 * 96 + 2 * 30)) / 2 + 390);
    EXPECT_EQ(game.Tray[1][0].X - game.Tray[0][0].X, 96 + 30);
    EXPECT_EQ(game.Tray[0][2].Y, game.OriginY + 2 * (96 + 30));
    Start(16, 12, 4, 3);  // 4 columns of w = 4: gap 2; 4 rows: gap 10
    EXPECT_EQ(game.Tray[1][0].X - game.Tray[0][0].X, 96 + 2);
    EXPECT_EQ(game.Tray[0][1].Y - game.Tray[0][0].Y, 72 + 10);
    Start(12, 15, 3, 3);  // 4 columns of w = 3: gap 15; 5 rows: gap 3
    EXPECT_EQ(game.Tray[1][0].X - game.Tray[0][0].X, 72 + 15);
    EXPECT_EQ(game.Tray[0][1].Y - game.Tray[0][0].Y, 72 + 3);
}

TEST_F(GameRules, HitTestsExcludeTheRightAndBottomEdges) {
    Start(8, 8, 4, 4);
    const int left = game.BoardSlotLeft(0), top = game.BoardSlotTop(0);
    EXPECT_TRUE(game.BoardHit(left, top).Inside);
    EXPECT_FALSE(game.BoardHit(left - 1, top).Inside);
    const TBoardHit second = game.BoardHit(left + 96, top + 95);
    EXPECT_TRUE(second.Inside);
    EXPECT_EQ(second.C, 1);
    EXPECT_EQ(second.R, 0);
    EXPECT_EQ(second.DY, 95);
    EXPECT_FALSE(game.BoardHit(left + 192, top).Inside);

    const TShardSlot& slot = game.Tray[1][1];
    const TTrayHit hit = game.TrayHit(slot.X + 95, slot.Y);
    EXPECT_TRUE(hit.Hit);
    EXPECT_EQ(hit.Shard, 3);
    EXPECT_EQ(hit.DX, 95);
    EXPECT_FALSE(game.TrayHit(slot.X + 96, slot.Y).Hit);
    EXPECT_EQ(game.TrayHit(0, 0).Shard, -1);
}

TEST_F(GameRules, ShardIdsOfATwoByTwoCutAreColumnMajor) {
    Start(8, 8, 4, 4);
    game.GiveUp();
    EXPECT_EQ(game.Board[0][0].Shard, 0);  // top-left
    EXPECT_EQ(game.Board[0][1].Shard, 1);  // bottom-left
    EXPECT_EQ(game.Board[1][0].Shard, 2);  // top-right
    EXPECT_EQ(game.Board[1][1].Shard, 3);  // bottom-right
}

TEST_F(GameRules, PickingUpFromTheTrayKeepsTheGrabPointInsideTheDrawnShard) {
    Start(8, 8, 4, 4);
    const TShardSlot slot = game.Tray[1][0];
    game.PickUp(slot.X + 10, slot.Y + 20);
    ASSERT_TRUE(game.Dragging);
    EXPECT_EQ(game.DragShard, 2);
    EXPECT_EQ(game.DragDX, 8);
    EXPECT_EQ(game.DragDY, 18);
    EXPECT_EQ(game.Tray[1][0].Shard, -1);
    ExpectEveryShardOnce();
}

TEST_F(GameRules, DropOnAnOccupiedBoardSlotSendsTheOccupantToTheFirstFreeTraySlot) {
    Start(8, 8, 4, 4);
    Drag(TrayPoint(0, 0), BoardPoint(1, 1));  // shard 0 onto the board, tray (0, 0) now free
    Drag(TrayPoint(1, 1), BoardPoint(1, 1));  // shard 3 onto the same slot
    EXPECT_EQ(game.Board[1][1].Shard, 3);
    EXPECT_EQ(game.Tray[0][0].Shard, 0);  // reading order: (0, 0) is the first free slot
    EXPECT_EQ(game.Tray[1][1].Shard, -1);
    EXPECT_EQ(sounds, (std::vector<TSound>{TSound::BlockSet, TSound::BlockSet}));
    ExpectEveryShardOnce();
}

TEST_F(GameRules, FirstFreeTraySlotIsInReadingOrder) {
    Start(12, 8, 4, 4);  // 3 columns, 2 rows
    game.Tray[2][0].Shard = -1;  // reading order position 2
    game.Tray[0][1].Shard = -1;  // reading order position 3, but column-major position 1
    game.PutShard(4, 0, 0, TPutKind::FirstFreeTray);
    EXPECT_EQ(game.Tray[2][0].Shard, 4);
    EXPECT_EQ(game.Tray[0][1].Shard, -1);
}

TEST_F(GameRules, DropOnOwnTraySlotPutsTheShardBack) {
    Start(8, 8, 4, 4);
    Drag(TrayPoint(1, 0), TrayPoint(1, 0));
    EXPECT_EQ(game.Tray[1][0].Shard, 2);
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(sounds, std::vector<TSound>{TSound::BlockSet});
}

TEST_F(GameRules, DropOnAnOccupiedTraySlotSwapsThroughTheFirstFreeSlot) {
    Start(8, 8, 4, 4);
    Drag(TrayPoint(0, 0), TrayPoint(1, 1));
    EXPECT_EQ(game.Tray[1][1].Shard, 0);
    EXPECT_EQ(game.Tray[0][0].Shard, 3);
    ExpectEveryShardOnce();
}

TEST_F(GameRules, DropOutsideEverySlotReturnsTheShardWithTheReturnSound) {
    Start(8, 8, 4, 4);
    Drag(TrayPoint(1, 0), {395, 5});
    EXPECT_EQ(game.Tray[0][0].Shard, 0);
    EXPECT_EQ(game.Tray[1][0].Shard, 2);  // the slot it came from was the first free one
    EXPECT_EQ(sounds, std::vector<TSound>{TSound::ReturnBlock});
    ExpectEveryShardOnce();
}

TEST_F(GameRules, ASecondPressWhileDraggingKeepsTheHeldShard) {
    Start(8, 8, 4, 4);
    const auto first = TrayPoint(0, 0);
    game.PickUp(first.first, first.second);
    const auto other = TrayPoint(1, 1);
    game.PickUp(other.first, other.second);
    EXPECT_EQ(game.DragShard, 0);
    EXPECT_EQ(game.Tray[1][1].Shard, 3);
    ExpectEveryShardOnce();
    game.CancelDrag();
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(game.Tray[0][0].Shard, 0);
    EXPECT_TRUE(sounds.empty());  // a cancel is silent
    ExpectEveryShardOnce();
}

TEST_F(GameRules, CompletionIsTestedOnlyAfterADropOnTheBoard) {
    Start(8, 8, 4, 4);
    // The solution shifted one column to the right.
    game.Board[0][0].Shard = 2;
    game.Board[0][1].Shard = 3;
    game.Board[1][0].Shard = 0;
    game.Board[1][1].Shard = 1;
    for (auto& column : game.Tray) for (auto& slot : column) slot.Shard = -1;
    game.ShiftBoard(-1, 0);
    EXPECT_EQ(game.Board[0][0].Shard, 0);
    EXPECT_EQ(game.Board[1][1].Shard, 3);
    EXPECT_FALSE(game.Won);
    Drag(BoardPoint(1, 1), BoardPoint(1, 1));
    EXPECT_TRUE(game.Won);
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(game.EndTick, clock.Now());
}

TEST_F(GameRules, ShiftWrapsInAllFourDirections) {
    Start(12, 12, 4, 4);  // 3 x 3 board
    const auto shifted = [&](int dx, int dy) {
        game.GiveUp();  // the solution: slot (c, r) holds 3c + r
        game.ShiftBoard(dx, dy);
        return std::vector<int>{game.Board[0][0].Shard, game.Board[2][0].Shard, game.Board[0][2].Shard};
    };
    EXPECT_EQ(shifted(-1, 0), (std::vector<int>{3, 0, 5}));  // each slot takes its right neighbour's
    EXPECT_EQ(shifted(1, 0), (std::vector<int>{6, 3, 8}));
    EXPECT_EQ(shifted(0, -1), (std::vector<int>{1, 7, 0}));  // each slot takes the one below
    EXPECT_EQ(shifted(0, 1), (std::vector<int>{2, 8, 1}));
}

TEST_F(GameRules, ClearBoardEmptiesTheBoardThroughTraySlotZero) {
    Start(8, 8, 4, 4);
    const auto tray = game.Tray;
    game.ClearBoard();  // an empty board: nothing moves
    EXPECT_EQ(game.Tray[0][0].Shard, tray[0][0].Shard);
    EXPECT_EQ(game.Tray[1][1].Shard, tray[1][1].Shard);

    game.GiveUp();
    game.ClearBoard();
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 2; ++r) EXPECT_EQ(game.Board[c][r].Shard, -1);
    EXPECT_EQ(game.Tray[0][0].Shard, 3);  // the bottom-right board slot was cleared last
    ExpectEveryShardOnce();
}

TEST_F(GameRules, GiveUpShowsTheSolutionWithoutWinning) {
    Start(12, 9, 4, 3);
    const auto from = TrayPoint(0, 0);
    game.PickUp(from.first, from.second);
    game.Drop(BoardPoint(2, 2).first, BoardPoint(2, 2).second);
    clock.Advance(5000);
    game.GiveUp();
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(game.Board[c][r].Shard, c * 3 + r);
            EXPECT_EQ(game.Tray[c][r].Shard, -1);
        }
    EXPECT_TRUE(game.GameOver);
    EXPECT_FALSE(game.Won);
    EXPECT_EQ(game.ElapsedTenths(), 50u);
    game.PickUp(BoardPoint(0, 0).first, BoardPoint(0, 0).second);
    EXPECT_FALSE(game.Dragging);  // nothing can be picked up once the game is over
}

TEST_F(GameRules, GlowRisesUnderTheMouseAndFadesAfterItLeaves) {
    Start(8, 8, 4, 4);
    const auto p = BoardPoint(1, 0);
    game.MouseX = p.first;
    game.MouseY = p.second;
    std::vector<int> rise;
    for (int i = 0; i < 20; ++i) {
        game.Step();
        rise.push_back(game.Glow[1][0]);
    }
    EXPECT_EQ(rise[0], -1);
    EXPECT_EQ(rise[5], -6);
    EXPECT_EQ(rise[19], -11);  // settles between -12 and -11
    EXPECT_EQ(game.Glow[0][0], 0);

    game.MouseX = game.MouseY = -1;
    int ticks = 0;
    while (game.Glow[1][0] < 0) {
        game.Step();
        ++ticks;
    }
    EXPECT_EQ(ticks, 11);

    game.Screen = ScreenSimpleMenu;  // no glow off the play screen
    game.MouseX = p.first;
    game.MouseY = p.second;
    game.Step();
    EXPECT_EQ(game.Glow[1][0], 0);
}

TEST(Dealing, FourShardsFallIntoEachOfTheTwentyFourOrdersEvenly) {
    RandSeed(11);
    TGame game;
    game.SetupGeometry(8, 8, 4, 4);
    std::map<std::vector<int>, int> orders;
    constexpr int Deals = 24000;
    for (int i = 0; i < Deals; ++i) {
        game.DealShards();
        ++orders[{game.Tray[0][0].Shard, game.Tray[0][1].Shard, game.Tray[1][0].Shard, game.Tray[1][1].Shard}];
    }
    ASSERT_EQ(orders.size(), 24u);
    for (const auto& [order, count] : orders) {
        EXPECT_GT(count, 850) << "an order is dealt too rarely";  // 1000 expected; 5 sigma is about 150
        EXPECT_LT(count, 1150) << "an order is dealt too often";
    }
}
