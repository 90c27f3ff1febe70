#include "BrevSelector.h"

TBrevSelector::TBrevSelector(int left, int top) : TBrevDXClass(TControlKind::Selector) {
    Left = left;
    Top = top;
}

std::string TBrevSelector::DisplayText() const {
    std::string text = "&";
    text += static_cast<char>('0' + StateColors[static_cast<int>(State())] % 10);
    text += Caption;
    if (ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size())) {
        text += ' ';
        text += Items[ItemIndex];
    }
    return text;
}

bool TBrevSelector::HitTest(int x, int y) {
    if (!Letters) return false;
    const std::string text = DisplayText();
    // The hit area is where Draw puts the text: centred on Top + Height / 2.
    const int height = Letters->TextHeight(text);
    const int top = Top + Height / 2 - height / 2;
    if (x < Left || y < top || x >= Left + Letters->TextWidth(text) || y >= top + height) return false;
    if (CycleOnClick && ++ItemIndex >= static_cast<int>(Items.size())) ItemIndex = 0;
    return true;
}

void TBrevSelector::Draw(TDirectDrawSurface& target, int dx, int dy) const {
    if (Visible && Letters)
        Letters->DrawText(target, Left + dx, Top + dy + Height / 2, DisplayText(), THorzAlign::Left, TVertAlign::Center);
}

void TBrevSelector::SetValue(std::string_view text) {
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (Items[i] == text) {
            ItemIndex = static_cast<int>(i);
            return;
        }
}

std::string TBrevSelector::Value() const {
    return ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size()) ? Items[ItemIndex] : std::string();
}
