#include "BrevCheckBox.h"

TBrevCheckBox::TBrevCheckBox(int left, int top, int width, int height) : TBrevDXClass(TControlKind::CheckBox) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

bool TBrevCheckBox::HitTest(int x, int y) {
    if (!Visible || State() != TControlState::Normal) return false;
    if (x < Left || y < Top || x >= Left + Width || y >= Top + Height) return false;
    Checked = !Checked;
    return true;
}

void TBrevCheckBox::Draw(TDirectDrawSurface& target, int dx, int dy) const {
    if (!Visible) return;
    const TDirectDrawSurface* box = Surfaces ? Surfaces->Find(Checked ? OnImage : OffImage) : nullptr;
    const int boxWidth = box ? box->Width() : 0;
    if (Letters) {
        std::string text = "&";
        text += static_cast<char>('0' + StateColors[static_cast<int>(State())] % 10);
        text += Caption;
        const int column = CaptionFirst ? Left + dx : Left + dx + boxWidth + 5;
        Letters->DrawText(target, column, Top + dy + Height / 2, text, THorzAlign::Left, TVertAlign::Center);
    }
    if (box) {
        const int column = CaptionFirst ? Left + dx + Width - boxWidth : Left + dx;
        box->Draw(target, column, Top + dy + (Height - box->Height()) / 2, TBlit::Keyed);
    }
}
