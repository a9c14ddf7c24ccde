#include "running_tools.h"

int CloseRunningTools()
{
    return 1;
}
