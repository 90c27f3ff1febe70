#include "BrevDXButton.h"

std::array<std::string, 3> TBrevDXButton::SplitNames(std::string_view names) {
    std::array<std::string, 3> parts;
    for (auto& part : parts) {
        const std::size_t bar = names.find('|');
        part = names.substr(0, bar);
        names = bar == std::string_view::npos ? std::string_view() : names.substr(bar + 1);
    }
    return parts;
}

void TBrevDXButton::SetState(TControlState state) {
    mPrevState = State();
    TBrevDXClass::SetState(state);
}

bool TBrevDXButton::HitTest(int x, int y) {
    if (State() != TControlState::Normal || !Surfaces) return false;
    const TDirectDrawSurface* mask = Surfaces->Find(Masks[static_cast<int>(State())]);
    if (!mask) return false;
    const int mx = x - Left, my = y - Top;
    if (mx < 0 || my < 0 || mx >= mask->Width() || my >= mask->Height()) return false;
    return mask->Pixel(mx, my) != 0;
}

void TBrevDXButton::Draw(TDirectDrawSurface& target, int dx, int dy) const {
    if (!Surfaces) return;
    if (const TDirectDrawSurface* image = Surfaces->Find(Images[static_cast<int>(State())]))
        image->Draw(target, Left + dx, Top + dy, TBlit::Keyed);
}

void TBrevDXButton::Press() {
    SetState(TControlState::Pressed);
    Countdown = ClickTicks;
}

bool TBrevDXButton::TickCountdown() {
    if (Countdown <= 0) return false;
    if (--Countdown > 0) return false;
    // A button disabled (or enabled) while its countdown ran keeps the state it was given: only
    // a press that still shows completes as a click.
    if (State() != TControlState::Pressed) return false;
    SetState(TControlState::Normal);
    return true;
}

bool TBrevDXButton::Clicked() {
    const bool clicked = mPrevState == TControlState::Pressed && State() == TControlState::Normal;
    mPrevState = State();
    return clicked;
}
