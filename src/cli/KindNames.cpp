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

std::string KindNameList() {
    std::string list;
    for (const TKindName& kind : Names) {
        if (!list.empty()) list += ", ";
        list += kind.Name;
    }
    return list;
}
