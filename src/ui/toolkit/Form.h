#pragma once
#include <string>

#include "platform/WindowSystem.h"

// A top-level form. The first form an application creates is its main form: closing it ends
// the message loop.
class TForm {
public:
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    virtual void Show();
    TWindowId Handle() const { return m_Handle; }
    bool Visible() const { return m_Handle != 0; }

    std::string Caption;
    int Width = 400;
    int Height = 300;

protected:
    TForm() = default;

private:
    TWindowId m_Handle = 0;
};
