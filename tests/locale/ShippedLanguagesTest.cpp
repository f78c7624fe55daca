// The language files the program ships translate every text it asks for.
#include "InstallDir.h"
#include "MachineTest.h"
#include "locale/Langctrl.h"
#include "locale/Resstring.h"

using ShippedLanguagesTest = TMachineTest;

TEST_F(ShippedLanguagesTest, EveryLanguageTranslatesEveryId) {
    Machine.Process.ModulePathText = std::string(GLIDEPOST_ASSETS) + "/Bin/Glidepost.exe";
    const char* const kIds[] = {
        "STR_BASE_APPLY",
        "STR_BASE_CANCEL",
        "STR_BASE_UPDATE",
        "STR_GLIDEPOST_DEFAULT",
        "STR_GLIDEPOST_POLLING_RATE",
        "STR_GLIDEPOST_CURRENT_RATE",
        "STR_GLIDEPOST_PEAK_RATE",
        "STR_MAIN_DESCRIPTION",
        "DES_GLIDEPOST_MSG1",
        "DES_GLIDEPOST_MSG2",
        "DES_GLIDEPOST_MSG3",
        "DES_GLIDEPOST_MSG4",
    };
    TLangCtrl& languages = GetLangCtrl();
    std::vector<int> shipped;
    for (const TKytXmlItem& item : languages.GetLanguageItems()) shipped.push_back(item.GetIntAttribute("LangId", 0));
    EXPECT_EQ(shipped, (std::vector<int>{1033, 1031, 1036, 1041, 2052}));
    for (int id : shipped) {
        ASSERT_TRUE(languages.IsLanguageAvailable(static_cast<uint16_t>(id))) << id;
        TResString& strings = GetResString();
        strings.LoadLanguageFile(languages.GetLanguageFile(static_cast<uint16_t>(id)));
        for (const char* key : kIds) EXPECT_NE(strings.GetString(key, ""), "") << id << " " << key;
        EXPECT_NE(strings.GetString("DES_GLIDEPOST_MSG1", "").find('\n'), std::string::npos) << id;
    }
}
