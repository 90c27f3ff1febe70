#include "FootBallShablon.h"

#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>

namespace {

// The stored half length follows the three header characters.
constexpr std::size_t HalfLengthAt = 3;
constexpr int ShortPitchGoal = 3;
constexpr int LongPitchRows = 21;  // from this many rows the goal is a fifth of them

}  // namespace

TFootBallShablon::TFootBallShablon(int width, int height) : TFieldShablon(width, height, TShablonKind::FootBall) {
    SetWidth(width);
    BuildPitch();
}

// A size that stays as it is keeps the cells, so that cropping a pitch read from a text keeps it.
void TFootBallShablon::SetWidth(int width) {
    width = std::clamp(width, 1, static_cast<int>(MaxSide));
    if (width % 2 == 0) --width;
    if (width == Width) return;
    TShablon::SetWidth(width);
    BuildPitch();
}

void TFootBallShablon::SetHeight(int height) {
    if (height == Height) return;
    TShablon::SetHeight(height);
    BuildPitch();
}

int TFootBallShablon::GoalRows(int height) {
    if (height < LongPitchRows) return ShortPitchGoal;
    const int goal = height / 5;
    return goal % 2 == 0 ? goal - 1 : goal;
}

void TFootBallShablon::BuildPitch() {
    ClearRect(0, 0, Width - 1, Height - 1, false);
    const int middle = (Height - 1) / 2;
    const int half = GoalRows(Height) / 2;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            const bool goalLine = x == 0 || x == Width - 1;
            SetLetterCellOnly(x, y, !goalLine || (y >= middle - half && y <= middle + half));
        }
    SetLetterCellOnly(CentreX(), CentreY(), false);
}

bool TFootBallShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() <= HalfLengthAt) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    const TFieldHeader header{SmallNumberOf(text[0]), SmallNumberOf(text[1]), SmallNumberOf(text[2]),
                              HalfLengthAt + 1};
    if (!AcceptsFieldKind(header, {TShablonKind::FootBall})) return false;
    const auto halfLength = static_cast<uint8_t>(text[HalfLengthAt]);
    // Halves of no words would make every match complete before it starts.
    if (halfLength == 0) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    HalfLength = halfLength;
    return ParseFieldCells(*this, text, header, x0, y0);
}

std::string TFootBallShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    return SerializeFieldText(*this, x0, y0, x1, y1, std::string(1, static_cast<char>(HalfLength)));
}
