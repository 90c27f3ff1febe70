#pragma once

// Where a command's template comes from: "--template FILE", "--picture FILE" (the picture form
// crossgen template prints; either file "-" for the standard input, read once) or "--size WxH",
// a grid of that size of the kind: picked at random
// from a template collection ("--templates FILE", default the game's "templates.col"), a field
// of letter cells or the kind's own shape. "--kind NAME" names the kind, "--seed N" makes the
// pick and every later random choice repeatable.

#include "ChainKind.h"
#include "ChildrenKind.h"
#include "Crossgen.h"
#include "Options.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TShablon;
struct TShablonHeader;
class TCrossword;
struct TKindName;

struct TTemplateSource {
    int Width = 0;  // with Height: a size to pick from the collection
    int Height = 0;
    std::string TemplateFile;  // or a template file
    std::string PictureFile;   // or a template picture
    std::string Parity;        // --size of a kind with the parity switch: "on" or "off"
    std::string Path;          // or the knight path whose cells make the grid (of --size, if given)
    TChainOptions Chains;      // or the chain of a chain kind (of --size, if given), its overlap
    TChildrenOptions Children;  // the words of a children's --size field across
    std::string TemplatesFile;
    std::optional<uint32_t> Seed;  // none: seeded from the clock
    const TKindName* Kind = nullptr;  // none: the kind of the file or picture, classic for a size

    // Declares --size, --template, --picture, --kind, --templates and --seed; the collection
    // defaults to defaults'.
    void AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults);
    // Declares --kind alone.
    void AddKindOption(TOptionParser& parser);
    // After parsing: exactly one of --size, --template and --picture; false after a complaint.
    bool Check(const TOptionParser& parser) const;
    // Seeds the one random generator from --seed, else from the clock.
    void SeedRandom() const;

    // The template as stored (a file, a picture) or as made for the size, of the kind asked
    // for (a text that kind accepts is read into it); nullptr after a complaint on err.
    std::unique_ptr<TShablon> LoadTemplate(std::ostream& err) const;
    // A new crossword of the kind asked for, else of the file's or picture's kind, else
    // classic; nullptr after a complaint on err.
    std::unique_ptr<TCrossword> MakeCrossword(std::ostream& err) const;
    // Loads the template into the crossword the way the crossword prepares a template for a
    // fill; false after a complaint on err.
    bool LoadInto(TCrossword& crossword, std::ostream& err) const;
    // The files the template is read from (the collection only for a size), for the commands
    // that must not overwrite them.
    std::vector<std::string> Inputs() const;

private:
    // The bytes of the template file or picture, read on first use; nullptr after a complaint.
    const std::string* InputText(std::ostream& err) const;
    // The template file's text without the prefix; nullopt after a complaint on err.
    std::optional<std::string> FileBody(std::ostream& err) const;
    // The text of one random collection entry of the size, without the prefix.
    std::optional<std::string> PickEntry(std::ostream& err) const;
    // The header of TemplateFile; false after a complaint on err.
    bool ReadHeader(TShablonHeader& header, std::ostream& err) const;
    // A template of the code read from the text (without the prefix) of the input; nullptr
    // after a complaint on err.
    std::unique_ptr<TShablon> TemplateOfText(const std::string& text, int code, std::ostream& err) const;
    // The template of PictureFile (named receives the kind it names, when given); nullptr after a
    // complaint on err.
    std::unique_ptr<TShablon> ReadPicture(std::ostream& err, const TKindName** named = nullptr) const;
    // The text (without the prefix) of the picture or of the grid made for the size.
    std::optional<std::string> GridText(std::ostream& err) const;
    // The kind code of the template file or picture, or of the classic kind for a size; named
    // receives the kind a picture names, when given.
    std::optional<int> OwnKind(std::ostream& err, const TKindName** named = nullptr) const;
    // Where the input is, for messages.
    std::string InputName() const;

    mutable std::optional<std::string> mInputText;  // the file's bytes once read
};

// Seeds the one random generator with seed, else from the clock.
void SeedRandomFrom(const std::optional<uint32_t>& seed);

// The usage lines of the options above, for the commands' help texts.
std::string TemplateSourceHelp();
