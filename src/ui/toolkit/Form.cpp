#include "ui/toolkit/Form.h"

#include "platform/Platform.h"

TForm::~TForm() {
    if (m_Handle != 0) GetPlatform().Windows->DestroyWindow(m_Handle);
}

void TForm::Show() {
    if (m_Handle == 0) m_Handle = GetPlatform().Windows->CreateMainWindow(Caption, Width, Height);
}
