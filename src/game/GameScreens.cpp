// The game's screens: what each holds, how its buttons are enabled, and how it is drawn.

#include "Game.h"
#include "Sizes.h"

#include "gfx/ScreenLayout.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int OutlineOverhang = 1;  // outline pieces start a pixel before their cell
constexpr int GlowAlphaPerStep = 6;  // light of the slot under the mouse per step of its glow
constexpr TColor32 GlowColor = 0xFFFFFF;
constexpr int ResultsRowHeight = 16;

// What stands in for an image that "graph.col" lacks: a plain block of the image's usual size
// and colour, so the screen never shows what an earlier frame left behind.
struct TStandIn {
    int Width, Height;
    TColor32 Color;
};
constexpr TStandIn BackStandIn{ScreenWidth, ScreenHeight, 0x14213D};
constexpr TStandIn BottomStandIn{ScreenWidth, ScreenHeight - BottomPanelAt.Y, 0x1A2A50};
constexpr TStandIn LineHStandIn{FieldCells * CellPixels + 1, 1, 0x34497A};
constexpr TStandIn LineVStandIn{1, FieldCells * CellPixels + 1, 0x34497A};
constexpr TStandIn SelHStandIn{CellPixels + 2, 3, 0xF2B84E};
constexpr TStandIn SelVStandIn{3, CellPixels + 2, 0xF2B84E};
constexpr TStandIn CharStandIn{CellPixels, CellPixels, 0xFBF5E4};
constexpr TStandIn NCharStandIn{CellPixels, CellPixels, 0x262A35};
constexpr TColor32 FrameStandInColor = 0x7F96C8;
constexpr TColor32 WellStandInColor = 0x0A1124;

// Draws the image named name at (x, y), or its stand-in when there is none.
void DrawImage(const TSurfaceSortCollection& surfaces, TDirectDrawSurface& target, std::string_view name, int x,
               int y, TBlit blit, const TStandIn& standIn) {
    if (const TDirectDrawSurface* image = surfaces.Find(name))
        image->Draw(target, x, y, blit);
    else
        target.Fill({x, y, x + standIn.Width, y + standIn.Height}, standIn.Color);
}

void DrawImage(const TSurfaceSortCollection& surfaces, TDirectDrawSurface& target, std::string_view name, int x,
               int y, TBlit blit) {
    if (const TDirectDrawSurface* image = surfaces.Find(name)) image->Draw(target, x, y, blit);
}

std::string ButtonImages(std::string_view name) {
    return Format("%s1|%s2|%s3", name, name, name);
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// Victory spiral: the phase of the animation at a time after the win; 0 when it stands still.
int VictoryPhase(uint32_t msSinceWin) {
    int m = static_cast<int>((msSinceWin / 50) % 400);
    if (m > 50 && m <= 100) m -= 100;
    if (m > 100) m = 0;
    return m;
}

// The angle of (ox, oy) from the x axis towards the y axis; straight up or down when ox is 0.
float Angle(float ox, float oy) {
    if (ox == 0) return oy > 0 ? std::numbers::pi_v<float> / 2 : -std::numbers::pi_v<float> / 2;
    return std::atan2(oy, ox);
}

}  // namespace

// --- building the screens ---

namespace {

// A button of a screen: its name, place, image and mask names, and whether it starts disabled.
struct TButtonPlace {
    std::string_view Name;
    TScreenPoint At;
    std::string_view Images;  // the images' name without the state digit
    std::string_view Mask;
    bool Disabled = false;
};

void AddButtons(TBrevButtonCollection& buttons, const TSurfaceSortCollection& surfaces,
                std::initializer_list<TButtonPlace> places) {
    for (const TButtonPlace& place : places) {
        auto button = std::make_unique<TBrevDXButton>();
        button->Surfaces = &surfaces;
        button->Left = place.At.X;
        button->Top = place.At.Y;
        button->SetImages(ButtonImages(place.Images));
        button->SetMasks(Format("%s|%s|%s", place.Mask, place.Mask, place.Mask));
        if (place.Disabled) button->SetState(TControlState::Disabled);
        buttons.Add(place.Name, std::move(button));
    }
}

// Adds a control that takes its images and captions from the game's collections.
template <typename Control>
Control& AddControl(TGame& game, std::string_view name, std::unique_ptr<Control> control) {
    control->Surfaces = &game.Surfaces;
    control->Letters = &game.Letters;
    return game.Controls.Add(name, std::move(control));
}

void AddHardBox(TGame& game, TScreenPoint at) {
    auto& hard = AddControl(game, "HARD",
                            std::make_unique<TBrevCheckBox>(at.X, at.Y, HardBoxWidth, game.Letters.TextHeight("1")));
    hard.Caption = "Усложнение"_cp;
    hard.Checked = game.Hard;
}

}  // namespace

