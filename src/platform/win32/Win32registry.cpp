#include "platform/win32/Win32registry.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace {
HKEY RootKey(IRegistry::TRoot root) {
    return root == IRegistry::TRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// An open key, closed when it goes out of scope.
class TKey {
public:
    ~TKey() {
        if (Handle) RegCloseKey(Handle);
    }
    HKEY Handle = nullptr;
};

bool OpenExisting(IRegistry::TRoot root, const std::string& path, TKey& key) {
    return RegOpenKeyExW(RootKey(root), ToWide(path).c_str(), 0, KEY_ALL_ACCESS, &key.Handle) == ERROR_SUCCESS;
}
}  // namespace

bool TWin32Registry::CreateKey(TRoot root, const std::string& path) {
    TKey key;
    DWORD disposition = 0;
    return RegCreateKeyExW(RootKey(root), ToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, &key.Handle, &disposition) == ERROR_SUCCESS;
}

bool TWin32Registry::KeyExists(TRoot root, const std::string& path) {
    TKey key;
    return OpenExisting(root, path, key);
}

bool TWin32Registry::SetDword(TRoot root, const std::string& path, const std::string& name, uint32_t value) {
    TKey key;
    if (!OpenExisting(root, path, key)) return false;
    DWORD data = value;
    return RegSetValueExW(key.Handle, ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof(data)) == ERROR_SUCCESS;
}

bool TWin32Registry::QueryValue(TRoot root, const std::string& path, const std::string& name, size_t bufferSize,
                                std::vector<uint8_t>& data) {
    TKey key;
    if (!OpenExisting(root, path, key)) return false;
    data.assign(bufferSize, 0);
    DWORD size = static_cast<DWORD>(bufferSize);
    if (RegQueryValueExW(key.Handle, ToWide(name).c_str(), nullptr, nullptr, data.empty() ? nullptr : data.data(),
                         &size) != ERROR_SUCCESS) {
        data.clear();
        return false;
    }
    data.resize(size);
    return true;
}

bool TWin32Registry::SubKeyName(TRoot root, const std::string& path, uint32_t index, std::string& name) {
    TKey key;
    if (!OpenExisting(root, path, key)) return false;
    wchar_t buffer[2048];
    DWORD length = 2048;
    if (RegEnumKeyExW(key.Handle, index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    name = ToUtf8(std::wstring(buffer, length));
    return true;
}

bool TWin32Registry::ValueAt(TRoot root, const std::string& path, uint32_t index, size_t bufferSize, std::string& name,
                             std::vector<uint8_t>& data) {
    TKey key;
    if (!OpenExisting(root, path, key)) return false;
    wchar_t buffer[2048];
    DWORD length = 2048;
    data.assign(bufferSize, 0);
    DWORD size = static_cast<DWORD>(bufferSize);
    if (RegEnumValueW(key.Handle, index, buffer, &length, nullptr, nullptr, data.empty() ? nullptr : data.data(),
                      &size) != ERROR_SUCCESS) {
        data.clear();
        return false;
    }
    name = ToUtf8(std::wstring(buffer, length));
    data.resize(size);
    return true;
}
