#pragma once

// What the crossword's printable picture passes between its steps: a text format with the
// height it is drawn at, and one piece of a box that spans several cells.

#include "export/ComExport.h"
#include "export/FormatParameters.h"

// A text format and its letter height in drawing units. The format keeps its size in points in a
// byte; a scaled picture needs heights beyond that.
struct TDrawnFormat {
    TFormatParameters Format;
    int Height = 0;
};

// The part of a picture or text box spanning Columns x Rows cells that one item draws: Piece is
// that part in cells, counted inside the box; the margins (drawing units) keep the content off
// the box's sides.
struct TFramePiece {
    TItemRect Piece;
    int Columns = 1;
    int Rows = 1;
    int MarginX = 0;
    int MarginY = 0;
    bool Centred = false;
};
