#pragma once
#include "platform/Privileges.h"

class TSimPrivileges : public IPrivileges {
public:
    bool SetShutdownPrivilege(bool enable) override {
        if (!Available) return false;
        ShutdownEnabled = enable;
        return true;
    }

    bool Available = true;
    bool ShutdownEnabled = false;
};
