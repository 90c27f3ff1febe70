#pragma once

// The scanword templates: clue cells stand inside the grid, and the first letter cell of every
// word carries in attribute B the arrow code that says where its clue cell lies.
//
// Attribute B: bits 0-2 the code of the vertical word starting at the cell, bits 3-5 the code
// of the horizontal word (0 none, 1..7 the clue cell above, above-left, left, below-left,
// below-right, right / below, above-right); the second kind adds bit 6 (vertical) and bit 7
// (horizontal) for an arrow drawn inside the clue cell, which then marks no clue cell.
// The third kind keeps turn marks in attribute C and lets its words bend at them.
//
// TSkanwordShablon derives from the classic template for its straight runs and numbering;
// clue cells are no letter cells, so they end runs as blocked cells do.

#include "template/ClassicShablon.h"
#include "template/CoordList.h"

#include <string>
#include <string_view>
#include <vector>

// The defect marks the scanword check adds.
namespace DefectMark {
constexpr uint16_t TwoWordClue = 0x0010;    // a clue cell serving two words
constexpr uint16_t CrowdedClue = 0x0020;    // a clue cell serving more than two words
constexpr uint16_t NoClue = 0x0040;         // a word whose clue stands in no clue cell
constexpr uint16_t EmptyArea = 0x0080;      // a non-letter cell that shows no clue
constexpr uint16_t NotClueCell = 0x0100;    // a non-letter cell that serves no word
constexpr uint16_t TwoClues = 0x0800;       // a word with an outside and an inside arrow
}  // namespace DefectMark

// A block of clue cells united by UniteClueCells: its top-left cell and size in cells; an empty
// block stands for free cells that carry no clue.
struct TClueBlock {
    int X = 0;
    int Y = 0;
    int Width = 1;
    int Height = 1;
    bool Empty = false;
};

// The tag a block list keeps for a block: chr(x) chr(y) chr(width) chr(height) chr(type), the
// type 0 for a clue block and 255 for an empty one.
std::string ClueBlockTag(const TClueBlock& block);
TClueBlock ClueBlockOf(std::string_view tag);
// The tag a clue map keeps for a word: chr(x) chr(y) of its first cell, then its path.
std::string ClueWordTag(int x, int y, std::string_view path);

// The neighbour of (x, y) where the clue cell of an arrow code lies; false for code 0 and codes
// above 7. horizontal picks the column of horizontal words (code 6 below instead of right).
bool ArrowClueCell(int x, int y, int code, bool horizontal, int& clueX, int& clueY);
// The neighbour of (x, y), the last cell of a word whose arrow is drawn inside its clue cell,
// where that clue cell lies; false for code 0 and codes above 7.
bool InsideArrowClueCell(int x, int y, int code, bool horizontal, int& clueX, int& clueY);

class TSkanwordShablon : public TClassicShablon {
public:
    TSkanwordShablon(int width, int height, TShablonKind kind = TShablonKind::Skanword);

