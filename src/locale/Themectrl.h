#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sys/Announcer.h"

class TPicture;
class TTrackBar;

struct TThemeItem {
    int ThemeId;
    std::string Folder;  // with a trailing separator
    std::string Name;
    uint32_t Accent = 0;  // the colour of its highlights, 0xBBGGRR
};

// The three skins: their folders of identically named pictures, the current one, and the
// announcement of a new selection to the main window and every page.
class TThemeCtrl {
public:
    TThemeCtrl();

    int CurrentThemeId = 0;
    const std::vector<TThemeItem>& Themes() const { return m_Themes; }
    const TThemeItem* FindTheme(int id) const;
    std::string GetThemeFolder(int id) const;
    // Loads the file when it exists; otherwise the picture keeps what it shows.
    static void LoadThemePicture(TPicture& picture, const std::string& path);
    void SelectTheme(int id);
    static void CopyTrackBarPictures(const TTrackBar& source, TTrackBar& target);

    // Told the theme id after every selection: the main window, then the pages.
    TAnnouncer<int> ThemeSelected;

private:
    std::vector<TThemeItem> m_Themes;
};

TThemeCtrl& GetThemeCtrl();
