// Clue texts: the order of the words, the answer list, the clue list, the list grouped by rows
// and columns, the choice of one definition and the markup at the head of a definition.

#include "Crossword.h"

#include "dictionary/Opredelenia.h"
#include "dictionary/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

constexpr std::string_view NormalText = "~#1";
constexpr std::string_view EmphasizedText = "~#2";
// An alternative that holds this loses everything up to and including it.
constexpr std::string_view DefinitionPrefixEnd = "##~";

bool StartsWith(std::string_view path, char step) {
    return !path.empty() && path.front() == step;
}

bool IsAcross(std::string_view path) {
    return StartsWith(path, '6');
}

bool IsDown(std::string_view path) {
    return StartsWith(path, '2');
}

// The entries of slots going down (or down-left) go to the down list when the directions are split.
bool InDownList(std::string_view path) {
    return StartsWith(path, '1') || StartsWith(path, '2');
}

std::string Separator(const TClueListOptions& options) {
    return options.OnePerLine ? "\r\n" : " ";
}

// Slot indices 0 .. count - 1 in a uniformly random order.
std::vector<int> RandomOrder(int count) {
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    for (int i = count - 1; i > 0; --i) std::swap(order[i], order[RandomInt(i + 1)]);
    return order;
}

std::string WithoutPrefix(const std::string& alternative) {
    const std::size_t end = alternative.find(DefinitionPrefixEnd);
    return end == std::string::npos ? alternative : alternative.substr(end + DefinitionPrefixEnd.size());
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A whole number of the text, with an optional sign; none for anything else.
std::optional<int64_t> WholeNumber(std::string_view text) {
    const std::size_t first = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (first == text.size() || text.size() > 11) return std::nullopt;
    int64_t value = 0;
    for (std::size_t k = first; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return text[0] == '-' ? -value : value;
}

// Reads the markup codes at the head of a definition, one at a time. A code cut short ends the
// reading as Cut, and the definition then stands as written.
class TMarkupReader {
public:
    enum class TStep { Next, Stop, Cut };

    TMarkupReader(std::string_view text, TDefinitionMarkup& markup) : mRest(text), mMarkup(markup) {}

    bool AtCode() const { return mRest.size() >= 2 && mRest[0] == '&'; }
    std::string_view Rest() const { return mRest; }

    TStep ReadCode() {
        switch (UpperAscii(mRest[1])) {
            case 'C': return ReadLinkCode();
            case 'F': return ReadFontCode();
            case 'H': return ReadSign(2, mMarkup.Format.HFlag);
            case 'I':
                mMarkup.Picture = true;
                Take(2);
                return TStep::Stop;
            case 'L': return ReadPercent(mMarkup.Format.Interline);
            case 'S': return ReadPercent(mMarkup.Format.SPercent);
            case 'W': return ReadPercent(mMarkup.Format.FontWidth);
            case 'R':
                if (mRest.size() < 3) return TStep::Cut;
                mMarkup.Format.CaseMode = UpperAscii(mRest[2]) == 'U' ? 1 : UpperAscii(mRest[2]) == 'D' ? 2 : 0;
                return Take(3);
            case 'Z':
                mMarkup.Format.Z = true;
                return Take(2);
            default: return Take(2);
        }
    }

private:
    TStep Take(std::size_t count) {
        mRest.remove_prefix(count);
        mMarkup.Position += static_cast<int>(count);
        return TStep::Next;
    }

    // A quoted text starting at position at; false when there is no whole quote.
    bool Quoted(std::size_t at, std::string_view& text, std::size_t& end) const {
        if (mRest.size() <= at || mRest[at] != '"') return false;
        const std::size_t close = mRest.find('"', at + 1);
        if (close == std::string_view::npos) return false;
        text = mRest.substr(at + 1, close - at - 1);
        end = close + 1;
        return true;
    }

    // "+" or "-" at position at sets flag.
    TStep ReadSign(std::size_t at, bool& flag) {
        if (mRest.size() <= at || (mRest[at] != '+' && mRest[at] != '-')) return TStep::Cut;
        flag = mRest[at] == '+';
        return Take(at + 1);
    }

    // Three digits after the code letter; 100 when they are not a number.
    TStep ReadPercent(uint8_t& field) {
        if (mRest.size() < 5) return TStep::Cut;
        field = ClampByte(WholeNumber(mRest.substr(2, 3)).value_or(100));
        return Take(5);
    }

    TStep ReadLinkCode() {
        if (mRest.size() < 3) return TStep::Cut;
        TLinkParameters& link = mMarkup.Link;
        std::string_view text;
        std::size_t end = 0;
        switch (UpperAscii(mRest[2])) {
            case 'A':
                if (mRest.size() < 4) return TStep::Cut;
                link.Mode = mRest[3] >= '0' && mRest[3] <= '2' ? static_cast<uint8_t>(mRest[3] - '0') : 3;
                return Take(4);
            case 'C':
                if (mRest.size() < 9) return TStep::Cut;
                link.Link = true;
                link.Number1 = static_cast<int>(WholeNumber(mRest.substr(3, 3)).value_or(255));
                link.Number2 = static_cast<int>(WholeNumber(mRest.substr(6, 3)).value_or(255));
                return Take(9);
            case 'O':
            case 'P':
                if (!Quoted(3, text, end)) return TStep::Cut;
                (UpperAscii(mRest[2]) == 'O' ? link.Text1 : link.Text2).assign(text);
                return Take(end);
            default: return Take(2);
        }
    }

    TStep ReadFontCode() {
        if (mRest.size() < 3) return TStep::Cut;
        TFormatParameters& format = mMarkup.Format;
        std::string_view text;
        std::size_t end = 0;
        switch (UpperAscii(mRest[2])) {
            case 'B': return ReadSign(3, format.Bold);
            case 'I': return ReadSign(3, format.Italic);
            case 'C': {
                if (!Quoted(3, text, end) || text.empty()) return TStep::Cut;
                format.FontColor.Model = UpperAscii(text[0]) == 'C' ? TColorModel::Cmyk : TColorModel::Rgb;
                // CMYK values use all 32 bits.
                const std::optional<int64_t> value = WholeNumber(text.substr(1));
                if (value && *value >= INT32_MIN && *value <= UINT32_MAX)
                    format.FontColor.Value = static_cast<uint32_t>(*value);
                return Take(end);
            }
            case 'N':
                if (!Quoted(3, text, end)) return TStep::Cut;
                format.FontName.assign(text);
                return Take(end);
            case 'S': {
                if (mRest.size() < 6) return TStep::Cut;
                if (const std::optional<int64_t> size = WholeNumber(mRest.substr(3, 3)))
                    format.FontSize = ClampFontSize(*size);
                return Take(6);
            }
            default: return Take(2);
        }
    }

    std::string_view mRest;
    TDefinitionMarkup& mMarkup;
};

}  // namespace

std::string ClueNumberText(int number, const TClueListOptions& options) {
    if (number < 1) return {};
    return std::string(EmphasizedText) + std::to_string(number) + (options.Dot ? ". " : " ") + std::string(NormalText);
}

std::string LabelText(int n, uint8_t alphabet) {
    if (alphabet == LabelAlphabet::Digits) return std::to_string(n);
    const std::string_view letters = alphabet == LabelAlphabet::Latin ? std::string_view("abcdefghijklmnopqrstuvwxyz")
                                                                       : "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp;
    const int count = static_cast<int>(letters.size());
    std::string label;
    for (; n > 0; n = (n - 1) / count) label.insert(label.begin(), letters[(n - 1) % count]);
    return label;
}

std::vector<int> TCrossword::OrderedWords(int mode) const {
    if (mode == 1 || mode == 2) {
        // Each slot is listed where the scan first meets it.
        std::vector<int> list;
        std::vector<bool> listed(Words.Count());
        const bool letterCellsOnly = mode == 1;
        const auto meet = [&](int x, int y, bool (*direction)(std::string_view)) {
            if (letterCellsOnly && !Template->IsLetterCell(x, y)) return;
            for (const int slot : SlotsThroughCell(x, y))
                if (!listed[slot] && direction(Words.WordPath(slot))) {
                    listed[slot] = true;
                    list.push_back(slot);
                }
        };
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) meet(x, y, IsAcross);
        if (mode == 1) {
            for (int x = 0; x < Width; ++x)
                for (int y = 0; y < Height; ++y) meet(x, y, IsDown);
        } else {
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x) meet(x, y, IsDown);
        }
        return list;
    }

    std::vector<int> list = SlotsByNumber();
    if (mode != 3) return list;

    const int n = static_cast<int>(list.size());
    for (int k = 0; k < 3 * n; ++k) std::swap(list[RandomInt(n)], list[RandomInt(n)]);
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i + 1 < n; ++i)
            if (IsDown(Words.WordPath(list[i])) && IsAcross(Words.WordPath(list[i + 1]))) {
                std::swap(list[i], list[i + 1]);
                moved = true;
            }
    }
    return list;
}

