#pragma once
#include <functional>
#include <map>
#include <memory>

class TBaseFrame;
class TContainer;

// Makes the page with the given id inside the host, or null when the id is no page.
using TPageFactory = std::function<std::unique_ptr<TBaseFrame>(int id, TContainer* host)>;

// The registry of the main window's pages: creates a page on first request inside the host
// panel through the factory it is given, switches the active page, hands its description to the main window, and passes
// theme, language, minimise and restore events to every page in ascending id order.
class TFrameCtrl {
public:
    TFrameCtrl(TContainer* host, TPageFactory makePage);
    ~TFrameCtrl();
    TFrameCtrl(const TFrameCtrl&) = delete;
    TFrameCtrl& operator=(const TFrameCtrl&) = delete;

    void CreatePage(int id);
    void ShowPage(int id);
    TBaseFrame* GetPage(int id);
    void ApplyThemeToPages(int themeId);
    void ApplyLanguageToPages();
    void NotifyMinimized();
    void NotifyRestored();
    int CurrentPageId() const { return m_CurrentPageId; }
    // The pages die with the main window.
    void DestroyPages() { m_Pages.clear(); }
    // Whether any page is in the middle of work that closing would cut short.
    bool AnyPageBusy() const;

private:
    template <class TAction>
    void ForEachPage(TAction action);

    int m_CurrentPageId = 0;
    TContainer* m_Host;
    TPageFactory m_MakePage;
    int m_ThemeToken = 0;
    int m_LanguageToken = 0;
    std::map<int, std::unique_ptr<TBaseFrame>> m_Pages;
};

// The first call decides the host panel and the pages; later calls omit them.
TFrameCtrl& GetFrameCtrl(TContainer* host = nullptr, TPageFactory makePage = nullptr);
bool FrameCtrlExists();
