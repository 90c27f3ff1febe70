#pragma once

// TBrevSelector: a caption followed by the chosen item of a list of texts; each click on the
// text steps to the next item, wrapping round to the first.

#include "BrevDXClass.h"
#include "LettersCollection.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TBrevSelector : public TBrevDXClass {
public:
    TBrevSelector(int left, int top);

    // The caption in the state's glyph set, then a blank and the chosen item when there is one.
    std::string DisplayText() const;
    // A point on the display text as Draw places it hits (whatever the state); the hit steps to
    // the next item.
    bool HitTest(int x, int y) override;
    // The display text, left-aligned, vertically centred on Top + Height / 2.
    void Draw(TDirectDrawSurface& target, int dx, int dy) const override;
    // Chooses the first item equal to text; no such item keeps the choice.
    void SetValue(std::string_view text);
    // The chosen item, empty when none is chosen.
    std::string Value() const;

    std::array<uint8_t, 3> StateColors{};  // the text's glyph set in each state
    const TLettersCollection* Letters = nullptr;  // not owned; nothing is drawn or hit without it
    std::string Caption;
    std::vector<std::string> Items;
    int ItemIndex = 0;
    bool CycleOnClick = true;
};
