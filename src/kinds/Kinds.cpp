#include "Kinds.h"

#include "Circle.h"
#include "CircleShablon.h"

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
    RegisterTemplate<TCircleShablon>(TShablonKind::Circle);
    RegisterCrossword<TCircle>(TCrosswordKind::Circle);
}

}  // namespace

void RegisterKinds() {
    static const bool registered = (RegisterAll(), true);
    (void)registered;
}
