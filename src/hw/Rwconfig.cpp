#include "hw/Rwconfig.h"

#include "sys/Singletons.h"

TRwConfig& GetRwConfig() { return SingletonOf<TRwConfig>(); }

void DestroyRwConfig() { DestroySingleton<TRwConfig>(); }
