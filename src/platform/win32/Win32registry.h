#pragma once
#include "platform/Registry.h"

class TWin32Registry : public IRegistry {
public:
    bool CreateKey(TRoot root, const std::string& path) override;
    bool KeyExists(TRoot root, const std::string& path) override;
    bool SetDword(TRoot root, const std::string& path, const std::string& name, uint32_t value) override;
    bool QueryValue(TRoot root, const std::string& path, const std::string& name, size_t bufferSize,
                    std::vector<uint8_t>& data) override;
    bool SubKeyName(TRoot root, const std::string& path, uint32_t index, std::string& name) override;
    bool ValueAt(TRoot root, const std::string& path, uint32_t index, size_t bufferSize, std::string& name,
                 std::vector<uint8_t>& data) override;
};
