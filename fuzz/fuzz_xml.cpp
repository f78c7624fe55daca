// The XML access layer over any bytes: load, walk every element, every getter.
#include <cstddef>
#include <cstdint>

#include "FuzzMachine.h"
#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Write("input.xml", data, size);
    TKytXmlBase document;
    if (!document.LoadXmlFile(fuzz.Path("input.xml")) || !document.HasRoot()) return 0;
    for (const char* path :
         {"/Root/Languages/Item", "/Root/Glidepost", "/DATAPACKET/ROWDATA", "/Root/SupportModel/Item"}) {
        TXmlItems items;
        CollectItems(items, document.Root(), path);
        for (const TKytXmlItem& item : items) {
            item.GetIntAttribute("LangId", 1033);
            item.GetBoolAttribute("Enable", false);
            item.GetStrAttribute("Name", "");
        }
    }
    return 0;
}
