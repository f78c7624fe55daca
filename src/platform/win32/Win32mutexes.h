#pragma once
#include "platform/Mutexes.h"

class TWin32Mutexes : public IMutexes {
public:
    bool OpenExisting(const std::string& name) override;
    TCreate Create(const std::string& name) override;
};
