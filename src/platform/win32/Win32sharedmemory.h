#pragma once
#include "platform/SharedMemory.h"

// Page-file-backed named file mappings.
class TWin32SharedMemory : public ISharedMemory {
public:
    // Who may use a mapping this program creates: full access for the system and the
    // administrators, read for the interactive user; a low mandatory label that keeps lower
    // integrity levels from writing, not from reading.
    static constexpr const wchar_t* kBlockSecurity = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GR;;;IU)S:(ML;;NW;;;LW)";

    THandle Create(const std::string& name, size_t size) override;
    THandle Open(const std::string& name) override;
    void* Map(THandle mapping) override;
    void Unmap(void* view) override;
    void Close(THandle mapping) override;
};
