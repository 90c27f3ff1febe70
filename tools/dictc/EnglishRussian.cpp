#include "EnglishRussian.h"

#include "ListText.h"

#include "platform/Text.h"

#include <algorithm>
#include <set>

namespace {

// dictd writes offsets and lengths as base-64 numbers, most significant digit first.
bool DictdNumber(std::string_view digits, std::size_t& value) {
    static constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    value = 0;
    if (digits.empty() || digits.size() > 8) return false;
    for (const char c : digits) {
        const std::size_t d = Alphabet.find(c);
        if (d == std::string_view::npos) return false;
        value = value * 64 + d;
    }
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Where Mueller's entry body divides: homonyms ("_I", "_II"), parts of speech ("1.", "2.") and
// senses ("1)", "2)"), each standing after a blank.
enum class Mark { None, Homonym, PartOfSpeech, Sense };

Mark MarkAt(std::string_view body, std::size_t at, std::size_t& length) {
    if (at > 0 && !IsBlank(body[at - 1])) return Mark::None;
    std::size_t end = at;
    if (body[at] == '_') {
        ++end;
        while (end < body.size() && (body[end] == 'I' || body[end] == 'V' || body[end] == 'X')) ++end;
        if (end == at + 1 || (end < body.size() && !IsBlank(body[end]) && body[end] != '[')) return Mark::None;
        length = end - at;
        return Mark::Homonym;
    }
    while (end < body.size() && IsDigit(body[end])) ++end;
    if (end == at || end == body.size() || end - at > 2) return Mark::None;
    length = end - at + 1;
    if (body[end] == ')') return Mark::Sense;
    if (body[end] == '.' && (end + 1 == body.size() || IsBlank(body[end + 1]))) return Mark::PartOfSpeech;
    return Mark::None;
}

// The labels of a piece of Mueller text ("_n.", "_хим.") without "_" and ".", and the text without them.
std::string WithoutLabels(std::string_view text, std::vector<std::string>& labels) {
    std::string plain;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '_') {
            std::size_t end = at + 1;
            while (end < text.size() && (IsLatinLetter(text[end]) || IsRussianLetter(text[end]) || text[end] == '-'))
                ++end;
            if (end > at + 1 && end < text.size() && text[end] == '.') {
                labels.emplace_back(text.substr(at + 1, end - at - 1));
                at = end + 1;
                continue;
            }
        }
        plain += text[at++];
    }
    return plain;
}

// text without its bracketed parts: transcriptions "[...]", notes "(...)" and references "{...}".
std::string WithoutBrackets(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '[' || c == '(' || c == '{') {
            ++depth;
        } else if (c == ']' || c == ')' || c == '}') {
            depth = std::max(depth - 1, 0);
        } else if (depth == 0) {
            out += c;
        }
    }
    return out;
}

// The translations that open a sense: the groups up to the first that holds Latin letters
// (the examples begin there).
std::vector<std::vector<std::string>> Translations(std::string_view plainText) {
    std::vector<std::vector<std::string>> groups;
    const std::string text = WithoutBrackets(plainText);
    for (const std::string_view part : SplitOn(text, ';')) {
        if (std::any_of(part.begin(), part.end(), IsLatinLetter) || part.find('=') != std::string_view::npos) break;
        // "магазин, банк, мастерская и т. п." lists examples, not translations.
        if (part.find('.') != std::string_view::npos) continue;
        std::vector<std::string> items;
        for (const std::string_view piece : SplitOn(part, ',')) {
            std::string item(Trimmed(piece));
            std::replace(item.begin(), item.end(), '\n', ' ');
            while (item.find("  ") != std::string::npos) item.replace(item.find("  "), 2, " ");
            if (!item.empty()) items.push_back(std::move(item));
        }
        if (!items.empty()) groups.push_back(std::move(items));
    }
    return groups;
}

bool IsTechnical(const std::vector<std::string>& labels, const std::vector<std::string>& technicalLabels) {
    return std::any_of(labels.begin(), labels.end(), [&](const std::string& label) {
        return std::find(technicalLabels.begin(), technicalLabels.end(), label) != technicalLabels.end();
    });
}

