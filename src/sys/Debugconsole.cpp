#include "sys/Debugconsole.h"

#include "platform/Platform.h"
#include "sys/Singletons.h"

TDebugConsole::TDebugConsole(bool enable) : m_Enabled(enable ? 1 : 0) {
    if (m_Enabled == 1) {
        // A failure to open is not fatal: the writes then go nowhere.
        GetPlatform().Console->Open();
        m_Handle = 1;
    }
}

TDebugConsole::~TDebugConsole() {
    if (m_Handle != -1) {
        GetPlatform().Console->Close();
        m_Handle = -1;
    }
}

void TDebugConsole::WriteTagged(const std::string& name, const std::string& value, uint16_t colour) {
    if (!Writable()) return;
    std::lock_guard<std::mutex> guard(m_WriteLock);
    IConsole& console = *GetPlatform().Console;
    console.Write(name + " ... [");
    SetColor(colour);
    console.Write(value);
    SetColor(kColorGrey);
    console.Write("]\n");
}

void TDebugConsole::WriteLine(const std::string& text) {
    if (m_Handle == 0 || m_Enabled != 1) return;
    std::lock_guard<std::mutex> guard(m_WriteLock);
    GetPlatform().Console->Write(text + "\n");
}

uint16_t TDebugConsole::SetColor(uint16_t attribute) {
    if (m_Handle == 0 || m_Enabled != 1) return kColorGrey;
    IConsole& console = *GetPlatform().Console;
    uint16_t previous = kColorGrey;
    if (!console.GetAttribute(previous)) previous = kColorGrey;
    if (attribute == 0) previous = kColorGrey;
    console.SetAttribute(attribute);
    return previous;
}

TDebugConsole& GetDebugConsole(bool enable) { return SingletonOf<TDebugConsole>(enable); }
