#include "sys/Files.h"

#include <fstream>
#include <iterator>

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

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = HostPath(path);
    std::filesystem::path temporary = target;
    temporary += ".saving";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
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
