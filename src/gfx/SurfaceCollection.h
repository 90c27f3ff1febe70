#pragma once

// Surface collections: the screen images of "graph.col" looked up by name, and the base of the
// glyph store. Each collection owns its surfaces.

#include "platform/Picture.h"
#include "platform/Surface.h"

#include <string>
#include <string_view>
#include <vector>

// An ordered list of (name, surface); surfaces added without a name are found by position.
class TSurfaceCollection {
public:
    virtual ~TSurfaceCollection() = default;

    // Adds a surface holding the picture's pixels, without a name.
    void AddFromBitmap(const TPicture& bitmap) { AddFromDIB(bitmap.Pixels()); }
    // Adds a surface holding the image, without a name; answers its index (-1 when refused).
    virtual int AddFromDIB(const TDIB& image);

    int Count() const { return static_cast<int>(mItems.size()); }
    TDirectDrawSurface& Surface(int i) { return mItems[i].Surface; }
    const TDirectDrawSurface& Surface(int i) const { return mItems[i].Surface; }
    const std::string& Name(int i) const { return mItems[i].Name; }
    void Delete(int i) { mItems.erase(mItems.begin() + i); }
    void Clear() { mItems.clear(); }

protected:
    struct Item {
        std::string Name;
        TDirectDrawSurface Surface;
    };

    std::vector<Item> mItems;
};

// Where a name is or would go in a TSurfaceSortCollection.
struct TNameSearch {
    bool Found = false;
    int Index = 0;  // the name's index, or where inserting it keeps the order
};

// Named surfaces sorted by name (bytes compared as unsigned codes, a prefix first); names are
// unique and found by binary search. Surfaces enter only by name: AddFromDIB adds nothing.
class TSurfaceSortCollection : public TSurfaceCollection {
public:
    int AddFromDIB(const TDIB&) override { return -1; }

    TNameSearch FindName(std::string_view name) const;
    // The surface named name, or null.
    const TDirectDrawSurface* Find(std::string_view name) const;
    // Adds a surface holding the image under name, replacing the surface of that name if
    // present; answers its index.
    int AddNamed(std::string_view name, const TDIB& image);
};
