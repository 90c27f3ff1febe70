#pragma once

// The Ui of command-line programs: messages on standard error, questions answered from a
// terminal (No / Cancel when there is none), no file dialogs, a progress bar on a terminal.

#include "Ui.h"

class ConsoleUi : public Ui {
public:
    void Message(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    bool AskOkCancel(std::string_view text) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogSpec& dialog) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogSpec& dialog) override;
    void OpenLink(std::string_view url) override;
    void ProcessMessages() override {}
    void ShowProgress(std::string_view text, int position, int maximum) override;
    void HideProgress() override;

private:
    bool Ask(std::string_view text, std::string_view choices);

    bool mProgressShown = false;
    int mLastPercent = -1;
};
