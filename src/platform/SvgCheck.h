#pragma once

// What an SVG body must keep to before librsvg parses it. librsvg renders a reference (a <use>,
// a paint server, a filter, a clip path or a mask named by "#id") by drawing what it names, so
// references to elements that hold references fan out: a kilobyte can ask for millions of
// shapes. Entity declarations are refused too: the XML parser keeps their memory for good.

#include <string_view>

// The most shapes and references an SVG may come to once every reference is followed.
constexpr long long MaxSvgExpandedElements = 50000;

// True when the body declares no entity, is in an encoding the checks can read (UTF-8 or a
// subset of it), embeds no picture other than a PNG of at most MaxPicturePixels, and its
// references, followed through, come to at most MaxSvgExpandedElements elements without a loop.
bool SvgWithinLimits(std::string_view svg);
