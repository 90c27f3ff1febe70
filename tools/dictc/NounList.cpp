#include "NounList.h"

#include "dictionary/CellFormat.h"
#include "dictionary/LetterCase.h"
#include "dictionary/TextHelpers.h"
#include "platform/Text.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr char SmallYo = '\xB8';  // "ё" in cp1251
constexpr char SmallYe = '\xE5';  // "е"

bool IsRussianLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xC0 || b == 0xA8 || b == 0xB8;
}

bool IsSmallRussianLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xE0 || b == 0xB8;
}

std::string Normalized(std::string_view cp1251Word) {
    return ReplaceChar(LowerText(cp1251Word), SmallYo, SmallYe);
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && line[at] == ' ') ++at;
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at) words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

bool EndsWithAny(std::string_view word, const std::vector<std::string>& endings) {
    return std::any_of(endings.begin(), endings.end(), [&](const std::string& e) { return word.ends_with(e); });
}

bool SharesAny(std::string_view a, std::string_view b) {
    return a.find_first_of(b) != std::string_view::npos;
}

bool AllIn(std::string_view letters, std::string_view set) {
    return std::all_of(letters.begin(), letters.end(), [&](char c) { return set.find(c) != std::string_view::npos; });
}

bool KeptByRules(std::string_view word, std::string_view flags, const NounRules& rules) {
    if (!SharesAny(flags, rules.nounFlags) || SharesAny(flags, rules.excludedFlags)) return false;
    if (EndsWithAny(word, rules.droppedEndings)) return false;
    for (const auto& rule : rules.endingsNeedingFlags)
        if (word.ends_with(rule.ending) && !SharesAny(flags, rule.flags)) return false;
    std::string nounFlags;
    for (const char f : flags)
        if (rules.nounFlags.find(f) != std::string::npos) nounFlags += f;
    for (const auto& rule : rules.onlyFlags) {
        if (!AllIn(nounFlags, rule.flags)) continue;
        if (EndsWithAny(word, rule.endings) != rule.keep) return false;
    }
    return true;
}

}  // namespace

bool ParseNounRules(std::string_view utf8Text, NounRules& rules, std::string& error) {
    rules = NounRules{};
    const std::string text = FromUtf8(utf8Text);
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::replace(line.begin(), line.end(), '\t', ' ');
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        for (std::string& w : words) w = ReplaceChar(w, SmallYo, SmallYe);
        const std::string keyword = words[0];
        const std::vector<std::string> args(words.begin() + 1, words.end());
        const auto number = [&](std::size_t i, int& out) {
            if (i >= args.size()) return false;
            try {
                out = std::stoi(args[i]);
                return true;
            } catch (...) {
                return false;
            }
        };
        bool ok = true;
        if (keyword == "noun-flags" && args.size() == 1) {
            rules.nounFlags = args[0];
        } else if (keyword == "excluded-flags" && args.size() == 1) {
            rules.excludedFlags = args[0];
        } else if (keyword == "drop-ending" && !args.empty()) {
            rules.droppedEndings.insert(rules.droppedEndings.end(), args.begin(), args.end());
        } else if (keyword == "ending-needs-flag" && args.size() == 2) {
            rules.endingsNeedingFlags.push_back({args[0], args[1]});
        } else if (keyword == "only-flags" && args.size() >= 3 &&
                   (args[1] == "keep-endings" || args[1] == "drop-endings")) {
            rules.onlyFlags.push_back({args[0], args[1] == "keep-endings", {args.begin() + 2, args.end()}});
        } else if (keyword == "normal-min-score" && args.size() == 1) {
            ok = number(0, rules.normalMinScore);
        } else if (keyword == "normal-lengths" && args.size() == 2) {
            ok = number(0, rules.normalShortest) && number(1, rules.normalLongest);
        } else if (keyword == "normal-per-length-min" && args.size() == 1) {
            ok = number(0, rules.normalPerLengthMin);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": unknown or malformed rule \"" + ToUtf8(line) + "\"";
            return false;
        }
    }
    if (rules.nounFlags.empty()) {
        error = "no noun-flags rule";
        return false;
    }
    return true;
}

