#include "TextHelpers.h"

#include "platform/Clock.h"

#include <algorithm>

std::string ZeroPadded(int n, int width) {
    const std::string padded = "000" + std::to_string(n);
    if (width <= 0) return {};
    if (static_cast<std::size_t>(width) >= padded.size()) return padded;
    return padded.substr(padded.size() - width);
}

int CountChar(std::string_view s, char c) {
    return static_cast<int>(std::count(s.begin(), s.end(), c));
}

std::string ReplaceChar(std::string_view s, char c, char d) {
    std::string out(s);
    std::replace(out.begin(), out.end(), c, d);
    return out;
}

std::string RemoveChars(std::string_view s, std::string_view set) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s)
        if (set.find(c) == std::string_view::npos) out += c;
    return out;
}

std::string ShuffleText(std::string_view s) {
    std::string rest(s);
    std::string out;
    out.reserve(s.size());
    while (!rest.empty()) {
        const int i = RandomInt(static_cast<int>(rest.size()));
        out += rest[i];
        rest.erase(rest.begin() + i);
    }
    return out;
}

bool AllInAlphabet(std::string_view word, std::string_view alphabet) {
    return std::all_of(word.begin(), word.end(), [&](char c) {
        return c == ' ' || c == '~' || alphabet.find(c) != std::string_view::npos;
    });
}

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}
