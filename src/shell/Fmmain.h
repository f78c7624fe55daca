#pragma once
#include <string>
#include <vector>

#include "sys/Mainevent.h"
#include "ui/Imgbtn.h"
#include "ui/toolkit/Combobox.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Image.h"
#include "ui/toolkit/Panel.h"
#include "ui/toolkit/Timer.h"

class TMousePollingFrame;

// The program's window: start-up checks, the skinned frame around the pages, the description
// line, minimise-to-tray and close, the theme and language choosers, and the reactions to
// device, power and inter-instance messages.
class TMainForm : public TForm, public IMainEvent {
public:
    TMainForm();
    ~TMainForm() override;

    // IMainEvent
    void SetDescription(const std::string& text) override;
    void ThemeChanged(int themeId) override;
    void LanguageChanged() override;
    void MainEvent4() override {}
    void MainEvent5() override {}
    void MainEvent6() override {}

    void FormCreate();
    void ThemeComboBoxChange();
    void LanguageComboBoxChange();
    void FillLanguageComboBox(uint16_t languageId);
    void MinBtnClick();
    void CloseBtnClick() { Close(); }
    // A close while a page applies a rate waits for the apply's result to be handled (and
    // recorded); the window stays responsive meanwhile, then closes.
    bool FormCloseQuery();

    void ApplicationEvents1Message(const TMessage& message, bool& handled);
    void MinimizeToTray();
    void AtTrayIconDblClick();
    void AtTrayIconMouseMove();
    void FramTimerTimer();

    // IFormEvents: the window's own broadcasts.
    void WindowPowerEvent(uint64_t wParam) override;
    void WindowDeviceChange(uint64_t wParam, uint32_t deviceType) override;
    void WindowTrayEvent(TTrayEvent event) override;
    void WindowTaskbarCreated() override;

    bool StartedUp() const { return m_StartedUp; }
    bool DebugMode() const { return m_Debug; }
    bool Autorun() const { return m_Autorun; }
    bool InTray() const { return m_InTray; }
    uint16_t UiLanguage() const { return m_UiLanguage; }

    TImage TopBgImage{this};
    TImage BottomBgImage{this};
    TPanel FramePanel{this};
    TImgBtn lblDescriptionCaption{this};
    TImgBtn lblDescription{this};
    TImgBtn MinBtn{this};
    TImgBtn CloseBtn{this};
    TComboBox ThemeComboBox{this};
    TComboBox LanguageComboBox{this};
    TTimer FramTimer;
    TTimer CloseWhenIdleTimer;

private:
    bool StartUp();

    bool m_Debug = false;
    bool m_StartedUp = false;
    uint16_t m_UiLanguage = 1033;
    bool m_Autorun = false;
    bool m_InTray = false;
    int m_StartThemeId = 1;
    TMousePollingFrame* m_PollingPage = nullptr;
    int m_ThemeToken = 0;
    int m_LanguageToken = 0;
};
