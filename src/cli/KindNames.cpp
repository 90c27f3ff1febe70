#include "KindNames.h"

namespace {

const TKindName Names[] = {
    {"classic", TShablonKind::Classic, TCrosswordKind::Classic},
    {"estonian", TShablonKind::Estonish, TCrosswordKind::Estonish},
    {"american", TShablonKind::American, TCrosswordKind::American},
    {"scanword", TShablonKind::Skanword, TCrosswordKind::Skanword},
    {"scanword2", TShablonKind::Skanword2, TCrosswordKind::Skanword2},
    {"scanword3", TShablonKind::Skanword3, TCrosswordKind::Skanword3},
};

}  // namespace

std::span<const TKindName> AllKindNames() {
    return Names;
}

const TKindName* FindKindName(std::string_view name) {
    for (const TKindName& kind : Names)
        if (name == kind.Name) return &kind;
    return nullptr;
}

const TKindName* KindNameOf(TShablonKind kind) {
    for (const TKindName& entry : Names)
        if (entry.Template == kind) return &entry;
    return nullptr;
}

const TKindName* KindNameOf(TCrosswordKind kind) {
    for (const TKindName& entry : Names)
        if (entry.Crossword == kind) return &entry;
    return nullptr;
}

std::string KindLabel(int templateKind) {
    const TKindName* name = templateKind >= 0 && templateKind < ShablonKindCount
                                ? KindNameOf(static_cast<TShablonKind>(templateKind))
                                : nullptr;
    return name ? std::string(name->Name) : "kind " + std::to_string(templateKind);
}

std::string KindNameList() {
    std::string list;
    for (const TKindName& kind : Names) {
        if (!list.empty()) list += ", ";
        list += kind.Name;
    }
    return list;
}
