#include "Progress.h"

#include "Ui.h"

#include <climits>

TfmProgress::~TfmProgress() {
    if (mShown) TheUi().HideProgress();
}

void TfmProgress::Start(std::string_view text, int maximum) {
    mText = text;
    mPosition = 0;
    mMaximum = maximum;
    mShown = true;
    TheUi().ShowProgress(mText, mPosition, mMaximum);
}

void TfmProgress::Advance(int n) {
    const long long target = static_cast<long long>(mPosition) + n;
    long long maximum = mMaximum;
    // Doubling until the position fits keeps the bar inside its range even for a step of
    // more than the maximum; a maximum of 0 would never grow, so it starts from 1.
    if (target > maximum && maximum < 1) maximum = 1;
    while (target > maximum && maximum < INT_MAX) maximum *= 2;
    mMaximum = static_cast<int>(maximum > INT_MAX ? INT_MAX : maximum);
    mPosition = static_cast<int>(target > INT_MAX ? INT_MAX : target < 0 ? 0 : target);
    mShown = true;
    TheUi().ShowProgress(mText, mPosition, mMaximum);
    TheUi().ProcessMessages();
}
