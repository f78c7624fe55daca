#include "mouse/Privilege.h"

#include "platform/Platform.h"

TPrivilege::TPrivilege() : m_Enabled(GetPlatform().Privileges->SetShutdownPrivilege(true)) {}

TPrivilege::~TPrivilege() {
    if (m_Enabled) GetPlatform().Privileges->SetShutdownPrivilege(false);
}
