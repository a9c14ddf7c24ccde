#include "previous_versions.h"

void RemovePreviousVersions()
{
}
