#include "FileText.h"

#include "OutputFile.h"
#include "Text.h"
#include "Ui.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

void ReportReadError(const std::string& path) {
    TheUi().Message(Format("Ошибка чтения файла %s"_cp, FromUtf8(path)));
}

// Opens path for reading; a missing file gives null silently, any other failure is reported.
FilePtr OpenForReading(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file && errno != ENOENT && errno != ENOTDIR) ReportReadError(path);
    return file;
}

// Calls take(block, size) for every non-empty block until the end, an error, or take answers
// false. False on a read error.
template <typename Take>
bool ReadBlocks(std::FILE* file, Take take) {
    char block[FileBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        if (got > 0 && !take(block, got)) return true;
        if (got < sizeof block) return std::ferror(file) == 0;
    }
}

}  // namespace

bool ReadFileText(const std::string& path, std::string& text, std::size_t limit) {
    text.clear();
    FilePtr file = OpenForReading(path);
    if (!file) return false;
    const bool ok = ReadBlocks(file.get(), [&](const char* block, std::size_t size) {
        text.append(block, size);
        return limit == 0 || text.size() < limit;
    });
    if (!ok) {
        text.clear();
        ReportReadError(path);
    }
    return ok;
}

bool WriteFileText(const std::string& path, std::string_view text) {
    if (ReplaceFileText(path, text)) return true;
    TheUi().Message(Format("Ошибка записи в файл %s"_cp, FromUtf8(path)));
    return false;
}

bool ReplaceFileText(const std::string& path, std::string_view text) {
    return static_cast<bool>(WriteOutputFile(path, text));
}

bool ReadRegularFile(const std::string& path, std::string& text, std::size_t maxSize) {
    text.clear();
    // Checked before opening too: opening a pipe would wait for a writer.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (static_cast<std::size_t>(info.st_size) > maxSize) return false;
    const bool ok = ReadBlocks(file.get(), [&](const char* block, std::size_t size) {
        text.append(block, size);
        return text.size() <= maxSize;
    });
    if (!ok || text.size() > maxSize) {
        text.clear();
        return false;
    }
    return true;
}

bool ReadFileBlocks(const std::string& path, std::vector<std::string>& blocks) {
    blocks.clear();
    FilePtr file = OpenForReading(path);
    if (!file) return false;
    const bool ok = ReadBlocks(file.get(), [&](const char* block, std::size_t size) {
        blocks.emplace_back(block, size);
        return true;
    });
    if (!ok) {
        blocks.clear();
        ReportReadError(path);
    }
    return ok;
}

std::string IntToBytes(int32_t n) {
    const auto u = static_cast<uint32_t>(n);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>(u >> 24)};
}

int32_t BytesToInt(std::string_view s) {
    uint32_t value = 0;
    const std::size_t used = std::min<std::size_t>(s.size(), 4);
    // The used bytes are the last ones of s and land in the high end of the number.
    for (std::size_t i = 0; i < used; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(s[s.size() - used + i])) << (8 * (4 - used + i));
    return static_cast<int32_t>(value);
}
