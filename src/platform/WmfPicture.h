#pragma once

// Windows metafiles (WMF) as pictures: the drawing is played through libwmf into SVG, which the
// pictures then read as every metafile. Enhanced metafiles (EMF) have no such player here.

#include <optional>
#include <string>
#include <string_view>

// The SVG drawing of a Windows metafile, placeable or plain; nullopt when the data is none or
// cannot be played.
std::optional<std::string> WmfToSvg(std::string_view data);
