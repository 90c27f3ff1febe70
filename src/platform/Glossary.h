#pragma once

// The words this code base uses, each for one thing only.
//
//   cell         one square of a grid, addressed (x, y): x the column, y the row.
//   letter cell  a cell that holds a letter of a word; other cells are blocks.
//   slot         the place of one word in a grid: a start cell and a path of steps.
//   word         the letters that fill a slot, or an entry of a dictionary.
//   template     a grid of cells with its slots, not yet filled.
//   mask         the known and unknown letters of a slot, used to search words.
//   candidate    a dictionary word that fits a mask.
//   shard        a rectangle of w x h cells cut from a filled grid for the player.
//   board        the area where the player rebuilds the crossword from shards.
//   tray         the area where the shards are dealt before the player places them.
//   glyph        the picture of one character used to draw text on a surface.
//   surface      a 32-bit pixel buffer that is drawn on or drawn from.
//
// Text is single-byte code page 1251 throughout; see Text.h.
