#include "WordListCompiler.h"

#include "ListText.h"

#include "dictionary/FileHelpers.h"
#include "dictionary/LetterCase.h"
#include "dictionary/Opredelenia.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Why a word cannot stand in the dictionary, as the end of a message; empty when it can.
std::string WordProblem(std::string_view word, std::string_view alphabet) {
    const auto has = [&](auto test) { return std::any_of(word.begin(), word.end(), test); };
    if (has(IsLatinLetter)) return std::string("есть латинские буквы"_cp);
    if (has(IsDigit)) return std::string("есть цифры"_cp);
    if (has([](char c) { return c == ' ' || c == '\t'; })) return std::string("есть пробел"_cp);
    if (has([](char c) { return c == '-'; })) return std::string("есть дефис"_cp);
    if (has([&](char c) { return alphabet.find(c) == std::string_view::npos; }))
        return std::string("есть знаки вне алфавита словаря"_cp);
    const int cells = CellCountOf(word, CellFormatSingle);
    if (cells < MinWordCells || cells > MaxWordCells) return std::string("должно быть от 2 до 25 букв"_cp);
    return {};
}

std::string JoinedDefinitions(std::string_view first, std::string_view second) {
    TOpredelenia alternatives;
    alternatives.SplitDefinitions(first);
    alternatives.SplitDefinitions(second);
    return alternatives.JoinDefinitions();
}

}  // namespace

WordList ParseWordList(std::string_view utf8Text, std::string_view alphabet, ListReading reading) {
    WordList list;
    if (utf8Text.starts_with(ByteOrderMark)) utf8Text.remove_prefix(ByteOrderMark.size());
    std::unordered_map<std::string, std::size_t> indexOf;
    std::vector<int> lineOf;
    ForEachLine(utf8Text, [&](std::string_view line, int lineNumber) {
        if (Trimmed(line).empty() || line.front() == '#') return;
        std::vector<std::string_view> fields = SplitOn(line, '\t');
        const std::string written = FromUtf8(Trimmed(fields[0]));
        const std::string_view category = fields.size() > 2 ? Trimmed(fields[2]) : std::string_view();
        if (written.empty()) {
            list.problems.push_back(Format("Строка %d: нет слова"_cp, lineNumber));
            return;
        }
        const bool categoryOk = category.empty() || (category.size() == 1 && category[0] >= '0' && category[0] <= '2');
        if (fields.size() > 3 || !categoryOk) {
            list.problems.push_back(
                Format("Строка %d: категория слова \"%s\" должна быть 0, 1 или 2"_cp, lineNumber, written));
            return;
        }
        DictionaryWord word;
        word.text = NormalWord(written);
        word.definition = fields.size() > 1 ? FromUtf8(Trimmed(fields[1])) : std::string();
        if (category.size() == 1) word.category = static_cast<WordCategory>(category[0] - '0');
        // Checked as written, so that a Latin capital is reported as what it is.
        const std::string problem = WordProblem(written, std::string(alphabet) + UpperText(alphabet));
        if (!problem.empty()) {
            list.problems.push_back(Format("Строка %d: в слове \"%s\" %s"_cp, lineNumber, written, problem));
            return;
        }
        const auto [seen, added] = indexOf.emplace(word.text, list.words.size());
        if (!added) {
            ++list.merged;
            if (reading == ListReading::Strict) {
                list.problems.push_back(Format("Строка %d: слово \"%s\" уже есть в строке %d"_cp, lineNumber,
                                               word.text, lineOf[seen->second]));
            }
            DictionaryWord& earlier = list.words[seen->second];
            earlier.definition = JoinedDefinitions(earlier.definition, word.definition);
            return;
        }
        if (word.text != written) ++list.respelled;
        list.words.push_back(std::move(word));
        lineOf.push_back(lineNumber);
    });
    SortInDictionaryOrder(list.words, CellFormatSingle);
    return list;
}

CompileResult CompileWordList(const std::string& inputPath, const std::string& outputPath, ListReading reading) {
    std::error_code missing;
    if (!std::filesystem::exists(inputPath, missing)) {
        TheUi().Message(Format("Файл %s не найден!"_cp, inputPath));
        return CompileResult::NothingUsable;
    }
    std::string text;
    if (!ReadFileText(inputPath, text)) return CompileResult::NothingUsable;
    const WordList list = ParseWordList(text, DefaultAlphabet(), reading);
    for (const std::string& problem : list.problems) TheUi().Message(Format("%s: %s"_cp, inputPath, problem));
    if (reading == ListReading::Strict && !list.problems.empty()) {
        TheUi().Message(Format("%s: список не принят, строк с ошибками: %d"_cp, inputPath, list.problems.size()));
        return CompileResult::NothingUsable;
    }
    if (!list.problems.empty())
        TheUi().Message(Format("%s: пропущено строк: %d"_cp, inputPath, list.problems.size()));
    if (list.respelled > 0)
        TheUi().Message(Format("%s: заглавные буквы и \"ё\" заменены в словах: %d"_cp, inputPath, list.respelled));
    if (list.merged > 0)
        TheUi().Message(Format("%s: повторы слов объединены: %d"_cp, inputPath, list.merged));
    if (list.words.empty()) {
        TheUi().Message(Format("%s: в списке нет слов для словаря"_cp, inputPath));
        return CompileResult::NothingUsable;
    }
    return WriteDictionaryFile(outputPath, DictionaryLayout{}, list.words) ? CompileResult::Written
                                                                             : CompileResult::NotWritten;
}
