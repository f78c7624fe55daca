#pragma once
#include <array>
#include <string>

#include "ui/Imgbtn.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Image.h"
#include "ui/toolkit/Timer.h"

// The skinned wait box: a twelve-frame loading animation, a message and a countdown that
// closes it.
class TStatusBoxForm : public TForm {
public:
    TStatusBoxForm();

    // Shows the box with a message; it closes itself after countdown + 1 seconds.
    void Start(const std::string& text, int countdown);
    void LoadingTimerTimer();
    void CloseTimerTimer();

    int FrameIndex() const { return m_Frame; }
    int Countdown = 0;

    TImage BgImage{this};
    std::array<TImage, 12> LoadingImages{TImage{this}, TImage{this}, TImage{this}, TImage{this},
                                         TImage{this}, TImage{this}, TImage{this}, TImage{this},
                                         TImage{this}, TImage{this}, TImage{this}, TImage{this}};
    TImgBtn MsgLabel{this};
    TTimer LoadingTimer;
    TTimer CloseTimer;

private:
    int m_Frame = 0;
};
