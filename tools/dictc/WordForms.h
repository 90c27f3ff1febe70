#pragma once

// The suffix rules of a hunspell ".aff" file: how a stem of the ".dic" file with its flags
// becomes its word forms ("кот" with its noun flag: "кота", "коту", "котами" ...).

#include <string>
#include <string_view>
#include <vector>

class SuffixRules {
public:
    // Reads the "SFX" rules of the flags named in flags from an ".aff" text (UTF-8); rules of
    // other flags are skipped.
    void Read(std::string_view utf8AffText, std::string_view flags);
    // The forms of a cp1251 stem under its flags: the stem itself, then one form per rule of
    // those flags whose condition the stem meets, each once.
    std::vector<std::string> FormsOf(std::string_view stem, std::string_view flags) const;

private:
    // One position of a condition: a set of letters, or every letter but those.
    struct LetterSet {
        std::string letters;
        bool negated = false;
    };
    struct Rule {
        char flag;
        std::string strip;
        std::string add;
        std::vector<LetterSet> condition;  // matched against the end of the stem
    };
    static bool Meets(std::string_view stem, const Rule& rule);

    std::vector<Rule> mRules;
};
