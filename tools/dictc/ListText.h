#pragma once

// Text routines shared by the word-list tools. Texts are cp1251 unless a name says UTF-8.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

constexpr char SmallYo = '\xB8';  // "ё"
constexpr char SmallYe = '\xE5';  // "е"

// A Russian letter of either case, "ё" and "Ё" included.
bool IsRussianLetter(char c);
bool IsSmallRussianLetter(char c);
bool IsLatinLetter(char c);

// The form words are compared in: small letters, "ё" written "е".
std::string NormalWord(std::string_view word);

// text without spaces, tabs and line breaks at either end.
std::string_view Trimmed(std::string_view text);

// The pieces of text between separators (empty pieces included).
std::vector<std::string_view> SplitOn(std::string_view text, char separator);

// Calls f(line, lineNumber) for every line of text, counted from 1, without its line break.
template <typename F>
void ForEachLine(std::string_view text, F&& f) {
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        f(line, ++lineNumber);
    }
}

// Calls f(word) for every run of Russian letters in text.
template <typename F>
void ForEachRussianWord(std::string_view text, F&& f) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (!IsRussianLetter(text[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && IsRussianLetter(text[at])) ++at;
        f(text.substr(start, at - start));
    }
}

// The words of a UTF-8 list file: one a line, text after "#" a comment, in NormalWord form.
std::vector<std::string> WordsOfList(std::string_view utf8Text);
