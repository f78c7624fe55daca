#pragma once
// What every fuzz target shares: a simulated machine installed as the platform, a temporary
// installation tree for file-reading targets, and a clean process between inputs.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "hw/Driverimages.h"
#include "platform/sim/Simmachine.h"
#include "sys/Files.h"
#include "sys/Singletons.h"

struct TFuzzMachine {
    TFuzzMachine() {
        Root = std::filesystem::temp_directory_path() / ("glidepost-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Root / "Bin");
        Machine.Process.ModulePathText = (Root / "Bin" / "Glidepost.exe").string();
        InstallPlatform(Machine.Ports());
        static const uint8_t image[] = {'M', 'Z'};
        static const TDriverImages images{{image, 2}, {image, 2}, {image, 2}};
        SetDriverImagesForTests(&images);
    }
    void Write(const std::string& relative, const uint8_t* data, size_t size) {
        const std::filesystem::path file = Root / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::string Path(const std::string& relative) const { return (Root / relative).string(); }
    void Reset() { ResetSingletonsForTests(); }

    std::filesystem::path Root;
    TSimMachine Machine;
};

inline TFuzzMachine& FuzzMachine() {
    static TFuzzMachine machine;
    return machine;
}
