#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The program's own files (configuration, languages, pictures), at paths built as text.
// Paths are UTF-8 with "\" separators; on other hosts "\" becomes "/".
std::filesystem::path HostPath(const std::string& path);
bool FileExists(const std::string& path);
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Writes a temporary file beside the target and renames it over the target, so the target is
// always either the old or the new complete file.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
// Copies over an existing file, atomically.
bool CopyFileOver(const std::string& from, const std::string& to);
