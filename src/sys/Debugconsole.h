#pragma once
#include <cstdint>
#include <mutex>
#include <string>

// Console colours (character attributes) the program writes its values in.
enum : uint16_t {
    kColorGrey = 7,
    kColorBlue = 9,
    kColorGreen = 10,
    kColorRed = 12,
    kColorYellow = 14,
    kColorWhite = 15,
};

// The program's only diagnostic output: a console window of its own, opened with "/DEBUG".
// Every line is "label ... [value]" with the value in a colour.
class TDebugConsole {
public:
    explicit TDebugConsole(bool enable);
    virtual ~TDebugConsole();
    TDebugConsole(const TDebugConsole&) = delete;
    TDebugConsole& operator=(const TDebugConsole&) = delete;

    void WriteTagged(const std::string& name, const std::string& value, uint16_t colour);
    void WriteLine(const std::string& text);
    uint16_t SetColor(uint16_t attribute);

    bool Enabled() const { return m_Enabled != 0; }

private:
    bool Writable() const { return m_Handle != 0 && m_Enabled != 0; }

    std::mutex m_WriteLock;  // a line from the sampler or an apply never runs into another
    intptr_t m_Handle = -1;  // -1: no console was opened
    uint8_t m_Enabled = 0;
};

// The first call decides whether the console is enabled; later calls ignore their argument.
TDebugConsole& GetDebugConsole(bool enable = false);
