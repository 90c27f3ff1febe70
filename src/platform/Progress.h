#pragma once

// The progress window of long engine operations (reading a dictionary, exports). The
// operation that needs it creates it, drives it and destroys it; what it shows goes through
// TheUi(). The user cannot close it.

#include <string>
#include <string_view>

class TfmProgress {
public:
    TfmProgress() = default;
    // Closes the window when it was shown.
    ~TfmProgress();
    TfmProgress(const TfmProgress&) = delete;
    TfmProgress& operator=(const TfmProgress&) = delete;

    // Shows text with the bar at 0 of maximum.
    void Start(std::string_view text, int maximum);
    // Moves the bar on by n; a maximum that would be passed is doubled first. Pending window
    // messages run, so the window repaints while the operation goes on.
    void Advance(int n);

    const std::string& Text() const { return mText; }
    int Position() const { return mPosition; }
    int Maximum() const { return mMaximum; }

private:
    std::string mText;
    int mPosition = 0;
    int mMaximum = 100;
    bool mShown = false;
};
