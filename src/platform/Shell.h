#pragma once
#include <string>

// Starting programs through the shell.
class IShell {
public:
    virtual ~IShell() = default;
    // "open" verb, no parameters, hidden window; does not wait.
    virtual bool OpenHidden(const std::string& path) = 0;
};
