#pragma once
#include <cstdint>
#include <string>

#include "platform/SharedMemory.h"

// A named shared-memory mapping and one view of it.
class TKytShareMem {
public:
    TKytShareMem() = default;
    ~TKytShareMem();
    TKytShareMem(const TKytShareMem&) = delete;
    TKytShareMem& operator=(const TKytShareMem&) = delete;

    bool OpenMapping(const std::string& name, uint32_t sizeHigh, uint32_t sizeLow, bool create);
    bool MapView();
    void UnmapView(void* view);

    void* View() const { return m_View; }
    bool Unmapped() const { return m_Unmapped; }
    bool Created() const { return m_Created; }

private:
    ISharedMemory::THandle m_Mapping = ISharedMemory::kNone;
    bool m_Created = false;
    void* m_View = nullptr;
    bool m_Unmapped = true;
};