    bool HasAttrB(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrB); }
    void SetFlagB(int x, int y, bool on) override { SetFlag(x, y, CellFlag::AttrB, on); }
    // Keeps the arrow bits the kind knows on a letter cell inside the grid; clears them elsewhere.
    void SetAttrB(int x, int y, int value) override;
    bool IsClueCell(int x, int y) const override { return HasFlag(x, y, CellFlag::Clue); }
    void SetClueCell(int x, int y, bool on) override { SetFlag(x, y, CellFlag::Clue, on); }

    // Accepts the texts "0", "2", ">" and "A": chr(1) letter cell, chr(2) other cell, chr(4) and
    // the low byte of attribute B a letter cell with arrows. A text cut short shows "Неверный
    // формат шаблона!" and answers false, keeping the cells read.
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Re-applies SetAttrB to every cell, numbers the word starts and derives the clue-cell flags
    // from the arrows (an arrow pointing outside the grid or at a letter cell marks nothing).
    void NumberCells() override;
    // Also counts the cells the arrows point to, so that cropping keeps the clue cells.
    void GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const override;
    // The base mirror, each arrow turned with its word: where the word keeps its reading
    // direction the clue cell turns with the mirror; where the mirror reverses the word the arrow
    // moves to the word's other end, its clue keeping its side of the word.
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override;
    // A letter cell as a letter or key-word cell item; another cell only without united clue
    // blocks, when it is an inner blank or the outside is shown. No numbers.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    // The base check, then the clue marks: clue cells serving two or more words, words without
    // a clue cell, non-letter cells showing no clue and those serving no word.
    void CheckTemplate() override;
    // The base items; with CanUnite on the clue blocks over the used area as cells of several
    // columns and rows; then the arrow of every word of the clue map at its first cell, a
    // quarter cell up or down where two words share a clue cell and an arrow stands at the
    // middle of a cell side.
    void BuildExport(TComExport& list) override;
    // The cells of the moved blocks, then the clue blocks meeting each (a block cut by its edge
    // as the part inside it) and the arrows of the words starting in it.
    void BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) override;

    // The clue map: for every clue cell one tag (ClueWordTag) per word whose arrow starts from
    // it, cells with arrows taken rows outer, columns inner. An arrow pointing outside the grid
    // or at a letter cell registers nothing. Needs the words of the last NumberCells.
    virtual void ClueCellWords(TCoordList& map) const;
    // The index in map of the clue cell serving the word that starts at (x, y) with path, -1
    // when none does. The first kind looks only at the clue cells next to (x, y).
    int FindClueCell(const TCoordList& map, int x, int y, std::string_view path) const;
    // Numbers the cells, then, with CanUnite on, unites the free cells of the area x0 .. width - 1,
    // y0 .. height - 1 with the one-word clue cells of map into blocks (ClueBlockTag): clue
    // blocks keyed at their clue cell, empty blocks at their top-left cell. A clue cell of two or
    // more words keeps a block of its own. The blocks' cells stay clue cells until the next
    // NumberCells.
    void UniteClueCells(int x0, int y0, TCoordList& blocks, const TCoordList& map, int height, int width);

    // Pictures of the arrow codes into ArrowPictures: files named by the arrow settings file,
    // the template's own pictures ("saved") or line arrows; the offsets from the same file.
    void LoadArrowPictures() override;
    // Loads the arrow pictures first when none are loaded yet, so that the view shows arrows.
    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;
    // The base list, then the picture files the arrow settings file names.
    void ListPictureFiles(std::vector<std::string>& files) const override;
    void EditorDefineStyles(TCommandWriter& writer) const override;
    // One remembered shape per arrow key, "STRELKA<key>&": the picture file found beside the
    // arrow settings file, else the line arrow as a curve.
    void EditorLoadArrowShapes(TCommandWriter& writer) const override;
    void EditorDeleteArrowShapes(TCommandWriter& writer) const override;

    // The clue places a word starting at (x, y) may take: bit (code - 1) for each code whose
    // clue cell is a non-letter cell inside the grid; 0 unless a word of that direction starts
    // there (no letter cell before, a letter cell after).
    virtual int AllowedHorzArrows(int x, int y) const;
    virtual int AllowedVertArrows(int x, int y) const;
    // Moves the cell's horizontal (vertical) code to the next allowed code above it, and to 0
    // after the last.
    virtual void NextHorzArrow(int x, int y);
    virtual void NextVertArrow(int x, int y);

    // The names the editor export gives a family of shapes: the remembered shapes' prefix, the
    // style of the drawn ones and the style of the imported pictures.
    struct TEditorShapeStyles {
        std::string Prefix;
        std::string Drawn;
        std::string Picture;
    };

protected:
    // Reads the header and the cells of a text; end receives the position after the last cell.
    bool ParseCells(std::string_view text, int x0, int y0, std::size_t& end);
    // Re-applies SetAttrB to every cell and sets the clue-cell flags the arrows point to.
    void RefreshArrows();

    // One arrow picture: its name in ArrowPictures, the key of the arrow settings file and the
    // arrow bits it draws (as attribute B holds them; the turn bit for a turn picture).
    struct TArrowKey {
        std::string Picture;
        const char* Key;
        int Bits;
    };
    // How the picture of a key is drawn when no file gives it.
    using TDrawn = void (TSkanwordShablon::*)(TCanvas& canvas, int bits) const;

    // The arrow pictures this kind loads.
    virtual std::vector<TArrowKey> ArrowKeys() const;
    // The arrow bits the kind keeps in attribute B.
    virtual int ArrowMask() const { return 0x3F; }
    // Loads the pictures of keys named in a section of the arrow settings file into
    // ArrowPictures, drawn inset from the box by inset units; a key without one gets drawn.
    void LoadPictures(const char* section, const std::vector<TArrowKey>& keys, TDrawn drawn, int inset);
    // The file a key names for the vector-editor export: the name as it is, else beside the
    // arrow settings file ("saved": the file of the collection entry named key); empty when
    // there is none.
    std::string ExportPictureFile(const char* section, const char* key) const;
    // Remembers one editor shape per key under prefix + bits + "&": the file imported into the
    // cell box, else the drawn picture as an open curve.
    void LoadEditorShapes(TCommandWriter& writer, const char* section, const std::vector<TArrowKey>& keys,
                          const TEditorShapeStyles& styles, TDrawn drawn) const;
    void DeleteEditorShapes(TCommandWriter& writer, const std::vector<TArrowKey>& keys, std::string_view prefix) const;
    // The style of the drawn shapes (in the arrow colour, or CMYK black drawnInk when 0 or more)
    // and of the imported pictures (black pictureInk).
    void DefineShapeStyles(TCommandWriter& writer, const TEditorShapeStyles& styles, int drawnInk,
                           int pictureInk) const;

