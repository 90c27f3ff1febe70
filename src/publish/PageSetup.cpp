#include "PageSetup.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

constexpr double MmPerInch = 25.4;
constexpr double PointsPerInch = 72;
// The sides a sheet given in millimetres may have.
constexpr double SmallestSide = 50;
constexpr double LargestSide = 1000;

struct TNamedPaper {
    std::string_view Name;
    TPaper Paper;
};

constexpr std::array<TNamedPaper, 3> NamedPapers = {{
    {"a4", {210, 297}},
    {"a5", {148, 210}},
    {"letter", {215.9, 279.4}},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A whole or decimal number of millimetres within the allowed sides.
bool ParseSide(std::string_view text, double& side) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size() && side >= SmallestSide && side <= LargestSide;
}

}  // namespace

int PageUnitsOfMm(double mm) {
    return PageUnitsOfPoints(mm / MmPerInch * PointsPerInch);
}

int PageUnitsOfPoints(double points) {
    return static_cast<int>(std::lround(points / PointsPerPageUnit));
}

bool ParsePaper(std::string_view text, TPaper& paper) {
    const std::string lower = Lower(text);
    for (const TNamedPaper& named : NamedPapers)
        if (lower == named.Name) {
            paper = named.Paper;
            return true;
        }
    if (!lower.ends_with("mm")) return false;
    const std::string_view sides = std::string_view(lower).substr(0, lower.size() - 2);
    const std::size_t x = sides.find('x');
    TPaper sized;
    if (x == std::string_view::npos || !ParseSide(sides.substr(0, x), sized.Width) ||
        !ParseSide(sides.substr(x + 1), sized.Height))
        return false;
    paper = sized;
    return true;
}
