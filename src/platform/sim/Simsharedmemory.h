#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/SharedMemory.h"

// Named blocks of this simulated machine. A block lives while a handle to it is open, as a
// named file mapping does.
class TSimSharedMemory : public ISharedMemory {
public:
    THandle Create(const std::string& name, size_t size) override;
    THandle Open(const std::string& name) override;
    void* Map(THandle mapping) override;
    void Unmap(void* view) override;
    void Close(THandle mapping) override;

    // The bytes of a block, for tests; empty when no such block exists.
    std::vector<uint8_t> Bytes(const std::string& name) const;
    size_t OpenHandles() const;
    size_t MappedViews() const;
    bool FailCreate = false;

private:
    struct TBlock {
        std::vector<uint8_t> Bytes;
        int Handles = 0;
    };
    mutable std::mutex m_Mutex;
    std::map<std::string, std::shared_ptr<TBlock>> m_Blocks;
    std::map<THandle, std::string> m_Handles;
    std::multimap<void*, std::shared_ptr<TBlock>> m_Views;
    THandle m_Next = 1;
};
