#include "CellOutline.h"

#include "platform/FileText.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Script files are small texts; anything larger is not one.
constexpr std::size_t MaxScriptFileSize = 1u << 20;
// Script units across a cell side.
constexpr int64_t CellUnits = 1000;

// ---- the generator ----

int64_t Clamp32(int64_t n) {
    return std::clamp<int64_t>(n, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

// A script line: format with every %d filled, in order, by a number kept within 32 bits so that
// the interpreter reads it back.
template <typename... Ints>
std::string ScriptLine(std::string_view format, Ints... numbers) {
    return Format(format, static_cast<long long>(Clamp32(static_cast<int64_t>(numbers)))...);
}

// Both index CornerPieces; the style is also a form-8 parameter modulo 3.
enum class TCorner { TopLeft, TopRight, BottomRight, BottomLeft };
enum class TCornerStyle { Rounded, Concave, Chamfered };

// The corner pieces by style and corner: a line format and the signs of the corner size r
// filling its numbers in order.
struct TCornerPiece {
    const char* Format;
    std::array<int, 3> Signs;
};
constexpr TCornerPiece CornerPieces[3][4] = {
    {{"ARC %d, 0, %d, %d, 0, 15", {1, 1, 1}},
     {"ARC 0, %d, %d, %d, 0, 15", {1, -1, 1}},
     {"ARC %d, 0, %d, %d, 0, 15", {-1, -1, -1}},
     {"ARC 0, %d, %d, %d, 0, 15", {-1, 1, -1}}},
    {{"ARC %d, 0, 0, 0, 1, 15", {1}}, {"ARC 0, %d, 0, 0, 1, 15", {1}}, {"ARC %d, 0, 0, 0, 1, 15", {-1}},
     {"ARC 0, %d, 0, 0, 1, 15", {-1}}},
    {{"LINE %d, 0", {1}}, {"LINE 0, %d", {1}}, {"LINE %d, 0", {-1}}, {"LINE 0, %d", {-1}}},
};

void AddCornerPiece(std::vector<std::string>& lines, TCorner corner, TCornerStyle style, int64_t r) {
    const TCornerPiece& piece = CornerPieces[static_cast<int>(style)][static_cast<int>(corner)];
    lines.push_back(ScriptLine(piece.Format, piece.Signs[0] * r, piece.Signs[1] * r, piece.Signs[2] * r));
}

// Forms 0, 5, 6 and 8: the four corners clockwise from the top-left one, without stretching.
void AddCornerForm(std::vector<std::string>& lines, const TKletkaForm& form) {
    const auto styleOf = [&](int32_t param) {
        switch (form.Form) {
        case KletkaForm::Concave: return TCornerStyle::Concave;
        case KletkaForm::Chamfered: return TCornerStyle::Chamfered;
        case KletkaForm::Mixed: return static_cast<TCornerStyle>((param % 3 + 3) % 3);
        default: return TCornerStyle::Rounded;
        }
    };
    // Each corner: the anchor it is measured from, where its side starts without a corner piece,
    // and where with one (filled with sign x 5 x the corner's parameter).
    struct TCornerStart {
        TCorner Corner;
        const char* Anchor;
        int32_t Param;
        const char* Plain;
        const char* Cut;
        int Sign;
    };
    const TCornerStart corners[] = {
        {TCorner::TopLeft, nullptr, form.Param1, "BEGIN 0, 0", "BEGIN 0, %d", 1},
        {TCorner::TopRight, "TOPRIGHT", form.Param2, "LINE 0, 0", "LINE %d, 0", -1},
        {TCorner::BottomRight, "BOTTOMRIGHT", form.Param4, "LINE 0, 0", "LINE 0, %d", -1},
        {TCorner::BottomLeft, "BOTTOMLEFT", form.Param3, "LINE 0, 0", "LINE %d, 0", 1},
    };
    for (const TCornerStart& c : corners) {
        if (c.Anchor) lines.push_back(c.Anchor);
        if (c.Param == 0) {
            lines.push_back(c.Plain);
            continue;
        }
        const int64_t r = 5 * static_cast<int64_t>(c.Param);
        lines.push_back(ScriptLine(c.Cut, c.Sign * r));
        AddCornerPiece(lines, c.Corner, styleOf(c.Param), r);
    }
    lines.push_back("END");
}

// round() of the Pascal kind: halves go to the even neighbour (the default rounding mode).
int64_t RoundEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

void AddEllipse(std::vector<std::string>& lines) {
    lines.insert(lines.end(), {"BEGIN 500, 0", "ARC 500, 1000, 500, 500, 0, 30", "ARC 500, 0, 500, 500, 0, 30", "END"});
}

void AddNotchedCircle(std::vector<std::string>& lines, const TKletkaForm& form) {
    if (form.Param2 == 0) {
        AddEllipse(lines);
        return;
    }
    const double theta = form.Param1 * std::numbers::pi / 50;
    const double alpha = std::atan(form.Param2 / 100.0);
    const auto px = [](double phi) { return RoundEven(500 + 500 * std::cos(phi)); };
    const auto py = [](double phi) { return RoundEven(500 - 500 * std::sin(phi)); };
    lines.push_back(ScriptLine("BEGIN %d, %d", px(theta + alpha), py(theta + alpha)));
    lines.push_back(ScriptLine("ARC %d, %d, %d, %d, 1, 30", px(theta - alpha), py(theta - alpha), px(theta), py(theta)));
    lines.push_back(ScriptLine("ARC %d, %d, 500, 500, 0, 60", px(theta + alpha), py(theta + alpha)));
    lines.push_back("END");
}

void AddLoopedCorners(std::vector<std::string>& lines, const TKletkaForm& form) {
    if (form.Param1 == 0) {
        lines.insert(lines.end(), {"BEGIN 0, 0", "TOPRIGHT", "LINE 0, 0", "BOTTOMRIGHT", "LINE 0, 0", "BOTTOMLEFT",
                                   "LINE 0, 0", "END"});
        return;
    }
    const int64_t s = 5 * static_cast<int64_t>(form.Param1);
    const int64_t h = RoundEven(2.5 * form.Param1);
    lines.push_back(ScriptLine("BEGIN %d, %d", h, s));
    lines.push_back(ScriptLine("ARC %d, %d, %d, %d, 0, 50", s, h, h, h));
    lines.push_back("TOPRIGHT");
    lines.push_back(ScriptLine("LINE %d, %d", -s, h));
    lines.push_back(ScriptLine("ARC %d, %d, %d, %d, 0, 50", -h, s, -h, h));
    lines.push_back("BOTTOMRIGHT");
    lines.push_back(ScriptLine("LINE %d, %d", -h, -s));
    lines.push_back(ScriptLine("ARC %d, %d, %d, %d, 0, 50", -s, -h, -h, -h));
    lines.push_back("BOTTOMLEFT");
    lines.push_back(ScriptLine("LINE %d, %d", s, -h));
    lines.push_back(ScriptLine("ARC %d, %d, %d, %d, 0, 50", h, -s, h, -h));
    lines.push_back("END");
}

// ---- the interpreter ----

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// x, y, cx, cy, dir, segments of a line, with their defaults.
struct TScriptNumbers {
    std::array<int32_t, 6> Values{0, 0, 0, 0, 0, 30};
    bool Malformed = false;
};

TScriptNumbers ReadNumbers(std::string_view text) {
    TScriptNumbers numbers;
    for (int32_t& value : numbers.Values) {
        const std::size_t comma = text.find(',');
        std::string_view number = text.substr(0, comma);
        while (!number.empty() && (number.front() == ' ' || number.front() == '\t')) number.remove_prefix(1);
        value = 0;
        if (!number.empty() && !ParseIniInteger(number, value)) {
            value = 0;
            numbers.Malformed = true;
        }
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return numbers;
}

enum class TAnchor { TopLeft, TopRight, BottomLeft, BottomRight };

bool AnchorRight(TAnchor a) {
    return a == TAnchor::TopRight || a == TAnchor::BottomRight;
}

bool AnchorBottom(TAnchor a) {
    return a == TAnchor::BottomLeft || a == TAnchor::BottomRight;
}

// round(n / 1000) with halves to the even neighbour, exactly.
__int128 DivideUnits(__int128 n) {
    __int128 q = n / CellUnits, r = n % CellUnits;
    if (r < 0) {
        r += CellUnits;
        --q;
    }
    if (2 * r > CellUnits || (2 * r == CellUnits && (q & 1))) ++q;
    return q;
}

int32_t Clamped(__int128 n) {
    return static_cast<int32_t>(std::clamp<__int128>(n, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

class TOutlineBuilder {
public:
    TOutlineBuilder(int unitSize, int left, int top, int width, int height, TOutlinePoints& points)
        : mUnitSize(unitSize), mLeft(left), mTop(top), mWidth(width), mHeight(height), mPoints(points) {}

    int Count = 0;
    std::string Errors;

    // False once END (or the point limit) ends the script.
    bool Line(const std::string& stored) {
        if (Count >= MAX_OUTLINE_POINTS) {
            Report("Слишком много опорных точек!"_cp);
            return false;
        }
        const std::string_view line = TrimBlanks(stored);
        if (line.empty()) return true;
        const std::size_t blank = line.find_first_of(" \t");
        std::string command(line.substr(0, blank));
        for (char& c : command)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const TScriptNumbers numbers = ReadNumbers(blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1));
        if (numbers.Malformed) {
            Report(Format("Неверный формат параметров в строке \"%s\""_cp, stored));
            return true;
        }
        const auto [x, y, cx, cy, dir, segments] = numbers.Values;

        if (command == "REM") return true;
        if (command == "BEGIN") {
            if (mBegun) {
                Report("Повторное использование команды Begin"_cp);
            } else {
                mBegun = true;
                Append(x, y);
            }
            return true;
        }
        if (command == "TOPLEFT") return Anchor(TAnchor::TopLeft);
        if (command == "TOPRIGHT") return Anchor(TAnchor::TopRight);
        if (command == "BOTTOMLEFT") return Anchor(TAnchor::BottomLeft);
        if (command == "BOTTOMRIGHT") return Anchor(TAnchor::BottomRight);
        if (command == "SCALE") {
            mStretch = x != 0;
            return true;
        }
        if (!mBegun) return true;
        if (command == "LINE") {
            Append(x, y);
            return true;
        }
        if (command == "ARC") {
            Arc(x, y, cx, cy, dir, segments);
            return true;
        }
        if (command == "END") return false;
        Report(Format("Неверная команда \"%s\""_cp, stored));
        return true;
    }

private:
    void Report(std::string_view message) {
        if (!Errors.empty()) Errors += "\r\n";
        Errors += message;
    }

    bool Anchor(TAnchor anchor) {
        if (AnchorRight(mAnchor) != AnchorRight(anchor)) mX += AnchorRight(anchor) ? -CellUnits : CellUnits;
        if (AnchorBottom(mAnchor) != AnchorBottom(anchor)) mY += AnchorBottom(anchor) ? -CellUnits : CellUnits;
        mAnchor = anchor;
        return true;
    }

    // A script coordinate along one axis in output units, from the cell's left or top.
    __int128 MapAxis(int64_t v, bool farSide, int size) const {
        if (mStretch) return DivideUnits((static_cast<__int128>(v) + (farSide ? CellUnits : 0)) * size);
        return DivideUnits(static_cast<__int128>(v) * mUnitSize) + (farSide ? size : 0);
    }

    TOutlinePoint Map(int64_t x, int64_t y) const {
        return {Clamped(MapAxis(x, AnchorRight(mAnchor), mWidth) + mLeft),
                Clamped(MapAxis(y, AnchorBottom(mAnchor), mHeight) + mTop)};
    }

    void Append(int64_t x, int64_t y) {
        mPoints[Count++] = Map(x, y);
        mX = x;
        mY = y;
    }

    static float AngleOf(int64_t dx, int64_t dy) {
        constexpr float pi = std::numbers::pi_v<float>;
        if (dx == 0) return dy > 0 ? pi / 2 : -pi / 2;
        const float t = std::atan(static_cast<float>(std::abs(static_cast<double>(dy)) / std::abs(static_cast<double>(dx))));
        if (dx > 0) return dy >= 0 ? t : -t;
        return dy >= 0 ? pi - t : t - pi;
    }

    void Arc(int64_t x, int64_t y, int64_t cx, int64_t cy, int32_t dir, int32_t segments) {
        constexpr float twoPi = 2 * std::numbers::pi_v<float>;
        const int n = std::max(segments, 1);
        float a0 = AngleOf(mX - cx, mY - cy) + twoPi;
        float a1 = AngleOf(x - cx, y - cy) + twoPi;
        const float r0 = static_cast<float>(std::hypot(static_cast<double>(mX - cx), static_cast<double>(mY - cy)));
        const float r1 = static_cast<float>(std::hypot(static_cast<double>(x - cx), static_cast<double>(y - cy)));
        const float dr = (r1 - r0) / n;
        if (dir == 0)
            while (a0 > a1) a0 -= twoPi;
        else
            while (a1 > a0) a1 -= twoPi;
        const float step = (a1 - a0) / n;
        for (int i = 1; i <= n && Count < MAX_OUTLINE_POINTS; ++i) {
            const float a = a0 + i * step;
            const float r = r0 + i * dr;
            mPoints[Count++] = Map(cx + RoundEven(r * std::cos(static_cast<double>(a))),
                                   cy + RoundEven(r * std::sin(static_cast<double>(a))));
        }
        mPoints[Count - 1] = Map(x, y);
        mX = x;
        mY = y;
    }

    const int mUnitSize, mLeft, mTop, mWidth, mHeight;
    TOutlinePoints& mPoints;
    TAnchor mAnchor = TAnchor::TopLeft;
    bool mStretch = false;
    bool mBegun = false;
    int64_t mX = 0;  // the current point, script units from the anchor
    int64_t mY = 0;
};

}  // namespace

void MakeBaseFormScript(const TKletkaForm& form, std::vector<std::string>& lines) {
    lines.clear();
    switch (form.Form) {
    case KletkaForm::Rounded:
    case KletkaForm::Concave:
    case KletkaForm::Chamfered:
    case KletkaForm::Mixed:
        AddCornerForm(lines, form);
        break;
    case KletkaForm::Ellipse:
        lines.push_back("SCALE 1");
        AddEllipse(lines);
        break;
    case KletkaForm::Triangle:
        lines.insert(lines.end(), {"SCALE 1", "BEGIN 500, 0", "LINE 1000, 1000", "LINE 0, 1000", "END"});
        break;
    case KletkaForm::Hexagon:
        lines.insert(lines.end(), {"SCALE 1", "BEGIN 500, 0", "LINE 1000, 250", "LINE 1000, 750", "LINE 500, 1000",
                                   "LINE 0, 750", "LINE 0, 250", "END"});
        break;
    case KletkaForm::Octagon:
        lines.insert(lines.end(), {"SCALE 1", "BEGIN 293, 0", "LINE 707, 0", "LINE 1000, 293", "LINE 1000, 707",
                                   "LINE 707, 1000", "LINE 293, 1000", "LINE 0, 707", "LINE 0, 293", "END"});
        break;
    case KletkaForm::Pinched:
        lines.insert(lines.end(), {"SCALE 1", "BEGIN 0, 0"});
        lines.push_back(ScriptLine("LINE 500, %d", 5 * static_cast<int64_t>(form.Param1)));
        lines.push_back("LINE 1000, 0");
        lines.push_back(ScriptLine("LINE %d, 500", 1000 - 5 * static_cast<int64_t>(form.Param4)));
        lines.push_back("LINE 1000, 1000");
        lines.push_back(ScriptLine("LINE 500, %d", 1000 - 5 * static_cast<int64_t>(form.Param2)));
        lines.push_back("LINE 0, 1000");
        lines.push_back(ScriptLine("LINE %d, 500", 5 * static_cast<int64_t>(form.Param3)));
        lines.insert(lines.end(), {"END", "END"});
        break;
    case KletkaForm::Notched:
        lines.push_back("SCALE 1");
        AddNotchedCircle(lines, form);
        break;
    case KletkaForm::Looped:
        AddLoopedCorners(lines, form);
        break;
    default:
        break;
    }
}

void BuildCellOutline(const std::vector<std::string>& lines, int unitSize, int left, int top, int width, int height,
                      TOutlinePoints& points, int& count, std::string& errors) {
    TOutlineBuilder builder(unitSize, left, top, width, height, points);
    for (const std::string& line : lines)
        if (!builder.Line(line)) break;
    count = static_cast<int>(std::unique(points.begin(), points.begin() + builder.Count) - points.begin());
    errors = std::move(builder.Errors);
}

bool LoadCellScript(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string text;
    if (!ReadRegularFile(path, text, MaxScriptFileSize)) return false;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + (rest.compare(end, 2, "\r\n") == 0 ? 2 : 1));
    }
    return true;
}
