#include "CoordList.h"

#include <algorithm>
#include <cstdlib>

void TCoordList::AddTag(int x, int y, std::string_view text) {
    int i = IndexOfCell(x, y);
    if (i < 0) {
        mItems.push_back({TCell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)}, {}});
        i = Count() - 1;
    }
    auto& tags = mItems[i].tags;
    if (std::find(tags.begin(), tags.end(), text) == tags.end()) tags.emplace_back(text);
}

int TCoordList::IndexOfCell(int x, int y) const {
    const TCell wanted{static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].cell == wanted) return static_cast<int>(i);
    return -1;
}

int TCoordList::FindTag(int x, int y, std::string_view text, bool exact) const {
    std::string tag;
    tag += static_cast<char>(static_cast<uint8_t>(x));
    tag += static_cast<char>(static_cast<uint8_t>(y));
    tag += text;
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        const Item& item = mItems[i];
        if (!exact && (std::abs(item.cell.x - static_cast<uint8_t>(x)) > 1 ||
                       std::abs(item.cell.y - static_cast<uint8_t>(y)) > 1))
            continue;
        if (std::find(item.tags.begin(), item.tags.end(), tag) != item.tags.end()) return static_cast<int>(i);
    }
    return -1;
}