void TGame::BuildSimpleMenu() {
    Controls.Clear();
    Buttons.Clear();
    auto& crossSize = AddControl(*this, "CROSSSIZE", std::make_unique<TBrevSelector>(CrossSizeAt.X, CrossSizeAt.Y));
    crossSize.Caption = "Размер шаблона"_cp;
    for (const TSize size : TemplateSizes()) crossSize.Items.push_back(SizeText(size));
    crossSize.ItemIndex = DefaultTemplateSize;
    AddControl(*this, "BLOCKSIZE", std::make_unique<TBrevSelector>(BlockSizeAt.X, BlockSizeAt.Y)).Caption = "Размер осколка "_cp;
    AddHardBox(*this, SimpleHardAt);
    FillShardSizes(12, 12);
    AddButtons(Buttons, Surfaces,
               {{"BT_CREATE", CreateAt, "BT_CREATE", "BT_MASK"},
                {"BT_BEGIN", BeginAt, "BT_BEGIN", "BT_MASK", true},
                {"BT_LOAD", LoadAt, "BT_LOAD", "BT_MASK"},
                {"BT_RATING", RatingAt, "BT_RATING", "BT_MASK"}});
}

void TGame::BuildRatingMenu() {
    Controls.Clear();
    Buttons.Clear();
    AddControl(*this, "SIZE", std::make_unique<TBrevSelector>(SizeAt.X, SizeAt.Y)).Caption = "Размер:"_cp;
    AddHardBox(*this, RatingHardAt);
    AddButtons(Buttons, Surfaces,
               {{"BT_CREATE2", Create2At, "BT_CREATE", "BT_MASK"},
                {"BT_BEGIN2", Begin2At, "BT_BEGIN", "BT_MASK", true},
                {"BT_LOAD2", Load2At, "BT_LOAD", "BT_MASK"},
                {"BT_SIMPLE", SimpleAt, "BT_SIMPLE", "BT_MASK"}});
}

void TGame::BuildPlayButtons() {
    Buttons.Clear();
    AddButtons(Buttons, Surfaces,
               {{"BT_SAVE", SaveAt, "BT_SAVE", "BT_MASK", !SimpleMode},
                {"BT_CLOSE", CloseAt, "BT_CLOSE", "BT_MASK"},
                {"BT_CLEAR", ClearAt, "BT_CLEAR", "BT_MASK"},
                {"BT_HINT", HintAt, "BT_HINT", "BT_MASK", !SimpleMode},
                {"BT_LEFT", LeftAt, "BT_LEFT", "BT_LEFT4"},
                {"BT_RIGHT", RightAt, "BT_RIGHT", "BT_RIGHT4"},
                {"BT_DOWN", DownAt, "BT_DOWN", "BT_DOWN4"},
                {"BT_UP", UpAt, "BT_UP", "BT_UP4"}});
}

// --- button states ---

namespace {

void SetState(const TBrevButtonCollection& buttons, std::string_view name, TControlState state) {
    if (TBrevDXButton* button = buttons.Find(name)) button->SetState(state);
}

void SetEnabled(const TBrevButtonCollection& buttons, std::string_view name, bool enabled) {
    SetState(buttons, name, enabled ? TControlState::Normal : TControlState::Disabled);
}

void SetImages(const TBrevButtonCollection& buttons, std::string_view name, std::string_view images) {
    if (TBrevDXButton* button = buttons.Find(name)) button->SetImages(ButtonImages(images));
}

}  // namespace

