#pragma once

// The game's artwork: every screen image of "graph.col" (buttons in three states with their
// hit masks, panels, cells, tray frames, grid and outline pieces) and the letter glyphs of
// "font.col", drawn with Cairo from the colours, labels and fonts in assets/artwork.

#include "AssetFile.h"

#include "platform/GraphCollection.h"

#include <string>

class TArtwork {
public:
    // Reads palette.txt, labels.txt, fonts.txt and glyphs.txt from assetDir; throws
    // std::runtime_error when one is missing or lacks a value.
    explicit TArtwork(const std::string& assetDir);

    // One glyph picture per character, named by its code page 1251 code, white on black.
    TGraphCollection Font() const;
    // Every image the screens name; the tag of each is its transparent colour (black). The font
    // is needed to fit the panels to their titles and the check box to its line.
    TGraphCollection Screens(const TGraphCollection& font) const;

private:
    TAssetFile mPalette;
    TAssetFile mLabels;
    TAssetFile mFonts;
    TAssetFile mGlyphs;
};
