#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/sim/Simmachine.h"
#include "sys/Files.h"

// A temporary installation tree: <root>/Bin/Glidepost.exe as the program's path, and the
// XML fixtures a test writes below the root.
class TInstallDir {
public:
    TInstallDir() {
        // ctest runs tests as processes side by side, and without address randomisation two of
        // them lay out their objects alike: the name must not come from an address alone.
        static const unsigned process = std::random_device{}();
        static int counter = 0;
        m_Root = std::filesystem::temp_directory_path() /
                 ("glidepost-test-" + std::to_string(process) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_Root);
        std::filesystem::create_directories(m_Root / "Bin");
    }
    ~TInstallDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

    // The root as the program writes paths: UTF-8 text.
    std::string Root() const {
        auto text = m_Root.u8string();
        return std::string(text.begin(), text.end());
    }
    std::string ModulePath() const { return Root() + "\\Bin\\Glidepost.exe"; }
    // A path below the root, written the program's way ("Conf\\a.xml").
    std::string Path(const std::string& relative) const { return Root() + "\\" + relative; }

    void Write(const std::string& relative, const std::string& content) const {
        std::filesystem::path file = HostPath(Path(relative));
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    std::string Read(const std::string& relative) const {
        std::string bytes;
        ReadFileBytes(Path(relative), bytes);
        return bytes;
    }
    void PointAt(TSimMachine& machine) const { machine.Process.ModulePathText = ModulePath(); }

private:
    std::filesystem::path m_Root;
};
