#include "start_menu.h"

void CreateStartMenuEntries()
{
}
