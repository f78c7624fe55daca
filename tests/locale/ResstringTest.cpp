#include "locale/Resstring.h"

#include "InstallDir.h"
#include "MachineTest.h"
#include "sys/Mainevent.h"
#include "sys/Debugconsole.h"
#include "ui/Imgbtn.h"
#include "ui/toolkit/Form.h"

namespace {
class ResStringTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        Dir.PointAt(Machine);
    }
    std::string Language(const std::string& name, const std::string& rows) {
        Dir.Write("Language\\" + name,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA/>"
                  "<ROWDATA>" +
                      rows + "</ROWDATA></DATAPACKET>");
        return Dir.Path("Language\\" + name);
    }
    TInstallDir Dir;
};

}  // namespace

TEST_F(ResStringTest, RowsTextsAndOffsets) {
    const std::string german = Language("German.xml",
                                        "<ROW ID=\"STR_BASE_APPLY\" String=\"\xC3\x9C"
                                        "bernehmen\" FontName=\"Neo Sans\" TextXOffset=\"4\" TextYOffset=\"$2\"/>"
                                        "<row ID=\"STR_BASE_CANCEL\" String=\"Abbrechen\" TextXOffset=\"abc\"/>"
                                        "<Row ID=\"STR_BASE_UPDATE\" String=\"\"/>"
                                        "<ROW String=\"no id\"/><ROW ID=\"\" String=\"empty id\"/>"
                                        "<ROW ID=\"STR_MAIN_DESCRIPTION\" String=\"Erst\" FontName=\"F\"/>"
                                        "<ROW ID=\"STR_MAIN_DESCRIPTION\" String=\"Beschreibung\"/>"
                                        "<Other><ROW ID=\"DEEP\" String=\"never\"/></Other>");
    TResString& strings = GetResString();
    EXPECT_EQ(strings.GetString("STR_BASE_APPLY", "Apply"), "Apply");  // nothing loaded yet
    strings.LoadLanguageFile(german);
    struct Case {
        const char* id;
        const char* text;
        const char* font;
        int x;
        int y;
    };
    const Case kCases[] = {
        {"STR_BASE_APPLY",
         "\xC3\x9C"
         "bernehmen",
         "Neo Sans", 4, 2},
        {"STR_BASE_CANCEL", "Abbrechen", "dflt", -1, -1},          // "abc" gives the default
        {"STR_BASE_UPDATE", "dflt", "dflt", -1, -1},               // an empty String counts as untranslated
        {"STR_MAIN_DESCRIPTION", "Beschreibung", "dflt", -1, -1},  // the later row replaces all four
        {"str_base_apply", "dflt", "dflt", -1, -1},                // ids are case-sensitive
        {"DEEP", "dflt", "dflt", -1, -1},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(strings.GetString(c.id, "dflt"), c.text) << c.id;
        EXPECT_EQ(strings.GetFontName(c.id, "dflt"), c.font) << c.id;
        EXPECT_EQ(strings.GetTextXOffset(c.id, -1), c.x) << c.id;
        EXPECT_EQ(strings.GetTextYOffset(c.id, -1), c.y) << c.id;
    }
}

TEST_F(ResStringTest, AMissingFileKeepsTheLanguageAndABrokenOneEmptiesIt) {
    GetDebugConsole(true);
    TResString& strings = GetResString();
    const std::string french = Language("French.xml", "<ROW ID=\"STR_BASE_APPLY\" String=\"Appliquer\"/>");
    strings.LoadLanguageFile(french);
    strings.LoadLanguageFile(Dir.Path("Language\\Missing.xml"));
    strings.LoadLanguageFile("");
    EXPECT_EQ(strings.GetString("STR_BASE_APPLY", "Apply"), "Appliquer");
    Dir.Write("Language\\Broken.xml", "<DATAPACKET><ROWDATA>");
    strings.LoadLanguageFile(Dir.Path("Language\\Broken.xml"));
    EXPECT_EQ(strings.GetString("STR_BASE_APPLY", "Apply"), "Apply");
    auto lines = Machine.Console.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Text, "TLangConfig::m_XmlFileName ... [" + Dir.Root() + "\\Language\\Config.xml]");
    EXPECT_EQ(lines[1].Text, "LangXmlFile=" + french);
}

