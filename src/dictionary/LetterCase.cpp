#include "LetterCase.h"

#include "platform/Text.h"

#include <array>

namespace {

constexpr std::string_view Upper = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЧЦШЩЪЫЬЮЯЭ"_cp;
constexpr std::string_view Lower = "абвгдеёжзийклмнопрстуфхчцшщъыьюяэ"_cp;
constexpr std::string_view LowerKeys = "f<dult`:pbqrkvyjghcnea{xwio}sm>z\"";
constexpr std::string_view UpperKeys = "F,DULT~;PBQRKVYJGHCNEA[XWIO]SM.Z'";
static_assert(Upper.size() == 33 && Lower.size() == 33 && LowerKeys.size() == 33 && UpperKeys.size() == 33);

using ByteMap = std::array<char, 256>;

ByteMap Identity() {
    ByteMap map{};
    for (int b = 0; b < 256; ++b) map[b] = static_cast<char>(b);
    return map;
}

const ByteMap& LowerMap() {
    static const ByteMap map = [] {
        ByteMap m = Identity();
        for (std::size_t i = 0; i < Upper.size(); ++i) m[static_cast<unsigned char>(Upper[i])] = Lower[i];
        for (char c = 'A'; c <= 'Z'; ++c) m[static_cast<unsigned char>(c)] = static_cast<char>(c - 'A' + 'a');
        return m;
    }();
    return map;
}

const ByteMap& UpperMap() {
    static const ByteMap map = [] {
        ByteMap m = Identity();
        for (std::size_t i = 0; i < Lower.size(); ++i) m[static_cast<unsigned char>(Lower[i])] = Upper[i];
        // A Russian capital never lies in the key row, so the second step applies only to keys.
        for (std::size_t i = 0; i < LowerKeys.size(); ++i) m[static_cast<unsigned char>(LowerKeys[i])] = UpperKeys[i];
        return m;
    }();
    return map;
}

}  // namespace

std::string_view UpperLetterTable() { return Upper; }
std::string_view LowerLetterTable() { return Lower; }
std::string_view LowerKeyTable() { return LowerKeys; }
std::string_view UpperKeyTable() { return UpperKeys; }

char LowerLetter(char c) {
    return LowerMap()[static_cast<unsigned char>(c)];
}

char UpperLetter(char c) {
    return UpperMap()[static_cast<unsigned char>(c)];
}

std::string LowerText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerLetter(c);
    return out;
}

std::string UpperText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperLetter(c);
    return out;
}
