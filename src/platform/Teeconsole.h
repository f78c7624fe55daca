#pragma once
#include <fstream>
#include <mutex>
#include <string>

#include "platform/Console.h"

// A console that also writes every line, without colour, to a log file (for "/LOG=").
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
    std::ofstream m_File;
};
