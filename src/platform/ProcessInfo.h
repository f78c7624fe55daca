#pragma once
#include <cstdint>
#include <string>

// Facts about the running process and its files.
class IProcessInfo {
public:
    virtual ~IProcessInfo() = default;
    // The whole command line, program path included, as the system holds it.
    virtual std::string CommandLine() = 0;
    // Full path of the executable.
    virtual std::string ModulePath() = 0;
    // The fixed file version of a file: most and least significant 32-bit words.
    virtual bool FileVersion(const std::string& path, uint32_t& ms, uint32_t& ls) = 0;
};
