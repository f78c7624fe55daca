#pragma once
#include <cstdint>
#include <string>

#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"

// The language index "Language\Config.xml": which string file serves a language identifier.
class TLangCtrl : public TKytXmlBase {
public:
    TLangCtrl();

    std::string GetLanguageFile(uint16_t languageId) const;
    bool IsLanguageAvailable(uint16_t languageId) const;
    const TXmlItems& GetLanguageItems() const { return m_Items; }
    const std::string& LanguageFolder() const { return m_Folder; }

private:
    TXmlItems m_Items;
    std::string m_Folder;
};

TLangCtrl& GetLangCtrl();
