#include "Find.h"

#include <algorithm>

namespace {
bool ByteLess(const std::string& a, const std::string& b) {
    return CompareBytes(a, b) < 0;
}
}  // namespace

std::string_view TFind::LineWord(int n) const {
    const std::string& line = mLines[n];
    return line.empty() ? std::string_view() : std::string_view(line).substr(1);
}

void TFind::Add(std::string line) {
    const auto at = std::upper_bound(mLines.begin(), mLines.end(), line, ByteLess);
    mLines.insert(at, std::move(line));
}

void TFind::Delete(int n) {
    if (n >= 0 && n < Count()) mLines.erase(mLines.begin() + n);
}

void TFind::Clear() {
    mLines.clear();
    mCounts[0] = mCounts[1] = mCounts[2] = 0;
}

void TFind::Sort() {
    std::stable_sort(mLines.begin(), mLines.end(), ByteLess);
}
