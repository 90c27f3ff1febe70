#pragma once

// The readable picture form of a template, which crossgen prints and reads back:
//
//   estonian 3x2
//   . .w2 .
//   # . .w12
//
// The first line names the kind and the size, then the values the template keeps beside its
// cells (" half=20"). Each further line is a row, one blank-separated token per cell: "#" a
// cell that takes no letter, "." a letter cell, then the cell's data, each a letter and (but
// the mark) a decimal value: "w" walls (attribute A), "a" arrows (attribute B), "t" turn marks
// (attribute C), "d" the direction (attribute D), "m" the mark; a kind may keep one number of
// its own per cell under its own letter ("c" a picture puzzle's colour, "p" a knight's step).

#include <memory>
#include <string>
#include <string_view>

class TShablon;
struct TKindName;

// The template's picture, lines ending in a newline, headed by named when that is a name of the
// template's kind, else by its kind's own name; empty when crossgen has no name for its kind.
std::string TemplatePicture(const TShablon& shablon, const TKindName* named = nullptr);

// The template a picture draws, of the kind it names (named receives that name, when given);
// nullptr, with what is wrong in error, for a picture that is not well formed.
std::unique_ptr<TShablon> ReadTemplatePicture(std::string_view picture, std::string& error,
                                              const TKindName** named = nullptr);
