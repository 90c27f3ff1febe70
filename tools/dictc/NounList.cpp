#include "NounList.h"

#include "ListText.h"

#include "dictionary/CellFormat.h"
#include "dictionary/TextHelpers.h"
#include "platform/Text.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    for (const std::string_view piece : SplitOn(line, ' '))
        if (!piece.empty()) words.emplace_back(piece);
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
    bool ok = true;
    ForEachLine(text, [&](std::string_view rawLine, int lineNumber) {
        if (!ok) return;
        std::string line(rawLine.substr(0, rawLine.find('#')));
        std::replace(line.begin(), line.end(), '\t', ' ');
        std::vector<std::string> words = Words(line);
        if (words.empty()) return;
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
        } else if (keyword == "technical-labels" && !args.empty()) {
            rules.technicalLabels.insert(rules.technicalLabels.end(), args.begin(), args.end());
        } else if (keyword == "normal-min-uses" && args.size() == 2) {
            ok = number(0, rules.normalMinUses) && number(1, rules.normalMinUsesInThesaurus);
        } else if (keyword == "normal-lengths" && args.size() == 2) {
            ok = number(0, rules.normalShortest) && number(1, rules.normalLongest);
        } else if (keyword == "normal-per-length-min" && args.size() == 1) {
            ok = number(0, rules.normalPerLengthMin);
        } else if (keyword == "hard-min-uses" && args.size() == 1) {
            ok = number(0, rules.hardMinUses);
        } else {
            ok = false;
        }
        if (!ok) error = "line " + std::to_string(lineNumber) + ": unknown or malformed rule \"" + ToUtf8(line) + "\"";
    });
    if (!ok) return false;
    if (rules.nounFlags.empty()) {
        error = "no noun-flags rule";
        return false;
    }
    return true;
}

std::vector<Noun> ExtractNouns(std::string_view utf8DicText, const NounRules& rules,
                               const std::vector<std::string>& excludedWords,
                               const std::vector<std::string>& extraWords) {
    const std::set<std::string> excluded(excludedWords.begin(), excludedWords.end());
    const std::set<std::string> extra(extraWords.begin(), extraWords.end());
    std::map<std::string, Noun> nouns;
    ForEachLine(utf8DicText, [&](std::string_view line, int lineNumber) {
        if (lineNumber == 1) return;  // the entry count
        line = Trimmed(line);
        const std::size_t slash = line.find('/');
        const std::string spelling = FromUtf8(line.substr(0, slash));
        const std::string_view flags = slash == std::string_view::npos ? std::string_view() : line.substr(slash + 1);
        if (spelling.size() < static_cast<std::size_t>(MinWordCells) ||
            spelling.size() > static_cast<std::size_t>(MaxWordCells) ||
            !std::all_of(spelling.begin(), spelling.end(), IsSmallRussianLetter))
            return;
        const std::string word = ReplaceChar(spelling, SmallYo, SmallYe);
        if ((!extra.contains(word) && !KeptByRules(word, flags, rules)) || excluded.contains(word)) return;
        Noun& noun = nouns[word];
        noun.word = word;
        noun.spellings.push_back(spelling);
        noun.flags.emplace_back(flags);
    });
    std::vector<Noun> list;
    list.reserve(nouns.size());
    for (auto& [word, noun] : nouns) list.push_back(std::move(noun));
    return list;
}

UseCounter::UseCounter(const std::vector<Noun>& nouns, const SuffixRules& rules) : mUses(nouns.size(), 0) {
    mIds.reserve(nouns.size() * 2);
    mNounsOfForm.reserve(nouns.size() * 8);
    for (std::size_t id = 0; id < nouns.size(); ++id) {
        const Noun& noun = nouns[id];
        mIds.emplace(noun.word, static_cast<int>(id));
        const auto addForm = [&](const std::string& form) {
            std::vector<int>& ids = mNounsOfForm[form];
            if (std::find(ids.begin(), ids.end(), static_cast<int>(id)) == ids.end()) ids.push_back(static_cast<int>(id));
        };
        for (std::size_t s = 0; s < noun.spellings.size(); ++s)
            for (const std::string& form : rules.FormsOf(noun.spellings[s], noun.flags[s]))
                addForm(ReplaceChar(form, SmallYo, SmallYe));
        // A noun without a paradigm (an irregular or indeclinable one) still counts in its own form.
        addForm(noun.word);
    }
}

void UseCounter::Count(std::string_view text) {
    ForEachRussianWord(text, [&](std::string_view word) {
        const auto found = mNounsOfForm.find(NormalWord(word));
        if (found == mNounsOfForm.end()) return;
        for (const int id : found->second) ++mUses[id];
    });
}

int UseCounter::Uses(const std::string& word) const {
    const auto found = mIds.find(word);
    return found == mIds.end() ? 0 : mUses[found->second];
}

std::vector<std::string> NormalLevel(const std::vector<RankedNoun>& nouns, const NounRules& rules) {
    const auto eligible = [](const RankedNoun& noun) { return noun.hasClue && !noun.hardOnly; };
    std::set<std::string> chosen;
    std::map<int, int> perLength;
    for (const RankedNoun& noun : nouns) {
        const int least = noun.inThesaurus ? rules.normalMinUsesInThesaurus : rules.normalMinUses;
        if (eligible(noun) && noun.uses >= least) {
            chosen.insert(noun.word);
            ++perLength[static_cast<int>(noun.word.size())];
        }
    }
    // Most used first; equal counts keep the input order, so the output never depends on hashing.
    std::vector<const RankedNoun*> ranked;
    for (const RankedNoun& noun : nouns)
        if (eligible(noun)) ranked.push_back(&noun);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const RankedNoun* a, const RankedNoun* b) { return a->uses > b->uses; });
    for (const RankedNoun* noun : ranked) {
        const int length = static_cast<int>(noun->word.size());
        if (length < rules.normalShortest || length > rules.normalLongest) continue;
        if (perLength[length] >= rules.normalPerLengthMin || chosen.contains(noun->word)) continue;
        chosen.insert(noun->word);
        ++perLength[length];
    }
    return {chosen.begin(), chosen.end()};
}

std::vector<std::string> HardLevel(const std::vector<RankedNoun>& nouns, const NounRules& rules) {
    std::vector<std::string> words;
    for (const RankedNoun& noun : nouns)
        if (noun.hasClue || noun.inThesaurus || noun.uses >= rules.hardMinUses) words.push_back(noun.word);
    std::sort(words.begin(), words.end());
    return words;
}
