#pragma once

// Clues for the default dictionaries' nouns, made from the thesaurus and the English-Russian
// dictionaries. A Russian clue is a synonym of the noun, or two synonyms of one meaning: the
// thesaurus' own synonyms of the noun, a headword whose synonyms hold the noun, or a word
// translating the same English word in the same sense. Where none exists, an English clue
// names the English word the noun translates ("по-английски house").

#include "EnglishRussian.h"
#include "Thesaurus.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The longest clue, in characters: what a clue cell holds.
constexpr std::size_t MaxClueLength = 40;
// Alternatives kept per noun, for the pick among them to choose from.
constexpr std::size_t MaxClues = 4;

// True when two words (NormalWord form) may share their root, as a clue must avoid: the shorter
// one, up to its first four letters, begins the other ("дом", "домик"; "ртуть", "ртутный").
// Words of one letter share nothing.
bool SameRoot(std::string_view a, std::string_view b);

class ClueMaker {
public:
    // nouns: the words clues are made for (NormalWord form), also the only single words a
    // clue may be; offensiveWords: words no clue may hold, nor any word made from them.
    ClueMaker(const std::vector<std::string>& nouns, const std::vector<std::string>& offensiveWords);

    void AddThesaurus(const std::vector<ThesaurusEntry>& entries);
    // Takes the sense's synonyms and English name for the nouns it translates (noun senses only).
    void AddSense(const TranslationSense& sense);

    // The Russian clues of a noun, best first, at most MaxClues.
    std::vector<std::string> RussianClues(const std::string& noun) const;
    // The English clue of a noun, if it has one ("по-английски house").
    std::vector<std::string> EnglishClues(const std::string& noun) const;
    // The definition text for a word list: the Russian clues, or the English ones when there is
    // no Russian one, joined by "; "; empty when there is neither.
    std::string Definition(const std::string& noun) const;
    // True when the thesaurus names the noun, as a headword or among the words of a meaning.
    bool InThesaurus(const std::string& noun) const;

private:
    struct SenseSynonyms {
        std::vector<std::string> sameGroup;  // the other words of the noun's own group
        std::vector<std::string> others;     // the words of the sense's other groups
    };
    struct EnglishName {
        bool technical;
        std::size_t group;
        std::size_t item;
        std::string english;
    };
    struct Sources {
        bool inThesaurus = false;
        std::vector<std::vector<std::string>> thesaurusMeanings;
        std::vector<std::string> thesaurusHeadwords;  // headwords listing the noun
        std::vector<SenseSynonyms> senses;
        std::vector<EnglishName> englishNames;
    };

    int IdOf(std::string_view normalWord) const;
    bool IsOffensive(std::string_view normalWord) const;
    // word as a clue for answer, or empty when it cannot be one.
    std::string ValidClue(std::string_view word, std::string_view answer) const;
    // The first clue of words for answer, or the first two joined when pairs are wanted and fit.
    std::string ClueOf(const std::vector<std::string>& words, std::string_view answer, bool pair) const;

    std::unordered_map<std::string, int> mIds;
    std::unordered_set<std::string> mOffensive;
    std::vector<std::string> mOffensiveStems;
    std::vector<Sources> mSources;
    std::unordered_map<std::string, int> mNounSenses;  // English word: its noun senses
};