std::vector<int> TCrossword::SlotsByNumber() const {
    std::vector<int> list(Words.Count());
    std::iota(list.begin(), list.end(), 0);
    std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
        return Template->GetNumber(Words.WordX(a), Words.WordY(a)) < Template->GetNumber(Words.WordX(b), Words.WordY(b));
    });
    return list;
}

int TCrossword::ClueNumber(int slot) const {
    return Template->GetNumber(Words.WordX(slot), Words.WordY(slot));
}

std::vector<int> TCrossword::ListedWords(int mode) const {
    std::vector<int> list = OrderedWords(mode);
    std::vector<bool> listed(Words.Count());
    for (const int slot : list) listed[slot] = true;
    // An order sorts the slots it knows (across and down words, a match ...): the others follow.
    for (const int slot : SlotsByNumber())
        if (!listed[slot]) list.push_back(slot);
    return list;
}

std::vector<int> TCrossword::SlotsByLine(int mode) const {
    std::vector<int> list;
    for (int i = 0; i < Words.Count(); ++i)
        if (IsAcross(Words.WordPath(i)) == (mode == 0)) list.push_back(i);
    std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
        if (mode == 0)
            return std::pair(Words.WordY(a), Words.WordX(a)) < std::pair(Words.WordY(b), Words.WordX(b));
        return std::pair(Words.WordX(a), Words.WordY(a)) < std::pair(Words.WordX(b), Words.WordY(b));
    });
    return list;
}

