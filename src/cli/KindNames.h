#pragma once

// The names crossgen gives the template and crossword kinds ("--kind NAME"), one table for every
// command.

#include "crossword/Crossword.h"
#include "template/Shablon.h"

#include <optional>
#include <string>
#include <string_view>

struct TKindName {
    const char* Name;
    TShablonKind Template;
    std::optional<TCrosswordKind> Crossword;  // none: the kind has templates only
};

// The kind of that name, or nullptr.
const TKindName* FindKindName(std::string_view name);
// The kind of templates of that kind, or nullptr when crossgen has no name for it.
const TKindName* KindNameOf(TShablonKind kind);
// The names, separated by ", ", for help texts and complaints.
std::string KindNameList();
