#include "shell/Framectrl.h"

#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "sys/Mainevent.h"
#include "sys/Singletons.h"
#include "ui/Frmbase.h"

TFrameCtrl::TFrameCtrl(TContainer* host, TPageFactory makePage) : m_Host(host), m_MakePage(std::move(makePage)) {
    m_ThemeToken = GetThemeCtrl().ThemeSelected.Subscribe([this](int id) { ApplyThemeToPages(id); });
    m_LanguageToken = GetResString().LanguageChanged.Subscribe([this] { ApplyLanguageToPages(); });
}

TFrameCtrl::~TFrameCtrl() {
    if (SingletonExists<TThemeCtrl>()) GetThemeCtrl().ThemeSelected.Unsubscribe(m_ThemeToken);
    if (SingletonExists<TResString>()) GetResString().LanguageChanged.Unsubscribe(m_LanguageToken);
}

template <class TAction>
void TFrameCtrl::ForEachPage(TAction action) {
    for (auto& [id, page] : m_Pages) {
        if (page) action(*page);
    }
}

void TFrameCtrl::CreatePage(int id) {
    if (!m_Host || !m_MakePage) return;
    std::unique_ptr<TBaseFrame>& slot = m_Pages[id];
    if (!slot) {
        slot = m_MakePage(id, m_Host);
        if (slot) slot->PageId = id;
    }
    if (!slot) return;
    if (slot->Enabled()) {
        slot->SetAlign(TAlign::Client);
        slot->ApplyLanguage();
        slot->ApplyTheme(GetThemeCtrl().CurrentThemeId);
    } else {
        slot.reset();  // a page that disabled itself is made afresh next time
    }
}

TBaseFrame* TFrameCtrl::GetPage(int id) {
    if (!m_Pages[id]) CreatePage(id);
    return m_Pages[id].get();
}

void TFrameCtrl::ShowPage(int id) {
    if (!m_Pages[id]) CreatePage(id);
    TBaseFrame* page = m_Pages[id].get();
    if (!page) return;
    if (id == m_CurrentPageId) {
        // The page shown is shown again: it brings itself up to date.
        page->ActivatePage();
        return;
    }
    auto current = m_Pages.find(m_CurrentPageId);
    if (current != m_Pages.end() && current->second) current->second->DeactivatePage();
    m_CurrentPageId = id;
    page->ActivatePage();
    if (IMainEvent* main = GetMainEvent()) main->SetDescription(page->Description);
    page->BringToFront();
}

void TFrameCtrl::ApplyThemeToPages(int themeId) {
    ForEachPage([themeId](TBaseFrame& page) { page.ApplyTheme(themeId); });
}
void TFrameCtrl::ApplyLanguageToPages() {
    ForEachPage([](TBaseFrame& page) { page.ApplyLanguage(); });
}
void TFrameCtrl::NotifyMinimized() {
    ForEachPage([](TBaseFrame& page) { page.WindowMinimized(); });
}
void TFrameCtrl::NotifyRestored() {
    ForEachPage([](TBaseFrame& page) { page.WindowRestored(); });
}

TFrameCtrl& GetFrameCtrl(TContainer* host, TPageFactory makePage) {
    return SingletonOf<TFrameCtrl>(host, std::move(makePage));
}
bool FrameCtrlExists() { return SingletonExists<TFrameCtrl>(); }

bool TFrameCtrl::AnyPageBusy() const {
    for (const auto& [id, page] : m_Pages) {
        if (page && page->Busy()) return true;
    }
    return false;
}
