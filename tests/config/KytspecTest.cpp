#include "config/Kytspec.h"

#include "hw/BoardTest.h"
#include "sys/Debugconsole.h"

namespace sf = simfirmware;

using BiosInfoTest = TBoardTest;

TEST_F(BiosInfoTest, TheFirstMatchThatPassesItsChecksumIsTheRecord) {
    sf::TBytes broken = sf::BiosRecord({"WRONG-BOARD"});
    broken[20] ^= 1;
    Machine.Hardware.Write(0xE2000, broken);
    Machine.Hardware.Write(0xE3FFC, sf::BiosRecord({"QX-570 STEEL..", 'L', 2, 3, 'A', 2014, 7, 3}));  // across 4 KiB
    TKytBiosInfo& info = GetBiosInfo();
    ASSERT_TRUE(info.Found());
    EXPECT_EQ(info.ModelName(), "QX-570 STEEL..");
    EXPECT_EQ(info.TrimmedModelName(), "QX-570 STEEL");
    EXPECT_EQ(info.BiosVersion(), "L2.03A");
    EXPECT_EQ(info.BiosDate(), "2014/07/03");
}

TEST_F(BiosInfoTest, Decoding) {
    struct Case {
        sf::TBiosRecord record;
        std::string model;
        std::string trimmed;
        std::string version;
        std::string date;
    };
    const Case kCases[] = {
        {{"ABC1..", 'P', 1, 5, '0', 2014, 7, 3}, "ABC1..", "ABC1", "P1.05", "2014/07/03"},
        {{"...", 'F', 12, 40, 'b', 2023, 11, 28}, "...", "", "F12.40b", "2023/11/28"},
        {{"A.B.", 'P', 0, 0, '0', 1999, 1, 1}, "A.B.", "A.B", "P0.00", "1999/01/01"},
        // 32 characters without a NUL: the name ends at offset 41
        {{std::string(32, 'M'), 'P', 1, 5, '0', 2014, 7, 3},
         std::string(32, 'M'),
         std::string(32, 'M'),
         "P1.05",
         "2014/07/03"},
    };
    TKytBiosInfo& info = GetBiosInfo();  // no record on this board
    EXPECT_FALSE(info.Found());
    EXPECT_EQ(info.BiosVersion(), "");
    for (const Case& c : kCases) {
        sf::TBytes record = sf::BiosRecord(c.record);
        info.Decode(record.data());
        EXPECT_EQ(info.ModelName(), c.model);
        EXPECT_EQ(info.TrimmedModelName(), c.trimmed) << c.model;
        EXPECT_EQ(info.BiosVersion(), c.version);
        EXPECT_EQ(info.BiosDate(), c.date);
    }
}

using SpecTest = TBoardTest;

TEST_F(SpecTest, IdentityBuildsOnceAndLogsTheModelEachTime) {
    GetDebugConsole(true);
    Machine.Hardware.Write(0xE8000, sf::BiosRecord({"QX-570 STEEL"}));
    EXPECT_EQ(GetSpec().ModelName(), "QX-570 STEEL");
    const int requests = Machine.Driver.Requests;
    DestroySpec();
    EXPECT_EQ(GetSpec().ModelName(), "QX-570 STEEL");
    EXPECT_EQ(Machine.Driver.Requests, requests);  // the readers are not built again
    int modelLines = 0;
    for (const auto& line : Machine.Console.Lines()) {
        if (line.Text == "Model Name ... [QX-570 STEEL]") {
            ++modelLines;
            EXPECT_EQ(line.Colour, kColorYellow);
        }
    }
    EXPECT_EQ(modelLines, 2);
}
