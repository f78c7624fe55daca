#include "platform/sim/Simfiles.h"

#include "sys/Kytprocess.h"

IFileSystem::TOpen TSimFileSystem::ProbeExisting(const std::string& path) {
    return Exists(path) ? TOpen::Opened : TOpen::NotFound;
}

int64_t TSimFileSystem::WriteWhole(const std::string& path, const uint8_t* bytes, size_t size) {
    if (FailCreate) return -1;
    ++Writes;
    size_t written = WriteLimit >= 0 && static_cast<size_t>(WriteLimit) < size ? static_cast<size_t>(WriteLimit) : size;
    m_Files[UpperCase(path)] = std::vector<uint8_t>(bytes, bytes + written);
    return static_cast<int64_t>(written);
}

bool TSimFileSystem::Remove(const std::string& path) { return m_Files.erase(UpperCase(path)) != 0; }

bool TSimFileSystem::Exists(const std::string& path) const { return m_Files.count(UpperCase(path)) != 0; }

const std::vector<uint8_t>* TSimFileSystem::Content(const std::string& path) const {
    auto it = m_Files.find(UpperCase(path));
    return it == m_Files.end() ? nullptr : &it->second;
}

void TSimFileSystem::Put(const std::string& path, std::vector<uint8_t> bytes) {
    m_Files[UpperCase(path)] = std::move(bytes);
}
