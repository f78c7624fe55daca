#include "sys/Files.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "sys/Kytprocess.h"

std::filesystem::path HostPath(const std::string& path) {
    const std::string host = ToHostPath(path);
    return std::filesystem::path(std::u8string(host.begin(), host.end()));
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(HostPath(path), error);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    if (!FileExists(path)) return false;
    std::ifstream file(HostPath(path), std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

namespace {
// Writes the bytes and has them on the disk before answering: a rename over the old file that
// reaches the disk before the new content would leave an empty file after a power cut.
bool WriteDurably(const std::filesystem::path& path, const std::string& bytes) {
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"wb");
#else
    std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(file)) == 0;
#else
    ok = ok && fsync(fileno(file)) == 0;
#endif
    return std::fclose(file) == 0 && ok;
}
}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = HostPath(path);
    std::filesystem::path temporary = target;
    temporary += ".saving";
    if (!WriteDurably(temporary, bytes)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    // Through the atomic writer: the MinGW library's copy_file refuses to overwrite, and a copy
    // cut short must not leave half a file either.
    std::string bytes;
    return ReadFileBytes(from, bytes) && WriteFileAtomically(to, bytes);
}
