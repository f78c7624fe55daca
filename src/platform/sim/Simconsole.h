#pragma once
#include <string>
#include <vector>

#include "platform/Console.h"

// Records what the program wrote to its console, with the attribute of each write.
class TSimConsole : public IConsole {
public:
    struct TWrite {
        std::string Text;
        uint16_t Attribute;
    };
    // One written line: its whole text, and the text and colour written in a colour other
    // than the default grey (a tagged line's value).
    struct TLine {
        std::string Text;
        std::string Value;
        uint16_t Colour = 7;
    };

    bool Open() override;
    void Close() override { IsOpen = false; }
    void Write(const std::string& utf8) override;
    bool GetAttribute(uint16_t& attribute) override;
    void SetAttribute(uint16_t attribute) override { Attribute = attribute; }

    std::vector<TLine> Lines() const;

    bool IsOpen = false;
    int OpenCount = 0;
    uint16_t Attribute = 7;
    std::vector<TWrite> Writes;
};
