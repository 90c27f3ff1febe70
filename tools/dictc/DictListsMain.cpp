// dictlists: writes the word lists of the two default dictionaries (UTF-8, one word a line, a
// tab and its definition after it) from Debian's hunspell-ru, ranked and given clues with the
// mythes-ru thesaurus and the mueller7 and FreeDict English-Russian dictionaries.
//   dictlists RULES EXCLUDED EXTRA HARD_ONLY HUNSPELL THESAURUS MUELLER7 FREEDICT NORMAL.txt HARD.txt
// HUNSPELL is the path of ru_RU.dic and ru_RU.aff without the extension, MUELLER7 and FREEDICT
// the paths of dictd dictionaries without ".index" and ".dict.dz".

#include "Clues.h"
#include "EnglishRussian.h"
#include "ListText.h"
#include "NounList.h"
#include "Thesaurus.h"

#include "dictionary/FileHelpers.h"
#include "platform/Text.h"

#include <cstdio>
#include <set>
#include <zlib.h>

namespace {

bool ReadText(const std::string& path, std::string& text) {
    if (ReadFileText(path, text)) return true;
    std::fprintf(stderr, "dictlists: cannot read %s\n", path.c_str());
    return false;
}

// A dictd ".dict.dz" file is gzip with random-access extras; zlib reads it as plain gzip.
bool ReadGzip(const std::string& path, std::string& text) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "dictlists: cannot open %s\n", path.c_str());
        return false;
    }
    char buffer[1 << 16];
    int got = 0;
    while ((got = gzread(file, buffer, sizeof buffer)) > 0) text.append(buffer, got);
    const bool ok = got == 0;
    gzclose(file);
    if (!ok) std::fprintf(stderr, "dictlists: cannot decompress %s\n", path.c_str());
    return ok;
}

struct Dictd {
    std::string index;
    std::string text;
    std::vector<std::string_view> entries;
};

bool ReadDictd(const std::string& base, Dictd& dictd) {
    if (!ReadText(base + ".index", dictd.index) || !ReadGzip(base + ".dict.dz", dictd.text)) return false;
    dictd.entries = DictdEntries(dictd.index, dictd.text);
    return true;
}

struct ListShares {
    std::size_t words = 0;
    std::size_t defined = 0;
    std::size_t russian = 0;
};

bool WriteList(const std::string& path, const std::vector<std::string>& words, const ClueMaker& clues,
               ListShares& shares) {
    std::string text;
    for (const std::string& word : words) {
        const std::string definition = clues.Definition(word);
        text += ToUtf8(word);
        if (!definition.empty()) text += "\t" + ToUtf8(definition);
        text += "\n";
        ++shares.words;
        shares.defined += definition.empty() ? 0 : 1;
        shares.russian += clues.RussianClues(word).empty() ? 0 : 1;
    }
    return WriteFileText(path, text);
}

int Percent(std::size_t part, std::size_t whole) {
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 11) {
        std::fprintf(stderr, "usage: dictlists RULES EXCLUDED EXTRA HARD_ONLY HUNSPELL THESAURUS MUELLER7 FREEDICT "
                             "NORMAL.txt HARD.txt\n");
        return 2;
    }
    const std::string hunspell = argv[5];
    std::string rulesText, excludedText, extraText, hardOnlyText, dicText, affText, thesaurusText;
    Dictd mueller, freedict;
    if (!ReadText(argv[1], rulesText) || !ReadText(argv[2], excludedText) || !ReadText(argv[3], extraText) ||
        !ReadText(argv[4], hardOnlyText) || !ReadText(hunspell + ".dic", dicText) ||
        !ReadText(hunspell + ".aff", affText) || !ReadText(argv[6], thesaurusText) || !ReadDictd(argv[7], mueller) ||
        !ReadDictd(argv[8], freedict))
        return 1;
    NounRules rules;
    std::string error;
    if (!ParseNounRules(rulesText, rules, error)) {
        std::fprintf(stderr, "dictlists: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::vector<std::string> excluded = WordsOfList(excludedText);
    const std::vector<Noun> nouns = ExtractNouns(dicText, rules, excluded, WordsOfList(extraText));
    std::vector<std::string> words;
    for (const Noun& noun : nouns) words.push_back(noun.word);

    SuffixRules suffixes;
    suffixes.Read(affText, rules.nounFlags);
    UseCounter uses(nouns, suffixes);
    ClueMaker clues(words, excluded);
    clues.AddThesaurus(ReadThesaurus(thesaurusText));
    const auto take = [&](const TranslationSense& sense) {
        if (!sense.technical) uses.Count(sense.text);
        clues.AddSense(sense);
    };
    ForEachMuellerSense(mueller.entries, rules.technicalLabels, take);
    ForEachFreeDictSense(freedict.entries, take);

    const std::vector<std::string> hardOnlyList = WordsOfList(hardOnlyText);
    const std::set<std::string> hardOnly(hardOnlyList.begin(), hardOnlyList.end());
    std::vector<RankedNoun> ranked;
    for (const std::string& word : words)
        ranked.push_back({word, uses.Uses(word), clues.InThesaurus(word), !clues.Definition(word).empty(),
                          hardOnly.contains(word)});

    ListShares normalShares, hardShares;
    if (!WriteList(argv[9], NormalLevel(ranked, rules), clues, normalShares) ||
        !WriteList(argv[10], HardLevel(ranked, rules), clues, hardShares))
        return 1;
    std::printf("dictlists: %zu everyday nouns (%d%% with a definition, %d%% with a Russian one), "
                "%zu nouns in all (%d%%, %d%%)\n",
                normalShares.words, Percent(normalShares.defined, normalShares.words),
                Percent(normalShares.russian, normalShares.words), hardShares.words,
                Percent(hardShares.defined, hardShares.words), Percent(hardShares.russian, hardShares.words));
    return 0;
}
