#include "IniFile.h"

#include "FileText.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return Folded(x) == Folded(y); });
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseIniInteger(std::string_view text, int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    // Decimal stays within int32 with its sign; hexadecimal within 32 bits.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

int32_t ReadIniInRange(const TIniFile& ini, std::string_view section, std::string_view key, int32_t def, int32_t min,
                       int32_t max, std::vector<TIniClamp>& clamps) {
    const int32_t value = ini.ReadInteger(section, key, def);
    if (!ini.ValueExists(section, key) || (value >= min && value <= max)) return value;
    clamps.push_back({std::string(section), std::string(key), value, min, max});
    return std::clamp(value, min, max);
}

TColorModel ReadIniColorModel(const TIniFile& ini, std::string_view section, std::string_view key,
                              std::vector<TIniClamp>& clamps) {
    const int32_t type = ini.ReadInteger(section, key, 0);
    if (type != 0 && type != 1) clamps.push_back({std::string(section), std::string(key), type, 0, 1});
    return ColorModelOf(type);
}

TIniFile::TIniFile(std::string fileName) : mFileName(std::move(fileName)) {
    struct stat info {};
    if (stat(mFileName.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) return;
    std::string text;
    if (!ReadRegularFile(mFileName, text, MaxFileSize)) {
        mFailed = true;
        return;
    }
    Parse(text);
}

void TIniFile::Parse(std::string_view text) {
    // A byte-order mark would hide the first section; it is written back as it was.
    if (text.starts_with(Utf8Bom)) {
        mBom = true;
        text.remove_prefix(Utf8Bom.size());
    }
    const std::size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r')) mLineEnd = "\n";
    while (!text.empty()) {
        // CR LF, LF and a lone CR each end a line.
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view raw = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        text.remove_prefix(next);

        const std::string_view line = Trim(raw);
        const std::size_t close = line.find(']');
        if (line.starts_with('[') && close != std::string_view::npos) {
            mSections.push_back({std::string(Trim(line.substr(1, close - 1))), std::string(raw), {}});
            continue;
        }
        if (mSections.empty()) {
            mPrelude.emplace_back(raw);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || line.starts_with(';') || Trim(line.substr(0, equals)).empty())
            mSections.back().Lines.push_back({{}, {}, std::string(raw)});
        else
            mSections.back().Lines.push_back({std::string(Trim(line.substr(0, equals))),
                                              std::string(Trim(line.substr(equals + 1))), std::string(raw), false});
    }
}

template <typename Self>
auto* TIniFile::FindSection(Self& self, std::string_view section) {
    const auto it = std::ranges::find_if(self.mSections, [&](const Section& s) { return SameName(s.Name, section); });
    return it == self.mSections.end() ? nullptr : &*it;
}

template <typename Self>
auto* TIniFile::FindLine(Self& self, std::string_view section, std::string_view key) {
    auto* found = FindSection(self, section);
    using Found = decltype(&*found->Lines.begin());
    if (!found) return Found{};
    const auto it = std::ranges::find_if(found->Lines, [&](const Line& l) { return !l.Key.empty() && SameName(l.Key, key); });
    return it == found->Lines.end() ? Found{} : &*it;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(*this, section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindLine(*this, section, key) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(*this, section))
        for (const Line& line : found->Lines)
            if (!line.Key.empty()) keys.push_back(line.Key);
    return keys;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Line* line = FindLine(*this, section, key);
    return std::string(line ? std::string_view(line->Value) : def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const Line* line = FindLine(*this, section, key);
    int32_t value = 0;
    return line && ParseIniInteger(line->Value, value) ? value : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) return false;
    const std::string_view name = Trim(key);
    if (name.empty() || name.find('=') != std::string_view::npos) return false;
    Section* target = FindSection(*this, section);
    if (!target) target = &mSections.emplace_back(Section{std::string(Trim(section)), {}, {}});
    Line* line = FindLine(*this, section, name);
    if (!line) {
        // After the last key, so that comments and blank lines closing the section stay at its end.
        const auto lastKey = std::ranges::find_if(target->Lines.rbegin(), target->Lines.rend(),
                                                  [](const Line& l) { return !l.Key.empty(); });
        line = &*target->Lines.insert(lastKey.base(), Line{std::string(name), {}, {}, true});
    }
    line->Value = std::string(Trim(value));
    line->Written = true;
    return true;
}

bool TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteInteger(section, key, value ? 1 : 0);
}

std::string TIniFile::Text() const {
    std::string text(mBom ? Utf8Bom : std::string_view());
    for (const std::string& line : mPrelude) {
        text += line;
        text += mLineEnd;
    }
    for (const Section& section : mSections) {
        text += section.Raw.empty() ? "[" + section.Name + "]" : section.Raw;
        text += mLineEnd;
        for (const Line& line : section.Lines) {
            text += line.Written ? line.Key + "=" + line.Value : line.Raw;
            text += mLineEnd;
        }
    }
    return text;
}

bool TIniFile::UpdateFile() const {
    return !mFailed && ReplaceFileText(mFileName, Text());
}
