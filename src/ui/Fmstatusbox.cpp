#include "ui/Fmstatusbox.h"

#include <cstdio>

#include "platform/Platform.h"
#include "ui/Skin.h"

TStatusBoxForm::TStatusBoxForm() {
    Caption = "Glidepost";
    SetSize(446, 227);
    Position = TPosition::MainFormCenter;
    Color = 0x1B1817;
    BgImage.SetBounds(0, 0, 446, 227);
    BgImage.Picture.LoadFromResource("MSGBOXBG");
    for (size_t i = 0; i < LoadingImages.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "LOADING%02zu", i + 1);
        LoadingImages[i].Name = name;
        LoadingImages[i].SetBounds(110, 95, 34, 34);
        LoadingImages[i].Picture.LoadFromResource(name);
    }
    MsgLabel.SetBounds(155, 65, 265, 98);
    StyleLabel(MsgLabel, "Neo Sans", 13, 0x393939);
    MsgLabel.SetTextAlign(aVHCenterLeft);
    LoadingTimer.SetInterval(100);
    LoadingTimer.OnTimer = [this] { LoadingTimerTimer(); };
    CloseTimer.SetInterval(1000);
    CloseTimer.OnTimer = [this] { CloseTimerTimer(); };
    OnClose = [this] { LoadingTimer.SetEnabled(false); };
}

void TStatusBoxForm::Start(const std::string& text, int countdown) {
    MsgLabel.SetCaption(text);
    Countdown = countdown;
    Show();
    LoadingTimer.SetEnabled(true);
    CloseTimer.SetEnabled(true);
}

void TStatusBoxForm::LoadingTimerTimer() {
    if (m_Frame < 0 || m_Frame >= static_cast<int>(LoadingImages.size())) m_Frame = 0;
    LoadingImages[static_cast<size_t>(m_Frame)].BringToFront();
    ++m_Frame;
}

void TStatusBoxForm::CloseTimerTimer() {
    --Countdown;
    if (Countdown < 0) {
        CloseTimer.SetEnabled(false);
        Countdown = 0;
        Close();
    }
}
