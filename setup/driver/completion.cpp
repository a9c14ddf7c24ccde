#include "completion.h"

void FinishSetup(int installed)
{
    (void)installed;
}

void StartTrayTools()
{
}
