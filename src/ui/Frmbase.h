#pragma once
#include <string>

#include "ui/Imgbtn.h"
#include "ui/toolkit/Image.h"
#include "ui/toolkit/Panel.h"
#include "ui/toolkit/Scrollbar.h"
#include "ui/toolkit/Trackbar.h"

// The base of every page of the main window: the page operations the page controller drives,
// the page id and description, the Apply/Cancel and Update bars, and hidden sample controls
// that keep the theme's control pictures for derived pages to copy.
class TBaseFrame : public TFrame {
public:
    explicit TBaseFrame(TContainer* owner);

    int PageId = -1;
    std::string Description;

    virtual void ActivatePage() {}
    virtual void DeactivatePage() {}
    virtual void ApplyTheme(int themeId);
    virtual void ApplyLanguage();
    virtual void WindowMinimized() {}
    virtual void WindowRestored() {}
    // True while the page drives the devices (an apply): closing now would lose its result.
    virtual bool Busy() const { return false; }

    TImage FrameMainBgImage{this};
    TPanel ApplyPanel{this};
    TImgBtn ApplyBtn{&ApplyPanel};
    TImgBtn CancelBtn{&ApplyPanel};
    TPanel UpdatePanel{this};
    TImgBtn UpdateBtn{&UpdatePanel};
    TPanel SamplePanel{this};
    TImgBtn splOnOffSwitchBtn{&SamplePanel};
    TImgBtn splCheckBox{&SamplePanel};
    TImgBtn splRadioBtn{&SamplePanel};
    TScrollBar splScrollBar{&SamplePanel};
    TTrackBar splTrackBar{&SamplePanel};
    TTrackBar splSmallTrackBar{&SamplePanel};
};
