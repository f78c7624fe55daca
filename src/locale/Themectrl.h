#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class IMainEvent;
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

    void SetListener(IMainEvent* listener) { m_Listener = listener; }
    void SetPagesListener(std::function<void(int)> applyToPages) { m_ApplyToPages = std::move(applyToPages); }

private:
    std::vector<TThemeItem> m_Themes;
    IMainEvent* m_Listener = nullptr;
    std::function<void(int)> m_ApplyToPages;
};

TThemeCtrl& GetThemeCtrl();
