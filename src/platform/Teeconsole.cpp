#include "platform/Teeconsole.h"

#include "sys/Files.h"

TTeeConsole::TTeeConsole(IConsole& console, const std::string& path) : m_Console(console), m_Path(path) {}

void TTeeConsole::Write(const std::string& utf8) {
    m_Console.Write(utf8);
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (!m_File.is_open()) m_File.open(HostPath(m_Path), std::ios::binary | std::ios::app);
    m_File << utf8;
    m_File.flush();  // a reader (a script) sees each line as it is written
}
