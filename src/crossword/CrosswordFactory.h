#pragma once

// The crossword class factory. The classic kind is built in; the other kinds live in a higher
// layer and register their constructors here.

#include "Crossword.h"

#include <functional>
#include <memory>

using TCrosswordMaker = std::function<std::unique_ptr<TCrossword>()>;

// Which code CreateCrossword is given.
enum class TKindCode {
    Crossword,  // a crossword kind code
    Template,   // a template kind code; template kind 4 carries no crossword
};

// A new crossword of the kind, or nullptr for a code that names no registered kind (or when
// making it failed).
std::unique_ptr<TCrossword> CreateCrossword(int code, TKindCode by = TKindCode::Crossword);

// Makes CreateCrossword build kind with maker; the maker it replaces (empty when none).
TCrosswordMaker RegisterCrosswordKind(TCrosswordKind kind, TCrosswordMaker maker);
