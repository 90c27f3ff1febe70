#include "AssetFile.h"

#include <fstream>
#include <stdexcept>

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

TAssetFile::TAssetFile(const std::string& path) : mPath(path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        mLines.push_back(line);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string value = line.substr(equals + 1);
        for (std::size_t hash = value.find('#'); hash != std::string::npos; hash = value.find('#', hash + 1))
            if (hash > 0 && (value[hash - 1] == ' ' || value[hash - 1] == '\t')) {
                value.erase(hash);
                break;
            }
        mValues[Trimmed(line.substr(0, equals))] = Trimmed(value);
    }
}

const std::string& TAssetFile::Text(const std::string& key) const {
    const auto found = mValues.find(key);
    if (found == mValues.end()) throw std::runtime_error(mPath + ": no value for " + key);
    return found->second;
}

int TAssetFile::Number(const std::string& key) const {
    try {
        return std::stoi(Text(key), nullptr, 0);
    } catch (const std::logic_error&) {
        throw std::runtime_error(mPath + ": " + key + " is not a number");
    }
}

TColor32 TAssetFile::Color(const std::string& key) const {
    return static_cast<TColor32>(Number(key)) & 0xFFFFFF;
}
