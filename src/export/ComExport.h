#pragma once

// TComExport: a picture described once as an ordered list of device-independent drawing items,
// which the metafile canvas, the vector editor and its script text each replay. Templates and
// crosswords append items; a renderer reads each item's kind and fields.
//
// An item is one packed text: a 200-character header of fixed fields, then the item's text.
// Numbers are 4 characters, least significant byte first. Positions are export units: 1000 per
// drawing unit, x to the right, y upward (rows below the top have negative y).
//
//   1-4 Kind      5-8 Value     9-72 Name (blank-padded)   73-76 X   77-80 Y   81-84 X2
//   85-88 Y2      89 Flag "1"/"0"   90 Mode   91 Flag2 "1"/"0"   92-95 Param1   96-99 Param2
//   100-104 Colour (value + model; polylines)   102-117 Rect (left, top, right, bottom; framed
//   items, overlapping Colour)   118-121 Param3   122-125 Param4   201- Text
//
// An item may carry its own text format (TComTextFormat), owned by the list.

#include "FormatParameters.h"

#include "platform/ColorValue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Item kinds. Only the low 7 bits of the stored kind are read.
enum class TExportKind : uint8_t {
    Caption = 0,               // a progress caption (Text)
    Cell = 1,                  // a cell: Value its cell kind, Flag its extra
    ShapedCell = 2,            // a cell in its alternative (marker) form
    CanvasCell = 3,            // as Cell, X and Y already drawing units
    CellEx = 4,                // a cell spanning X2 columns and Y2 rows
    ColorCell = 5,             // kind-specific colour cell: X2, Y2, Flag, Mode
    Number = 6,                // clue number X2; with Flag2, Colour the fill of the cell it stands on
    CanvasNumber = 7,          // as Number, X and Y already drawing units
    KeyWordNumber = 8,         // key-word cell (X2, Y2) with its number
    KeyWordNumberShaped = 9,   // the same, shaped
    CanvasKeyWordNumber = 10,  // as KeyWordNumber, X and Y already drawing units
    Outline = 11,              // outline contour: X, Y start cell, X2, Y2 origin, Text the walk
    Walls = 12,                // wall bits X2
    Arrows = 13,               // arrow codes X2
    Line = 14,                 // line (X, Y) to (X2, Y2) in style Name
    Polyline = 15,             // points in Text, style Name, pen Colour, width X2
    HoneyArrows = 16,          // kind-specific arrows X2, Value
    TextBlock = 17,            // text in a box, style Name, the default format
    StyledTextBlock = 18,      // text in a box with its own format
    Picture = 19,              // picture file Text fitted into a box
    FormattedText = 20,        // formatted text block (clue texts)
    Background = 21,           // background picture file Text
    CellPart = 22,             // the Rect part of a cell of kind Value spanning X2 x Y2 cells
    FramedPicture = 23,        // clue picture inside a clue cell frame
    FramedText = 24,           // clue text inside a clue cell frame
    Marker = 25,               // marked-word marker
    TurnMarks = 26,            // turn bits X2 of a bending-word cell
};
constexpr int ExportKindCount = 27;

// A rectangle of cells (framed items): left, top, right, bottom.
struct TItemRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    bool operator==(const TItemRect&) const = default;
};

// One point of a polyline, export units.
struct TItemPoint {
    int32_t X = 0;
    int32_t Y = 0;

    bool operator==(const TItemPoint&) const = default;
};

// The fields of the text and picture blocks (kinds 17 to 20, 23 and 24); each append takes the
// fields its kind carries.
struct TBlockFields {
    int32_t X = 0;           // top-left corner of the box
    int32_t Y = 0;
    int32_t X2 = 0;          // box width and height, or the columns and rows of a framed cell
    int32_t Y2 = 0;
    std::string Name;        // style name
    bool Flag = false;       // centred
    bool Flag2 = false;
    int32_t Param1 = 0;
    int32_t Param2 = 0;
    TItemRect Rect;          // framed items: the part of the frame, in cells
    int32_t Param3 = 0;      // framed items: horizontal margin
    int32_t Param4 = 0;      // framed items: vertical margin
};

// The text format attached to an item.
struct TComTextFormat {
    TFormatParameters Format;
};

