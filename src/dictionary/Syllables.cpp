#include "Syllables.h"

#include "platform/Text.h"

#include <array>

namespace {

enum class LetterClass : uint8_t { Other, Vowel, Consonant, Sign };

const std::array<LetterClass, 256>& Classes() {
    static const std::array<LetterClass, 256> classes = [] {
        std::array<LetterClass, 256> c{};
        const auto mark = [&](std::string_view letters, LetterClass cls) {
            for (const char l : letters) c[static_cast<unsigned char>(l)] = cls;
        };
        mark("АЕЁИОУЫЭЮЯаеёиоуыэюя"_cp, LetterClass::Vowel);
        mark("БВГДЖЗЙКЛМНПРСТФХЦЧШЩбвгджзйклмнпрстфхцчшщ"_cp, LetterClass::Consonant);
        mark("ЪЬъь"_cp, LetterClass::Sign);
        return c;
    }();
    return classes;
}

LetterClass ClassOf(char c) {
    return Classes()[static_cast<unsigned char>(c)];
}

bool IsRunLetter(char c) {
    return static_cast<unsigned char>(c) >= 192;
}

}  // namespace

std::string Syllabify(std::string_view word) {
    const std::size_t length = word.size();
    // 1-based like the rule it follows: at(i) is the i-th letter.
    const auto at = [&](std::size_t i) { return word[i - 1]; };
    std::string out;
    out.reserve(length * 2);
    bool started = false;
    const auto breakIfDue = [&] {
        if (started && out.size() > 1)
            out += '~';
        else
            started = true;
    };
    std::size_t i = 1;
    while (i < length) {
        if (ClassOf(at(i)) == LetterClass::Vowel && !out.empty()) {
            out += '~';
            started = true;
        }
        while (i < length && ClassOf(at(i + 1)) == LetterClass::Consonant) {
            out += at(i);
            ++i;
        }
        if (i == length) break;
        const LetterClass next = ClassOf(at(i + 1));
        if (next == LetterClass::Vowel) {
            breakIfDue();
            out += at(i);
            out += at(i + 1);
            i += 2;
        } else if (next == LetterClass::Sign) {
            if (i + 1 == length) {
                out += at(i);
                out += at(i + 1);
                i += 2;
            } else if (ClassOf(at(i + 2)) == LetterClass::Vowel) {
                breakIfDue();
                out += at(i);
                out += at(i + 1);
                out += at(i + 2);
                i += 3;
            } else {
                out += at(i);
                out += at(i + 1);
                i += 2;
            }
        } else {
            out += at(i);
            ++i;
        }
    }
    if (i == length) out += at(i);
    return out;
}

std::string MarkSyllables(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsRunLetter(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsRunLetter(text[end])) ++end;
        out += Syllabify(text.substr(i, end - i));
        i = end;
    }
    return out;
}
