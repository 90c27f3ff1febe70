#pragma once

// TfmMain: the main window. It owns the game and the banner rotator, drives everything from
// the 10 ms frame timer, routes mouse input to the banner strip, the on-screen controls and the
// game, runs the commands of the on-screen buttons and paints the 790 x 530 screen. The rules
// live in TGame; the window decides only what happens when.

#include "banner/Reklama.h"
#include "game/Game.h"
#include "gfx/ScreenLayout.h"
#include "platform/DXDraw.h"
#include "platform/Process.h"
#include "platform/Sound.h"
#include "platform/Ui.h"

#include <memory>
#include <optional>
#include <string>

enum class TDisplayMode {
    Window,    // a real window on the desktop
    Headless,  // the back surface only (tests, screenshots)
};

class TfmMain : public TWindowEvents {
public:
    // Window creation: seeds the random generator, creates the game (which loads its dictionary
    // from dictionaryDir) and the banner rotator, starts the timer and sound.
    explicit TfmMain(TDisplayMode mode, std::string dictionaryDir = ExecutableDir());
    // Window destruction: stops the timer, frees the banner rotator, then the game (which stops
    // a running fill).
    ~TfmMain() override;
    TfmMain(const TfmMain&) = delete;
    TfmMain& operator=(const TfmMain&) = delete;

    // First show: opens the screen, loads the four collections from the working directory and
    // builds the simple menu. False when no window could be opened.
    bool FormShow();
    // Runs the message loop until the window is closed.
    void Run();

    // One frame: button commands, the game's step, a repaint.
    void Tick();
    // Runs the commands of the buttons whose click completed in this tick.
    void ProcessButtons();
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // The start-up loaders; each answers whether its file was read.
    bool LoadGraphics();
    bool LoadFont();
    bool LoadTemplates();
    // True when at least two banners were loaded.
    bool LoadBanners();

    TGame& Game() { return *mGame; }
    TReklama& Banner() { return *mBanner; }
    TDXDraw& DXDraw() { return mDXDraw; }

    // The four file dialogs.
    FileDialogSpec svDialog, opDialog, svTurnir, opTurnir;

private:
    static bool InBannerStrip(int x, int y);
    void PaintBanner();
    // Reads the template size selector and refills the shard sizes for it.
    void CrossSizeChanged();
    // Shows screen s after a command: rebuilds what s shows and sets it.
    void ChangeScreen(TScreen s);
    // The commands of single buttons; each may ask for a puzzle or a screen after the walk.
    void RunCommand(const std::string& name, bool& createPuzzle, std::optional<TScreen>& screen);

    TDisplayMode mMode;
    TDXDraw mDXDraw;
    TDXTimer mDXTimer;
    TDXSound mDXSound;
    TDXWaveList mDXWaveList{mDXSound};
    std::unique_ptr<Ui> mPreviousUi;  // the Ui before the window installed its own
    std::unique_ptr<TGame> mGame;
    std::unique_ptr<TReklama> mBanner;
};
