#pragma once

// How a puzzle is laid out on paper: the sheet, its margins, the clue list's columns and type,
// the title, and where the solution goes. Pages are drawn in page units of a tenth of a point,
// fine enough for type and rules, coarse enough for the canvas's whole numbers.

#include "PrintLook.h"

#include <cstdint>
#include <string>
#include <string_view>

// Points per page unit, for the documents made of the pages.
inline constexpr double PointsPerPageUnit = 0.1;

// Page units of a length in millimetres and of a size in points.
int PageUnitsOfMm(double mm);
int PageUnitsOfPoints(double points);

// A sheet, in millimetres.
struct TPaper {
    double Width = 210;
    double Height = 297;
};

// "A4", "A5", "letter" (without case) or "WxHmm" with sides from 50 to 1000 mm ("148x210mm");
// false for anything else.
bool ParsePaper(std::string_view text, TPaper& paper);

// Where the solution of a puzzle is printed.
enum class TSolutionPlace : uint8_t {
    Same,      // small and upside down at the foot of the puzzle's last page
    Separate,  // on a page of its own after the puzzle
    None,
};

struct TPageSetup {
    TPaper Paper;
    double Margins = 15;   // millimetres on every side
    int Columns = 0;       // columns of the clue list; 0 chooses by the list's length
    double FontSize = 9;   // points of the clue list; the title and headings are set larger
    std::string Title;     // cp1251; none when empty
    bool Lengths = false;  // each clue followed by its answer's length
    TSolutionPlace Solution = TSolutionPlace::Same;
    TPrintLook Look;       // the grid's look; its face is the pages' face too
};
