#include "FileText.h"

#include "OutputFile.h"
#include "Text.h"
#include "Ui.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

// Opens the regular file at path for reading. O_NONBLOCK keeps the open itself from waiting on a
// FIFO, and what is not a regular file is refused before a read could wait on it. missing tells
// a file that is not there from one that cannot be read.
TFileOutcome OpenRegular(const std::string& path, FilePtr& file, bool& missing) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    missing = fd < 0 && (errno == ENOENT || errno == ENOTDIR);
    if (fd < 0) return TFileOutcome::Failed(std::strerror(errno));
    struct stat info {};
    std::string refused = fstat(fd, &info) != 0 ? std::strerror(errno) : NotRegularReason(info.st_mode);
    if (refused.empty() && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) refused = std::strerror(errno);
    if (refused.empty()) file.reset(fdopen(fd, "rb"));
    if (refused.empty() && !file) refused = std::strerror(errno);
    if (!refused.empty()) {
        if (!file) close(fd);
        return TFileOutcome::Failed(refused);
    }
    return {};
}

// Opens path for reading; a missing file gives null silently, any other failure is reported.
FilePtr OpenForReading(const std::string& path) {
    FilePtr file;
    bool missing = false;
    if (!OpenRegular(path, file, missing) && !missing) ReportReadError(path);
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

TFileOutcome ReadInputFile(const std::string& path, std::string& bytes, std::size_t maxSize) {
    bytes.clear();
    FilePtr file;
    bool missing = false;
    if (TFileOutcome opened = OpenRegular(path, file, missing); !opened) return opened;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0) return TFileOutcome::Failed(std::strerror(errno));
    const std::string tooLarge = "is larger than " + std::to_string(maxSize) + " bytes";
    if (static_cast<std::size_t>(info.st_size) > maxSize) return TFileOutcome::Failed(tooLarge);
    // The file may grow while it is read: the limit holds for what is read too.
    const bool ok = ReadBlocks(file.get(), [&](const char* block, std::size_t size) {
        bytes.append(block, size);
        return bytes.size() <= maxSize;
    });
    if (!ok) {
        bytes.clear();
        return TFileOutcome::Failed(std::strerror(errno));
    }
    if (bytes.size() > maxSize) {
        bytes.clear();
        return TFileOutcome::Failed(tooLarge);
    }
    return {};
}

TFileOutcome CheckInputFile(const std::string& path) {
    FilePtr file;
    bool missing = false;
    return OpenRegular(path, file, missing);
}

bool ReadRegularFile(const std::string& path, std::string& text, std::size_t maxSize) {
    return static_cast<bool>(ReadInputFile(path, text, maxSize));
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
