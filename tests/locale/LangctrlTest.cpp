#include "locale/Langctrl.h"

#include "InstallDir.h"
#include "MachineTest.h"

namespace {
class LangCtrlTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        Dir.PointAt(Machine);
    }
    TInstallDir Dir;
};
}  // namespace

TEST_F(LangCtrlTest, WhichFileServesALanguage) {
    Dir.Write("Language\\Config.xml",
              "<Root><Languages>"
              "<Item Enable=\"TRUE\" LangId=\"1031\" FileName=\"Deutsch-alt.xml\" Name=\"Deutsch (alt)\"/>"
              "<Item Enable=\"0x1\" LangId=\"1031\" FileName=\"German.xml\" Name=\"Deutsch\"/>"
              "<Item Enable=\"1\" LangId=\"0x409\" FileName=\"English.xml\" Name=\"English\"/>"
              "<Item Enable=\"1\" LangId=\"1033\" FileName=\"English-2.xml\" Name=\"English 2\"/>"
              "<Item Enable=\"1\" LangId=\"1036\" FileName=\"Missing.xml\" Name=\"Fran\xC3\xA7"
              "ais\"/>"
              "<Item Enable=\"1\" LangId=\"2052\" Name=\"No file\"/>"
              "<Item Enable=\"1\" LangId=\"66569\" FileName=\"Wide.xml\"/>"  // above 65535: never matches
              "</Languages></Root>");
    Dir.Write("Language\\German.xml", "<DATAPACKET/>");
    Dir.Write("Language\\English.xml", "<DATAPACKET/>");
    TLangCtrl& languages = GetLangCtrl();
    EXPECT_EQ(languages.GetLanguageItems().size(), 7u);
    const std::string folder = Dir.Root() + "\\Language\\";
    EXPECT_EQ(languages.LanguageFolder(), folder);
    struct Case {
        uint16_t id;
        std::string file;
        bool available;
    };
    const Case kCases[] = {
        {1031, folder + "German.xml", true},    // TRUE does not enable; 0x1 does
        {1033, folder + "English.xml", true},   // 0x409 is 1033, and the first entry wins
        {1036, folder + "Missing.xml", false},  // named but not there
        {2052, folder, false},                  // no file name: the folder itself
        {1041, "", false},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(languages.GetLanguageFile(c.id), c.file) << c.id;
        EXPECT_EQ(languages.IsLanguageAvailable(c.id), c.available) << c.id;
    }
}

TEST_F(LangCtrlTest, AnIndexWithAnotherRootServesNothing) {
    Dir.Write("Language\\Config.xml",
              "<Config><Languages><Item Enable=\"1\" FileName=\"E.xml\"/></Languages></Config>");
    Dir.Write("Language\\E.xml", "<DATAPACKET/>");
    EXPECT_TRUE(GetLangCtrl().GetLanguageItems().empty());
    EXPECT_EQ(GetLangCtrl().GetLanguageFile(1033), "");
}
