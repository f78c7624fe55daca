#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"
#include "InstallDir.h"

namespace {
class XmlTest : public ::testing::Test {
protected:
    // Loads a document with one element <Root><E .../></Root> and answers a handle on E.
    TKytXmlItem Element(const std::string& attributes) {
        Dir.Write("a.xml", "<Root><E " + attributes + "/></Root>");
        EXPECT_TRUE(Doc.LoadXmlFile(Dir.Path("a.xml")));
        return TKytXmlItem(FirstNode(Doc.Root(), "/Root/E"));
    }
    TInstallDir Dir;
    TKytXmlBase Doc;
};
}  // namespace

TEST_F(XmlTest, IntegerAttributes) {
    struct Case {
        const char* attribute;
        int expected;
    };
    const Case kCases[] = {
        {"V=\"0x10\"", 16},
        {"V=\"$FF\"", 255},
        {"V=\"-5\"", -5},
        {"V=\" 7\"", 7},
        {"V=\"7 \"", 7},  // through the decimal scan
        {"V=\"12abc\"", 12},
        {"V=\"abc\"", -1},
        {"V=\"\"", -1},
        {"W=\"3\"", -1},
        {"V=\"65535\"", 65535},
        {"V=\"X1f\"", 31},
        {"V=\"2147483648\"", 2147483647},  // too large for the whole-text rule; the scan saturates
    };
    for (const Case& c : kCases) EXPECT_EQ(Element(c.attribute).GetIntAttribute("V", -1), c.expected) << c.attribute;
}

TEST_F(XmlTest, BooleanAndTextAttributes) {
    struct Case {
        const char* text;
        int expected;  // 1 true, 0 false, -1 the default
    };
    const Case kCases[] = {{"true", 1}, {"True", 1},   {"1", 1}, {"false", 0}, {"0", 0},
                           {"yes", -1}, {" TRUE", -1}, {"", -1}, {"FaLsE", 0}};
    for (const Case& c : kCases) {
        TKytXmlItem item = Element(std::string("B=\"") + c.text + "\"");
        const bool whenDefaultTrue = item.GetBoolAttribute("B", true);
        const bool whenDefaultFalse = item.GetBoolAttribute("B", false);
        EXPECT_EQ(whenDefaultTrue != whenDefaultFalse ? -1 : whenDefaultTrue ? 1 : 0, c.expected) << c.text;
    }
    TKytXmlItem item = Element("S=\"\" T=\"Gr\xC3\xBC\xC3\x9F\"");
    EXPECT_EQ(item.GetStrAttribute("S", "dflt"), "dflt");
    EXPECT_EQ(item.GetStrAttribute("T", "dflt"), "Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(item.GetStrAttribute("U", "dflt"), "dflt");

    TKytXmlItem none;
    EXPECT_EQ(none.GetIntAttribute("V", 9), 9);
    EXPECT_TRUE(none.GetBoolAttribute("B", true));
    EXPECT_EQ(none.GetStrAttribute("S", "d"), "d");
}

TEST_F(XmlTest, CollectItemsTakesTheFirstMatchItsSiblingsAndTheirChildren) {
    Dir.Write(
        "l.xml",
        "<Root><Languages><!-- note --><Item N=\"1\"/><Other N=\"2\"/>text<Item N=\"3\"><Item N=\"4\"><Item N=\"5\"/>"
        "</Item></Item></Languages></Root>");
    ASSERT_TRUE(Doc.LoadXmlFile(Dir.Path("l.xml")));
    TXmlItems items;
    CollectItems(items, Doc.Root(), "/Root/Languages/Item");
    std::vector<int> numbers;
    for (const TKytXmlItem& item : items) numbers.push_back(item.GetIntAttribute("N", 0));
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));

    Dir.Write("w.xml", "<Top><Languages><Item N=\"1\"/></Languages></Top>");
    ASSERT_TRUE(Doc.LoadXmlFile(Dir.Path("w.xml")));
    CollectItems(items, Doc.Root(), "/Root/Languages/Item");
    EXPECT_TRUE(items.empty());
}

TEST_F(XmlTest, EachLoadReplacesTheDocument) {
    Dir.Write("one.xml", "<Root><A/></Root>");
    Dir.Write("two.xml",
              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Other><B V=\"caf\xE9\"/></Other>");
    Dir.Write("bad.xml", "<Root><A></Root>");
    ASSERT_TRUE(Doc.LoadXmlFile(Dir.Path("one.xml")));
    EXPECT_TRUE(FirstNode(Doc.Root(), "/Root/A"));
    ASSERT_TRUE(Doc.LoadXmlFile(Dir.Path("two.xml")));
    EXPECT_FALSE(FirstNode(Doc.Root(), "/Root/A"));
    EXPECT_STREQ(Doc.Root().name(), "Other");
    EXPECT_EQ(TKytXmlItem(FirstNode(Doc.Root(), "/Other/B")).GetStrAttribute("V", ""), "caf\xE9");  // bytes kept
    EXPECT_FALSE(Doc.LoadXmlFile(Dir.Path("missing.xml")));
    EXPECT_FALSE(Doc.IsLoaded());
    EXPECT_FALSE(Doc.LoadXmlFile(Dir.Path("bad.xml")));
    EXPECT_FALSE(Doc.HasRoot());
    EXPECT_EQ(Doc.m_XmlFileName, Dir.Path("bad.xml"));
    EXPECT_TRUE(Doc.ReloadXmlFile() == false);
}
