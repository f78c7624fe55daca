#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Named shared memory that other processes can open by name.
class ISharedMemory {
public:
    using THandle = int64_t;
    static constexpr THandle kNone = 0;

    virtual ~ISharedMemory() = default;
    // Creates the mapping, or returns the existing one of that name.
    virtual THandle Create(const std::string& name, size_t size) = 0;
    virtual THandle Open(const std::string& name) = 0;
    virtual void* Map(THandle mapping) = 0;
    virtual void Unmap(void* view) = 0;
    virtual void Close(THandle mapping) = 0;
};
