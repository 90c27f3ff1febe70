// dictlists: writes the word lists of the two default dictionaries (UTF-8, one word a line)
// from Debian's hunspell-ru, ranked with mueller7 and FreeDict English-Russian.
//   dictlists RULES EXCLUDED EXTRA RU_RU.dic MUELLER7.dict.dz FREEDICT.dict.dz NORMAL.txt HARD.txt

#include "NounList.h"

#include "dictionary/FileHelpers.h"
#include "dictionary/LetterCase.h"
#include "dictionary/TextHelpers.h"
#include "platform/Text.h"

#include <cstdio>
#include <zlib.h>

namespace {

bool ReadText(const char* path, std::string& text) {
    if (ReadFileText(path, text)) return true;
    std::fprintf(stderr, "dictlists: cannot read %s\n", path);
    return false;
}

// A dictd ".dict.dz" file is gzip with random-access extras; zlib reads it as plain gzip.
bool ReadGzip(const char* path, std::string& text) {
    gzFile file = gzopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "dictlists: cannot open %s\n", path);
        return false;
    }
    char buffer[1 << 16];
    int got = 0;
    while ((got = gzread(file, buffer, sizeof buffer)) > 0) text.append(buffer, got);
    const bool ok = got == 0;
    gzclose(file);
    if (!ok) std::fprintf(stderr, "dictlists: cannot decompress %s\n", path);
    return ok;
}

bool WriteList(const char* path, const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += ToUtf8(w) + "\n";
    return WriteFileText(path, text);
}

std::vector<std::string> WordsOfList(std::string_view utf8Text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < utf8Text.size()) {
        const std::size_t end = std::min(utf8Text.find('\n', at), utf8Text.size());
        std::string line = FromUtf8(utf8Text.substr(at, end - at));
        at = end + 1;
        line = line.substr(0, line.find('#'));
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) words.push_back(ReplaceChar(LowerText(line), '\xB8', '\xE5'));  // "ё" as "е"
    }
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: dictlists RULES EXCLUDED EXTRA RU_RU.dic MUELLER7.dict.dz FREEDICT.dict.dz NORMAL.txt HARD.txt\n");
        return 2;
    }
    std::string rulesText, excludedText, extraText, dicText, muellerText, freedictText;
    if (!ReadText(argv[1], rulesText) || !ReadText(argv[2], excludedText) || !ReadText(argv[3], extraText) ||
        !ReadText(argv[4], dicText) || !ReadGzip(argv[5], muellerText) || !ReadGzip(argv[6], freedictText))
        return 1;
    NounRules rules;
    std::string error;
    if (!ParseNounRules(rulesText, rules, error)) {
        std::fprintf(stderr, "dictlists: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::vector<std::string> nouns = ExtractNouns(dicText, rules, WordsOfList(excludedText), WordsOfList(extraText));
    std::unordered_map<std::string, int> scores;
    scores.reserve(nouns.size() * 2);
    for (const std::string& w : nouns) scores.emplace(w, 0);
    ScoreNounSenses(FromUtf8(muellerText), scores);
    ScoreAllWords(FromUtf8(freedictText), scores);
    const std::vector<std::string> normal = NormalLevel(nouns, scores, rules);
    if (!WriteList(argv[7], normal) || !WriteList(argv[8], nouns)) return 1;
    std::printf("dictlists: %zu everyday nouns, %zu nouns in all\n", normal.size(), nouns.size());
    return 0;
}
