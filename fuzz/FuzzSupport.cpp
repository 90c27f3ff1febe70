#include "FuzzSupport.h"

#include "platform/FileText.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

class QuietUi : public Ui {
public:
    void Message(std::string_view) override {}
    bool AskYesNo(std::string_view) override { return false; }
    bool AskOkCancel(std::string_view) override { return false; }
    std::optional<std::string> ChooseOpenFile(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile(const FileDialogSpec&) override { return std::nullopt; }
    void OpenLink(std::string_view) override {}
    void ProcessMessages() override {}
    void ShowProgress(std::string_view, int, int) override {}
    void HideProgress() override {}
};

class Scratch {
public:
    Scratch()
        : mPath((std::filesystem::temp_directory_path() / ("zelvana-fuzz-" + std::to_string(::getpid()))).string()) {}
    ~Scratch() {
        std::remove(mPath.c_str());
        for (const std::string& path : mOthers) std::remove(path.c_str());
    }

    const std::string& Write(std::string_view bytes) {
        if (!WriteFileText(mPath, bytes)) std::abort();  // no input can be tried without it
        return mPath;
    }

    std::string Other(std::string_view ending) {
        std::string path = mPath + "-" + std::string(ending);
        if (std::find(mOthers.begin(), mOthers.end(), path) == mOthers.end()) mOthers.push_back(path);
        return path;
    }

private:
    std::string mPath;
    std::vector<std::string> mOthers;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

}  // namespace

void UseQuietUi() {
    static const bool installed = [] {
        InstallUi(std::make_unique<QuietUi>());
        return true;
    }();
    (void)installed;
}

const std::string& ScratchFile(std::string_view bytes) {
    return TheScratch().Write(bytes);
}

std::string ScratchPath(std::string_view ending) {
    return TheScratch().Other(ending);
}

std::string ReadBack(const std::string& path) {
    std::string bytes;
    return ReadFileText(path, bytes) ? bytes : std::string();
}

void Broken(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}
