#pragma once

// TLineShablon: the strip scanword's template (kind 5). Exactly two rows whose cells of one column
// are letter cells together; the crossword cuts each row into words of its own, so the template
// holds no slots and no numbers. Its text is the classic one, a classic text being taken too.
// The strip is drawn as one row: its upper row.

#include "template/Shablon.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TLineShablon : public TShablon {
public:
    static constexpr int Rows = 2;

    TLineShablon(int width, int height);

    int GetWordLayout() const override { return 1; }
    // Two rows whatever height is asked.
    void SetHeight(int height) override;
    // Both cells of column x, and of its mirror column when mirroring left-right.
    void SetLetterCell(int x, int y, bool on) override;
    void WordsThroughCell(int x, int y, TShablonWords& words) const override { words.Clear(); }
    // A text of another height sets rows 0 and 1 only; a truncated one is refused unread.
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    void NumberCells() override {}
    int GetPixelHeight() const override;
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    // The cells of the upper row within the used columns.
    void BuildExport(TComExport& list) override;
};

// While it lives, the lower row of a strip reads as no cells at all, so that the picture's
// exports, which walk the used area, see the upper row alone.
class TUpperRowOnly {
public:
    explicit TUpperRowOnly(TShablon& shablon);
    ~TUpperRowOnly();
    TUpperRowOnly(const TUpperRowOnly&) = delete;
    TUpperRowOnly& operator=(const TUpperRowOnly&) = delete;

private:
    TShablon& mShablon;
    std::vector<TShablonCell> mLower;
};
