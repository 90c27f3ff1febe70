#include "CharsCount.h"

#include <algorithm>

namespace {

// Byte order, as unsigned characters.
bool LetterBefore(std::string_view a, std::string_view b) {
    return a.compare(b) < 0;
}

}  // namespace

void TCharsCount::AddCount(std::string_view letter, int k) {
    const auto at = std::lower_bound(mItems.begin(), mItems.end(), letter,
                                     [](const Item& item, std::string_view l) { return LetterBefore(item.letter, l); });
    if (at != mItems.end() && at->letter == letter) {
        at->count += k;
        return;
    }
    mItems.insert(at, Item{k, 0, std::string(letter)});
}

int TCharsCount::IndexOf(std::string_view letter) const {
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].letter == letter) return static_cast<int>(i);
    return -1;
}
