#include "Find.h"

#include "platform/Clock.h"

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

bool TFind::DrawWord(std::string& word) {
    for (const char category : {'0', '1'}) {
        const auto inCategory = [category](const std::string& line) {
            return !line.empty() && line.front() == category;
        };
        int pick = static_cast<int>(std::count_if(mLines.begin(), mLines.end(), inCategory));
        if (pick == 0) continue;
        pick = RandomInt(pick);
        for (int i = 0; i < Count(); ++i)
            if (inCategory(mLines[i]) && pick-- == 0) {
                word = std::string(LineWord(i));
                Delete(i);
                return true;
            }
    }
    return false;
}
