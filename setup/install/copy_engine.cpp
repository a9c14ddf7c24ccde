#include "copy_engine.h"

void CopySuiteFiles()
{
}
