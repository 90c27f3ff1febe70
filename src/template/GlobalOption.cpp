#include "GlobalOption.h"

#include <filesystem>

TGlobalOption& TGlobalOption::Instance() {
    static TGlobalOption options;
    return options;
}

std::string FileBeside(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    if (folder.empty() || name.empty() || fs::path(name).is_absolute()) return name;
    std::error_code error;
    const fs::path beside = fs::path(folder) / name;
    return fs::is_regular_file(beside, error) ? beside.string() : name;
}

std::string FindOptionFile(const std::string& name) {
    namespace fs = std::filesystem;
    const TGlobalOption& options = TGlobalOption::Instance();
    std::error_code error;
    if (!name.empty() && fs::is_regular_file(name, error)) return name;
    for (const std::string* directory : {&options.FirstDirectory, &options.SecondDirectory}) {
        if (directory->empty() || name.empty()) continue;
        const std::string path = (fs::path(*directory) / name).string();
        if (fs::is_regular_file(path, error)) return path;
    }
    return {};
}
