#include "Main.h"

#include "Sounds.h"
#include "gfx/GraphicsLoader.h"
#include "platform/Clock.h"
#include "platform/GameUi.h"
#include "platform/Process.h"
#include "platform/Text.h"

#include <filesystem>

namespace {

constexpr int TimerInterval = 10;

// The banner strip at the bottom of the screen; a press there never reaches the game.
constexpr int StripLeft = BannerLeft, StripRight = 490, StripTop = 465, StripBottom = 525;

}  // namespace

TfmMain::TfmMain(TDisplayMode mode, TDataFolders folders) : mMode(mode), mFolders(std::move(folders)) {
    svDialog = {std::string("Запись файла"_cp), std::string("Файлы записи|*.sav|Все файлы|*.*"_cp), "sav", ""};
    opDialog = {std::string("Выбор файла"_cp), svDialog.filter, "sav", ""};
    svTurnir = {std::string("Запись турнира"_cp), std::string("Турниры|*.tur|Все файлы|*.*"_cp), "tur", ""};
    opTurnir = {std::string("Выбор турнира"_cp), svTurnir.filter, "tur", ""};
    if (mMode == TDisplayMode::Window) mPreviousUi = InstallUi(std::make_unique<GameUi>(mDXDraw));

    Randomize();
    const std::vector<std::string>& dictionaries = mFolders.Dictionaries;
    std::string dictionaryDir = TDataFolders::Find(dictionaries, "dic1.wdi")
                                    .value_or(dictionaries.empty() ? ExecutableDir() : dictionaries.front());
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
        if (!mDXDraw.InitializeWindow("Zelvana", ScreenWidth, ScreenHeight)) {
            TheUi().Message("Не удалось открыть окно игры: нет доступного дисплея."_cp);
            return false;
        }
    } else {
        mDXDraw.InitializeHeadless(ScreenWidth, ScreenHeight);
    }
    // Without its artwork the game could show no button and no word.
    for (const std::string_view name : {"graph.col", "font.col"})
        if (!TDataFolders::Find(mFolders.Collections, name)) {
            std::string searched;
            for (const std::string& folder : mFolders.Collections) searched += "\n" + FromUtf8(folder);
            TheUi().Message(Format("Не найден файл %s. Он искался в папках:%s"_cp, name, searched));
            return false;
        }
    LoadGraphics();
    LoadFont();
    LoadTemplates();
    LoadBanners();
    mGame->BuildSimpleMenu();
    mGame->SetScreen(ScreenSimpleMenu);
    return true;
}

std::string TfmMain::CollectionPath(std::string_view name) const {
    const std::vector<std::string>& folders = mFolders.Collections;
    const std::string folder = TDataFolders::Find(folders, name).value_or(folders.empty() ? "." : folders.front());
    return (std::filesystem::path(folder) / name).string();
}

bool TfmMain::LoadGraphics() {
    return ::LoadGraphics(mGame->Surfaces, CollectionPath("graph.col"));
}

bool TfmMain::LoadFont() {
    return ::LoadFont(mGame->Letters, CollectionPath("font.col"));
}

bool TfmMain::LoadTemplates() {
    mGame->Templates.FileName = CollectionPath("templates.col");
    return mGame->Templates.LoadFromFile();
}

bool TfmMain::LoadBanners() {
    mBanner->FileName = CollectionPath("rekl.col");
    const bool read = mBanner->LoadFromFile();
    if (read && mBanner->Damaged()) ReportDamagedCollection(mBanner->FileName);
    return read && mBanner->Count() >= 2;
}

void TfmMain::Run() {
    mDXDraw.Run(*this, mDXTimer);
}

void TfmMain::Tick() {
    bool changed = ProcessButtons();
    changed = mGame->Step() || changed;
    // The banner shows its first frame, then each next one once the frame's delay ran out.
    const int32_t banner = mBanner->RenderedBanner, frame = mBanner->RenderedFrame;
    mBanner->CurrentPicture();
    mBanner->Advance();
    changed = changed || banner != mBanner->RenderedBanner || frame != mBanner->RenderedFrame;
    const uint32_t time = mGame->TimeShown();
    changed = changed || time != mTimeShown;
    mTimeShown = time;
    // An unchanged screen is not drawn again: an idle menu then costs next to nothing.
    if (changed) mDXDraw.Invalidate();
}

void TfmMain::Paint() {
    if (!mDXDraw.CanDraw()) return;
    TDirectDrawSurface& surface = mDXDraw.Surface();
    if (mGame->Screen < ScreenPlay)
        mGame->DrawMenu(surface);
    else
        mGame->DrawPlay(surface);
    PaintBanner();
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

void TfmMain::OpenBannerLink(const std::string& link) {
    const std::string folder = std::filesystem::path(mBanner->FileName).parent_path().string();
    const TLinkTarget target = ResolveLink(link, folder.empty() ? "." : folder);
    if (!target.Missing.empty())
        TheUi().Message(Format("Файл %s не найден!"_cp, FromUtf8(target.Missing)));
    else if (!target.Url.empty())
        TheUi().OpenLink(target.Url);
}

void TfmMain::MouseDown(TMouseButton, TShiftState, int x, int y) {
    mDXDraw.Invalidate();
    if (InBannerStrip(x, y)) {
        if (mBanner->Count() > 0) OpenBannerLink(mBanner->Link(mBanner->CurrentBanner));
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
    // A held shard follows the mouse (the glow under a free mouse comes with the tick's step).
    if (mGame->Dragging) mDXDraw.Invalidate();
    if (!shift.Left && mGame->Dragging) mGame->CancelDrag();
}

void TfmMain::MouseUp(TMouseButton button, TShiftState, int x, int y) {
    if (button != TMouseButton::Left || mGame->Screen != ScreenPlay || !mGame->Dragging) return;
    mGame->Drop(x, y);
    mDXDraw.Invalidate();
}
