#include "Kinds.h"

#include "crossword/CrosswordFactory.h"
#include "template/ShablonFactory.h"

#include <memory>

namespace {

template <class TKindShablon>
void RegisterTemplate(TShablonKind kind) {
    RegisterTemplateKind(kind, [](int width, int height) -> std::unique_ptr<TShablon> {
        return std::make_unique<TKindShablon>(width, height);
    });
}

template <class TKindCrossword>
void RegisterCrossword(TCrosswordKind kind) {
    RegisterCrosswordKind(kind, []() -> std::unique_ptr<TCrossword> { return std::make_unique<TKindCrossword>(); });
}

void RegisterAll() {
}

}  // namespace

void RegisterKinds() {
    static const bool registered = (RegisterAll(), true);
    (void)registered;
}
