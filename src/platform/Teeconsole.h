#pragma once
#include <fstream>
#include <mutex>
#include <string>

#include "platform/Console.h"

// A console that also writes every line, without colour, to a log file (for "/LOG="). The file
// is opened by the first line and appended to: a process that writes nothing (a second start
// that hands over, the uninstall road) leaves the running instance's log alone.
class TTeeConsole : public IConsole {
public:
    TTeeConsole(IConsole& console, const std::string& path);

    bool Open() override { return m_Console.Open(); }
    void Close() override { m_Console.Close(); }
    void Write(const std::string& utf8) override;
    bool GetAttribute(uint16_t& attribute) override { return m_Console.GetAttribute(attribute); }
    void SetAttribute(uint16_t attribute) override { m_Console.SetAttribute(attribute); }

private:
    IConsole& m_Console;
    std::mutex m_Mutex;
    std::string m_Path;
    std::ofstream m_File;
};
