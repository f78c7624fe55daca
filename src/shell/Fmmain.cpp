#include "shell/Fmmain.h"

#include <cstdio>

#include "config/Kytmodelconfig.h"
#include "config/Kytovtconfig.h"
#include "config/Kytspec.h"
#include "hw/Loaddriver.h"
#include "locale/Langctrl.h"
#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "mouse/Frmmousepolling.h"
#include "platform/Platform.h"
#include "shell/Entry.h"
#include "shell/Framectrl.h"
#include "shell/Programpages.h"
#include "sys/Debugconsole.h"
#include "sys/Kytprocess.h"
#include "sys/Numbers.h"
#include "sys/Singletons.h"
#include "ui/Skin.h"
#include "ui/toolkit/Application.h"

namespace {
constexpr uint32_t kSysCommand = 0x0112;
constexpr uint64_t kScRestore = 0xF120;
constexpr const char* kTrayText = "Trivexal Glidepost";
constexpr const char* kNotForThisPlatform = "This utility is not for this platform!";
}  // namespace

TMainForm::TMainForm() {
    Caption = "Glidepost";
    SetSize(1000, 539);
    Position = TPosition::ScreenCenter;
    Color = 0xF0F0F0;
    TopBgImage.SetSize(1000, 43);
    TopBgImage.SetAlign(TAlign::Top);
    TopBgImage.OnMouseDown = [this](TControl&, int button, int, int) {
        if (button == 0) GetPlatform().Windows->StartDrag(Handle());
    };
    BottomBgImage.SetSize(1000, 122);
    BottomBgImage.SetAlign(TAlign::Bottom);
    FramePanel.SetBounds(0, 43, 1000, 374);
    FramePanel.SetAlign(TAlign::Client);
    lblDescriptionCaption.SetBounds(15, 419, 400, 24);
    StyleLabel(lblDescriptionCaption, "Neo Sans", 16, 0xC5C5C5);
    lblDescriptionCaption.SetTextAlign(aVHTopLeft);
    lblDescriptionCaption.SetCaption("Description");
    lblDescription.SetBounds(15, 446, 950, 69);
    StyleLabel(lblDescription, "Neo Sans", 13, 0xC5C5C5);
    lblDescription.SetTextAlign(aVHTopLeft);
    MinBtn.SetPosition(928, 8);
    StyleWindowButton(MinBtn, "MINBTN");
    MinBtn.OnClick = [this](TControl&) { MinBtnClick(); };
    CloseBtn.SetPosition(965, 8);
    StyleWindowButton(CloseBtn, "CLOSEBTN");
    CloseBtn.OnClick = [this](TControl&) { CloseBtnClick(); };
    ThemeComboBox.SetBounds(851, 418, 145, 21);
    ThemeComboBox.SetVisible(false);
    ThemeComboBox.OnChange = [this](TComboBox&) { ThemeComboBoxChange(); };
    LanguageComboBox.SetBounds(704, 418, 145, 21);
    LanguageComboBox.SetVisible(false);
    LanguageComboBox.OnChange = [this](TComboBox&) { LanguageComboBoxChange(); };
    FramTimer.SetInterval(2000);
    FramTimer.OnTimer = [this] { FramTimerTimer(); };
    OnCloseQuery = [this] { return FormCloseQuery(); };
    CloseWhenIdleTimer.SetInterval(100);
    CloseWhenIdleTimer.OnTimer = [this] {
        if (FrameCtrlExists() && GetFrameCtrl().AnyPageBusy()) return;
        CloseWhenIdleTimer.SetEnabled(false);
        Close();
    };
    GetApplication().OnMessage = [this](const TMessage& message, bool& handled) {
        ApplicationEvents1Message(message, handled);
    };

    m_StartedUp = StartUp();
    if (m_StartedUp) FormCreate();
}

TMainForm::~TMainForm() {
    FramTimer.SetEnabled(false);
    CloseWhenIdleTimer.SetEnabled(false);
    if (Handle() && m_InTray) GetPlatform().Windows->SetTrayIcon(Handle(), false, "");
    GetApplication().OnMessage = nullptr;
    // The pages live in FramePanel and go with the window.
    if (FrameCtrlExists()) GetFrameCtrl().DestroyPages();
    if (GetMainEvent() == this) SetMainEvent(nullptr);
    if (SingletonExists<TThemeCtrl>()) GetThemeCtrl().ThemeSelected.Unsubscribe(m_ThemeToken);
    if (SingletonExists<TResString>()) GetResString().LanguageChanged.Unsubscribe(m_LanguageToken);
}

