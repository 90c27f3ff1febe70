#pragma once

// The buttons and the other controls of the current screen, each an ordered list of
// (name, control) that owns its controls. The order decides which control a point hits first
// and the drawing order.

#include "BrevCheckBox.h"
#include "BrevDXButton.h"
#include "BrevSelector.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TBrevButtonCollection {
public:
    // Adds button under name; answers it.
    TBrevDXButton& Add(std::string_view name, std::unique_ptr<TBrevDXButton> button);
    int Count() const { return static_cast<int>(mItems.size()); }
    // The button at i; null when i is out of range.
    TBrevDXButton* ButtonAt(int i) const;
    const std::string& NameAt(int i) const { return mItems[i].Name; }
    // The first index of name, or -1.
    int IndexOfName(std::string_view name) const;
    // The first button named name, or null.
    TBrevDXButton* Find(std::string_view name) const { return ButtonAt(IndexOfName(name)); }
    void Clear() { mItems.clear(); }

    // Counts down every button's click; true when any click completed in this tick.
    bool TickAll();
    // The first button hit by (x, y), or -1.
    int HitTest(int x, int y);
    void DrawAll(TDirectDrawSurface& target, int dx, int dy) const;

private:
    struct Item {
        std::string Name;
        std::unique_ptr<TBrevDXButton> Button;
    };
    std::vector<Item> mItems;
};

class TBrevControlCollection {
public:
    // Adds control under name; answers it.
    template <typename Control>
    Control& Add(std::string_view name, std::unique_ptr<Control> control);
    int Count() const { return static_cast<int>(mItems.size()); }
    // The control at i; null when i is out of range.
    TBrevDXClass* ControlAt(int i) const;
    const std::string& NameAt(int i) const { return mItems[i].Name; }
    // The first index of name, or -1.
    int IndexOfName(std::string_view name) const;
    // The first selector / check box named name, or null.
    TBrevSelector* FindSelector(std::string_view name) const;
    TBrevCheckBox* FindCheckBox(std::string_view name) const;
    void Clear() { mItems.clear(); }

    // The first control hit by (x, y), or -1; later controls are not asked, so one press
    // changes at most one control.
    int HitTest(int x, int y);
    void DrawAll(TDirectDrawSurface& target, int dx, int dy) const;

private:
    struct Item {
        std::string Name;
        std::unique_ptr<TBrevDXClass> Control;
    };
    std::vector<Item> mItems;
};

template <typename Control>
Control& TBrevControlCollection::Add(std::string_view name, std::unique_ptr<Control> control) {
    Control& added = *control;
    mItems.push_back({std::string(name), std::move(control)});
    return added;
}
