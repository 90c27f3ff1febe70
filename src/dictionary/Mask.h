#pragma once

// A mask: the known and unknown cells of a slot, in the text form of a cell format.
//   modes 0, 4: character i is cell i, " " unknown;
//   mode 1:     characters 2i, 2i+1 are cell i, "  " unknown;
//   modes 2, 3: the i-th piece between "~" separators, " " or empty unknown;
//   modes 5..255 hold no cells.

#include <cstdint>
#include <string>
#include <string_view>

class TMask {
public:
    // Mode 0 with no cells.
    TMask() = default;
    TMask(uint8_t mode, std::string_view text) : mMode(mode), mText(text) {}

    uint8_t Mode() const { return mMode; }
    void SetMode(uint8_t mode) { mMode = mode; }
    const std::string& Text() const { return mText; }
    void SetText(std::string text) { mText = std::move(text); }

    // The number of cells the text holds in this mode.
    int CellCount() const;
    // The text of cell i; empty when i >= CellCount.
    std::string CellText(int i) const;
    // True for an unknown cell and for every i >= CellCount.
    bool IsUnknown(int i) const;
    // Sets cell i, first growing the mask to i + 1 cells when needed. Modes 0/4 keep the
    // first character of text, mode 1 text padded or cut to two characters.
    void SetCell(int i, std::string_view text);
    // Makes cell i unknown.
    void ClearCell(int i);
    // Cuts the mask to n cells or pads it with unknown cells.
    void Resize(int n);
    // True when word has as many cells as the mask and equals every known cell.
    bool Matches(std::string_view word) const;

private:
    uint8_t mMode = 0;
    std::string mText;
};
