#include "sys/Kytprocess.h"

#include "MachineTest.h"

TEST(MarkerTest, CuttingAroundMarkers) {
    struct Case {
        const char* name;
        std::string (*cut)(const std::string&, const std::string&, const std::string&);
        const char* text;
        const char* marker;
        const char* defaultText;
        const char* expected;
    };
    const Case kCases[] = {
        {"after: exact", TextAfter, "A.EXE /THEMEID=2 /X", "/THEMEID=", "", "2 /X"},
        {"after: found only in upper case", TextAfter, "PROG.EXE /themeid=3", "/THEMEID=", "", "3"},
        {"after: lower-case marker stays case-sensitive", TextAfter, "a /THEMEID=3", "/themeid=", "d", "d"},
        {"after: missing gives default", TextAfter, "PROG.EXE", "/THEMEID=", "none", "none"},
        {"after: marker at the end", TextAfter, "x/DEBUG", "/DEBUG", "d", ""},
        {"before: exact", TextBefore, "3 /DEBUG", " ", "d", "3"},
        {"before: marker at the start gives empty", TextBefore, "/DEBUG x", "/DEBUG", "d", ""},
        {"before: missing gives default", TextBefore, "3", " ", "3", "3"},
        {"before: upper-case retry", TextBefore, "abc/debug", "/DEBUG", "d", "abc"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(c.cut(c.text, c.marker, c.defaultText), c.expected) << c.name;
    }
}

TEST(MarkerTest, SwitchValues) {
    struct Case {
        const char* commandLine;
        const char* name;
        const char* value;
    };
    const Case kCases[] = {
        {"G.exe /RATE=1000 /DEBUG", "/RATE=", "1000"},
        {"G.exe /rate=500", "/RATE=", "500"},
        {"G.exe /DEBUG", "/RATE=", ""},
        {"G.exe /RATE=", "/RATE=", ""},
        {"G.exe /SIMULATE=C:\\boards\\one /DEBUG", "/SIMULATE=", "C:\\boards\\one"},
        {"G.exe \"/SIMULATE=C:\\my boards\\one\" /DEBUG", "/SIMULATE=", "C:\\my boards\\one"},
        {"G.exe /SIMULATE=\"C:\\my boards\\one\" /DEBUG", "/SIMULATE=", "C:\\my boards\\one"},
        {"G.exe /simulate=C:\\Boards", "/SIMULATE=", "C:\\Boards"},
    };
    for (const Case& c : kCases) EXPECT_EQ(SwitchValue(c.commandLine, c.name), c.value) << c.commandLine;
}

TEST(MarkerTest, ExactOnlyCutsAndRemoval) {
    EXPECT_EQ(TextBeforeOrEmpty("a=b", "="), "a");
    EXPECT_EQ(TextBeforeOrEmpty("a=b", "x"), "");
    EXPECT_EQ(TextBeforeOrEmpty("abc/debug", "/DEBUG"), "");
    EXPECT_EQ(RemoveMarker("x /DEBUG y /DEBUG", "/DEBUG"), "x  y /DEBUG");
    EXPECT_EQ(RemoveMarker("plain", "/DEBUG"), "plain");
    EXPECT_EQ(RemoveMarker("x /debug y", "/DEBUG"), "x  y");
    EXPECT_EQ(UpperCase("Gl\xC3\xA4"
                        "de-x"),
              "GL\xC3\xA4"
              "DE-X");
}

using PathTest = TMachineTest;

TEST_F(PathTest, FoldersAndNamesFromTheModulePath) {
    struct Case {
        const char* path;
        const char* appDirectory;
        const char* baseName;
        const char* binParent;
    };
    const Case kCases[] = {
        {"C:\\P\\Glidepost\\Bin\\Glidepost.exe", "C:\\P\\Glidepost", "Glidepost", "C:\\P\\Glidepost\\"},
        {"C:\\Glidepost.exe", "", "Glidepost", ""},
        {"C:\\Tools\\bin\\My.Tool.exe", "C:\\Tools", "My", ""},
        {"D:\\Binaries\\x\\Glide", "D:\\Binaries", "", "D:\\"},
        {"/opt/gp/Bin/Glidepost.exe", "/opt/gp", "Glidepost", "/opt/gp/"},
    };
    for (const Case& c : kCases) {
        Machine.Process.ModulePathText = c.path;
        EXPECT_EQ(GetModulePath(), c.path);
        EXPECT_EQ(GetAppDirectory(), c.appDirectory) << c.path;
        EXPECT_EQ(GetModuleBaseName(), c.baseName) << c.path;
        EXPECT_EQ(GetBinParentPath(), c.binParent) << c.path;
    }
}

TEST_F(PathTest, FileVersionText) {
    Machine.Process.Versions["a.exe"] = {0x00010000, 0x00030000};
    Machine.Process.Versions["b.exe"] = {0x0002000A, 0x00030002};
    EXPECT_EQ(GetFileVersionText("a.exe"), "1.0.3");
    EXPECT_EQ(GetFileVersionText("b.exe"), "2.10.3.2");
    EXPECT_EQ(GetFileVersionText("none.exe"), "");
    uint32_t ms = 7, ls = 7;
    EXPECT_FALSE(GetFileVersionNumbers("none.exe", ms, ls));
}
