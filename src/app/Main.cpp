#include "Main.h"

#include "Sounds.h"
#include "gfx/GraphicsLoader.h"
#include "platform/Clock.h"
#include "platform/GameUi.h"
#include "platform/Text.h"

namespace {

constexpr int TimerInterval = 10;

// The banner strip at the bottom of the screen; a press there never reaches the game.
constexpr int StripLeft = BannerLeft, StripRight = 490, StripTop = 465, StripBottom = 525;

}  // namespace

TfmMain::TfmMain(TDisplayMode mode, std::string dictionaryDir) : mMode(mode) {
    svDialog = {std::string("Запись файла"_cp), std::string("Файлы записи|*.sav|Все файлы|*.*"_cp), "sav", ""};
    opDialog = {std::string("Выбор файла"_cp), svDialog.filter, "sav", ""};
    svTurnir = {std::string("Запись турнира"_cp), std::string("Турниры|*.tur|Все файлы|*.*"_cp), "tur", ""};
    opTurnir = {std::string("Выбор турнира"_cp), svTurnir.filter, "tur", ""};
    if (mMode == TDisplayMode::Window) mPreviousUi = InstallUi(std::make_unique<GameUi>(mDXDraw));

    Randomize();
    mGame = std::make_unique<TGame>(std::move(dictionaryDir));
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
    LoadGraphics();
    LoadFont();
    LoadTemplates();
    LoadBanners();
    mGame->BuildSimpleMenu();
    mGame->SetScreen(ScreenSimpleMenu);
    return true;
}

bool TfmMain::LoadGraphics() {
    return ::LoadGraphics(mGame->Surfaces, "graph.col");
}

bool TfmMain::LoadFont() {
    return ::LoadFont(mGame->Letters, "font.col");
}

bool TfmMain::LoadTemplates() {
    mGame->Templates.FileName = "templates.col";
    return mGame->Templates.LoadFromFile();
}

bool TfmMain::LoadBanners() {
    mBanner->FileName = "rekl.col";
    return mBanner->LoadFromFile() && mBanner->Count() >= 2;
}

void TfmMain::Run() {
    mDXDraw.Run(*this, mDXTimer);
}

void TfmMain::Tick() {
    ProcessButtons();
    mGame->Step();
    mDXDraw.Invalidate();
}

void TfmMain::Paint() {
    if (!mDXDraw.CanDraw()) return;
    TDirectDrawSurface& surface = mDXDraw.Surface();
    if (mGame->Screen < ScreenPlay)
        mGame->DrawMenu(surface);
    else
        mGame->DrawPlay(surface);
    PaintBanner();
    mBanner->Advance();
    mDXDraw.Flip();
}

void TfmMain::PaintBanner() {
    const TDIB* picture = mBanner->CurrentPicture();
    if (!picture) return;
    const TDirectDrawSurface frame(*picture);
    frame.Draw(mDXDraw.Surface(), BannerLeft, BannerCentreY - picture->Height() / 2, TBlit::Opaque);
}

bool TfmMain::InBannerStrip(int x, int y) {
    return StripLeft <= x && x <= StripRight && StripTop <= y && y <= StripBottom;
}

void TfmMain::CrossSizeChanged() {
    const TSize size = mGame->GetCrossSize();
    mGame->FillShardSizes(size.Width, size.Height);
}

void TfmMain::MouseDown(TMouseButton, TShiftState, int x, int y) {
    if (InBannerStrip(x, y)) {
        if (mBanner->Count() > 0) TheUi().OpenLink(mBanner->Link(mBanner->CurrentBanner));
        return;
    }
    TGame& game = *mGame;
    const int button = game.Buttons.HitTest(x, y);
    if (button >= 0) game.Buttons.ButtonAt(button)->Press();
    switch (game.Screen) {
        case ScreenSimpleMenu:
        case ScreenRatingMenu: {
            const int control = game.Controls.HitTest(x, y);
            if (control < 0) break;
            const std::string name = game.Controls.NameAt(control);
            if (name == "CROSSSIZE" || name == "HARD" || name == "SIZE") game.SetReady(false);
            if (name == "CROSSSIZE") CrossSizeChanged();
            if (name == "HARD") {
                const TBrevCheckBox* hard = game.Controls.FindCheckBox("HARD");
                game.SetHard(hard && hard->Checked);
            }
            break;
        }
        case ScreenGenerating:
            break;
        case ScreenPlay:
            if (!game.GameOver) game.PickUp(x, y);
            break;
    }
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
