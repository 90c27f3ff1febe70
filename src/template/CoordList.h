#pragma once

// TCoordList: an ordered list of distinct cell positions, each with its own list of short
// texts (tags). A tag conventionally begins with the two bytes of a cell position; the outline
// tracer and some kinds use the tags to remember which cell sides they have already visited.

#include "Coord.h"

#include <string>
#include <string_view>
#include <vector>

class TCoordList {
public:
    // Finds or appends (x, y) and adds text to its tags unless already there.
    void AddTag(int x, int y, std::string_view text);
    // The index of (x, y); -1 if absent.
    int IndexOfCell(int x, int y) const;
    // The first item holding the tag chr(x) chr(y) + text; with exact every item qualifies,
    // otherwise only items at most one column and one row away from (x, y). -1 if none.
    int FindTag(int x, int y, std::string_view text, bool exact) const;

    int Count() const { return static_cast<int>(mItems.size()); }
    int X(int i) const { return mItems[i].cell.x; }
    int Y(int i) const { return mItems[i].cell.y; }
    const std::vector<std::string>& Tags(int i) const { return mItems[i].tags; }
    void Delete(int i) { mItems.erase(mItems.begin() + i); }
    void Clear() { mItems.clear(); }

private:
    struct Item {
        TCell cell;
        std::vector<std::string> tags;
    };
    std::vector<Item> mItems;
};
