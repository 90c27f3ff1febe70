#include "Thesaurus.h"

#include "ListText.h"

#include "platform/Text.h"

#include <charconv>

std::vector<ThesaurusEntry> ReadThesaurus(std::string_view utf8Text) {
    const std::string_view synonym = "(синоним)"_cp;
    const std::string_view similar = "(сходный термин)"_cp;
    std::vector<ThesaurusEntry> entries;
    const std::string text = FromUtf8(utf8Text);
    int meaningsLeft = 0;
    bool damaged = false;
    ForEachLine(text, [&](std::string_view line, int lineNumber) {
        if (lineNumber == 1 || damaged) return;  // the first line names the encoding
        const std::vector<std::string_view> fields = SplitOn(line, '|');
        if (meaningsLeft > 0) {
            --meaningsLeft;
            if (fields[0] != synonym && fields[0] != similar) return;
            std::vector<std::string> words;
            for (std::size_t i = 1; i < fields.size(); ++i)
                if (!Trimmed(fields[i]).empty()) words.emplace_back(Trimmed(fields[i]));
            entries.back().meanings.push_back(std::move(words));
            return;
        }
        // "headword|number of meanings"
        int count = 0;
        const std::string_view number = fields.size() == 2 ? fields[1] : std::string_view();
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), count);
        if (fields.size() != 2 || error != std::errc() || end != number.data() + number.size() || count < 0) {
            damaged = true;
            return;
        }
        entries.push_back({std::string(fields[0]), {}});
        meaningsLeft = count;
    });
    return entries;
}
