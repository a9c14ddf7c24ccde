#include "registry_settings.h"

void RegisterSuite()
{
}
