#pragma once
#include <filesystem>

#include "InstallDir.h"
#include "hw/HardwareTest.h"
#include "platform/sim/Simfirmware.h"
#include "shell/Framectrl.h"
#include "sys/Mainevent.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Panel.h"

// The simulated board with the shipped configuration copied into a temporary installation,
// the driver, a BIOS record, an Intel controller with a full-speed mouse on port 4, and a
// main window stand-in that records what it is told.
class TBoardFixture : public THardwareTest {
protected:
    struct TMainEvents : IMainEvent {
        void SetDescription(const std::string& text) override { Descriptions.push_back(text); }
        void ThemeChanged(int) override {}
        void LanguageChanged() override {}
        void MainEvent4() override {}
        void MainEvent5() override {}
        void MainEvent6() override {}
        std::vector<std::string> Descriptions;
    };
    class THostForm : public TForm {};

    void SetUp() override {
        THardwareTest::SetUp();
        for (const char* folder : {"Conf", "_Conf", "Language", "Images"}) {
            std::filesystem::copy(std::filesystem::path(GLIDEPOST_ASSETS) / folder, HostPath(Dir.Path(folder)),
                                  std::filesystem::copy_options::recursive);
        }
        Dir.PointAt(Machine);
        Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
        SetModel("QX-570 STEEL");
        Machine.Usb.AddController(
            "\\\\?\\pci#ven_8086&dev_a36d&subsys_0A01F0E1&rev_10#3&11583659&0&a0#{3abf6f2d-71c4-462a-8a92-"
            "1e6861e6af27}",
            "USB#ROOT_HUB30#1", 10);
        Machine.Usb.Controllers[0].RootHub->Ports[0] = TSimUsb::Keyboard(0xE0FF, 0x0201);
        Machine.Usb.Controllers[0].RootHub->Ports[3] = Mouse;
        Host = std::make_unique<THostForm>();
        Host->SetSize(1000, 539);
        Panel = std::make_unique<TPanel>(Host.get());
        Panel->SetBounds(0, 43, 1000, 374);
        SetMainEvent(&Main);
    }
    void TearDown() override {
        SetMainEvent(nullptr);
        ResetProcess();
        Panel.reset();
        Host.reset();
        THardwareTest::TearDown();
    }
    // Drops every process-wide object. The pages (and their samplers' workers) go first: they
    // use the measurement, which is made after the page controller and would go before it.
    void ResetProcess() {
        if (FrameCtrlExists()) GetFrameCtrl().DestroyPages();
        ResetSingletonsForTests();
    }
    void SetModel(const std::string& model) { Machine.Hardware.Write(0xE4000, simfirmware::BiosRecord({model})); }
    std::optional<uint32_t> StoredInterval() {
        return Machine.Registry.Dword(IRegistry::TRoot::LocalMachine,
                                      "System\\CurrentControlSet\\Services\\KytHidFilter", "bInterval");
    }

    TInstallDir Dir;
    std::shared_ptr<TSimUsbDevice> Mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    std::unique_ptr<THostForm> Host;
    std::unique_ptr<TPanel> Panel;
    TMainEvents Main;
};
