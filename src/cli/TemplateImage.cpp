#include "TemplateImage.h"

#include "Input.h"
#include "KindNames.h"
#include "Options.h"
#include "TemplateSource.h"

#include "kinds/JaponishShablon.h"
#include "platform/Picture.h"

#include <limits>
#include <ostream>

namespace {

constexpr int MaxImageSide = 200;
// Far more than any image of 200 x 200 pixels takes, even an uncompressed one.
constexpr std::size_t MaxImageBytes = 16 * 1024 * 1024;
// Transparent parts of an image are the puzzle's background.
constexpr TColor32 White = 0xFFFFFF;

// The index of the palette colour of the first count nearest to the pixel; the lower on a tie.
int NearestColor(const TJaponishShablon& puzzle, int count, TColor32 pixel) {
    const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < count; ++i) {
        const uint32_t rgb = puzzle.Palette[i].ToRgb();
        const long dr = r - static_cast<long>(rgb & 0xFF), dg = g - static_cast<long>(rgb >> 8 & 0xFF),
                   db = b - static_cast<long>(rgb >> 16 & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

const char* const ImageSourceHelp =
    "  --image FILE       a picturepuzzle template from a BMP, PNG or JPEG image of at most\n"
    "                     200 x 200 pixels: a cell per pixel, each the nearest of the puzzle's\n"
    "                     palette colours (index 0, white, the background; transparent pixels\n"
    "                     are white); rows and columns of background along the edges are\n"
    "                     cropped away, as from every template; - reads it from the standard\n"
    "                     input\n"
    "  --colors N         with --image, the palette colours used: the first N, 2 to 16 (default\n"
    "                     16; 2 makes a two-colour puzzle)\n";

void TImageSource::AddOptions(TOptionParser& parser) {
    parser.Text("--image", File);
    parser.Number("--colors", Colors, 2, TJaponishShablon::PaletteSize);
}

bool TImageSource::Check(const TOptionParser& parser, const TTemplateSource& source) const {
    if (File.empty()) return !parser.Given("--colors") || parser.Complain("--colors only with --image FILE");
    for (const char* other : {"--size", "--template", "--picture", "--path", "--chain"})
        if (parser.Given(other)) return parser.Complain("--image FILE without --size, --template and --picture");
    if (source.Kind && source.Kind->Template != TShablonKind::Japonish)
        return parser.Complain("--kind picturepuzzle with --image FILE");
    return true;
}

std::unique_ptr<TShablon> TImageSource::LoadTemplate(std::ostream& err) const {
    std::string data;
    if (!ReadInput(File, data, err, MaxImageBytes)) return nullptr;
    if (ImageFormatOf(data) == TImageFormat::Unknown) {
        err << "crossgen: " << File << " is not a BMP, PNG or JPEG image\n";
        return nullptr;
    }
    // The size is read from the header first: a large image is refused before it is decoded.
    long long width = 0, height = 0;
    if (ReadImageSize(data, width, height) && (width > MaxImageSide || height > MaxImageSide)) {
        err << "crossgen: the image " << File << " is " << width << " x " << height
            << " pixels; a picture puzzle takes at most " << MaxImageSide << " x " << MaxImageSide << "\n";
        return nullptr;
    }
    const auto image = DecodeImage(data, White, int64_t{MaxImageSide} * MaxImageSide);
    if (!image || image->Width() > MaxImageSide || image->Height() > MaxImageSide) {
        err << "crossgen: the image " << File << " is damaged or cannot be decoded\n";
        return nullptr;
    }
    auto puzzle = std::make_unique<TJaponishShablon>(image->Width(), image->Height());
    puzzle->ColorCount = static_cast<uint8_t>(Colors);
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x) puzzle->SetColorAt(x, y, NearestColor(*puzzle, Colors, image->Pixel(x, y)));
    return puzzle;
}
