#include "old_shortcuts.h"

void RemoveOldShortcuts()
{
}
