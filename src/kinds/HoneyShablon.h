#pragma once

// The honeycomb templates: every slot is the ring of cells round a numbered centre, read from the
// centre's start direction round it. A centre is a non-letter cell with mark E; its start
// direction is the second byte of its attribute word (255: none, the kind's default start).
// TBaseHoneyShablon is the common parent and never made by the factory; THoneyShablon (kind 9)
// lays hexagons in rows whose odd members are shifted half a cell right, THoneyShablon_8 (kind 10)
// takes the eight squares round a centre.

#include "template/ClassicShablon.h"

#include "platform/ColorValue.h"

#include <cstdint>
#include <utility>
#include <vector>

// The stroke out of every numbered centre that shows where its ring word starts.
struct THoneyStroke {
    bool Show = true;
    int32_t Width = 7;  // pen width at the template's cell size
    TColorValue Colour;
    uint8_t Len = 30;   // percent of the cell size

    bool operator==(const THoneyStroke&) const = default;
};

class TBaseHoneyShablon : public TClassicShablon {
public:
    static constexpr uint8_t NoDirection = 255;

    // 0: rings read clockwise on the page; any other value counterclockwise.
    uint8_t RingDirection = 0;
    // 0 ring only; 1 centre, then ring; 2 ring, then centre; 3 centre, ring, centre.
    uint8_t RingMode = 0;
    // Kept in the style file's section "HONEY".
    THoneyStroke HoneyStroke;

    // The length of every ring word.
    virtual int RingWordLength() const;
    // The ring of (x, y) in reading order, positions outside the grid left out; their count.
    virtual int RingCells(int x, int y, std::vector<std::pair<int, int>>& cells) const;
    virtual int NextRingDirection(int d, bool clockwise) const = 0;

    // The start direction of a numbered centre, else 255.
    uint8_t StartDirectionOf(int x, int y) const;
    // Makes (x, y) a centre starting at d (255: no longer a centre), and its mirror images too.
    void SetStartDirection(int x, int y, int d);

    bool HasMarkE(int x, int y) const override { return HasFlag(x, y, CellFlag::MarkE); }
    void SetMarkE(int x, int y, bool on) override { SetFlag(x, y, CellFlag::MarkE, on); }

    // A numbered centre itself, else the centres whose rings pass through (x, y); the centre's
    // letter first, last or both as RingMode says.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Rows outer: a centre whose whole ring is letter cells gets the next number.
    void NumberCells() override;
    // A centre is exported with its number among the other cells.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    std::string GetStatistics() const override;

    // A numbered centre with its ring cells inside the grid and all letter cells.
    bool IsRingCentre(int x, int y) const;

protected:
    TBaseHoneyShablon(int width, int height, TShablonKind kind);

    // The cells of a ring before the border cut, and the direction a ring without one starts at.
    virtual int RingSize() const = 0;
    virtual int DefaultStart() const = 0;
    virtual bool IsDirection(int d) const = 0;
    // The neighbour of (x, y) in direction d.
    virtual std::pair<int, int> Neighbour(int x, int y, int d) const = 0;
    // The direction a mirror image of a centre starts at.
    virtual int MirroredDirection(int d) const = 0;
    // Where a stored cell of row y lands when the stored first row was firstRow and the text is
    // placed at row y0; false when the cell is dropped.
    virtual bool PlaceParsedCell(int& x, int& y, int firstRow, int y0) const { return true; }

private:
    void SetStartDirectionOnly(int x, int y, int d);
};

class THoneyShablon : public TBaseHoneyShablon {
public:
    THoneyShablon(int width, int height);

    // (d + 1) mod 6 clockwise, (d + 5) mod 6 otherwise.
    int NextRingDirection(int d, bool clockwise) const override;

    int GetCellPixelWidth() const override;
    void CellToCanvas(int x, int y, int& px, int& py) const override;
    void CellToExport(int x, int y, int& ex, int& ey) const override;
    int GetPixelWidth() const override;
    int GetPixelHeight() const override;
    // Keeps the parity of the rows, so that every ring keeps its cells.
    void CropToUsed() override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;

protected:
    int RingSize() const override { return 6; }
    int DefaultStart() const override { return 0; }
    bool IsDirection(int d) const override { return d >= 0 && d < 6; }
    std::pair<int, int> Neighbour(int x, int y, int d) const override;
    int MirroredDirection(int d) const override { return (d + 3) % 6; }
    // Shifted rows stay shifted: with the parity of the origin changed, the cells landing on an
    // even row move one column right.
    bool PlaceParsedCell(int& x, int& y, int firstRow, int y0) const override;
};

class THoneyShablon_8 : public TBaseHoneyShablon {
public:
    THoneyShablon_8(int width, int height);

    // Clockwise 4, 7, 8, 9, 6, 3, 2, 1; counterclockwise the reverse.
    int NextRingDirection(int d, bool clockwise) const override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;

protected:
    int RingSize() const override { return 8; }
    int DefaultStart() const override { return 4; }
    bool IsDirection(int d) const override { return d >= 1 && d <= 9 && d != 5; }
    std::pair<int, int> Neighbour(int x, int y, int d) const override;
    // The opposite direction: the mirror through the centre of the keypad.
    int MirroredDirection(int d) const override { return 10 - d; }
};
