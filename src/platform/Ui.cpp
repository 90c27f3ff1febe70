#include "Ui.h"

#include "ConsoleUi.h"
#include "Process.h"

#include <algorithm>
#include <cctype>

namespace {

std::unique_ptr<Ui>& Installed() {
    static std::unique_ptr<Ui> ui = std::make_unique<ConsoleUi>();
    return ui;
}

}  // namespace

Ui& TheUi() {
    return *Installed();
}

std::unique_ptr<Ui> InstallUi(std::unique_ptr<Ui> ui) {
    std::swap(Installed(), ui);
    return ui;
}

bool IsOpenableLink(std::string_view url) {
    std::string lower(url.substr(0, 8));
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.starts_with("http://") || lower.starts_with("https://") || lower.starts_with("file://");
}

void OpenLinkOnDesktop(std::string_view url) {
    if (IsOpenableLink(url)) SpawnDetached({"xdg-open", std::string(url)});
}
