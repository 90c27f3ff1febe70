#include "DataFolders.h"

#include "platform/Process.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view FileScheme = "file://";

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

// A path as the path of a file link: bytes outside the unreserved set are percent-encoded.
std::string FileUrl(const std::string& path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string url(FileScheme);
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || std::string_view("/-._~").find(ch) != std::string_view::npos) {
            url += ch;
        } else {
            url += '%';
            url += Hex[c >> 4];
            url += Hex[c & 15];
        }
    }
    return url;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The path of a file link ("file:///a%20b" or "file://localhost/a"); empty for another host.
std::string FileUrlPath(std::string_view url) {
    std::string_view rest = url.substr(FileScheme.size());
    if (StartsWithNoCase(rest, "localhost/")) rest.remove_prefix(std::string_view("localhost").size());
    if (!rest.starts_with('/')) return {};
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const int high = rest[i] == '%' && i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(rest[i + 2]) : -1;
        if (low >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

}  // namespace

TDataFolders TDataFolders::OfProgram() {
    const std::string exe = ExecutableDir();
    const std::string installed = (fs::path(exe) / ZELVANA_INSTALLED_DATA).lexically_normal().string();
    std::error_code error;
    const std::string working = fs::current_path(error).string();
    return {{error ? std::string(".") : working, exe, installed}, {exe, installed}};
}

TDataFolders TDataFolders::In(const std::string& folder) {
    return {{folder}, {folder}};
}

std::optional<std::string> TDataFolders::Find(const std::vector<std::string>& folders, std::string_view name) {
    for (const std::string& folder : folders)
        if (IsFile(fs::path(folder) / name)) return folder;
    return std::nullopt;
}

TLinkTarget ResolveLink(std::string_view link, const std::string& baseFolder) {
    if (StartsWithNoCase(link, "http://") || StartsWithNoCase(link, "https://")) return {std::string(link), {}};
    std::string path;
    if (StartsWithNoCase(link, FileScheme)) {
        path = FileUrlPath(link);
        if (path.empty()) return {};
    } else if (link.empty() || link.find(':') != std::string_view::npos) {
        return {};
    } else {
        std::error_code error;
        path = (fs::absolute(fs::path(baseFolder), error) / link).lexically_normal().string();
    }
    if (!IsFile(path)) return {{}, path};
    return {FileUrl(path), {}};
}
