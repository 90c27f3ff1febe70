#pragma once

// TBrevCheckBox: a caption and a box image ("CHECKON" / "CHECKOFF") that toggles on a click
// anywhere in its rectangle.

#include "BrevDXClass.h"
#include "LettersCollection.h"

#include <array>
#include <string>

class TBrevCheckBox : public TBrevDXClass {
public:
    TBrevCheckBox(int left, int top, int width, int height);

    // A hit on a visible, normal check box toggles it.
    bool HitTest(int x, int y) override;
    // The caption vertically centred in the rectangle and the box image at its other end.
    void Draw(TDirectDrawSurface& target, int dx, int dy) const override;

    std::array<uint8_t, 3> StateColors{};  // the caption's glyph set in each state
    const TLettersCollection* Letters = nullptr;  // not owned; no caption without it
    bool Checked = false;
    std::string Caption;
    bool CaptionFirst = true;  // caption at the left, box at the right end
    std::string OnImage = "CHECKON";
    std::string OffImage = "CHECKOFF";
};
