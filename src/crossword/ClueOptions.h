#pragma once

// What the clue lists print, how one definition is chosen among a word's alternatives, and what
// the small markup at the head of a definition sets.
//
// Clue texts carry two font switches for the output step: "~#1" normal text and "~#2"
// emphasized text (numbers, labels, headings); entries end in CR LF or a blank.

#include "export/FormatParameters.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The options of the answer list, the clue list and the list grouped by rows and columns.
struct TClueListOptions {
    bool Numbers = false;          // print numbers (labels in the grouped list)
    bool Headings = false;         // print the direction headings (together with SplitDirections)
    bool SplitDirections = false;  // across words and down words in two lists
    bool OnePerLine = false;       // end every entry with CR LF, else with a blank
    bool Capitalize = false;       // answer list: upper-case the first letter of each word
    bool Dot = false;              // ". " after the number (and, in the answer list, after the word)
    bool Markup = false;           // pass definitions through the clue markup
    bool Lengths = false;          // append " (", the word length and ")."
    bool Count = false;            // number the entries 1, 2, 3 ..., else by the grid's numbers
    uint8_t Order = 0;             // the word order mode of OrderedWords
    std::vector<int> SlotNumbers = {};  // when not empty, slot i's number instead of its first cell's
    std::string_view MissingClue = "???";  // stands for the clue of a slot without one
};

// The number part of a list entry: "~#2" + the number + ". " (Dot) or " " + "~#1"; empty for a
// number below 1, which no picture shows.
std::string ClueNumberText(int number, const TClueListOptions& options);

// How PickDefinition chooses.
struct TDefinitionChoice {
    bool LimitLength = false;
    uint8_t MaxLength = 0;         // characters of the plain text, with LimitLength
    bool CheckFits = false;        // clues in the grid: only alternatives that fit the slot's clue box
    float MinFontSize = 0;         // points a fitting alternative's layout must reach
    bool PreferPictures = false;   // take an alternative that is a picture when there is one
    int Slot = -1;                 // the slot the definition is for, whose clue box CheckFits measures
};

// A definition's link, set by the "&C" codes of the markup.
struct TLinkParameters {
    bool Link = false;
    int Number1 = 0;
    int Number2 = 0;
    uint8_t Mode = 0;  // 0 .. 3
    std::string Text1;
    std::string Text2;

    bool operator==(const TLinkParameters&) const = default;
};

// A definition read through the markup.
struct TDefinitionMarkup {
    std::string Text;           // the plain text
    TLinkParameters Link;
    bool Picture = false;       // the text names a picture
    TFormatParameters Format;   // the clue format as the codes changed it
    int Position = 0;           // characters the codes took from the head of the definition
};
