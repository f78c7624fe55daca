#include "sys/Kytwmi.h"

#include <cstdio>

#include "platform/Platform.h"

std::string TKytWMI::ValueText(const TWmiValue& value) {
    switch (value.Kind) {
        case TWmiValue::TKind::Null:
            return "NULL";
        case TWmiValue::TKind::Text:
            return value.Text;
        case TWmiValue::TKind::Boolean:
            return value.Flag ? "TRUE" : "FALSE";
        case TWmiValue::TKind::Array: {
            std::string text;
            for (size_t i = 0; i < value.Items.size(); ++i) {
                char item[16];
                std::snprintf(item, sizeof(item), "0x%08X", value.Items[i]);
                if (i) text += ",";
                text += item;
            }
            return text;
        }
        case TWmiValue::TKind::Other:
            return std::string();
    }
    return std::string();
}

TKytWMI& TKytWMI::RunQuery(const std::string& nameSpace, const std::string& query) {
    m_Rows.clear();
    std::vector<TWmiRow> rows;
    GetPlatform().Wmi->Query(nameSpace, query, rows);
    for (const TWmiRow& row : rows) {
        TRow texts;
        for (const auto& [name, value] : row) texts[name] = ValueText(value);
        if (!texts.empty()) m_Rows.push_back(std::move(texts));
    }
    return *this;
}

std::string TKytWMI::GetBaseBoardProduct() {
    RunQuery("root\\cimv2", "SELECT Product FROM Win32_BaseBoard");
    if (m_Rows.empty()) return std::string();
    auto it = m_Rows.front().find("Product");
    return it == m_Rows.front().end() ? std::string() : it->second;
}
