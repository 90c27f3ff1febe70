#include "ComExport.h"

#include <algorithm>

namespace {

constexpr std::size_t PointSize = 8;  // x and y of a polyline point, 4 characters each

// a + b wrapped round in 32 bits, as the stored numbers are.
int32_t WrappedSum(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t BytesAt(std::string_view s, std::size_t at) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(s[at + k]);
    return static_cast<int32_t>(v);
}

void PutBytes(std::string& s, std::size_t at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k) s[at + k] = static_cast<char>(v >> (8 * k) & 0xFF);
}

bool MovesWithThePicture(int kind) {
    switch (static_cast<TExportKind>(kind)) {
    case TExportKind::Cell:
    case TExportKind::CellEx:
    case TExportKind::ColorCell:
    case TExportKind::Number:
    case TExportKind::KeyWordNumber:
    case TExportKind::Outline:
    case TExportKind::Walls:
    case TExportKind::Arrows:
    case TExportKind::HoneyArrows:
    case TExportKind::TextBlock:
    case TExportKind::Picture:
    case TExportKind::FormattedText:
    case TExportKind::Marker:
        return true;
    default:
        return false;
    }
}

const TFormatParameters DefaultFormat{};

}  // namespace

int TComExport::Add() {
    std::string packed(HeaderSize, '\0');
    std::fill_n(packed.begin() + NameAt, NameSize, ' ');
    mItems.push_back({std::move(packed), nullptr});
    return Count() - 1;
}

int32_t TComExport::ReadInt(int i, std::size_t at) const {
    return BytesAt(mItems[i].Packed, at);
}

void TComExport::WriteInt(int i, std::size_t at, int32_t value) {
    PutBytes(mItems[i].Packed, at, value);
}

