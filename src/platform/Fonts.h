#pragma once

// Which fonts the machine has, as fontconfig (the font lookup behind every drawn text) sees them.

#include <string>
#include <string_view>

// True when fontconfig draws a font of that family name with that family itself (names compared
// without case); otherwise substitute receives the family it would draw with instead (empty when
// it finds none at all).
bool FontFamilyInstalled(std::string_view family, std::string& substitute);
