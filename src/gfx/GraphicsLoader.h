#pragma once

// The start-up loaders of the game's artwork: the screen images of "graph.col" and the four
// glyph sets of "font.col". A missing file leaves its collection empty without a message; a
// damaged one loads what it can and says so.

#include "LettersCollection.h"
#include "SurfaceCollection.h"

#include <string>

// The glyph sets the game's texts use: "&0" white, "&1" yellow, "&2" red (all with a dark
// shadow) and "&3" plain blue for the shards' letters.
constexpr TGlyphEffect GlyphSetEffects[] = {
    {TGlyphEffectKind::Shadowed, 0xFFFFFF, 0x000040},
    {TGlyphEffectKind::Shadowed, 0xFFFF00, 0x000040},
    {TGlyphEffectKind::Shadowed, 0xFF0000, 0x000040},
    {TGlyphEffectKind::Plain, 0x0000FF, 0},
};

// Tells the player that a collection file was damaged and only its readable part loaded.
void ReportDamagedCollection(const std::string& fileName);

// Replaces surfaces by one surface per picture of the file, named as the picture, keyed by the
// picture's tag. False when the file cannot be read.
bool LoadGraphics(TSurfaceSortCollection& surfaces, const std::string& fileName);

// Replaces letters by the four glyph sets made from the file's pictures. False when the file
// cannot be read (texts then draw as blank advances).
bool LoadFont(TLettersCollection& letters, const std::string& fileName);