void TGame::SetScreen(TScreen screen) {
    Screen = screen;
    switch (screen) {
        case ScreenSimpleMenu:
            SetEnabled(Buttons, "BT_BEGIN", PuzzleReady);
            SetImages(Buttons, "BT_CREATE", "BT_CREATE");
            SetEnabled(Buttons, "BT_CREATE", !PuzzleReady);
            SetEnabled(Buttons, "BT_LOAD", true);
            break;
        case ScreenRatingMenu: {
            const TBrevSelector* size = Controls.FindSelector("SIZE");
            const bool offered = size && !size->Items.empty();
            SetEnabled(Buttons, "BT_BEGIN2", PuzzleReady && offered);
            SetImages(Buttons, "BT_CREATE2", "BT_CREATE");
            SetEnabled(Buttons, "BT_CREATE2", !PuzzleReady && offered);
            SetEnabled(Buttons, "BT_LOAD2", true);
            break;
        }
        case ScreenGenerating: {
            const char* suffix = SimpleMode ? "" : "2";
            SetEnabled(Buttons, Format("BT_BEGIN%s", suffix), false);
            SetEnabled(Buttons, Format("BT_LOAD%s", suffix), false);
            SetImages(Buttons, Format("BT_CREATE%s", suffix), "BT_STOP");
            break;
        }
        case ScreenPlay:
            if (HintUsed) SetEnabled(Buttons, "BT_HINT", false);
            if (GameOver)
                for (const char* name : {"BT_HINT", "BT_SAVE", "BT_CLEAR", "BT_UP", "BT_DOWN", "BT_RIGHT", "BT_LEFT"})
                    SetEnabled(Buttons, name, false);
            break;
    }
}

void TGame::SetReady(bool ready) {
    PuzzleReady = ready;
    if (!SimpleMode) {
        SetScreen(Screen);
        return;
    }
    if (TBrevDXButton* create = Buttons.Find("BT_CREATE")) {
        if (ready)
            create->SetState(TControlState::Disabled);
        else if (create->State() == TControlState::Disabled)
            create->SetState(TControlState::Normal);
    }
    if (!ready) SetEnabled(Buttons, "BT_BEGIN", false);
}

void TGame::FillShardSizes(int W, int H) {
    TBrevSelector* blockSize = Controls.FindSelector("BLOCKSIZE");
    if (!blockSize) return;
    blockSize->Items.clear();
    for (const TSize size : ShardSizesFor(W, H)) blockSize->Items.push_back(SizeText(size));
    blockSize->ItemIndex = 0;
}

void TGame::RememberSizes() {
    const TBrevSelector* crossSize = Controls.FindSelector("CROSSSIZE");
    const TBrevSelector* blockSize = Controls.FindSelector("BLOCKSIZE");
    if (!crossSize || !blockSize) return;
    const TSize cross = ParseTemplateSize(crossSize->Value());
    const TSize shard = ParseShardSize(blockSize->Value());
    LastSize = {static_cast<uint8_t>(cross.Width), static_cast<uint8_t>(cross.Height),
                static_cast<uint8_t>(shard.Width), static_cast<uint8_t>(shard.Height)};
}

// --- drawing ---

uint32_t TGame::TimeShown() const {
    if (Screen != ScreenPlay) return 0;
    if (Won) return static_cast<uint32_t>(VictoryPhase(TickCount() - EndTick));
    return ElapsedTenths();
}

void TGame::DrawMenu(TDirectDrawSurface& target) const {
    DrawImage(Surfaces, target, "BACK", 0, 0, TBlit::Opaque, BackStandIn);
    if (SimpleMode) {
        DrawImage(Surfaces, target, "MBOX", SimpleBoxAt.X, SimpleBoxAt.Y, TBlit::Keyed);
        Letters.DrawText(target, SimpleTitleAt.X, SimpleTitleAt.Y, "&1ПРОСТАЯ ИГРА"_cp, THorzAlign::Left,
                         TVertAlign::Center);
    } else {
        DrawImage(Surfaces, target, "MBOX1", RatingBoxAt.X, RatingBoxAt.Y, TBlit::Keyed);
        Letters.DrawText(target, RatingTitleAt.X, RatingTitleAt.Y, "&1РЕЙТИНГ-ИГРА"_cp, THorzAlign::Left,
                         TVertAlign::Center);
        DrawResults(target, MenuResultsAt.X, MenuResultsAt.Y);
    }
    Controls.DrawAll(target, 0, 0);
    Buttons.DrawAll(target, 0, 0);
}

