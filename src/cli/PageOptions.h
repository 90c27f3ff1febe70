#pragma once

// The options of the commands that print puzzles on pages (page, book) and of the print look
// that picture and draw offer: the paper, the margins, the list's columns and type, the title, the
// solution's place, the blocks' grey; and writing the pages as PDF, SVG or PNG.

#include "Options.h"

#include "publish/PageSetup.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

class TCrossword;
class TMetafile;

// --look default|print [--font NAME] [--block-shade P]
struct TLookOptions {
    int Look = 0;  // 0 the crossword's own look, 1 the print look
    TPrintLook Print;

    // Declares --font and --block-shade; with look, --look too.
    void AddOptions(TOptionParser& parser, bool look);
    // After parsing: --font and --block-shade only with the print look, a --font fontconfig has,
    // else the first default face installed; false after a complaint on err.
    bool Check(const TOptionParser& parser, std::ostream& err);
    bool Printed() const { return Look == 1; }
};

// [--paper P] [--margins MM] [--columns N] [--font NAME] [--font-size PT] [--title TEXT]
// [--lengths] [--solution same|separate|none] [--block-shade P] [--allow-incomplete]
struct TPageOptions {
    TPageSetup Setup;
    TLookOptions Look;
    std::string Title;  // UTF-8
    int Solution = 0;
    bool AllowIncomplete = false;

    void AddOptions(TOptionParser& parser);
    // After parsing: the font, and margins that leave room on the paper; the setup is complete
    // then. False after a complaint on err.
    bool Check(const TOptionParser& parser, std::ostream& err);
    // Unless --allow-incomplete: true for a complete crossword, else false after naming what it
    // lacks on err (named for messages: "puzzle 3").
    bool Printable(const TCrossword& crossword, const std::string& name, std::ostream& err) const;
};

// The help lines of the options above.
extern const char* const LookOptionsHelp;
extern const char* const PageOptionsHelp;

// --out FILE: a name ending in .pdf (or, unless pdfOnly, .svg or .png), or "-" for a PDF on the
// standard output.
void AddPagesOutOption(TOptionParser& parser, std::string& outFile, bool pdfOnly);

// Writes the pages by the file's extension: one PDF document ("-": on the standard output); or one
// SVG or PNG (150 dots per inch) per page, the second page and later ones as FILE-2.svg and so
// on. False after a complaint on err.
bool WritePages(std::span<const TMetafile> pages, const std::string& file, std::ostream& out, std::ostream& err);
