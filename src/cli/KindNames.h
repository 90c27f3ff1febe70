#pragma once

// The names crossgen gives the template and crossword kinds ("--kind NAME"), one table for every
// command, with what a command needs to know of each kind beyond its codes.

#include "crossword/Crossword.h"
#include "template/Shablon.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Where "--size WxH" takes a grid of the kind from.
enum class TSizeSource {
    Collection,   // a template of that size picked from the collection, read into the kind
    LetterField,  // a field of letter cells only
    OwnShape,     // the shape the kind's template gives itself at that size
    FilesOnly,    // none: the kind's templates come from files and pictures
};

struct TKindName {
    const char* Name;
    TShablonKind Template;
    std::optional<TCrosswordKind> Crossword;  // none: the kind has templates only
    TSizeSource Size = TSizeSource::Collection;
    // The crossword lists its words in the order of a match (OrderedWords), each word telling
    // whether it ends in a goal column (the first or the last).
    bool Match = false;
    // The values the template keeps beside its cells, as " key=value" words for the picture
    // form, and one such value set back (false for a key or value the kind does not take).
    std::string (*PictureValues)(const TShablon& shablon) = nullptr;
    bool (*SetPictureValue)(TShablon& shablon, std::string_view key, std::string_view value) = nullptr;
    // With a collection size: the picked template laid out the kind's way (none: read as it is).
    std::unique_ptr<TShablon> (*LayOut)(const TShablon& picked) = nullptr;
    // Members the kind adds to a fill's JSON, each as ", \"key\": value" text: after the kind,
    // and at the end of one word's object.
    std::string (*JsonValues)(const TCrossword& crossword) = nullptr;
    std::string (*JsonWordValues)(const TCrossword& crossword, int slot) = nullptr;
    // A number the kind keeps per cell beyond the template's own data, written in the picture
    // form as CellLetter + the number (nullopt: none there); the numbers read are set back once
    // every cell and value is in place (false when the kind does not take them).
    char CellLetter = 0;
    std::optional<int> (*CellValue)(const TShablon& shablon, int x, int y) = nullptr;
    bool (*SetCellValues)(TShablon& shablon, std::span<const std::optional<int>> values) = nullptr;
    // A kind of exactly this many rows: "--size" takes no other height (0: any).
    int Rows = 0;
};

// Every kind crossgen names, in the order of the help texts.
std::span<const TKindName> AllKindNames();
// The kind of that name, or nullptr.
const TKindName* FindKindName(std::string_view name);
// The kind of templates of that kind (of two names the one that makes crosswords), or nullptr
// when crossgen has no name for it.
const TKindName* KindNameOf(TShablonKind kind);
// The kind of crosswords of that kind, or nullptr when crossgen has no name for it.
const TKindName* KindNameOf(TCrosswordKind kind);
// The name of a template kind code for messages: its crossgen name, else "kind N".
std::string KindLabel(int templateKind);
// The names, separated by ", ", for help texts and complaints.
std::string KindNameList();
// Fills the template's table of the kinds' Russian names, which the statistics report names.
void NameKindsInRussian();
