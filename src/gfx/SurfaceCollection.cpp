#include "SurfaceCollection.h"

int TSurfaceCollection::AddFromDIB(const TDIB& image) {
    mItems.push_back({std::string(), TDirectDrawSurface(image)});
    return Count() - 1;
}

TNameSearch TSurfaceSortCollection::FindName(std::string_view name) const {
    // std::string_view compares through char_traits<char>, which orders bytes as unsigned codes.
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (std::string_view(mItems[mid].Name) < name)
            lo = mid + 1;
        else
            hi = mid;
    }
    return {lo < Count() && mItems[lo].Name == name, lo};
}

const TDirectDrawSurface* TSurfaceSortCollection::Find(std::string_view name) const {
    const TNameSearch search = FindName(name);
    return search.Found ? &mItems[search.Index].Surface : nullptr;
}

int TSurfaceSortCollection::AddNamed(std::string_view name, const TDIB& image) {
    const TNameSearch search = FindName(name);
    if (search.Found)
        mItems[search.Index].Surface = TDirectDrawSurface(image);
    else
        mItems.insert(mItems.begin() + search.Index, {std::string(name), TDirectDrawSurface(image)});
    return search.Index;
}
