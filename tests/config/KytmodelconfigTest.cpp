#include "config/Kytmodelconfig.h"
#include "config/Kytovtconfig.h"

#include "config/ConfigTest.h"
#include "config/Kytxmlbase.h"
#include "sys/Numbers.h"
#include "sys/Singletons.h"

namespace {
const char* kBoardConf =
    "<?xml version=\"1.0\"?>\n"
    "<Root>\n"
    "  <Glidepost HOSTCTRLER=\"VEN_8086\" HCDNO=\"0x1\" PortNO=\"3x\" VIDPID=\"\" Interval=\"8\"/>\n"
    "  <Autorun Enable=\"true\"/>\n"
    "  <MainMenu><Item Enable=\"1\"><Item Enable=\"TRUE\"/><Item Enable=\"0\"/></Item><Item Enable=\"yes\"><Item "
    "Enable=\"1\"/>"
    "</Item><Item/></MainMenu>\n"
    "  <VoltageControl><Item/><Item/></VoltageControl>\n"
    "  <FanControl Enable=\"1\"><Item/><Item><Item/></Item></FanControl>\n"
    "  <HardwareMonitor><Clock Enable=\"TRUE\"><Item/></Clock><Fan Enable=\"no\"><Item/></Fan></HardwareMonitor>\n"
    "  <SioHwmSetting><Item/></SioHwmSetting>\n"
    "</Root>\n";

class ModelConfigTest : public TConfigTest {
protected:
    void SetUp() override {
        TConfigTest::SetUp();
        SetModel("QX-570 STEEL");
        WriteModelList("<Item Name=\"QX-570 STEEL\" Conf=\"QX570.xml\"/>");
    }
};
}  // namespace

TEST_F(ModelConfigTest, PortDescriptionAutorunAndSections) {
    Dir.Write("Conf\\QX570.xml", kBoardConf);
    TKytModelConfig& config = GetModelConfig();
    ASSERT_TRUE(config.IsLoaded());
    EXPECT_EQ(config.GetHostController(), "VEN_8086");
    EXPECT_EQ(config.GetHcdNo(), 1);
    EXPECT_EQ(config.GetPortNo(), 0);  // "3x" is not an integer
    EXPECT_EQ(config.GetVidPid(), "");
    EXPECT_TRUE(config.GetAutorunEnable());

    using S = TKytModelConfig;
    // An enabled item brings only its own enabled children; a disabled item brings none.
    EXPECT_EQ(config.Count(S::MainMenu), 2);
    EXPECT_EQ(config.Count(S::VoltageControl), 0);  // gate without Enable
    EXPECT_EQ(config.Count(S::FanControl), 3);
    EXPECT_EQ(config.Count(S::HwmClock), 1);
    EXPECT_EQ(config.Count(S::HwmFan), 0);
    EXPECT_EQ(config.Count(S::SioHwmSetting), 1);  // no gate
    EXPECT_EQ(config.Count(S::Profile), 0);
    EXPECT_EQ(config.Items(S::FanControl).size(), 3u);
}

TEST_F(ModelConfigTest, WritersSaveTheWholeDocument) {
    Dir.Write("Conf\\QX570.xml", kBoardConf);
    TKytModelConfig& config = GetModelConfig();
    config.SetVidPid("USB\\VID_E0FF&PID_0101&REV_0100");
    config.SetInterval(2);
    TKytXmlBase saved;
    ASSERT_TRUE(saved.LoadXmlFile(Dir.Path("Conf\\QX570.xml")));
    TKytXmlItem glidepost(FirstNode(saved.Root(), "/Root/Glidepost"));
    EXPECT_EQ(glidepost.GetStrAttribute("VIDPID", ""), "USB\\VID_E0FF&PID_0101&REV_0100");
    EXPECT_EQ(glidepost.GetIntAttribute("Interval", 0), 2);
    EXPECT_EQ(glidepost.GetStrAttribute("HOSTCTRLER", ""), "VEN_8086");
    EXPECT_TRUE(FirstNode(saved.Root(), "/Root/FanControl/Item"));
    EXPECT_EQ(config.GetVidPid(), "USB\\VID_E0FF&PID_0101&REV_0100");
}

