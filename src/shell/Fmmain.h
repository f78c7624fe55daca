#pragma once
#include "shell/Imainevent.h"
#include "ui/toolkit/Form.h"

// The main window. For now an empty, closable form; its design and start-up follow.
class TMainForm : public TForm, public IMainEvent {
public:
    TMainForm();

    void SetDescription(const std::string& text) override { m_Description = text; }
    void ThemeChanged(int) override {}
    void LanguageChanged() override {}
    void MainEvent4() override {}
    void MainEvent5() override {}
    void MainEvent6() override {}

    const std::string& Description() const { return m_Description; }

private:
    std::string m_Description;
};
