#include "platform/sim/Simregistry.h"

#include "sys/Bytes.h"
#include "sys/Kytprocess.h"

std::string TSimRegistry::KeyOf(TRoot root, const std::string& path) {
    return (root == TRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + UpperCase(path);
}

bool TSimRegistry::CreateKey(TRoot root, const std::string& path) {
    if (FailWrites) return false;
    // Like the system, creating a key creates the missing keys above it.
    size_t start = 0;
    for (size_t slash = path.find('\\');; slash = path.find('\\', slash + 1)) {
        const std::string part = path.substr(0, slash);
        TKey& key = m_Keys[KeyOf(root, part)];
        if (key.Name.empty()) key.Name = part.substr(start);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return true;
}

bool TSimRegistry::KeyExists(TRoot root, const std::string& path) { return m_Keys.count(KeyOf(root, path)) != 0; }

bool TSimRegistry::SetDword(TRoot root, const std::string& path, const std::string& name, uint32_t value) {
    auto key = m_Keys.find(KeyOf(root, path));
    if (FailWrites || key == m_Keys.end()) return false;
    std::vector<uint8_t> data(4);
    for (int i = 0; i < 4; ++i) data[i] = static_cast<uint8_t>(value >> (8 * i));
    key->second.Values[UpperCase(name)] = {4, data, name};
    return true;
}

bool TSimRegistry::QueryValue(TRoot root, const std::string& path, const std::string& name, size_t bufferSize,
                              std::vector<uint8_t>& data) {
    auto key = m_Keys.find(KeyOf(root, path));
    if (key == m_Keys.end()) return false;
    auto value = key->second.Values.find(UpperCase(name));
    if (value == key->second.Values.end() || value->second.Data.size() > bufferSize) return false;
    data = value->second.Data;
    return true;
}

void TSimRegistry::SetValue(TRoot root, const std::string& path, const std::string& name, TValue value) {
    CreateKey(root, path);
    value.Name = name;
    m_Keys[KeyOf(root, path)].Values[UpperCase(name)] = std::move(value);
}

std::optional<uint32_t> TSimRegistry::Dword(TRoot root, const std::string& path, const std::string& name) const {
    auto key = m_Keys.find(KeyOf(root, path));
    if (key == m_Keys.end()) return std::nullopt;
    auto value = key->second.Values.find(UpperCase(name));
    if (value == key->second.Values.end() || value->second.Type != 4 || value->second.Data.size() != 4) {
        return std::nullopt;
    }
    return bytes::Get32(value->second.Data.data());
}

bool TSimRegistry::SubKeyName(TRoot root, const std::string& path, uint32_t index, std::string& name) {
    const std::string prefix = KeyOf(root, path) + "\\";
    uint32_t seen = 0;
    for (auto it = m_Keys.lower_bound(prefix); it != m_Keys.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        if (it->first.find('\\', prefix.size()) != std::string::npos) continue;  // deeper
        if (seen++ == index) {
            name = it->second.Name;
            return true;
        }
    }
    return false;
}

bool TSimRegistry::ValueAt(TRoot root, const std::string& path, uint32_t index, size_t bufferSize, std::string& name,
                           std::vector<uint8_t>& data) {
    auto key = m_Keys.find(KeyOf(root, path));
    if (key == m_Keys.end() || index >= key->second.Values.size()) return false;
    auto value = std::next(key->second.Values.begin(), index);
    if (value->second.Data.size() > bufferSize) return false;
    name = value->second.Name;
    data = value->second.Data;
    return true;
}
