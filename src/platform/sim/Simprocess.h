#pragma once
#include <map>

#include "platform/ProcessInfo.h"

// The running program as a test describes it: its command line, path and file versions.
class TSimProcess : public IProcessInfo {
public:
    struct TVersion {
        uint32_t Ms = 0;
        uint32_t Ls = 0;
    };

    std::string CommandLine() override { return CommandLineText; }
    std::string ModulePath() override { return ModulePathText; }
    bool FileVersion(const std::string& path, uint32_t& ms, uint32_t& ls) override {
        auto it = Versions.find(path);
        if (it == Versions.end()) return false;
        ms = it->second.Ms;
        ls = it->second.Ls;
        return true;
    }

    std::string CommandLineText = "\"C:\\Program Files\\Glidepost\\Bin\\Glidepost.exe\"";
    std::string ModulePathText = "C:\\Program Files\\Glidepost\\Bin\\Glidepost.exe";
    std::map<std::string, TVersion> Versions;
};