void TGame::DrawPlay(TDirectDrawSurface& target) const {
    DrawImage(Surfaces, target, "BACK", 0, 0, TBlit::Opaque, BackStandIn);

    // The field's grid: one line more than cells when the size is even.
    const int rows = CrossHeight % 2 == 0 ? FieldCells + 1 : FieldCells;
    const int columns = CrossWidth % 2 == 0 ? FieldCells + 1 : FieldCells;
    for (int k = 0; k < rows; ++k)
        DrawImage(Surfaces, target, "LINE_H", FieldLeft, OriginY + CellPixels * k, TBlit::Opaque, LineHStandIn);
    for (int k = 0; k < columns; ++k)
        DrawImage(Surfaces, target, "LINE_V", OriginX + CellPixels * k, FieldTop, TBlit::Opaque, LineVStandIn);

    const int pw = CellPixels * ShardWidth, ph = CellPixels * ShardHeight;
    if (!GameOver)
        for (int c = 0; c < ShardCols; ++c)
            for (int r = 0; r < ShardRows; ++r)
                if (Glow[c][r] < 0) {
                    const int left = BoardSlotLeft(c), top = BoardSlotTop(r);
                    target.FillAlpha({left, top, left + pw - 1, top + ph - 1}, GlowColor,
                                     static_cast<uint8_t>(-Glow[c][r] * GlowAlphaPerStep));
                }

    if (HintUsed && !GameOver) DrawHint(target);
    const int phase = Won ? VictoryPhase(TickCount() - EndTick) : 0;
    if (phase != 0)
        DrawVictory(target, phase);
    else
        DrawBoard(target);

    if (!GameOver) {
        for (int r = 0; r <= ShardRows; ++r)
            for (int k = OffsetCol; k < OffsetCol + CrossWidth; ++k)
                DrawImage(Surfaces, target, "SEL_H", OriginX + CellPixels * k - OutlineOverhang,
                          OriginY + CellPixels * (r * ShardHeight + OffsetRow) - OutlineOverhang, TBlit::Opaque,
                          SelHStandIn);
        for (int c = 0; c <= ShardCols; ++c)
            for (int k = OffsetRow; k < OffsetRow + CrossHeight; ++k)
                DrawImage(Surfaces, target, "SEL_V", OriginX + CellPixels * (c * ShardWidth + OffsetCol) - OutlineOverhang,
                          OriginY + CellPixels * k - OutlineOverhang, TBlit::Opaque, SelVStandIn);
        DrawTray(target);
    }
    if (Dragging) DrawShard(target, MouseX - DragDX, MouseY - DragDY, TShardStyle::Normal, DragShard);

    const uint32_t t = ElapsedTenths();
    const std::string_view status = Won ? "&0Победа!"_cp : GameOver ? "&2Игра окончена"_cp : std::string_view();
    Letters.DrawText(target, TimeTextAt.X, TimeTextAt.Y,
                     Format("Время: &1%d:%s.%d %s"_cp, t / 600, TwoDigits(static_cast<int>((t / 10) % 60)), t % 10, status),
                     THorzAlign::Left, TVertAlign::Top);
    if (HintUsed)
        Letters.DrawText(target, SecondLineAt.X, SecondLineAt.Y, "Подсказка: &1активирована"_cp, THorzAlign::Left,
                         TVertAlign::Top);
    // Rating points count down only while they can still be won.
    if (!SimpleMode && !GameOver) {
        const int points = MaxPoints - static_cast<int>(t / 10);
        Letters.DrawText(target, SecondLineAt.X, SecondLineAt.Y,
                         points < 0 ? std::string("Рейтинг-очки: &20"_cp) : Format("Рейтинг-очки: &1%d"_cp, points),
                         THorzAlign::Left, TVertAlign::Top);
    }
    if (!SimpleMode && GameOver) DrawResults(target, PlayResultsAt.X, PlayResultsAt.Y);
    DrawImage(Surfaces, target, "LB", BottomPanelAt.X, BottomPanelAt.Y, TBlit::Keyed, BottomStandIn);
    Buttons.DrawAll(target, 0, 0);
}

void TGame::DrawShard(TDirectDrawSurface& target, int x, int y, TShardStyle style, int id) const {
    for (int cx = 0; cx < ShardWidth; ++cx)
        for (int cy = 0; cy < ShardHeight; ++cy) {
            const int left = x + CellPixels * cx, top = y + CellPixels * cy;
            const char letter = ShardLetters[id][cx][cy];
            if (style == TShardStyle::Hint) {
                if (letter != '*') DrawImage(Surfaces, target, "CHAR2", left, top, TBlit::Keyed);
            } else if (letter == '*') {
                DrawImage(Surfaces, target, "NCHAR", left, top, TBlit::Opaque, NCharStandIn);
            } else {
                DrawImage(Surfaces, target, "CHAR", left, top, TBlit::Opaque, CharStandIn);
                const char text[] = {'&', '3', letter};
                Letters.DrawText(target, left + CellPixels / 2, top + CellPixels / 2, std::string_view(text, 3),
                                 THorzAlign::Center, TVertAlign::Center);
            }
        }
}

