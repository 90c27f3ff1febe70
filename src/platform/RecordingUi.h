#pragma once

// The tests' Ui: keeps every message, link and progress step, and answers questions and file
// dialogs from scripts the test sets up (No / cancel once a script runs out).

#include "Ui.h"

#include <deque>
#include <string>
#include <vector>

class RecordingUi : public Ui {
public:
    struct ProgressStep {
        std::string text;
        int position;
        int maximum;
    };

    void Message(std::string_view text) override { Messages.emplace_back(text); }
    bool AskYesNo(std::string_view text) override { return Answer(text); }
    bool AskOkCancel(std::string_view text) override { return Answer(text); }
    std::optional<std::string> ChooseOpenFile(const FileDialogSpec& dialog) override { return Choose(dialog); }
    std::optional<std::string> ChooseSaveFile(const FileDialogSpec& dialog) override { return Choose(dialog); }
    void OpenLink(std::string_view url) override { Links.emplace_back(url); }
    void ProcessMessages() override { ++ProcessMessagesCalls; }
    void ShowProgress(std::string_view text, int position, int maximum) override {
        Progress.push_back({std::string(text), position, maximum});
    }
    void HideProgress() override { ++ProgressHidden; }

    std::vector<std::string> Messages;        // cp1251, in the order shown
    std::vector<std::string> Questions;       // cp1251
    std::vector<std::string> Links;
    std::vector<FileDialogSpec> Dialogs;
    std::vector<ProgressStep> Progress;
    int ProcessMessagesCalls = 0;
    int ProgressHidden = 0;

    std::deque<bool> Answers;                         // next answers to questions
    std::deque<std::optional<std::string>> Files;     // next answers to file dialogs

private:
    bool Answer(std::string_view text) {
        Questions.emplace_back(text);
        if (Answers.empty()) return false;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<std::string> Choose(const FileDialogSpec& dialog) {
        Dialogs.push_back(dialog);
        if (Files.empty()) return std::nullopt;
        auto file = Files.front();
        Files.pop_front();
        return file;
    }
};

// Installs a RecordingUi for the lifetime of the object and puts the previous Ui back after.
class ScopedRecordingUi {
public:
    ScopedRecordingUi() {
        auto ui = std::make_unique<RecordingUi>();
        mUi = ui.get();
        mPrevious = InstallUi(std::move(ui));
    }
    ~ScopedRecordingUi() { InstallUi(std::move(mPrevious)); }
    ScopedRecordingUi(const ScopedRecordingUi&) = delete;
    ScopedRecordingUi& operator=(const ScopedRecordingUi&) = delete;

    RecordingUi* operator->() { return mUi; }
    RecordingUi& operator*() { return *mUi; }

private:
    RecordingUi* mUi;
    std::unique_ptr<Ui> mPrevious;
};
