#include "ShablonFactory.h"

#include "ClassicShablon.h"

#include <array>

namespace {

std::array<TShablonMaker, ShablonKindCount>& Makers() {
    static std::array<TShablonMaker, ShablonKindCount> makers = [] {
        std::array<TShablonMaker, ShablonKindCount> all;
        all[static_cast<int>(TShablonKind::Classic)] = [](int width, int height) {
            return std::make_unique<TClassicShablon>(width, height);
        };
        return all;
    }();
    return makers;
}

}  // namespace

std::unique_ptr<TShablon> CreateTemplate(int width, int height, int kind) {
    if (kind < 0 || kind >= ShablonKindCount || !Makers()[kind]) return nullptr;
    return Makers()[kind](width, height);
}

void RegisterTemplateKind(TShablonKind kind, TShablonMaker maker) {
    Makers()[static_cast<int>(kind)] = std::move(maker);
}
