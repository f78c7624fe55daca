#pragma once
#include "platform/Shell.h"

class TWin32Shell : public IShell {
public:
    bool OpenHidden(const std::string& path) override;
};
