#include "GraphicsLoader.h"

#include "platform/GraphCollection.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace {

// Reads a picture collection; a damaged file is reported and its readable part kept.
bool ReadPictures(TGraphCollection& pictures, const std::string& fileName) {
    pictures.FileName = fileName;
    if (!pictures.LoadFromFile()) return false;
    if (pictures.Damaged()) ReportDamagedCollection(fileName);
    return true;
}

}  // namespace

void ReportDamagedCollection(const std::string& fileName) {
    TheUi().Message(Format("Файл %s повреждён: загружена только его часть"_cp, FromUtf8(fileName)));
}

bool LoadGraphics(TSurfaceSortCollection& surfaces, const std::string& fileName) {
    surfaces.Clear();
    TGraphCollection pictures;
    if (!ReadPictures(pictures, fileName)) return false;
    for (int i = 0; i < pictures.Count(); ++i) {
        const int index = surfaces.AddNamed(pictures.Name(i), pictures.Picture(i).Pixels());
        surfaces.Surface(index).SetTransparentColor(static_cast<TColor32>(pictures.Tag(i)));
        TheUi().ProcessMessages();
    }
    return true;
}

bool LoadFont(TLettersCollection& letters, const std::string& fileName) {
    letters = TLettersCollection();
    TGraphCollection glyphs;
    if (!ReadPictures(glyphs, fileName)) return false;
    for (int set = 0; set < static_cast<int>(std::size(GlyphSetEffects)); ++set)
        letters.LoadGlyphSet(glyphs, GlyphSetEffects[set], set);
    return true;
}
