#pragma once

// The fill command of crossgen: takes a template (a size picked from a template collection or
// a template file), fills it with a dictionary and prints the grid and its words, as text or
// as one JSON object.

#include "Crossgen.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TFillOptions {
    int Width = 0;  // with Height: a size to pick from the collection
    int Height = 0;
    std::string TemplateFile;  // or a template file
    std::string TemplatesFile;
    std::string DictionaryFile;
    std::optional<uint32_t> Seed;  // none: seeded from the clock
    int TimeLimit = 0;             // whole seconds; 0 = none
    bool Json = false;
    bool Help = false;
};

// Reads the options after "fill"; false with a message on err for anything it cannot use.
bool ParseFillOptions(const std::vector<std::string>& args, const TCrossgenDefaults& defaults, TFillOptions& options,
                      std::ostream& err);

int RunFill(const TFillOptions& options, std::ostream& out, std::ostream& err);

// What "crossgen fill --help" prints.
extern const char* const FillHelp;
