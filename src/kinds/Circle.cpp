#include "Circle.h"

#include "platform/Text.h"

#include <memory>

namespace {

constexpr std::string_view NormalText = "~#1";
constexpr std::string_view EmphasizedText = "~#2";

}  // namespace

TCircle::TCircle() : TCrossword(TCrosswordKind::Circle, std::make_unique<TCircleShablon>(1, 1)) {}

TClueListOptions TCircle::ListOptions(const TClueListOptions& options) const {
    TClueListOptions list = options;
    // Entries carry the clue number of their first cell, never a running count.
    list.Count = false;
    // The base split sends the column words ("2") to its second list and the diagonal words
    // ("3") to its first: the split goes by the word's path, whatever the order of the slots.
    list.SplitDirections = options.SplitDirections && options.Headings && Circle().Parity;
    list.Headings = list.SplitDirections;
    return list;
}

std::string TCircle::BuildClueText(const TClueListOptions& options) const {
    return TCrossword::BuildClueText(ListOptions(options));
}

std::string TCircle::BuildCluePages(const TClueListOptions& options, bool withAnswers) const {
    return TCrossword::BuildCluePages(ListOptions(options), withAnswers);
}

std::string TCircle::BuildDirectionClues(const TClueListOptions& options) const {
    return std::string("Отсутствует!"_cp);
}

std::string TCircle::JoinDirectionClues(const TClueListOptions& options, std::string_view clockwise,
                                        std::string_view separator, std::string_view counterclockwise) const {
    if (!options.Headings || !options.SplitDirections) return std::string(clockwise) + std::string(counterclockwise);
    std::string text;
    text += EmphasizedText;
    text += "Против часовой стрелки:"_cp;
    text += " ";
    text += NormalText;
    text += separator;
    text += counterclockwise;
    text += "\r\n";
    text += EmphasizedText;
    text += "По часовой стрелке:"_cp;
    text += " ";
    text += NormalText;
    text += separator;
    text += clockwise;
    return text;
}

void TCircle::CopyStyles(const TCrossword& other) {
    TCrossword::CopyStyles(other);
    if (other.Template->Kind != TShablonKind::Circle) return;
    const auto& from = static_cast<const TCircleShablon&>(*other.Template);
    TCircleShablon& to = Circle();
    to.BaseRadius = from.BaseRadius;
    to.SpeedOfChangeRadius = from.SpeedOfChangeRadius;
    to.NotUseCurve = from.NotUseCurve;
    to.Parity = from.Parity;
    to.AutoDecreaseChars = from.AutoDecreaseChars;
}
