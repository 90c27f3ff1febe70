#include "ShablonWords.h"

std::string TShablonWords::MakeEntry(int x, int y, int length, std::string_view path) {
    std::string entry;
    entry.reserve(3 + path.size());
    entry += SmallNumberChar(length);
    entry += SmallNumberChar(x);
    entry += SmallNumberChar(y);
    entry += path;
    return entry;
}

void TShablonWords::AddWord(int x, int y, int length, std::string_view path) {
    mItems.push_back(MakeEntry(x, y, length, path));
    ++mGeneration;
}

void TShablonWords::ReplaceWord(int index, int x, int y, int length, std::string_view path) {
    mItems[index] = MakeEntry(x, y, length, path);
    ++mGeneration;
}

std::string_view TShablonWords::WordPath(int i) const {
    const std::string& entry = mItems[i];
    const int length = WordLength(i);
    if (entry.size() <= 3 || length < 2) return {};
    return std::string_view(entry).substr(3, static_cast<std::size_t>(length - 1));
}

int TShablonWords::CharValue(int i, std::size_t pos) const {
    const std::string& entry = mItems[i];
    return pos < entry.size() ? SmallNumberOf(entry[pos]) : 0;
}
