#pragma once

// Outline scripts: a small line language that traces a closed polygon over one cell rectangle,
// the generator that writes the script of each base form, and the interpreter.
//
//   REM ...                       comment
//   SCALE s                       s != 0: 1000 units are the cell's width and height; 0: unitSize
//   BEGIN x, y                    the first point
//   TOPLEFT | TOPRIGHT | BOTTOMLEFT | BOTTOMRIGHT    the corner coordinates are measured from
//   LINE x, y                     a straight side
//   ARC x, y, cx, cy, dir, segs   an arc (a spiral when the radii differ) around (cx, cy);
//                                 dir 0 clockwise on screen, else counter-clockwise
//   END                           stops reading

#include "KletkaForm.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int MAX_OUTLINE_POINTS = 1000;

struct TOutlinePoint {
    int32_t X = 0;
    int32_t Y = 0;

    bool operator==(const TOutlinePoint&) const = default;
};

// The caller-owned point array the interpreter writes into.
using TOutlinePoints = std::array<TOutlinePoint, MAX_OUTLINE_POINTS>;

// Clears lines and writes the script of the form's base form (the Form field; a code above 10
// gives an empty script).
void MakeBaseFormScript(const TKletkaForm& form, std::vector<std::string>& lines);

// Interprets the script for the cell whose top-left corner is (left, top) and size width x height;
// unitSize is what 1000 units stand for without stretching. Writes count points (at most
// MAX_OUTLINE_POINTS) and the problems met, one message per line separated by CR LF (empty when
// the script is clean). Points are clamped to the int32 range.
void BuildCellOutline(const std::vector<std::string>& lines, int unitSize, int left, int top, int width, int height,
                      TOutlinePoints& points, int& count, std::string& errors);

// Reads the outline script file at path (a regular file of at most 1 MiB) as its lines; false,
// with lines empty, when there is no such file.
bool LoadCellScript(const std::string& path, std::vector<std::string>& lines);
