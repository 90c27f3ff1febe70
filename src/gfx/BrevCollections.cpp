#include "BrevCollections.h"

namespace {

template <typename Items>
int IndexIn(const Items& items, std::string_view name) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].Name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

TBrevDXButton& TBrevButtonCollection::Add(std::string_view name, std::unique_ptr<TBrevDXButton> button) {
    TBrevDXButton& added = *button;
    mItems.push_back({std::string(name), std::move(button)});
    return added;
}

TBrevDXButton* TBrevButtonCollection::ButtonAt(int i) const {
    return i >= 0 && i < Count() ? mItems[i].Button.get() : nullptr;
}

int TBrevButtonCollection::IndexOfName(std::string_view name) const {
    return IndexIn(mItems, name);
}

bool TBrevButtonCollection::TickAll() {
    bool any = false;
    for (auto& item : mItems)
        if (item.Button->TickCountdown()) any = true;
    return any;
}

int TBrevButtonCollection::HitTest(int x, int y) {
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].Button->HitTest(x, y)) return static_cast<int>(i);
    return -1;
}

void TBrevButtonCollection::DrawAll(TDirectDrawSurface& target, int dx, int dy) const {
    for (const auto& item : mItems) item.Button->Draw(target, dx, dy);
}

TBrevDXClass* TBrevControlCollection::ControlAt(int i) const {
    return i >= 0 && i < Count() ? mItems[i].Control.get() : nullptr;
}

int TBrevControlCollection::IndexOfName(std::string_view name) const {
    return IndexIn(mItems, name);
}

TBrevSelector* TBrevControlCollection::FindSelector(std::string_view name) const {
    TBrevDXClass* control = ControlAt(IndexOfName(name));
    return control && control->Kind() == TControlKind::Selector ? static_cast<TBrevSelector*>(control) : nullptr;
}

TBrevCheckBox* TBrevControlCollection::FindCheckBox(std::string_view name) const {
    TBrevDXClass* control = ControlAt(IndexOfName(name));
    return control && control->Kind() == TControlKind::CheckBox ? static_cast<TBrevCheckBox*>(control) : nullptr;
}

int TBrevControlCollection::HitTest(int x, int y) {
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].Control->HitTest(x, y)) return static_cast<int>(i);
    return -1;
}

void TBrevControlCollection::DrawAll(TDirectDrawSurface& target, int dx, int dy) const {
    for (const auto& item : mItems) item.Control->Draw(target, dx, dy);
}
