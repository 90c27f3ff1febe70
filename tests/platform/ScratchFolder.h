#pragma once

// A fresh folder of one test under the system's temporary folder, removed with everything in it
// when the test ends.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& tag)
        : mDir(std::filesystem::temp_directory_path() / ("zelvana-" + tag + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(mDir);
        std::filesystem::create_directories(mDir);
    }
    ~ScratchFolder() { std::filesystem::remove_all(mDir); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Dir() const { return mDir; }
    std::string Path(const std::string& name) const { return (mDir / name).string(); }
    // Writes text as the file name in the folder; answers its path.
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }

private:
    std::filesystem::path mDir;
};
