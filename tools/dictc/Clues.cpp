#include "Clues.h"

#include "ListText.h"

#include "platform/Text.h"

#include <algorithm>
#include <tuple>

namespace {

// A word made from an offensive word of this many letters or more (its stem, the word without its
// last letter, begins it) is offensive too; shorter ones are matched whole ("хохол" is not "хохот").
constexpr std::size_t OffensiveStemFrom = 6;
// The most words a clue of several words may have.
constexpr std::size_t MaxClueWords = 3;
// The English name of a noun is one word of Latin letters (hyphens inside allowed).
constexpr std::size_t MaxEnglishLength = 20;
// A headword is a clue for the words that open its meaning's list; further on the list names
// kinds of the thing rather than the thing ("хранилище": ... "аквариум").
constexpr std::size_t MaxListingPosition = 3;
// The longest thesaurus meaning whose first two words make a clue together.
constexpr std::size_t MaxPairedMeaning = 4;
// Ranks an English name taken through a qualified item behind every name taken directly.
constexpr std::size_t QualifiedRank = 1000;  // more groups than any sense has

bool IsClueChar(char c) {
    return IsRussianLetter(c) || c == ' ' || c == '-';
}

bool IsEnglishName(std::string_view word) {
    const auto small = [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; };
    // Abbreviations ("USA") are not names a player can read as a word.
    return !word.empty() && word.size() <= MaxEnglishLength && IsLatinLetter(word.front()) &&
           IsLatinLetter(word.back()) && std::all_of(word.begin() + 1, word.end(), small);
}

// The noun an item such as "металлический чайник" names: its last word when every word before
// it is an adjective; empty otherwise.
std::string_view QualifiedNoun(std::string_view item) {
    static constexpr std::string_view adjectiveEndings[] = {"ый"_cp, "ий"_cp, "ой"_cp, "ая"_cp, "яя"_cp,
                                                            "ое"_cp, "ее"_cp, "ые"_cp, "ие"_cp};
    const std::vector<std::string_view> words = SplitOn(item, ' ');
    if (words.size() < 2) return {};
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string_view word = words[i];
        if (std::none_of(std::begin(adjectiveEndings), std::end(adjectiveEndings),
                         [&](std::string_view ending) { return word.ends_with(ending); }))
            return {};
    }
    return words.back();
}

}  // namespace

bool SameRoot(std::string_view a, std::string_view b) {
    const std::size_t n = std::min<std::size_t>({4, a.size(), b.size()});
    return n >= 2 && a.substr(0, n) == b.substr(0, n);
}

ClueMaker::ClueMaker(const std::vector<std::string>& nouns, const std::vector<std::string>& offensiveWords)
    : mSources(nouns.size()) {
    mIds.reserve(nouns.size() * 2);
    for (std::size_t i = 0; i < nouns.size(); ++i) mIds.emplace(nouns[i], static_cast<int>(i));
    for (const std::string& word : offensiveWords) {
        mOffensive.insert(word);
        if (word.size() >= OffensiveStemFrom) mOffensiveStems.push_back(word.substr(0, word.size() - 1));
    }
}

int ClueMaker::IdOf(std::string_view normalWord) const {
    const auto found = mIds.find(std::string(normalWord));
    return found == mIds.end() ? -1 : found->second;
}

bool ClueMaker::IsOffensive(std::string_view normalWord) const {
    return mOffensive.contains(std::string(normalWord)) ||
           std::any_of(mOffensiveStems.begin(), mOffensiveStems.end(),
                       [&](const std::string& stem) { return normalWord.starts_with(stem); });
}

std::string ClueMaker::ValidClue(std::string_view word, std::string_view answer) const {
    word = Trimmed(word);
    if (word.empty() || word.size() > MaxClueLength || !std::all_of(word.begin(), word.end(), IsClueChar))
        return {};
    const std::string normal = NormalWord(word);
    const std::vector<std::string_view> words = SplitOn(normal, ' ');
    if (words.size() > MaxClueWords) return {};
    // A clue names a thing: a noun, or a noun after its adjectives. The thesaurus and the
    // dictionaries also list other parts of speech and explanations.
    if (IdOf(words.size() == 1 ? std::string_view(normal) : QualifiedNoun(normal)) < 0) return {};
    for (const std::string_view spaced : words) {
        for (const std::string_view part : SplitOn(spaced, '-')) {
            if (part.empty() || SameRoot(part, answer) || IsOffensive(part)) return {};
        }
    }
    return std::string(word);
}

std::string ClueMaker::ClueOf(const std::vector<std::string>& words, std::string_view answer, bool pair) const {
    std::string first;
    for (const std::string& word : words) {
        const std::string clue = ValidClue(word, answer);
        if (clue.empty()) continue;
        if (first.empty()) {
            first = clue;
            if (!pair) break;
            continue;
        }
        const std::string both = first + ", " + clue;
        if (both.size() <= MaxClueLength && !SameRoot(NormalWord(first), NormalWord(clue))) return both;
        break;
    }
    return first;
}

void ClueMaker::AddThesaurus(const std::vector<ThesaurusEntry>& entries) {
    for (const ThesaurusEntry& entry : entries) {
        const int head = IdOf(NormalWord(entry.headword));
        if (head >= 0) mSources[head].inThesaurus = true;
        for (const std::vector<std::string>& meaning : entry.meanings) {
            if (head >= 0) mSources[head].thesaurusMeanings.push_back(meaning);
            for (std::size_t position = 0; position < meaning.size(); ++position) {
                const int id = IdOf(NormalWord(meaning[position]));
                if (id < 0) continue;
                mSources[id].inThesaurus = true;
                if (head >= 0 && id != head && position < MaxListingPosition)
                    mSources[id].thesaurusHeadwords.push_back(entry.headword);
            }
        }
    }
}

