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
    form.Param2 = -4;
    form.Param3 = 100;
    form.Param4 = 2147483647;
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
        ReadCellForm(in, "s", prefix, back);
        EXPECT_EQ(back, form) << prefix;
    }
    EXPECT_EQ(in.ReadString("S", "CHAR_PARAM2", ""), "-4");
}

TEST_F(CellFormStorage, MissingAndMalformedKeysGiveTheDefaults) {
    const TIniFile ini(Write("[S]\n"
                             "FORM_FORM=3\n"
                             "FORM_PARAM2=x7\n"
                             "FORM_PARAM3=$20\n"
                             "FORM_IMPORTTYPE=258\n"
                             "FORM_FILE2=  a b  \n"));
    TKletkaForm form;
    form.Param1 = 9;
    form.File1 = "old";
    ReadCellForm(ini, "S", "FORM_", form);
    TKletkaForm expected;
    expected.ImportType = TKletkaImport::Script;  // kept in a byte
    expected.Form = 3;
    expected.Param3 = 32;
    expected.File2 = "a b";
    EXPECT_EQ(form, expected);

    ReadCellForm(ini, "NOWHERE", "FORM_", form);
    EXPECT_EQ(form, TKletkaForm{});
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
