#pragma once

// Where a command's template comes from: "--template FILE" or "--size WxH" picked at random
// from a template collection ("--templates FILE", default the game's "templates.col"), with
// "--seed N" making the pick and every later random choice repeatable.

#include "Crossgen.h"
#include "Options.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

class TShablon;
struct TShablonHeader;
class TCrossword;

struct TTemplateSource {
    int Width = 0;  // with Height: a size to pick from the collection
    int Height = 0;
    std::string TemplateFile;  // or a template file
    std::string TemplatesFile;
    std::optional<uint32_t> Seed;  // none: seeded from the clock

    // Declares --size, --template, --templates and --seed; the collection defaults to defaults'.
    void AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults);
    // After parsing: exactly one of --size and --template; false after a complaint.
    bool Check(const TOptionParser& parser) const;
    // Seeds the one random generator from --seed, else from the clock.
    void SeedRandom() const;

    // The template as stored (a file) or as picked (a collection entry), any kind the factory
    // makes; nullptr after a complaint on err.
    std::unique_ptr<TShablon> LoadTemplate(std::ostream& err) const;
    // Loads the template into the crossword the way the crossword prepares a template for a
    // fill; false after a complaint on err.
    bool LoadInto(TCrossword& crossword, std::ostream& err) const;

private:
    // The text of one random collection entry of the size, without the prefix.
    std::optional<std::string> PickEntry(std::ostream& err) const;
    // The header of TemplateFile; false after a complaint on err.
    bool ReadHeader(TShablonHeader& header, std::ostream& err) const;
};

// Seeds the one random generator with seed, else from the clock.
void SeedRandomFrom(const std::optional<uint32_t>& seed);

// The usage line of the options above, for the commands' help texts.
extern const char* const TemplateSourceHelp;