void TGame::DrawBoard(TDirectDrawSurface& target) const {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r)
            if (Board[c][r].Shard >= 0)
                DrawShard(target, BoardSlotLeft(c), BoardSlotTop(r), TShardStyle::Normal, Board[c][r].Shard);
}

void TGame::DrawTray(TDirectDrawSurface& target) const {
    const std::string frame = Format("%d%d", ShardWidth, ShardHeight);
    const int width = CellPixels * ShardWidth + 2 * TrayFrameInset, height = CellPixels * ShardHeight + 2 * TrayFrameInset;
    const TDirectDrawSurface* image = Surfaces.Find(frame);
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            const TShardSlot& slot = Tray[c][r];
            if (image) {
                image->Draw(target, slot.X, slot.Y, TBlit::Keyed);
            } else {
                target.Fill({slot.X, slot.Y, slot.X + width, slot.Y + height}, FrameStandInColor);
                target.Fill({slot.X + TrayFrameInset, slot.Y + TrayFrameInset, slot.X + width - TrayFrameInset,
                             slot.Y + height - TrayFrameInset},
                            WellStandInColor);
            }
            if (slot.Shard >= 0)
                DrawShard(target, slot.X + TrayFrameInset, slot.Y + TrayFrameInset, TShardStyle::Normal, slot.Shard);
        }
}

void TGame::DrawHint(TDirectDrawSurface& target) const {
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r)
            DrawShard(target, BoardSlotLeft(c), BoardSlotTop(r), TShardStyle::Hint, c * ShardRows + r);
}

void TGame::DrawVictory(TDirectDrawSurface& target, int m) const {
    const float s = static_cast<float>(std::abs(4 * m));
    const float phi = static_cast<float>(4 * m) * std::numbers::pi_v<float> / 50;
    const float cx = static_cast<float>(OriginX + CellPixels * OffsetCol + CellPixels * (CrossWidth - ShardWidth) / 2);
    const float cy = static_cast<float>(OriginY + CellPixels * OffsetRow + CellPixels * (CrossHeight - ShardHeight) / 2);
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            if (Board[c][r].Shard < 0) continue;
            const float ox = static_cast<float>(BoardSlotLeft(c)) - cx;
            const float oy = static_cast<float>(BoardSlotTop(r)) - cy;
            const float d = std::sqrt(ox * ox + oy * oy);
            const float theta = Angle(ox, oy);
            // nearbyint rounds halves to even under the default rounding mode.
            const int x = static_cast<int>(std::nearbyint(std::cos(theta + phi) * (d + s) + cx));
            const int y = static_cast<int>(std::nearbyint(cy - std::sin(theta + phi) * (d + s)));
            DrawShard(target, x, y, TShardStyle::Normal, Board[c][r].Shard);
        }
}

void TGame::DrawResults(TDirectDrawSurface& target, int x0, int y0) const {
    constexpr int TimeRight = 200, PointsRight = 270, RatingRow = 360, FirstRow = 20;
    Letters.DrawText(target, x0, y0, "&2Размер"_cp, THorzAlign::Left, TVertAlign::Top);
    Letters.DrawText(target, x0 + TimeRight, y0, "&2Время"_cp, THorzAlign::Right, TVertAlign::Top);
    Letters.DrawText(target, x0 + PointsRight, y0, "&2Очки"_cp, THorzAlign::Right, TVertAlign::Top);
    Letters.DrawText(target, x0, y0 + RatingRow, Format("&2Текущий рейтинг: &1%d"_cp, Rating), THorzAlign::Left,
                     TVertAlign::Top);
    for (int i = 0; i < TournamentSize; ++i) {
        const TTournamentEntry& entry = Tournament[i];
        const std::string_view mark = i % 2 == 0 ? "&0" : "&1";
        const int top = y0 + FirstRow + ResultsRowHeight * i;
        const std::string time =
            entry.Played() ? Format("%d:%s", entry.Seconds / 60, TwoDigits(entry.Seconds % 60)) : std::string("-");
        const std::string points = entry.Points < 0 ? "0" : !entry.Played() ? "-" : std::to_string(entry.Points);
        Letters.DrawText(target, x0, top, Format("%s%dx%d (%dx%d)", mark, entry.W, entry.H, entry.w, entry.h),
                         THorzAlign::Left, TVertAlign::Top);
        Letters.DrawText(target, x0 + TimeRight, top, Format("%s%s", mark, time), THorzAlign::Right, TVertAlign::Top);
        Letters.DrawText(target, x0 + PointsRight, top, Format("%s%s", mark, points), THorzAlign::Right,
                         TVertAlign::Top);
    }
}
