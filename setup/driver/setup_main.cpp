#include <windows.h>

#include "setup/driver/install_sequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    return RunSetup(instance, commandTail);
}