bool TMainForm::StartUp() {
    TPlatform& platform = GetPlatform();
    const std::string commandLine = UpperCase(platform.Process->CommandLine());
    m_Debug = commandLine.find("/DEBUG") != std::string::npos;
    if (m_Debug) GetDebugConsole(true);
    // "/THEMEID=<n>": a number naming a theme of the table starts with that theme.
    const std::string themeText = SwitchValue(platform.Process->CommandLine(), "/THEMEID=");
    int32_t themeId = -1;
    if (!themeText.empty() && ParseInteger(themeText, themeId) && GetThemeCtrl().FindTheme(themeId)) {
        m_StartThemeId = themeId;
    }

    GetLoadDriver(false, false, false);
    GetSpec();
    if (!GetOvtConfig().IsLoaded()) {
        platform.Windows->ShowMessageBox("Error 0xFFFD", kNotForThisPlatform, IWindowSystem::TBoxIcon::Stop, true);
        GetApplication().Terminate();
        return false;
    }
    if (!GetModelConfig().IsLoaded()) {
        platform.Windows->ShowMessageBox("Error 0xFFFC", kNotForThisPlatform, IWindowSystem::TBoxIcon::Stop, true);
        GetApplication().Terminate();
        return false;
    }
    DestroySpec();

    // The window must exist to receive device notifications.
    HandleNeeded();
    uint32_t error = 0;
    if (!platform.Windows->RegisterHidNotifications(Handle(), error)) {
        platform.Windows->ShowMessageBox("Can't register device notification", std::to_string(error),
                                         IWindowSystem::TBoxIcon::None, false);
    }
    IRegistry& registry = *platform.Registry;
    if (!registry.KeyExists(IRegistry::TRoot::CurrentUser, "Software\\Quenlo")) {
        registry.CreateKey(IRegistry::TRoot::CurrentUser, "Software\\Quenlo");
    }
    return true;
}

void TMainForm::FormCreate() {
    m_UiLanguage = GetPlatform().Os->UserDefaultUILanguage();
    GetResString().LoadLanguageFile(GetLangCtrl().GetLanguageFile(m_UiLanguage));
    // The window hears a theme or language before its pages do.
    m_ThemeToken = GetThemeCtrl().ThemeSelected.Subscribe([this](int id) { ThemeChanged(id); });
    m_LanguageToken = GetResString().LanguageChanged.Subscribe([this] { LanguageChanged(); });
    TFrameCtrl& pages = GetFrameCtrl(&FramePanel, MakeProgramPage);
    SetMainEvent(this);
    pages.CreatePage(24);
    if (m_Debug) {
        ThemeComboBox.SetVisible(true);
        LanguageComboBox.SetVisible(true);
    }
    for (const TThemeItem& theme : GetThemeCtrl().Themes()) ThemeComboBox.Items.push_back(theme.Name);
    int startIndex = 1;
    for (size_t i = 0; i < GetThemeCtrl().Themes().size(); ++i) {
        if (GetThemeCtrl().Themes()[i].ThemeId == m_StartThemeId) startIndex = static_cast<int>(i);
    }
    ThemeComboBox.SetItemIndex(startIndex);
    ThemeComboBoxChange();
    pages.ShowPage(24);
    m_Autorun = GetModelConfig().GetAutorunEnable();
    FillLanguageComboBox(m_UiLanguage);
    LanguageComboBoxChange();
    if (LanguageComboBox.Items.empty()) LanguageComboBox.SetVisible(false);
    FramTimer.SetEnabled(true);
}

void TMainForm::FillLanguageComboBox(uint16_t languageId) {
    char line[64];
    std::snprintf(line, sizeof(line), ">>>>>>>>>>>>>>>>>>>>>>>0x%04X", languageId);
    GetDebugConsole(false).WriteLine(line);
    TLangCtrl& languages = GetLangCtrl();
    for (const TKytXmlItem& item : languages.GetLanguageItems()) {
        const int id = item.GetIntAttribute("LangId", 1033);
        if (!languages.IsLanguageAvailable(static_cast<uint16_t>(id))) continue;
        const std::string name = item.GetStrAttribute("Name", "");
        if (name.empty()) continue;
        LanguageComboBox.Items.push_back(name);
        if (id == languageId) LanguageComboBox.SetItemIndex(static_cast<int>(LanguageComboBox.Items.size()) - 1);
    }
}

void TMainForm::LanguageComboBoxChange() {
    const std::string chosen = UpperCase(LanguageComboBox.Text());
    TLangCtrl& languages = GetLangCtrl();
    for (const TKytXmlItem& item : languages.GetLanguageItems()) {
        if (UpperCase(item.GetStrAttribute("Name", "")) != chosen) continue;
        const int id = item.GetIntAttribute("LangId", 1033);
        GetResString().LoadLanguageFile(languages.GetLanguageFile(static_cast<uint16_t>(id)));
        GetResString().AnnounceLanguageChange();
        return;
    }
}

void TMainForm::ThemeComboBoxChange() {
    const std::string chosen = UpperCase(ThemeComboBox.Text());
    for (const TThemeItem& theme : GetThemeCtrl().Themes()) {
        if (UpperCase(theme.Name) == chosen) {
            GetThemeCtrl().SelectTheme(theme.ThemeId);
            return;
        }
    }
}

