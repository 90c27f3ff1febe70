#pragma once

// What the picture commands (draw, view) share: a template with a style file applied.

#include "TemplateSource.h"

#include <iosfwd>
#include <memory>
#include <string>

class TShablon;

// The template of the source with styleFile loaded into it (none when empty); nullptr after a
// complaint (the engine reports a style file it cannot read).
std::unique_ptr<TShablon> LoadStyledTemplate(const TTemplateSource& source, const std::string& styleFile,
                                             std::ostream& err);

// True when path ends in the extension (".png"), compared without case.
bool HasExtension(const std::string& path, std::string_view extension);
