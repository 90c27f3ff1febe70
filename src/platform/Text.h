#pragma once

// Code page 1251 text. Every string the program keeps or compares is a std::string of
// cp1251 bytes; UTF-8 appears only at the edges (the terminal, message boxes, Cairo text).
// Russian literals in the source are UTF-8 and become cp1251 at compile time: "Ошибка"_cp.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace cp1251 {

// Unicode code points of the bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
inline constexpr std::array<char16_t, 128> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The cp1251 byte of a code point, or -1 when the code page has none.
constexpr int ByteOf(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<int>(codePoint - 0x0410 + 0xC0);
    for (std::size_t i = 0; i < HighHalf.size(); ++i)
        if (HighHalf[i] != 0 && HighHalf[i] == codePoint) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Malformed input yields U+FFFD.
constexpr char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    constexpr Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
    }
    constexpr std::string_view View() const { return {bytes, N - 1}; }
};

template <std::size_t N>
struct Converted {
    char bytes[N]{};
    std::size_t size = 0;
};

template <Utf8Literal Source>
constexpr auto Convert() {
    constexpr std::string_view in = Source.View();
    Converted<in.size() + 1> out;
    for (std::size_t pos = 0; pos < in.size();) {
        const int b = ByteOf(DecodeUtf8(in, pos));
        if (b < 0) throw "character outside code page 1251";  // a compile error in a constant expression
        out.bytes[out.size++] = static_cast<char>(b);
    }
    return out;
}

template <Utf8Literal Source>
inline constexpr auto Stored = Convert<Source>();

}  // namespace cp1251

// "текст"_cp: the cp1251 bytes of a UTF-8 literal, converted at compile time.
template <cp1251::Utf8Literal Source>
constexpr std::string_view operator""_cp() {
    return {cp1251::Stored<Source>.bytes, cp1251::Stored<Source>.size};
}

// UTF-8 of cp1251 text (for the terminal, message boxes and Cairo).
std::string ToUtf8(std::string_view cp1251Text);

// cp1251 of UTF-8 text; characters the code page lacks become '?'.
std::string FromUtf8(std::string_view utf8Text);

// Delphi-style Format over cp1251 text: %s takes text, %d a whole number, %% a percent sign.
// A directive without a matching argument is kept as it stands.
class FormatArg {
public:
    FormatArg(std::string_view text) : mText(text), mIsText(true) {}
    FormatArg(const std::string& text) : mText(text), mIsText(true) {}
    FormatArg(const char* text) : mText(text), mIsText(true) {}
    template <typename Int, typename = std::enable_if_t<std::is_integral_v<Int>>>
    FormatArg(Int number) : mNumber(static_cast<long long>(number)) {}

    void AppendTo(std::string& out) const;

private:
    std::string_view mText;
    long long mNumber = 0;
    bool mIsText = false;
};

std::string FormatArgs(std::string_view format, std::initializer_list<FormatArg> args);

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
    return FormatArgs(format, {FormatArg(args)...});
}

