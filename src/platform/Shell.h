#pragma once
#include <string>

// Starting programs through the shell.
class IShell {
public:
    virtual ~IShell() = default;
    // "open" verb, no parameters, hidden window; returns once the program has ended (a hung one
    // after a bounded wait), so that its work is done when the caller looks.
    virtual bool OpenHidden(const std::string& path) = 0;
};
