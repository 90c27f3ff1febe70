#pragma once

// TfmMain: the main window. It owns the game and the banner rotator, drives everything from
// the 10 ms frame timer, routes mouse input to the banner strip, the on-screen controls and the
// game, runs the commands of the on-screen buttons and paints the 790 x 530 screen. The rules
// live in TGame; the window decides only what happens when.

#include "DataFolders.h"
#include "banner/Reklama.h"
#include "game/Game.h"
#include "gfx/ScreenLayout.h"
#include "platform/DXDraw.h"
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
    // from the first of folders.Dictionaries that holds it) and the banner rotator, starts the
    // timer and sound.
    explicit TfmMain(TDisplayMode mode, TDataFolders folders = TDataFolders::OfProgram());
    // Window destruction: stops the timer, frees the banner rotator, then the game (which stops
    // a running fill).
    ~TfmMain() override;
    TfmMain(const TfmMain&) = delete;
    TfmMain& operator=(const TfmMain&) = delete;

    // First show: opens the screen, loads the four collections, each from the first of the
    // collection folders that holds it, and builds the simple menu. False, after saying why,
    // when no window could be opened or "graph.col" or "font.col" is in none of the folders.
    bool FormShow();
    // Runs the message loop until the window is closed.
    void Run();

    // One frame tick: button commands, the game's step, the banner's animation, and a repaint
    // when any of them (or the clock on the screen) changed what the screen shows.
    void Tick();
    // Runs the commands of the buttons whose click completed in this tick; true when any did.
    bool ProcessButtons();
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // The start-up loaders; each answers whether its file was read.
    bool LoadGraphics();
    bool LoadFont();
    bool LoadTemplates();
    // True when at least two banners were loaded. A damaged file is reported.
    bool LoadBanners();

    TGame& Game() { return *mGame; }
    TReklama& Banner() { return *mBanner; }
    TDXDraw& DXDraw() { return mDXDraw; }

    // The four file dialogs.
    FileDialogSpec svDialog, opDialog, svTurnir, opTurnir;

private:
    static bool InBannerStrip(int x, int y);
    void PaintBanner();
    // The path of a collection file: in the first collection folder holding it, else the first folder.
    std::string CollectionPath(std::string_view name) const;
    // Opens what the banner's link names; a document that is not there is reported instead.
    void OpenBannerLink(const std::string& link);
    // Reads the template size selector and refills the shard sizes for it.
    void CrossSizeChanged();
    // Shows screen s after a command: rebuilds what s shows and sets it.
    void ChangeScreen(TScreen s);
    // The commands of single buttons; each may ask for a puzzle or a screen after the walk.
    void RunCommand(const std::string& name, bool& createPuzzle, std::optional<TScreen>& screen);

    TDisplayMode mMode;
    TDataFolders mFolders;
    uint32_t mTimeShown = 0;  // the game's TimeShown when the last frame was asked for
    TDXDraw mDXDraw;
    TDXTimer mDXTimer;
    TDXSound mDXSound;
    TDXWaveList mDXWaveList{mDXSound};
    std::unique_ptr<Ui> mPreviousUi;  // the Ui before the window installed its own
    std::unique_ptr<TGame> mGame;
    std::unique_ptr<TReklama> mBanner;
};
