// The language index and a string file over any bytes.
#include <cstddef>
#include <cstdint>

#include "FuzzMachine.h"
#include "locale/Langctrl.h"
#include "locale/Resstring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Reset();
    const size_t split = data[0] % (size);
    fuzz.Write("Language/Config.xml", data + 1, split > 0 ? split - 1 : 0);
    fuzz.Write("Language/English.xml", data + split, size - split);
    TLangCtrl& languages = GetLangCtrl();
    for (uint16_t id : {1033, 1031, 0}) languages.IsLanguageAvailable(id);
    TResString& strings = GetResString();
    strings.LoadLanguageFile(fuzz.Path("Language/English.xml"));
    for (const auto& [id, row] : strings.Strings()) {
        strings.GetString(id, "x");
        strings.GetTextXOffset(id, 0);
        strings.GetTextYOffset(id, 0);
    }
    return 0;
}
