#include "sys/Debugconsole.h"

#include "MachineTest.h"

using DebugConsoleTest = TMachineTest;

TEST_F(DebugConsoleTest, TaggedLineWritesValueInItsColourThenRestoresGrey) {
    TDebugConsole& console = GetDebugConsole(true);
    console.WriteTagged("USB Check Port NO =", "4", kColorYellow);
    console.WriteTagged("Empty", "", kColorRed);

    auto lines = Machine.Console.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "USB Check Port NO = ... [4]");
    EXPECT_EQ(lines[0].Value, "4");
    EXPECT_EQ(lines[0].Colour, kColorYellow);
    EXPECT_EQ(lines[1].Text, "Empty ... []");
    EXPECT_EQ(Machine.Console.Attribute, kColorGrey);
    // Label first in grey, value in colour, closing bracket in grey again.
    ASSERT_EQ(Machine.Console.Writes.size(), 6u);
    EXPECT_EQ(Machine.Console.Writes[0].Attribute, kColorGrey);
    EXPECT_EQ(Machine.Console.Writes[1].Attribute, kColorYellow);
    EXPECT_EQ(Machine.Console.Writes[2].Attribute, kColorGrey);
}

TEST_F(DebugConsoleTest, FirstCallerDecidesAndDisabledConsoleWritesNothing) {
    TDebugConsole& console = GetDebugConsole(false);
    EXPECT_EQ(&GetDebugConsole(true), &console);
    EXPECT_FALSE(console.Enabled());
    console.WriteTagged("Model Name", "X", kColorYellow);
    console.WriteLine("LangXmlFile=x");
    EXPECT_EQ(console.SetColor(kColorRed), kColorGrey);
    EXPECT_EQ(Machine.Console.OpenCount, 0);
    EXPECT_TRUE(Machine.Console.Writes.empty());
}

TEST_F(DebugConsoleTest, ColourZeroIsSetAsIsAndReportsGreyAsPrevious) {
    TDebugConsole& console = GetDebugConsole(true);
    console.SetColor(kColorRed);
    EXPECT_EQ(console.SetColor(0), kColorGrey);
    EXPECT_EQ(Machine.Console.Attribute, 0);
    EXPECT_EQ(console.SetColor(kColorGreen), 0);

    console.WriteTagged("Black", "v", 0);
    EXPECT_EQ(Machine.Console.Writes.back().Attribute, kColorGrey);
    console.WriteLine(">>>>>>>>>>>>>>>>>>>>>>>0x1F");
    EXPECT_EQ(Machine.Console.Lines().back().Text, ">>>>>>>>>>>>>>>>>>>>>>>0x1F");
}

TEST_F(DebugConsoleTest, DestroyingAnOpenConsoleReleasesIt) {
    GetDebugConsole(true);
    EXPECT_TRUE(Machine.Console.IsOpen);
    ResetSingletonsForTests();
    EXPECT_FALSE(Machine.Console.IsOpen);
}
