// A small window with image buttons in each of their states, for a screenshot under Wine:
// text in the fallback face, alpha, alignment. It closes itself after a few seconds.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/win32/Win32platform.h"
#include "ui/Imgbtn.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/Timer.h"
#include "locale/Themectrl.h"
#include "ui/Fmmsgbox.h"
#include "ui/Frmbase.h"

namespace {
// A rounded button face: a vertical gradient between two colours with a one-pixel rim.
TPicture Face(int width, int height, uint32_t top, uint32_t bottom, uint32_t rim) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(height - 1);
        uint32_t color = 0xFF000000;
        for (int shift : {16, 8, 0}) {
            const float a = static_cast<float>((top >> shift) & 0xFF), b = static_cast<float>((bottom >> shift) & 0xFF);
            color |= static_cast<uint32_t>(a + (b - a) * t) << shift;
        }
        for (int x = 0; x < width; ++x) {
            const bool corner = (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2);
            const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            pixels[static_cast<size_t>(y) * width + x] = corner ? 0 : edge ? (0xFF000000 | rim) : color;
        }
    }
    TPicture picture;
    picture.SetImage(GetPlatform().Graphics->FromPixels(width, height, pixels));
    return picture;
}

class TShowcase : public TForm {
public:
    TShowcase() {
        Caption = "Glidepost UI showcase";
        Color = 0x222222;
        SetSize(560, 230);
        const TPicture normal = Face(119, 38, 0x3A3A3A, 0x262626, 0x5A5A5A);
        const TPicture enter = Face(119, 38, 0xD8D8D8, 0xB0B0B0, 0xF0F0F0);
        const TPicture down = Face(119, 38, 0x2FB34A, 0x1E7A31, 0x62D27A);
        const TPicture disabled = Face(119, 38, 0x303030, 0x303030, 0x3A3A3A);
        const char* captions[] = {"Normal", "Hover", "Pressed", "Disabled"};
        for (int i = 0; i < 4; ++i) {
            auto button = std::make_unique<TImgBtn>(this);
            button->SetBounds(15 + i * 135, 20, 119, 38);
            button->SetAutoSize(true);
            button->SetPicture(normal);
            button->SetEnterPicture(enter);
            button->SetDownPicture(down);
            button->SetDisabledPicture(disabled);
            button->Font.SetName("Neo Sans");  // not installed: the fallback face draws it
            button->Font.SetSize(13);
            button->Font.SetColor(0xC5C5C5);
            button->FontEnter.SetColor(0x393939);
            button->FontDown.SetColor(0xFFFFFF);
            button->FontDisabled.SetColor(0x6A6A6A);
            button->SetCaption(captions[i]);
            m_Buttons.push_back(std::move(button));
        }
        m_Buttons[1]->MouseEnter();
        m_Buttons[2]->MouseEnter();
        m_Buttons[2]->MouseDown(0, 5, 5);
        m_Buttons[3]->SetEnabled(false);

        auto check = std::make_unique<TImgBtn>(this);
        check->SetBounds(15, 80, 200, 22);
        check->SetStyle(aStyleCheck);
        check->SetPicture(Face(16, 16, 0x444444, 0x333333, 0x777777));
        check->SetDownPicture(Face(16, 16, 0x2FB34A, 0x1E7A31, 0x62D27A));
        check->SetChecked(true);
        check->SetImageAlign(aVHCenterLeft);
        check->SetTextAlign(aVHCenterLeft);
        check->SetTextXOffset(24);
        check->Font.SetSize(13);
        check->Font.SetColor(0xE0E0E0);
        check->SetCaption("Checked check box");
        m_Buttons.push_back(std::move(check));

        for (int i = 0; i < 3; ++i) {
            auto label = std::make_unique<TImgBtn>(this);
            label->SetBounds(15 + i * 180, 130, 170, 60);
            label->Font.SetSize(20);
            label->Font.SetColor(0x35E06A);
            label->SetTextOpacity(100 - i * 40);
            label->SetTextAlign(i == 0 ? aVHTopLeft : i == 1 ? aVHCenterCenter : aVHBottomRight);
            label->SetCaption(i == 0 ? "1000 HZ" : i == 1 ? "60 % opacity" : "20 %");
            m_Buttons.push_back(std::move(label));
        }
        CloseLater(*this, m_Close);
    }

    static void CloseLater(TForm& form, TTimer& timer) {
        timer.SetInterval(
            static_cast<uint32_t>(std::getenv("SHOWCASE_MS") ? std::atoi(std::getenv("SHOWCASE_MS")) : 6000));
        timer.OnTimer = [&form] { form.Close(); };
        timer.SetEnabled(true);
    }

private:
    std::vector<std::unique_ptr<TImgBtn>> m_Buttons;
    TTimer m_Close;
};

// The base page in one theme, its hidden samples moved into view.
class TPageShowcase : public TForm {
public:
    explicit TPageShowcase(int theme) {
        Caption = "Glidepost page " + std::to_string(theme);
        Color = 0x222222;
        SetSize(1000, 374);
        m_Page.ApplyPanel.SetVisible(true);
        m_Page.SamplePanel.SetVisible(true);
        m_Page.SamplePanel.SetPosition(40, 40);
        m_Page.splScrollBar.SetVisible(true);
        m_Page.splOnOffSwitchBtn.SetChecked(true);
        m_Page.splCheckBox.SetChecked(true);
        m_Page.splCheckBox.Font.SetColor(0xC5C5C5);
        m_Page.splRadioBtn.Font.SetColor(0xC5C5C5);
        m_Page.ApplyTheme(theme);
        TShowcase::CloseLater(*this, m_Close);
    }

private:
    TBaseFrame m_Page{this};
    TTimer m_Close;
};

// The message box, modal, closed by a timer.
class TBoxShowcase : public TForm {
public:
    TBoxShowcase() {
        Caption = "Glidepost message box host";
        SetSize(600, 400);
        Color = 0x222222;
    }
    void Run() {
        TMsgBoxForm box;
        box.Caption = "Glidepost message box";
        TShowcase::CloseLater(box, m_Close);
        box.Execute(TMsgBoxForm::TKind::Warning,
                    "Your mouse isn't connected to the Trivexal Glidepost.\nPlease connect your mouse to it.", "Apply",
                    "Cancel");
    }

private:
    TTimer m_Close;
};
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static TWin32Platform win32;
    InstallPlatform(win32.Ports());
    TApplication& app = GetApplication();
    app.Initialize();
    app.SetTitle("GlidepostShowcase");
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"page") {
        app.CreateForm<TPageShowcase>(argc > 2 ? _wtoi(argv[2]) : 1);
        app.Run();
    } else if (mode == L"msgbox") {
        TBoxShowcase& host = app.CreateForm<TBoxShowcase>();
        host.Show();
        host.Run();
    } else {
        app.CreateForm<TShowcase>();
        app.Run();
    }
    return 0;
}
