#include "shell/Entry.h"

// The uninstall road's mouse work arrives with the locator; until then there is nothing to undo.
void UninstallMouseSettings() {}
