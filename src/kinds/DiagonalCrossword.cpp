#include "DiagonalCrossword.h"

#include "DiagonalShablon.h"

#include "platform/Text.h"

TDiagonalCrossword::TDiagonalCrossword()
    : TCrossword(TCrosswordKind::Diagonal, std::make_unique<TDiagonalShablon>(1, 1)) {}

std::string TDiagonalCrossword::BuildDirectionClues(const TClueListOptions&) const {
    return std::string("Отсутствует!"_cp);
}

std::string TDiagonalCrossword::JoinDirectionClues(const TClueListOptions& options, std::string_view downRight,
                                                   std::string_view separator, std::string_view downLeft) const {
    if (!options.Headings || !options.SplitDirections) return std::string(downRight) + std::string(downLeft);
    const auto heading = [&](std::string_view title) {
        return "~#2" + std::string(title) + " ~#1" + std::string(separator);
    };
    return heading("Слева-вниз-направо:"_cp) + std::string(downRight) + "\r\n" + heading("Справа-вниз-налево:"_cp) +
           std::string(downLeft);
}
