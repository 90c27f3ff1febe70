#pragma once

// TShablon: a template, the empty shape of a crossword. A grid of at most 200 x 200 cells in
// which some cells are letter cells; the kind (a derived class) decides what a slot is, how the
// template is stored and how it is numbered. A crossword owns one template and asks it for the
// slots through the cell.
//
// Coordinates: x is the column (0 .. Width - 1), y the row (0 .. Height - 1). Cells outside
// Width x Height but inside the 200 x 200 array keep whatever they held (a narrowed template
// hides them); the getters read them, setters ignore positions outside Width x Height.

#include "ShablonLook.h"
#include "ShablonWords.h"

#include "platform/GraphCollection.h"
#include "platform/IniFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IAutomation;
class TBitmap;
class TCanvas;
class TCommandWriter;
class TComExport;
class TCoord;
class TCoordList;
class TDrawingFiles;
class TfmProgress;
class TIniFile;
class TMetafile;
class TPicture;
struct TEditorBox;
struct TItemRect;
struct TRect;

// Template kind codes, as stored in template texts.
enum class TShablonKind : uint8_t {
    Classic = 0,
    Estonish = 1,
    Skanword = 2,
    Chainword = 3,
    Japonish = 4,
    Line = 5,
    FillWord = 6,
    English = 7,
    FootBall = 8,
    Honey = 9,
    Honey8 = 10,
    Circle = 11,
    American = 12,
    Kinder = 13,
    Skanword2 = 14,
    CrossChainword = 15,
    Knight = 16,
    Skanword3 = 17,
    Diagonal = 18,
};
constexpr int ShablonKindCount = 19;

// The kinds' names in the statistics report, left for a host application to fill.
extern std::array<std::string, ShablonKindCount> KindNames;

// Defect marks set by CheckTemplate.
namespace DefectMark {
constexpr uint16_t NoSlot = 0x0001;         // a letter cell in no slot
constexpr uint16_t Over25 = 0x0002;         // a slot longer than 25 letters
constexpr uint16_t FewCrossings = 0x0004;   // fewer than 2 crossing cells
constexpr uint16_t LowCrossings = 0x0008;   // crossing cells fewer than 0.4 of the letters
constexpr uint16_t TooShort = 0x0200;       // shorter than MinWordLength
constexpr uint16_t TooLong = 0x0400;        // longer than MaxWordLength
}  // namespace DefectMark

// Cell kinds of the export items and the drawing: the look a cell is drawn with.
namespace CellKind {
constexpr int Letter = 0;   // LetterCellLook
constexpr int Other = 1;    // BlankCellLook
constexpr int KeyWord = 2;  // KeyWordCellLook
}  // namespace CellKind

// The axes of MirrorCells.
enum class TMirrorAxes : uint8_t {
    Horizontal = 1,  // left and right swap
    Vertical = 2,    // top and bottom swap
    Both = 3,
};

// One mirror of the cells [X0..X1] x [Y0..Y1] (held to the 200 x 200 array): where the content of
// a cell inside lands, and which sides swap.
struct TMirror {
    TMirror(int x0, int y0, int x1, int y1, TMirrorAxes axes);

    int X0, Y0, X1, Y1;
    bool LeftRight;  // columns swap across the middle, left and right sides with them
    bool TopBottom;  // rows swap, top and bottom sides with them

    bool Contains(int x, int y) const { return x >= X0 && x <= X1 && y >= Y0 && y <= Y1; }
    int X(int x) const { return LeftRight ? X0 + X1 - x : x; }
    int Y(int y) const { return TopBottom ? Y0 + Y1 - y : y; }
};

