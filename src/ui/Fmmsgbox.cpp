#include "ui/Fmmsgbox.h"

#include "platform/Platform.h"
#include "ui/Skin.h"

TMsgBoxForm::TMsgBoxForm() {
    Caption = "Glidepost";
    SetSize(446, 227);
    Position = TPosition::MainFormCenter;
    Color = 0x1B1817;
    BgImage.SetBounds(0, 0, 446, 227);
    BgImage.SetAlign(TAlign::Client);
    BgImage.Picture.LoadFromResource("MSGBOXBG");
    BgImage.OnMouseDown = [this](TControl&, int button, int, int) {
        if (button == 0) GetPlatform().Windows->StartDrag(Handle());
    };
    const std::pair<TImage*, const char*> kinds[] = {{&ImageError, "MSGERROR"},
                                                     {&ImageQuestion, "MSGQUESTION"},
                                                     {&ImageInformation, "MSGINFORMATION"},
                                                     {&ImageWarning, "MSGWARNING"}};
    for (auto [image, resource] : kinds) {
        image->SetBounds(10, 50, 98, 98);
        image->Picture.LoadFromResource(resource);
    }
    MsgLabel.SetBounds(114, 50, 317, 85);
    StyleLabel(MsgLabel, "Neo Sans", 13, 0x393939);
    MsgLabel.SetTextAlign(aVHCenterLeft);
    MsgLabel.SetTextXOffset(8);  // clear of the card's rounded edge
    CloseBtn.SetPosition(411, 8);
    StyleWindowButton(CloseBtn, "CLOSEBTN");
    CloseBtn.OnClick = [this](TControl&) { CloseBtnClick(); };
    UpdateBtn.SetPosition(308, 141);
    StyleCommandButton(UpdateBtn, 123);
    ApplyPanel.SetBounds(193, 141, 238, 38);
    ApplyBtn.SetPosition(0, 0);
    StyleCommandButton(ApplyBtn, 119);
    CancelBtn.SetPosition(119, 0);
    StyleCommandButton(CancelBtn, 119);

    ApplyBtn.OnClick = [this](TControl&) {
        if (m_Mode == 2 || m_Mode == 3) m_ReturnValue = m_Mode;
        Close();
    };
    UpdateBtn.OnClick = [this](TControl&) {
        if (m_Mode == 1) m_ReturnValue = 2;
        Close();
    };
    CancelBtn.OnClick = [this](TControl&) { Close(); };
    OnShow = [this] { m_ReturnValue = 1; };
    SetButtonMode(1);
}

void TMsgBoxForm::SetButtonMode(int mode) {
    m_Mode = mode;
    UpdateBtn.SetVisible(false);
    ApplyPanel.SetVisible(false);
    switch (mode) {
        case 1:
            UpdateBtn.SetVisible(true);
            UpdateBtn.SetCaption(ButtonTexts[0]);
            break;
        case 2:
            ApplyPanel.SetVisible(true);
            ApplyBtn.SetCaption(ButtonTexts[0]);
            CancelBtn.SetCaption(ButtonTexts[1]);
            break;
        case 3:
            ApplyPanel.SetVisible(true);
            ApplyBtn.SetCaption(ButtonTexts[2]);
            CancelBtn.SetCaption(ButtonTexts[3]);
            break;
        default:
            break;
    }
}

int TMsgBoxForm::Execute(TKind kind, const std::string& text, const std::string& first, const std::string& second) {
    TImage* pictures[] = {&ImageError, &ImageQuestion, &ImageInformation, &ImageWarning};
    for (int i = 0; i < 4; ++i) pictures[i]->SetVisible(i == static_cast<int>(kind));
    MsgLabel.SetCaption(text);
    ButtonTexts[0] = first;
    ButtonTexts[1] = second;
    SetButtonMode(second.empty() ? 1 : 2);
    Show();
    GetPlatform().Windows->RunModalLoop([this] { return !FormVisible(); });
    Hide();
    return m_ReturnValue;
}
