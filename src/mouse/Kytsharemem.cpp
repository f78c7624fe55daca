#include "mouse/Kytsharemem.h"

#include "platform/Platform.h"

TKytShareMem::~TKytShareMem() {
    if (!m_Unmapped) UnmapView(m_View);
    if (m_Mapping != ISharedMemory::kNone) GetPlatform().SharedMemory->Close(m_Mapping);
}

bool TKytShareMem::OpenMapping(const std::string& name, uint32_t sizeHigh, uint32_t sizeLow, bool create) {
    ISharedMemory& memory = *GetPlatform().SharedMemory;
    if (m_Mapping != ISharedMemory::kNone) memory.Close(m_Mapping);
    const size_t size = (static_cast<uint64_t>(sizeHigh) << 32) | sizeLow;
    m_Mapping = create ? memory.Create(name, size) : memory.Open(name);
    m_Created = create;
    return m_Mapping != ISharedMemory::kNone;
}

bool TKytShareMem::MapView() {
    if (m_Mapping == ISharedMemory::kNone) return false;
    void* view = GetPlatform().SharedMemory->Map(m_Mapping);
    if (!view) return false;
    m_View = view;
    m_Unmapped = false;
    return true;
}

void TKytShareMem::UnmapView(void* view) {
    GetPlatform().SharedMemory->Unmap(view);
    m_View = nullptr;
    m_Unmapped = true;
}
