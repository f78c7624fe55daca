#include "sys/Mainevent.h"

namespace {
IMainEvent* g_mainEvent = nullptr;
}  // namespace

void SetMainEvent(IMainEvent* mainEvent) { g_mainEvent = mainEvent; }
IMainEvent* GetMainEvent() { return g_mainEvent; }
