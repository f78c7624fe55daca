#include "shell/Fmmain.h"

TMainForm::TMainForm() {
    Caption = "Glidepost";
    SetSize(1000, 539);
}