class TComExport {
public:
    static constexpr std::size_t HeaderSize = 200;
    static constexpr std::size_t NameSize = 64;

    int Count() const { return static_cast<int>(mItems.size()); }
    // Appends an empty item: kind 0, every number 0, an empty name and text. Its index.
    int Add();
    // Removes every item and its format.
    void Clear() { mItems.clear(); }
    // Moves the whole picture by (dx, dy) export units: the positions of the kinds placed in
    // export units, both points of a line and every point of a polyline.
    void ShiftItems(int32_t dx, int32_t dy);

    // --- one append per kind; each answers the new item's index ---

    int AddCaption(std::string_view text);
    int AddCell(int32_t x, int32_t y, bool flag, int32_t cellKind);
    int AddShapedCell(int32_t x, int32_t y, bool flag, int32_t cellKind);
    int AddCanvasCell(int32_t x, int32_t y, bool flag, int32_t cellKind);
    int AddCellEx(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t cellKind);
    int AddColorCell(int32_t x, int32_t y, int32_t x2, int32_t y2, bool flag, uint8_t mode);
    int AddNumber(int32_t x, int32_t y, int32_t number);
    // A number on a cell filled with fill, drawn in a colour that stands out from it.
    int AddNumberOn(int32_t x, int32_t y, int32_t number, TColorValue fill);
    int AddCanvasNumber(int32_t x, int32_t y, int32_t number);
    // (cellX, cellY): the key-word cell whose number is shown.
    int AddKeyWordNumber(int32_t x, int32_t y, int32_t cellX, int32_t cellY);
    int AddKeyWordNumberShaped(int32_t x, int32_t y, int32_t cellX, int32_t cellY);
    int AddCanvasKeyWordNumber(int32_t x, int32_t y, int32_t cellX, int32_t cellY);
    // (x, y): the start cell; (x0, y0): the origin of the used area; contour from its side code on.
    int AddOutline(int32_t x, int32_t y, int32_t x0, int32_t y0, std::string_view contour);
    int AddWalls(int32_t x, int32_t y, int32_t bits);
    int AddArrows(int32_t x, int32_t y, int32_t bits);
    int AddLine(int32_t x, int32_t y, int32_t x2, int32_t y2, std::string_view style);
    int AddPolyline(const std::vector<TItemPoint>& points, std::string_view style, TColorValue colour, int32_t width);
    int AddHoneyArrows(int32_t x, int32_t y, int32_t bits, int32_t value);
    int AddTextBlock(const TBlockFields& fields, std::string_view text);
    int AddStyledTextBlock(const TBlockFields& fields, std::string_view text, const TFormatParameters& format);
    int AddPicture(const TBlockFields& fields, std::string_view fileName);
    int AddFormattedText(const TBlockFields& fields, std::string_view text, const TFormatParameters& format);
    int AddBackground(std::string_view fileName);
    // rect: the cells of the large cell that this item covers, counted inside it.
    int AddCellPart(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t cellKind, const TItemRect& rect);
    int AddFramedPicture(const TBlockFields& fields, std::string_view fileName);
    int AddFramedText(const TBlockFields& fields, std::string_view text, const TFormatParameters& format);
    int AddMarker(int32_t x, int32_t y);
    int AddTurnMarks(int32_t x, int32_t y, int32_t bits);

    // --- field readers ---

    // The stored kind's low 7 bits (kinds above 26 are drawn by nobody).
    int Kind(int i) const { return ReadInt(i, KindAt) & 0x7F; }
    int32_t Value(int i) const { return ReadInt(i, ValueAt); }
    // The name without its padding.
    std::string Name(int i) const;
    int32_t X(int i) const { return ReadInt(i, XAt); }
    int32_t Y(int i) const { return ReadInt(i, YAt); }
    int32_t X2(int i) const { return ReadInt(i, X2At); }
    int32_t Y2(int i) const { return ReadInt(i, Y2At); }
    bool Flag(int i) const { return mItems[i].Packed[FlagAt] == '1'; }
    uint8_t Mode(int i) const { return static_cast<uint8_t>(mItems[i].Packed[ModeAt]); }
    bool Flag2(int i) const { return mItems[i].Packed[Flag2At] == '1'; }
    int32_t Param1(int i) const { return ReadInt(i, Param1At); }
    int32_t Param2(int i) const { return ReadInt(i, Param2At); }
    TColorValue Colour(int i) const;
    TItemRect Rect(int i) const;
    int32_t Param3(int i) const { return ReadInt(i, Param3At); }
    int32_t Param4(int i) const { return ReadInt(i, Param4At); }
    std::string_view Text(int i) const { return std::string_view(mItems[i].Packed).substr(HeaderSize); }
    // The whole points of a polyline's text; a trailing partial point is ignored.
    std::vector<TItemPoint> Points(int i) const;
    // The item's format, or the default format when it has none.
    const TFormatParameters& Format(int i) const;
    bool HasFormat(int i) const { return mItems[i].Format != nullptr; }
    // The packed header followed by the text.
    const std::string& ItemText(int i) const { return mItems[i].Packed; }

