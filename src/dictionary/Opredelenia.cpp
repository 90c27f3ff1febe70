#include "Opredelenia.h"

#include "LetterCase.h"

#include <algorithm>

namespace {
constexpr std::string_view Separator = "; ";
}

void TOpredelenia::SplitDefinitions(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(Separator, start), text.size());
        const std::string_view part = text.substr(start, end - start);
        if (!part.empty()) {
            const std::string key = LowerText(part);
            const bool held = std::any_of(mItems.begin(), mItems.end(),
                                          [&](const std::string& item) { return LowerText(item) == key; });
            if (!held) mItems.emplace_back(part);
        }
        start = end + Separator.size();
    }
}

std::string TOpredelenia::JoinDefinitions() const {
    std::string out;
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        if (i > 0) out += Separator;
        out += mItems[i];
    }
    return out;
}
