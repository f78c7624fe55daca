#include "platform/posix/Posixsharedmemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string ObjectName(const std::string& name) { return "/" + name; }
}  // namespace

ISharedMemory::THandle TPosixSharedMemory::Create(const std::string& name, size_t size) {
    int fd = shm_open(ObjectName(name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    bool creator = fd >= 0;
    if (!creator) fd = shm_open(ObjectName(name).c_str(), O_RDWR, 0600);
    if (fd < 0) return kNone;
    struct stat info {};
    if (creator && ftruncate(fd, static_cast<off_t>(size)) != 0) {
        close(fd);
        shm_unlink(ObjectName(name).c_str());
        return kNone;
    }
    fstat(fd, &info);
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Mappings[fd + 1] = {name, static_cast<size_t>(info.st_size), creator};
    return fd + 1;
}

ISharedMemory::THandle TPosixSharedMemory::Open(const std::string& name) {
    int fd = shm_open(ObjectName(name).c_str(), O_RDWR, 0600);
    if (fd < 0) return kNone;
    struct stat info {};
    fstat(fd, &info);
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Mappings[fd + 1] = {name, static_cast<size_t>(info.st_size), false};
    return fd + 1;
}

void* TPosixSharedMemory::Map(THandle mapping) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Mappings.find(mapping);
    if (it == m_Mappings.end() || it->second.Size == 0) return nullptr;
    void* view = mmap(nullptr, it->second.Size, PROT_READ | PROT_WRITE, MAP_SHARED, static_cast<int>(mapping - 1), 0);
    if (view == MAP_FAILED) return nullptr;
    m_Views[view] = it->second.Size;
    return view;
}

void TPosixSharedMemory::Unmap(void* view) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Views.find(view);
    if (it == m_Views.end()) return;
    munmap(view, it->second);
    m_Views.erase(it);
}

void TPosixSharedMemory::Close(THandle mapping) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    auto it = m_Mappings.find(mapping);
    if (it == m_Mappings.end()) return;
    close(static_cast<int>(mapping - 1));
    if (it->second.Creator) shm_unlink(ObjectName(it->second.Name).c_str());
    m_Mappings.erase(it);
}
