#pragma once

// TfmMain: the main window. It owns the game, drives everything from the 10 ms frame timer,
// routes mouse input to the banner strip, the on-screen controls and the game, and paints the
// 790 x 530 screen. The rules live in TGame; the window decides only what happens when.

#include "banner/Reklama.h"
#include "game/Game.h"
#include "platform/DXDraw.h"
#include "platform/Sound.h"
#include "platform/Ui.h"

#include <memory>

constexpr int ScreenWidth = 790;
constexpr int ScreenHeight = 530;

enum class TDisplayMode {
    Window,    // a real window on the desktop
    Headless,  // the back surface only (tests, screenshots)
};

class TfmMain : public TWindowEvents {
public:
    // Window creation: seeds the random generator, creates the game, starts the timer and sound.
    explicit TfmMain(TDisplayMode mode);
    // Window destruction: stops the timer, then frees the game (which stops a running fill).
    ~TfmMain() override;
    TfmMain(const TfmMain&) = delete;
    TfmMain& operator=(const TfmMain&) = delete;

    // First show: opens the screen, loads the collections, builds the simple menu. False when
    // no window could be opened.
    bool FormShow();
    // Runs the message loop until the window is closed.
    void Run();

    // One frame: button commands, the game's step, a repaint.
    void Tick();
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // Reads "rekl.col" into the banner rotator; true when at least two banners were loaded.
    bool LoadBanners();

    TGame& Game() { return *mGame; }
    TReklama& Banner() { return *mBanner; }
    TDXDraw& DXDraw() { return mDXDraw; }

    // The four file dialogs.
    FileDialogSpec svDialog, opDialog, svTurnir, opTurnir;

private:
    static bool InBannerStrip(int x, int y);
    void PaintBanner();

    TDisplayMode mMode;
    TDXDraw mDXDraw;
    TDXTimer mDXTimer;
    TDXSound mDXSound;
    TDXWaveList mDXWaveList{mDXSound};
    std::unique_ptr<Ui> mPreviousUi;  // the Ui before the window installed its own
    std::unique_ptr<TGame> mGame;
    std::unique_ptr<TReklama> mBanner;
};
