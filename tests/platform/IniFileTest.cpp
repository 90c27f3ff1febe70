#include "ScratchFolder.h"

#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct IntegerCase {
    const char* text;
    bool valid;
    int32_t value;
};

TEST(IniInteger, DecimalAndHexadecimalWithin32Bits) {
    const IntegerCase cases[] = {
        {"0", true, 0},
        {"12", true, 12},
        {"+7", true, 7},
        {"-5", true, -5},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"$FF", true, 255},
        {"0x10", true, 16},
        {"0XaB", true, 171},
        {"$FFFFFFFF", true, -1},
        {"0x80000000", true, -2147483647 - 1},
        {"-$10", true, -16},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"$100000000", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {" 12", false, 0},
        {"12 ", false, 0},
        {"$G", false, 0},
        {"--1", false, 0},
    };
    for (const IntegerCase& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ParseIniInteger(c.text, value), c.valid) << c.text;
        if (c.valid) { EXPECT_EQ(value, c.value) << c.text; }
    }
}

class IniFile : public testing::Test {
protected:
    std::string Write(const std::string& text) const { return scratch.Write("a.ini", text); }
    static std::string Read(const std::string& path) { return ScratchFolder::Read(path); }

    ScratchFolder scratch{"ini"};
    const fs::path& dir = scratch.Dir();
};

TEST_F(IniFile, ReadsSectionsAndKeysWithoutCase) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e = end;
        const TIniFile ini(Write("; head" + e + "[Main]" + e + "Width = 80" + e + "; note" + e + "name=Arial Cyr " + e +
                                 "  [ Other ]  " + e + "x=1" + e + "[main]" + e + "width=5" + e + "bad line" + e + "=3"));
        EXPECT_FALSE(ini.Failed());
        EXPECT_TRUE(ini.SectionExists("MAIN"));
        EXPECT_TRUE(ini.SectionExists("other"));
        EXPECT_FALSE(ini.SectionExists("none"));
        EXPECT_EQ(ini.ReadSection("main"), (std::vector<std::string>{"Width", "name"}));  // the first section of a name
        EXPECT_EQ(ini.ReadInteger("MAIN", "WIDTH", 0), 80);
        EXPECT_EQ(ini.ReadString("main", "NAME", "?"), "Arial Cyr");
        EXPECT_EQ(ini.ReadString("main", "size", "?"), "?");
        EXPECT_TRUE(ini.ValueExists("Other", "X"));
        EXPECT_FALSE(ini.ValueExists("Main", "x"));
        EXPECT_TRUE(ini.ReadSection("absent").empty());
    }
}

TEST_F(IniFile, IntegersAndBooleansFallBackOnMalformedValues) {
    const TIniFile ini(Write("[S]\nA=$20\nB=seven\nC=0\nD=-3\nE=\n"));
    EXPECT_EQ(ini.ReadInteger("S", "A", -1), 32);
    EXPECT_EQ(ini.ReadInteger("S", "B", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "E", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "Z", -1), -1);
    EXPECT_FALSE(ini.ReadBool("S", "C", true));
    EXPECT_TRUE(ini.ReadBool("S", "D", false));
    EXPECT_TRUE(ini.ReadBool("S", "B", true));
    EXPECT_FALSE(ini.ReadBool("S", "B", false));
}

TEST_F(IniFile, WritesKeepEverythingElse) {
    const std::string path = Write("; made by hand\n"
                                   "[KEEP]\n"
                                   "  Odd =  spacing  \n"
                                   "[Style]\n"
                                   "A=1\n"
                                   "; comment\n"
                                   "B=2\n"
                                   "\n"
                                   "; tail\n"
                                   "[After]\n"
                                   "Z=9\n");
    TIniFile ini(path);
    EXPECT_TRUE(ini.WriteInteger("STYLE", "b", 20));
    EXPECT_TRUE(ini.WriteString("style", "C", " text "));
    EXPECT_TRUE(ini.WriteBool("New", "Flag", true));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(path), "; made by hand\n"
                          "[KEEP]\n"
                          "  Odd =  spacing  \n"
                          "[Style]\n"
                          "A=1\n"
                          "; comment\n"
                          "B=20\n"
                          "C=text\n"
                          "\n"
                          "; tail\n"
                          "[After]\n"
                          "Z=9\n"
                          "[New]\n"
                          "Flag=1\n");
}

// A UTF-8 byte-order mark hides no section and stays; a lone CR ends a line, so that no value
// holds one and every value read can be written back.
TEST_F(IniFile, AByteOrderMarkAndLoneCarriageReturnsAreLineSyntax) {
    const std::string path = Write("\xEF\xBB\xBF[S]\r\nA=a\rb\r\nC=3\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(ini.ReadString("S", "A", "?"), "a");
    EXPECT_EQ(ini.ReadInteger("S", "C", 0), 3);
    EXPECT_TRUE(ini.WriteString("S", "A", ini.ReadString("S", "A", "")));
    EXPECT_TRUE(ini.WriteInteger("S", "C", 4));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(path), "\xEF\xBB\xBF[S]\r\nA=a\r\nb\r\nC=4\r\n");
}

TEST_F(IniFile, ANewFileHasCrLfLines) {
    const std::string path = (dir / "new.ini").string();
    TIniFile ini(path);
    EXPECT_FALSE(ini.Failed());
    EXPECT_TRUE(ini.WriteInteger("S", "K", -2147483647 - 1));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(path), "[S]\r\nK=-2147483648\r\n");
    EXPECT_EQ(TIniFile(path).ReadInteger("s", "k", 0), -2147483647 - 1);
}

TEST_F(IniFile, LineBreaksCannotInjectKeys) {
    const std::string path = Write("[S]\r\nK=1\r\n");
    TIniFile ini(path);
    EXPECT_FALSE(ini.WriteString("S", "K", "2\r\nEVIL=1"));
    EXPECT_FALSE(ini.WriteString("S", "K", "2\nEVIL=1"));
    EXPECT_FALSE(ini.WriteString("S", "A\rB", "1"));
    EXPECT_FALSE(ini.WriteString("S]\n[T", "K", "1"));
    EXPECT_FALSE(ini.WriteString("S", "A=B", "1"));
    EXPECT_FALSE(ini.WriteString("S", " ", "1"));
    EXPECT_EQ(ini.Text(), "[S]\r\nK=1\r\n");
}

TEST_F(IniFile, OnlyRegularFilesAreRead) {
    const TIniFile missing((dir / "none.ini").string());
    EXPECT_FALSE(missing.Failed());
    EXPECT_EQ(missing.Text(), "");

    fs::create_directories(dir / "folder.ini");
    TIniFile folder((dir / "folder.ini").string());
    EXPECT_TRUE(folder.Failed());
    EXPECT_TRUE(folder.WriteInteger("S", "K", 1));
    EXPECT_FALSE(folder.UpdateFile());  // never replaces what it could not read
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
}

TEST_F(IniFile, AnUnwritablePlaceFailsTheUpdate) {
    TIniFile ini((dir / "missing" / "a.ini").string());
    EXPECT_FALSE(ini.Failed());
    ASSERT_TRUE(ini.WriteInteger("S", "K", 2));
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

}  // namespace
