#pragma once

// Fragment values of a pieces dictionary (cell format 3): the value the export draws for a
// cell text. Text form: fragment ";*" value ";*" for each pair.

#include <string>
#include <string_view>
#include <vector>

class TFragments {
public:
    int Count() const { return static_cast<int>(mItems.size()); }
    void AddFragment(std::string_view fragment, std::string_view value);
    // The first pair with this fragment; -1 when absent.
    int IndexOfFragment(std::string_view fragment) const;
    const std::string& FragmentText(int i) const { return mItems[i].fragment; }
    const std::string& FragmentValue(int i) const { return mItems[i].value; }
    void SetFragmentText(int i, std::string_view text) { mItems[i].fragment = text; }
    void SetFragmentValue(int i, std::string_view value) { mItems[i].value = value; }
    void Clear() { mItems.clear(); }
    std::string AsText() const;
    // Clears, then reads pairs until the text is used up. False when the text ends inside a
    // pair; the pairs read before stay.
    bool LoadFromText(std::string_view text);

private:
    struct Pair {
        std::string fragment;
        std::string value;
    };
    std::vector<Pair> mItems;
};