// --- the lists ---

namespace {

// The parts of an entry that the answer list and the clue list share.
class TEntryWriter {
public:
    TEntryWriter(const TCrossword& crossword, const TClueListOptions& options)
        : mCrossword(crossword), mOptions(options) {}

    // "~#2" + the number + "~#1" with Numbers, else nothing; nothing too for a slot that the
    // picture shows no number for.
    std::string NumberPart(int slot) {
        ++mCounter;
        if (!mOptions.Numbers) return {};
        const bool listed = slot >= 0 && slot < static_cast<int>(mOptions.SlotNumbers.size());
        const int number = mOptions.Count ? mCounter : listed ? mOptions.SlotNumbers[slot] : mCrossword.ClueNumber(slot);
        return ClueNumberText(number, mOptions);
    }

    // The word, or "?" for each cell of an empty slot.
    std::string Answer(int slot) const {
        const TCrosswordWords& words = mCrossword.Words;
        if (!words.SlotFilled(slot)) return std::string(words.WordLength(slot), '?');
        std::string word(words.SlotWord(slot));
        if (mCrossword.Dictionary.CellFormat() == CellFormatPieces) word = ReplaceChar(word, '~', ' ');
        if (mOptions.Capitalize && !word.empty()) word[0] = mCrossword.Dictionary.ToUpperLetter(word[0]);
        return word;
    }

    // The definition (MissingClue when there is none), with its length when asked.
    std::string Clue(int slot) const {
        const TCrosswordWords& words = mCrossword.Words;
        std::string clue(mOptions.MissingClue);
        if (words.SlotFilled(slot) && words.SlotHasDefinition(slot)) {
            const std::string_view stored = words.SlotDefinition(slot);
            clue = TrimBlanks(mOptions.Markup ? mCrossword.FormatDefinition(stored, true).Text : std::string(stored));
        }
        if (mOptions.Lengths) clue += " (" + std::to_string(words.WordLength(slot)) + ").";
        return clue;
    }

private:
    const TCrossword& mCrossword;
    const TClueListOptions& mOptions;
    int mCounter = 0;
};

}  // namespace

std::string TCrossword::BuildClueText(const TClueListOptions& options) const {
    const std::string separator = Separator(options);
    std::string across(NormalText), down(NormalText);
    TEntryWriter writer(*this, options);
    for (const int slot : ListedWords(options.Order)) {
        const std::string entry = writer.NumberPart(slot) + writer.Answer(slot) + (options.Dot ? ". " : "") + separator;
        (options.SplitDirections && InDownList(Words.WordPath(slot)) ? down : across) += entry;
    }
    std::string text = JoinDirectionClues(options, across, separator, down);
    const std::string keyword = KeywordText();
    if (!keyword.empty() && !Template->KeyWordCellLook.NoPaint && Template->KeyWordAllowed)
        text += "\r\n\r\n~#1" + std::string("Ключевое слово:"_cp) + "~#2 " + keyword + separator;
    return text;
}

