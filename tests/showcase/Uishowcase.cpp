// A small window with image buttons in each of their states, for a screenshot under Wine:
// text in the fallback face, alpha, alignment. It closes itself after a few seconds.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/win32/Win32platform.h"
#include "ui/Imgbtn.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/Timer.h"

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
        m_Close.SetInterval(static_cast<uint32_t>(std::getenv("SHOWCASE_MS") ? std::atoi(std::getenv("SHOWCASE_MS")) : 6000));
        m_Close.OnTimer = [this] { Close(); };
        m_Close.SetEnabled(true);
    }

private:
    std::vector<std::unique_ptr<TImgBtn>> m_Buttons;
    TTimer m_Close;
};
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static TWin32Platform win32;
    InstallPlatform(win32.Ports());
    TApplication& app = GetApplication();
    app.Initialize();
    app.SetTitle("GlidepostShowcase");
    app.CreateForm<TShowcase>();
    app.Run();
    return 0;
}
