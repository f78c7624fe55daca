#pragma once
#include "platform/Wmi.h"

// WMI of the simulated machine: the rows a test sets, or no service at all.
class TSimWmi : public IWmi {
public:
    bool Query(const std::string&, const std::string&, std::vector<TWmiRow>& rows) override {
        if (!Available) return false;
        rows = Rows;
        return true;
    }

    bool Available = true;
    std::vector<TWmiRow> Rows;
};
