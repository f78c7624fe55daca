#include "sys/Kytprocess.h"

#include <algorithm>

#include "platform/Platform.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Everything before the last separator; the empty text when there is none.
std::string CutBeforeLastSeparator(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return path.substr(0, i - 1);
    }
    return std::string();
}

// Position of the marker: first exactly, then in the upper-case form of the text.
size_t FindMarker(const std::string& text, const std::string& marker) {
    size_t pos = text.find(marker);
    if (pos == std::string::npos) pos = UpperCase(text).find(marker);
    return pos;
}
}  // namespace

std::string UpperCase(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string GetModulePath() { return GetPlatform().Process->ModulePath(); }

std::string GetAppDirectory() { return CutBeforeLastSeparator(CutBeforeLastSeparator(GetModulePath())); }

std::string GetModuleBaseName() {
    std::string path = GetModulePath();
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i])) start = i + 1;
    }
    std::string name = path.substr(start);
    size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

std::string GetBinParentPath() {
    std::string path = GetModulePath();
    size_t pos = std::min(path.find("\\Bin"), path.find("/Bin"));
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string ToHostPath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    std::string host = path;
    for (char& c : host) {
        if (c == '\\') c = '/';
    }
    return host;
#endif
}

bool GetFileVersionNumbers(const std::string& path, uint32_t& mostSignificant, uint32_t& leastSignificant) {
    return GetPlatform().Process->FileVersion(path, mostSignificant, leastSignificant);
}

std::string GetFileVersionText(const std::string& path) {
    uint32_t ms = 0, ls = 0;
    if (!GetFileVersionNumbers(path, ms, ls)) return std::string();
    std::string text = std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." + std::to_string(ls >> 16);
    if ((ls & 0xFFFF) != 0) text += "." + std::to_string(ls & 0xFFFF);
    return text;
}

std::string TextAfter(const std::string& text, const std::string& marker, const std::string& defaultText) {
    size_t pos = FindMarker(text, marker);
    return pos == std::string::npos ? defaultText : text.substr(pos + marker.size());
}

std::string TextBefore(const std::string& text, const std::string& marker, const std::string& defaultText) {
    size_t pos = FindMarker(text, marker);
    return pos == std::string::npos ? defaultText : text.substr(0, pos);
}

std::string SwitchValue(const std::string& commandLine, const std::string& name) {
    const size_t at = FindMarker(commandLine, name);
    if (at == std::string::npos) return std::string();
    const std::string after = commandLine.substr(at + name.size());
    // "/NAME=a b" in quotes as a whole, or /NAME="a b": the value runs to the closing quote.
    if (at > 0 && commandLine[at - 1] == '"') return after.substr(0, after.find('"'));
    if (!after.empty() && after[0] == '"') return after.substr(1, after.find('"', 1) - 1);
    return after.substr(0, after.find(' '));
}

std::string TextBeforeOrEmpty(const std::string& text, const std::string& marker) {
    size_t pos = text.find(marker);
    return pos == std::string::npos ? std::string() : text.substr(0, pos);
}

std::string RemoveMarker(const std::string& text, const std::string& marker) {
    return TextBefore(text, marker, text) + TextAfter(text, marker, std::string());
}
