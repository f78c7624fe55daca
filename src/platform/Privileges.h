#pragma once

// Privileges of the process token.
class IPrivileges {
public:
    virtual ~IPrivileges() = default;
    // Turns SeShutdownPrivilege on or off; false when the token or the privilege cannot be had
    // or the adjustment fails.
    virtual bool SetShutdownPrivilege(bool enable) = 0;
};
