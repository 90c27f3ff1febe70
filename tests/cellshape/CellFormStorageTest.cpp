#include "../platform/ScratchFolder.h"

#include "cellshape/KletkaForm.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace {

class CellFormStorage : public testing::Test {
protected:
    std::string Write(const std::string& text) const { return scratch.Write("style.ini", text); }

    ScratchFolder scratch{"form"};
    const std::filesystem::path& dir = scratch.Dir();
};

TEST_F(CellFormStorage, RoundTripUnderEachPrefix) {
    TKletkaForm form;
    form.ImportType = TKletkaImport::Script;
    form.Form = 8;
    form.Param1 = 31;
    form.Param2 = 4;
    form.Param3 = 100;
    form.Param4 = 0;
    form.File1 = "pic.jpg";
    form.File2 = "pic.cdr";
    form.ScriptFile = "/tmp/форма.txt";

    const std::string path = (dir / "out.ini").string();
    TIniFile out(path);
    for (const char* prefix : {"CHAR_", "NOT_CHAR_", "FORM_"}) ASSERT_TRUE(WriteCellForm(out, "S", prefix, form));
    ASSERT_TRUE(out.UpdateFile());

    const TIniFile in(path);
    EXPECT_EQ(in.ReadSection("S").size(), 27u);
    for (const char* prefix : {"CHAR_", "NOT_CHAR_", "FORM_"}) {
        TKletkaForm back;
        std::vector<TIniClamp> clamps;
        ReadCellForm(in, "s", prefix, back, clamps);
        EXPECT_EQ(back, form) << prefix;
        EXPECT_TRUE(clamps.empty());
    }
    EXPECT_EQ(in.ReadString("S", "CHAR_PARAM2", ""), "4");
}

// Values beyond their fields' ranges are held to them and noted, not wrapped round in a byte.
TEST_F(CellFormStorage, MissingMalformedAndOutOfRangeKeys) {
    const TIniFile ini(Write("[S]\n"
                             "FORM_FORM=300\n"
                             "FORM_PARAM2=x7\n"
                             "FORM_PARAM3=$20\n"
                             "FORM_PARAM4=-5\n"
                             "FORM_IMPORTTYPE=258\n"
                             "FORM_FILE2=  a b  \n"));
    TKletkaForm form;
    form.Param1 = 9;
    form.File1 = "old";
    std::vector<TIniClamp> clamps;
    ReadCellForm(ini, "S", "FORM_", form, clamps);
    TKletkaForm expected;
    expected.ImportType = TKletkaImport::Script;
    expected.Form = KletkaForm::Last;
    expected.Param3 = 32;
    expected.File2 = "a b";
    EXPECT_EQ(form, expected);
    std::vector<std::string> noted;
    for (const TIniClamp& clamp : clamps)
        noted.push_back(clamp.Key + "=" + std::to_string(clamp.Value) + " " + std::to_string(clamp.Min) + ".." +
                        std::to_string(clamp.Max));
    EXPECT_EQ(noted, (std::vector<std::string>{"FORM_IMPORTTYPE=258 0..2", "FORM_FORM=300 0..10", "FORM_PARAM4=-5 0..100"}));

    clamps.clear();
    ReadCellForm(ini, "NOWHERE", "FORM_", form, clamps);
    EXPECT_EQ(form, TKletkaForm{});
    EXPECT_TRUE(clamps.empty());
}

TEST_F(CellFormStorage, FileNamesWithLineBreaksAreRefused) {
    TIniFile ini((dir / "x.ini").string());
    TKletkaForm form;
    form.ScriptFile = "a\r\nCHAR_FORM=5";
    EXPECT_FALSE(WriteCellForm(ini, "S", "CHAR_", form));
    EXPECT_FALSE(ini.ValueExists("S", "CHAR_SCRIPTFILE"));
    EXPECT_EQ(ini.ReadInteger("S", "CHAR_FORM", -1), 0);
}

}  // namespace