// Flag bits of a cell.
namespace CellFlag {
constexpr uint16_t Letter = 0x0001;
constexpr uint16_t InnerBlank = 0x0002;  // a non-letter cell enclosed by the template
constexpr uint16_t Clue = 0x0004;
constexpr uint16_t Numbered = 0x0008;    // a word begins here; Number holds its number
constexpr uint16_t AttrA = 0x0010;       // low byte of Attr
constexpr uint16_t AttrB = 0x0020;       // low 16 bits of Attr
constexpr uint16_t AttrD = 0x0040;       // Attr shifted right by 8
constexpr uint16_t MarkE = 0x0080;
constexpr uint16_t AttrC = 0x0400;       // Attr shifted right by 16
}  // namespace CellFlag

struct TShablonCell {
    uint16_t Flags = 0;
    uint32_t Attr = 0;     // its bytes carry kind-specific values
    uint16_t Number = 0;   // meaningful while the numbered flag is set
};

// Mirroring along one axis: the mirror of c is 2 * Axis (+ 1 with the half step) - c, in a byte.
struct TSymmetry {
    bool Enabled = false;
    int32_t Axis = 0;
    bool HalfStep = false;

    int MirrorOf(int c) const {
        return static_cast<uint8_t>(2 * (Axis & 0xFF) + (HalfStep ? 1 : 0) - c);
    }
};

// A block of cells moved as a whole in an export: the cells [X .. X + Width - 1] x
// [Y .. Y + Height - 1], drawn DX columns and DY rows away from their place.
struct TCellBlock {
    int X = 0;
    int Y = 0;
    int Width = 1;
    int Height = 1;
    int DX = 0;
    int DY = 0;
};

// What the working view of a template shows. Passed by value; the cell lists stay owned by the
// caller and may be null.
struct TFastDrawParameters {
    int32_t FirstColumn = 0;  // grid column at the left edge
    int32_t FirstRow = 0;     // grid row at the top edge
    int32_t Zoom = 100;       // percent: a cell is round(Zoom * 48 / 100) pixels, at least 1
    bool SelectionOn = false;
    int32_t SelX0 = 0;  // the selected cells, inclusive
    int32_t SelY0 = 0;
    int32_t SelX1 = 0;
    int32_t SelY1 = 0;
    // The symmetry axes to draw: Axis is the column (row); HalfStep puts the axis on the right
    // (bottom) edge of that column (row) instead of through its middle.
    TSymmetry XAxis;
    TSymmetry YAxis;
    bool ShowDetails = false;  // numbers, markers, arrows, key-word numbers, the background picture
    bool HighlightOn = false;
    const TCoordList* HighlightCells = nullptr;
    uint8_t PathMode = 0;  // 1 or 2: colour PathCells, then CurrentWord
    const TCoordList* PathCells = nullptr;
    const TCoord* CurrentWord = nullptr;
    std::string PathText;  // typed along PathCells; the crossword's view draws it
    bool ShowMarks = false;

    // The side of a cell in pixels.
    int CellPixels() const;
};

// What the three characters after the "SHABLON  " prefix of a template text say.
struct TShablonHeader {
    int Kind = 0;
    int Width = 1;
    int Height = 1;
};

class TShablon {
public:
    static constexpr int MaxSide = 200;
    // Every template text and template file begins with this.
    static constexpr std::string_view Prefix = "SHABLON  ";

    TShablon(int width, int height, TShablonKind kind);
    virtual ~TShablon() = default;
    TShablon(const TShablon&) = delete;
    TShablon& operator=(const TShablon&) = delete;

    // Reads the header of a template file into header (kind 0, size 1 x 1 first). False when the
    // file cannot be read, lacks the prefix or the three header characters, or gives a side
    // above 200 (header then already holds the values read).
    static bool ReadTemplateHeader(const std::string& fileName, TShablonHeader& header);
    // The same for the text of a template file.
    static bool ParseTemplateHeader(std::string_view text, TShablonHeader& header);

    // --- the grid ---

