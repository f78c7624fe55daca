#pragma once
#include <map>
#include <memory>

class TBaseFrame;
class TContainer;

// The registry of the main window's pages: creates a page on first request inside the host
// panel, switches the active page, hands its description to the main window, and passes
// theme, language, minimise and restore events to every page in ascending id order.
class TFrameCtrl {
public:
    explicit TFrameCtrl(TContainer* host);
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

private:
    template <class TAction>
    void ForEachPage(TAction action);

    int m_CurrentPageId = 0;
    TContainer* m_Host;
    std::map<int, std::unique_ptr<TBaseFrame>> m_Pages;
};

// The first call decides the host panel; later calls omit it.
TFrameCtrl& GetFrameCtrl(TContainer* host = nullptr);
bool FrameCtrlExists();
