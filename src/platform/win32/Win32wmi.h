#pragma once
#include "platform/Wmi.h"

class TWin32Wmi : public IWmi {
public:
    bool Query(const std::string& nameSpace, const std::string& query, std::vector<TWmiRow>& rows) override;
};
