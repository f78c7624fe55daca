#pragma once
#include <string>
#include <vector>

#include <pugixml.hpp>

// A by-value handle on one element of a document (possibly none), with typed attribute
// getters. It owns nothing: a handle is valid until its document is loaded again.
class TKytXmlItem {
public:
    TKytXmlItem() = default;
    explicit TKytXmlItem(pugi::xml_node element) : m_Element(element) {}
    virtual ~TKytXmlItem() = default;

    pugi::xml_node Element() const { return m_Element; }
    bool IsNull() const { return !m_Element; }

    // The whole text as an integer, else its leading decimal number, else the default.
    int GetIntAttribute(const std::string& name, int defaultValue) const;
    // "TRUE" or "1" in any letter case: true; "FALSE" or "0": false; else the default.
    bool GetBoolAttribute(const std::string& name, bool defaultValue) const;
    // The raw bytes, or the default when absent or empty.
    std::string GetStrAttribute(const std::string& name, const std::string& defaultValue) const;

private:
    pugi::xml_node m_Element;
};

using TXmlItems = std::vector<TKytXmlItem>;

// The raw attribute text, null when absent.
const char* Attribute(pugi::xml_node element, const char* name);

// The first node, in document order, of an absolute location path evaluated from the root
// element; none when the path matches nothing.
pugi::xml_node FirstNode(pugi::xml_node root, const char* path);

// The first match of path and every element sibling after it, each followed by its own child
// elements (one level); filters decide which elements and which children are kept.
using TItemFilter = bool (*)(pugi::xml_node element);
void CollectItems(TXmlItems& list, pugi::xml_node root, const char* path, TItemFilter elementFilter = nullptr,
                  TItemFilter childFilter = nullptr);
