#pragma once
#include <map>
#include <mutex>

#include "platform/SharedMemory.h"

// POSIX shared memory under "/<name>". The object is removed when the handle that created it
// is closed.
class TPosixSharedMemory : public ISharedMemory {
public:
    THandle Create(const std::string& name, size_t size) override;
    THandle Open(const std::string& name) override;
    void* Map(THandle mapping) override;
    void Unmap(void* view) override;
    void Close(THandle mapping) override;

private:
    struct TMapping {
        std::string Name;
        size_t Size;
        bool Creator;
    };
    std::mutex m_Mutex;
    std::map<THandle, TMapping> m_Mappings;  // keyed by file descriptor + 1
    std::map<void*, size_t> m_Views;
};
