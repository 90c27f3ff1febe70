#pragma once

// TGraphCollection: named pictures with a 32-bit tag each, in the order they were added; the
// game's image source ("graph.col", "font.col") and the engine's picture store. Names are
// unique and compared byte for byte; every add refuses a name that is already present.
//
// In a file each picture is a two-part record: the header [kind byte][4-byte tag][name] and
// the picture's stored bytes as the body. For screen images the tag is the transparent colour.

#include "Picture.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGraphCollection {
public:
    std::string FileName;

    // Replaces the contents by the pictures of FileName. False when the file is missing or
    // unreadable (the collection is then empty); a damaged file loads what it can (Damaged()).
    bool LoadFromFile();
    // Adds the pictures of a collection file text, in order. A later record of a name already
    // present only changes that picture's tag. Records that are cut short, carry a bad header or
    // a picture that does not decode are skipped and make Damaged() true; so are pictures past
    // the 4 million pixels (2048 x 2048) the pictures of one text may come to in all.
    void ParseText(std::string_view text);
    // True when the last load or parse skipped something.
    bool Damaged() const { return mDamaged; }
    // The file text of every picture in order; LoadFromFile of it restores the collection.
    std::string SaveToText() const;
    // Writes SaveToText to FileName; false (reported) on a write error.
    bool SaveToFile() const;

    // Each add does nothing and answers false when the name is present or the picture cannot
    // be made. A new picture's tag is 0.
    bool AddFromStream(TPictureKind kind, std::string_view name, std::string_view data);
    // The kind follows the extension: SVG (or WMF, EMF) a metafile, BMP a bitmap, JPG or JPEG a JPEG.
    bool AddFromFile(std::string_view name, const std::string& path);
    // Adds a copy of picture.
    bool AddGraphic(std::string_view name, const TPicture& picture);
    // Adds a black picture (an empty drawing for a metafile) of the kind and size.
    bool AddBlank(std::string_view name, TPictureKind kind, int width, int height);
    // Drops the picture named name and, when path is not empty, adds the file under that name.
    void ReplaceFromFile(std::string_view name, const std::string& path);
    // Adds a copy of every picture of other whose name is not present yet.
    void AssignFrom(const TGraphCollection& other);

    int Count() const { return static_cast<int>(mItems.size()); }
    // The index of the picture named name, or -1.
    int IndexOfName(std::string_view name) const;
    TPictureKind Kind(int i) const { return mItems[i].Picture->Kind(); }
    int32_t Tag(int i) const { return mItems[i].Tag; }
    const std::string& Name(int i) const { return mItems[i].Name; }
    const TPicture& Picture(int i) const { return *mItems[i].Picture; }
    // The picture shared, so that a recorded drawing keeps it alive.
    std::shared_ptr<const TPicture> SharedPicture(int i) const { return mItems[i].Picture; }
    void SetTag(int i, int32_t tag) { mItems[i].Tag = tag; }
    // Renames picture i; false (unchanged) when another picture has the name.
    bool SetName(int i, std::string_view name);

    // A file name for picture i: its name when that holds a ".", else name + ".svg", ".bmp" or ".jpg"
    // (metafiles are kept as SVG).
    std::string PictureFileName(int i) const;
    // base when no picture has it, else the first unused of "base_0", "base_1", ...
    std::string UniqueName(std::string_view base) const;

    void Delete(int i);
    void Clear() { mItems.clear(); }

private:
    struct Item {
        std::string Name;
        int32_t Tag = 0;
        std::shared_ptr<const TPicture> Picture;
    };

    bool Add(std::string_view name, std::unique_ptr<TPicture> picture);

    std::vector<Item> mItems;
    bool mDamaged = false;
};
