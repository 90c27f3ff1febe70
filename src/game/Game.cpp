#include "Game.h"

#include "gfx/ScreenLayout.h"
#include "platform/Clock.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The field's origin depends on the crossword's parity so that the crossword is always
// centred on the same point.
void CentreInField(int size, int fieldStart, int32_t& origin, uint8_t& offset) {
    if (size % 2 == 0) {
        origin = fieldStart;
        offset = static_cast<uint8_t>((FieldCells - size) / 2);
    } else {
        origin = fieldStart + OddFieldShift;
        offset = static_cast<uint8_t>((FieldCells - 1 - size) / 2);
    }
}

int TrayGapX(int shardCols, int shardWidth) {
    switch (shardCols) {
        case 2: return 50;
        case 3: return 30;
        case 4: return shardWidth == 3 ? 15 : 2;
        default: return 2;
    }
}

int TrayGapY(int shardRows) {
    switch (shardRows) {
        case 2: return 50;
        case 3: return 30;
        case 4: return 10;
        default: return 3;
    }
}

}  // namespace

void TGame::Play(TSound sound) const {
    if (PlaySound) PlaySound(sound);
}

void TGame::SetupGeometry(int W, int H, int w, int h) {
    CrossWidth = static_cast<uint8_t>(W);
    CrossHeight = static_cast<uint8_t>(H);
    ShardWidth = static_cast<uint8_t>(w);
    ShardHeight = static_cast<uint8_t>(h);
    ShardCols = static_cast<uint8_t>(W / w);
    ShardRows = static_cast<uint8_t>(H / h);
    CentreInField(W, FieldLeft, OriginX, OffsetCol);
    CentreInField(H, FieldTop, OriginY, OffsetRow);
    for (auto& column : Glow) column.fill(0);
    StartTick = TickCount();
    Won = GameOver = HintUsed = false;
    MaxPoints = PointsFor(Rating, ShardCols * ShardRows, Hard);
    MarkTournamentEntry();
    MouseX = MouseY = -1;
    Dragging = false;
}

void TGame::LayoutTray() {
    const int pw = CellPixels * ShardWidth, ph = CellPixels * ShardHeight;
    const int gx = TrayGapX(ShardCols, ShardWidth), gy = TrayGapY(ShardRows);
    const int trayWidth = ShardCols * pw + (ShardCols - 1) * gx;
    const int left = (TrayAreaWidth - trayWidth) / 2 + TrayAreaLeft;
    const int top = OriginY;
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            Tray[c][r].X = left + c * (gx + pw);
            Tray[c][r].Y = top + r * (gy + ph);
        }
}

void TGame::DealShards() {
    LayoutTray();
    std::vector<int16_t> pool(ShardCols * ShardRows);
    std::iota(pool.begin(), pool.end(), 0);
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            const int k = RandomInt(static_cast<int>(pool.size()));
            Tray[c][r].Shard = pool[k];
            pool.erase(pool.begin() + k);
        }
}

void TGame::ResetBoard() {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            Board[c][r].X = c * ShardWidth + OffsetCol;
            Board[c][r].Y = r * ShardHeight + OffsetRow;
            Board[c][r].Shard = -1;
        }
}

TBoardHit TGame::BoardHit(int x, int y) const {
    TBoardHit hit;
    const int rx = x - OriginX - CellPixels * OffsetCol;
    const int ry = y - OriginY - CellPixels * OffsetRow;
    const int pw = CellPixels * ShardWidth, ph = CellPixels * ShardHeight;
    if (rx < 0 || ry < 0 || pw == 0 || ph == 0) return hit;
    hit.C = rx / pw;
    hit.R = ry / ph;
    hit.DX = rx - hit.C * pw;
    hit.DY = ry - hit.R * ph;
    hit.Inside = hit.C < ShardCols && hit.R < ShardRows;
    return hit;
}

TTrayHit TGame::TrayHit(int x, int y) const {
    const int pw = CellPixels * ShardWidth, ph = CellPixels * ShardHeight;
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            const TShardSlot& slot = Tray[c][r];
            if (slot.X <= x && x < slot.X + pw && slot.Y <= y && y < slot.Y + ph)
                return {true, c, r, slot.Shard, x - slot.X, y - slot.Y};
        }
    return {};
}

void TGame::TakeShard(int id) {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            if (Board[c][r].Shard == id) Board[c][r].Shard = -1;
            if (Tray[c][r].Shard == id) Tray[c][r].Shard = -1;
        }
}

