#include "sys/Kytwmi.h"

#include "MachineTest.h"

using WmiTest = TMachineTest;

TEST_F(WmiTest, ValuesBecomeText) {
    TWmiValue array{TWmiValue::TKind::Array, "", false, {1, 255}};
    TWmiValue empty{TWmiValue::TKind::Array, "", false, {}};
    EXPECT_EQ(TKytWMI::ValueText(array), "0x00000001,0x000000FF");
    EXPECT_EQ(TKytWMI::ValueText(empty), "");
    EXPECT_EQ(TKytWMI::ValueText({TWmiValue::TKind::Null, "", false, {}}), "NULL");
    EXPECT_EQ(TKytWMI::ValueText({TWmiValue::TKind::Boolean, "", true, {}}), "TRUE");
    EXPECT_EQ(TKytWMI::ValueText({TWmiValue::TKind::Boolean, "", false, {}}), "FALSE");
    EXPECT_EQ(TKytWMI::ValueText({TWmiValue::TKind::Text, "QX-570", false, {}}), "QX-570");
    EXPECT_EQ(TKytWMI::ValueText({TWmiValue::TKind::Other, "x", false, {}}), "");
}

TEST_F(WmiTest, BaseBoardProduct) {
    TKytWMI wmi;
    Machine.Wmi.Available = false;
    EXPECT_EQ(wmi.GetBaseBoardProduct(), "");
    Machine.Wmi.Available = true;
    EXPECT_EQ(wmi.GetBaseBoardProduct(), "");  // no row
    Machine.Wmi.Rows = {{{"Manufacturer", {TWmiValue::TKind::Text, "Quenlo", false, {}}}}};
    EXPECT_EQ(wmi.GetBaseBoardProduct(), "");  // a row without the property
    Machine.Wmi.Rows = {{{"Product", {TWmiValue::TKind::Text, "QX-570 STEEL", false, {}}}},
                        {{"Product", {TWmiValue::TKind::Text, "other", false, {}}}}};
    EXPECT_EQ(wmi.GetBaseBoardProduct(), "QX-570 STEEL");
    EXPECT_EQ(wmi.Rows().size(), 2u);
}
