#include "FileHelpers.h"

#include "platform/Text.h"
#include "platform/Ui.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

void ShowReadError(const std::string& path) {
    TheUi().Message(Format("Ошибка чтения файла %s"_cp, path));
}

void ShowWriteError(const std::string& path) {
    TheUi().Message(Format("Ошибка записи в файл %s"_cp, path));
}

// Reads the file block by block, handing each non-empty block to take; false on a read error.
template <typename Take>
bool ReadBlocks(const std::string& path, Take&& take) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    char block[FileBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file.get());
        if (got > 0 && !take(std::string_view(block, got))) return true;
        if (got < sizeof block) return std::ferror(file.get()) == 0;
    }
}

bool WriteAll(const std::string& path, std::string_view text) {
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    for (std::size_t at = 0; at < text.size(); at += FileBlockSize) {
        const std::size_t size = std::min<std::size_t>(FileBlockSize, text.size() - at);
        if (std::fwrite(text.data() + at, 1, size, file.get()) != size) return false;
    }
    return std::fclose(file.release()) == 0;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string& text, int64_t limit) {
    text.clear();
    if (!Exists(path)) return false;
    const bool ok = ReadBlocks(path, [&](std::string_view block) {
        text.append(block);
        return limit <= 0 || static_cast<int64_t>(text.size()) < limit;
    });
    if (!ok) {
        text.clear();
        ShowReadError(path);
    }
    return ok;
}

bool WriteFileText(const std::string& path, const std::string& text) {
    if (WriteAll(path, text)) return true;
    ShowWriteError(path);
    return false;
}

bool WriteListToFile(const std::string& path, const std::vector<std::string>& list, bool withLineBreaks,
                     bool showError) {
    std::string text;
    for (const std::string& item : list) {
        text += item;
        if (withLineBreaks) text += "\r\n";
    }
    if (WriteAll(path, text)) return true;
    if (showError) ShowWriteError(path);
    return false;
}

bool ReadFileBlocks(const std::string& path, std::vector<std::string>& blocks) {
    blocks.clear();
    if (!Exists(path)) return false;
    const bool ok = ReadBlocks(path, [&](std::string_view block) {
        blocks.emplace_back(block);
        return true;
    });
    if (!ok) ShowReadError(path);
    return ok;
}
