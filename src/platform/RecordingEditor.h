#pragma once

// An automation object that behaves like the vector editor the exports drive, kept in memory:
// the objects, saved styles, current colour and selection the calls create. Every call is
// logged as its script line. Tests and crossgen run the live export against it.
//
// Sizes (what GetSize answers) follow a fixed rule: a shape its box; an artistic text 60 units
// per byte and 100 units high per point of its font size (24 until set); an imported file
// 30000 x 20000.

#include "Automation.h"

#include <map>
#include <set>
#include <string>
#include <vector>

enum class TEditorShape : uint8_t { Rectangle, Ellipse, Polygon, Curve, Text, Picture };

struct TEditorPoint {
    int32_t X = 0;
    int32_t Y = 0;

    bool operator==(const TEditorPoint&) const = default;
};

struct TEditorObject {
    int32_t Id = 0;              // the static id
    TEditorShape Shape = TEditorShape::Rectangle;
    int32_t Left = 0;            // y upward: Top is the highest edge
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::string Style;           // the last style applied
    std::string Text;            // an artistic text, or the imported file
    int32_t FontSize = 24;
    int32_t Sides = 0;           // polygons
    std::vector<int32_t> Corners;        // corner roundness
    std::vector<TEditorPoint> Points;    // curves, absolute at creation
    bool Closed = false;                 // curves
    int32_t Container = 0;       // the frame it was placed inside, 0 for none
    TVariants OutlineColor;
    TVariants FillColor;         // empty: the style's or none
    bool NoFill = false;
    int32_t OutlineWidth = 0;
};

class TRecordingEditor : public IAutomation {
public:
    static constexpr int32_t TextUnitsPerByte = 60;
    static constexpr int32_t TextUnitsPerPoint = 100;
    static constexpr int32_t ImportWidth = 30000;
    static constexpr int32_t ImportHeight = 20000;

    TVariants Invoke(std::string_view method, const TVariants& args) override;

    // The call numbered k (1-based) fails, and every call after it; 0 lets every call pass.
    void FailAt(int k) { mFailAt = k; }
    // The script line of every call made, the failed one included.
    const std::vector<std::string>& Log() const { return mLog; }
    // The objects not deleted, in creation order.
    std::vector<TEditorObject> Objects() const;
    bool HasStyle(const std::string& name) const { return mStyles.count(name) != 0; }
    // The object selected, or null.
    const TEditorObject* Current() const;

private:
    struct TStyle {
        bool Text = false;
        int32_t FontSize = 24;
    };

    TEditorObject& Selected(std::string_view method);
    TEditorObject& Create(TEditorShape shape);
    void SetBox(TEditorObject& object, const TVariants& args);
    static void TextSize(TEditorObject& object);

    std::vector<TEditorObject> mObjects;
    std::set<int32_t> mDeleted;
    std::map<std::string, TStyle> mStyles;
    std::vector<std::string> mLog;
    TVariants mColor;
    std::vector<TEditorPoint> mCurve;
    bool mDrawingCurve = false;
    int32_t mCurrent = 0;
    int mFailAt = 0;
};
