// artwork: draws the game's screen images and letter glyphs and writes "graph.col" and
// "font.col". Usage: artwork ASSET_DIR OUT_DIR [PREVIEW_DIR]; with a preview directory every
// picture is also written there as a PNG file to look at.

#include "Artwork.h"

#include "platform/ArtCanvas.h"

#include <cstdio>
#include <exception>

namespace {

bool Preview(const TGraphCollection& pictures, const std::string& dir, const std::string& prefix) {
    for (int i = 0; i < pictures.Count(); ++i)
        if (!WritePngFile(pictures.Picture(i).Pixels(), dir + "/" + prefix + pictures.Name(i) + ".png")) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s ASSET_DIR OUT_DIR [PREVIEW_DIR]\n", argv[0]);
        return 2;
    }
    const std::string assets = argv[1], out = argv[2];
    try {
        const TArtwork artwork(assets);
        TGraphCollection font = artwork.Font();
        TGraphCollection screens = artwork.Screens(font);
        screens.FileName = out + "/graph.col";
        font.FileName = out + "/font.col";
        if (!screens.SaveToFile() || !font.SaveToFile()) return 1;
        if (argc == 4 && (!Preview(screens, argv[3], "") || !Preview(font, argv[3], "glyph-"))) {
            std::fprintf(stderr, "artwork: cannot write the previews to %s\n", argv[3]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
