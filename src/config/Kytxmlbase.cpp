#include "config/Kytxmlbase.h"

#include <sstream>

#include "sys/Files.h"

bool TKytXmlBase::LoadXmlFile(const std::string& fileName) {
    m_XmlFileName = fileName;
    if (!m_Document) m_Document = std::make_unique<pugi::xml_document>();
    m_Document->reset();
    // The old content is gone, and handles on it with it.
    m_Root = pugi::xml_node();
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes)) {
        m_Loaded = false;
        return false;
    }
    // The bytes are taken as they are (UTF-8 in practice); a UTF-8 byte-order mark is dropped.
    size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    pugi::xml_parse_result result =
        m_Document->load_buffer(bytes.data() + start, bytes.size() - start, pugi::parse_default, pugi::encoding_utf8);
    m_Loaded = static_cast<bool>(result);
    if (m_Loaded) m_Root = m_Document->document_element();
    return m_Loaded;
}

bool TKytXmlBase::SaveXmlFile() {
    if (!m_Document) return false;
    std::ostringstream out;
    m_Document->save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return WriteFileAtomically(m_XmlFileName, out.str());
}