    // --- field setters: each rewrites its field in place ---

    void SetKind(int i, TExportKind kind) { WriteInt(i, KindAt, static_cast<int32_t>(kind)); }
    void SetValue(int i, int32_t value) { WriteInt(i, ValueAt, value); }
    // Blank-padded; a longer name is cut to its first 64 characters.
    void SetName(int i, std::string_view name);
    void SetX(int i, int32_t x) { WriteInt(i, XAt, x); }
    void SetY(int i, int32_t y) { WriteInt(i, YAt, y); }
    void SetX2(int i, int32_t x2) { WriteInt(i, X2At, x2); }
    void SetY2(int i, int32_t y2) { WriteInt(i, Y2At, y2); }
    void SetFlag(int i, bool on) { mItems[i].Packed[FlagAt] = on ? '1' : '0'; }
    void SetMode(int i, uint8_t mode) { mItems[i].Packed[ModeAt] = static_cast<char>(mode); }
    void SetFlag2(int i, bool on) { mItems[i].Packed[Flag2At] = on ? '1' : '0'; }
    void SetParam1(int i, int32_t value) { WriteInt(i, Param1At, value); }
    void SetParam2(int i, int32_t value) { WriteInt(i, Param2At, value); }
    void SetColour(int i, TColorValue colour);
    void SetRect(int i, const TItemRect& rect);
    void SetParam3(int i, int32_t value) { WriteInt(i, Param3At, value); }
    void SetParam4(int i, int32_t value) { WriteInt(i, Param4At, value); }
    // Keeps the header and replaces whatever followed it.
    void SetText(int i, std::string_view text);
    // Replaces the item's format by a copy of format.
    void SetFormat(int i, const TFormatParameters& format);

private:
    // 0-based offsets of the header fields.
    static constexpr std::size_t KindAt = 0;
    static constexpr std::size_t ValueAt = 4;
    static constexpr std::size_t NameAt = 8;
    static constexpr std::size_t XAt = 72;
    static constexpr std::size_t YAt = 76;
    static constexpr std::size_t X2At = 80;
    static constexpr std::size_t Y2At = 84;
    static constexpr std::size_t FlagAt = 88;
    static constexpr std::size_t ModeAt = 89;
    static constexpr std::size_t Flag2At = 90;
    static constexpr std::size_t Param1At = 91;
    static constexpr std::size_t Param2At = 95;
    static constexpr std::size_t ColourAt = 99;
    static constexpr std::size_t ColourModelAt = 103;
    static constexpr std::size_t RectAt = 101;
    static constexpr std::size_t Param3At = 117;
    static constexpr std::size_t Param4At = 121;

    struct TItem {
        std::string Packed;
        std::unique_ptr<TComTextFormat> Format;
    };

    int32_t ReadInt(int i, std::size_t at) const;
    void WriteInt(int i, std::size_t at, int32_t value);
    // A new item of the kind at (x, y) with its second pair of numbers.
    int AddAt(TExportKind kind, int32_t x, int32_t y, int32_t x2 = 0, int32_t y2 = 0);
    // Gives item i the kind of a variant of the item it was appended as; answers i.
    int Rekind(int i, TExportKind kind) {
        SetKind(i, kind);
        return i;
    }
    // A new block item with the box, name, flag and parameters of fields.
    int AddBlock(TExportKind kind, const TBlockFields& fields);

    std::vector<TItem> mItems;
};
