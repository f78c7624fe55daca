#pragma once
#include "platform/FileSystem.h"

class TWin32FileSystem : public IFileSystem {
public:
    TOpen ProbeExisting(const std::string& path) override;
    int64_t WriteWhole(const std::string& path, const uint8_t* bytes, size_t size) override;
    bool Remove(const std::string& path) override;
};
