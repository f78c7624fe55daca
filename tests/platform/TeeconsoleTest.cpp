#include "platform/Teeconsole.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/Simconsole.h"

namespace {
std::string Content(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
}  // namespace

TEST(TeeConsoleTest, TheLogIsTouchedOnlyByAProcessThatWritesAndThenAppended) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "glidepost-tee-test.log";
    { std::ofstream(path, std::ios::binary) << "running instance\n"; }
    TSimConsole console;
    {
        TTeeConsole quiet(console, path.string());  // a second start that only hands over
    }
    EXPECT_EQ(Content(path), "running instance\n");
    {
        TTeeConsole tee(console, path.string());
        tee.Write("Label ... [value]\n");
        EXPECT_EQ(Content(path), "running instance\nLabel ... [value]\n");
    }
    EXPECT_EQ(console.Writes.size(), 1u);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);  // once the tee has let go: Windows keeps open files
}