TEST_F(ModelConfigTest, TheFileOnDiskIsAlwaysACompleteDocument) {
    Dir.Write("Conf\\QX570.xml", kBoardConf);
    TKytModelConfig& config = GetModelConfig();
    // The temporary file cannot be made (a folder stands in its place): the save fails and
    // leaves the old file exactly as it was.
    std::filesystem::create_directories(HostPath(Dir.Path("Conf\\QX570.xml.saving")));
    config.SetInterval(1);
    EXPECT_EQ(Dir.Read("Conf\\QX570.xml"), kBoardConf);
    std::filesystem::remove(HostPath(Dir.Path("Conf\\QX570.xml.saving")));
    // Then it succeeds: the new complete document replaces the old, and nothing is left beside it.
    config.SetInterval(4);
    TKytXmlBase saved;
    ASSERT_TRUE(saved.LoadXmlFile(Dir.Path("Conf\\QX570.xml")));
    EXPECT_EQ(TKytXmlItem(FirstNode(saved.Root(), "/Root/Glidepost")).GetIntAttribute("Interval", 0), 4);
    EXPECT_FALSE(FileExists(Dir.Path("Conf\\QX570.xml.saving")));
}

TEST_F(ModelConfigTest, ACorruptFileIsRestoredFromThePristineCopy) {
    Dir.Write("Conf\\QX570.xml", "<Root><Glidepost PortNO=\"4\"");  // cut off mid-write
    Dir.Write("_Conf\\QX570.xml", kBoardConf);
    TKytModelConfig& config = GetModelConfig();
    ASSERT_TRUE(config.IsLoaded());
    EXPECT_EQ(Dir.Read("Conf\\QX570.xml"), kBoardConf);
    EXPECT_EQ(config.GetHcdNo(), 1);
}

TEST_F(ModelConfigTest, WhatAnUnloadedOrBareFileAnswers) {
    {
        TKytModelConfig& config = GetModelConfig();  // neither the file nor a copy exists
        EXPECT_FALSE(config.IsLoaded());
        EXPECT_EQ(config.GetHostController(), "0");
        EXPECT_EQ(config.GetVidPid(), "0");
        EXPECT_EQ(config.GetPortNo(), 0);
        EXPECT_FALSE(config.GetAutorunEnable());
        config.SetInterval(2);
        EXPECT_FALSE(FileExists(Dir.Path("Conf\\QX570.xml")));
    }
    ResetSingletonsForTests();
    SetDriverImagesForTests(&Images);
    const std::string bare = "<?xml version=\"1.0\"?>\n<Root>\n  <Autorun Enable=\"yes\" />\n</Root>\n";
    Dir.Write("Conf\\QX570.xml", bare);
    TKytModelConfig& config = GetModelConfig();
    EXPECT_EQ(config.GetHostController(), "");
    EXPECT_EQ(config.GetVidPid(), "");
    EXPECT_EQ(config.GetHcdNo(), 0);
    EXPECT_FALSE(config.GetAutorunEnable());
    config.SetVidPid("x");  // no Glidepost element: the file is saved unchanged in content
    TKytXmlBase saved;
    ASSERT_TRUE(saved.LoadXmlFile(Dir.Path("Conf\\QX570.xml")));
    EXPECT_FALSE(FirstNode(saved.Root(), "/Root/Glidepost"));
    EXPECT_TRUE(FirstNode(saved.Root(), "/Root/Autorun"));
}

TEST(ModelConfigNumbersTest, PortNumbersMustBeWholeIntegers) {
    TInstallDir dir;
    struct Case {
        const char* text;
        int expected;
    };
    const Case kCases[] = {{"3x", 0}, {"0x3", 3}, {" 4", 4}, {"4 ", 0}, {"-1", -1}, {"$A", 10}, {"", 0}};
    for (const Case& c : kCases) {
        dir.Write("c.xml", std::string("<Root><Glidepost PortNO=\"") + c.text + "\"/></Root>");
        TKytXmlBase doc;
        ASSERT_TRUE(doc.LoadXmlFile(dir.Path("c.xml")));
        const char* text = Attribute(FirstNode(doc.Root(), "/Root/Glidepost"), "PortNO");
        int32_t value = 0;
        EXPECT_EQ(text && ParseInteger(text, value) ? value : 0, c.expected) << c.text;
    }
}

TEST_F(TConfigTest, TheShippedListChoosesTheSimulatedBoardsFile) {
    Machine.Process.ModulePathText = std::string(GLIDEPOST_ASSETS) + "/Bin/Glidepost.exe";
    SetModel("QX-570 STEEL");
    EXPECT_EQ(GetOvtConfig().GetConfFileName("QX-570 STEEL"), "QX570Steel.xml");
    Machine.Hardware.AddPciFunction(0, 20, 0, 0x8086, 0x7AE0);
    EXPECT_EQ(GetOvtConfig().GetConfFileName("VQ690 SKY"), "VQ690Sky.xml");
    TKytModelConfig& config = GetModelConfig();  // read only: nothing is written here
    ASSERT_TRUE(config.IsLoaded());
    EXPECT_EQ(config.GetHostController(), "VEN_8086&DEV_A36D");
    EXPECT_EQ(config.GetHcdNo(), 0);
    EXPECT_EQ(config.GetPortNo(), 4);
}
