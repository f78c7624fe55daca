#pragma once
#include <map>
#include <string>

#include "config/Kytxmlbase.h"
#include "sys/Announcer.h"

class TImgBtn;

struct TStringData {
    std::string String;
    std::string FontName;
    std::string TextXOffset;
    std::string TextYOffset;
};

// A design-time snapshot of an image button, taken at its first localisation.
struct TImgBtnData {
    std::string Name;
    std::string Font, FontDisabled, FontDown, FontDownDisabled, FontEnter;
    int TextXOffset = 0;
    int TextYOffset = 0;
};

// The localised string table: texts (and font faces and offsets) by id, with built-in
// English defaults given by every caller.
class TResString : public TKytXmlBase {
public:
    TResString();

    void LoadLanguageFile(const std::string& path);
    std::string GetString(const std::string& id, const std::string& defaultText);
    std::string GetFontName(const std::string& id, const std::string& defaultText);
    int GetTextXOffset(const std::string& id, int defaultValue);
    int GetTextYOffset(const std::string& id, int defaultValue);
    void ApplyToButton(const std::string& id, TImgBtn& button);
    void AnnounceLanguageChange();

    // Told after every language change: the main window, then the pages.
    TAnnouncer<> LanguageChanged;

    const std::map<std::string, TStringData>& Strings() const { return m_Strings; }
    std::map<const TImgBtn*, TImgBtnData>& ButtonSnapshots() { return m_Buttons; }

private:
    static int Offset(const std::string& text, int defaultValue);

    std::map<std::string, TStringData> m_Strings;
    std::map<const TImgBtn*, TImgBtnData> m_Buttons;
};

TResString& GetResString();
