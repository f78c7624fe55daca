#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A property value as WMI delivers it, before it is turned into text.
struct TWmiValue {
    enum class TKind { Null, Text, Boolean, Array, Other };
    TKind Kind = TKind::Other;
    std::string Text;             // Text: already converted with the thread locale
    bool Flag = false;            // Boolean
    std::vector<uint32_t> Items;  // Array: each element read as a 32-bit value
};

using TWmiRow = std::map<std::string, TWmiValue>;

// WQL queries against a WMI namespace.
class IWmi {
public:
    virtual ~IWmi() = default;
    // Appends one row per object; answers false when the query could not run at all.
    virtual bool Query(const std::string& nameSpace, const std::string& query, std::vector<TWmiRow>& rows) = 0;
};
