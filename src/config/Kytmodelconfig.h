#pragma once
#include <array>
#include <string>

#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"

class TKytOvtConfig;

// The running board's configuration file: the designated mouse port, the last mouse and
// interval seen there, the autorun switch, and item lists for the suite's other tools.
class TKytModelConfig : public TKytXmlBase {
public:
    enum TSection {
        MainMenu,
        SioHwmSetting,
        HwmClock,
        HwmFan,
        HwmVoltage,
        VoltageControl,
        FanControl,
        GUIFanControl,
        ThermalSensor,
        Overclocking,
        Profile,
        SmallHWMPanel,
        kSectionCount
    };

    TKytModelConfig();

    std::string GetHostController() const;
    int GetHcdNo() const;
    int GetPortNo() const;
    std::string GetVidPid() const;
    void SetVidPid(const std::string& text);
    void SetInterval(int interval);
    bool GetAutorunEnable() const;

    const TXmlItems& Items(TSection section) const { return m_Lists[section]; }
    int Count(TSection section) const { return m_Counts[section]; }

private:
    void LoadSectionLists();
    void LoadSection(TSection section, const char* gate, const char* path, TItemFilter filter);
    std::string GlidepostText(const char* name) const;
    int GlidepostInteger(const char* name) const;
    void SetGlidepostAttribute(const char* name, const std::string& value);

    TKytOvtConfig& m_Models;
    std::array<TXmlItems, kSectionCount> m_Lists;
    std::array<int, kSectionCount> m_Counts{};
};

TKytModelConfig& GetModelConfig();
