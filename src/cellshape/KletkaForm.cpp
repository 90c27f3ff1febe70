#include "KletkaForm.h"

#include "platform/IniFile.h"

bool WriteCellForm(TIniFile& ini, const std::string& section, const std::string& prefix, const TKletkaForm& form) {
    bool ok = ini.WriteInteger(section, prefix + "IMPORTTYPE", static_cast<uint8_t>(form.ImportType));
    ok = ini.WriteInteger(section, prefix + "FORM", form.Form) && ok;
    ok = ini.WriteInteger(section, prefix + "PARAM1", form.Param1) && ok;
    ok = ini.WriteInteger(section, prefix + "PARAM2", form.Param2) && ok;
    ok = ini.WriteInteger(section, prefix + "PARAM3", form.Param3) && ok;
    ok = ini.WriteInteger(section, prefix + "PARAM4", form.Param4) && ok;
    ok = ini.WriteString(section, prefix + "FILE1", form.File1) && ok;
    ok = ini.WriteString(section, prefix + "FILE2", form.File2) && ok;
    return ini.WriteString(section, prefix + "SCRIPTFILE", form.ScriptFile) && ok;
}

void ReadCellForm(const TIniFile& ini, const std::string& section, const std::string& prefix, TKletkaForm& form) {
    // An absent key and a malformed number both leave the default, which is 0 or empty.
    form = TKletkaForm{};
    form.ImportType = static_cast<TKletkaImport>(static_cast<uint8_t>(ini.ReadInteger(section, prefix + "IMPORTTYPE", 0)));
    form.Form = static_cast<uint8_t>(ini.ReadInteger(section, prefix + "FORM", 0));
    form.Param1 = ini.ReadInteger(section, prefix + "PARAM1", 0);
    form.Param2 = ini.ReadInteger(section, prefix + "PARAM2", 0);
    form.Param3 = ini.ReadInteger(section, prefix + "PARAM3", 0);
    form.Param4 = ini.ReadInteger(section, prefix + "PARAM4", 0);
    form.File1 = ini.ReadString(section, prefix + "FILE1", "");
    form.File2 = ini.ReadString(section, prefix + "FILE2", "");
    form.ScriptFile = ini.ReadString(section, prefix + "SCRIPTFILE", "");
}
