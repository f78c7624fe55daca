#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The system registry, as far as the program uses it.
class IRegistry {
public:
    enum class TRoot { LocalMachine, CurrentUser };

    virtual ~IRegistry() = default;
    // Creates the key (non-volatile) or opens it when it exists.
    virtual bool CreateKey(TRoot root, const std::string& path) = 0;
    virtual bool KeyExists(TRoot root, const std::string& path) = 0;
    // Sets a REG_DWORD value in an existing key.
    virtual bool SetDword(TRoot root, const std::string& path, const std::string& name, uint32_t value) = 0;
    // Reads a value's bytes, whatever its type; fails when the key or value is missing or the
    // data is larger than bufferSize.
    virtual bool QueryValue(TRoot root, const std::string& path, const std::string& name, size_t bufferSize,
                            std::vector<uint8_t>& data) = 0;
    // The name of a key's subkey by index.
    virtual bool SubKeyName(TRoot root, const std::string& path, uint32_t index, std::string& name) = 0;
    // A key's value by index: its name and data (fails when larger than bufferSize).
    virtual bool ValueAt(TRoot root, const std::string& path, uint32_t index, size_t bufferSize, std::string& name,
                         std::vector<uint8_t>& data) = 0;
};