void ClueMaker::AddSense(const TranslationSense& sense) {
    if (!sense.noun || sense.groups.empty()) return;
    const bool named = IsEnglishName(sense.english);
    if (named) ++mNounSenses[sense.english];
    for (std::size_t g = 0; g < sense.groups.size(); ++g) {
        for (std::size_t i = 0; i < sense.groups[g].size(); ++i) {
            const std::string normal = NormalWord(sense.groups[g][i]);
            const int id = IdOf(normal);
            if (id < 0) {
                // "металлический чайник" (a kettle) is a kind of "чайник": the English word names it
                // too, after the words that translate it alone.
                const int qualified = IdOf(QualifiedNoun(normal));
                if (qualified >= 0 && named)
                    mSources[qualified].englishNames.push_back({sense.technical, g + QualifiedRank, i, sense.english});
                continue;
            }
            SenseSynonyms synonyms;
            for (std::size_t og = 0; og < sense.groups.size(); ++og) {
                for (std::size_t oi = 0; oi < sense.groups[og].size(); ++oi) {
                    if (og == g && oi == i) continue;
                    (og == g ? synonyms.sameGroup : synonyms.others).push_back(sense.groups[og][oi]);
                }
            }
            Sources& sources = mSources[id];
            if (!synonyms.sameGroup.empty() || !synonyms.others.empty()) sources.senses.push_back(std::move(synonyms));
            if (named) sources.englishNames.push_back({sense.technical, g, i, sense.english});
        }
    }
}

std::vector<std::string> ClueMaker::RussianClues(const std::string& noun) const {
    std::vector<std::string> clues;
    const int id = IdOf(noun);
    if (id < 0) return clues;
    // Each synonym appears once: a clue whose first synonym an earlier clue holds is left out, and
    // a pair whose second one it holds keeps only its first.
    std::vector<std::string> usedSynonyms;
    const auto add = [&](const std::string& clue) {
        if (clue.empty() || clues.size() >= MaxClues) return;
        std::string kept;
        for (const std::string_view synonym : SplitOn(clue, ',')) {
            const std::string normal = NormalWord(Trimmed(synonym));
            if (std::find(usedSynonyms.begin(), usedSynonyms.end(), normal) != usedSynonyms.end()) {
                if (kept.empty()) return;
                continue;
            }
            usedSynonyms.push_back(normal);
            kept += (kept.empty() ? "" : ", ") + std::string(Trimmed(synonym));
        }
        clues.push_back(kept);
    };
    const Sources& sources = mSources[id];
    // A meaning's first words are its nearest synonyms; a long list goes on with kinds of the thing
    // ("дом": "здание", ... "изба", "хата"), so only a short one gives a pair.
    const auto meaningClue = [&](const std::vector<std::string>& meaning) {
        return ClueOf(meaning, noun, meaning.size() <= MaxPairedMeaning);
    };
    if (!sources.thesaurusMeanings.empty()) add(meaningClue(sources.thesaurusMeanings.front()));
    for (const SenseSynonyms& sense : sources.senses) {
        std::string clue = ClueOf(sense.sameGroup, noun, true);
        if (clue.empty()) clue = ClueOf(sense.others, noun, false);
        add(clue);
    }
    for (const std::string& headword : sources.thesaurusHeadwords) add(ValidClue(headword, noun));
    for (std::size_t m = 1; m < sources.thesaurusMeanings.size(); ++m) add(meaningClue(sources.thesaurusMeanings[m]));
    return clues;
}

std::vector<std::string> ClueMaker::EnglishClues(const std::string& noun) const {
    std::vector<std::string> clues;
    const int id = IdOf(noun);
    if (id < 0) return clues;
    // "по-английски" itself must not give the answer away ("англичанин").
    if (SameRoot(noun, "английски"_cp)) return clues;
    // The best name: from an everyday sense, naming the noun itself rather than a kind of it,
    // an English word of few senses (a name of the thing rather than a word of many uses),
    // where the noun is the first translation; then the shorter name.
    const auto key = [&](const EnglishName& name) {
        const auto senses = mNounSenses.find(name.english);
        return std::make_tuple(name.technical, name.group >= QualifiedRank,
                               senses == mNounSenses.end() ? 0 : senses->second, name.group, name.item,
                               name.english.size(), std::string_view(name.english));
    };
    const std::vector<EnglishName>& names = mSources[id].englishNames;
    const auto best = std::min_element(names.begin(), names.end(),
                                       [&](const EnglishName& a, const EnglishName& b) { return key(a) < key(b); });
    if (best != names.end()) clues.push_back(std::string("по-английски "_cp) + best->english);
    return clues;
}

std::string ClueMaker::Definition(const std::string& noun) const {
    std::vector<std::string> clues = RussianClues(noun);
    if (clues.empty()) clues = EnglishClues(noun);
    std::string text;
    for (const std::string& clue : clues) text += (text.empty() ? "" : "; ") + clue;
    return text;
}

bool ClueMaker::InThesaurus(const std::string& noun) const {
    const int id = IdOf(noun);
    return id >= 0 && mSources[id].inThesaurus;
}
