#pragma once

// What the picture commands (draw, view) share: the template source, a style file applied to
// the template, and the picture file to write.

#include "TemplateSource.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMetafile;
class TShablon;
struct TFastDrawParameters;

struct TPictureOptions {
    TTemplateSource Source;
    std::string StyleFile;
    std::string OutFile;

    // Declares the template source's options, --style FILE and --out FILE, whose name must end
    // in one of the extensions (".png").
    void AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults, std::vector<std::string> extensions);
    // The template with the style file loaded into it; nullptr after a complaint (the engine
    // reports a style file it cannot read).
    std::unique_ptr<TShablon> LoadTemplate(std::ostream& err) const;
};

// --zoom P, --first X,Y and --window WxH of the working views.
struct TViewWindowOptions {
    int Width = 800;   // the window in pixels
    int Height = 600;

    // The zoom and the first column and row go into view.
    void AddOptions(TOptionParser& parser, TFastDrawParameters& view);
};

// The help lines of the options above.
extern const char* const ViewWindowHelp;

// --out FILE, whose name must end in one of the extensions (".png").
void AddOutFileOption(TOptionParser& parser, std::string& outFile, std::vector<std::string> extensions);

// Writes the picture as SVG, PDF or PNG by the file's extension. False after a complaint on err:
// a picture left empty because its positions do not fit in 32 bits, or a file that cannot be
// written.
bool WritePictureFile(const TMetafile& picture, const std::string& file, std::ostream& out, std::ostream& err);

// True when path ends in the extension, compared without case.
bool HasExtension(const std::string& path, std::string_view extension);
