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

void ReadCellForm(const TIniFile& ini, const std::string& section, const std::string& prefix, TKletkaForm& form,
                  std::vector<TIniClamp>& clamps) {
    // An absent key and a malformed number both leave the default, which is 0 or empty.
    form = TKletkaForm{};
    const auto number = [&](const char* key, int32_t max) {
        return ReadIniInRange(ini, section, prefix + key, 0, 0, max, clamps);
    };
    form.ImportType = static_cast<TKletkaImport>(number("IMPORTTYPE", static_cast<int32_t>(TKletkaImport::Script)));
    form.Form = static_cast<uint8_t>(number("FORM", KletkaForm::Last));
    form.Param1 = number("PARAM1", MaxFormParam);
    form.Param2 = number("PARAM2", MaxFormParam);
    form.Param3 = number("PARAM3", MaxFormParam);
    form.Param4 = number("PARAM4", MaxFormParam);
    form.File1 = ini.ReadString(section, prefix + "FILE1", "");
    form.File2 = ini.ReadString(section, prefix + "FILE2", "");
    form.ScriptFile = ini.ReadString(section, prefix + "SCRIPTFILE", "");
}
