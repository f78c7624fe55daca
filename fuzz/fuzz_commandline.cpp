// The command-line roads and the marker helpers over any text.
#include <cstddef>
#include <cstdint>

#include "FuzzMachine.h"
#include "shell/Entry.h"
#include "sys/Kytprocess.h"
#include "sys/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Reset();
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzz.Machine.Process.CommandLineText = text;
    fuzz.Machine.Mutexes.Names.clear();
    CheckCommandLine();
    TextBefore(TextAfter(text, "/THEMEID=", ""), " ", text);
    RemoveMarker(text, "/DEBUG");
    TextBeforeOrEmpty(text, "=");
    int32_t value = 0;
    ParseInteger(text, value);
    ScanDecimal(text, value);
    fuzz.Machine.Process.ModulePathText = text;
    GetAppDirectory();
    GetModuleBaseName();
    GetBinParentPath();
    return 0;
}
