#pragma once

// The Ui of command-line programs: messages on standard error, questions answered from a
// terminal (without one, by the program's standing answer), no file dialogs, a progress bar on
// a terminal.

#include "Ui.h"

// How a question is answered when the standard input is no terminal.
enum class TUnattendedAnswer { No, Yes };

class ConsoleUi : public Ui {
public:
    explicit ConsoleUi(TUnattendedAnswer unattended = TUnattendedAnswer::No) : mUnattended(unattended) {}

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

    TUnattendedAnswer mUnattended;
    bool mProgressShown = false;
    int mLastPercent = -1;
};
