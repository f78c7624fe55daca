#pragma once
#include "MachineTest.h"
#include "platform/sim/Simcanvas.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Picture.h"

// A shown form on the simulated machine, with helpers to make pictures, paint and point.
class TUiTest : public TMachineTest {
protected:
    class TTestForm : public TForm {};

    void SetUp() override {
        TMachineTest::SetUp();
        Form = std::make_unique<TTestForm>();
        Form->SetSize(400, 300);
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        TMachineTest::TearDown();
    }
    // A picture of one colour (0xAARRGGBB); a black square at (x, y, side) when side > 0.
    TPicture Picture(int width, int height, uint32_t color = 0xFF808080, int x = 0, int y = 0, int side = 0) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, color);
        for (int j = y; j < y + side && j < height; ++j) {
            for (int i = x; i < x + side && i < width; ++i) pixels[static_cast<size_t>(j) * width + i] = 0xFF000000;
        }
        TPicture picture;
        picture.SetImage(Machine.Graphics.FromPixels(width, height, pixels));
        return picture;
    }
    TRecordingCanvas Paint() {
        TRecordingCanvas canvas;
        Form->PaintWindow(canvas);
        return canvas;
    }
    // Presses and releases the left button at a point of the form.
    void Click(int x, int y) {
        Form->WindowMouseMove(x, y);
        Form->WindowMouseDown(0, x, y);
        Form->WindowMouseUp(0, x, y);
    }

    std::unique_ptr<TTestForm> Form;
};
