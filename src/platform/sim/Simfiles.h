#pragma once
#include <map>
#include <vector>

#include "platform/FileSystem.h"

// Files of the simulated machine, by path without regard to letter case. A test can make
// writes fail outright or stop short (a full disk).
class TSimFileSystem : public IFileSystem {
public:
    TOpen ProbeExisting(const std::string& path) override;
    int64_t WriteWhole(const std::string& path, const uint8_t* bytes, size_t size) override;
    bool Remove(const std::string& path) override;

    bool Exists(const std::string& path) const;
    const std::vector<uint8_t>* Content(const std::string& path) const;
    void Put(const std::string& path, std::vector<uint8_t> bytes);

    bool FailCreate = false;
    int64_t WriteLimit = -1;  // bytes a write gets onto the disk before it stops; -1 no limit
    int Writes = 0;

private:
    std::map<std::string, std::vector<uint8_t>> m_Files;
};
