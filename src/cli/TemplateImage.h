#pragma once

// "--image FILE [--colors N]": a picture puzzle template made from a BMP, PNG or JPEG image of
// at most 200 x 200 pixels, a cell per pixel, each the nearest of the first N colours of the
// puzzle's palette (index 0, white, the background).

#include <iosfwd>
#include <memory>
#include <string>

class TOptionParser;
class TShablon;
struct TTemplateSource;

struct TImageSource {
    std::string File;
    int Colors = 16;

    // Declares --image and --colors.
    void AddOptions(TOptionParser& parser);
    // After parsing: --image stands alone among the template sources and makes only picture
    // puzzles, --colors goes with it; false after a complaint.
    bool Check(const TOptionParser& parser, const TTemplateSource& source) const;
    // The template of the image; nullptr after a complaint on err.
    std::unique_ptr<TShablon> LoadTemplate(std::ostream& err) const;
};

// The usage lines of the options above.
extern const char* const ImageSourceHelp;
