#pragma once

// The game's Ui: SDL message boxes over the game window (zenity, then the standard error, when
// they cannot be shown), zenity file dialogs, xdg-open links.

#include "Ui.h"

#include <thread>
#include <vector>

class TDXDraw;

class GameUi : public Ui {
public:
    // draw is the game's screen; message boxes are modal to its window. Must be created on
    // the window's thread.
    explicit GameUi(TDXDraw& draw);
    ~GameUi() override;

    void Message(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    bool AskOkCancel(std::string_view text) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogSpec& dialog) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogSpec& dialog) override;
    void OpenLink(std::string_view url) override;
    void ProcessMessages() override;
    void ShowProgress(std::string_view text, int position, int maximum) override;
    void HideProgress() override;

private:
    bool Ask(std::string_view text, const char* yes, const char* no);
    // Runs zenity with the box title and arguments; its exit code, -1 when it could not run or
    // there is no display to show it on.
    int RunZenity(std::vector<std::string> arguments);
    std::optional<std::string> ChooseFile(const FileDialogSpec& dialog, bool save);
    bool OnWindowThread() const { return std::this_thread::get_id() == mWindowThread; }

    TDXDraw& mDraw;
    std::thread::id mWindowThread;
    // The display connection is held from start to end, so that the progress window shown while
    // the dictionary loads and the game's window share it: when the last connection closes, an X
    // server may reset (Xvfb does), and a window opened meanwhile would find no display.
    bool mHoldsVideo;
};

// Zenity's arguments for a Windows-style filter "Description|*.ext|All|*.*".
std::vector<std::string> ZenityFilterArguments(std::string_view filter);
