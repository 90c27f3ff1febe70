#pragma once

// User interaction: every message, question, file choice, link and progress display of the
// program goes through the one process-wide Ui. The game installs its windowed Ui at start-up,
// command-line tools keep the console one, tests install a RecordingUi.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the open and save dialogs show. Texts are cp1251; the filter is Windows-style,
// "Files|*.sav|All files|*.*" (description and pattern pairs).
struct FileDialogSpec {
    std::string title;
    std::string filter;
    std::string defaultExtension;  // without the dot; added to a chosen name that has none
    std::string initialDir;        // empty: the system default
};

class Ui {
public:
    virtual ~Ui() = default;

    // A modal message box with cp1251 text.
    virtual void Message(std::string_view text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool AskOkCancel(std::string_view text) = 0;
    // The path of the chosen file; nullopt when the dialog was cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogSpec& dialog) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogSpec& dialog) = 0;
    // Opens an http, https or file link with the desktop's handler; other links are ignored.
    virtual void OpenLink(std::string_view url) = 0;
    // Lets pending window messages run during a long operation; a no-op off the window's thread.
    virtual void ProcessMessages() = 0;
    // Shows or updates the progress window: text, position within 0..maximum.
    virtual void ShowProgress(std::string_view text, int position, int maximum) = 0;
    // Closes the progress window.
    virtual void HideProgress() = 0;
};

// The process-wide Ui; a console one until another is installed.
Ui& TheUi();

// Installs ui as the process-wide Ui and returns the one it replaces.
std::unique_ptr<Ui> InstallUi(std::unique_ptr<Ui> ui);

// True for the links OpenLink may hand to the desktop: http, https and file.
bool IsOpenableLink(std::string_view url);

// Hands an openable link to the desktop's opener (xdg-open) without waiting; others are ignored.
void OpenLinkOnDesktop(std::string_view url);
