#include "config/Kytovtconfig.h"

#include "config/ConfigTest.h"
#include "sys/Debugconsole.h"

namespace {
class OvtConfigTest : public TConfigTest {
protected:
    void SetUp() override {
        TConfigTest::SetUp();
        Machine.Hardware.AddPciFunction(0, 20, 0, 0x8086, 0x8C31, 0x0C0330);
        Machine.Hardware.AddPciFunction(3, 0, 0, 0x1B21, 0x0142, 0x0C0330);
    }
};
}  // namespace

TEST_F(OvtConfigTest, ConfigurationFileByModelAndHostController) {
    WriteModelList(
        "<Item Index=\"1\" Name=\"Plain\" Conf=\"Plain.xml\"/>"
        "<Item Name=\"Primary\" Conf=\"P.xml\" XHCIID=\"0x8C318086\" Conf1=\"P1.xml\" XHCIID1=\"0x01421B21\"/>"
        "<Item Name=\"PrimaryEmpty\" XHCIID=\"$8c318086\" Conf1=\"P1.xml\" XHCIID1=\"x01421B21\"/>"
        "<Item Name=\"Alternative\" Conf=\"A.xml\" XHCIID2=\"0x01421B21\" Conf2=\"A2.xml\"/>"
        "<Item Name=\"SkipEmpty\" Conf=\"S.xml\" XHCIID1=\"0x01421B21\" XHCIID2=\"0X01421B21\" Conf2=\"S2.xml\"/>"
        "<Item Name=\"Missing\" Conf=\"M.xml\" XHCIID=\"0x12345678\" XHCIID1=\"0xFFFF1B21\" Conf1=\"M1.xml\"/>"
        "<Item Name=\"Invalid\" Conf=\"I.xml\" XHCIID=\"0x8C318086zz\" XHCIID1=\"2147483648\" Conf1=\"I1.xml\""
        " XHCIID2=\"-2147483648\" Conf2=\"I2.xml\"/>"
        "<Item Name=\"Dup\" Conf=\"First.xml\"/><Item Name=\"Dup\" Conf=\"Second.xml\"/>"
        "<Other Name=\"Sibling\" Conf=\"Sib.xml\"/>");
    TKytOvtConfig& list = GetOvtConfig();
    ASSERT_TRUE(list.IsLoaded());
    struct Case {
        const char* model;
        const char* conf;
    };
    const Case kCases[] = {
        {"Plain", "Plain.xml"},
        {"Primary", "P.xml"},
        {"PrimaryEmpty", ""},       // found primary with an empty Conf still answers it
        {"Alternative", "A2.xml"},  // alternatives are tried without a primary
        {"SkipEmpty", "S2.xml"},    // a found alternative without its file is passed over
        {"Missing", "M1.xml"},      // any device of that vendor
        {"Invalid", "I.xml"},       // identifiers that are not integers name nothing
        {"Dup", "Second.xml"},
        {"Sibling", "Sib.xml"},
        {"plain", ""},  // names are case-sensitive
        {"", ""},
    };
    for (const Case& c : kCases) EXPECT_EQ(list.GetConfFileName(c.model), c.conf) << c.model;
    EXPECT_EQ(list.Models().at("Plain").Index, 1);
    EXPECT_EQ(list.Models().count("plain"), 1u);  // a lookup inserts an empty entry
}

TEST_F(OvtConfigTest, AMissingListLoadsNothing) {
    GetDebugConsole(true);
    TKytOvtConfig& list = GetOvtConfig();
    EXPECT_FALSE(list.IsLoaded());
    EXPECT_EQ(list.GetConfFileName("Plain"), "");
    EXPECT_EQ(Machine.Console.Lines()[0].Text,
              "TKytOvtConfig::m_XmlFileName ... [" + Dir.Root() + "\\Conf\\Glidepost.xml]");
}
