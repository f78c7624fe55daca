#include "config/Kytovtconfig.h"

#include "config/Kytxmlitem.h"
#include "hw/Readwrite.h"
#include "sys/Debugconsole.h"
#include "sys/Kytprocess.h"
#include "sys/Numbers.h"
#include "sys/Singletons.h"

namespace {
std::string Text(pugi::xml_node element, const char* name) {
    const char* value = Attribute(element, name);
    return value ? value : "";
}

// Whether a PCI function with this identifier exists. An identifier that is not a valid
// integer names nothing.
bool PciDeviceFound(const std::string& identifier) {
    int32_t value = 0;
    if (!ParseInteger(identifier, value)) return false;
    return GetReadWrite().FindPciDevice(static_cast<uint32_t>(value)) != kNoPciLocation;
}
}  // namespace

TKytOvtConfig::TKytOvtConfig() {
    m_XmlFileName = GetAppDirectory() + "\\Conf\\" + GetModuleBaseName() + ".xml";
    GetDebugConsole(false).WriteTagged("TKytOvtConfig::m_XmlFileName", m_XmlFileName, kColorYellow);
    ReloadXmlFile();
    if (!HasRoot()) return;
    m_Models.clear();
    for (pugi::xml_node n = FirstNode(Root(), "/Root/SupportModel/Item"); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        _KytModel_t model;
        int32_t index = 0;
        model.Index = ScanDecimal(Text(n, "Index"), index) ? index : 0;
        model.Name = Text(n, "Name");
        model.Conf = Text(n, "Conf");
        model.Conf1 = Text(n, "Conf1");
        model.Conf2 = Text(n, "Conf2");
        model.Conf3 = Text(n, "Conf3");
        model.Conf4 = Text(n, "Conf4");
        model.XHCIID = Text(n, "XHCIID");
        model.XHCIID1 = Text(n, "XHCIID1");
        model.XHCIID2 = Text(n, "XHCIID2");
        model.XHCIID3 = Text(n, "XHCIID3");
        model.XHCIID4 = Text(n, "XHCIID4");
        m_Models[model.Name] = model;
    }
}

std::string TKytOvtConfig::GetConfFileName(const std::string& model) {
    const _KytModel_t& rec = m_Models[model];
    GetReadWrite();
    if (!rec.XHCIID.empty() && PciDeviceFound(rec.XHCIID)) return rec.Conf;
    const std::pair<const std::string*, const std::string*> alternatives[] = {
        {&rec.XHCIID1, &rec.Conf1}, {&rec.XHCIID2, &rec.Conf2}, {&rec.XHCIID3, &rec.Conf3}, {&rec.XHCIID4, &rec.Conf4}};
    for (const auto& [identifier, conf] : alternatives) {
        if (!identifier->empty() && PciDeviceFound(*identifier) && !conf->empty()) return *conf;
    }
    return rec.Conf;
}

TKytOvtConfig& GetOvtConfig() { return SingletonOf<TKytOvtConfig>(); }