std::string TComExport::Name(int i) const {
    const std::string_view name = std::string_view(mItems[i].Packed).substr(NameAt, NameSize);
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(name.begin(), name.end(), isBlank);
    const auto last = std::find_if_not(name.rbegin(), name.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

void TComExport::SetName(int i, std::string_view name) {
    std::string& packed = mItems[i].Packed;
    name = name.substr(0, NameSize);
    std::copy(name.begin(), name.end(), packed.begin() + NameAt);
    std::fill(packed.begin() + NameAt + name.size(), packed.begin() + NameAt + NameSize, ' ');
}

TColorValue TComExport::Colour(int i) const {
    return {static_cast<uint32_t>(ReadInt(i, ColourAt)),
            static_cast<TColorModel>(static_cast<uint8_t>(mItems[i].Packed[ColourModelAt]))};
}

void TComExport::SetColour(int i, TColorValue colour) {
    WriteInt(i, ColourAt, static_cast<int32_t>(colour.Value));
    mItems[i].Packed[ColourModelAt] = static_cast<char>(colour.Model);
}

TItemRect TComExport::Rect(int i) const {
    return {ReadInt(i, RectAt), ReadInt(i, RectAt + 4), ReadInt(i, RectAt + 8), ReadInt(i, RectAt + 12)};
}

void TComExport::SetRect(int i, const TItemRect& rect) {
    WriteInt(i, RectAt, rect.Left);
    WriteInt(i, RectAt + 4, rect.Top);
    WriteInt(i, RectAt + 8, rect.Right);
    WriteInt(i, RectAt + 12, rect.Bottom);
}

void TComExport::SetText(int i, std::string_view text) {
    std::string& packed = mItems[i].Packed;
    packed.resize(HeaderSize);
    packed.append(text);
}

std::vector<TItemPoint> TComExport::Points(int i) const {
    const std::string_view text = Text(i);
    std::vector<TItemPoint> points;
    for (std::size_t at = 0; at + PointSize <= text.size(); at += PointSize)
        points.push_back({BytesAt(text, at), BytesAt(text, at + 4)});
    return points;
}

const TFormatParameters& TComExport::Format(int i) const {
    return mItems[i].Format ? mItems[i].Format->Format : DefaultFormat;
}

void TComExport::SetFormat(int i, const TFormatParameters& format) {
    mItems[i].Format = std::make_unique<TComTextFormat>(TComTextFormat{format});
}

void TComExport::ShiftItems(int32_t dx, int32_t dy) {
    for (int i = 0; i < Count(); ++i) {
        const int kind = Kind(i);
        if (MovesWithThePicture(kind)) {
            SetX(i, WrappedSum(X(i), dx));
            SetY(i, WrappedSum(Y(i), dy));
        } else if (kind == static_cast<int>(TExportKind::Line)) {
            SetX(i, WrappedSum(X(i), dx));
            SetY(i, WrappedSum(Y(i), dy));
            SetX2(i, WrappedSum(X2(i), dx));
            SetY2(i, WrappedSum(Y2(i), dy));
        } else if (kind == static_cast<int>(TExportKind::Polyline)) {
            std::string& packed = mItems[i].Packed;
            for (std::size_t at = HeaderSize; at + PointSize <= packed.size(); at += PointSize) {
                PutBytes(packed, at, WrappedSum(BytesAt(packed, at), dx));
                PutBytes(packed, at + 4, WrappedSum(BytesAt(packed, at + 4), dy));
            }
        }
    }
}

int TComExport::AddAt(TExportKind kind, int32_t x, int32_t y, int32_t x2, int32_t y2) {
    const int i = Add();
    SetKind(i, kind);
    SetX(i, x);
    SetY(i, y);
    SetX2(i, x2);
    SetY2(i, y2);
    return i;
}

int TComExport::AddBlock(TExportKind kind, const TBlockFields& fields) {
    const int i = AddAt(kind, fields.X, fields.Y, fields.X2, fields.Y2);
    SetFlag(i, fields.Flag);
    return i;
}

int TComExport::AddCaption(std::string_view text) {
    const int i = Add();
    SetText(i, text);
    return i;
}

int TComExport::AddCell(int32_t x, int32_t y, bool flag, int32_t cellKind) {
    const int i = AddAt(TExportKind::Cell, x, y);
    SetFlag(i, flag);
    SetValue(i, cellKind);
    return i;
}

int TComExport::AddShapedCell(int32_t x, int32_t y, bool flag, int32_t cellKind) {
    return Rekind(AddCell(x, y, flag, cellKind), TExportKind::ShapedCell);
}

int TComExport::AddCanvasCell(int32_t x, int32_t y, bool flag, int32_t cellKind) {
    return Rekind(AddCell(x, y, flag, cellKind), TExportKind::CanvasCell);
}

int TComExport::AddCellEx(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t cellKind) {
    const int i = AddAt(TExportKind::CellEx, x, y, columns, rows);
    SetValue(i, cellKind);
    return i;
}

int TComExport::AddColorCell(int32_t x, int32_t y, int32_t x2, int32_t y2, bool flag, uint8_t mode) {
    const int i = AddAt(TExportKind::ColorCell, x, y, x2, y2);
    SetFlag(i, flag);
    SetMode(i, mode);
    return i;
}

int TComExport::AddNumber(int32_t x, int32_t y, int32_t number) {
    return AddAt(TExportKind::Number, x, y, number);
}

int TComExport::AddNumberOn(int32_t x, int32_t y, int32_t number, TColorValue fill) {
    const int i = AddNumber(x, y, number);
    SetColour(i, fill);
    SetFlag2(i, true);
    return i;
}

int TComExport::AddCanvasNumber(int32_t x, int32_t y, int32_t number) {
    return Rekind(AddNumber(x, y, number), TExportKind::CanvasNumber);
}

int TComExport::AddKeyWordNumber(int32_t x, int32_t y, int32_t cellX, int32_t cellY) {
    return AddAt(TExportKind::KeyWordNumber, x, y, cellX, cellY);
}

int TComExport::AddKeyWordNumberShaped(int32_t x, int32_t y, int32_t cellX, int32_t cellY) {
    return Rekind(AddKeyWordNumber(x, y, cellX, cellY), TExportKind::KeyWordNumberShaped);
}

int TComExport::AddCanvasKeyWordNumber(int32_t x, int32_t y, int32_t cellX, int32_t cellY) {
    return Rekind(AddKeyWordNumber(x, y, cellX, cellY), TExportKind::CanvasKeyWordNumber);
}

int TComExport::AddOutline(int32_t x, int32_t y, int32_t x0, int32_t y0, std::string_view contour) {
    const int i = AddAt(TExportKind::Outline, x, y, x0, y0);
    SetText(i, contour);
    return i;
}

int TComExport::AddWalls(int32_t x, int32_t y, int32_t bits) {
    return AddAt(TExportKind::Walls, x, y, bits);
}

int TComExport::AddArrows(int32_t x, int32_t y, int32_t bits) {
    return AddAt(TExportKind::Arrows, x, y, bits);
}

int TComExport::AddLine(int32_t x, int32_t y, int32_t x2, int32_t y2, std::string_view style) {
    const int i = AddAt(TExportKind::Line, x, y, x2, y2);
    SetName(i, style);
    return i;
}

int TComExport::AddPolyline(const std::vector<TItemPoint>& points, std::string_view style, TColorValue colour,
                            int32_t width) {
    const int i = Add();
    SetKind(i, TExportKind::Polyline);
    std::string text(points.size() * PointSize, '\0');
    for (std::size_t k = 0; k < points.size(); ++k) {
        PutBytes(text, k * PointSize, points[k].X);
        PutBytes(text, k * PointSize + 4, points[k].Y);
    }
    SetText(i, text);
    SetName(i, style);
    SetColour(i, colour);
    SetX2(i, width);
    return i;
}

int TComExport::AddHoneyArrows(int32_t x, int32_t y, int32_t bits, int32_t value) {
    const int i = AddAt(TExportKind::HoneyArrows, x, y, bits);
    SetValue(i, value);
    return i;
}

int TComExport::AddTextBlock(const TBlockFields& fields, std::string_view text) {
    const int i = AddBlock(TExportKind::TextBlock, fields);
    SetName(i, fields.Name);
    SetParam1(i, fields.Param1);
    SetParam2(i, fields.Param2);
    SetText(i, text);
    return i;
}

int TComExport::AddStyledTextBlock(const TBlockFields& fields, std::string_view text,
                                   const TFormatParameters& format) {
    const int i = Rekind(AddTextBlock(fields, text), TExportKind::StyledTextBlock);
    SetFormat(i, format);
    SetFlag2(i, fields.Flag2);
    return i;
}

int TComExport::AddPicture(const TBlockFields& fields, std::string_view fileName) {
    const int i = AddBlock(TExportKind::Picture, fields);
    SetText(i, fileName);
    return i;
}

int TComExport::AddFormattedText(const TBlockFields& fields, std::string_view text, const TFormatParameters& format) {
    const int i = Rekind(AddTextBlock(fields, text), TExportKind::FormattedText);
    SetFormat(i, format);
    return i;
}

int TComExport::AddBackground(std::string_view fileName) {
    const int i = Add();
    SetKind(i, TExportKind::Background);
    SetText(i, fileName);
    return i;
}

int TComExport::AddCellPart(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t cellKind,
                            const TItemRect& rect) {
    const int i = Rekind(AddCellEx(x, y, columns, rows, cellKind), TExportKind::CellPart);
    SetRect(i, rect);
    return i;
}

int TComExport::AddFramedPicture(const TBlockFields& fields, std::string_view fileName) {
    const int i = AddBlock(TExportKind::FramedPicture, fields);
    SetText(i, fileName);
    SetRect(i, fields.Rect);
    SetParam3(i, fields.Param3);
    SetParam4(i, fields.Param4);
    return i;
}

int TComExport::AddFramedText(const TBlockFields& fields, std::string_view text, const TFormatParameters& format) {
    const int i = Rekind(AddFramedPicture(fields, text), TExportKind::FramedText);
    SetName(i, fields.Name);
    SetParam1(i, fields.Param1);
    SetParam2(i, fields.Param2);
    SetFormat(i, format);
    return i;
}

int TComExport::AddMarker(int32_t x, int32_t y) {
    return AddAt(TExportKind::Marker, x, y);
}

int TComExport::AddTurnMarks(int32_t x, int32_t y, int32_t bits) {
    return AddAt(TExportKind::TurnMarks, x, y, bits);
}
