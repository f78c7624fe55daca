#pragma once
#include <memory>
#include <string>

#include <pugixml.hpp>

// One parsed XML document: the base of every reader of the program's XML files. Never logs,
// never throws: a failure shows as a false load, no root element or a default value.
class TKytXmlBase {
public:
    TKytXmlBase() = default;
    virtual ~TKytXmlBase() = default;
    TKytXmlBase(const TKytXmlBase&) = delete;
    TKytXmlBase& operator=(const TKytXmlBase&) = delete;

    bool LoadXmlFile(const std::string& fileName);
    bool ReloadXmlFile() { return LoadXmlFile(m_XmlFileName); }
    bool IsLoaded() const { return m_Loaded; }
    pugi::xml_node Root() const { return m_Root; }
    // True when the document is loaded and has a root element: what every query needs.
    bool HasRoot() const { return m_Loaded && m_Root; }
    // Rewrites the whole document to the file it was loaded from, atomically.
    bool SaveXmlFile();

    std::string m_XmlFileName;

private:
    std::unique_ptr<pugi::xml_document> m_Document;
    pugi::xml_node m_Root;
    bool m_Loaded = false;
};
