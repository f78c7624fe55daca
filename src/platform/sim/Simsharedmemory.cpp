#include "platform/sim/Simsharedmemory.h"

ISharedMemory::THandle TSimSharedMemory::Create(const std::string& name, size_t size) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (FailCreate) return kNone;
    auto& block = m_Blocks[name];
    if (!block) {
        block = std::make_shared<TBlock>();
        block->Bytes.assign(size, 0);
    }
    ++block->Handles;
    m_Handles[m_Next] = name;
    return m_Next++;
}

ISharedMemory::THandle TSimSharedMemory::Open(const std::string& name) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Blocks.find(name);
    if (it == m_Blocks.end()) return kNone;
    ++it->second->Handles;
    m_Handles[m_Next] = name;
    return m_Next++;
}

void* TSimSharedMemory::Map(THandle mapping) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Handles.find(mapping);
    if (it == m_Handles.end()) return nullptr;
    auto block = m_Blocks[it->second];
    void* view = block->Bytes.data();
    // Each view is its own address in a real system; here several views share the bytes,
    // so a view is counted by its block.
    m_Views.emplace(view, block);
    return view;
}

void TSimSharedMemory::Unmap(void* view) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Views.find(view);
    if (it != m_Views.end()) m_Views.erase(it);
}

void TSimSharedMemory::Close(THandle mapping) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Handles.find(mapping);
    if (it == m_Handles.end()) return;
    auto block = m_Blocks.find(it->second);
    if (block != m_Blocks.end() && --block->second->Handles == 0) m_Blocks.erase(block);
    m_Handles.erase(it);
}

std::vector<uint8_t> TSimSharedMemory::Bytes(const std::string& name) const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Blocks.find(name);
    return it == m_Blocks.end() ? std::vector<uint8_t>() : it->second->Bytes;
}

size_t TSimSharedMemory::OpenHandles() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Handles.size();
}

size_t TSimSharedMemory::MappedViews() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Views.size();
}
