#pragma once
#include "ui/Frmbase.h"

// Demonstration pages of the base page, shown only through the page message.
class TSample1Frame : public TBaseFrame {
public:
    explicit TSample1Frame(TContainer* owner);
    TImage Image1{this};
    TImage Image2{this};
    TPanel AdvSmoothPanel1{this};
};

class TSample2Frame : public TBaseFrame {
public:
    explicit TSample2Frame(TContainer* owner);
    TImage Image3{this};
};
