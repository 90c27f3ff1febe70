#include "Fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool FontFamilyInstalled(std::string_view family, std::string& substitute) {
    substitute.clear();
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return false;
    const std::string name(family);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match) return false;
    // A face may carry its family name in several languages.
    FcChar8* found = nullptr;
    for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &found) == FcResultMatch; ++i) {
        const std::string_view foundName(reinterpret_cast<const char*>(found));
        if (SameName(foundName, family)) return true;
        if (i == 0) substitute = foundName;
    }
    return false;
}
