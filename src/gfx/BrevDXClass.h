#pragma once

// The controls the game draws on its own screen: picture buttons, a check box and selectors.
// TBrevDXClass is their common base: a position, a state and the surfaces images come from.

#include "SurfaceCollection.h"

#include <cstdint>

enum class TControlState : uint8_t {
    Normal = 0,
    Pressed = 1,
    Disabled = 2,
};

enum class TControlKind : uint8_t {
    Button = 0,
    CheckBox = 2,
    Selector = 3,
};

class TBrevDXClass {
public:
    explicit TBrevDXClass(TControlKind kind) : mKind(kind) {}
    virtual ~TBrevDXClass() = default;
    TBrevDXClass(const TBrevDXClass&) = delete;
    TBrevDXClass& operator=(const TBrevDXClass&) = delete;

    TControlKind Kind() const { return mKind; }
    TControlState State() const { return mState; }
    virtual void SetState(TControlState state) { mState = state; }

    // Answers whether (x, y) hits the control; a hit may change the control (a check box
    // toggles, a selector steps on).
    virtual bool HitTest(int x, int y) = 0;
    // Draws the control onto target, moved by (dx, dy).
    virtual void Draw(TDirectDrawSurface& target, int dx, int dy) const = 0;

    // Where images come from; not owned, may be null (the control then draws no image).
    const TSurfaceSortCollection* Surfaces = nullptr;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;

private:
    TControlKind mKind;
    TControlState mState = TControlState::Normal;
};
