#pragma once
#include "platform/ProcessInfo.h"

class TWin32Process : public IProcessInfo {
public:
    std::string CommandLine() override;
    std::string ModulePath() override;
    bool FileVersion(const std::string& path, uint32_t& ms, uint32_t& ls) override;
};
