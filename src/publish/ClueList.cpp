#include "ClueList.h"

#include "crossword/Crossword.h"
#include "kinds/KnightCrossword.h"
#include "platform/Text.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view NormalSwitch = "~#1";
constexpr std::string_view EmphasisSwitch = "~#2";
constexpr std::string_view LineEnd = "\r\n";
// Where a clue is missing the reader sees a line to write one on.
constexpr std::string_view BlankClue = "______________";
// A letter of the knight's phrase on its answer line.
constexpr std::string_view LetterPlace = "_";

// A letter of cp1251 text: Latin, or Cyrillic (А..я, Ё and ё).
bool IsLetterByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0 || u == 0xA8 || u == 0xB8;
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// One line of a kind's clue text: its emphasised parts make the label (or the whole heading),
// the rest the text.
TListEntry EntryOfLine(std::string_view line) {
    std::string label, text;
    bool emphasis = false;
    for (std::size_t i = 0; i < line.size();) {
        if (line.substr(i).starts_with(NormalSwitch) || line.substr(i).starts_with(EmphasisSwitch)) {
            emphasis = line.substr(i).starts_with(EmphasisSwitch);
            i += NormalSwitch.size();
            continue;
        }
        (emphasis ? label : text) += line[i++];
    }
    TListEntry entry;
    entry.Label = Trimmed(label);
    entry.Text = Trimmed(text);
    if (entry.Text.empty()) {
        // A heading: the kinds end theirs with a colon, which a page's heading does without.
        entry.Heading = true;
        entry.Text = Trimmed(entry.Label.ends_with(':') ? entry.Label.substr(0, entry.Label.size() - 1) : entry.Label);
        entry.Label.clear();
    }
    return entry;
}

// The kinds whose words run straight across or down, whose lists part into the two directions.
bool SplitsByDirection(const TCrossword& crossword) {
    return crossword.Template->GetWordLayout() == 0;
}

// The clues of the kind's clue text, missing ones as blank lines.
std::vector<TListEntry> Clues(const TCrossword& crossword, bool lengths) {
    const bool split = SplitsByDirection(crossword);
    const TClueListOptions options{.Numbers = true,
                                   .Headings = split,
                                   .SplitDirections = split,
                                   .OnePerLine = true,
                                   .Dot = true,
                                   .Markup = true,
                                   .Lengths = lengths,
                                   .MissingClue = BlankClue};
    const std::string text = crossword.BuildCluePages(options, false);

    std::vector<TListEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(LineEnd, start);
        if (end == std::string::npos) end = text.size();
        const TListEntry entry = EntryOfLine(std::string_view(text).substr(start, end - start));
        if (!entry.Text.empty()) entries.push_back(entry);
        start = end + LineEnd.size();
    }
    return entries;
}

// The words hidden in the field, in capitals and alphabetical order.
std::vector<TListEntry> WordsToFind(const TCrossword& crossword) {
    std::vector<std::string> found;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i))
            found.push_back(crossword.Dictionary.ToUpperText(std::string(crossword.Words.SlotWord(i))));
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    std::vector<TListEntry> entries;
    if (!found.empty()) entries.push_back({true, "", std::string("Найдите слова"_cp)});
    for (std::string& word : found) entries.push_back({false, "", std::move(word)});
    return entries;
}

// The knight's phrase as places for its letters, word by word; other characters stand as they are.
std::vector<TListEntry> PhraseLines(const TKnightCrossword& knight) {
    std::string line;
    for (const char c : knight.Phrase) {
        if (c == ' ') {
            line += "   ";
        } else {
            if (!line.empty() && line.back() != ' ') line += ' ';
            line += IsLetterByte(c) ? std::string(LetterPlace) : std::string(1, c);
        }
    }
    if (Trimmed(line).empty()) return {};
    return {{true, "", std::string("Фраза"_cp)}, {false, "", Trimmed(line)}};
}

const TKnightCrossword* PhraseKnight(const TCrossword& crossword) {
    const auto* knight = dynamic_cast<const TKnightCrossword*>(&crossword);
    return knight && knight->Knight().PhraseMode ? knight : nullptr;
}

}  // namespace

TClueList PageClueList(const TCrossword& crossword, bool lengths) {
    TClueList list;
    if (crossword.CluesInGrid) {
        list.Note = "Определения стоят в сетке."_cp;
        return list;
    }
    if (const TKnightCrossword* knight = PhraseKnight(crossword))
        list.Entries = PhraseLines(*knight);
    else if (crossword.Kind == TCrosswordKind::FillWord || crossword.Kind == TCrosswordKind::English)
        list.Entries = WordsToFind(crossword);
    else
        list.Entries = Clues(crossword, lengths);
    // Headings over no entry are no list.
    if (std::none_of(list.Entries.begin(), list.Entries.end(), [](const TListEntry& e) { return !e.Heading; })) {
        list.Entries.clear();
        list.Note = "В кроссворде нет слов."_cp;
    }
    return list;
}

std::string ListedSolution(const TCrossword& crossword) {
    const TKnightCrossword* knight = PhraseKnight(crossword);
    return knight ? knight->Phrase : std::string();
}
