#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Files at Windows paths outside the program's own folders (the system's driver folder).
class IFileSystem {
public:
    enum class TOpen { Opened, NotFound, Failed };

    virtual ~IFileSystem() = default;
    // Opens an existing file for reading without sharing, and closes it again.
    virtual TOpen ProbeExisting(const std::string& path) = 0;
    // Creates or truncates the file and writes the bytes in one write; answers the number of
    // bytes written, or -1 when the file could not be created.
    virtual int64_t WriteWhole(const std::string& path, const uint8_t* bytes, size_t size) = 0;
    virtual bool Remove(const std::string& path) = 0;
};
