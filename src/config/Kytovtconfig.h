#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "config/Kytxmlbase.h"

struct _KytModel_t {
    int32_t Index = 0;
    std::string Name;
    std::string Conf, Conf1, Conf2, Conf3, Conf4;
    std::string XHCIID, XHCIID1, XHCIID2, XHCIID3, XHCIID4;
};

using TSupportModels_t = std::map<std::string, _KytModel_t>;

// The supported-model list: for each board model, which configuration file describes it,
// chosen among up to five variants by the USB host controller found on the PCI bus.
class TKytOvtConfig : public TKytXmlBase {
public:
    TKytOvtConfig();

    std::string GetConfFileName(const std::string& model);
    const TSupportModels_t& Models() const { return m_Models; }

private:
    TSupportModels_t m_Models;
};

TKytOvtConfig& GetOvtConfig();
