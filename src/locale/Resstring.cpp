#include "locale/Resstring.h"

#include "config/Kytxmlitem.h"
#include "sys/Debugconsole.h"
#include "sys/Files.h"
#include "sys/Kytprocess.h"
#include "sys/Numbers.h"
#include "sys/Singletons.h"
#include "ui/Imgbtn.h"

TResString::TResString() {
    m_XmlFileName = GetAppDirectory() + "\\Language\\Config.xml";
    GetDebugConsole(false).WriteTagged("TLangConfig::m_XmlFileName", m_XmlFileName, kColorYellow);
}

void TResString::LoadLanguageFile(const std::string& path) {
    if (!FileExists(path)) return;
    GetDebugConsole(false).WriteLine("LangXmlFile=" + path);
    LoadXmlFile(path);
    m_Strings.clear();
    if (!HasRoot()) return;
    for (pugi::xml_node n = FirstNode(Root(), "/DATAPACKET/ROWDATA"); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        for (pugi::xml_node row = n.first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element || UpperCase(row.name()) != "ROW") continue;
            const TKytXmlItem item(row);
            const std::string id = item.GetStrAttribute("ID", "");
            if (id.empty()) continue;
            m_Strings[id] = {item.GetStrAttribute("String", ""), item.GetStrAttribute("FontName", ""),
                             item.GetStrAttribute("TextXOffset", ""), item.GetStrAttribute("TextYOffset", "")};
        }
    }
}

std::string TResString::GetString(const std::string& id, const std::string& defaultText) {
    const std::string& text = m_Strings[id].String;
    return text.empty() ? defaultText : text;
}

std::string TResString::GetFontName(const std::string& id, const std::string& defaultText) {
    const std::string& text = m_Strings[id].FontName;
    return text.empty() ? defaultText : text;
}

int TResString::Offset(const std::string& text, int defaultValue) {
    int32_t value = 0;
    return !text.empty() && ParseInteger(text, value) ? value : defaultValue;
}

int TResString::GetTextXOffset(const std::string& id, int defaultValue) {
    return Offset(m_Strings[id].TextXOffset, defaultValue);
}

int TResString::GetTextYOffset(const std::string& id, int defaultValue) {
    return Offset(m_Strings[id].TextYOffset, defaultValue);
}

void TResString::ApplyToButton(const std::string& id, TImgBtn& button) {
    const std::string text = m_Strings[id].String;
    // Untranslated: the button keeps whatever the last language that had the id gave it.
    if (text.empty()) return;
    TImgBtnData& design = m_Buttons[&button];
    if (design.Name.empty()) {
        design = {button.Name.empty() ? "TImgBtn" : button.Name,
                  button.Font.Name(),
                  button.FontDisabled.Name(),
                  button.FontDown.Name(),
                  button.FontDownDisabled.Name(),
                  button.FontEnter.Name(),
                  button.TextXOffset(),
                  button.TextYOffset()};
    }
    button.SetCaption(text);
    button.Font.SetName(GetFontName(id, design.Font));
    button.FontDisabled.SetName(GetFontName(id, design.FontDisabled));
    button.FontDown.SetName(GetFontName(id, design.FontDown));
    button.FontDownDisabled.SetName(GetFontName(id, design.FontDownDisabled));
    button.FontEnter.SetName(GetFontName(id, design.FontEnter));
    button.SetTextXOffset(GetTextXOffset(id, design.TextXOffset));
    button.SetTextYOffset(GetTextYOffset(id, design.TextYOffset));
}

void TResString::AnnounceLanguageChange() { LanguageChanged.Announce(); }

TResString& GetResString() { return SingletonOf<TResString>(); }
