#pragma once
#include <cstdint>
#include <string>

// A text console window of the process's own, with character attributes (colours).
class IConsole {
public:
    virtual ~IConsole() = default;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void Write(const std::string& utf8) = 0;
    virtual bool GetAttribute(uint16_t& attribute) = 0;
    virtual void SetAttribute(uint16_t attribute) = 0;
};