    // Clears the cells of [x0..x1] x [y0..y1] (clamped to the grid) and sets their letter flag
    // to letter through the symmetric setter.
    void ClearRect(int x0, int y0, int x1, int y1, bool letter);
    // The clue number of a numbered cell, else 0.
    int GetNumber(int x, int y) const;
    void SetNumber(int x, int y, int n);
    bool IsOutside(int x, int y) const { return x < 0 || y < 0 || x > Width - 1 || y > Height - 1; }
    bool SymmetryOn() const { return MirrorX.Enabled || MirrorY.Enabled; }
    void SetSize(int width, int height);

    // The n-th key-word cell (1-based, whatever BeginNumber is); false past the list.
    bool KeyWordCell(int n, int& x, int& y) const;
    void ClearKeyWord() { KeyWordCells.clear(); }

    // Raw cell access for the kinds; (x, y) must lie inside the 200 x 200 array.
    TShablonCell& RawCell(int x, int y) { return Cells[Index(x, y)]; }
    const TShablonCell& RawCell(int x, int y) const { return Cells[Index(x, y)]; }

    // --- virtual operations: size and cells ---

    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    // 0: slots are straight crossing runs; 1: each slot is one free path; 2: chainword.
    virtual int GetWordLayout() const { return 0; }

    virtual bool HasAttrC(int x, int y) const { return false; }
    virtual int GetAttrC(int x, int y) const;
    virtual void SetFlagC(int x, int y, bool on) {}
    virtual void SetAttrC(int x, int y, int value) {}
    virtual bool IsLetterCell(int x, int y) const { return HasFlag(x, y, CellFlag::Letter); }
    // Sets or clears the letter flag of one cell inside Width x Height.
    virtual void SetLetterCellOnly(int x, int y, bool on);
    // Sets or clears the letter flag of a cell and of its mirror images.
    virtual void SetLetterCell(int x, int y, bool on);
    virtual bool IsNumbered(int x, int y) const { return HasFlag(x, y, CellFlag::Numbered); }
    virtual void SetNumbered(int x, int y, bool on) { SetFlag(x, y, CellFlag::Numbered, on); }
    virtual bool IsInnerBlank(int x, int y) const { return HasFlag(x, y, CellFlag::InnerBlank); }
    virtual void SetInnerBlank(int x, int y, bool on) { SetFlag(x, y, CellFlag::InnerBlank, on); }
    virtual bool HasAttrA(int x, int y) const { return false; }
    virtual void SetFlagA(int x, int y, bool on) {}
    virtual int GetAttrA(int x, int y) const;
    virtual void SetAttrA(int x, int y, int value) {}
    virtual bool HasAttrB(int x, int y) const { return false; }
    virtual void SetFlagB(int x, int y, bool on) {}
    virtual int GetAttrB(int x, int y) const;
    virtual void SetAttrB(int x, int y, int value) {}
    virtual bool IsClueCell(int x, int y) const { return false; }
    virtual void SetClueCell(int x, int y, bool on) {}
    virtual bool HasAttrD(int x, int y) const { return HasFlag(x, y, CellFlag::AttrD); }
    virtual void SetFlagD(int x, int y, bool on) {}
    virtual int GetAttrD(int x, int y) const;
    virtual void SetAttrD(int x, int y, int value) {}
    virtual bool HasMarkE(int x, int y) const { return false; }
    virtual void SetMarkE(int x, int y, bool on) {}

    // --- virtual operations: key word ---

    // BeginNumber + i when (x, y) is the i-th (0-based) key-word cell, else -1.
    virtual int KeyWordNumberAt(int x, int y) const;
    // Makes (x, y) the key-word cell of the given number; the cells from that number on move
    // one place later. Nothing for number <= 0.
    virtual void SetKeyWordCell(int x, int y, int number);

    // --- virtual operations: slots, storage, numbering ---

