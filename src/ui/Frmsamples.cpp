#include "ui/Frmsamples.h"

TSample1Frame::TSample1Frame(TContainer* owner) : TBaseFrame(owner) {
    ApplyPanel.SetVisible(true);
    Image1.SetSize(1000, 100);
    Image1.SetAlign(TAlign::Bottom);
    Image2.SetSize(1000, 269);
    Image2.SetAlign(TAlign::Bottom);
    AdvSmoothPanel1.SetBounds(208, 72, 440, 161);
    ApplyPanel.BringToFront();
}

TSample2Frame::TSample2Frame(TContainer* owner) : TBaseFrame(owner) {
    UpdatePanel.SetVisible(true);
    Image3.SetSize(1000, 369);
    Image3.SetAlign(TAlign::Bottom);
    UpdatePanel.BringToFront();
}
