#include "Main.h"

#include "Sounds.h"
#include "platform/Clock.h"
#include "platform/GameUi.h"
#include "platform/MainThread.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace {

constexpr int TimerInterval = 10;

// The banner strip at the bottom of the screen; a press there never reaches the game.
constexpr int StripLeft = 22, StripRight = 490, StripTop = 465, StripBottom = 525;
constexpr int StripCentreY = 495;

}  // namespace

TfmMain::TfmMain(TDisplayMode mode) : mMode(mode) {
    svDialog = {"Запись файла"_cp.data(), "Файлы записи|*.sav|Все файлы|*.*"_cp.data(), "sav", ""};
    opDialog = {"Выбор файла"_cp.data(), svDialog.filter, "sav", ""};
    svTurnir = {"Запись турнира"_cp.data(), "Турниры|*.tur|Все файлы|*.*"_cp.data(), "tur", ""};
    opTurnir = {"Выбор турнира"_cp.data(), svTurnir.filter, "tur", ""};
    if (mMode == TDisplayMode::Window) mPreviousUi = InstallUi(std::make_unique<GameUi>(mDXDraw));

    Randomize();
    mGame = std::make_unique<TGame>();
    mGame->PlaySound = [this](TSound sound) { mDXWaveList.Play(static_cast<int>(sound)); };
    mBanner = std::make_unique<TReklama>();
    mDXTimer.Interval = TimerInterval;
    mDXTimer.OnTimer = [this](int) { Tick(); };
    mDXTimer.Enabled = true;
    svDialog.initialDir = opDialog.initialDir = ExecutableDir();
    mDXWaveList.Add("ReturnBlock", ReturnBlockWave());
    mDXWaveList.Add("BlockSet", BlockSetWave());
    if (mMode == TDisplayMode::Window) mDXSound.Initialize();
}

TfmMain::~TfmMain() {
    mDXTimer.Enabled = false;
    mBanner.reset();
    mGame.reset();
    if (mPreviousUi) InstallUi(std::move(mPreviousUi));
}

bool TfmMain::FormShow() {
    if (mMode == TDisplayMode::Window) {
        if (!mDXDraw.InitializeWindow("Zelvana", ScreenWidth, ScreenHeight)) return false;
    } else {
        mDXDraw.InitializeHeadless(ScreenWidth, ScreenHeight);
    }
    LoadBanners();
    mGame->SetScreen(ScreenSimpleMenu);
    return true;
}

bool TfmMain::LoadBanners() {
    mBanner->FileName = "rekl.col";
    return mBanner->LoadFromFile() && mBanner->Count() >= 2;
}

void TfmMain::Run() {
    mDXDraw.Run(*this, mDXTimer);
}

void TfmMain::Tick() {
    mGame->Step();
    mDXDraw.Invalidate();
}

void TfmMain::Paint() {
    if (!mDXDraw.CanDraw()) return;
    mDXDraw.Surface().Fill({0, 0, ScreenWidth, ScreenHeight}, 0x203040);
    PaintBanner();
    mBanner->Advance();
    mDXDraw.Flip();
}

void TfmMain::PaintBanner() {
    const TDIB* picture = mBanner->CurrentPicture();
    if (!picture) return;
    const TDirectDrawSurface frame(*picture);
    frame.Draw(mDXDraw.Surface(), StripLeft, StripCentreY - picture->Height() / 2, TBlit::Opaque);
}

bool TfmMain::InBannerStrip(int x, int y) {
    return StripLeft <= x && x <= StripRight && StripTop <= y && y <= StripBottom;
}

void TfmMain::MouseDown(TMouseButton, TShiftState, int x, int y) {
    if (InBannerStrip(x, y)) {
        if (mBanner->Count() > 0) TheUi().OpenLink(mBanner->Link(mBanner->CurrentBanner));
        return;
    }
    if (mGame->Screen == ScreenPlay && !mGame->GameOver) mGame->PickUp(x, y);
}

void TfmMain::MouseMove(TShiftState shift, int x, int y) {
    if (mGame->Screen != ScreenPlay) return;
    mGame->MouseX = x;
    mGame->MouseY = y;
    if (!shift.Left && mGame->Dragging) mGame->CancelDrag();
}

void TfmMain::MouseUp(TMouseButton button, TShiftState, int x, int y) {
    if (button != TMouseButton::Left || mGame->Screen != ScreenPlay || !mGame->Dragging) return;
    mGame->Drop(x, y);
}