    // Clears words, then adds every slot that passes through (x, y).
    virtual void WordsThroughCell(int x, int y, TShablonWords& words) const = 0;
    // Places the stored cells of a template text (without the prefix) with their first column
    // at x0 and first row at y0. False with a message for a malformed or foreign text.
    virtual bool ParseTemplate(std::string_view text, int x0, int y0) = 0;
    // The header and body of the rectangle [x0..x1] x [y0..y1], without the prefix.
    virtual std::string SerializeTemplate(int x0, int y0, int x1, int y1) const = 0;
    // Reads a whole template text (without the prefix), as a template file holds it, and derives
    // what the kind derives from it on loading.
    virtual bool LoadFromText(std::string_view text) { return ParseTemplate(text, 0, 0); }
    // Reads FileName through LoadFromText (the caller sets the size from ReadTemplateHeader first).
    bool LoadFromFile();
    // The text of a template file holding the whole grid: the prefix, then SerializeTemplate.
    std::string FileText() const;
    // Writes the whole grid to FileName.
    virtual bool SaveToFile();
    // Assigns the clue numbers.
    virtual void NumberCells() = 0;

    // --- virtual operations: reshaping ---

    // The first used column and row and one past the last ones; (0, 0, 1, 1) with none used.
    // A used cell is a letter cell or a clue cell.
    virtual void GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const;
    // The move the export makes to bring the used cells to the top-left corner.
    virtual void ExportMove(int& dx, int& dy) const;
    // Where cell (x, y) lands when the grid's content moves by (dx, dy).
    virtual std::pair<int, int> MovedCell(int x, int y, int dx, int dy) const { return {x + dx, y + dy}; }
    // Moves the used cells to the top-left corner and shrinks the grid to them.
    virtual void CropToUsed();
    // Moves the content of [x0..x1] x [y0..y1] by (dx, dy), then renumbers.
    virtual void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy);
    // Swaps the cells of [x0..x1] x [y0..y1] across the middle of the rectangle along the given
    // axes; the kinds turn what the cells carry that points somewhere (walls, arrows, chain
    // steps) with them. Numbers stay as they were.
    virtual void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes);

    // --- virtual operations: check ---

    // Sets Marks: the defect marks (DefectMark) of every cell of a questionable slot.
    virtual void CheckTemplate();
    // The defect marks of cell (x, y), which must lie inside the 200 x 200 array.
    uint16_t MarksAt(int x, int y) const { return Marks[Index(x, y)]; }
    // Flags as inner blanks exactly the non-letter cells that cannot be reached from the border
    // through non-letter, non-clue cells.
    virtual void MarkInnerBlanks();
    // The report of slot lengths, letter cells and the crossing coefficient; lines end in CR LF.
    virtual std::string GetStatistics() const;

    // --- virtual operations: geometry (drawing units; export units are 1000 per drawing unit,
    // y upward). Computed in 64 bits and held to the int range; ExportFits tells when they fit. ---

    // The margin round the grid: the wide outline's width when it is shown and not thinner than
    // the pen, else the pen width.
    int GridMargin() const;
    // The boxes of the key-word table below the grid, one a column; 0 when it is not shown.
    int KeyWordTableColumns() const;
    // True when every export position and the drawing size of the used area fit in 32 bits.
    bool ExportFits() const;
    virtual int GetCellPixelWidth() const;
    virtual int GetCellPixelHeight() const;
    // The top-left corner of cell (x, y) in drawing units.
    virtual void CellToCanvas(int x, int y, int& px, int& py) const;
    // The export position of cell (x, y).
    virtual void CellToExport(int x, int y, int& ex, int& ey) const;
    // Drawing units of an export position; full adds the whole margin instead of its half.
    virtual void ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const;
    // The size of the used area with its margin, before Scale; the height leaves room for the
    // key-word table when one is shown.
    virtual int GetPixelWidth() const;
    virtual int GetPixelHeight() const;
    // The size of the used area in export units.
    virtual int GetExportWidth() const;
    virtual int GetExportHeight() const;

    // --- virtual operations: export items ---

    // The outline contours round the letter and clue cells. A contour is x, y, side code (4 top,
    // 2 right, 1 bottom, 8 left) and one step per side walked ("6" right, "2" down, "4" left,
    // "8" up); outer contours run clockwise. withInnerBlanks: none round enclosed blanks.
    virtual void TraceOutline(bool withInnerBlanks, std::vector<std::string>& contours) const;
    // One outline item per contour, placed relative to the origin (x0, y0).
    virtual void ExportOutline(TComExport& list, int x0, int y0) const;
    // The items of cell (x, y), placed relative to the origin (x0, y0).
    virtual void ExportCell(int x, int y, int x0, int y0, TComExport& list) const = 0;
    // A second per-cell pass of the kinds that draw walls over their neighbours.
    virtual void ExportCellOverlay(int x, int y, int x0, int y0, TComExport& list) const {}
    // Appends the items of the whole picture (renumbers and marks the inner blanks first).
    virtual void BuildExport(TComExport& list);
    // The cells of each block at its new place: non-letter cells, then letter cells that are not
    // key-word cells, then key-word cells when they are painted.
    virtual void BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks);

    // --- virtual operations: looks and style files ---

    // Reads the looks from a style file: the name as given, else found through TGlobalOption.
    // False, with a message, when there is none or it cannot be read.
    virtual bool LoadStyle(const std::string& fileName);
    // Writes the looks into the style file, keeping its other sections, in one replacement of
    // the whole file; false, with a message, when it cannot be written (the old file then stays
    // as it was).
    bool SaveStyle(const std::string& fileName);
    // Sets the looks' keys in a style file's text; false when a value cannot be set.
    virtual bool WriteStyle(TIniFile& ini);
    // Reads ArrowOffsets from an arrow settings file; what it lacks is 0.
    virtual void ReadArrowOffsets(const std::string& fileName);
    // The same for ScriptArrowOffsets, with the keys prefixed "CDR_".
    virtual void ReadScriptArrowOffsets(const std::string& fileName);
    // Loads the arrow pictures that ArrowLook names (the kinds that draw arrows).
    virtual void LoadArrowPictures() {}
    // The picture files the looks use: the background, then the pictures of the three cell forms.
    virtual void ListPictureFiles(std::vector<std::string>& files) const;
    // Takes the arrow look and reloads the arrow pictures.
    void SetArrowLook(const TStrelkaGraphics& look);

    // --- virtual operations: drawing. Drawing units; (px, py) is the top-left corner of a cell,
    // a cell kind (CellKind) picks the look. Missing pictures and scripts draw nothing. ---

    // One wide-outline contour (side code, then its steps) from cell (x, y), relative to (x0, y0).
    virtual void CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0, std::string_view contour) const;
    virtual void CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const;
    // The cell as a small marker shape chosen by the look's base form code.
    virtual void CanvasDrawShapedCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const;
    // A cell spanning columns x rows cells, in the form of its look.
    virtual void CanvasDrawCellEx(TCanvas& canvas, int px, int py, int columns, int rows, int cellKind,
                                  bool extra) const;
    virtual void CanvasDrawColorCell(TCanvas& canvas, int px, int py, int x2, int y2, bool flag, int mode) const {}
    virtual void CanvasDrawHoneyArrows(TCanvas& canvas, int px, int py, int value, int bits) const {}
    // "CHAR_POLE" draws with the letter cells' pen; other styles keep the current pen.
    virtual void CanvasDrawLine(TCanvas& canvas, int px1, int py1, int px2, int py2, std::string_view style) const;
    // points: pairs of 4-byte little-endian x, y in export units; a trailing partial point is ignored.
    virtual void CanvasDrawPolyline(TCanvas& canvas, std::string_view points, std::string_view style,
                                    TColorValue colour, int width) const;
    virtual void CanvasDrawDigits(TCanvas& canvas, int px, int py, int number, const TDigitGraphics& look) const;
    virtual void CanvasDrawNumber(TCanvas& canvas, int px, int py, int number) const;
    // The digit look of a number standing on a cell filled with fill: its colour kept when it
    // stands out from the fill, else black or white.
    TDigitGraphics DigitLookOn(TColorValue fill) const;
    virtual void CanvasDrawWalls(TCanvas& canvas, int px, int py, int bits) const;
    virtual void CanvasDrawArrows(TCanvas& canvas, int px, int py, int bits) const;
    // The key-word cell (x, y) and its number, when it has one and key-word cells are painted.
    virtual void CanvasDrawKeyWordNumber(TCanvas& canvas, int px, int py, int x, int y) const;
    virtual void CanvasDrawKeyWordNumberShaped(TCanvas& canvas, int px, int py, int x, int y) const;
    virtual void CanvasDrawBackground(TCanvas& canvas, std::string_view name) const;
    // Replaces the metafile by the picture of the template (empty when its positions do not fit
    // in 32 bits).
    virtual void DrawToMetafile(TMetafile& metafile);

    // The arrow of a code drawn with lines into a 100 x 100 box (scanword kinds without pictures).
    void DrawLineArrows(TCanvas& canvas, int code) const;
    // A stroke from (x, y) in a direction 1..8 (down, right, down-right, up-right, up-left, left,
    // down-left, up), long or short, with its head.
    void DrawArrowStroke(TCanvas& canvas, int x, int y, int direction, bool isLong) const;
    // The turn pictures of the 2-bit groups of bits in the cell at (px, py).
    void DrawTurnMarks(TCanvas& canvas, int px, int py, int bits) const;
    // The cells part (counted inside the large cell) of a cell spanning columns x rows cells.
    void DrawCellPart(TCanvas& canvas, int px, int py, int columns, int rows, const TItemRect& part,
                      int cellKind) const;
    // Draws the picture into rect with its proportions, at the top-left corner or centred; an
    // empty picture or rectangle draws nothing.
    static void DrawPictureFitted(TCanvas& canvas, std::shared_ptr<const TPicture> picture, const TRect& rect,
                                  bool centred);
    // Replays item i of an export list onto the canvas as DrawToMetafile does; kinds the template
    // does not draw are skipped.
    void CanvasDrawItem(TCanvas& canvas, const TComExport& list, int i) const;
    // A cell spanning columns x rows cells drawn with the given look instead of a cell kind's.
    void CanvasDrawLookCell(TCanvas& canvas, int px, int py, int columns, int rows, const TKletkaGraphics& look) const;
    // The entry of Pictures of that name, else the picture in the file of that name; null for none.
    std::shared_ptr<const TPicture> NamedPicture(const std::string& name) const;
    // Forgets the files read for earlier drawings: a new drawing reads them afresh.
    void BeginDrawing() const { DrawingFiles.reset(); }

    // --- virtual operations: the vector-editor export. The same primitives as commands through
    // one writer, which either appends script lines or calls a live automation object; export
    // units, (ex, ey) the top-left corner of a cell. ---

    // Appends the commands of the whole picture, one line each.
    virtual void ExportToScript(std::vector<std::string>& lines);
    // Draws the whole picture through the automation object, with the progress window. False,
    // after "OLE-ошибка!", when a call fails; what was drawn before stays.
    virtual bool ExportToOle(IAutomation& editor);
    // The named styles the items apply.
    virtual void EditorDefineStyles(TCommandWriter& writer) const;
    // The arrow shapes the arrow items duplicate, and their removal (the kinds that draw arrows).
    virtual void EditorLoadArrowShapes(TCommandWriter& writer) const {}
    virtual void EditorDeleteArrowShapes(TCommandWriter& writer) const {}
    virtual void EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0, std::string_view contour) const;
    virtual void EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const;
    virtual void EditorDrawShapedCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const;
    virtual void EditorDrawCellEx(TCommandWriter& writer, int ex, int ey, int columns, int rows, int cellKind) const;
    virtual void EditorDrawColorCell(TCommandWriter& writer, int ex, int ey, int x2, int y2, bool flag, int mode) const {}
    virtual void EditorDrawHoneyArrows(TCommandWriter& writer, int ex, int ey, int value, int bits) const {}
    virtual void EditorDrawNumber(TCommandWriter& writer, int ex, int ey, int number) const;
    // A number on a cell filled with fill, in the digit look with a colour that stands out.
    void EditorDrawNumberOn(TCommandWriter& writer, int ex, int ey, int number, TColorValue fill) const;
    virtual void EditorDrawWalls(TCommandWriter& writer, int ex, int ey, int bits) const;
    // Duplicates of the remembered arrow shapes "STRELKA<key>&" (the vertical key bits & 0x47,
    // the horizontal key bits & 0xB8), placed by their code with ScriptArrowOffsets.
    virtual void EditorDrawArrows(TCommandWriter& writer, int ex, int ey, int bits) const;
    virtual void EditorDrawKeyWordNumber(TCommandWriter& writer, int ex, int ey, int x, int y) const;
    virtual void EditorDrawKeyWordNumberShaped(TCommandWriter& writer, int ex, int ey, int x, int y) const;
    virtual void EditorDrawBackground(TCommandWriter& writer, std::string_view name) const;
    // The visible part of a spanning cell, placed inside a frame of that part.
    void EditorDrawCellPart(TCommandWriter& writer, int ex, int ey, int columns, int rows, const TItemRect& part,
                            int cellKind) const;
    // Duplicates of the remembered turn shapes "TURN<value>&" of the 2-bit groups, centred.
    void EditorDrawTurnMarks(TCommandWriter& writer, int ex, int ey, int bits) const;
    void EditorDrawLine(TCommandWriter& writer, int ex1, int ey1, int ex2, int ey2, std::string_view style) const;
    void EditorDrawDigits(TCommandWriter& writer, int ex, int ey, int number, const TDigitGraphics& look,
                          std::string_view style) const;
    // A picture file (or an entry of Pictures) imported into the box; nothing when the box has no
    // area or the file does not exist.
    void EditorImportPicture(TCommandWriter& writer, const std::string& name, const TEditorBox& box,
                             bool fitted) const;
    // Styles, arrow shapes and every item of list; progress, when given, follows the items.
    void EditorExport(TCommandWriter& writer, const TComExport& list, TfmProgress* progress = nullptr) const;
    // One item of the list.
    void EditorDrawItem(TCommandWriter& writer, const TComExport& list, int i) const;

    // --- virtual operations: the working view ---

    // Renders the view into the bitmap, whose size is the window.
    virtual void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap);
    // The cell under a pixel of the view; -1 for a column (row) outside the grid.
    virtual void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const;
    // How many cells a window of the size shows, partly shown ones included.
    virtual void PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                               int& rows) const;

    // --- fields ---

    uint8_t Width = 1;
    uint8_t Height = 1;
    TShablonKind Kind;
    std::string FileName;  // for LoadFromFile and SaveToFile
    TSymmetry MirrorX;     // left-right mirroring of SetLetterCell
    TSymmetry MirrorY;     // top-bottom mirroring
    std::string KeyWordCells;  // key-word cells in key-word order, two bytes each: x, y
    uint16_t BeginNumber = 1;  // number shown on the first key-word cell
    bool KeyWordAllowed = true;
    uint8_t MinWordLength = 3;
    uint8_t MaxWordLength = 25;
    uint16_t MarkMask = 0xFFFF;
    uint8_t WordBlockWidth = 3;
    uint8_t WordBlockHeight = 3;
    bool UsesDigits = false;
    bool UsesWalls = false;
    bool UsesArrows = false;
    std::vector<uint16_t> Marks;  // defect marks, [x][y] like the cells
    TGraphCollection Pictures;       // pictures the template draws (its background); owned
    TGraphCollection ArrowPictures;  // arrow images of the kinds that draw arrows; owned

    // --- appearance (kept in style files; the constructor sets the defaults of the looks) ---

    int32_t CellSize = 100;  // drawing units of a cell side before Scale
    uint8_t Scale = 1;
    int32_t PenWidth = 7;
    TKletkaGraphics LetterCellLook;
    TKletkaGraphics BlankCellLook;
    TKletkaGraphics KeyWordCellLook;
    TDigitGraphics DigitLook;
    TDigitGraphics KeyWordDigitLook;
    float WallScale = 2.0f;  // wall half-thickness = PenWidth * WallScale
    TColorValue WallColor;
    TStrelkaGraphics ArrowLook;
    TArrowOffsets ArrowOffsets{};        // screen drawing
    TArrowOffsets ScriptArrowOffsets{};  // vector-editor output
    TWideOutline WideOutline;
    bool ShowKeyWordTable = true;
    bool CanUnite = true;
    bool CmykAdaptation = true;
    std::string BackgroundPicture;  // a picture file, or "background" for the one in Pictures
    bool AutoCheck = false;         // check the template before each fast view and show its marks
    bool UsesTurnMarks = false;     // the cells' attribute C holds turn marks
    // The folder of the style file last loaded (empty for none): the pictures, scripts and arrow
    // settings a style names by a relative path are looked for there first.
    std::string StyleFolder;
    // The values the last LoadStyle (and a crossword's LoadStyles after it) found outside what
    // their fields hold and held to the fields' ranges.
    std::vector<TIniClamp> StyleClamps;

    // A file a style names: a relative name found beside the style file, else the name as given.
    std::string StyleFile(const std::string& name) const;

