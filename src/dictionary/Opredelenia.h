#pragma once

// A definition split into its alternatives ("; " separates them in the stored text).

#include <string>
#include <string_view>
#include <vector>

class TOpredelenia {
public:
    int Count() const { return static_cast<int>(mItems.size()); }
    const std::string& Item(int i) const { return mItems[i]; }
    void Clear() { mItems.clear(); }
    // Appends every non-empty part of text between "; " separators that is not held yet,
    // compared without regard to letter case.
    void SplitDefinitions(std::string_view text);
    // The alternatives joined with "; ".
    std::string JoinDefinitions() const;

private:
    std::vector<std::string> mItems;
};
