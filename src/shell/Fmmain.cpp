#include "shell/Fmmain.h"

TMainForm::TMainForm() {
    Caption = "Glidepost";
    Width = 1000;
    Height = 539;
}
