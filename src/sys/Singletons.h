#pragma once

// Process-wide objects are created on first use and live until the process ends. Each
// accessor records how to drop its object here, so that tests start from a clean process.
void RegisterSingletonReset(void (*reset)());
void ResetSingletonsForTests();
