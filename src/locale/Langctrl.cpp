#include "locale/Langctrl.h"

#include "sys/Debugconsole.h"
#include "sys/Files.h"
#include "sys/Kytprocess.h"
#include "sys/Singletons.h"

TLangCtrl::TLangCtrl() {
    m_XmlFileName = GetAppDirectory() + "\\Language\\Config.xml";
    m_Folder = GetAppDirectory() + "\\Language\\";
    GetDebugConsole(false).WriteTagged("TLangConfig::m_XmlFileName", m_XmlFileName, kColorYellow);
    ReloadXmlFile();
    if (HasRoot()) CollectItems(m_Items, Root(), "/Root/Languages/Item");
}

std::string TLangCtrl::GetLanguageFile(uint16_t languageId) const {
    for (const TKytXmlItem& item : m_Items) {
        if (item.GetIntAttribute("Enable", 0) == 1 && item.GetIntAttribute("LangId", 1033) == languageId) {
            return m_Folder + item.GetStrAttribute("FileName", "");
        }
    }
    return std::string();
}

bool TLangCtrl::IsLanguageAvailable(uint16_t languageId) const { return FileExists(GetLanguageFile(languageId)); }

TLangCtrl& GetLangCtrl() { return SingletonOf<TLangCtrl>(); }
