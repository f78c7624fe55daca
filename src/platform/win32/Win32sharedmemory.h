#pragma once
#include "platform/SharedMemory.h"

// Page-file-backed named file mappings.
class TWin32SharedMemory : public ISharedMemory {
public:
    THandle Create(const std::string& name, size_t size) override;
    THandle Open(const std::string& name) override;
    void* Map(THandle mapping) override;
    void Unmap(void* view) override;
    void Close(THandle mapping) override;
};
