#pragma once

// Extraction of the default word lists: common nouns in the nominative singular from the
// Russian hunspell dictionary, ranked by how often they translate an English noun in Debian's
// English-Russian dictionaries. All words here are cp1251, small letters, "ё" written "е".

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The rules of assets/dictionary/noun-rules.txt.
struct NounRules {
    std::string nounFlags;
    std::string excludedFlags;
    std::vector<std::string> droppedEndings;
    struct EndingNeedsFlag {
        std::string ending;
        std::string flags;
    };
    std::vector<EndingNeedsFlag> endingsNeedingFlags;
    struct OnlyFlags {
        std::string flags;
        bool keep;  // true: the word must end in one of endings; false: it must not
        std::vector<std::string> endings;
    };
    std::vector<OnlyFlags> onlyFlags;
    int normalMinScore = 1;
    int normalShortest = 2;
    int normalLongest = 16;
    int normalPerLengthMin = 0;
};

// Parses the rules text (UTF-8). False with a message naming the line on a bad rule.
bool ParseNounRules(std::string_view utf8Text, NounRules& rules, std::string& error);

// The nouns of a hunspell ".dic" text (UTF-8) that the rules keep, and the entries named in
// extraWords whatever their flags, without excluded words; in byte order, each once.
std::vector<std::string> ExtractNouns(std::string_view utf8DicText, const NounRules& rules,
                                      const std::vector<std::string>& excludedWords,
                                      const std::vector<std::string>& extraWords);

// Adds one to scores[word] for every word of scores met in a noun sense of a mueller7-style
// dictionary text (cp1251): senses after a "_n." mark, up to the next part-of-speech mark.
void ScoreNounSenses(std::string_view text, std::unordered_map<std::string, int>& scores);
// Adds one for every word of scores met anywhere in the text (cp1251).
void ScoreAllWords(std::string_view text, std::unordered_map<std::string, int>& scores);

// The normal level's words: every noun with at least normalMinScore, then for each length of
// the normal range with fewer than normalPerLengthMin words the best ranked others of that length.
std::vector<std::string> NormalLevel(const std::vector<std::string>& nouns,
                                     const std::unordered_map<std::string, int>& scores, const NounRules& rules);
