#include "CrosswordFactory.h"

#include "ClassicCrossword.h"

#include <array>
#include <utility>

namespace {

std::array<TCrosswordMaker, CrosswordKindCount>& Makers() {
    static std::array<TCrosswordMaker, CrosswordKindCount> makers = [] {
        std::array<TCrosswordMaker, CrosswordKindCount> all;
        all[static_cast<int>(TCrosswordKind::Classic)] = [] { return std::make_unique<TClassicCrossword>(); };
        return all;
    }();
    return makers;
}

// The crossword kind of a template kind: 0-3 map to themselves, 4 has none, 5-18 map to 4-17.
int CrosswordKindOfTemplate(int templateKind) {
    if (templateKind >= 0 && templateKind <= 3) return templateKind;
    if (templateKind >= 5 && templateKind < ShablonKindCount) return templateKind - 1;
    return -1;
}

}  // namespace

std::unique_ptr<TCrossword> CreateCrossword(int code, TKindCode by) {
    const int kind = by == TKindCode::Template ? CrosswordKindOfTemplate(code) : code;
    if (kind < 0 || kind >= CrosswordKindCount || !Makers()[kind]) return nullptr;
    try {
        return Makers()[kind]();
    } catch (...) {
        return nullptr;
    }
}

TCrosswordMaker RegisterCrosswordKind(TCrosswordKind kind, TCrosswordMaker maker) {
    return std::exchange(Makers()[static_cast<int>(kind)], std::move(maker));
}
