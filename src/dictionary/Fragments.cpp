#include "Fragments.h"

namespace {
constexpr std::string_view Separator = ";*";
}

void TFragments::AddFragment(std::string_view fragment, std::string_view value) {
    mItems.push_back({std::string(fragment), std::string(value)});
}

int TFragments::IndexOfFragment(std::string_view fragment) const {
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].fragment == fragment) return static_cast<int>(i);
    return -1;
}

std::string TFragments::AsText() const {
    std::string out;
    for (const Pair& pair : mItems) {
        out += pair.fragment;
        out += Separator;
        out += pair.value;
        out += Separator;
    }
    return out;
}

bool TFragments::LoadFromText(std::string_view text) {
    mItems.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t fragmentEnd = text.find(Separator, at);
        if (fragmentEnd == std::string_view::npos) return false;
        const std::size_t valueStart = fragmentEnd + Separator.size();
        const std::size_t valueEnd = text.find(Separator, valueStart);
        if (valueEnd == std::string_view::npos) return false;
        AddFragment(text.substr(at, fragmentEnd - at), text.substr(valueStart, valueEnd - valueStart));
        at = valueEnd + Separator.size();
    }
    return true;
}
