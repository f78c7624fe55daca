#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/Wmi.h"

// One WQL query against a WMI namespace, its answer kept as rows of property texts.
class TKytWMI {
public:
    using TRow = std::map<std::string, std::string>;

    TKytWMI& RunQuery(const std::string& nameSpace, const std::string& query);
    std::string GetBaseBoardProduct();
    const std::vector<TRow>& Rows() const { return m_Rows; }

    // A property value as text: "NULL", the converted text, "TRUE"/"FALSE", or the array's
    // elements as 0x%08X joined with ",".
    static std::string ValueText(const TWmiValue& value);

private:
    std::vector<TRow> m_Rows;
};
