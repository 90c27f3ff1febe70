#include "Shablon.h"

#include "Coord.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <utility>

std::array<std::string, ShablonKindCount> KindNames;

namespace {

constexpr int LongestCountedWord = 25;  // longer slots are marked and share one statistics line
constexpr const char* LineEnd = "\r\n";

}  // namespace

void TShablon::CheckTemplate() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) Marks[Index(x, y)] = 0;

    if (GetWordLayout() == 1) {
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y) {
                const auto letterAt = [&](int cx, int cy) { return !IsOutside(cx, cy) && IsLetterCell(cx, cy); };
                if (letterAt(x, y) && !letterAt(x - 1, y) && !letterAt(x, y - 1) && !letterAt(x + 1, y) &&
                    !letterAt(x, y + 1))
                    Marks[Index(x, y)] |= DefectMark::NoSlot;
            }
        return;
    }

    TShablonWords slots;
    TShablonWords crossing;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (!IsLetterCell(x, y)) continue;
            WordsThroughCell(x, y, slots);
            if (slots.Count() == 0) {
                Marks[Index(x, y)] |= DefectMark::NoSlot;
                continue;
            }
            for (int i = 0; i < slots.Count(); ++i) {
                if (slots.WordX(i) != x || slots.WordY(i) != y) continue;
                const TCoord cells(x, y, slots.WordPath(i), Width, Height);
                const int n = cells.Count();
                int k = 0;
                for (const TCell& cell : cells.Cells()) {
                    WordsThroughCell(cell.x, cell.y, crossing);
                    if (crossing.Count() > 1) ++k;
                }
                uint16_t marks = 0;
                if (k < 2) marks |= DefectMark::FewCrossings;
                if (5 * k < 2 * n) marks |= DefectMark::LowCrossings;  // k / n < 0.4
                if (n > LongestCountedWord) marks |= DefectMark::Over25;
                if (n < MinWordLength) marks |= DefectMark::TooShort;
                if (n > MaxWordLength) marks |= DefectMark::TooLong;
                for (const TCell& cell : cells.Cells()) Marks[Index(cell.x, cell.y)] |= marks;
            }
        }
}

void TShablon::MarkInnerBlanks() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            if (!IsLetterCell(x, y)) SetInnerBlank(x, y, true);

    const auto isFree = [&](int x, int y) { return !IsLetterCell(x, y) && !IsClueCell(x, y); };
    std::vector<std::pair<int, int>> stack;
    // Scan-line flood from one border cell: clears the flag of every free cell it reaches.
    const auto fillFrom = [&](int seedX, int seedY) {
        if (!isFree(seedX, seedY) || !IsInnerBlank(seedX, seedY)) return;
        stack.push_back({seedX, seedY});
        while (!stack.empty()) {
            auto [x, y] = stack.back();
            stack.pop_back();
            if (!isFree(x, y) || !IsInnerBlank(x, y)) continue;
            while (x >= 0 && isFree(x, y)) --x;
            ++x;
            bool stretchAbove = false;
            bool stretchBelow = false;
            for (; x <= Width - 1 && isFree(x, y); ++x) {
                SetInnerBlank(x, y, false);
                if (y > 0) {
                    const bool free = isFree(x, y - 1);
                    if (free && !stretchAbove) stack.push_back({x, y - 1});
                    stretchAbove = free;
                }
                if (y < Height - 1) {
                    const bool free = isFree(x, y + 1);
                    if (free && !stretchBelow) stack.push_back({x, y + 1});
                    stretchBelow = free;
                }
            }
        }
    };
    for (int x = 0; x < Width; ++x) {
        fillFrom(x, 0);
        fillFrom(x, Height - 1);
    }
    for (int y = 0; y < Height; ++y) {
        fillFrom(0, y);
        fillFrom(Width - 1, y);
    }
}

TMirror::TMirror(int x0, int y0, int x1, int y1, TMirrorAxes axes)
    : X0(std::max(x0, 0)), Y0(std::max(y0, 0)), X1(std::min(x1, TShablon::MaxSide - 1)),
      Y1(std::min(y1, TShablon::MaxSide - 1)),
      LeftRight((static_cast<int>(axes) & static_cast<int>(TMirrorAxes::Horizontal)) != 0),
      TopBottom((static_cast<int>(axes) & static_cast<int>(TMirrorAxes::Vertical)) != 0) {}

void TShablon::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    const TMirror m(x0, y0, x1, y1, axes);
    if (m.LeftRight)
        for (int c = m.X0; c < m.X(c); ++c)
            for (int y = m.Y0; y <= m.Y1; ++y) std::swap(Cells[Index(c, y)], Cells[Index(m.X(c), y)]);
    if (m.TopBottom)
        for (int r = m.Y0; r < m.Y(r); ++r)
            for (int x = m.X0; x <= m.X1; ++x) std::swap(Cells[Index(x, r)], Cells[Index(x, m.Y(r))]);
}

std::string TShablon::GetStatistics() const {
    std::array<int, LongestCountedWord + 1> byLength{};
    int longer = 0;
    int words = 0;
    int cells = 0;
    TShablonWords slots;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!IsLetterCell(x, y)) continue;
            ++cells;
            WordsThroughCell(x, y, slots);
            for (int i = 0; i < slots.Count(); ++i) {
                if (slots.WordX(i) != x || slots.WordY(i) != y) continue;
                ++words;
                const int length = slots.WordLength(i);
                if (length > LongestCountedWord)
                    ++longer;
                else if (length >= 2)
                    ++byLength[length];
            }
        }

    const int kind = static_cast<int>(Kind);
    std::string text = Format("Тип кроссворда - %s"_cp, kind < ShablonKindCount ? KindNames[kind] : "") + LineEnd;
    text += Format("Общее число слов в кроссворде - %d"_cp, words) + LineEnd;
    int total = 0;
    for (int length = 2; length <= LongestCountedWord; ++length) {
        if (byLength[length] == 0) continue;
        text += Format("Из %d букв -\t%d"_cp, length, byLength[length]) + LineEnd;
        total += length * byLength[length];
    }
    if (longer != 0) text += Format("Слов из более чем %d букв - %d"_cp, LongestCountedWord, longer) + LineEnd + LineEnd;
    text += Format("Общая длина всех слов - %d"_cp, total) + LineEnd;
    text += Format("Общее число рабочих клеток - %d"_cp, cells) + LineEnd;
    // Letter cells that no counted word covers (lone letters, words over 25 letters) outnumber
    // the crossings they hide: such a share is shown as none, never below it.
    const double crossings = total == 0 ? 0.0 : std::max(0.0, (total - cells) * 200.0 / total);
    char number[32];
    std::snprintf(number, sizeof number, "%3.2f", crossings);
    text += Format("Коэффициент пересечений - %s%%"_cp, number) + LineEnd;
    return text;
}