protected:
    static int Index(int x, int y) { return x * MaxSide + y; }
    static bool InArray(int x, int y) { return x >= 0 && y >= 0 && x < MaxSide && y < MaxSide; }
    bool HasFlag(int x, int y, uint16_t flag) const { return InArray(x, y) && (Cells[Index(x, y)].Flags & flag); }
    void SetFlag(int x, int y, uint16_t flag, bool on);
    // The head of a template text body for [x0..x1] x [y0..y1]: the kind, columns and rows.
    std::string TextHead(int x0, int y0, int x1, int y1) const;
    // Numbers the letter cells where a slot of WordsThroughCell begins, row by row, left to
    // right, from 1; every other cell loses its number.
    void NumberWordStarts();
    // Passes the attribute byte at bit shift of every cell of the mirror's rectangle through
    // turn (int -> int), so that what a cell carries that points somewhere turns with the cells.
    template <class TTurn>
    void TurnAttrByte(const TMirror& mirror, int shift, TTurn turn);
    // The fast view's symmetry axes and grid lines over the cols x rows cells of the view (48
    // units a cell), only where the grid's cells are.
    void DrawViewLines(TCanvas& canvas, const TFastDrawParameters& parameters, int cols, int rows) const;

    std::vector<TShablonCell> Cells;  // 200 x 200, indexed [x][y]

private:
    void SetDefaultLooks();

    // The files read for the current drawing, each once; a new drawing forgets them.
    TDrawingFiles& Files() const;
    // The picture a background name stands for: "background" is the one in Pictures, any other
    // name (or a missing one) a file.
    std::shared_ptr<const TPicture> BackgroundPictureOf(std::string_view name) const;
    // The two arrow pictures of the arrow bits in the size x size square at (px, py), moved by
    // their ArrowOffsets in percent of the square.
    void DrawArrowPictures(TCanvas& canvas, int px, int py, int size, int bits) const;

    mutable std::shared_ptr<TDrawingFiles> DrawingFiles;
};

template <class TTurn>
void TShablon::TurnAttrByte(const TMirror& mirror, int shift, TTurn turn) {
    const uint32_t mask = uint32_t{0xFF} << shift;
    for (int x = mirror.X0; x <= mirror.X1; ++x)
        for (int y = mirror.Y0; y <= mirror.Y1; ++y) {
            TShablonCell& cell = Cells[Index(x, y)];
            const int turned = turn(static_cast<int>((cell.Attr & mask) >> shift));
            cell.Attr = (cell.Attr & ~mask) | (static_cast<uint32_t>(turned) << shift & mask);
        }
}
