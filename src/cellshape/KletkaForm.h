#pragma once

// The form of a cell: one of eleven parametrised base forms, a picture file, or an outline
// script file. Kept in style files under a key prefix ("CHAR_", "NOT_CHAR_", "FORM_").

#include <cstdint>
#include <string>
#include <vector>

class TIniFile;
struct TIniClamp;

enum class TKletkaImport : uint8_t {
    BaseForm = 0,
    Picture = 1,
    Script = 2,
};

// Base form codes (the Form field when the import type is BaseForm).
namespace KletkaForm {
constexpr uint8_t Rounded = 0;   // rectangle with convex rounded corners, radii PARAM1..PARAM4
constexpr uint8_t Ellipse = 1;
constexpr uint8_t Triangle = 2;
constexpr uint8_t Hexagon = 3;
constexpr uint8_t Octagon = 4;
constexpr uint8_t Concave = 5;   // scooped corners, sizes as Rounded
constexpr uint8_t Chamfered = 6; // cut corners, sizes as Rounded
constexpr uint8_t Pinched = 7;   // sides pinched inward: PARAM1 top, PARAM4 right, PARAM2 bottom, PARAM3 left
constexpr uint8_t Mixed = 8;     // per corner: PARAMn mod 3 picks rounded, concave, chamfered
constexpr uint8_t Notched = 9;   // circle with a notch: PARAM1 direction, PARAM2 width
constexpr uint8_t Looped = 10;   // three-quarter loop at each corner, size PARAM1
constexpr uint8_t Last = 10;
}  // namespace KletkaForm

// The default record is a plain rectangle: base form 0 without rounding.
struct TKletkaForm {
    TKletkaImport ImportType = TKletkaImport::BaseForm;  // above 2 (from a record made in code) draws nothing
    uint8_t Form = 0;                                     // above 10 (likewise) draws nothing
    int32_t Param1 = 0;
    int32_t Param2 = 0;
    int32_t Param3 = 0;
    int32_t Param4 = 0;
    std::string File1;       // picture file (.wmf, .emf, .bmp, .jpg, .jpeg) for the picture import
    std::string File2;       // vector-editor drawing for the picture import
    std::string ScriptFile;  // outline script for the script import

    bool operator==(const TKletkaForm&) const = default;
};

// Writes the nine keys prefix + IMPORTTYPE, FORM, PARAM1..PARAM4, FILE1, FILE2, SCRIPTFILE into
// the section of ini (in memory; the caller saves the file). False when a value cannot be
// stored (a file name holding a line break).
bool WriteCellForm(TIniFile& ini, const std::string& section, const std::string& prefix, const TKletkaForm& form);
// The range of the form parameters, as the form dialog offers them: wider values only distort
// the outline (and five times one would overflow).
constexpr int32_t MaxFormParam = 100;

// Resets form to the default, then reads each of the nine keys present in the section; an
// absent key keeps its default, a malformed number reads as 0. The import type, the form code
// and the parameters are held to their ranges, a value held noted in clamps.
void ReadCellForm(const TIniFile& ini, const std::string& section, const std::string& prefix, TKletkaForm& form,
                  std::vector<TIniClamp>& clamps);
