#pragma once

// Extraction of the default word lists: common nouns in the nominative singular from the
// Russian hunspell dictionary, ranked by how often they occur in the Russian text of Debian's
// English-Russian dictionaries. All words here are cp1251, small letters, "ё" written "е".

#include "WordForms.h"

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
    std::vector<std::string> technicalLabels;
    int normalMinUses = 1;
    int normalMinUsesInThesaurus = 1;
    int normalShortest = 2;
    int normalLongest = 16;
    int normalPerLengthMin = 0;
    int hardMinUses = 0;
};

// Parses the rules text (UTF-8). False with a message naming the line on a bad rule.
bool ParseNounRules(std::string_view utf8Text, NounRules& rules, std::string& error);

// A noun with the hunspell stems it stands for: its spelling there ("ё" kept) and their flags.
struct Noun {
    std::string word;
    std::vector<std::string> spellings;
    std::vector<std::string> flags;  // one per spelling
};

// The nouns of a hunspell ".dic" text (UTF-8) that the rules keep, and the entries named in
// extraWords whatever their flags, without excluded words; in byte order, each once.
std::vector<Noun> ExtractNouns(std::string_view utf8DicText, const NounRules& rules,
                               const std::vector<std::string>& excludedWords,
                               const std::vector<std::string>& extraWords);

// How often the forms of each noun occur in texts ("кота" and "котами" count for "кот"). A form
// that several nouns share counts for each of them.
class UseCounter {
public:
    UseCounter(const std::vector<Noun>& nouns, const SuffixRules& rules);
    // Counts the Russian words of a cp1251 text.
    void Count(std::string_view text);
    int Uses(const std::string& word) const;

private:
    std::unordered_map<std::string, std::vector<int>> mNounsOfForm;
    std::unordered_map<std::string, int> mIds;
    std::vector<int> mUses;
};

struct RankedNoun {
    std::string word;
    int uses = 0;
    bool inThesaurus = false;
    bool hasClue = false;
    bool hardOnly = false;  // named in hard-only-words.txt
};

// The normal level's words, among the nouns with a clue that are not hard only: those used at
// least normalMinUses times (or normalMinUsesInThesaurus times when the thesaurus knows them),
// then for each length of the normal range with fewer than normalPerLengthMin words the most
// used others of that length. In byte order.
std::vector<std::string> NormalLevel(const std::vector<RankedNoun>& nouns, const NounRules& rules);

// The hard level's words: the nouns the sources know, those with a clue, those the thesaurus
// names and those used at least hardMinUses times. In byte order.
std::vector<std::string> HardLevel(const std::vector<RankedNoun>& nouns, const NounRules& rules);
