#pragma once
#include <string>

// UTF-8 inside the program, UTF-16 at the Windows calls.
std::wstring ToWide(const std::string& utf8);
std::string ToUtf8(const std::wstring& wide);
