#include "obsolete_files.h"

void RemoveObsoleteFiles()
{
}