private:
    // The allowed mask of a word stepping (dx, dy) from (x, y).
    int AllowedArrows(int x, int y, int dx, int dy, bool horizontal) const;
    void CycleArrow(int x, int y, int allowed, int shift);
};

// The second scanword: arrows may be drawn inside the clue cell (bits 6 and 7).
class TSkanwordShablon2 : public TSkanwordShablon {
public:
    TSkanwordShablon2(int width, int height, TShablonKind kind = TShablonKind::Skanword2);

    // Also the words whose arrow is drawn inside the clue cell, at the clue cell beyond the
    // cell that carries it.
    void ClueCellWords(TCoordList& map) const override;
    // Also counts the clue cells of the arrows drawn inside them, which no flag marks.
    void GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const override;
    // Also marks the words with both an outside arrow and an inside one.
    void CheckTemplate() override;
    // Also the inside arrows, at the words' last cells.
    void BuildExport(TComExport& list) override;
    // Also the inside arrows of the cells of every moved block.
    void BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) override;

protected:
    std::vector<TArrowKey> ArrowKeys() const override;
    int ArrowMask() const override { return 0xFF; }
};

// The third scanword: words bend at the turn marks of attribute C and are kept in a list of
// the template's own, rebuilt at every NumberCells.
//
// Attribute C (turn marks), by the direction a word enters the cell: down 1 turn right, 2 turn
// left; right 4 turn down, 8 turn up; up 16 turn right, 32 turn left; left 64 turn down, 128
// turn up. Its template text adds a second pass over the cells: chr(2) and the turn byte, or
// chr(1).
class TSkanwordShablon3 : public TSkanwordShablon {
public:
    // The most cells one bending word walks.
    static constexpr int MaxBendingCells = 26;

    TSkanwordShablon3(int width, int height, TShablonKind kind = TShablonKind::Skanword3);

    bool HasAttrC(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrC); }
    void SetFlagC(int x, int y, bool on) override { SetFlag(x, y, CellFlag::AttrC, on); }
    // Keeps the turn byte on a letter cell inside the grid; clears it elsewhere.
    void SetAttrC(int x, int y, int value) override;

    // Every listed bending word whose cells include (x, y).
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // The scanword mirror, the turn marks turned with the cells.
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override;
    // The scanword numbering, then drops the turn marks no neighbour can take and rebuilds the
    // bending words.
    void NumberCells() override;
    // A letter-cell item of a cell with turn marks is followed by its turn item.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;

    void LoadArrowPictures() override;
    void EditorDefineStyles(TCommandWriter& writer) const override;
    void EditorLoadArrowShapes(TCommandWriter& writer) const override;
    void EditorDeleteArrowShapes(TCommandWriter& writer) const override;

    // The bending words as NumberCells last built them: columns outer, rows inner, at every
    // letter cell with arrows a word first stepping right for its horizontal code and one first
    // stepping down for its vertical code; a word of one cell is left out.
    const TShablonWords& BendingWords() const { return mBendingWords; }

private:
    // The word walking from (x, y) in direction step ('6' right, '2' down) into words.
    void AddBendingWord(int x, int y, char step);
    void RebuildBendingWords();
    // The turn mark drawn for a turn bit without a picture.
    void DrawTurnMark(TCanvas& canvas, int bit) const;
    std::vector<TArrowKey> TurnKeys() const;

    TShablonWords mBendingWords;
    // Per cell (x * mIndexedHeight + y) the indices of the bending words through it.
    std::vector<std::vector<int>> mWordsAtCell;
    int mIndexedHeight = 0;
};
