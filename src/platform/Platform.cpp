#include "platform/Platform.h"

namespace {
TPlatform g_platform;
}

TPlatform& GetPlatform() { return g_platform; }

void InstallPlatform(const TPlatform& platform) { g_platform = platform; }
