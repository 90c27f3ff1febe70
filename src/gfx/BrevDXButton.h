#pragma once

// TBrevDXButton: a picture button with an image and a hit mask per state. Its size is that of
// its pictures; a point hits where the mask's pixel is not black. A press shows the pressed
// image for a few frame ticks before the click completes.

#include "BrevDXClass.h"

#include <array>
#include <string>
#include <string_view>

class TBrevDXButton : public TBrevDXClass {
public:
    static constexpr int ClickTicks = 5;  // frame ticks between a press and its click

    TBrevDXButton() : TBrevDXClass(TControlKind::Button) {}

    // Image and mask names for the normal, pressed and disabled states, "N1|N2|N3"; missing
    // parts are empty.
    void SetImages(std::string_view names) { Images = SplitNames(names); }
    void SetMasks(std::string_view names) { Masks = SplitNames(names); }

    void SetState(TControlState state) override;
    // Hits only a normal button whose mask is present, where the mask is not black.
    bool HitTest(int x, int y) override;
    void Draw(TDirectDrawSurface& target, int dx, int dy) const override;

    // Shows the pressed state and starts the click countdown.
    void Press();
    // Counts one tick down; true in the tick the countdown runs out on a button still pressed
    // (which is then normal again). A button whose state changed meanwhile keeps it.
    bool TickCountdown();
    // True once after the countdown returned the button from pressed to normal.
    bool Clicked();

    std::array<std::string, 3> Images;
    std::array<std::string, 3> Masks;
    int Countdown = 0;

private:
    static std::array<std::string, 3> SplitNames(std::string_view names);

    TControlState mPrevState = TControlState::Normal;
};
