#pragma once

// What the picture commands (draw, view, picture) share: the template source, a style file
// applied to the template, and the picture to write.

#include "TemplateSource.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMetafile;
class TShablon;
struct TFastDrawParameters;

// --out FILE and --format F of a picture: the format named, else the one the file's extension
// names. "-" is the standard output, which needs --format when the command writes more than one
// format.
struct TPictureOutput {
    std::string File;
    std::string Format;  // "svg", "pdf" or "png" once Check passed

    // Declares --out FILE and --format over the formats the command writes ("svg", "pdf", "png").
    void AddOptions(TOptionParser& parser, std::vector<std::string> formats);
    // After parsing, with --out given: false, after a complaint, when the format is not known.
    bool Check(const TOptionParser& parser);
    // Writes the picture in the format. False after a complaint on err: a picture left empty
    // because its positions do not fit in 32 bits, or a file that cannot be written.
    bool Write(const TMetafile& picture, std::ostream& out, std::ostream& err) const;

private:
    std::vector<std::string> mFormats;
};

// The help lines of --out and --format for SVG, PDF and PNG pictures.
extern const char* const PictureOutputHelp;

struct TPictureOptions {
    TTemplateSource Source;
    std::string StyleFile;
    TPictureOutput Output;

    // Declares the template source's options, --style FILE, --out FILE and --format over the
    // formats.
    void AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults, std::vector<std::string> formats);
    // The template with the style file loaded into it; nullptr after a complaint (the engine
    // reports a style file it cannot read).
    std::unique_ptr<TShablon> LoadTemplate(std::ostream& err) const;
    // The files the picture is drawn from, which it must not overwrite.
    std::vector<std::string> Inputs() const;
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

// True when path ends in the extension, compared without case.
bool HasExtension(const std::string& path, std::string_view extension);