void TGame::PutShard(int id, int c, int r, TPutKind kind) {
    switch (kind) {
        case TPutKind::Board: {
            const int occupant = Board[c][r].Shard;
            if (occupant >= 0) PutShard(occupant, 0, 0, TPutKind::FirstFreeTray);
            Board[c][r].Shard = static_cast<int16_t>(id);
            break;
        }
        case TPutKind::Tray: {
            const int occupant = Tray[c][r].Shard;
            Tray[c][r].Shard = static_cast<int16_t>(id);
            if (occupant >= 0) PutShard(occupant, 0, 0, TPutKind::FirstFreeTray);
            break;
        }
        case TPutKind::FirstFreeTray:
            for (int row = 0; row < ShardRows; ++row)
                for (int col = 0; col < ShardCols; ++col)
                    if (Tray[col][row].Shard == -1) {
                        Tray[col][row].Shard = static_cast<int16_t>(id);
                        return;
                    }
            break;
    }
}

void TGame::PickUp(int x, int y) {
    // A press while a shard is held (a second mouse button) leaves the held shard in hand:
    // picking up another would leave the first in no slot at all.
    if (GameOver || Dragging) return;
    MouseX = x;
    MouseY = y;
    const TTrayHit tray = TrayHit(x, y);
    if (tray.Hit && tray.Shard >= 0) {
        Dragging = true;
        DragShard = static_cast<uint8_t>(tray.Shard);
        DragDX = tray.DX - TrayFrameInset;  // the shard is drawn inside its slot's frame
        DragDY = tray.DY - TrayFrameInset;
        TakeShard(tray.Shard);
        return;
    }
    const TBoardHit board = BoardHit(x, y);
    if (board.Inside && Board[board.C][board.R].Shard >= 0) {
        Dragging = true;
        DragShard = static_cast<uint8_t>(Board[board.C][board.R].Shard);
        DragDX = board.DX;
        DragDY = board.DY;
        TakeShard(DragShard);
    }
}

void TGame::Drop(int x, int y) {
    if (!Dragging) return;
    const TBoardHit board = BoardHit(x, y);
    const TTrayHit tray = TrayHit(x, y);
    if (board.Inside) {
        PutShard(DragShard, board.C, board.R, TPutKind::Board);
        CheckSolved();
        Play(TSound::BlockSet);
    } else if (tray.Hit) {
        PutShard(DragShard, tray.C, tray.R, TPutKind::Tray);
        Play(TSound::BlockSet);
    } else {
        Play(TSound::ReturnBlock);
        PutShard(DragShard, 0, 0, TPutKind::FirstFreeTray);
    }
    Dragging = false;
}

void TGame::CancelDrag() {
    if (!Dragging) return;
    PutShard(DragShard, 0, 0, TPutKind::FirstFreeTray);
    Dragging = false;
}

void TGame::ShiftBoard(int dx, int dy) {
    const int nc = ShardCols, nr = ShardRows;
    if (nc == 0 || nr == 0) return;
    TSlotGrid<int16_t> moved{};
    for (int c = 0; c < nc; ++c)
        for (int r = 0; r < nr; ++r) {
            // Slot (c, r) takes the shard of the slot (dx, dy) away against the direction of travel.
            const int fromC = ((c - dx) % nc + nc) % nc;
            const int fromR = ((r - dy) % nr + nr) % nr;
            moved[c][r] = Board[fromC][fromR].Shard;
        }
    for (int c = 0; c < nc; ++c)
        for (int r = 0; r < nr; ++r) Board[c][r].Shard = moved[c][r];
}

void TGame::ClearBoard() {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            const int shard = Board[c][r].Shard;
            if (shard < 0) continue;
            TakeShard(shard);
            PutShard(shard, 0, 0, TPutKind::Tray);
        }
}

void TGame::GiveUp() {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            Tray[c][r].Shard = -1;
            Board[c][r].Shard = static_cast<int16_t>(c * ShardRows + r);
        }
    GameOver = true;
    EndTick = TickCount();
}

void TGame::CheckSolved() {
    int expected = 0;
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r, ++expected)
            if (Board[c][r].Shard != expected) return;
    Won = true;
    GameOver = true;
    EndTick = TickCount();
    SetScreen(Screen);
    RecordResult();
}

bool TGame::Step() {
    if (Screen != ScreenPlay) return false;
    const TSlotGrid<int32_t> before = Glow;
    const TBoardHit hit = BoardHit(MouseX, MouseY);
    if (hit.Inside) Glow[hit.C][hit.R] = std::max(Glow[hit.C][hit.R] - 2, GlowFloor);
    for (auto& column : Glow)
        for (auto& glow : column)
            if (glow < 0) ++glow;
    return Glow != before;
}

uint32_t TGame::ElapsedTenths() const {
    return ((GameOver ? EndTick : TickCount()) - StartTick) / 100;
}