std::vector<std::string> ExtractNouns(std::string_view utf8DicText, const NounRules& rules,
                                      const std::vector<std::string>& excludedWords,
                                      const std::vector<std::string>& extraWords) {
    const std::set<std::string> excluded(excludedWords.begin(), excludedWords.end());
    const std::set<std::string> extra(extraWords.begin(), extraWords.end());
    std::set<std::string> nouns;
    std::size_t at = 0;
    bool firstLine = true;  // the entry count
    while (at < utf8DicText.size()) {
        const std::size_t end = std::min(utf8DicText.find('\n', at), utf8DicText.size());
        std::string_view line = utf8DicText.substr(at, end - at);
        at = end + 1;
        if (firstLine) {
            firstLine = false;
            continue;
        }
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        const std::size_t slash = line.find('/');
        const std::string word = FromUtf8(line.substr(0, slash));
        const std::string_view flags = slash == std::string_view::npos ? std::string_view() : line.substr(slash + 1);
        if (word.size() < static_cast<std::size_t>(MinWordCells) || word.size() > static_cast<std::size_t>(MaxWordCells) ||
            !std::all_of(word.begin(), word.end(), IsSmallRussianLetter)) continue;
        const std::string normal = ReplaceChar(word, SmallYo, SmallYe);
        if ((extra.contains(normal) || KeptByRules(normal, flags, rules)) && !excluded.contains(normal))
            nouns.insert(normal);
    }
    return {nouns.begin(), nouns.end()};
}

void ScoreNounSenses(std::string_view text, std::unordered_map<std::string, int>& scores) {
    bool inNounSense = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\n') {
            // A line that does not start with a space begins the next entry.
            ++at;
            if (at < text.size() && text[at] != ' ' && text[at] != '\t') inNounSense = false;
            continue;
        }
        if (c == '_') {
            // "_n.", "_v.", "_a." ... mark a part of speech; "_разг." and other Russian marks
            // are usage labels and are skipped with their word.
            std::size_t end = at + 1;
            while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || text[end] == '-')) ++end;
            if (end > at + 1 && end < text.size() && text[end] == '.') {
                const std::string_view mark = text.substr(at + 1, end - at - 1);
                if (mark == "n")
                    inNounSense = true;
                else if (mark != "pl" && mark != "sg" && mark != "attr")
                    inNounSense = false;
                at = end + 1;
                continue;
            }
            at = end;
            while (at < text.size() && IsRussianLetter(text[at])) ++at;
            continue;
        }
        if (IsRussianLetter(c)) {
            const std::size_t start = at;
            while (at < text.size() && IsRussianLetter(text[at])) ++at;
            if (inNounSense) {
                const auto found = scores.find(Normalized(text.substr(start, at - start)));
                if (found != scores.end()) ++found->second;
            }
            continue;
        }
        ++at;
    }
}

void ScoreAllWords(std::string_view text, std::unordered_map<std::string, int>& scores) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (!IsRussianLetter(text[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && IsRussianLetter(text[at])) ++at;
        const auto found = scores.find(Normalized(text.substr(start, at - start)));
        if (found != scores.end()) ++found->second;
    }
}

std::vector<std::string> NormalLevel(const std::vector<std::string>& nouns,
                                     const std::unordered_map<std::string, int>& scores, const NounRules& rules) {
    const auto scoreOf = [&](const std::string& w) {
        const auto found = scores.find(w);
        return found == scores.end() ? 0 : found->second;
    };
    std::set<std::string> chosen;
    std::map<int, int> perLength;
    for (const std::string& w : nouns) {
        if (scoreOf(w) >= rules.normalMinScore) {
            chosen.insert(w);
            ++perLength[static_cast<int>(w.size())];
        }
    }
    // Best ranked first; equal scores keep byte order, so the output never depends on hashing.
    std::vector<std::string> ranked(nouns);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&](const std::string& a, const std::string& b) { return scoreOf(a) > scoreOf(b); });
    for (const std::string& w : ranked) {
        const int length = static_cast<int>(w.size());
        if (length < rules.normalShortest || length > rules.normalLongest) continue;
        if (perLength[length] >= rules.normalPerLengthMin || chosen.contains(w)) continue;
        chosen.insert(w);
        ++perLength[length];
    }
    return {chosen.begin(), chosen.end()};
}
