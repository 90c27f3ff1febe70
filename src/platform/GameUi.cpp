#include "GameUi.h"

#include "DXDraw.h"
#include "Process.h"
#include "Text.h"

#include <SDL.h>
#include <filesystem>
#include <iostream>

namespace {

constexpr char BoxTitle[] = "Quillmarsh";

}  // namespace

GameUi::GameUi(TDXDraw& draw) : mDraw(draw), mWindowThread(std::this_thread::get_id()) {}

GameUi::~GameUi() = default;

void GameUi::Message(std::string_view text) {
    const std::string utf8 = ToUtf8(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, BoxTitle, utf8.c_str(), mDraw.NativeWindow()) != 0)
        std::cerr << utf8 << std::endl;
}

bool GameUi::Ask(std::string_view text, const char* yes, const char* no) {
    const std::string utf8 = ToUtf8(text);
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, yes},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, no},
    };
    const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, mDraw.NativeWindow(), BoxTitle, utf8.c_str(), 2, buttons,
                                 nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::cerr << utf8 << std::endl;
        return false;
    }
    return pressed == 1;
}

bool GameUi::AskYesNo(std::string_view text) {
    return Ask(text, "Да", "Нет");
}

bool GameUi::AskOkCancel(std::string_view text) {
    return Ask(text, "OK", "Отмена");
}

std::vector<std::string> ZenityFilterArguments(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        parts.emplace_back(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    std::vector<std::string> args;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        std::size_t from = 0;
        const std::string& list = parts[i + 1];
        while (from <= list.size()) {
            const auto semi = list.find(';', from);
            std::string pattern = list.substr(from, semi == std::string::npos ? std::string::npos : semi - from);
            if (pattern == "*.*") pattern = "*";
            patterns += (patterns.empty() ? "" : " ") + pattern;
            if (semi == std::string::npos) break;
            from = semi + 1;
        }
        args.push_back("--file-filter=" + ToUtf8(parts[i]) + " | " + patterns);
    }
    return args;
}

std::optional<std::string> GameUi::ChooseFile(const FileDialogSpec& dialog, bool save) {
    std::vector<std::string> argv = {"zenity", "--file-selection", "--title=" + ToUtf8(dialog.title)};
    if (save) {
        argv.push_back("--save");
        argv.push_back("--confirm-overwrite");
    }
    if (!dialog.initialDir.empty()) argv.push_back("--filename=" + dialog.initialDir + "/");
    for (auto& arg : ZenityFilterArguments(dialog.filter)) argv.push_back(std::move(arg));

    // The game window keeps answering the window manager while the dialog is open.
    const ProcessResult result = RunProcess(argv, [] { SDL_PumpEvents(); });
    if (result.exitCode == -1 && result.output.empty()) {
        Message("Не удалось открыть окно выбора файла (нужна программа zenity)."_cp);
        return std::nullopt;
    }
    if (result.exitCode != 0) return std::nullopt;
    std::string path = result.output;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    if (path.empty()) return std::nullopt;
    if (save && !dialog.defaultExtension.empty() && !std::filesystem::path(path).has_extension())
        path += "." + dialog.defaultExtension;
    return path;
}

std::optional<std::string> GameUi::ChooseOpenFile(const FileDialogSpec& dialog) {
    return ChooseFile(dialog, false);
}

std::optional<std::string> GameUi::ChooseSaveFile(const FileDialogSpec& dialog) {
    return ChooseFile(dialog, true);
}

void GameUi::OpenLink(std::string_view url) {
    if (IsOpenableLink(url)) SpawnDetached({"xdg-open", std::string(url)});
}

void GameUi::ProcessMessages() {
    if (OnWindowThread()) SDL_PumpEvents();
}

void GameUi::ShowProgress(std::string_view, int, int) {}

void GameUi::HideProgress() {}
