#include "platform/Text.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

// cp1251 of utf8 through the C library, the reference for our own tables.
std::string IconvToCp1251(const std::string& utf8) {
    iconv_t cd = iconv_open("CP1251", "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TEST(Text, LiteralIsConvertedAtCompileTime) {
    constexpr std::string_view error = "Ошибка"_cp;
    static_assert(error.size() == 6);
    static_assert(static_cast<unsigned char>(error[0]) == 0xCE);  // О
    EXPECT_EQ(std::string(error), IconvToCp1251("Ошибка"));
    EXPECT_EQ(std::string("Ёё№«»—"_cp), IconvToCp1251("Ёё№«»—"));
    EXPECT_EQ(std::string("abc 12"_cp), "abc 12");
}

TEST(Text, EveryByteRoundTripsThroughUtf8) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) continue;  // unassigned in the code page
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = ToUtf8(one);
        EXPECT_EQ(FromUtf8(utf8), one) << "byte " << b;
        EXPECT_EQ(IconvToCp1251(utf8), one) << "byte " << b;
    }
}

TEST(Text, FromUtf8MarksWhatTheCodePageLacks) {
    EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK character
    EXPECT_EQ(FromUtf8("\xD0"), "?");                 // cut-off sequence
}

TEST(Text, FormatFillsDirectivesInOrder) {
    struct Case {
        std::string got, expected;
    };
    const Case cases[] = {
        {Format("%dx%d (%dx%d)", 12, 9, 4, 3), "12x9 (4x3)"},
        {Format("Ошибка чтения файла %s"_cp, "a.col"), std::string("Ошибка чтения файла a.col"_cp)},
        {Format("%s_%d", std::string("BT"), -1), "BT_-1"},
        {Format("100%% %d", 5), "100% 5"},
        {Format("%d %d", 1), "1 %d"},
        {Format("trailing %"), "trailing %"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}
