#pragma once
#include "platform/Console.h"

class TWin32Console : public IConsole {
public:
    bool Open() override;
    void Close() override;
    void Write(const std::string& utf8) override;
    bool GetAttribute(uint16_t& attribute) override;
    void SetAttribute(uint16_t attribute) override;

private:
    void* m_Output = nullptr;
};
