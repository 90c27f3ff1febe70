#include "FileHelpers.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Writes without telling the user; WriteFileText reports its own errors.
bool WriteSilently(const std::string& path, std::string_view text) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    for (std::size_t at = 0; at < text.size(); at += FileBlockSize) {
        const std::size_t size = std::min(FileBlockSize, text.size() - at);
        if (std::fwrite(text.data() + at, 1, size, file.get()) != size) return false;
    }
    return std::fclose(file.release()) == 0;
}

}  // namespace

bool WriteListToFile(const std::string& path, const std::vector<std::string>& list, bool withLineBreaks,
                     bool showError) {
    std::string text;
    for (const std::string& item : list) {
        text += item;
        if (withLineBreaks) text += "\r\n";
    }
    return showError ? WriteFileText(path, text) : WriteSilently(path, text);
}
