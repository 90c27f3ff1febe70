#pragma once

// A Ui that lets one call at a time through to the process's Ui, for work spread over threads
// (the engine reports and lets messages run from whichever thread it works on).

#include "Ui.h"

#include <memory>
#include <mutex>
#include <type_traits>

class SerialUi final : public Ui {
public:
    explicit SerialUi(std::unique_ptr<Ui> inner) : mInner(std::move(inner)) {}

    void Message(std::string_view text) override { Locked([&](Ui& ui) { ui.Message(text); }); }
    bool AskYesNo(std::string_view text) override { return Locked([&](Ui& ui) { return ui.AskYesNo(text); }); }
    bool AskOkCancel(std::string_view text) override { return Locked([&](Ui& ui) { return ui.AskOkCancel(text); }); }
    std::optional<std::string> ChooseOpenFile(const FileDialogSpec& dialog) override {
        return Locked([&](Ui& ui) { return ui.ChooseOpenFile(dialog); });
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogSpec& dialog) override {
        return Locked([&](Ui& ui) { return ui.ChooseSaveFile(dialog); });
    }
    void OpenLink(std::string_view url) override { Locked([&](Ui& ui) { ui.OpenLink(url); }); }
    void ProcessMessages() override { Locked([](Ui& ui) { ui.ProcessMessages(); }); }
    void ShowProgress(std::string_view text, int position, int maximum) override {
        Locked([&](Ui& ui) { ui.ShowProgress(text, position, maximum); });
    }
    void HideProgress() override { Locked([](Ui& ui) { ui.HideProgress(); }); }

    // The Ui the calls went to, handed back.
    std::unique_ptr<Ui> Release() { return std::move(mInner); }

private:
    template <typename TCall>
    auto Locked(TCall call) -> std::invoke_result_t<TCall, Ui&> {
        std::lock_guard lock(mMutex);
        return call(*mInner);
    }

    std::unique_ptr<Ui> mInner;
    std::mutex mMutex;
};

// Puts the process's Ui behind a SerialUi while it lives.
class ScopedSerialUi {
public:
    ScopedSerialUi() {
        auto serial = std::make_unique<SerialUi>(InstallUi(nullptr));
        mSerial = serial.get();
        InstallUi(std::move(serial));
    }
    ~ScopedSerialUi() { InstallUi(mSerial->Release()); }
    ScopedSerialUi(const ScopedSerialUi&) = delete;
    ScopedSerialUi& operator=(const ScopedSerialUi&) = delete;

private:
    SerialUi* mSerial;
};
