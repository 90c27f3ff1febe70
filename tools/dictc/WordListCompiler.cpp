#include "WordListCompiler.h"

#include "dictionary/FileHelpers.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <filesystem>
#include <unordered_map>

namespace {

std::string_view TrimLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    return line;
}

std::string_view NextField(std::string_view& rest) {
    const std::size_t tab = rest.find('\t');
    const std::string_view field = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    return field;
}

}  // namespace

bool ParseWordList(std::string_view utf8Text, std::string_view alphabet, std::vector<DictionaryWord>& words,
                   std::string& error) {
    words.clear();
    std::unordered_map<std::string, int> seenOnLine;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < utf8Text.size()) {
        const std::size_t end = std::min(utf8Text.find('\n', at), utf8Text.size());
        std::string_view rest = TrimLineEnd(utf8Text.substr(at, end - at));
        at = end + 1;
        ++lineNumber;
        if (rest.empty() || rest.front() == '#') continue;

        DictionaryWord word;
        word.text = FromUtf8(NextField(rest));
        word.definition = FromUtf8(NextField(rest));
        const std::string_view category = NextField(rest);
        if (category.size() > 1 || (category.size() == 1 && (category[0] < '0' || category[0] > '2'))) {
            error = Format("Строка %d: категория слова \"%s\" должна быть 0, 1 или 2"_cp, lineNumber, word.text);
            return false;
        }
        if (category.size() == 1) word.category = static_cast<WordCategory>(category[0] - '0');
        for (const char c : word.text) {
            if (alphabet.find(c) == std::string_view::npos) {
                error = Format("Строка %d: в слове \"%s\" есть знаки вне алфавита словаря"_cp, lineNumber, word.text);
                return false;
            }
        }
        const int cells = CellCountOf(word.text, CellFormatSingle);
        if (cells < MinWordCells || cells > MaxWordCells) {
            error = Format("Строка %d: в слове \"%s\" должно быть от 2 до 25 букв"_cp, lineNumber, word.text);
            return false;
        }
        const auto [seen, inserted] = seenOnLine.emplace(word.text, lineNumber);
        if (!inserted) {
            error = Format("Строка %d: слово \"%s\" уже есть в строке %d"_cp, lineNumber, word.text, seen->second);
            return false;
        }
        words.push_back(std::move(word));
    }
    SortInDictionaryOrder(words, CellFormatSingle);
    return true;
}

bool CompileWordList(const std::string& inputPath, const std::string& outputPath) {
    std::error_code missing;
    if (!std::filesystem::exists(inputPath, missing)) {
        TheUi().Message(Format("Файл %s не найден!"_cp, inputPath));
        return false;
    }
    std::string text;
    if (!ReadFileText(inputPath, text)) return false;
    std::vector<DictionaryWord> words;
    std::string error;
    if (!ParseWordList(text, DefaultAlphabet(), words, error)) {
        TheUi().Message(Format("%s: %s"_cp, inputPath, error));
        return false;
    }
    return WriteDictionaryFile(outputPath, DictionaryLayout{}, words);
}
