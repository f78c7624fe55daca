#pragma once
#include <array>
#include <string>

#include "ui/Imgbtn.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Image.h"
#include "ui/toolkit/Panel.h"

// The skinned message box: a kind picture, a message, one or two buttons; it reports which
// button closed it.
class TMsgBoxForm : public TForm {
public:
    enum class TKind { Error, Question, Information, Warning };

    TMsgBoxForm();

    int ReturnValue() const { return m_ReturnValue; }
    int ButtonMode() const { return m_Mode; }
    // 1: one button (Update, first text); 2: Apply/Cancel with the first and second texts;
    // 3: Apply/Cancel with the third and fourth texts; other modes show no button.
    void SetButtonMode(int mode);
    std::array<std::string, 4> ButtonTexts;

    // Shows the box modally with a kind, a message and its buttons' captions (one caption: a
    // single button; two: Apply and Cancel); answers ReturnValue: 2 when the first button
    // closed it, 1 otherwise.
    int Execute(TKind kind, const std::string& text, const std::string& first, const std::string& second = "");

    void CloseBtnClick() { Close(); }

    TImage BgImage{this};
    TImage ImageError{this}, ImageQuestion{this}, ImageInformation{this}, ImageWarning{this};
    TImgBtn MsgLabel{this};
    TImgBtn CloseBtn{this};
    TImgBtn UpdateBtn{this};
    TPanel ApplyPanel{this};
    TImgBtn ApplyBtn{&ApplyPanel};
    TImgBtn CancelBtn{&ApplyPanel};

private:
    int m_ReturnValue = 1;
    int m_Mode = 1;
};