// The part of speech a label names, or empty: Latin labels other than number marks name one.
std::string PartOfSpeechIn(const std::vector<std::string>& labels) {
    for (const std::string& label : labels)
        if (IsLatinLetter(label[0]) && label != "pl" && label != "sg") return label;
    return {};
}

void ReadMuellerEntry(std::string_view entry, const std::vector<std::string>& technicalLabels,
                      const SenseVisitor& visit) {
    const std::size_t lineEnd = std::min(entry.find('\n'), entry.size());
    const std::string_view body = entry.substr(std::min(lineEnd + 1, entry.size()));
    TranslationSense sense;
    sense.english = Trimmed(entry.substr(0, lineEnd));
    // What the opening text of a homonym and of a part-of-speech block says holds for all their
    // senses: the part of speech, and a technical label.
    std::string homonymPart, blockPart;
    bool homonymTechnical = false, blockTechnical = false;
    std::size_t start = 0;
    Mark startMark = Mark::Homonym;  // the text before the first mark opens a homonym
    const auto emit = [&](std::size_t end) {
        std::vector<std::string> labels;
        const std::string plain = WithoutLabels(body.substr(start, end - start), labels);
        const std::string ownPart = PartOfSpeechIn(labels);
        const bool technical = IsTechnical(labels, technicalLabels);
        if (startMark == Mark::Homonym) {
            homonymPart = ownPart;
            homonymTechnical = technical;
        }
        if (startMark != Mark::Sense) {
            blockPart = ownPart.empty() ? homonymPart : ownPart;
            blockTechnical = homonymTechnical || technical;
        }
        sense.noun = (ownPart.empty() ? blockPart : ownPart) == "n";
        sense.technical = blockTechnical || technical;
        sense.groups = Translations(plain);
        sense.text = plain;
        visit(sense);
    };
    std::size_t at = 0;
    while (at < body.size()) {
        std::size_t length = 0;
        const Mark mark = MarkAt(body, at, length);
        if (mark == Mark::None) {
            ++at;
            continue;
        }
        emit(at);
        startMark = mark;
        at += length;
        start = at;
    }
    emit(body.size());
}

}  // namespace

std::vector<std::string_view> DictdEntries(std::string_view indexText, std::string_view dictText) {
    std::vector<std::string_view> entries;
    std::set<std::size_t> seen;
    ForEachLine(indexText, [&](std::string_view line, int) {
        const std::vector<std::string_view> fields = SplitOn(line, '\t');
        std::size_t offset = 0;
        std::size_t length = 0;
        if (fields.size() != 3 || fields[0].starts_with("00") || fields[0].starts_with("_") ||
            !DictdNumber(fields[1], offset) || !DictdNumber(fields[2], length) || offset > dictText.size() ||
            length > dictText.size() - offset || !seen.insert(offset).second)
            return;
        entries.push_back(dictText.substr(offset, length));
    });
    return entries;
}

void ForEachMuellerSense(const std::vector<std::string_view>& entries,
                         const std::vector<std::string>& technicalLabels, const SenseVisitor& visit) {
    for (const std::string_view entry : entries) ReadMuellerEntry(FromUtf8(entry), technicalLabels, visit);
}

void ForEachFreeDictSense(const std::vector<std::string_view>& entries, const SenseVisitor& visit) {
    for (const std::string_view utf8Entry : entries) {
        const std::string entry = FromUtf8(utf8Entry);
        TranslationSense sense;
        sense.noun = true;
        ForEachLine(entry, [&](std::string_view line, int lineNumber) {
            if (lineNumber == 1) {
                // "house /haʊs/": the headword, then its transcription.
                sense.english = Trimmed(line.substr(0, line.find(" /")));
                return;
            }
            std::size_t digits = 0;
            while (digits < line.size() && IsDigit(line[digits])) ++digits;
            if (digits > 0 && digits < line.size() && line[digits] == '.') line.remove_prefix(digits + 1);
            sense.text = Trimmed(line);
            sense.groups = Translations(sense.text);
            if (!sense.groups.empty()) visit(sense);
        });
    }
}
