#include "UiTest.h"
#include "ui/Fmmsgbox.h"
#include "ui/Fmstatusbox.h"
#include "ui/toolkit/Application.h"

using DialogsTest = TUiTest;

TEST_F(DialogsTest, MessageBoxModesAndResults) {
    TMsgBoxForm box;
    EXPECT_EQ(box.ReturnValue(), 1);
    EXPECT_TRUE(box.UpdateBtn.Visible());
    EXPECT_FALSE(box.ApplyPanel.Visible());
    box.ButtonTexts = {"OK", "Cancel", "Yes", "No"};
    box.SetButtonMode(3);
    EXPECT_FALSE(box.UpdateBtn.Visible());
    EXPECT_EQ(box.ApplyBtn.Caption(), "Yes");
    EXPECT_EQ(box.CancelBtn.Caption(), "No");

    struct Case {
        const char* name;
        std::string second;  // empty: one button
        TImgBtn TMsgBoxForm::*button;
        int result;
    };
    const Case kCases[] = {
        {"Update in mode 1", "", &TMsgBoxForm::UpdateBtn, 2},
        {"Apply in mode 2", "Cancel", &TMsgBoxForm::ApplyBtn, 2},
        {"Cancel", "Cancel", &TMsgBoxForm::CancelBtn, 1},
        {"Close", "", &TMsgBoxForm::CloseBtn, 1},
    };
    for (const Case& c : kCases) {
        Machine.Windows.WhileModal = [&] {
            TImgBtn& button = box.*c.button;
            const int x = button.FormLeft() + 5, y = button.FormTop() + 5;
            box.WindowMouseMove(x, y);
            box.WindowMouseDown(0, x, y);
            box.WindowMouseUp(0, x, y);
        };
        EXPECT_EQ(box.Execute(TMsgBoxForm::TKind::Warning, "Text", "OK", c.second), c.result) << c.name;
        EXPECT_FALSE(box.FormVisible()) << c.name;
        EXPECT_TRUE(box.ImageWarning.Visible());
        EXPECT_FALSE(box.ImageError.Visible());
    }
    box.SetButtonMode(3);
    box.Show();
    box.WindowMouseMove(box.ApplyBtn.FormLeft() + 5, box.ApplyBtn.FormTop() + 5);
    box.WindowMouseDown(0, box.ApplyBtn.FormLeft() + 5, box.ApplyBtn.FormTop() + 5);
    box.WindowMouseUp(0, box.ApplyBtn.FormLeft() + 5, box.ApplyBtn.FormTop() + 5);
    EXPECT_EQ(box.ReturnValue(), 3);
    box.Show();  // showing again starts from 1
    EXPECT_EQ(box.ReturnValue(), 1);
    box.BgImage.MouseDown(0, 10, 10);
    EXPECT_EQ(Machine.Windows.DragStarts.size(), 1u);
}

TEST_F(DialogsTest, StatusBoxAnimatesAndClosesAfterItsCountdown) {
    TStatusBoxForm box;
    box.Start("Applying", 2);
    EXPECT_TRUE(box.FormVisible());
    std::vector<std::string> frames;
    for (int i = 0; i < 13; ++i) {
        Machine.Windows.Advance(100);
        // The frame on top is the last of the twelve in z-order.
        for (auto it = box.Children().rbegin(); it != box.Children().rend(); ++it) {
            if ((*it)->Name.rfind("LOADING", 0) == 0) {
                frames.push_back((*it)->Name);
                break;
            }
        }
    }
    EXPECT_EQ(frames.front(), "LOADING01");
    EXPECT_EQ(frames[11], "LOADING12");
    EXPECT_EQ(frames[12], "LOADING01");
    Machine.Windows.Advance(1600);  // 2.9 s in all: a countdown of 2 closes at the third tick
    EXPECT_TRUE(box.FormVisible());
    Machine.Windows.Advance(200);
    EXPECT_FALSE(box.FormVisible());
    EXPECT_FALSE(box.LoadingTimer.Enabled());
    EXPECT_EQ(box.Countdown, 0);

    TStatusBoxForm quick;
    quick.Start("", 0);
    Machine.Windows.Advance(1000);
    EXPECT_FALSE(quick.FormVisible());
}

TEST_F(DialogsTest, BoxesOpenCentredOnTheMainWindowWhereverItWasDraggedAt144Dpi) {
    Machine.Windows.Dpi = 144;
    TTestForm& main = GetApplication().CreateForm<TTestForm>();
    main.SetSize(1000, 539);
    main.Show();
    TMsgBoxForm box;
    TStatusBoxForm status;
    struct TCase {
        int DisplayX, DisplayY;  // where the user dragged the main window, in display pixels
    } cases[] = {{150, 90}, {1200, 600}, {-300, 30}};
    for (const TCase& c : cases) {
        Machine.Windows.Windows[main.Handle()].X = c.DisplayX;
        Machine.Windows.Windows[main.Handle()].Y = c.DisplayY;
        for (TForm* form : std::initializer_list<TForm*>{&box, &status}) {
            form->Show();
            const TSimWindows::TWindow& shown = Machine.Windows.Windows[form->Handle()];
            // Centres in display pixels: the main window is 1500 x 808 at 144 DPI.
            EXPECT_NEAR(shown.X + shown.Width / 2, c.DisplayX + 750, 2) << c.DisplayX;
            EXPECT_NEAR(shown.Y + shown.Height / 2, c.DisplayY + 404, 2) << c.DisplayY;
            form->Hide();
        }
    }
}
