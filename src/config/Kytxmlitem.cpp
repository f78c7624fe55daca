#include "config/Kytxmlitem.h"

#include "sys/Kytprocess.h"
#include "sys/Numbers.h"

const char* Attribute(pugi::xml_node element, const char* name) {
    pugi::xml_attribute attribute = element.attribute(name);
    return attribute ? attribute.value() : nullptr;
}

int TKytXmlItem::GetIntAttribute(const std::string& name, int defaultValue) const {
    if (!m_Element) return defaultValue;
    const char* raw = Attribute(m_Element, name.c_str());
    const std::string text = raw ? raw : "";
    int32_t value = 65535;
    if (!ParseInteger(text, value)) value = 65535;
    if (value != 65535) return value;
    int32_t scanned = 0;
    return raw && ScanDecimal(text, scanned) ? scanned : defaultValue;
}

bool TKytXmlItem::GetBoolAttribute(const std::string& name, bool defaultValue) const {
    if (!m_Element) return defaultValue;
    const char* raw = Attribute(m_Element, name.c_str());
    const std::string text = UpperCase(raw ? raw : "");
    if (text == "TRUE" || text == "1") return true;
    if (text == "FALSE" || text == "0") return false;
    return defaultValue;
}

std::string TKytXmlItem::GetStrAttribute(const std::string& name, const std::string& defaultValue) const {
    if (!m_Element) return defaultValue;
    const char* raw = Attribute(m_Element, name.c_str());
    return raw && *raw ? std::string(raw) : defaultValue;
}

pugi::xml_node FirstNode(pugi::xml_node root, const char* path) {
    if (!root) return pugi::xml_node();
#ifdef PUGIXML_NO_EXCEPTIONS
    return root.select_node(path).node();
#else
    try {
        return root.select_node(path).node();
    } catch (const pugi::xpath_exception&) {
        return pugi::xml_node();
    }
#endif
}

void CollectItems(TXmlItems& list, pugi::xml_node root, const char* path, TItemFilter elementFilter,
                  TItemFilter childFilter) {
    list.clear();
    for (pugi::xml_node n = FirstNode(root, path); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element || (elementFilter && !elementFilter(n))) continue;
        list.emplace_back(n);
        for (pugi::xml_node child = n.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element && (!childFilter || childFilter(child))) list.emplace_back(child);
        }
    }
}
