#include "ListText.h"

#include "dictionary/LetterCase.h"
#include "dictionary/TextHelpers.h"
#include "platform/Text.h"

bool IsRussianLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xC0 || b == 0xA8 || b == 0xB8;
}

bool IsSmallRussianLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xE0 || b == 0xB8;
}

bool IsLatinLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string NormalWord(std::string_view word) {
    return ReplaceChar(LowerText(word), SmallYo, SmallYe);
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitOn(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = text.find(separator, at);
        pieces.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return pieces;
        at = end + 1;
    }
}

std::vector<std::string> WordsOfList(std::string_view utf8Text) {
    std::vector<std::string> words;
    const std::string text = FromUtf8(utf8Text);
    ForEachLine(text, [&](std::string_view line, int) {
        line = Trimmed(line.substr(0, line.find('#')));
        if (!line.empty()) words.push_back(NormalWord(line));
    });
    return words;
}
