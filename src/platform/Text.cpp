#include "Text.h"

std::string ToUtf8(std::string_view cp1251Text) {
    std::string out;
    out.reserve(cp1251Text.size() * 2);
    for (const char c : cp1251Text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t cp = byte < 0x80 ? byte : cp1251::HighHalf[byte - 0x80];
        if (cp == 0) cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string FromUtf8(std::string_view utf8Text) {
    std::string out;
    out.reserve(utf8Text.size());
    for (std::size_t pos = 0; pos < utf8Text.size();) {
        const int b = cp1251::ByteOf(cp1251::DecodeUtf8(utf8Text, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

void FormatArg::AppendTo(std::string& out) const {
    if (mIsText)
        out += mText;
    else
        out += std::to_string(mNumber);
}

std::string FormatArgs(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const char directive = format[i + 1];
        if (directive == '%') {
            out += '%';
            ++i;
        } else if ((directive == 's' || directive == 'd') && next != args.end()) {
            next->AppendTo(out);
            ++next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
