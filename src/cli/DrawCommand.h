#pragma once

// What the picture commands (draw, view) share: the template source, a style file applied to
// the template, and the picture file to write.

#include "TemplateSource.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TShablon;

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

// True when path ends in the extension, compared without case.
bool HasExtension(const std::string& path, std::string_view extension);
