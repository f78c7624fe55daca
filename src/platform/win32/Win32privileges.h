#pragma once
#include "platform/Privileges.h"

class TWin32Privileges : public IPrivileges {
public:
    bool SetShutdownPrivilege(bool enable) override;
};
