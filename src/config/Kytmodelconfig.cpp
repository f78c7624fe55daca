#include "config/Kytmodelconfig.h"

#include "config/Kytovtconfig.h"
#include "config/Kytspec.h"
#include "sys/Debugconsole.h"
#include "sys/Files.h"
#include "sys/Kytprocess.h"
#include "sys/Numbers.h"
#include "sys/Singletons.h"

namespace {
constexpr const char* kGlidepostPath = "/Root/Glidepost";

bool EnabledMenuItem(pugi::xml_node element) {
    const char* enable = Attribute(element, "Enable");
    if (!enable) return false;
    return std::string(enable) == "1" || UpperCase(enable) == "TRUE";
}
}  // namespace

TKytModelConfig::TKytModelConfig() : m_Models(GetOvtConfig()) {
    const std::string model = GetBiosInfo().TrimmedModelName();
    GetDebugConsole(false).WriteTagged("TKytModelConfig::ModelName", model, kColorYellow);
    std::string conf = m_Models.GetConfFileName(model);
    m_XmlFileName = GetAppDirectory() + "\\Conf\\" + conf;
    if (!ReloadXmlFile()) {
        // A broken file is put back from the pristine copy shipped beside the program.
        conf = m_Models.GetConfFileName(model);
        const std::string target = m_XmlFileName;
        CopyFileOver(GetBinParentPath() + "_Conf\\" + conf, target);
        ReloadXmlFile();
    }
    LoadSectionLists();
}

void TKytModelConfig::LoadSection(TSection section, const char* gate, const char* path, TItemFilter filter) {
    m_Counts[section] = 0;
    m_Lists[section].clear();
    if (!HasRoot()) return;
    if (gate && !TKytXmlItem(FirstNode(Root(), gate)).GetBoolAttribute("Enable", false)) return;
    CollectItems(m_Lists[section], Root(), path, filter, filter);
    m_Counts[section] = static_cast<int>(m_Lists[section].size());
}

void TKytModelConfig::LoadSectionLists() {
    LoadSection(MainMenu, nullptr, "/Root/MainMenu/Item", EnabledMenuItem);
    LoadSection(VoltageControl, "/Root/VoltageControl", "/Root/VoltageControl/Item", nullptr);
    LoadSection(SioHwmSetting, nullptr, "/Root/SioHwmSetting/Item", nullptr);
    LoadSection(HwmClock, "/Root/HardwareMonitor/Clock", "/Root/HardwareMonitor/Clock/Item", nullptr);
    LoadSection(HwmFan, "/Root/HardwareMonitor/Fan", "/Root/HardwareMonitor/Fan/Item", nullptr);
    LoadSection(HwmVoltage, "/Root/HardwareMonitor/Voltage", "/Root/HardwareMonitor/Voltage/Item", nullptr);
    LoadSection(FanControl, "/Root/FanControl", "/Root/FanControl/Item", nullptr);
    LoadSection(GUIFanControl, "/Root/GUIFanControl", "/Root/GUIFanControl/Item", nullptr);
    LoadSection(ThermalSensor, "/Root/ThermalSensor", "/Root/ThermalSensor/Item", nullptr);
    LoadSection(Overclocking, "/Root/Overclocking", "/Root/Overclocking/Item", nullptr);
    LoadSection(Profile, "/Root/Profile", "/Root/Profile/Item", nullptr);
    LoadSection(SmallHWMPanel, "/Root/SmallHWMPanel", "/Root/SmallHWMPanel/Item", nullptr);
}

std::string TKytModelConfig::GlidepostText(const char* name) const {
    if (!HasRoot()) return "0";
    pugi::xml_node n = FirstNode(Root(), kGlidepostPath);
    if (n.type() != pugi::node_element) return "";
    const char* value = Attribute(n, name);
    return value ? value : "";
}

int TKytModelConfig::GlidepostInteger(const char* name) const {
    if (!HasRoot()) return 0;
    pugi::xml_node n = FirstNode(Root(), kGlidepostPath);
    const char* text = n.type() == pugi::node_element ? Attribute(n, name) : nullptr;
    int32_t value = 0;
    return text && ParseInteger(text, value) ? value : 0;
}

std::string TKytModelConfig::GetHostController() const { return GlidepostText("HOSTCTRLER"); }
int TKytModelConfig::GetHcdNo() const { return GlidepostInteger("HCDNO"); }
int TKytModelConfig::GetPortNo() const { return GlidepostInteger("PortNO"); }
std::string TKytModelConfig::GetVidPid() const { return GlidepostText("VIDPID"); }

void TKytModelConfig::SetGlidepostAttribute(const char* name, const std::string& value) {
    if (!HasRoot()) return;
    pugi::xml_node n = FirstNode(Root(), kGlidepostPath);
    if (n.type() == pugi::node_element) {
        pugi::xml_attribute attribute = n.attribute(name);
        if (!attribute) attribute = n.append_attribute(name);
        attribute.set_value(value.c_str());
    }
    // The result is not acted on; the save itself is atomic, so a failure leaves the old file.
    SaveXmlFile();
}

void TKytModelConfig::SetVidPid(const std::string& text) { SetGlidepostAttribute("VIDPID", text); }

void TKytModelConfig::SetInterval(int interval) { SetGlidepostAttribute("Interval", std::to_string(interval)); }

bool TKytModelConfig::GetAutorunEnable() const {
    if (!HasRoot()) return false;
    pugi::xml_node n = FirstNode(Root(), "/Root/Autorun");
    if (!n) return false;
    return TKytXmlItem(n).GetBoolAttribute("Enable", false);
}

TKytModelConfig& GetModelConfig() { return SingletonOf<TKytModelConfig>(); }