TEST_F(ResStringTest, AnnouncingTellsEveryListenerInTheOrderTheySubscribed) {
    TResString& strings = GetResString();
    std::string told;
    strings.AnnounceLanguageChange();  // no listener yet: nothing to call
    const int window = strings.LanguageChanged.Subscribe([&] { told += "window "; });
    strings.LanguageChanged.Subscribe([&] { told += "pages "; });
    strings.AnnounceLanguageChange();
    strings.LanguageChanged.Unsubscribe(window);
    strings.AnnounceLanguageChange();
    EXPECT_EQ(told, "window pages pages ");

    // A listener that takes a later one off (its page is destroyed, say): that one is not told.
    TAnnouncer<> announcer;
    int later = 0;
    std::string heard;
    announcer.Subscribe([&] {
        heard += "first ";
        announcer.Unsubscribe(later);
    });
    later = announcer.Subscribe([&] { heard += "later "; });
    announcer.Announce();
    EXPECT_EQ(heard, "first ");
}

TEST_F(ResStringTest, ApplyToButtonRemembersTheDesignAcrossLanguages) {
    const std::string japanese = Language(
        "Japanese.xml",
        "<ROW ID=\"STR_GLIDEPOST_PEAK_RATE\" String=\"\xE3\x83\x94\xE3\x83\xBC\xE3\x82\xAF\" FontName=\"Yu Gothic UI\""
        " TextXOffset=\"6\" TextYOffset=\"1\"/>"
        "<ROW ID=\"STR_GLIDEPOST_DEFAULT\" String=\"\xE6\x97\xA2\xE5\xAE\x9A\"/>");
    const std::string german = Language("German.xml", "<ROW ID=\"STR_GLIDEPOST_PEAK_RATE\" String=\"Spitzenrate\"/>");
    TForm form;
    TImgBtn peak(&form), rate(&form);
    peak.Name = "lblPeakRateCaption";
    peak.Font.SetName("Neo Sans");
    peak.FontEnter.SetName("Neo Sans Bold");  // a design-time state face of its own
    peak.SetCaption("Peak Rate");
    peak.SetTextXOffset(2);
    rate.SetCaption("500 HZ");

    TResString& strings = GetResString();
    strings.ApplyToButton("STR_GLIDEPOST_PEAK_RATE", peak);  // nothing loaded: untouched
    EXPECT_EQ(peak.Caption(), "Peak Rate");
    EXPECT_TRUE(strings.ButtonSnapshots().empty());

    strings.LoadLanguageFile(japanese);
    strings.ApplyToButton("STR_GLIDEPOST_PEAK_RATE", peak);
    strings.ApplyToButton("STR_GLIDEPOST_DEFAULT", rate);
    EXPECT_EQ(peak.Caption(), "\xE3\x83\x94\xE3\x83\xBC\xE3\x82\xAF");
    for (const TFont* font :
         {&peak.Font, &peak.FontEnter, &peak.FontDown, &peak.FontDisabled, &peak.FontDownDisabled}) {
        EXPECT_EQ(font->Name(), "Yu Gothic UI");
    }
    EXPECT_EQ(peak.TextXOffset(), 6);
    EXPECT_EQ(peak.TextYOffset(), 1);
    EXPECT_EQ(rate.Caption(), "\xE6\x97\xA2\xE5\xAE\x9A");

    strings.LoadLanguageFile(german);
    strings.ApplyToButton("STR_GLIDEPOST_PEAK_RATE", peak);
    strings.ApplyToButton("STR_GLIDEPOST_DEFAULT", rate);  // German lacks it: the Japanese caption stays
    EXPECT_EQ(peak.Caption(), "Spitzenrate");
    EXPECT_EQ(peak.Font.Name(), "Neo Sans");  // no FontName: the design faces come back
    EXPECT_EQ(peak.FontEnter.Name(), "Neo Sans Bold");
    EXPECT_EQ(peak.TextXOffset(), 2);
    EXPECT_EQ(peak.TextYOffset(), 0);
    EXPECT_EQ(rate.Caption(), "\xE6\x97\xA2\xE5\xAE\x9A");
    EXPECT_EQ(strings.ButtonSnapshots().at(&peak).Name, "lblPeakRateCaption");
}