void TMainForm::SetDescription(const std::string& text) { lblDescription.SetCaption(text); }

void TMainForm::ThemeChanged(int themeId) {
    const std::string folder = GetThemeCtrl().GetThemeFolder(themeId);
    TThemeCtrl::LoadThemePicture(TopBgImage.Picture, folder + "Soft-Mouse-Polling_01.jpg");
    TThemeCtrl::LoadThemePicture(BottomBgImage.Picture, folder + "Soft-03.jpg");
    Color = themeId == 1 || themeId == 2 ? 0x222222 : 0xF0F0F0;
    InvalidateWindow();
}

void TMainForm::LanguageChanged() {
    lblDescriptionCaption.SetCaption(GetResString().GetString("STR_MAIN_DESCRIPTION", "Description"));
}

void TMainForm::MinBtnClick() {
    MinimizeToTray();
    GetFrameCtrl().NotifyMinimized();
}

bool TMainForm::FormCloseQuery() {
    if (!FrameCtrlExists() || !GetFrameCtrl().AnyPageBusy()) return true;
    CloseWhenIdleTimer.SetEnabled(true);
    return false;
}

void TMainForm::ApplicationEvents1Message(const TMessage& message, bool& handled) {
    switch (message.Msg) {
        case kSysCommand:
            if (message.WParam == kScRestore && FrameCtrlExists()) GetFrameCtrl().NotifyRestored();
            break;
        case kMsgCloseInstance:
        case kMsgUninstallClose:
            Close();
            handled = true;
            break;
        case kMsgRestoreInstance:
            GetPlatform().Windows->RestoreOrHide(GetApplication().Handle(), true);
            if (!FormVisible()) {
                // In the tray: the window comes back; its icon stays.
                Show();
                GetPlatform().Windows->RestoreOrHide(Handle(), true);
            }
            GetPlatform().Windows->SetForeground(Handle());
            handled = true;
            break;
        case kMsgShowPage:
            if (FrameCtrlExists()) GetFrameCtrl().ShowPage(static_cast<int>(message.WParam));
            handled = true;
            break;
        default:
            break;
    }
}

void TMainForm::WindowPowerEvent(uint64_t wParam) {
    TDebugConsole& console = GetDebugConsole(false);
    console.WriteTagged("", "Resume from S3/S4 Event : " + std::to_string(static_cast<int64_t>(wParam)), kColorRed);
    if (wParam == 7) {
        console.WriteTagged("", "Resume from S3/S4 Event : PBT_APMRESUMESUSPEND", kColorRed);
        if (FrameCtrlExists()) {
            TFrameCtrl& pages = GetFrameCtrl();
            if (TBaseFrame* page = pages.GetPage(pages.CurrentPageId())) page->BringToFront();
        }
    } else if (wParam == 4) {
        console.WriteTagged("", "Suspend to S3/S4 Event : PBT_APMSUSPEND", kColorRed);
    }
}

void TMainForm::WindowDeviceChange(uint64_t wParam, uint32_t deviceType) {
    if ((wParam != 0x8000 && wParam != 0x8004) || deviceType != 5) return;
    if (!m_PollingPage && FrameCtrlExists()) {
        m_PollingPage = dynamic_cast<TMousePollingFrame*>(GetFrameCtrl().GetPage(24));
    }
    // A running timer is not restarted: a burst of events gives one detection.
    if (m_PollingPage) m_PollingPage->FetchDataTimer.SetEnabled(true);
}

void TMainForm::WindowTrayEvent(TTrayEvent event) {
    if (event == kTrayDoubleClick) AtTrayIconDblClick();
    if (event == kTrayMouseMove) AtTrayIconMouseMove();
}

void TMainForm::WindowTaskbarCreated() {
    // A new taskbar has no icons: the window in the tray puts its icon back.
    if (m_InTray) GetPlatform().Windows->SetTrayIcon(Handle(), true, kTrayText);
}

void TMainForm::MinimizeToTray() {
    IWindowSystem& windows = *GetPlatform().Windows;
    windows.SetTrayIcon(Handle(), true, kTrayText);
    windows.ShowTrayBalloon(Handle(), kTrayText);
    m_InTray = true;
    windows.RestoreOrHide(GetApplication().Handle(), false);
    Hide();
}

void TMainForm::AtTrayIconDblClick() {
    IWindowSystem& windows = *GetPlatform().Windows;
    windows.SetTrayIcon(Handle(), false, "");
    m_InTray = false;
    windows.RestoreOrHide(GetApplication().Handle(), true);
    Show();
    windows.RestoreOrHide(Handle(), true);
    windows.SetForeground(Handle());
}

void TMainForm::AtTrayIconMouseMove() { GetPlatform().Windows->SetTrayIcon(Handle(), true, kTrayText); }

void TMainForm::FramTimerTimer() {
    if (!m_Autorun) return;
    MinimizeToTray();
    m_Autorun = false;
    if (FrameCtrlExists()) GetFrameCtrl().NotifyMinimized();
}
