#pragma once

// Fitting texts into cells: clues broken into lines at the largest font that lets them fit,
// multi-line blocks shrunk as a whole to their box, and short texts shrunk to theirs. Sizes and
// heights are canvas units; lines end in CR LF. Inside a word "~" marks a break that prints
// nothing unless used and "-" a break after a printed hyphen.

#include "export/FormatParameters.h"
#include "platform/Canvas.h"

#include <optional>
#include <string>
#include <string_view>

// The Windows character set of a format's character set: 0 Cyrillic, 1 ANSI, else the default.
uint8_t FontCharset(uint8_t charSet);

// The text broken into lines with the canvas font at the given height (words divided into
// syllables with HFlag), when the lines fit maxWidth x maxHeight; none otherwise.
std::optional<std::string> LayoutCellText(TCanvas& canvas, std::string_view text, int maxWidth, int maxHeight,
                                          const TFormatParameters& format, int height);

// The text broken into lines for the largest font (measured at four times the rectangle's size)
// that lets it fit the rectangle; empty when it cannot fit at all. Texts of three characters or
// fewer come back trimmed, unmeasured; with the Z flag "~" marks the line breaks. Leaves the
// canvas font set.
std::string WrapCellText(TCanvas& canvas, std::string_view text, const TRect& rect, const TFormatParameters& format);

// Draws the lines of text (wrapped first with wrap) in the format's font at its size, shrunk as a
// block to fit the rectangle and centred in it or at its top-left corner. fontSize receives the
// size in points the block was drawn at; 0 when nothing was drawn (an empty text or a box
// without area).
void DrawTextBlock(TCanvas& canvas, std::string_view text, const TRect& rect, const TFormatParameters& format,
                   bool centred, bool wrap, double& fontSize);

// Draws one text in the canvas font at a letter height of height, smaller when it would not fit
// the rectangle; centred in it or at its top-left corner. A box without area draws nothing.
void DrawFittedText(TCanvas& canvas, std::string_view text, const TRect& rect, int height, bool centred);
