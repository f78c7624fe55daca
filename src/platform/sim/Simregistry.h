#pragma once
#include <map>
#include <optional>

#include "platform/Registry.h"

// The machine's registry: keys and value names compare without regard to letter case.
class TSimRegistry : public IRegistry {
public:
    struct TValue {
        uint32_t Type;  // 4 = REG_DWORD, 3 = REG_BINARY, 1 = REG_SZ
        std::vector<uint8_t> Data;
        std::string Name = {};  // as written
    };

    bool CreateKey(TRoot root, const std::string& path) override;
    bool KeyExists(TRoot root, const std::string& path) override;
    bool SetDword(TRoot root, const std::string& path, const std::string& name, uint32_t value) override;
    bool QueryValue(TRoot root, const std::string& path, const std::string& name, size_t bufferSize,
                    std::vector<uint8_t>& data) override;

    bool SubKeyName(TRoot root, const std::string& path, uint32_t index, std::string& name) override;
    bool ValueAt(TRoot root, const std::string& path, uint32_t index, size_t bufferSize, std::string& name,
                 std::vector<uint8_t>& data) override;

    // For tests and the simulated devices.
    void SetValue(TRoot root, const std::string& path, const std::string& name, TValue value);
    std::optional<uint32_t> Dword(TRoot root, const std::string& path, const std::string& name) const;
    void RemoveKey(TRoot root, const std::string& path) { m_Keys.erase(KeyOf(root, path)); }

    bool FailWrites = false;

private:
    static std::string KeyOf(TRoot root, const std::string& path);
    struct TKey {
        std::string Name;  // the last part of the path, as written
        std::map<std::string, TValue> Values;
    };
    std::map<std::string, TKey> m_Keys;
};
