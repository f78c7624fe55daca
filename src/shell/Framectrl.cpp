#include "shell/Framectrl.h"

#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "mouse/Frmmousepolling.h"
#include "sys/Mainevent.h"
#include "sys/Singletons.h"
#include "ui/Frmsamples.h"

namespace {

std::unique_ptr<TBaseFrame> MakePage(int id, TContainer* host) {
    switch (id) {
        case 1: return std::make_unique<TSample1Frame>(host);
        case 2: return std::make_unique<TSample2Frame>(host);
        case 24: return std::make_unique<TMousePollingFrame>(host);
        default: return nullptr;
    }
}
}  // namespace

TFrameCtrl::TFrameCtrl(TContainer* host) : m_Host(host) {
    GetThemeCtrl().SetPagesListener([this](int id) { ApplyThemeToPages(id); });
    GetResString().SetPagesListener([this] { ApplyLanguageToPages(); });
}

TFrameCtrl::~TFrameCtrl() {
    if (SingletonExists<TThemeCtrl>()) GetThemeCtrl().SetPagesListener(nullptr);
    if (SingletonExists<TResString>()) GetResString().SetPagesListener(nullptr);
}

template <class TAction>
void TFrameCtrl::ForEachPage(TAction action) {
    for (auto& [id, page] : m_Pages) {
        if (page) action(*page);
    }
}

void TFrameCtrl::CreatePage(int id) {
    if (!m_Host) return;
    std::unique_ptr<TBaseFrame>& slot = m_Pages[id];
    if (!slot) {
        slot = MakePage(id, m_Host);
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

TFrameCtrl& GetFrameCtrl(TContainer* host) { return SingletonOf<TFrameCtrl>(host); }
bool FrameCtrlExists() { return SingletonExists<TFrameCtrl>(); }
