// The configuration readers over any files: the supported-model list and the per-model file
// (with the writers), from the first input byte's choice of which file the rest fills.
#include <cstddef>
#include <cstdint>

#include "FuzzMachine.h"
#include "config/Kytmodelconfig.h"
#include "config/Kytovtconfig.h"
#include "platform/sim/Simfirmware.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Reset();
    static const char kList[] =
        "<Root><SupportModel><Item Name=\"QX-570 STEEL\" Conf=\"Board.xml\" XHCIID=\"0x8C318086\" Conf1=\"B1.xml\" "
        "XHCIID1=\"$01421B21\"/></SupportModel></Root>";
    static const char kBoard[] = "<Root><Glidepost HOSTCTRLER=\"\" HCDNO=\"0\" PortNO=\"4\" VIDPID=\"\"/></Root>";
    const bool fuzzList = data[0] & 1;
    fuzz.Write("Conf/Glidepost.xml", fuzzList ? data + 1 : reinterpret_cast<const uint8_t*>(kList),
               fuzzList ? size - 1 : sizeof(kList) - 1);
    fuzz.Write("Conf/Board.xml", fuzzList ? reinterpret_cast<const uint8_t*>(kBoard) : data + 1,
               fuzzList ? sizeof(kBoard) - 1 : size - 1);
    fuzz.Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    fuzz.Machine.Hardware.Write(0xE4000, simfirmware::BiosRecord({"QX-570 STEEL"}));
    TKytOvtConfig& list = GetOvtConfig();
    list.GetConfFileName("QX-570 STEEL");
    TKytModelConfig& config = GetModelConfig();
    config.GetHostController();
    config.GetHcdNo();
    config.GetPortNo();
    config.GetAutorunEnable();
    const std::string vidpid = config.GetVidPid();
    config.SetVidPid(vidpid + "x");
    config.SetInterval(2);
    return 0;
}
