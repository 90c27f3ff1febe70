#include "Mask.h"

#include "CellFormat.h"

#include <algorithm>

namespace {

bool IsPiecesMode(uint8_t mode) {
    return mode == CellFormatPieces || mode == CellFormatPiecesWithFragments;
}

// The byte range of piece i of a "~"-separated text; npos start when there is no such piece.
std::pair<std::size_t, std::size_t> PieceRange(std::string_view text, int i) {
    std::size_t start = 0;
    for (int k = 0; k < i; ++k) {
        const std::size_t tilde = text.find('~', start);
        if (tilde == std::string_view::npos) return {std::string_view::npos, 0};
        start = tilde + 1;
    }
    const std::size_t end = std::min(text.find('~', start), text.size());
    return {start, end};
}

}  // namespace

int TMask::CellCount() const {
    return CellCountOf(mText, mMode);
}

std::string TMask::CellText(int i) const {
    if (i < 0 || i >= CellCount()) return {};
    if (IsSingleCharFormat(mMode)) return std::string(1, mText[i]);
    if (mMode == CellFormatPairs) return mText.substr(2 * i, 2);
    const auto [start, end] = PieceRange(mText, i);
    return mText.substr(start, end - start);
}

bool TMask::IsUnknown(int i) const {
    if (i < 0 || i >= CellCount()) return true;
    if (IsSingleCharFormat(mMode)) return mText[i] == ' ';
    if (mMode == CellFormatPairs) return mText.compare(2 * i, 2, "  ") == 0;
    const auto [start, end] = PieceRange(mText, i);
    return end == start || (end - start == 1 && mText[start] == ' ');
}

void TMask::SetCell(int i, std::string_view text) {
    if (i < 0 || mMode > LastCellFormat) return;  // modes without cells hold nothing
    if (i >= CellCount()) Resize(i + 1);
    if (IsSingleCharFormat(mMode)) {
        mText[i] = text.empty() ? ' ' : text[0];
    } else if (mMode == CellFormatPairs) {
        std::string pair(text.substr(0, 2));
        pair.resize(2, ' ');
        mText.replace(2 * i, 2, pair);
    } else {
        const auto [start, end] = PieceRange(mText, i);
        mText.replace(start, end - start, text);
    }
}

void TMask::ClearCell(int i) {
    SetCell(i, mMode == CellFormatPairs ? "  " : " ");
}

void TMask::Resize(int n) {
    n = std::max(n, 0);
    const int count = CellCount();
    if (n == count) return;
    if (IsSingleCharFormat(mMode)) {
        mText.resize(n, ' ');
    } else if (mMode == CellFormatPairs) {
        mText.resize(2 * std::min(n, count));
        mText.resize(2 * n, ' ');
    } else if (IsPiecesMode(mMode)) {
        if (n < count) {
            mText.resize(n == 0 ? 0 : PieceRange(mText, n).first - 1);
        } else {
            if (mText.empty()) mText = " ";
            for (int k = CellCount(); k < n; ++k) mText += "~ ";
        }
    }
}

bool TMask::Matches(std::string_view word) const {
    const int count = CellCount();
    if (IsSingleCharFormat(mMode)) {
        if (word.size() != static_cast<std::size_t>(count)) return false;
        for (int i = 0; i < count; ++i)
            if (mText[i] != ' ' && mText[i] != word[i]) return false;
        return true;
    }
    if (mMode == CellFormatPairs) {
        if (word.size() % 2 != 0 || word.size() / 2 != static_cast<std::size_t>(count)) return false;
        for (int i = 0; i < count; ++i)
            if (!IsUnknown(i) && mText.compare(2 * i, 2, word.substr(2 * i, 2)) != 0) return false;
        return true;
    }
    if (IsPiecesMode(mMode)) {
        if (CellCountOf(word, mMode) != count) return false;
        std::size_t maskAt = 0;
        std::size_t wordAt = 0;
        for (int i = 0; i < count; ++i) {
            const std::size_t maskEnd = std::min(mText.find('~', maskAt), mText.size());
            const std::size_t wordEnd = std::min(word.find('~', wordAt), word.size());
            const std::string_view cell = std::string_view(mText).substr(maskAt, maskEnd - maskAt);
            if (!cell.empty() && cell != " " && cell != word.substr(wordAt, wordEnd - wordAt)) return false;
            maskAt = maskEnd + 1;
            wordAt = wordEnd + 1;
        }
        return true;
    }
    return false;
}
