#include "ConsoleUi.h"

#include "Text.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

constexpr int BarWidth = 30;

bool IsTerminal(int fd) {
    return isatty(fd) == 1;
}

}  // namespace

void ConsoleUi::Message(std::string_view text) {
    HideProgress();
    std::cerr << ToUtf8(text) << std::endl;
}

bool ConsoleUi::Ask(std::string_view text, std::string_view choices) {
    HideProgress();
    std::cerr << ToUtf8(text) << ' ' << choices << ' ' << std::flush;
    if (!IsTerminal(STDIN_FILENO)) {
        const bool yes = mUnattended == TUnattendedAnswer::Yes;
        std::cerr << (yes ? "y" : "n") << std::endl;
        return yes;
    }
    std::string answer;
    std::getline(std::cin, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer.starts_with("д") || answer.starts_with("Д"));
}

bool ConsoleUi::AskYesNo(std::string_view text) {
    return Ask(text, "[y/N]");
}

bool ConsoleUi::AskOkCancel(std::string_view text) {
    return Ask(text, "[y/N]");
}

std::optional<std::string> ConsoleUi::ChooseOpenFile(const FileDialogSpec&) {
    return std::nullopt;
}

std::optional<std::string> ConsoleUi::ChooseSaveFile(const FileDialogSpec&) {
    return std::nullopt;
}

void ConsoleUi::OpenLink(std::string_view url) {
    OpenLinkOnDesktop(url);
}

void ConsoleUi::ShowProgress(std::string_view text, int position, int maximum) {
    if (!IsTerminal(STDERR_FILENO)) return;
    const int percent = maximum > 0 ? static_cast<int>(100LL * position / maximum) : 0;
    if (mProgressShown && percent == mLastPercent) return;
    mProgressShown = true;
    mLastPercent = percent;
    const int filled = BarWidth * std::clamp(percent, 0, 100) / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", ToUtf8(text).c_str(), std::string(filled, '#').c_str(),
                 std::string(BarWidth - filled, '.').c_str(), percent);
    std::fflush(stderr);
}

void ConsoleUi::HideProgress() {
    if (!mProgressShown) return;
    std::fprintf(stderr, "\n");
    mProgressShown = false;
    mLastPercent = -1;
}
