#include "WordForms.h"

#include "ListText.h"

#include "platform/Text.h"

#include <algorithm>

namespace {

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (const std::string_view piece : SplitOn(line, ' '))
        if (!Trimmed(piece).empty()) fields.push_back(Trimmed(piece));
    return fields;
}

}  // namespace

void SuffixRules::Read(std::string_view utf8AffText, std::string_view flags) {
    mRules.clear();
    const std::string text = FromUtf8(utf8AffText);
    ForEachLine(text, [&](std::string_view line, int) {
        std::string tabless(line);
        std::replace(tabless.begin(), tabless.end(), '\t', ' ');
        const std::vector<std::string_view> f = Fields(tabless);
        // A rule line is "SFX flag strip add condition"; the header of a flag's rules has four fields.
        if (f.size() < 5 || f[0] != "SFX" || f[1].size() != 1 || flags.find(f[1][0]) == std::string_view::npos)
            return;
        Rule rule;
        rule.flag = f[1][0];
        rule.strip = f[2] == "0" ? "" : std::string(f[2]);
        const std::string_view add = f[3].substr(0, f[3].find('/'));  // continuation flags are not used
        rule.add = add == "0" ? "" : std::string(add);
        const std::string_view condition = f[4];
        for (std::size_t i = 0; i < condition.size(); ++i) {
            LetterSet position;
            if (condition[i] == '[') {
                const std::size_t close = condition.find(']', i);
                if (close == std::string_view::npos) return;
                std::string_view inside = condition.substr(i + 1, close - i - 1);
                position.negated = !inside.empty() && inside.front() == '^';
                if (position.negated) inside.remove_prefix(1);
                position.letters = inside;
                i = close;
            } else if (condition[i] != '.') {
                position.letters = condition.substr(i, 1);
            } else {
                position.negated = true;  // "." takes any letter
            }
            rule.condition.push_back(std::move(position));
        }
        mRules.push_back(std::move(rule));
    });
}

bool SuffixRules::Meets(std::string_view stem, const Rule& rule) {
    if (!stem.ends_with(rule.strip) || stem.size() < rule.condition.size()) return false;
    const std::string_view end = stem.substr(stem.size() - rule.condition.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        const bool listed = rule.condition[i].letters.find(end[i]) != std::string::npos;
        if (listed == rule.condition[i].negated) return false;
    }
    return true;
}

std::vector<std::string> SuffixRules::FormsOf(std::string_view stem, std::string_view flags) const {
    std::vector<std::string> forms{std::string(stem)};
    for (const Rule& rule : mRules) {
        if (flags.find(rule.flag) == std::string_view::npos || !Meets(stem, rule)) continue;
        std::string form = std::string(stem.substr(0, stem.size() - rule.strip.size())) + rule.add;
        if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(std::move(form));
    }
    return forms;
}
