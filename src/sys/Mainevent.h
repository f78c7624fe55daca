#pragma once
#include <string>

// The main window's callback interface. Pages, the theme list and the string table reach the
// main window only through it. The slot order is fixed.
class IMainEvent {
public:
    virtual ~IMainEvent() = default;
    virtual void SetDescription(const std::string& text) = 0;
    virtual void ThemeChanged(int themeId) = 0;
    virtual void LanguageChanged() = 0;
    virtual void MainEvent4() = 0;
    virtual void MainEvent5() = 0;
    virtual void MainEvent6() = 0;
};

// The one main window of the process, for whoever has something to tell it; null while there
// is none. The main window registers itself.
void SetMainEvent(IMainEvent* mainEvent);
IMainEvent* GetMainEvent();