std::string TCrossword::BuildCluePages(const TClueListOptions& options, bool withAnswers) const {
    const std::string separator = Separator(options);
    std::string across(NormalText), down(NormalText);
    TEntryWriter writer(*this, options);
    for (const int slot : ListedWords(options.Order)) {
        std::string entry = writer.NumberPart(slot);
        if (withAnswers) entry += writer.Answer(slot) + " - ";
        entry += writer.Clue(slot) + separator;
        (options.SplitDirections && InDownList(Words.WordPath(slot)) ? down : across) += entry;
    }
    return JoinDirectionClues(options, across, separator, down);
}

std::string TCrossword::BuildDirectionClues(const TClueListOptions& options) const {
    const std::string separator = Separator(options);
    const TEntryWriter writer(*this, options);
    // One group per row (mode 0) or column (mode 1), its clues separated by "/".
    const auto part = [&](int mode, uint8_t alphabet) {
        std::string text, group;
        int line = -1;
        const auto close = [&] {
            if (line < 0) return;
            if (!group.empty() && group.back() == '/') group.pop_back();
            text += group + separator;
        };
        for (const int slot : SlotsByLine(mode)) {
            const int slotLine = mode == 0 ? Words.WordY(slot) : Words.WordX(slot);
            if (slotLine != line) {
                close();
                line = slotLine;
                group.clear();
                if (options.Numbers)
                    group = std::string(EmphasizedText) + Dictionary.ToUpperText(LabelText(line + 1, alphabet)) +
                            (options.Dot ? ". " : " ") + std::string(NormalText);
            }
            group += writer.Clue(slot) + "/";
        }
        close();
        return text;
    };
    return JoinDirectionClues(options, part(0, Output.RowLabels), separator, part(1, Output.ColumnLabels));
}

std::string TCrossword::JoinDirectionClues(const TClueListOptions& options, std::string_view across,
                                           std::string_view separator, std::string_view down) const {
    if (!options.Headings || !options.SplitDirections) return std::string(across) + std::string(down);
    std::string text;
    text += EmphasizedText;
    text += "По горизонтали:"_cp;
    text += NormalText;
    text += separator;
    text += across;
    text += "\r\n";
    text += EmphasizedText;
    text += "По вертикали:"_cp;
    text += NormalText;
    text += separator;
    text += down;
    return text;
}

// --- definitions ---

bool TCrossword::PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                                const TDefinitionChoice& choice) const {
    text.clear();
    TOpredelenia alternatives;
    alternatives.SplitDefinitions(definitions);
    if (choice.PreferPictures) {
        for (const int i : RandomOrder(alternatives.Count())) {
            std::string alternative = WithoutPrefix(alternatives.Item(i));
            if (FormatDefinition(alternative, applyCase).Picture) {
                text = std::move(alternative);
                return true;
            }
        }
    }
    for (const int i : RandomOrder(alternatives.Count())) {
        std::string plain = WithoutPrefix(alternatives.Item(i));
        if (CluesInGrid == 1) plain = FormatDefinition(plain, applyCase).Text;
        if (!choice.LimitLength || plain.size() <= choice.MaxLength) {
            text = std::move(plain);
            return true;
        }
    }
    return false;
}

TDefinitionMarkup TCrossword::FormatDefinition(std::string_view definition, bool applyCase) const {
    while (definition.ends_with("\r\n")) definition.remove_suffix(2);
    TDefinitionMarkup markup;
    markup.Format = OprFormat;
    TMarkupReader reader(definition, markup);
    TMarkupReader::TStep step = TMarkupReader::TStep::Next;
    while (step == TMarkupReader::TStep::Next && reader.AtCode()) step = reader.ReadCode();
    if (step == TMarkupReader::TStep::Cut) {
        markup.Text = definition;
        markup.Position = 0;
        return markup;
    }
    markup.Text = reader.Rest();
    if (applyCase && Dictionary.Count() > 0) {
        if (markup.Format.CaseMode == 1) markup.Text = Dictionary.ToUpperText(markup.Text);
        if (markup.Format.CaseMode == 2) markup.Text = Dictionary.ToLowerText(markup.Text);
    }
    return markup;
}
