#pragma once

// TFootBallShablon: the football pitch (kind 8). The width is always odd; the first and the last
// column are goal lines whose middle rows, the goals, are letter cells like every cell between
// them, except the centre spot, from which the kick-offs start. A new width or height builds the
// pitch anew. The text carries the half length after its header.

#include "FieldShablon.h"

#include <cstdint>

class TFootBallShablon : public TFieldShablon {
public:
    static constexpr uint8_t DefaultHalfLength = 20;

    TFootBallShablon(int width, int height);

    // The even widths give the odd width below them; 0 gives 1.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Takes football texts only; a half length of 0 is malformed.
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;

    // Rows of the goals for a pitch of that many rows (odd: 3, or a fifth of 21 rows and more).
    static int GoalRows(int height);
    // Makes the cells the pitch of the present size.
    void BuildPitch();
    // The centre spot.
    int CentreX() const { return (Width - 1) / 2; }
    int CentreY() const { return (Height - 1) / 2; }

    uint8_t HalfLength = DefaultHalfLength;  // words per half of the match
};
