#pragma once
#include <string>

// Named system-wide mutexes, used to keep one instance of the program.
class IMutexes {
public:
    enum class TCreate { Created, AlreadyExisted, Failed };
    virtual ~IMutexes() = default;
    // True when a mutex of this name exists and could be opened with full access.
    virtual bool OpenExisting(const std::string& name) = 0;
    // Creates (not owned) and keeps the handle until the process ends.
    virtual TCreate Create(const std::string& name) = 0;
};
