#pragma once

// While an instance exists, the process token has SeShutdownPrivilege enabled.
class TPrivilege {
public:
    TPrivilege();
    ~TPrivilege();
    TPrivilege(const TPrivilege&) = delete;
    TPrivilege& operator=(const TPrivilege&) = delete;

    bool Enabled() const { return m_Enabled; }

private:
    bool m_Enabled = false;
};
